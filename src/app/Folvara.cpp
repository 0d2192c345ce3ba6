#include "access/Password.h"
#include "app/DataFolder.h"
#include "app/DataFolderAsker.h"
#include "app/ScreenFlow.h"
#include "app/Version.h"
#include "platform/DesktopPlatform.h"
#include "platform/MessageBoxes.h"
#include "privacy/erase/ProgramLeftovers.h"
#include "storage/ArchiveAccess.h"
#include "widgets/WindowCropper.h"

#include <QApplication>
#include <QDir>
#include <QSettings>
#include <QStandardPaths>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Folvara"));
    QApplication::setOrganizationName(QStringLiteral("Folvara"));
    QApplication::setApplicationVersion(QStringLiteral(FOLVARA_VERSION));
    QApplication::setQuitOnLastWindowClosed(false);

    const QString programFolder = QDir(QApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    DesktopPlatform platform(programFolder);
    // Qt's own texts come from beside the executable or from Qt's folder, never from the data.
    installItalianTranslations(programFolder);

    // The data stays beside the executable unless the program is installed.
    QSettings settings(QStringLiteral("Folvara"), QStringLiteral("Folvara"));
    DataFolderAsker asker(platform.context);
    const DataFolder::Start start{programFolder, qEnvironmentVariable("FOLVARA_HOME"),
                                  QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation),
                                  DataFolder::installedLayout(programFolder, QStringLiteral(FOLVARA_BINDIR))};
    const DataFolder::Choice choice = DataFolder::decide(start, settings, asker);
    if (choice.folder.isEmpty()) {
        if (choice.source != DataFolder::Source::Chosen)
            platform.context.messages->error(nullptr, choice.error);
        return 1;
    }
    platform.context.programFolder = choice.folder;
    const QString unprepared = DataFolder::prepare(choice.folder);
    if (!unprepared.isEmpty()) {
        platform.context.messages->error(nullptr, unprepared);
        return 1;
    }

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
