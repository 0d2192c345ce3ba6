#include "access/CambiaPassword.h"

#include "access/AccessCheck.h"
#include "access/Password.h"
#include "access/PasswordError.h"
#include "access/PasswordStore.h"
#include "app/ScreenFlow.h"
#include "platform/AppContext.h"
#include "platform/MessageBoxes.h"
#include "storage/TextRules.h"
#include "widgets/EnterKeyOrder.h"
#include "widgets/FocusHighlight.h"
#include "widgets/ImageButton.h"
#include "widgets/Looks.h"

#include <QEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>

namespace {

const QColor kLabelColour{0x12, 0x35, 0x5B};

} // namespace

TfrmCambiaPassword::TfrmCambiaPassword(AppContext& context)
    : MainScreen(context, QStringLiteral(" Cambia password"), QSize(411, 418), WindowKind::Fixed)
{
    setObjectName(QStringLiteral("frmCambiaPassword"));
    Looks::setSteelBlueGradient(this);

    Looks::shape(this, QStringLiteral("shpLogo"), QRect(10, 10, 391, 124), Looks::softPanelStyle());
    Looks::shape(this, QStringLiteral("shpCampi"), QRect(10, 144, 391, 206), Looks::softPanelStyle());

    new Picture(this, QStringLiteral("imgLogo"), QStringLiteral(":/pictures/cambiapassword.svg"),
                QRect(18, 16, 375, 112),
                QStringLiteral("Cambia password. Compila i campi qui sotto e premi OK."));

    const QFont labelFont = Looks::font(QStringLiteral("Verdana"), 10);
    const QStringList captions{QStringLiteral("Vecchia password:"), QStringLiteral("Nuova password:"),
                               QStringLiteral("Conferma nuova password:")};
    for (int i = 0; i < captions.size(); ++i) {
        QLabel* caption = Looks::label(this, QStringLiteral("lblRigo0%1").arg(5 + i), captions.at(i),
                                       labelFont, 28, 152 + i * 66);
        Looks::setTextColour(caption, kLabelColour);
    }
    m_txtPasswordOld = passwordField(QStringLiteral("PasswordOld"), 174);
    m_txtPasswordOld->setAccessibleName(captions.at(0));
    m_txtPasswordNew = passwordField(QStringLiteral("PasswordNew"), 240);
    m_txtPasswordNew->setAccessibleName(captions.at(1));
    m_txtConferma = passwordField(QStringLiteral("Conferma"), 306);
    m_txtConferma->setAccessibleName(captions.at(2));

    m_lblMemory = new QLabel(this);
    m_lblMemory->setObjectName(QStringLiteral("lblMemory"));
    m_lblMemory->hide();

    auto* cmdEsci = new QPushButton(QStringLiteral("Chiudi"), this);
    cmdEsci->setObjectName(QStringLiteral("cmdEsci"));
    cmdEsci->setGeometry(28, 368, 168, 32);

    m_cmdOK = new QPushButton(QStringLiteral("OK"), this);
    m_cmdOK->setObjectName(QStringLiteral("cmdOK"));
    m_cmdOK->setGeometry(215, 368, 168, 32);
    m_cmdOK->setEnabled(false);

    setTabOrder(m_txtPasswordOld, m_txtPasswordNew);
    setTabOrder(m_txtPasswordNew, m_txtConferma);
    setTabOrder(m_txtConferma, cmdEsci);
    setTabOrder(cmdEsci, m_cmdOK);

    // Enter moves round the three fields and never presses "OK".
    auto* enterOrder = new EnterKeyOrder(this);
    enterOrder->chain({m_txtPasswordOld, m_txtPasswordNew, m_txtConferma}, true);

    for (QLineEdit* field : {m_txtPasswordOld, m_txtPasswordNew, m_txtConferma})
        connect(field, &QLineEdit::textChanged, this, &TfrmCambiaPassword::updateOK);
    connect(m_cmdOK, &QPushButton::clicked, this, &TfrmCambiaPassword::cmdOKClick);
    connect(cmdEsci, &QPushButton::clicked, this, &QWidget::close);
}

QLineEdit* TfrmCambiaPassword::passwordField(const QString& name, int y)
{
    auto* field = new QLineEdit(this);
    field->setObjectName(QStringLiteral("txt") + name);
    field->setEchoMode(QLineEdit::Password);
    field->setMaxLength(AccessCheck::kMaxLength);
    field->setFont(Looks::font(QStringLiteral("Verdana"), 14, true));
    field->setGeometry(28, y, 355, 28);
    FocusHighlight::attachHalo(field, QStringLiteral("eff") + name);
    field->installEventFilter(this);
    return field;
}

void TfrmCambiaPassword::showEvent(QShowEvent* event)
{
    MainScreen::showEvent(event);
    m_txtPasswordOld->clear();
    m_txtPasswordNew->clear();
    m_txtConferma->clear();
    m_lblMemory->clear();
    updateOK();
    m_txtPasswordOld->setFocus();
}

bool TfrmCambiaPassword::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease &&
        (watched == m_txtPasswordOld || watched == m_txtPasswordNew || watched == m_txtConferma))
        updateOK();
    return MainScreen::eventFilter(watched, event);
}

void TfrmCambiaPassword::updateOK()
{
    const bool filled = !TextRules::trim(m_txtPasswordOld->text()).isEmpty() &&
                        !TextRules::trim(m_txtPasswordNew->text()).isEmpty() &&
                        !TextRules::trim(m_txtConferma->text()).isEmpty();
    m_cmdOK->setEnabled(filled);
}

void TfrmCambiaPassword::askNewPasswordAgain(const QString& message)
{
    m_context.messages->plain(this, message);
    m_txtPasswordNew->clear();
    m_txtConferma->clear();
    m_txtPasswordNew->setFocus();
}

void TfrmCambiaPassword::cmdOKClick()
{
    AccessCheck::Change outcome = AccessCheck::Change::WrongOld;
    try {
        outcome = AccessCheck::change(PasswordStore(m_context.programFolder), m_txtPasswordOld->text(),
                                      m_txtPasswordNew->text(), m_txtConferma->text());
    } catch (const PasswordError& error) {
        m_context.messages->plain(this, AccessCheck::failureMessage(error, AccessCheck::Operation::Change));
        return;
    }
    switch (outcome) {
    case AccessCheck::Change::WrongOld:
        m_context.messages->plain(this, QStringLiteral("Attenzione: vecchia password errata."));
        m_txtPasswordOld->clear();
        m_txtPasswordOld->setFocus();
        return;
    case AccessCheck::Change::NotConfirmed:
        askNewPasswordAgain(
            QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                           "È necessario reinserire entrambi i valori."));
        return;
    case AccessCheck::Change::NotStorable:
        askNewPasswordAgain(QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi (ad "
                                           "esempio il simbolo dell'euro) oppure supera i 255 caratteri. "
                                           "È necessario reinserire entrambi i valori."));
        return;
    case AccessCheck::Change::Done:
        m_context.messages->plain(this, QStringLiteral("Modifica della password completata con successo."));
        close();
        return;
    }
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
