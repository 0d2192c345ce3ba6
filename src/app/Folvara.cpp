#include "app/ScreenFlow.h"
#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "platform/ShellOpener.h"

#include <QApplication>
#include <QDir>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Folvara"));
    QApplication::setQuitOnLastWindowClosed(false);

    QtMessageBoxes messages;
    QtFileDialogs fileDialogs;
    DesktopShellOpener shell;
    ExecModalRunner modal;
    AppContext context;
    context.programFolder = QDir(QApplication::applicationDirPath()).absolutePath() + QLatin1Char('/');
    context.messages = &messages;
    context.fileDialogs = &fileDialogs;
    context.shell = &shell;
    context.modal = &modal;
    installItalianTranslations(context.programFolder);

    ScreenFlow flow(context);
    QObject::connect(&flow, &ScreenFlow::terminateRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    flow.start();
    return QApplication::exec();
}
