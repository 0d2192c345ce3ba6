#include "access/CambiaPassword.h"
#include "access/Password.h"
#include "app/Avvio.h"
#include "app/Guida.h"
#include "app/ScreenFlow.h"
#include "groups/ApriCatalogo.h"
#include "groups/CreaCatalogo.h"
#include "groups/ListinoPrezzi.h"
#include "registry/Candidati.h"
#include "support/KeyboardWalk.h"
#include "support/TestEnvironment.h"

#include "app/Info.h"
#include "app/Splash.h"
#include "checks/CodFisc.h"
#include "checks/PartitaIVA.h"
#include "documents/AnteprimaCandidati.h"
#include "documents/AnteprimaProdotto.h"
#include "documents/ExpCandidati.h"
#include "documents/StampaCandidati.h"
#include "documents/StampaProdotto.h"
#include "registry/AllegaCartella.h"
#include "registry/WebCam.h"
#include "registry/Zoom.h"
#include "search/DaRicontattare.h"
#include "search/TrovaCandidati.h"
#include "widgets/ImageButton.h"
#include "widgets/Screen.h"

#include <QAccessible>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <functional>

namespace {

void click(QWidget* screen, const char* name)
{
    auto* control = screen->findChild<QWidget*>(QString::fromLatin1(name));
    QVERIFY2(control, name);
    QVERIFY2(control->isEnabled(), name);
    QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center());
}

// Only the given main screen is visible.
void expectOnly(ScreenFlow& flow, const QWidget* visible)
{
    const QWidget* const all[] = {flow.password(),     flow.avvio(),        flow.cambiaPassword(),
                                  flow.creaCatalogo(), flow.apriCatalogo(), flow.listinoPrezzi(),
                                  flow.candidati()};
    for (const QWidget* screen : all)
        QCOMPARE(screen->isVisible(), screen == visible);
}

} // namespace

class TestFlow : public QObject {
    Q_OBJECT

private slots:
    void startShowsOnlyTheLogin();
    void otherScreensAreBuiltOnceTheLoginIsDrawn();
    void changePasswordAndBackLeavesEmptyFocusedField();
    void launcherOpensEachWorkScreen_data();
    void launcherOpensEachWorkScreen();
    void screenReaderPressesImageButtons();
    void launcherIsWorkedByTheKeyboard_data();
    void launcherIsWorkedByTheKeyboard();
    void launcherReadsOnceEachCommand();
    void workScreensReturnToLauncherOnClose_data();
    void workScreensReturnToLauncherOnClose();
    void launcherCloseAndExitTerminate_data();
    void launcherCloseAndExitTerminate();
    void loginExitTerminates();
    void realLoopEnds_data();
    void realLoopEnds();
    void realLoopSwitchesScreens();
    void openGroupHandsTheGroupToThePageEditor_data();
    void openGroupHandsTheGroupToThePageEditor();
    void openGroupWithoutSelectionWarns();
    void launcherSecondaryScreens();
    void launcherControlsDoNotOverlap();
    void webBannerOpensTheMakersAddress();
    void everyScreenHasItsCaptionSizeAndStyle_data();
    void everyScreenHasItsCaptionSizeAndStyle();
    void escapeClosesAsEsciDoes();
};

void TestFlow::startShowsOnlyTheLogin()
{
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.start();
    expectOnly(flow, flow.password());
    QVERIFY(QTest::qWaitForWindowActive(flow.password()));
    QCOMPARE(QApplication::focusWidget(), flow.password()->txtPassword());
    // Nothing is read or created at start-up.
    QVERIFY(QDir(env.folder()).isEmpty());
}

void TestFlow::otherScreensAreBuiltOnceTheLoginIsDrawn()
{
    const auto mainScreens = [] {
        int count = 0;
        for (QWidget* window : QApplication::topLevelWidgets())
            count += qobject_cast<MainScreen*>(window) ? 1 : 0;
        return count;
    };
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    QCOMPARE(mainScreens(), 1);
    flow.start();
    QCOMPARE(mainScreens(), 1);
    // The event loop builds the other six after the login has been drawn, unasked.
    QVERIFY(QTest::qWaitForWindowExposed(flow.password()));
    QTRY_COMPARE(mainScreens(), 7);
    const QWidget* const launcher = flow.avvio();
    QCOMPARE(flow.avvio(), launcher);
    expectOnly(flow, flow.password());
}

