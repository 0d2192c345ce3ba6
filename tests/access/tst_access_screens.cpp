#include "DeepFolder.h"
#include "access/CambiaPassword.h"
#include "access/Crypt.h"
#include "access/Password.h"
#include "access/PasswordStore.h"
#include "app/Avvio.h"
#include "app/ScreenFlow.h"
#include "support/TestEnvironment.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <memory>

namespace {

const QString kWrong = QStringLiteral("Attenzione: password errata.");
// A damaged file is named with the way out; nobody is told to reinstall the program.
const QString kDamagedLogin =
    QStringLiteral("Attenzione: non è possibile controllare la password. Il file della "
                   "password \"%1\" è danneggiato: il suo contenuto non è una password "
                   "del programma.\r\n\r\nRipristinare il file da una copia della "
                   "cartella del programma (un backup), poi riprovare.");
const QString kChangeFailed =
    QStringLiteral("Attenzione: la password non è stata cambiata e resta quella di prima. ");
const QString kWrongOld = QStringLiteral("Attenzione: vecchia password errata.");
const QString kNotConfirmed =
    QStringLiteral("Attenzione: la nuova password non è stata confermata correttamente. "
                   "È necessario reinserire entrambi i valori.");
const QString kNotStorable =
    QStringLiteral("Attenzione: la nuova password contiene caratteri non ammessi (ad "
                   "esempio il simbolo dell'euro) oppure supera i 255 caratteri. "
                   "È necessario reinserire entrambi i valori.");
const QString kDone = QStringLiteral("Modifica della password completata con successo.");

template <typename T> T* control(QWidget* screen, const char* name)
{
    T* found = screen->findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("control %s not found", name);
    return found;
}

// Types text as the user would; characters beyond ASCII go in one key event each.
void type(QWidget* field, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 128)
            QTest::keyClicks(field, QString(c));
        else
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

using TestFiles::readAll;
using TestFiles::writeAll;

} // namespace

class TestAccessScreens : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void loginScreenAsDesigned();
    void okFollowsTheTrimmedText_data();
    void okFollowsTheTrimmedText();
    void enterInAnEmptyOrBlankFieldDoesNothing_data();
    void enterInAnEmptyOrBlankFieldDoesNothing();
    void rightPasswordOpensTheLauncher_data();
    void rightPasswordOpensTheLauncher();
    void wrongPasswordEmptiesTheField();
    void accentedLettersAreNotFolded();
    void emptyStoredPasswordRefusesEverything_data();
    void emptyStoredPasswordRefusesEverything();
    void nonHexadecimalValueReportsAtEveryAttempt();
    void esciEndsTheProgram();

    void changeScreenAsDesigned();
    void changeOKNeedsAllThreeFields_data();
    void changeOKNeedsAllThreeFields();
    void enterGoesRoundAndNeverPressesOK();
    void changeChecksInOrder_data();
    void changeChecksInOrder();
    void changedPasswordTakesEffectAtTheNextAttempt();
    void failedWriteKeepsTheOldFile();
    void unreadableValueStopsTheChange();
    void chiudiReturnsToAnEmptyLogin();

private:
    TfrmPassword* login() const { return m_env->flow().password(); }
    TfrmCambiaPassword* change() const { return m_env->flow().cambiaPassword(); }
    QString file() const { return m_env->path(QStringLiteral("unins000.dll")); }
    void storePassword(const QString& plain)
    {
        PasswordStore(m_env->folder()).writeValue(CodificaPassword(plain));
    }
    void startAtLogin();
    void openChangeScreen();
    void fillChange(const QString& old, const QString& fresh, const QString& confirmation);
    QStringList plainMessages() const;

    std::unique_ptr<TestEnvironment> m_env;
};

void TestAccessScreens::init()
{
    m_env = std::make_unique<TestEnvironment>();
    storePassword(QStringLiteral("BENVENUTO"));
}

