// Start-up until the login window is shown, against a minimal Qt Widgets window started the same way.
// The parent runs itself as a child process in each mode and times it from start to exit.
#include "BenchTimer.h"
#include "access/Password.h"
#include "app/ScreenFlow.h"
#include "platform/DesktopPlatform.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

namespace {

int runMinimal(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // The smallest real window: one labelled button, so that fonts and style load as they must anyway.
    QWidget window;
    window.resize(388, 405);
    QPushButton button(QStringLiteral("OK"), &window);
    window.show();
    return QTest::qWaitForWindowExposed(&window) ? 0 : 1;
}

// Until the login window is shown; with `everything`, until the other main screens, built
// after it, are there too.
int runFolvara(int argc, char* argv[], bool everything)
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    DesktopPlatform platform(folder.path() + QLatin1Char('/'));
    installItalianTranslations(platform.context.programFolder);
    ScreenFlow flow(platform.context);
    flow.start();
    if (!QTest::qWaitForWindowExposed(flow.password()))
        return 1;
    if (everything)
        flow.buildAll();
    return 0;
}

double timeChild(const QString& self, const QString& mode)
{
    return bestOf(7, [&] {
        QProcess child;
        child.start(self, {mode});
        if (!child.waitForFinished(60000) || child.exitCode() != 0)
            qFatal("child %s failed", qPrintable(mode));
    });
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc == 2 && qstrcmp(argv[1], "minimal") == 0)
        return runMinimal(argc, argv);
    if (argc == 2 && qstrcmp(argv[1], "folvara") == 0)
        return runFolvara(argc, argv, false);
    if (argc == 2 && qstrcmp(argv[1], "folvara-all") == 0)
        return runFolvara(argc, argv, true);

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    timeChild(self, QStringLiteral("minimal")); // warm the caches
    const double minimal = timeChild(self, QStringLiteral("minimal"));
    const double folvara = timeChild(self, QStringLiteral("folvara"));
    const double everything = timeChild(self, QStringLiteral("folvara-all"));
    printRatio("Start-up to the login window shown", folvara, "Minimal Qt Widgets window", minimal, 1.3);
    std::printf("with the other six main screens built after it: %.2f ms (%.2f x the minimal window)\n",
                everything, everything / minimal);
    return 0;
}
