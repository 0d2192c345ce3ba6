#include "platform/FileLock.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#endif

namespace {

#ifdef Q_OS_WIN
HANDLE handleOf(QFile& file)
{
    return reinterpret_cast<HANDLE>(_get_osfhandle(file.handle()));
}
#endif

FileLock::Result refused(int error)
{
    return {FileLock::meaningOf(error), error};
}

} // namespace

FileLock::Outcome FileLock::meaningOf(int systemError)
{
#ifdef Q_OS_WIN
    switch (systemError) {
    case ERROR_LOCK_VIOLATION:
    case ERROR_SHARING_VIOLATION:
        return Outcome::Busy;
    case ERROR_NOT_SUPPORTED:
    case ERROR_INVALID_FUNCTION:
    case ERROR_NOT_LOCKED:
        return Outcome::CannotLock;
    default:
        return Outcome::Failure;
    }
#else
    switch (systemError) {
    case EAGAIN:
#if EWOULDBLOCK != EAGAIN
    case EWOULDBLOCK:
#endif
    case EACCES: // SMB mounts report a held byte-range lock so
    case EINTR:
        return Outcome::Busy;
    case ENOLCK:
    case EOPNOTSUPP:
#if ENOTSUP != EOPNOTSUPP
    case ENOTSUP:
#endif
    case EINVAL:
    case EIO:
    case ENOSYS:
        return Outcome::CannotLock;
    default:
        return Outcome::Failure;
    }
#endif
}

FileLock::Result FileLock::tryLock(QFile& file)
{
    if (file.handle() < 0)
        return {Outcome::Failure, 0};
#ifdef Q_OS_WIN
    OVERLAPPED overlapped = {};
    if (LockFileEx(handleOf(file), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, MAXDWORD, MAXDWORD,
                   &overlapped))
        return {Outcome::Held, 0};
    return refused(int(GetLastError()));
#else
    const int fd = file.handle();
#ifdef F_OFD_SETLK
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET; // l_start 0, l_len 0: the whole file, however long it grows
    if (::fcntl(fd, F_OFD_SETLK, &whole) == 0)
        return {Outcome::Held, 0};
    const int error = errno;
    if (meaningOf(error) != Outcome::CannotLock)
        return refused(error);
#endif
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0)
        return {Outcome::Held, 0};
    return refused(errno);
#endif
}

FileLock::Result FileLock::lockExclusive(QFile& file, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const Result result = tryLock(file);
        if (result.outcome != Outcome::Busy || deadline.hasExpired())
            return result;
        QThread::msleep(10);
    }
}

void FileLock::unlock(QFile& file)
{
    if (file.handle() < 0)
        return;
#ifdef Q_OS_WIN
    OVERLAPPED overlapped = {};
    UnlockFileEx(handleOf(file), 0, MAXDWORD, MAXDWORD, &overlapped);
#else
    const int fd = file.handle();
#ifdef F_OFD_SETLK
    struct flock whole = {};
    whole.l_type = F_UNLCK;
    whole.l_whence = SEEK_SET;
    ::fcntl(fd, F_OFD_SETLK, &whole);
#endif
    ::flock(fd, LOCK_UN);
#endif
}

qint64 FileLock::sizeOf(QFile& file)
{
    if (file.handle() < 0)
        return -1;
#ifdef Q_OS_WIN
    LARGE_INTEGER size = {};
    return GetFileSizeEx(handleOf(file), &size) ? qint64(size.QuadPart) : -1;
#else
    // Seeking to the end asks the server; fstat() may answer from attributes cached on the client.
    const off_t end = ::lseek(file.handle(), 0, SEEK_END);
    return end < 0 ? -1 : qint64(end);
#endif
}

bool FileLock::sync(QFile& file)
{
    if (file.handle() < 0)
        return false;
#ifdef Q_OS_WIN
    return FlushFileBuffers(handleOf(file));
#else
    return ::fsync(file.handle()) == 0;
#endif
}

QString FileLock::errorText(int systemError)
{
#ifdef Q_OS_WIN
    return QStringLiteral("errore %1").arg(systemError);
#else
    return QString::fromLocal8Bit(std::strerror(systemError));
#endif
}