void TestFlow::changePasswordAndBackLeavesEmptyFocusedField()
{
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.start();
    flow.password()->txtPassword()->setText(QStringLiteral("qualcosa"));
    click(flow.password(), "btnCambiaPassword");
    expectOnly(flow, flow.cambiaPassword());

    click(flow.cambiaPassword(), "cmdEsci");
    expectOnly(flow, flow.password());
    QVERIFY(flow.password()->txtPassword()->text().isEmpty());
    QVERIFY(QTest::qWaitForWindowActive(flow.password()));
    QTRY_COMPARE(QApplication::focusWidget(), flow.password()->txtPassword());
}

void TestFlow::launcherOpensEachWorkScreen_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<int>("target"); // 0 registry, 1 new group, 2 open group
    QTest::newRow("imgApp01") << "imgApp01" << 0;
    QTest::newRow("btnApp01") << "btnApp01" << 0;
    QTest::newRow("imgApp02") << "imgApp02" << 1;
    QTest::newRow("btnApp02") << "btnApp02" << 1;
    QTest::newRow("imgApp03") << "imgApp03" << 2;
    QTest::newRow("btnApp03") << "btnApp03" << 2;
}

void TestFlow::launcherOpensEachWorkScreen()
{
    QFETCH(QString, control);
    QFETCH(int, target);
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.switchTo(flow.avvio(), nullptr);
    auto* image = flow.avvio()->findChild<QWidget*>(control);
    QVERIFY(image);
    QCOMPARE(image->cursor().shape(), Qt::PointingHandCursor);
    click(flow.avvio(), control.toLatin1().constData());
    const QWidget* const targets[] = {flow.candidati(), flow.creaCatalogo(), flow.apriCatalogo()};
    expectOnly(flow, targets[target]);
    QVERIFY(targets[target]->isMaximized());
}

// A screen reader sees every image button as a named push button and can press it.
void TestFlow::screenReaderPressesImageButtons()
{
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    QWidget* const screens[] = {flow.password(),     flow.avvio(),        flow.cambiaPassword(),
                                flow.creaCatalogo(), flow.apriCatalogo(), flow.listinoPrezzi(),
                                flow.candidati()};
    int buttons = 0;
    for (QWidget* screen : screens) {
        for (ImageButton* button : screen->findChildren<ImageButton*>()) {
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
            QVERIFY(accessible);
            const QString what = screen->objectName() + QLatin1Char('.') + button->objectName();
            QVERIFY2(accessible->role() == QAccessible::Button, qPrintable(what));
            QVERIFY2(!accessible->text(QAccessible::Name).isEmpty(), qPrintable(what));
            QVERIFY(accessible->actionInterface());
            QVERIFY2(accessible->actionInterface()->actionNames().contains(
                         QAccessibleActionInterface::pressAction()),
                     qPrintable(what));
            ++buttons;
        }
    }
    QVERIFY(buttons > 20);
    // Each main screen is a window to the reader, each secondary one a dialog.
    for (QWidget* screen : screens)
        QCOMPARE(QAccessible::queryAccessibleInterface(screen)->role(), QAccessible::Window);
    TfrmInfo info(env.context, flow.avvio());
    QCOMPARE(QAccessible::queryAccessibleInterface(&info)->role(), QAccessible::Dialog);

    flow.switchTo(flow.avvio(), nullptr);
    auto* archivio = flow.avvio()->findChild<ImageButton*>(QStringLiteral("imgApp01"));
    QVERIFY(archivio);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(archivio);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("ARCHIVIO ANAGRAFICO"));
    accessible->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    // The press arrives through the event loop, as a push button's does.
    QVERIFY(flow.avvio()->isVisible());
    QTRY_VERIFY(flow.candidati()->isVisible());
    expectOnly(flow, flow.candidati());
}

void TestFlow::launcherIsWorkedByTheKeyboard_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("screen"); // 0 registry editor, 1 create group, 2 open group
    QTest::newRow("Enter on ARCHIVIO ANAGRAFICO") << "btnApp01" << int(Qt::Key_Return) << 0;
    QTest::newRow("Space on CREA NUOVO GRUPPO") << "btnApp02" << int(Qt::Key_Space) << 1;
    QTest::newRow("keypad Enter on APRI GRUPPO ESISTENTE") << "btnApp03" << int(Qt::Key_Enter) << 2;
}