void TestAccessScreens::cleanup()
{
    m_env.reset();
}

void TestAccessScreens::startAtLogin()
{
    m_env->flow().start();
    QVERIFY(QTest::qWaitForWindowActive(login()));
    QTRY_COMPARE(QApplication::focusWidget(), login()->txtPassword());
}

void TestAccessScreens::openChangeScreen()
{
    startAtLogin();
    QTest::mouseClick(control<QPushButton>(login(), "btnCambiaPassword"), Qt::LeftButton);
    QVERIFY(change()->isVisible());
    QVERIFY(!login()->isVisible());
    QVERIFY(QTest::qWaitForWindowActive(change()));
    QTRY_COMPARE(QApplication::focusWidget(), control<QLineEdit>(change(), "txtPasswordOld"));
}

void TestAccessScreens::fillChange(const QString& old, const QString& fresh, const QString& confirmation)
{
    type(control<QLineEdit>(change(), "txtPasswordOld"), old);
    type(control<QLineEdit>(change(), "txtPasswordNew"), fresh);
    type(control<QLineEdit>(change(), "txtConferma"), confirmation);
}

QStringList TestAccessScreens::plainMessages() const
{
    QStringList texts;
    for (const ShownMessage& message : m_env->messages.shown) {
        if (message.kind != MessageKind::Plain)
            texts.append(QStringLiteral("<not a plain box> ") + message.text);
        else
            texts.append(message.text);
    }
    return texts;
}

void TestAccessScreens::loginScreenAsDesigned()
{
    startAtLogin();
    TfrmPassword* screen = login();
    QCOMPARE(screen->windowTitle(), QStringLiteral(" Folvara - Accesso"));
    QCOMPARE(screen->size(), QSize(388, 405));
    QVERIFY(!control<QLabel>(screen, "imgLogo")->pixmap().isNull());
    QCOMPARE(control<QLabel>(screen, "lblRigo05")->text(), QStringLiteral("Immetti la password e premi OK."));
    QCOMPARE(control<QLabel>(screen, "lblRigo05")->font().family(), QStringLiteral("Verdana"));
    control<QWidget>(screen, "shpLogo");
    control<QWidget>(screen, "shpPassword");

    QLineEdit* field = control<QLineEdit>(screen, "txtPassword");
    QCOMPARE(field, screen->txtPassword());
    QCOMPARE(field->echoMode(), QLineEdit::Password);
    QCOMPARE(field->maxLength(), 255);
    QCOMPARE(field->font().family(), QStringLiteral("Verdana"));
    QCOMPARE(field->font().pixelSize(), 14);
    QVERIFY(field->font().bold());
    QVERIFY(control<QWidget>(screen, "effPassword")->isVisible());
    QVERIFY(!control<QPushButton>(screen, "cmdOK")->isEnabled());
    QCOMPARE(control<QPushButton>(screen, "cmdEsci")->text(), QStringLiteral("Esci"));
    QCOMPARE(control<QPushButton>(screen, "btnCambiaPassword")->text(), QStringLiteral("Cambia password"));
    QVERIFY(!screen->lblMemory()->isVisible());
}

void TestAccessScreens::okFollowsTheTrimmedText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("blanks") << QStringLiteral("   ") << false;
    QTest::newRow("one letter") << QStringLiteral("a") << true;
    QTest::newRow("blanks around") << QStringLiteral("  a  ") << true;
}

void TestAccessScreens::okFollowsTheTrimmedText()
{
    QFETCH(QString, typed);
    QFETCH(bool, enabled);
    startAtLogin();
    auto* ok = control<QPushButton>(login(), "cmdOK");
    type(login()->txtPassword(), typed);
    QCOMPARE(ok->isEnabled(), enabled);
    // Removing every character disables it again.
    for (qsizetype i = 0; i < typed.size(); ++i)
        QTest::keyClick(login()->txtPassword(), Qt::Key_Backspace);
    QVERIFY(!ok->isEnabled());
}

