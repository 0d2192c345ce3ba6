#include "groups/CreaCatalogo.h"

#include "app/Avvio.h"
#include "app/HelpTopics.h"
#include "app/ScreenFlow.h"
#include "groups/GroupFiles.h"
#include "groups/GroupScreenFrame.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "storage/TextRules.h"
#include "widgets/FocusHighlight.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"
#include "widgets/ReadOnlyRefusal.h"
#include "widgets/RegionalSettings.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShowEvent>

namespace {

// Swallows the typed characters a file name cannot hold; pasted text is checked on creation.
class NameKeyFilter : public QObject {
public:
    explicit NameKeyFilter(QLineEdit* field)
        : QObject(field)
    {
        field->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const QString text = static_cast<QKeyEvent*>(event)->text();
        return text.size() == 1 && GroupFiles::swallowed(text.front());
    }
};

} // namespace

TfrmCreaCatalogo::TfrmCreaCatalogo(AppContext& context)
    : MainScreen(context, QStringLiteral(" Folvara - Creazione nuovo gruppo"), QSize(1016, 713),
                 WindowKind::Maximised)
{
    setObjectName(QStringLiteral("frmCreaCatalogo"));
    RegionalSettings::apply();
    Looks::setVerticalGradient(this, QColor(0x42, 0x7A, 0xA8), Qt::white);

    QWidget* panContainer = centredPanel(QSize(995, 692));

    auto* imgGuida = costruisciCornice(panContainer, QStringLiteral(":/pictures/gruppi_crea_istruzioni.svg"),
                                       QStringLiteral("CREAZIONE NUOVO GRUPPO"));
    connect(imgGuida, &ImageButton::clicked, this, &TfrmCreaCatalogo::imgGuidaClick);
    new Picture(panContainer, QStringLiteral("imgComputer"), QStringLiteral(":/pictures/app02.svg"),
                QRect(60, 290, 260, 300), QStringLiteral("Persona al computer"));
    new Picture(panContainer, QStringLiteral("imgGruppo"), QStringLiteral(":/pictures/app03.svg"),
                QRect(675, 290, 260, 300), QStringLiteral("Gruppo di ragazzi"));

    Looks::shape(panContainer, QStringLiteral("shpNome"), QRect(217, 196, 560, 60),
                 QStringLiteral("background: qlineargradient(x1:0, y1:0, x2:1, y2:0, stop:0 #4682b4, "
                                "stop:1 white); border: none; border-radius: 6px;"));
    new Picture(panContainer, QStringLiteral("icoMano"), QStringLiteral(":/pictures/gruppi_mano.svg"),
                QRect(153, 202, 64, 48), QStringLiteral("Nome del gruppo"));
    m_txtFile = new QLineEdit(panContainer);
    m_txtFile->setObjectName(QStringLiteral("txtFile"));
    m_txtFile->setAccessibleName(QStringLiteral("Nome del nuovo gruppo"));
    m_txtFile->setFont(Looks::font(QStringLiteral("Verdana"), 16, true));
    m_txtFile->setGeometry(233, 208, 526, 36);
    m_txtFile->setMaxLength(GroupFiles::kMaxName);
    FocusHighlight::applyFill(m_txtFile, FocusHighlight::kAliceBlue);
    new NameKeyFilter(m_txtFile);
    // Enter in the name field means "APPLICA E CHIUDI".
    connect(m_txtFile, &QLineEdit::returnPressed, this, &TfrmCreaCatalogo::btnApplicaClick);

    auto* btnAnnulla = new ImageButton(panContainer, QStringLiteral("btnAnnulla"),
                                       QStringLiteral(":/pictures/gruppi_annulla.svg"),
                                       QRect(540, 610, 200, 44), QStringLiteral("ANNULLA"));
    connect(btnAnnulla, &ImageButton::clicked, this, &QWidget::close);
    auto* btnApplica = new ImageButton(panContainer, QStringLiteral("btnApplica"),
                                       QStringLiteral(":/pictures/gruppi_applica.svg"),
                                       QRect(760, 610, 200, 44), QStringLiteral("APPLICA E CHIUDI"));
    connect(btnApplica, &ImageButton::clicked, this, &TfrmCreaCatalogo::btnApplicaClick);

    m_lblFile = new QLabel(panContainer);
    m_lblFile->setObjectName(QStringLiteral("lblFile"));
    m_lblFile->setAccessibleName(QStringLiteral("lblFile"));
    m_lblFile->hide();
}

void TfrmCreaCatalogo::showEvent(QShowEvent* event)
{
    MainScreen::showEvent(event);
    if (event->spontaneous())
        return;
    m_txtFile->clear();
    m_txtFile->setFocus();
}

void TfrmCreaCatalogo::btnApplicaClick()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return;
    m_lblFile->clear();
    // One Unicode form for every name: "Café" typed either way is one group.
    const QString nome = GroupFiles::normalised(TextRules::trim(m_txtFile->text()));
    if (nome.isEmpty()) {
        m_context.messages->warning(this, QStringLiteral("Attenzione: per creare l'archivio è necessario "
                                                         "indicare il nome del nuovo gruppo."));
        m_txtFile->setFocus();
        return;
    }
    // Pasted text passes the key filter: a name that would leave the program folder or that the
    // file system cannot hold is refused here.
    const QString problema = GroupFiles::nameProblem(nome);
    if (!problema.isEmpty()) {
        m_context.messages->warning(this, problema);
        m_txtFile->setFocus();
        return;
    }
    m_lblFile->setText(GroupFiles::path(m_context.programFolder, nome));
    const GroupFiles::Outcome esito = GroupFiles::create(m_lblFile->text());
    switch (esito.result) {
    case GroupFiles::Outcome::Result::AlreadyUsed:
        m_context.messages->warning(
            this,
            QStringLiteral("Attenzione: il nome del gruppo indicato è già stato utilizzato in "
                           "precedenza.\r\n\r\nInserire un nome diverso oppure, se si desidera aprire un "
                           "gruppo già creato, premere il pulsante Apri gruppo esistente."));
        return;
    case GroupFiles::Outcome::Result::Failed:
        m_context.messages->error(this, QStringLiteral("Attenzione: non è stato possibile creare il file di "
                                                       "archivio del nuovo gruppo.\r\n\r\n") +
                                            esito.reason);
        return;
    case GroupFiles::Outcome::Result::Done:
        break;
    }
    m_context.messages->information(this,
                                    QStringLiteral("Il file di archivio relativo al nuovo gruppo è stato "
                                                   "creato con successo.\r\n\r\nÈ ora possibile "
                                                   "visualizzarlo nell'elenco dei gruppi esistenti."));
    close();
}

void TfrmCreaCatalogo::imgGuidaClick()
{
    HelpTopics::open(m_context, this, HelpTopics::Topic::CreazioneApertura);
}

void TfrmCreaCatalogo::onClose()
{
    m_context.screens->switchTo(m_context.screens->avvio(), this);
}