void TestFlow::launcherIsWorkedByTheKeyboard()
{
    QFETCH(QString, button);
    QFETCH(int, key);
    QFETCH(int, screen);
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.switchTo(flow.avvio(), nullptr);
    QWidget* launcher = flow.avvio();
    launcher->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(launcher));
    launcher->findChild<QWidget*>(QStringLiteral("imgInfo"))->setFocus();
    // Every command once, in reading order, and Tab comes back round.
    const QStringList expected{QStringLiteral("imgInfo"),     QStringLiteral("imgGuida"),
                               QStringLiteral("btnApp01"),    QStringLiteral("btnApp02"),
                               QStringLiteral("btnApp03"),    QStringLiteral("imgCopyright"),
                               QStringLiteral("imgScadenze"), QStringLiteral("imgSito"),
                               QStringLiteral("imgBackup"),   QStringLiteral("imgEsci")};
    QCOMPARE(KeyboardWalk::tabCycle(launcher), expected);
    // Shift+Tab goes back.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("imgEsci"));

    auto* command = launcher->findChild<ImageButton*>(button);
    command->setFocus();
    QTest::keyClick(command, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QWidget* const targets[] = {flow.candidati(), flow.creaCatalogo(), flow.apriCatalogo()};
    expectOnly(flow, targets[screen]);
}

void TestFlow::launcherReadsOnceEachCommand()
{
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.switchTo(flow.avvio(), nullptr);
    QStringList names;
    for (ImageButton* button : flow.avvio()->findChildren<ImageButton*>()) {
        const bool hidden = KeyboardWalk::hiddenFromReader(button);
        // A picture above its caption is the caption's command: hidden, and never focused.
        QCOMPARE(hidden, button->objectName().startsWith(QStringLiteral("imgApp")));
        QCOMPARE(button->focusPolicy() == Qt::NoFocus, hidden);
        if (!hidden)
            names.append(KeyboardWalk::accessibleName(button));
    }
    QCOMPARE(names.size(), 10);
    QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
    for (const char* picture : {"imgTitolo", "imgSottotitolo"}) {
        auto* title = flow.avvio()->findChild<Picture*>(QString::fromLatin1(picture));
        QVERIFY(!KeyboardWalk::hiddenFromReader(title));
        QVERIFY(!KeyboardWalk::accessibleName(title).isEmpty());
    }
    QCOMPARE(KeyboardWalk::accessibleName(flow.avvio()->findChild<Picture*>(QStringLiteral("imgTitolo"))),
             QStringLiteral("Folvara"));
}

void TestFlow::workScreensReturnToLauncherOnClose_data()
{
    QTest::addColumn<int>("screen");
    QTest::addColumn<QString>("control"); // empty: the window close button
    QTest::newRow("registry, exit") << 0 << "cmdEsci";
    QTest::newRow("registry, close button") << 0 << "";
    QTest::newRow("new group, cancel") << 1 << "btnAnnulla";
    QTest::newRow("new group, close button") << 1 << "";
    QTest::newRow("open group, cancel") << 2 << "btnAnnulla";
    QTest::newRow("open group, close button") << 2 << "";
    QTest::newRow("page editor, exit") << 3 << "cmdEsci";
    QTest::newRow("page editor, close button") << 3 << "";
}

void TestFlow::workScreensReturnToLauncherOnClose()
{
    QFETCH(int, screen);
    QFETCH(QString, control);
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    MainScreen* const screens[] = {flow.candidati(), flow.creaCatalogo(), flow.apriCatalogo(),
                                   flow.listinoPrezzi()};
    MainScreen* work = screens[screen];
    flow.switchTo(work, nullptr);
    QSignalSpy terminated(&flow, &ScreenFlow::terminateRequested);
    if (control.isEmpty())
        work->close();
    else
        click(work, control.toLatin1().constData());
    expectOnly(flow, flow.avvio());
    QCOMPARE(terminated.count(), 0);
}

