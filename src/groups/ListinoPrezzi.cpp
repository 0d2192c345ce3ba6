#include "groups/ListinoPrezzi.h"

#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "platform/AppContext.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"
#include "widgets/RegionalSettings.h"

#include <QLabel>
#include <QPushButton>

TfrmListinoPrezzi::TfrmListinoPrezzi(AppContext& context)
    : MainScreen(context, QStringLiteral(" Folvara - Schedario Gruppo"), QSize(1016, 713),
                 WindowKind::Maximised)
{
    setObjectName(QStringLiteral("frmListinoPrezzi"));
    RegionalSettings::apply();
    Looks::setVerticalGradient(this, QColor(0x42, 0x7A, 0xA8), Qt::white);

    m_lblFile = new QLabel(this);
    m_lblFile->setObjectName(QStringLiteral("lblFile"));
    m_lblFile->hide();
    m_lblNome = Looks::label(this, QStringLiteral("lblNome"), QString(),
                             Looks::font(QStringLiteral("Verdana"), 16, true), 20, 70);
    m_lblNome->setFixedWidth(900);

    auto* cmdEsci = new QPushButton(QStringLiteral("Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setGeometry(900, 10, 90, 40);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
}

void TfrmListinoPrezzi::apriGruppo(const QString& filePath, const QString& groupName)
{
    m_lblFile->setText(filePath);
    m_lblNome->setText(groupName);
}

QString TfrmListinoPrezzi::groupFile() const
{
    return m_lblFile->text();
}

QString TfrmListinoPrezzi::groupName() const
{
    return m_lblNome->text();
}

void TfrmListinoPrezzi::importaPersona(QChar, const TSchedaAnagrafica&, int) {}

void TfrmListinoPrezzi::onClose()
{
    m_context.screens->switchTo(m_context.screens->avvio(), this);
}
