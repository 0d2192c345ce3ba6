#include "registry/AllegaCartella.h"

#include "app/OpenURL.h"
#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "registry/AttachmentFolder.h"
#include "storage/TextRules.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"
#include "widgets/ReadOnlyRefusal.h"
#include "widgets/WorkProgress.h"

#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int kSlotLeft = 16;
constexpr int kSlotWidth = 602;
constexpr int kSlotHeight = 120;
constexpr int kFirstSlotTop = 112;
constexpr int kSlotStep = 128;
// The copy's progress window: steps of the bar, and how long a copy lasts before it shows.
constexpr int kPassi = 1000;
constexpr int kAttesa = 400;

QString numeroFile(int numero)
{
    return QStringLiteral("%1° file allegato").arg(numero);
}

} // namespace

TfrmAllegaCartella::TfrmAllegaCartella(AppContext& context, QWidget* owner)
    : SecondaryScreen(context, owner, QStringLiteral(" Allega file"), QSize(634, 534), WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmAllegaCartella"));
    Looks::setVerticalGradient(this, QColor(0x93, 0xB7, 0xD4), Qt::white);

    new Picture(this, QStringLiteral("imgIstruzioni"), QStringLiteral(":/pictures/allega_banner.svg"),
                QRect(kSlotLeft, 10, kSlotWidth, 92),
                QStringLiteral("Scegliere con Sfoglia il file da allegare, premere Applica e chiudi e poi "
                               "Salva sulla scheda; Apri visualizza il file."));

    for (int i = 0; i < 3; ++i)
        costruisciSlot(i + 1, kFirstSlotTop + i * kSlotStep);

    m_btnApplica = Looks::pushButton(this, QStringLiteral("btnApplica"), QStringLiteral("Applica e chiudi"),
                                     QRect(318, 496, 170, 30), QStringLiteral("Applica e chiudi"));
    m_btnAnnulla = Looks::pushButton(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"),
                                     QRect(498, 496, 120, 30), QStringLiteral("Annulla"));
    connect(m_btnApplica, &QPushButton::clicked, this, &TfrmAllegaCartella::btnApplicaClick);
    connect(m_btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);

    m_lblMemory = new QLabel(this);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->setAccessibleName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();

    // For each slot the name, "Sfoglia...", "Apri" and the description; then the two buttons.
    QWidget* previous = nullptr;
    for (const Slot& slot : m_slot) {
        for (QWidget* next : {static_cast<QWidget*>(slot.txtFile), static_cast<QWidget*>(slot.btnSfoglia),
                              static_cast<QWidget*>(slot.btnApri), static_cast<QWidget*>(slot.txtDesc)}) {
            if (previous)
                setTabOrder(previous, next);
            previous = next;
        }
    }
    setTabOrder(previous, m_btnApplica);
    setTabOrder(m_btnApplica, m_btnAnnulla);
}

void TfrmAllegaCartella::costruisciSlot(int numero, int top)
{
    Slot& slot = m_slot[numero - 1];
    const QString nn = QStringLiteral("%1").arg(numero, 2, 10, QLatin1Char('0'));
    Looks::shape(this, QStringLiteral("shpAllegato") + nn, QRect(kSlotLeft, top, kSlotWidth, kSlotHeight),
                 Looks::softPanelStyle())
        ->setAccessibleName(numeroFile(numero).at(0).toUpper() + numeroFile(numero).mid(1));

    const QFont captionFont = Looks::font(QStringLiteral("Verdana"), 11, true);
    const int left = kSlotLeft + 12;
    QLabel* nome =
        Looks::label(this, QStringLiteral("lblCampo%1").arg(numero * 2 - 1, 2, 10, QLatin1Char('0')),
                     QStringLiteral("Nome %1:").arg(numeroFile(numero)), captionFont, left, top + 8);
    Looks::setTextColour(nome, Looks::kDarkBlue);

    slot.txtFile = new QLineEdit(this);
    slot.txtFile->setObjectName(QStringLiteral("txtFile") + nn);
    slot.txtFile->setAccessibleName(QStringLiteral("Nome %1").arg(numeroFile(numero)));
    slot.txtFile->setReadOnly(true);
    slot.txtFile->setFont(Looks::font(QStringLiteral("Verdana"), 12, true));
    Looks::setTextColour(slot.txtFile, Qt::gray);
    slot.txtFile->setGeometry(left, top + 28, 352, 28);
    nome->setBuddy(slot.txtFile);

    slot.imgCancella =
        new ImageButton(this, QStringLiteral("imgCancella") + nn,
                        QStringLiteral(":/pictures/candidati_gomma.svg"), QRect(left + 356, top + 27, 32, 30),
                        QStringLiteral("Cancella il nome del %1").arg(numeroFile(numero)));
    slot.imgCancella->setToolTip(slot.imgCancella->accessibleName());

    slot.btnSfoglia = Looks::pushButton(this, QStringLiteral("btnSfoglia") + nn, QStringLiteral("Sfoglia..."),
                                        QRect(left + 394, top + 27, 100, 30),
                                        QStringLiteral("Sfoglia... %1").arg(numeroFile(numero)));
    slot.btnApri = Looks::pushButton(this, QStringLiteral("btnApri") + nn, QStringLiteral("Apri"),
                                     QRect(left + 500, top + 27, 78, 30),
                                     QStringLiteral("Apri %1").arg(numeroFile(numero)));
    slot.btnApri->setEnabled(false);

    QLabel* descrizione =
        Looks::label(this, QStringLiteral("lblCampo%1").arg(numero * 2, 2, 10, QLatin1Char('0')),
                     QStringLiteral("Descrizione %1:").arg(numeroFile(numero)), captionFont, left, top + 64);
    Looks::setTextColour(descrizione, Looks::kDarkBlue);

    slot.txtDesc = new QLineEdit(this);
    slot.txtDesc->setObjectName(QStringLiteral("txtDesc") + nn);
    slot.txtDesc->setAccessibleName(QStringLiteral("Descrizione %1").arg(numeroFile(numero)));
    slot.txtDesc->setFont(Looks::font(QStringLiteral("Verdana"), 16, true));
    // The record keeps the first 250 characters; the field itself takes any length.
    slot.txtDesc->setMaxLength(32767);
    slot.txtDesc->setGeometry(left, top + 84, kSlotWidth - 24, 28);
    descrizione->setBuddy(slot.txtDesc);

    const int index = numero - 1;
    connect(slot.txtFile, &QLineEdit::textChanged, this, [this, index] { txtFileChange(index); });
    connect(slot.imgCancella, &ImageButton::clicked, this, [this, index] { imgCancellaClick(index); });
    connect(slot.btnSfoglia, &QPushButton::clicked, this, [this, index] { btnSfogliaClick(index); });
    connect(slot.btnApri, &QPushButton::clicked, this, [this, index] { btnApriClick(index); });
}