void TestAccessScreens::enterInAnEmptyOrBlankFieldDoesNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("empty") << QString();
    QTest::newRow("blanks") << QStringLiteral("  ");
}

void TestAccessScreens::enterInAnEmptyOrBlankFieldDoesNothing()
{
    QFETCH(QString, typed);
    startAtLogin();
    type(login()->txtPassword(), typed);
    QTest::keyClick(login()->txtPassword(), Qt::Key_Return);
    QTest::keyClick(login()->txtPassword(), Qt::Key_Enter);
    QVERIFY(m_env->messages.shown.isEmpty());
    QVERIFY(login()->isVisible());
    QVERIFY(!m_env->flow().avvio()->isVisible());
    QCOMPARE(login()->txtPassword()->text(), typed);
}

void TestAccessScreens::rightPasswordOpensTheLauncher_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("upper case, OK") << QStringLiteral("BENVENUTO") << false;
    QTest::newRow("lower case, Enter") << QStringLiteral("benvenuto") << true;
    QTest::newRow("mixed case, OK") << QStringLiteral("BenVenUto") << false;
    QTest::newRow("blanks around, Enter") << QStringLiteral("  benvenuto  ") << true;
}

void TestAccessScreens::rightPasswordOpensTheLauncher()
{
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    startAtLogin();
    type(login()->txtPassword(), typed);
    if (byEnter)
        QTest::keyClick(login()->txtPassword(), Qt::Key_Return);
    else
        QTest::mouseClick(control<QPushButton>(login(), "cmdOK"), Qt::LeftButton);
    QVERIFY(m_env->messages.shown.isEmpty());
    QVERIFY(m_env->flow().avvio()->isVisible());
    QVERIFY(!login()->isVisible());
    QCOMPARE(login()->txtPassword()->text(), typed);
}

void TestAccessScreens::wrongPasswordEmptiesTheField()
{
    startAtLogin();
    type(login()->txtPassword(), QStringLiteral("benvenuta"));
    QTest::keyClick(login()->txtPassword(), Qt::Key_Return);
    QCOMPARE(plainMessages(), QStringList{kWrong});
    QVERIFY(login()->isVisible());
    QVERIFY(!m_env->flow().avvio()->isVisible());
    QCOMPARE(login()->txtPassword()->text(), QString());
    QTRY_COMPARE(QApplication::focusWidget(), login()->txtPassword());
    QVERIFY(!control<QPushButton>(login(), "cmdOK")->isEnabled());
}

void TestAccessScreens::accentedLettersAreNotFolded()
{
    storePassword(QStringLiteral("CITT\u00C0"));
    startAtLogin();
    type(login()->txtPassword(), QStringLiteral("citt\u00E0"));
    QTest::mouseClick(control<QPushButton>(login(), "cmdOK"), Qt::LeftButton);
    QCOMPARE(plainMessages(), QStringList{kWrong});

    type(login()->txtPassword(), QStringLiteral("citt\u00C0"));
    QTest::mouseClick(control<QPushButton>(login(), "cmdOK"), Qt::LeftButton);
    QCOMPARE(m_env->messages.shown.size(), 1);
    QVERIFY(m_env->flow().avvio()->isVisible());
}

void TestAccessScreens::emptyStoredPasswordRefusesEverything_data()
{
    QTest::addColumn<QByteArray>("ini");
    QTest::addColumn<bool>("present");
    QTest::newRow("no file") << QByteArray() << false;
    QTest::newRow("empty file") << QByteArray() << true;
    QTest::newRow("no key") << QByteArray("[Accesso]\r\nAltro=67061BBC3165327409\r\n") << true;
    QTest::newRow("empty value") << QByteArray("[Accesso]\r\nValore=\r\n") << true;
    QTest::newRow("blanks only") << QByteArray("[Accesso]\r\nValore=") +
                                        CodificaPassword(QStringLiteral("   ")).toLatin1()
                                 << true;
}

