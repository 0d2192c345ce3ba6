#include "storage/ArchiveLock.h"

#include "storage/ArchiveError.h"
#include "storage/LockHolder.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QStandardPaths>

namespace {

// The canonical path of an archive, worked out once per path: on a share every step costs a trip.
QString canonicalPath(const QString& path)
{
    static QMutex mutex;
    static QHash<QString, QString> known;
    const QFileInfo info(path);
    const QString absolute = info.absoluteFilePath();
    const QMutexLocker locker(&mutex);
    const auto found = known.constFind(absolute);
    if (found != known.constEnd())
        return found.value();
    QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    if (folder.isEmpty())
        folder = info.absolutePath();
    const QString canonical = QDir(folder).filePath(info.fileName());
    known.insert(absolute, canonical);
    return canonical;
}

[[noreturn]] void fail(const QString& path, const FileLock::Result& result)
{
    const QString reason = FileLock::errorText(result.systemError);
    if (result.outcome == FileLock::Outcome::CannotLock)
        throw ArchiveError(QStringLiteral("cannot lock %1: %2").arg(path, reason),
                           LockHolder::cannotLockMessage(path, reason));
    if (result.outcome == FileLock::Outcome::Busy)
        throw ArchiveError(QStringLiteral("%1 is busy").arg(path),
                           LockHolder::busyMessage(path, LockHolder::read(path)));
    throw ArchiveError(QStringLiteral("cannot lock %1: %2").arg(path, reason));
}

} // namespace

ArchiveLock::ArchiveLock(const ArchiveFileSystem& calls)
    : m_calls(calls)
{
}

ArchiveLock::~ArchiveLock()
{
    try {
        release(false);
    } catch (const ArchiveError&) {
        // released all the same
    }
}

QString ArchiveLock::localLockPath(const QString& archivePath)
{
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty())
        folder = QDir::tempPath();
    const QByteArray key =
        QCryptographicHash::hash(canonicalPath(archivePath).toUtf8(), QCryptographicHash::Sha1).toHex();
    return QDir(folder).filePath(QStringLiteral("folvara-") + QString::fromLatin1(key.left(24)) +
                                 QStringLiteral(".lock"));
}

void ArchiveLock::acquire(const QString& path, int waitMs)
{
    release(false);
    const QDeadlineTimer deadline(waitMs);
    // The local lock only orders this workstation's programs: without a runtime folder the
    // archive's own lock still excludes everyone.
    m_local.setFileName(localLockPath(path));
    if (m_local.open(QIODevice::ReadWrite)) {
        const FileLock::Result local = FileLock::lockExclusive(m_local, waitMs);
        if (local.outcome == FileLock::Outcome::Busy) {
            m_local.close();
            fail(path, local);
        }
        if (!local.held())
            m_local.close();
    }

    m_file.setFileName(path);
    // ReadWrite creates a missing file empty and never truncates an existing one.
    // Unbuffered: every read and write goes straight to the locked descriptor.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered)) {
        const QString error = m_file.errorString();
        release(false);
        throw ArchiveError(QStringLiteral("cannot open %1: %2").arg(path, error));
    }
    const FileLock::Result result = m_calls.lock(m_file, int(qMax<qint64>(0, deadline.remainingTime())));
    if (!result.held()) {
        m_file.close();
        release(false);
        fail(path, result);
    }
    m_size = m_calls.size(m_file);
    if (m_size < 0) {
        const QString error = m_file.errorString();
        release(false);
        throw ArchiveError(QStringLiteral("cannot tell the length of %1: %2").arg(path, error));
    }
    LockHolder::write(path, LockHolder::thisWorkstation(QDateTime::currentDateTime()));
}

void ArchiveLock::release(bool sync)
{
    bool synced = true;
    if (m_file.isOpen()) {
        if (sync)
            synced = m_calls.sync(m_file);
        // Gone while the lock is still ours, so that it never removes the next holder's note.
        QFile::remove(LockHolder::pathFor(m_file.fileName()));
        m_calls.unlock(m_file);
        m_file.close();
    }
    if (m_local.isOpen()) {
        FileLock::unlock(m_local);
        m_local.close();
    }
    m_size = 0;
    if (!synced)
        throw ArchiveError(QStringLiteral("cannot sync %1").arg(m_file.fileName()));
}
