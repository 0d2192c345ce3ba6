#include "groups/ApriCatalogo.h"

#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "groups/ListinoPrezzi.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "storage/TextRules.h"
#include "widgets/Looks.h"
#include "widgets/RegionalSettings.h"

#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

TfrmApriCatalogo::TfrmApriCatalogo(AppContext& context)
    : MainScreen(context, QStringLiteral(" Folvara - Apertura gruppo esistente"), QSize(1016, 713),
                 WindowKind::Maximised)
{
    setObjectName(QStringLiteral("frmApriCatalogo"));
    RegionalSettings::apply();
    Looks::setVerticalGradient(this, QColor(0x42, 0x7A, 0xA8), Qt::white);

    m_lblMemory = new QLabel(this);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();
    m_lblFile = new QLabel(this);
    m_lblFile->setObjectName(QStringLiteral("lblFile"));
    m_lblFile->hide();

    m_lstFiles = new QListWidget(this);
    m_lstFiles->setObjectName(QStringLiteral("lstFiles"));
    m_lstFiles->setGeometry(34, 200, 926, 298);
    m_lstFiles->setFont(Looks::font(QStringLiteral("Courier New"), 14));
    m_lstFiles->setSortingEnabled(true);
    m_lstFiles->setAccessibleName(QStringLiteral("Elenco dei gruppi"));

    auto* btnAnnulla = new QPushButton(QStringLiteral("Annulla"), this);
    btnAnnulla->setObjectName(QStringLiteral("btnAnnulla"));
    btnAnnulla->setGeometry(34, 620, 160, 40);
    connect(btnAnnulla, &QPushButton::clicked, this, &QWidget::close);

    auto* btnApri = new QPushButton(QStringLiteral("APRI ARCHIVIO"), this);
    btnApri->setObjectName(QStringLiteral("btnApri"));
    btnApri->setGeometry(800, 620, 160, 40);
    connect(btnApri, &QPushButton::clicked, this, &TfrmApriCatalogo::btnApriClick);
}

void TfrmApriCatalogo::showEvent(QShowEvent* event)
{
    MainScreen::showEvent(event);
    m_lblMemory->setText(QStringLiteral("avvio"));
    m_lblFile->setText(m_context.programFolder);
    riempiElenco();
}

void TfrmApriCatalogo::riempiElenco()
{
    m_lstFiles->clear();
    const QStringList groups =
        QDir(m_context.programFolder).entryList({QStringLiteral("*.fvg")}, QDir::Files, QDir::Name);
    m_lstFiles->addItems(groups);
}

void TfrmApriCatalogo::btnApriClick()
{
    if (m_lstFiles->count() == 0) {
        m_context.messages->warning(this, QStringLiteral("Attenzione: l'elenco non contiene nessun gruppo."));
        return;
    }
    if (!m_lstFiles->currentItem() || !m_lstFiles->currentItem()->isSelected()) {
        m_context.messages->warning(this,
                                    QStringLiteral("Attenzione: selezionare il gruppo dall'elenco prima "
                                                   "di premere il pulsante Apri archivio."));
        return;
    }
    m_lblMemory->setText(QStringLiteral("listino"));
    close();
}

void TfrmApriCatalogo::onClose()
{
    const QString mode = TextRules::trim(m_lblMemory->text());
    if (mode == QLatin1String("avvio")) {
        m_context.screens->switchTo(m_context.screens->avvio(), this);
    } else if (mode == QLatin1String("listino")) {
        const QString entry = TextRules::trim(m_lstFiles->currentItem()->text());
        TfrmListinoPrezzi* editor = m_context.screens->listinoPrezzi();
        editor->apriGruppo(m_context.programFolder + entry, entry.left(entry.size() - 4));
        m_context.screens->switchTo(editor, this);
    }
}