void TestFlow::launcherCloseAndExitTerminate_data()
{
    QTest::addColumn<bool>("closeButton");
    QTest::newRow("window close button") << true;
    QTest::newRow("imgEsci") << false;
}

void TestFlow::launcherCloseAndExitTerminate()
{
    QFETCH(bool, closeButton);
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.switchTo(flow.avvio(), nullptr);
    QSignalSpy terminated(&flow, &ScreenFlow::terminateRequested);
    if (closeButton)
        flow.avvio()->close();
    else
        click(flow.avvio(), "imgEsci");
    QCOMPARE(terminated.count(), 1);
}

void TestFlow::loginExitTerminates()
{
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.start();
    QSignalSpy terminated(&flow, &ScreenFlow::terminateRequested);
    click(flow.password(), "cmdEsci");
    QCOMPARE(terminated.count(), 1);
    QVERIFY(!flow.password()->isVisible());
}

void TestFlow::realLoopEnds_data()
{
    QTest::addColumn<bool>("fromLauncher");
    QTest::addColumn<QString>("control"); // empty: the window close button
    QTest::newRow("launcher, imgEsci") << true << "imgEsci";
    QTest::newRow("launcher, close button") << true << "";
    QTest::newRow("login, cmdEsci") << false << "cmdEsci";
    QTest::newRow("login, close button") << false << "";
}