void TestAccessScreens::emptyStoredPasswordRefusesEverything()
{
    QFETCH(QByteArray, ini);
    QFETCH(bool, present);
    QVERIFY(QFile::remove(file()));
    if (present)
        writeAll(file(), ini);
    startAtLogin();
    for (const QString& typed : {QStringLiteral("BENVENUTO"), QStringLiteral(" x ")}) {
        type(login()->txtPassword(), typed);
        QTest::keyClick(login()->txtPassword(), Qt::Key_Return);
    }
    QCOMPARE(plainMessages(), (QStringList{kWrong, kWrong}));
    QVERIFY(!m_env->flow().avvio()->isVisible());
    QCOMPARE(QFile::exists(file()), present);
}

void TestAccessScreens::nonHexadecimalValueReportsAtEveryAttempt()
{
    writeAll(file(), "[Accesso]\r\nValore=67061BBC 3165327409\r\n");
    startAtLogin();
    type(login()->txtPassword(), QStringLiteral("benvenuto"));
    QTest::mouseClick(control<QPushButton>(login(), "cmdOK"), Qt::LeftButton);
    QTest::keyClick(login()->txtPassword(), Qt::Key_Return);
    const QString damaged = kDamagedLogin.arg(QDir::toNativeSeparators(file()));
    QCOMPARE(plainMessages(), (QStringList{damaged, damaged}));
    QCOMPARE(login()->txtPassword()->text(), QStringLiteral("benvenuto"));
    QVERIFY(login()->isVisible());

    // Mended on disk (lower-case digits and an odd last digit are fine), the next attempt reads it anew.
    writeAll(file(), "[Accesso]\r\nValore=67061bbc3165327409F\r\n");
    QTest::keyClick(login()->txtPassword(), Qt::Key_Return);
    QCOMPARE(m_env->messages.shown.size(), 2);
    QVERIFY(m_env->flow().avvio()->isVisible());
}

void TestAccessScreens::esciEndsTheProgram()
{
    startAtLogin();
    QSignalSpy ended(&m_env->flow(), &ScreenFlow::terminateRequested);
    QTest::mouseClick(control<QPushButton>(login(), "cmdEsci"), Qt::LeftButton);
    QCOMPARE(ended.count(), 1);
    QVERIFY(!login()->isVisible());
}

void TestAccessScreens::changeScreenAsDesigned()
{
    openChangeScreen();
    TfrmCambiaPassword* screen = change();
    QCOMPARE(screen->windowTitle(), QStringLiteral(" Cambia password"));
    QCOMPARE(screen->size(), QSize(411, 418));
    QVERIFY(!control<QLabel>(screen, "imgLogo")->pixmap().isNull());
    QCOMPARE(control<QLabel>(screen, "lblRigo05")->text(), QStringLiteral("Vecchia password:"));
    QCOMPARE(control<QLabel>(screen, "lblRigo06")->text(), QStringLiteral("Nuova password:"));
    QCOMPARE(control<QLabel>(screen, "lblRigo07")->text(), QStringLiteral("Conferma nuova password:"));
    QCOMPARE(control<QPushButton>(screen, "cmdEsci")->text(), QStringLiteral("Chiudi"));
    QVERIFY(!control<QPushButton>(screen, "cmdOK")->isEnabled());

    const char* const fields[] = {"txtPasswordOld", "txtPasswordNew", "txtConferma"};
    const char* const halos[] = {"effPasswordOld", "effPasswordNew", "effConferma"};
    for (int i = 0; i < 3; ++i) {
        auto* field = control<QLineEdit>(screen, fields[i]);
        QCOMPARE(field->echoMode(), QLineEdit::Password);
        QCOMPARE(field->maxLength(), 255);
        QCOMPARE(field->font().pixelSize(), 14);
        QVERIFY(field->font().bold());
        field->setFocus();
        for (int j = 0; j < 3; ++j)
            QTRY_COMPARE(control<QWidget>(screen, halos[j])->isVisible(), i == j);
    }

    // Tab order: the three fields, "Chiudi", "OK" last.
    QWidget* widget = control<QLineEdit>(screen, "txtPasswordOld");
    QStringList order;
    for (int i = 0; i < 5; ++i) {
        order.append(widget->objectName());
        do
            widget = widget->nextInFocusChain();
        while (widget->focusPolicy() == Qt::NoFocus || !widget->isVisible());
    }
    QCOMPARE(order, (QStringList{QStringLiteral("txtPasswordOld"), QStringLiteral("txtPasswordNew"),
                                 QStringLiteral("txtConferma"), QStringLiteral("cmdEsci"),
                                 QStringLiteral("cmdOK")}));
}

