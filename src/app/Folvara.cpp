#include "app/ScreenFlow.h"
#include "platform/AppContext.h"
#include "platform/FileDialogs.h"
#include "platform/MessageBoxes.h"
#include "platform/ModalRunner.h"
#include "platform/ShellOpener.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QTranslator>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Folvara"));
    QApplication::setQuitOnLastWindowClosed(false);

    // Qt's own Italian texts for the standard buttons and dialogs.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        qtTranslator.load(QStringLiteral("qtbase_it"), QApplication::applicationDirPath() +
                                                           QStringLiteral("/translations")))
        QApplication::installTranslator(&qtTranslator);

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

    ScreenFlow flow(context);
    QObject::connect(&flow, &ScreenFlow::terminateRequested, &app, &QApplication::quit, Qt::QueuedConnection);
    flow.start();
    return QApplication::exec();
}
