#include "groups/ApriCatalogo.h"

#include "app/Avvio.h"
#include "app/HelpTopics.h"
#include "app/ScreenFlow.h"
#include "groups/GroupFiles.h"
#include "groups/GroupScreenFrame.h"
#include "groups/ListinoPrezzi.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "storage/FotoGruppo.h"
#include "storage/TextRules.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"
#include "widgets/ReadOnlyRefusal.h"
#include "widgets/RegionalSettings.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QShowEvent>

namespace {

QString messaggioElencoVuoto()
{
    return QStringLiteral("Attenzione: l'elenco non contiene nessun gruppo.");
}

// What the deletion said of the group's photos.
QString fotoEliminate(int numero)
{
    if (numero == 0)
        return {};
    return numero == 1
               ? QStringLiteral("\r\n\r\nÈ stata eliminata anche 1 foto del gruppo dalla cartella "
                                "Foto_Gruppo.")
               : QStringLiteral("\r\n\r\nSono state eliminate anche %1 foto del gruppo dalla cartella "
                                "Foto_Gruppo.")
                     .arg(numero);
}

// How many groups the list holds.
QString testoGruppiCreati(int numero)
{
    return numero == 1 ? QStringLiteral("È stato creato 1 gruppo.")
                       : QStringLiteral("Sono stati creati %1 gruppi.").arg(numero);
}

} // namespace

TfrmApriCatalogo::TfrmApriCatalogo(AppContext& context)
    : MainScreen(context, QStringLiteral(" Folvara - Apertura gruppo esistente"), QSize(1016, 713),
                 WindowKind::Maximised)
{
    setObjectName(QStringLiteral("frmApriCatalogo"));
    RegionalSettings::apply();
    Looks::setVerticalGradient(this, QColor(0x42, 0x7A, 0xA8), Qt::white);

    QWidget* panContainer = centredPanel(QSize(994, 692));

    auto* imgGuida = costruisciCornice(panContainer, QStringLiteral(":/pictures/gruppi_apri_istruzioni.svg"),
                                       QStringLiteral("APERTURA GRUPPO ESISTENTE"));
    connect(imgGuida, &ImageButton::clicked, this, &TfrmApriCatalogo::imgGuidaClick);
    new Picture(panContainer, QStringLiteral("imgGruppo"), QStringLiteral(":/pictures/app03.svg"),
                QRect(24, 24, 110, 130), QStringLiteral("Gruppo di ragazzi"));
    new Picture(panContainer, QStringLiteral("icoMano"), QStringLiteral(":/pictures/gruppi_mano.svg"),
                QRect(84, 160, 64, 48), QStringLiteral("Elenco dei gruppi"));

    auto* btnElimina = new ImageButton(
        panContainer, QStringLiteral("btnElimina"), QStringLiteral(":/pictures/gruppi_cestino.svg"),
        QRect(34, 160, 43, 45), QStringLiteral("Elimina il gruppo selezionato"));
    connect(btnElimina, &ImageButton::clicked, this, &TfrmApriCatalogo::btnEliminaClick);

    Looks::shape(panContainer, QStringLiteral("shpElenco"), QRect(26, 208, 942, 314),
                 QStringLiteral("background: #ffebcd; border: 1px solid #deb887; border-radius: 6px;"));
    m_lstFiles = new QListWidget(panContainer);
    m_lstFiles->setObjectName(QStringLiteral("lstFiles"));
    m_lstFiles->setAccessibleName(QStringLiteral("Elenco dei gruppi"));
    m_lstFiles->setGeometry(34, 216, 926, 298);
    m_lstFiles->setSelectionMode(QAbstractItemView::SingleSelection);
    m_lstFiles->setFont(Looks::font(QStringLiteral("Courier New"), 14));
    QPalette colori = m_lstFiles->palette();
    colori.setColor(QPalette::Base, QColor(0xFF, 0xEB, 0xCD));
    colori.setColor(QPalette::Text, Qt::black);
    m_lstFiles->setPalette(colori);
    m_lstFiles->setUniformItemSizes(true);

    m_lblCreati = Looks::label(panContainer, QStringLiteral("lblCreati"), testoGruppiCreati(0),
                               Looks::font(QStringLiteral("Verdana"), 12), 34, 530);
    m_lblCreati->setFixedWidth(600);
    Looks::setTextColour(m_lblCreati, QColor(0x00, 0x80, 0x00));

    auto* btnAnnulla = new ImageButton(panContainer, QStringLiteral("btnAnnulla"),
                                       QStringLiteral(":/pictures/gruppi_annulla.svg"),
                                       QRect(540, 610, 200, 44), QStringLiteral("ANNULLA"));
    connect(btnAnnulla, &ImageButton::clicked, this, &QWidget::close);
    auto* btnApri =
        new ImageButton(panContainer, QStringLiteral("btnApri"), QStringLiteral(":/pictures/gruppi_apri.svg"),
                        QRect(760, 610, 200, 44), QStringLiteral("APRI ARCHIVIO"));
    connect(btnApri, &ImageButton::clicked, this, &TfrmApriCatalogo::btnApriClick);

    m_lblMemory = new QLabel(panContainer);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->setAccessibleName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();
    m_lblFile = new QLabel(panContainer);
    m_lblFile->setObjectName(QStringLiteral("lblFile"));
    m_lblFile->setAccessibleName(QStringLiteral("lblFile"));
    m_lblFile->hide();
}