void TestAccessScreens::changeOKNeedsAllThreeFields_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("all filled") << QStringLiteral("a") << QStringLiteral("b") << QStringLiteral("c") << true;
    QTest::newRow("old missing") << QString() << QStringLiteral("b") << QStringLiteral("c") << false;
    QTest::newRow("new blank") << QStringLiteral("a") << QStringLiteral("  ") << QStringLiteral("c") << false;
    QTest::newRow("confirmation missing") << QStringLiteral("a") << QStringLiteral("b") << QString() << false;
}

void TestAccessScreens::changeOKNeedsAllThreeFields()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, confirmation);
    QFETCH(bool, enabled);
    openChangeScreen();
    fillChange(old, fresh, confirmation);
    QCOMPARE(control<QPushButton>(change(), "cmdOK")->isEnabled(), enabled);
}

void TestAccessScreens::enterGoesRoundAndNeverPressesOK()
{
    openChangeScreen();
    const QByteArray before = readAll(file());
    fillChange(QStringLiteral("benvenuto"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    QVERIFY(control<QPushButton>(change(), "cmdOK")->isEnabled());
    const char* const ring[] = {"txtPasswordOld", "txtPasswordNew", "txtConferma", "txtPasswordOld"};
    for (int i = 0; i < 3; ++i) {
        auto* from = control<QLineEdit>(change(), ring[i]);
        from->setFocus();
        QTRY_COMPARE(QApplication::focusWidget(), from);
        QTest::keyClick(from, Qt::Key_Return);
        QTRY_COMPARE(QApplication::focusWidget(), control<QLineEdit>(change(), ring[i + 1]));
    }
    QVERIFY(m_env->messages.shown.isEmpty());
    QVERIFY(change()->isVisible());
    QCOMPARE(readAll(file()), before);
}

void TestAccessScreens::changeChecksInOrder_data()
{
    QTest::addColumn<QString>("old");
    QTest::addColumn<QString>("fresh");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("after"); // the three fields afterwards
    QTest::addColumn<QString>("focus");

    const QString euro = QStringLiteral("prezzo\u20AC");
    QTest::newRow("wrong old") << QStringLiteral("benvenuta") << QStringLiteral("nuova")
                               << QStringLiteral("nuova") << kWrongOld
                               << QStringList{QString(), QStringLiteral("nuova"), QStringLiteral("nuova")}
                               << QStringLiteral("txtPasswordOld");
    QTest::newRow("wrong old and not confirmed")
        << QStringLiteral("x") << QStringLiteral("a") << QStringLiteral("b") << kWrongOld
        << QStringList{QString(), QStringLiteral("a"), QStringLiteral("b")}
        << QStringLiteral("txtPasswordOld");
    QTest::newRow("not confirmed") << QStringLiteral("benvenuto") << QStringLiteral("nuova")
                                   << QStringLiteral("nuovo") << kNotConfirmed
                                   << QStringList{QStringLiteral("benvenuto"), QString(), QString()}
                                   << QStringLiteral("txtPasswordNew");
    QTest::newRow("confirmed in another case")
        << QStringLiteral("BenVenuto") << QStringLiteral("nuova") << QStringLiteral("NUOVA") << kNotConfirmed
        << QStringList{QStringLiteral("BenVenuto"), QString(), QString()} << QStringLiteral("txtPasswordNew");
    QTest::newRow("not confirmed and not storable")
        << QStringLiteral("benvenuto") << euro << QStringLiteral("prezzo") << kNotConfirmed
        << QStringList{QStringLiteral("benvenuto"), QString(), QString()} << QStringLiteral("txtPasswordNew");
    QTest::newRow("not storable") << QStringLiteral("benvenuto") << euro << euro << kNotStorable
                                  << QStringList{QStringLiteral("benvenuto"), QString(), QString()}
                                  << QStringLiteral("txtPasswordNew");
}

void TestAccessScreens::changeChecksInOrder()
{
    QFETCH(QString, old);
    QFETCH(QString, fresh);
    QFETCH(QString, confirmation);
    QFETCH(QString, message);
    QFETCH(QStringList, after);
    QFETCH(QString, focus);
    openChangeScreen();
    const QByteArray before = readAll(file());
    fillChange(old, fresh, confirmation);
    QTest::mouseClick(control<QPushButton>(change(), "cmdOK"), Qt::LeftButton);
    QCOMPARE(plainMessages(), QStringList{message});
    QCOMPARE((QStringList{control<QLineEdit>(change(), "txtPasswordOld")->text(),
                          control<QLineEdit>(change(), "txtPasswordNew")->text(),
                          control<QLineEdit>(change(), "txtConferma")->text()}),
             after);
    QTRY_COMPARE(QApplication::focusWidget()->objectName(), focus);
    QVERIFY(!control<QPushButton>(change(), "cmdOK")->isEnabled());
    QVERIFY(change()->isVisible());
    QCOMPARE(readAll(file()), before);
}

void TestAccessScreens::changedPasswordTakesEffectAtTheNextAttempt()
{
    openChangeScreen();
    fillChange(QStringLiteral("Benvenuto"), QStringLiteral("  nuova "), QStringLiteral("nuova"));
    QTest::mouseClick(control<QPushButton>(change(), "cmdOK"), Qt::LeftButton);
    QCOMPARE(plainMessages(), QStringList{kDone});
    QCOMPARE(PasswordStore(m_env->folder()).readValue(), CodificaPassword(QStringLiteral("NUOVA")));

    // Back on the login screen, empty and focused.
    QVERIFY(!change()->isVisible());
    QVERIFY(login()->isVisible());
    QCOMPARE(login()->txtPassword()->text(), QString());
    QVERIFY(QTest::qWaitForWindowActive(login()));
    QTRY_COMPARE(QApplication::focusWidget(), login()->txtPassword());

    type(login()->txtPassword(), QStringLiteral("benvenuto"));
    QTest::keyClick(login()->txtPassword(), Qt::Key_Return);
    QCOMPARE(plainMessages(), (QStringList{kDone, kWrong}));
    type(login()->txtPassword(), QStringLiteral("NuOvA"));
    QTest::keyClick(login()->txtPassword(), Qt::Key_Return);
    QCOMPARE(m_env->messages.shown.size(), 2);
    QVERIFY(m_env->flow().avvio()->isVisible());
}

void TestAccessScreens::failedWriteKeepsTheOldFile()
{
    const QString folder = deepProgramFolder(m_env->folder());
    if (folder.isEmpty())
        QSKIP("needs a file system with a 4096-byte path limit");
    m_env->context.programFolder = folder;
    storePassword(QStringLiteral("BENVENUTO"));
    const QByteArray before = readAll(file());
    QVERIFY(!before.isEmpty());

    openChangeScreen();
    fillChange(QStringLiteral("benvenuto"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    QTest::mouseClick(control<QPushButton>(change(), "cmdOK"), Qt::LeftButton);
    // What failed and what to do about it (Qt names no reason for a temporary file it cannot make).
    QCOMPARE(plainMessages().size(), 1);
    QCOMPARE(plainMessages().first(),
             kChangeFailed +
                 QStringLiteral("Il file della password \"%1\" non può essere scritto.\r\n\r\nControllare "
                                "che nella cartella del programma si possa scrivere e che il disco abbia "
                                "spazio libero (un disco di rete deve essere collegato), poi ripetere il "
                                "cambio della password.")
                     .arg(QDir::toNativeSeparators(file())));
    QCOMPARE(readAll(file()), before);
    QVERIFY(change()->isVisible());
    QCOMPARE(control<QLineEdit>(change(), "txtPasswordOld")->text(), QStringLiteral("benvenuto"));
    QCOMPARE(control<QLineEdit>(change(), "txtPasswordNew")->text(), QStringLiteral("nuova"));
    QCOMPARE(control<QLineEdit>(change(), "txtConferma")->text(), QStringLiteral("nuova"));
}

void TestAccessScreens::unreadableValueStopsTheChange()
{
    const QByteArray broken("[Accesso]\r\nValore=67061BBC3165327-09\r\n");
    writeAll(file(), broken);
    openChangeScreen();
    fillChange(QStringLiteral("benvenuto"), QStringLiteral("nuova"), QStringLiteral("nuova"));
    QTest::mouseClick(control<QPushButton>(change(), "cmdOK"), Qt::LeftButton);
    QCOMPARE(plainMessages().size(), 1);
    QVERIFY2(plainMessages().first().startsWith(kChangeFailed + QStringLiteral("Il file della password \"") +
                                                QDir::toNativeSeparators(file()) +
                                                QStringLiteral("\" è danneggiato")),
             qPrintable(plainMessages().first()));
    QCOMPARE(readAll(file()), broken);
    QVERIFY(change()->isVisible());
    QCOMPARE(control<QLineEdit>(change(), "txtPasswordOld")->text(), QStringLiteral("benvenuto"));
    QVERIFY(control<QPushButton>(change(), "cmdOK")->isEnabled());
}

void TestAccessScreens::chiudiReturnsToAnEmptyLogin()
{
    startAtLogin();
    type(login()->txtPassword(), QStringLiteral("abc"));
    QTest::mouseClick(control<QPushButton>(login(), "btnCambiaPassword"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(change()));
    fillChange(QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c"));
    QTest::mouseClick(control<QPushButton>(change(), "cmdEsci"), Qt::LeftButton);
    QVERIFY(!change()->isVisible());
    QVERIFY(login()->isVisible());
    QCOMPARE(login()->txtPassword()->text(), QString());
    QCOMPARE(login()->lblMemory()->text(), QString());
    QVERIFY(!control<QPushButton>(login(), "cmdOK")->isEnabled());
    QVERIFY(QTest::qWaitForWindowActive(login()));
    QTRY_COMPARE(QApplication::focusWidget(), login()->txtPassword());

    // Shown again, the change screen starts empty.
    QTest::mouseClick(control<QPushButton>(login(), "btnCambiaPassword"), Qt::LeftButton);
    QVERIFY(QTest::qWaitForWindowActive(change()));
    for (const char* name : {"txtPasswordOld", "txtPasswordNew", "txtConferma"})
        QCOMPARE(control<QLineEdit>(change(), name)->text(), QString());
    QVERIFY(!control<QPushButton>(change(), "cmdOK")->isEnabled());
    QTRY_COMPARE(QApplication::focusWidget(), control<QLineEdit>(change(), "txtPasswordOld"));
    QVERIFY(m_env->messages.shown.isEmpty());
}

QTEST_MAIN(TestAccessScreens)
#include "tst_access_screens.moc"
