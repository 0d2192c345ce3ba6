#include "privacy/erase/CancellaPersona.h"

#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "storage/TSchedaGruppo.h"
#include "widgets/Looks.h"
#include "widgets/ReadOnlyRefusal.h"

#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace {

QLabel* etichetta(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setAccessibleName(text);
    label->setWordWrap(true);
    label->setGeometry(geometry);
    return label;
}

QPushButton* pulsante(QWidget* parent, const QString& name, const QString& text, const QRect& geometry)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setAccessibleName(text);
    button->setGeometry(geometry);
    return button;
}

} // namespace

TfrmCancellaPersona::TfrmCancellaPersona(AppContext& context, QWidget* owner,
                                         const PersonInventory& inventory)
    : SecondaryScreen(context, owner, QStringLiteral(" Cancella persona"), QSize(620, 520), WindowKind::Fixed)
    , m_inventory(inventory)
{
    setObjectName(QStringLiteral("frmCancellaPersona"));
    Looks::setVerticalGradient(this, QColor(0x93, 0xB7, 0xD4), Qt::white);

    auto* titolo = etichetta(this, QStringLiteral("lblPersona"),
                             QStringLiteral("Scheda %1: %2").arg(inventory.position).arg(inventory.name()),
                             QRect(16, 12, 588, 24));
    titolo->setFont(Looks::font(QStringLiteral("Tahoma"), 12, true));
    etichetta(this, QStringLiteral("lblElenco"),
              QStringLiteral("Saranno rimossi definitivamente dalla cartella del programma:"),
              QRect(16, 42, 588, 20));

    m_lstElementi = new QListWidget(this);
    m_lstElementi->setObjectName(QStringLiteral("lstElementi"));
    m_lstElementi->setAccessibleName(QStringLiteral("Elementi da rimuovere"));
    m_lstElementi->setGeometry(16, 66, 588, 260);
    m_lstElementi->addItems(elementi(inventory));

    m_chkRiquadri = new QCheckBox(QStringLiteral("svuota anche i riquadri dei gruppi"), this);
    m_chkRiquadri->setObjectName(QStringLiteral("chkRiquadri"));
    m_chkRiquadri->setAccessibleName(m_chkRiquadri->text());
    m_chkRiquadri->setGeometry(16, 334, 588, 24);
    m_chkRiquadri->setChecked(false);
    m_chkRiquadri->setEnabled(!inventory.groupSlots.isEmpty());

    etichetta(this, QStringLiteral("lblBackup"),
              QStringLiteral("Attenzione: i backup fatti prima della cancellazione contengono ancora i dati "
                             "di questa persona. La scheda resta in archivio vuota, nella stessa posizione."),
              QRect(16, 366, 588, 60));

    m_btnCancella = pulsante(this, QStringLiteral("btnCancella"), QStringLiteral("Cancella persona"),
                             QRect(300, 470, 150, 34));
    auto* btnAnnulla =
        pulsante(this, QStringLiteral("btnAnnulla"), QStringLiteral("Annulla"), QRect(460, 470, 144, 34));
    btnAnnulla->setDefault(true);
    connect(m_btnCancella, &QPushButton::clicked, this, &TfrmCancellaPersona::btnCancellaClick);
    connect(btnAnnulla, &QPushButton::clicked, this, &QDialog::reject);
}

bool TfrmCancellaPersona::svuotaRiquadri() const
{
    return m_chkRiquadri->isChecked();
}

QStringList TfrmCancellaPersona::elementi(const PersonInventory& inventory)
{
    QStringList lines;
    lines << QStringLiteral("la scheda %1 (sostituita da una scheda vuota)").arg(inventory.position);
    for (const QString& file : inventory.photoFiles)
        lines << QStringLiteral("la foto: %1").arg(QFileInfo(file).fileName());
    for (const PersonInventory::Attachment& attachment : inventory.attachments) {
        if (attachment.shared)
            lines << QStringLiteral("l'allegato %1 resta: lo usa anche un'altra scheda").arg(attachment.name);
        else if (attachment.present)
            lines << QStringLiteral("l'allegato: %1").arg(attachment.name);
    }
    for (const QString& line : inventory.sideData)
        lines << line;
    for (const GroupSlots::Slot& slot : inventory.groupSlots)
        lines << QStringLiteral(
                     "solo se spuntato sotto: il riquadro %1 della pagina %2 del gruppo %3, con la sua foto")
                     .arg(TSchedaGruppo::lettera(slot.slot))
                     .arg(slot.page)
                     .arg(slot.group);
    for (const QString& file : inventory.exportFiles)
        lines << QStringLiteral("l'esportazione del registro %1 (da rifare con Esporta)")
                     .arg(QFileInfo(file).fileName());
    return lines;
}

QString TfrmCancellaPersona::domanda(const PersonInventory& inventory)
{
    return QStringLiteral(
               "Cancellare definitivamente tutti i dati di %1 (scheda %2)?\r\n\r\nLa cancellazione "
               "non si può annullare.")
        .arg(inventory.name())
        .arg(inventory.position);
}

void TfrmCancellaPersona::btnCancellaClick()
{
    if (ReadOnlyRefusal::refused(*m_context.messages, this))
        return;
    if (!m_context.messages->question(this, domanda(m_inventory)))
        return;
    m_confermata = true;
    accept();
}
