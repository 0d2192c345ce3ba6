#include "access/Password.h"

#include "access/AccessCheck.h"
#include "access/CambiaPassword.h"
#include "access/PasswordError.h"
#include "access/PasswordStore.h"
#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "storage/TextRules.h"
#include "widgets/FocusHighlight.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QFrame>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A rounded panel with a soft gradient, laid behind a group of controls.

} // namespace

TfrmPassword::TfrmPassword(AppContext& context)
    : MainScreen(context, QStringLiteral(" Folvara - Accesso"), QSize(388, 405), WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmPassword"));
    Looks::setSteelBlueGradient(this);

    Looks::shape(this, QStringLiteral("shpLogo"), QRect(10, 10, 368, 200), Looks::softPanelStyle());
    Looks::shape(this, QStringLiteral("shpPassword"), QRect(14, 220, 360, 84), Looks::softPanelStyle());

    new Picture(this, QStringLiteral("imgLogo"), QStringLiteral(":/pictures/accesso.svg"),
                QRect(18, 16, 352, 188),
                QStringLiteral("Proteggi l'accesso con una password di tua scelta. "
                               "Password di primo accesso: BENVENUTO"));

    auto* lblRigo05 =
        Looks::label(this, QStringLiteral("lblRigo05"), QStringLiteral("Immetti la password e premi OK."),
                     Looks::font(QStringLiteral("Verdana"), 10), 30, 230);
    Looks::setTextColour(lblRigo05, QColor(0x12, 0x35, 0x5B));

    m_txtPassword = new QLineEdit(this);
    m_txtPassword->setObjectName(QStringLiteral("txtPassword"));
    m_txtPassword->setAccessibleName(QStringLiteral("Password"));
    m_txtPassword->setEchoMode(QLineEdit::Password);
    m_txtPassword->setMaxLength(AccessCheck::kMaxLength);
    m_txtPassword->setFont(Looks::font(QStringLiteral("Verdana"), 14, true));
    m_txtPassword->setGeometry(30, 258, 328, 28);
    FocusHighlight::attachHalo(m_txtPassword, QStringLiteral("effPassword"));
    m_txtPassword->installEventFilter(this);

    m_lblMemory = new QLabel(this);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(30, 318, 156, 30);
    m_cmdOK->setEnabled(false);

    auto* cmdEsci = new QPushButton(QStringLiteral("Esci"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setGeometry(202, 318, 156, 30);

    auto* btnCambiaPassword = new QPushButton(QStringLiteral("Cambia password"), this);
    btnCambiaPassword->setObjectName(QStringLiteral("btnCambiaPassword"));
    btnCambiaPassword->setGeometry(30, 360, 328, 30);

    setTabOrder(m_txtPassword, m_cmdOK);
    setTabOrder(m_cmdOK, cmdEsci);
    setTabOrder(cmdEsci, btnCambiaPassword);

    connect(m_txtPassword, &QLineEdit::textChanged, this, &TfrmPassword::updateOK);
    connect(m_cmdOK, &QPushButton::clicked, this, &TfrmPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
    connect(btnCambiaPassword, &QPushButton::clicked, this,
            [this] { m_context.screens->switchTo(m_context.screens->cambiaPassword(), this); });
}

void TfrmPassword::showEvent(QShowEvent* event)
{
    MainScreen::showEvent(event);
    m_txtPassword->setFocus();
}

bool TfrmPassword::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_txtPassword) {
        if (event->type() == QEvent::KeyRelease) {
            updateOK();
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                // Enter submits like "OK", and only when there is something to submit.
                if (hasPassword())
                    cmdOKClick();
                return true;
            }
        }
    }
    return MainScreen::eventFilter(watched, event);
}

bool TfrmPassword::hasPassword() const
{
    return !TextRules::trim(m_txtPassword->text()).isEmpty();
}

void TfrmPassword::updateOK()
{
    m_cmdOK->setEnabled(hasPassword());
}

void TfrmPassword::cmdOKClick()
{
    if (!hasPassword())
        return;
    bool accepted = false;
    try {
        // The file is read anew at every attempt.
        accepted = AccessCheck::accepts(PasswordStore(m_context.programFolder), m_txtPassword->text());
    } catch (const PasswordError& error) {
        m_context.messages->plain(this, AccessCheck::failureMessage(error, AccessCheck::Operation::Login));
        return;
    }
    if (accepted) {
        m_context.screens->switchTo(m_context.screens->avvio(), this);
        m_context.screens->avvio()->dopoAccesso();
        return;
    }
    m_context.messages->plain(this, QStringLiteral("Attenzione: password errata."));
    m_txtPassword->clear();
    m_txtPassword->setFocus();
}

void TfrmPassword::onClose()
{
    // The main window: closing it ends the program.
    hide();
    m_context.screens->terminate();
}
