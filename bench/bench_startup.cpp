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

int runFolvara(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QTemporaryDir folder;
    DesktopPlatform platform(folder.path() + QLatin1Char('/'));
    installItalianTranslations(platform.context.programFolder);
    ScreenFlow flow(platform.context);
    flow.start();
    return QTest::qWaitForWindowExposed(flow.password()) ? 0 : 1;
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
        return runFolvara(argc, argv);

    QCoreApplication app(argc, argv);
    const QString self = QCoreApplication::applicationFilePath();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    timeChild(self, QStringLiteral("minimal")); // warm the caches
    const double minimal = timeChild(self, QStringLiteral("minimal"));
    const double folvara = timeChild(self, QStringLiteral("folvara"));
    printRatio("Start-up to the login window shown", folvara, "Minimal Qt Widgets window", minimal, 1.5);
    return 0;
}
