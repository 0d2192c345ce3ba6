#include "platform/FileLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <sys/file.h>
#endif

namespace {

bool tryLock(QFile& file)
{
#ifdef Q_OS_WIN
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    OVERLAPPED overlapped = {};
    return LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                      &overlapped);
#else
    return ::flock(file.handle(), LOCK_EX | LOCK_NB) == 0;
#endif
}

} // namespace

bool FileLock::lockExclusive(QFile& file, int timeoutMs)
{
    if (file.handle() < 0)
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    while (!tryLock(file)) {
        if (deadline.hasExpired())
            return false;
        QThread::msleep(10);
    }
    return true;
}

void FileLock::unlock(QFile& file)
{
    if (file.handle() < 0)
        return;
#ifdef Q_OS_WIN
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
    OVERLAPPED overlapped = {};
    UnlockFileEx(handle, 0, MAXDWORD, MAXDWORD, &overlapped);
#else
    ::flock(file.handle(), LOCK_UN);
#endif
}
