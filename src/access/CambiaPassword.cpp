#include "access/CambiaPassword.h"

#include "access/Password.h"
#include "app/ScreenFlow.h"
#include "platform/AppContext.h"
#include "widgets/Looks.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TfrmCambiaPassword::TfrmCambiaPassword(AppContext& context)
    : MainScreen(context, QStringLiteral(" Cambia password"), QSize(411, 418), WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmCambiaPassword"));
    Looks::setSteelBlueGradient(this);

    auto* cmdEsci = new QPushButton(QStringLiteral("Chiudi"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setGeometry(40, 360, 120, 30);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
}

void TfrmCambiaPassword::onClose()
{
    // Every way out returns to the login screen with an empty, focused field.
    TfrmPassword* login = m_context.screens->password();
    login->txtPassword()->clear();
    login->lblMemory()->clear();
    m_context.screens->switchTo(login, this);
    login->txtPassword()->setFocus();
}
