#include "access/Password.h"
#include "app/ScreenFlow.h"
#include "platform/DesktopPlatform.h"
#include "platform/MessageBoxes.h"
#include "privacy/erase/ProgramLeftovers.h"
#include "storage/ArchiveAccess.h"
#include "widgets/WindowCropper.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Folvara"));
    QApplication::setQuitOnLastWindowClosed(false);

    DesktopPlatform platform(QDir(QApplication::applicationDirPath()).absolutePath() + QLatin1Char('/'));
    installItalianTranslations(platform.context.programFolder);
    WindowCropper cropper(platform.context);
    platform.context.cropper = &cropper;

    // Temporary files of writes stopped midway may hold personal data: they go at every start.
    ProgramLeftovers::sweep(platform.context.programFolder);
    ScreenFlow flow(platform.context);
    flow.endProgramOnTerminate();
    flow.start();
    // A shared folder mounted so that its locks or its cache protect nothing opens the archives
    // read-only, unless this is the only workstation; told once, at start-up.
    const QString readOnly = ArchiveAccess::decide(platform.context.programFolder);
    if (!readOnly.isEmpty())
        platform.context.messages->warning(flow.password(), readOnly);
    return QApplication::exec();
}