void TfrmAllegaCartella::txtFileChange(int slot)
{
    m_slot[slot].btnApri->setEnabled(!TextRules::trim(m_slot[slot].txtFile->text()).isEmpty());
}

void TfrmAllegaCartella::imgCancellaClick(int slot)
{
    m_slot[slot].txtFile->clear();
}

void TfrmAllegaCartella::btnSfogliaClick(int slot)
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return;
    const QString scelto = m_context.fileDialogs->openFile(
        this, QStringLiteral("Selezionare il file da allegare:"), QStringLiteral("Tutti i file (*.*) (*)"));
    if (scelto.isEmpty())
        return;
    if (!QFileInfo(scelto).isFile()) {
        m_context.messages->warning(
            this,
            QStringLiteral("Attenzione: non è possibile allegare %1: non è un file ordinario (cartella, "
                           "dispositivo o collegamento speciale).")
                .arg(QDir::toNativeSeparators(scelto)));
        return;
    }
    const QString nome = AttachmentFolder::storableName(QFileInfo(scelto).fileName());
    const QString destinazione = AttachmentFolder::pathOf(m_context.programFolder, nome);

    QString problema = AttachmentFolder::createFolder(m_context.programFolder);
    if (problema.isEmpty() && !AttachmentFolder::sameFile(scelto, destinazione)) {
        if (QFileInfo::exists(destinazione) &&
            !m_context.messages->question(
                this,
                QStringLiteral("Attenzione: nella cartella dei documenti allegati è presente un file "
                               "con lo stesso nome.\r\n\r\nSi vuole sovrascrivere il file esistente?"))) {
            // The slot points to the file already in the folder.
            m_slot[slot].txtFile->setText(nome);
            return;
        }
        WorkProgress avanzamento(this, QStringLiteral("Copia del file allegato in corso..."), kPassi, true,
                                 kAttesa);
        problema =
            AttachmentFolder::copy(scelto, destinazione, [&avanzamento](qint64 copiati, qint64 totale) {
                return avanzamento.passo(totale > 0 ? int(copiati * kPassi / totale) : 0);
            });
        if (problema == AttachmentFolder::kCancelled)
            return; // the slot and the folder stay as they were
    }
    // The very file already in the folder is kept as it is.
    if (!problema.isEmpty()) {
        m_context.messages->warning(
            this, QStringLiteral("Attenzione: non è stato possibile allegare il file %1: %2")
                      .arg(QDir::toNativeSeparators(scelto), problema));
        return;
    }
    m_slot[slot].txtFile->setText(nome);
}

void TfrmAllegaCartella::btnApriClick(int slot)
{
    const QString nome = TextRules::trim(m_slot[slot].txtFile->text());
    const QString percorso = AttachmentFolder::pathOf(m_context.programFolder, nome);
    if (percorso.isEmpty()) {
        m_context.messages->warning(
            this, QStringLiteral("Attenzione: il nome del file allegato \"%1\" non è valido perché indica "
                                 "un percorso fuori dalla cartella dei documenti allegati. Il file non viene "
                                 "aperto.")
                      .arg(nome));
        return;
    }
    TMisc::Open(*m_context.shell, QLatin1Char('"') + percorso + QLatin1Char('"'));
}

void TfrmAllegaCartella::btnApplicaClick()
{
    if (TextRules::trim(m_lblMemory->text()) != QLatin1String("candidati"))
        return;
    QStringList testi;
    for (const Slot& slot : m_slot)
        testi << TextRules::trim(slot.txtFile->text());
    for (const Slot& slot : m_slot)
        testi << TextRules::trim(slot.txtDesc->text());
    emit applica(testi);
    accept();
}
