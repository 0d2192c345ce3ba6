#include "app/ScreenFlow.h"
#include "platform/DesktopPlatform.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Folvara"));
    QApplication::setQuitOnLastWindowClosed(false);

    DesktopPlatform platform(QDir(QApplication::applicationDirPath()).absolutePath() + QLatin1Char('/'));
    installItalianTranslations(platform.context.programFolder);

    ScreenFlow flow(platform.context);
    flow.endProgramOnTerminate();
    flow.start();
    return QApplication::exec();
}
