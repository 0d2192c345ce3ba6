#include "storage/ArchiveLock.h"

#include "platform/LockWait.h"
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

#include <condition_variable>
#include <exception>
#include <mutex>
#include <thread>

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

// Unlocks and closes what an operation holds, removing its holder note first.
bool letGo(const ArchiveFileSystem& calls, QFile& file, QFile& local, bool sync, bool note)
{
    bool synced = true;
    if (file.isOpen()) {
        if (sync)
            synced = calls.sync(file);
        // Gone while the lock is still ours, so that it never removes the next holder's note.
        if (note)
            QFile::remove(LockHolder::pathFor(file.fileName()));
        calls.unlock(file);
        file.close();
    }
    if (local.isOpen()) {
        FileLock::unlock(local);
        local.close();
    }
    return synced;
}

// The time the asking thread gives the worker past the wait, for its last call to answer.
constexpr int kAnswerMs = 1000;

} // namespace

// One taking of the lock, shared by the asking thread and the worker: whichever is last lets go.
struct ArchiveLock::Attempt {
    Attempt(const ArchiveFileSystem& c, const QString& p, int w, bool probe)
        : calls(c)
        , path(p)
        , waitMs(w)
        , probe(probe)
    {
    }

    void take();
    void run();

    const ArchiveFileSystem& calls;
    const QString path;
    const int waitMs;
    // The two-workstation check: no local lock, one try, no holder note, a refusal is an outcome.
    const bool probe;
    FileLock::Result outcome;
    std::unique_ptr<QFile> file = std::make_unique<QFile>();
    std::unique_ptr<QFile> local = std::make_unique<QFile>();
    qint64 size = 0;
    std::exception_ptr error;

    std::mutex mutex;
    std::condition_variable answered;
    bool finished = false;
    bool abandoned = false;
};

void ArchiveLock::Attempt::take()
{
    const QDeadlineTimer deadline(waitMs);
    // The local lock only orders this workstation's programs: without a runtime folder the
    // archive's own lock still excludes everyone.
    local->setFileName(localLockPath(path));
    if (!probe && local->open(QIODevice::ReadWrite)) {
        const FileLock::Result result = FileLock::lockExclusive(*local, waitMs);
        if (result.outcome == FileLock::Outcome::Busy) {
            local->close();
            fail(path, result);
        }
        if (!result.held())
            local->close();
    }

    file->setFileName(path);
    // ReadWrite creates a missing file empty and never truncates an existing one.
    // Unbuffered: every read and write goes straight to the locked descriptor.
    if (!file->open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        throw ArchiveError(QStringLiteral("cannot open %1: %2").arg(path, file->errorString()));
    outcome = calls.lock(*file, int(qMax<qint64>(0, deadline.remainingTime())));
    if (!outcome.held()) {
        file->close();
        if (probe)
            return;
        fail(path, outcome);
    }
    size = calls.size(*file);
    if (size < 0)
        throw ArchiveError(QStringLiteral("cannot tell the length of %1: %2").arg(path, file->errorString()));
    if (!probe)
        LockHolder::write(path, LockHolder::thisWorkstation(QDateTime::currentDateTime()));
}

void ArchiveLock::Attempt::run()
{
    try {
        take();
    } catch (...) {
        error = std::current_exception();
    }
    const std::lock_guard<std::mutex> guard(mutex);
    if (error || abandoned)
        letGo(calls, *file, *local, false, !probe);
    finished = true;
    answered.notify_all();
}

ArchiveLock::ArchiveLock(const ArchiveFileSystem& calls)
    : m_calls(calls)
    , m_file(std::make_unique<QFile>())
    , m_local(std::make_unique<QFile>())
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

QString ArchiveLock::cancelledMessage(const QString& archivePath)
{
    return QStringLiteral("L'attesa dell'archivio \"%1\" è stata annullata: l'operazione non è stata "
                          "eseguita.\r\n\r\nRiprovare tra qualche istante.")
        .arg(QFileInfo(archivePath).fileName());
}

void ArchiveLock::acquire(const QString& path, int waitMs)
{
    release(false);
    await(std::make_shared<Attempt>(m_calls, path, waitMs, false));
}

FileLock::Result ArchiveLock::tryFileLock(const QString& path)
{
    release(false);
    const auto attempt = std::make_shared<Attempt>(m_calls, path, 0, true);
    await(attempt);
    return attempt->outcome;
}

void ArchiveLock::await(const std::shared_ptr<Attempt>& attempt)
{
    const QString& path = attempt->path;
    std::thread([attempt] { attempt->run(); }).detach();

    const QDeadlineTimer deadline(attempt->waitMs + kAnswerMs);
    bool cancelled = false;
    if (LockWait* wait = LockWait::installed()) {
        const auto done = [&attempt] {
            const std::lock_guard<std::mutex> guard(attempt->mutex);
            return attempt->finished;
        };
        cancelled = !wait->wait(QFileInfo(path).fileName(), done, deadline);
    } else {
        std::unique_lock<std::mutex> guard(attempt->mutex);
        attempt->answered.wait_for(guard,
                                   std::chrono::milliseconds(qMax<qint64>(0, deadline.remainingTime())),
                                   [&attempt] { return attempt->finished; });
    }

    const std::lock_guard<std::mutex> guard(attempt->mutex);
    if (!attempt->finished) {
        // The call hangs: the worker lets go of the lock if it ever gets it. The holder note is
        // not read here, as reading the share may hang the same way.
        attempt->abandoned = true;
        if (cancelled)
            throw ArchiveError(QStringLiteral("waiting for %1 cancelled").arg(path), cancelledMessage(path));
        throw ArchiveError(QStringLiteral("%1 does not answer").arg(path),
                           LockHolder::busyMessage(path, LockHolder::Holder()));
    }
    if (attempt->error)
        std::rethrow_exception(attempt->error);
    if (cancelled) {
        letGo(m_calls, *attempt->file, *attempt->local, false, !attempt->probe);
        throw ArchiveError(QStringLiteral("waiting for %1 cancelled").arg(path), cancelledMessage(path));
    }
    m_file = std::move(attempt->file);
    m_local = std::move(attempt->local);
    m_size = attempt->size;
    m_note = !attempt->probe;
}

void ArchiveLock::release(bool sync)
{
    const bool synced = letGo(m_calls, *m_file, *m_local, sync, m_note);
    m_size = 0;
    if (!synced)
        throw ArchiveError(QStringLiteral("cannot sync %1").arg(m_file->fileName()));
}
