#include "platform/QtLockWait.h"

#include <QApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QThread>
#include <QTimer>

bool QtLockWait::wait(const QString& what, const std::function<bool()>& done, QDeadlineTimer deadline)
{
    if (!qobject_cast<QApplication*>(QCoreApplication::instance()) ||
        QThread::currentThread() != QCoreApplication::instance()->thread()) {
        while (!done() && !deadline.hasExpired())
            QThread::msleep(5);
        return true;
    }
    if (done())
        return true;

    QEventLoop loop;
    QTimer poll;
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done() || deadline.hasExpired())
            loop.quit();
    });
    poll.start();
    // A short wait keeps the user's clicks and keys for after it: nothing else starts meanwhile.
    QTimer::singleShot(kShowAfterMs, &loop, &QEventLoop::quit);
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (done() || deadline.hasExpired())
        return true;

    // Modal: only its "Annulla" takes input while it is shown.
    QProgressDialog window(QStringLiteral("In attesa di \"%1\"…").arg(what), QStringLiteral("Annulla"), 0, 0,
                           QApplication::activeWindow());
    window.setObjectName(QStringLiteral("dlgAttesaArchivio"));
    window.setWindowTitle(QStringLiteral(" Folvara"));
    window.setWindowModality(Qt::ApplicationModal);
    window.setAutoClose(false);
    window.setAutoReset(false);
    window.setMinimumDuration(0);
    bool cancelled = false;
    const auto annulla = [&] {
        cancelled = true;
        loop.quit();
    };
    QObject::connect(&window, &QProgressDialog::canceled, &loop, annulla);
    // Esc closes the window without "canceled".
    QObject::connect(&window, &QDialog::rejected, &loop, annulla);
    window.show();
    loop.exec();
    return !cancelled;
}