void TfrmApriCatalogo::showEvent(QShowEvent* event)
{
    MainScreen::showEvent(event);
    if (event->spontaneous())
        return;
    m_lblMemory->setText(QStringLiteral("avvio"));
    m_lblFile->setText(m_context.programFolder);
    riempiElenco();
}

void TfrmApriCatalogo::riempiElenco()
{
    m_lstFiles->clear();
    // One insertion for the whole list; the items take the list's Courier New 14 in black.
    m_lstFiles->addItems(GroupFiles::list(m_context.programFolder));
    // The first entry is selected for real, not only drawn as current.
    if (m_lstFiles->count() > 0)
        m_lstFiles->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
    m_lblCreati->setText(testoGruppiCreati(m_lstFiles->count()));
}

QString TfrmApriCatalogo::selezionato() const
{
    // The file's very name: " Gita.fvg" is not "Gita.fvg".
    const QList<QListWidgetItem*> scelti = m_lstFiles->selectedItems();
    return scelti.isEmpty() ? QString() : scelti.front()->text();
}

QString TfrmApriCatalogo::gruppoScelto(const QString& senzaScelta)
{
    if (m_lstFiles->count() == 0) {
        m_context.messages->warning(this, messaggioElencoVuoto());
        return {};
    }
    const QString gruppo = selezionato();
    if (gruppo.isEmpty())
        m_context.messages->warning(this, senzaScelta);
    return gruppo;
}

void TfrmApriCatalogo::btnApriClick()
{
    const QString gruppo = gruppoScelto(QStringLiteral(
        "Attenzione: selezionare il gruppo dall'elenco prima di premere il pulsante Apri archivio."));
    if (gruppo.isEmpty())
        return;
    m_lblFile->setText(m_context.programFolder + gruppo);
    m_lblMemory->setText(QStringLiteral("listino"));
    close();
}

void TfrmApriCatalogo::btnEliminaClick()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return;
    const QString gruppo =
        gruppoScelto(QStringLiteral("Attenzione: selezionare dall'elenco il gruppo da eliminare prima di "
                                    "fare clic sull'icona del cestino."));
    if (gruppo.isEmpty())
        return;
    if (!m_context.messages->question(
            this,
            QStringLiteral("Si sta per eliminare il gruppo selezionato. Si ricorda che il file eliminato "
                           "non potrà essere recuperato.\r\n\r\nSi conferma l'eliminazione dell'archivio?")))
        return;
    m_lblFile->setText(m_context.programFolder + gruppo);
    const int pagine = int(QFileInfo(m_lblFile->text()).size() / GroupFiles::kRecordSize);
    const GroupFiles::Outcome esito = GroupFiles::remove(m_lblFile->text());
    if (esito.result == GroupFiles::Outcome::Result::Done) {
        // The photos its pages name go with it; another group's never do.
        const int foto = EliminaFotoGruppo(m_context.programFolder, gruppo.left(gruppo.size() - 4), pagine);
        m_context.messages->information(this, QStringLiteral("Il gruppo è stato eliminato con successo.") +
                                                  fotoEliminate(foto));
    } else
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: non è stato possibile eliminare il gruppo "
                                                   "selezionato.\r\n\r\n") +
                                        esito.reason);
    m_lblMemory->setText(QStringLiteral("avvio"));
    m_lblFile->clear();
    riempiElenco();
}

void TfrmApriCatalogo::imgGuidaClick()
{
    HelpTopics::open(m_context, this, HelpTopics::Topic::CreazioneApertura);
}

void TfrmApriCatalogo::onClose()
{
    const QString mode = TextRules::trim(m_lblMemory->text());
    if (mode == QLatin1String("listino")) {
        const QString gruppo = selezionato();
        TfrmListinoPrezzi* editor = m_context.screens->listinoPrezzi();
        editor->apriGruppo(m_context.programFolder + gruppo, gruppo.left(gruppo.size() - 4));
        m_context.screens->switchTo(editor, this);
        return;
    }
    m_context.screens->switchTo(m_context.screens->avvio(), this);
}
