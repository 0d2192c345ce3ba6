#include "access/Password.h"

#include "access/CambiaPassword.h"
#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "platform/AppContext.h"
#include "widgets/Looks.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmPassword::TfrmPassword(AppContext& context)
    : MainScreen(context, QStringLiteral(" Folvara - Accesso"), QSize(388, 405), WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmPassword"));
    Looks::setSteelBlueGradient(this);

    m_txtPassword = new QLineEdit(this);
    m_txtPassword->setObjectName(QStringLiteral("txtPassword"));
    m_txtPassword->setEchoMode(QLineEdit::Password);
    m_txtPassword->setGeometry(64, 250, 260, 30);

    m_lblMemory = new QLabel(this);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(64, 300, 120, 30);

    auto* cmdEsci = new QPushButton(QStringLiteral("Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setGeometry(204, 300, 120, 30);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);

    auto* btnCambiaPassword = new QPushButton(QStringLiteral("Cambia password"), this);
    btnCambiaPassword->setObjectName(QStringLiteral("btnCambiaPassword"));
    btnCambiaPassword->setGeometry(64, 350, 260, 30);
    connect(btnCambiaPassword, &QPushButton::clicked, this,
            [this] { m_context.screens->switchTo(m_context.screens->cambiaPassword(), this); });
}

void TfrmPassword::showEvent(QShowEvent* event)
{
    MainScreen::showEvent(event);
    m_txtPassword->setFocus();
}

void TfrmPassword::onClose()
{
    // The main window: closing it ends the program.
    hide();
    m_context.screens->terminate();
}