// The application's own event loop, connected as main() connects it, returns 0.
void TestFlow::realLoopEnds()
{
    QFETCH(bool, fromLauncher);
    QFETCH(QString, control);
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.endProgramOnTerminate();
    MainScreen* const screen = fromLauncher ? static_cast<MainScreen*>(flow.avvio()) : flow.password();
    if (fromLauncher)
        flow.switchTo(flow.avvio(), nullptr);
    else
        flow.start();
    QVERIFY(QTest::qWaitForWindowExposed(screen));

    QTimer::singleShot(0, screen, [&] {
        if (control.isEmpty())
            screen->close();
        else
            click(screen, control.toLatin1().constData());
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    // A loop that never ends is stopped by the watchdog with 99 instead of hanging the run.
    watchdog.start(10000);
    QCOMPARE(QApplication::exec(), 0);
    // Nothing was written on the way out.
    QVERIFY(QDir(env.folder()).isEmpty());
}

// A whole journey on the application's own event loop: each step runs from the loop, as a user's
// click would, and checks which screen the previous one left on view.
void TestFlow::realLoopSwitchesScreens()
{
    TestEnvironment env;
    {
        QFile group(env.path(QStringLiteral("Gita a Roma.fvg")));
        QVERIFY(group.open(QIODevice::WriteOnly));
    }
    ScreenFlow& flow = env.flow();
    flow.endProgramOnTerminate();
    flow.switchTo(flow.avvio(), nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(flow.avvio()));

    struct Step {
        QWidget* expected; // the only screen on view before the step acts
        std::function<void()> act;
    };
    const QList<Step> steps = {
        {flow.avvio(), [&] { click(flow.avvio(), "imgApp01"); }},
        {flow.candidati(), [&] { click(flow.candidati(), "cmdEsci"); }},
        {flow.avvio(), [&] { click(flow.avvio(), "imgApp03"); }},
        {flow.apriCatalogo(),
         [&] {
             flow.apriCatalogo()->findChild<QListWidget*>(QStringLiteral("lstFiles"))->setCurrentRow(0);
             click(flow.apriCatalogo(), "btnApri");
         }},
        {flow.listinoPrezzi(), [&] { flow.listinoPrezzi()->close(); }},
        {flow.avvio(), [&] { click(flow.avvio(), "imgEsci"); }},
    };
    QWidget* const all[] = {flow.password(),     flow.avvio(),        flow.cambiaPassword(),
                            flow.creaCatalogo(), flow.apriCatalogo(), flow.listinoPrezzi(),
                            flow.candidati()};
    QStringList wrong;
    int next = 0;
    QTimer stepper;
    connect(&stepper, &QTimer::timeout, [&] {
        if (next >= steps.size())
            return;
        const Step& step = steps.at(next++);
        for (QWidget* screen : all) {
            if (screen->isVisible() != (screen == step.expected))
                wrong << QStringLiteral("step %1: %2").arg(next).arg(screen->objectName());
        }
        step.act();
    });
    stepper.start(50);
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    watchdog.start(30000);
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(next, steps.size());
    QCOMPARE(wrong, QStringList());
}

void TestFlow::openGroupHandsTheGroupToThePageEditor_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Apri archivio") << "button";
    QTest::newRow("Enter on the list") << "enter";
    QTest::newRow("double click") << "double";
}

void TestFlow::openGroupHandsTheGroupToThePageEditor()
{
    QFETCH(QString, how);
    TestEnvironment env;
    for (const char* name : {"Gita a Roma.fvg", "Under 14.fvg"}) {
        QFile file(env.path(QString::fromLatin1(name)));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }
    ScreenFlow& flow = env.flow();
    flow.switchTo(flow.apriCatalogo(), nullptr);
    auto* list = flow.apriCatalogo()->findChild<QListWidget*>(QStringLiteral("lstFiles"));
    QCOMPARE(list->count(), 2);
    QCOMPARE(flow.apriCatalogo()->lblMemory()->text(), QStringLiteral("avvio"));
    list->setCurrentRow(1);
    if (how == QLatin1String("button")) {
        click(flow.apriCatalogo(), "btnApri");
    } else if (how == QLatin1String("enter")) {
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Return);
    } else {
        const QPoint at = list->visualItemRect(list->item(1)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
    }
    expectOnly(flow, flow.listinoPrezzi());
    QCOMPARE(flow.listinoPrezzi()->groupName(), QStringLiteral("Under 14"));
    QCOMPARE(flow.listinoPrezzi()->groupFile(), env.path(QStringLiteral("Under 14.fvg")));
    QVERIFY(env.messages.shown.isEmpty());
}

void TestFlow::openGroupWithoutSelectionWarns()
{
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.switchTo(flow.apriCatalogo(), nullptr);
    click(flow.apriCatalogo(), "btnApri");
    QCOMPARE(env.messages.shown.size(), 1);
    QCOMPARE(env.messages.shown[0].kind, MessageKind::Warning);
    QCOMPARE(env.messages.lastText(), QStringLiteral("Attenzione: l'elenco non contiene nessun gruppo."));
    expectOnly(flow, flow.apriCatalogo());

    QFile file(env.path(QStringLiteral("Classe 3A.fvg")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    flow.apriCatalogo()->hide();
    flow.switchTo(flow.apriCatalogo(), nullptr); // refilled on showing, the first entry selected
    flow.apriCatalogo()->lstFiles()->clearSelection();
    click(flow.apriCatalogo(), "btnApri");
    QCOMPARE(env.messages.lastText(), QStringLiteral("Attenzione: selezionare il gruppo dall'elenco prima di "
                                                     "premere il pulsante Apri archivio."));
    expectOnly(flow, flow.apriCatalogo());
}

void TestFlow::launcherControlsDoNotOverlap()
{
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.switchTo(flow.avvio(), nullptr);
    // Every button and the web address stand apart: none covers another's click area.
    QList<QWidget*> controls;
    for (QWidget* widget : flow.avvio()->findChildren<QWidget*>()) {
        if (qobject_cast<ImageButton*>(widget) || widget->objectName() == QLatin1String("lblWeb"))
            controls.append(widget);
    }
    QVERIFY(controls.size() > 8);
    for (qsizetype i = 0; i < controls.size(); ++i) {
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            if (controls[i]->parentWidget() != controls[j]->parentWidget())
                continue;
            QVERIFY2(
                !controls[i]->geometry().intersects(controls[j]->geometry()),
                qPrintable(controls[i]->objectName() + QLatin1String(" / ") + controls[j]->objectName()));
        }
    }
}

void TestFlow::launcherSecondaryScreens()
{
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.switchTo(flow.avvio(), nullptr);
    QString helpTitle;
    QList<QPointer<QDialog>> opened;
    const auto closeWithChiudi = [&](QDialog& screen) {
        opened.append(&screen);
        QCOMPARE(screen.parentWidget(), flow.avvio());
        QVERIFY(screen.isModal());
        if (auto* title = screen.findChild<QLabel*>(QStringLiteral("lblTitolo")))
            helpTitle = title->text();
        QTest::mouseClick(screen.findChild<QPushButton*>(QStringLiteral("btnChiudi")), Qt::LeftButton);
        QVERIFY(!screen.isVisible());
    };
    for (int i = 0; i < 4; ++i)
        env.modal.scripts.append(closeWithChiudi);
    click(flow.avvio(), "imgGuida");
    click(flow.avvio(), "imgInfo");
    click(flow.avvio(), "imgCopyright");
    click(flow.avvio(), "imgInfo");
    QCOMPARE(env.modal.openedClasses,
             (QStringList{QStringLiteral("TfrmGuida"), QStringLiteral("TfrmInfo"),
                          QStringLiteral("TfrmSplash"), QStringLiteral("TfrmInfo")}));
    QCOMPARE(helpTitle, QStringLiteral("Uno sguardo a Folvara"));
    // Every opening was a fresh screen, destroyed once it closed.
    QCOMPARE(opened.size(), 4);
    for (const QPointer<QDialog>& screen : opened)
        QVERIFY(screen.isNull());
    expectOnly(flow, flow.avvio());
}

void TestFlow::webBannerOpensTheMakersAddress()
{
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.switchTo(flow.avvio(), nullptr);
    click(flow.avvio(), "imgSito");
    QCOMPARE(env.shell.opened, QStringList{TfrmAvvio::webAddress()});
}

void TestFlow::everyScreenHasItsCaptionSizeAndStyle_data()
{
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<int>("kind");
    QTest::addColumn<std::function<QWidget*(TestEnvironment&)>>("make");

    using Make = std::function<QWidget*(TestEnvironment&)>;
    const auto owned = [](auto tag) {
        using Screen = typename decltype(tag)::type;
        return Make([](TestEnvironment& env) -> QWidget* {
            return new Screen(env.context, env.flow().avvio()); // owned by the launcher
        });
    };
    const int fixed = int(WindowKind::Fixed);
    const int onCaller = int(WindowKind::FixedOnCaller);
    const int maximised = int(WindowKind::Maximised);
    const QSize big(1016, 713);
    const QSize small(364, 287);

    QTest::newRow("TfrmPassword") << " Folvara - Accesso" << QSize(388, 405) << fixed
                                  << Make([](TestEnvironment& e) -> QWidget* { return e.flow().password(); });
    QTest::newRow("TfrmAvvio") << " Folvara" << big << maximised
                               << Make([](TestEnvironment& e) -> QWidget* { return e.flow().avvio(); });
    QTest::newRow("TfrmCambiaPassword")
        << " Cambia password" << QSize(411, 418) << fixed
        << Make([](TestEnvironment& e) -> QWidget* { return e.flow().cambiaPassword(); });
    QTest::newRow("TfrmGuida") << " Guida all'utilizzo del software" << QSize(670, 572) << fixed
                               << owned(std::type_identity<TfrmGuida>());
    QTest::newRow("TfrmInfo") << " Informazioni su Folvara" << QSize(473, 579) << fixed
                              << owned(std::type_identity<TfrmInfo>());
    QTest::newRow("TfrmSplash") << " Folvara - realizzato da Folvara Software" << QSize(661, 467) << onCaller
                                << owned(std::type_identity<TfrmSplash>());
    QTest::newRow("TfrmCreaCatalogo")
        << " Folvara - Creazione nuovo gruppo" << big << maximised
        << Make([](TestEnvironment& e) -> QWidget* { return e.flow().creaCatalogo(); });
    QTest::newRow("TfrmAnteprimaProdotto")
        << " Anteprima di stampa" << small << onCaller << owned(std::type_identity<TfrmAnteprimaProdotto>());
    QTest::newRow("TfrmApriCatalogo")
        << " Folvara - Apertura gruppo esistente" << big << maximised
        << Make([](TestEnvironment& e) -> QWidget* { return e.flow().apriCatalogo(); });
    QTest::newRow("TfrmListinoPrezzi")
        << " Folvara - Schedario Gruppo" << big << maximised
        << Make([](TestEnvironment& e) -> QWidget* { return e.flow().listinoPrezzi(); });
    QTest::newRow("TfrmStampaProdotto")
        << " Stampa scheda" << small << onCaller << owned(std::type_identity<TfrmStampaProdotto>());
    QTest::newRow("TfrmCandidati") << " Folvara - Archivio Anagrafico" << big << maximised
                                   << Make([](TestEnvironment& e) -> QWidget* {
                                          return e.flow().candidati();
                                      });
    QTest::newRow("TfrmZoom") << " Fai clic sulla foto per chiudere questa finestra" << big << maximised
                              << owned(std::type_identity<TfrmZoom>());
    QTest::newRow("TfrmAllegaCartella")
        << " Allega file" << QSize(634, 534) << fixed << owned(std::type_identity<TfrmAllegaCartella>());
    QTest::newRow("TfrmCodFisc") << " Controllo codice fiscale" << QSize(478, 254) << fixed
                                 << owned(std::type_identity<TfrmCodFisc>());
    QTest::newRow("TfrmPartitaIva") << " Controllo partita IVA" << QSize(480, 254) << fixed
                                    << owned(std::type_identity<TfrmPartitaIva>());
    QTest::newRow("TfrmDaRicontattare") << " Riepilogo persone da ricontattare" << QSize(862, 560) << fixed
                                        << owned(std::type_identity<TfrmDaRicontattare>());
    QTest::newRow("TfrmWebCam") << " Cattura foto con webcam" << QSize(807, 405) << onCaller
                                << owned(std::type_identity<TfrmWebCam>());
    QTest::newRow("TfrmTrovaCandidati") << " Trova schede anagrafiche in archivio" << QSize(862, 560) << fixed
                                        << owned(std::type_identity<TfrmTrovaCandidati>());
    QTest::newRow("TfrmExpCandidati")
        << " Esportazione archivio anagrafico in Microsoft Excel" << QSize(862, 560) << fixed
        << owned(std::type_identity<TfrmExpCandidati>());
    QTest::newRow("TfrmAnteprimaCandidati")
        << " Anteprima di stampa" << small << onCaller << owned(std::type_identity<TfrmAnteprimaCandidati>());
    QTest::newRow("TfrmStampaCandidati")
        << " Stampa documento" << small << onCaller << owned(std::type_identity<TfrmStampaCandidati>());
}

void TestFlow::everyScreenHasItsCaptionSizeAndStyle()
{
    QFETCH(QString, caption);
    QFETCH(QSize, size);
    QFETCH(int, kind);
    QFETCH(std::function<QWidget*(TestEnvironment&)>, make);
    TestEnvironment env;
    QWidget* screen = make(env);
    QCOMPARE(screen->windowTitle(), caption);
    QVERIFY(screen->isWindow());
    QCOMPARE(screen->size(), size);
    const Qt::WindowFlags flags = screen->windowFlags();
    if (kind == int(WindowKind::Maximised)) {
        QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint) || !flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(screen->maximumSize().width() > size.width());
    } else {
        QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
        QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
        QVERIFY(!flags.testFlag(Qt::WindowMinMaxButtonsHint));
        QCOMPARE(screen->minimumSize(), size);
        QCOMPARE(screen->maximumSize(), size);
    }
}

void TestFlow::escapeClosesAsEsciDoes()
{
    TestEnvironment env;
    ScreenFlow& flow = env.flow();
    flow.start();
    // The login and the launcher end the program with Esci: Escape leaves them alone.
    QTest::keyClick(flow.password(), Qt::Key_Escape);
    QVERIFY(flow.password()->isVisible());
    flow.switchTo(flow.avvio(), flow.password());
    QTest::keyClick(flow.avvio(), Qt::Key_Escape);
    expectOnly(flow, flow.avvio());

    // A work screen goes back to the launcher, as its Esci or Annulla does.
    for (MainScreen* screen :
         {static_cast<MainScreen*>(flow.creaCatalogo()), static_cast<MainScreen*>(flow.apriCatalogo()),
          static_cast<MainScreen*>(flow.candidati())}) {
        flow.switchTo(screen, flow.avvio());
        expectOnly(flow, screen);
        QTest::keyClick(screen, Qt::Key_Escape);
        QTRY_VERIFY(flow.avvio()->isVisible());
        expectOnly(flow, flow.avvio());
    }

    TfrmInfo info(env.context, flow.avvio());
    info.show();
    QTest::keyClick(&info, Qt::Key_Escape);
    QVERIFY(!info.isVisible());
}

QTEST_MAIN(TestFlow)
#include "tst_flow.moc"
