#pragma once

#include "storage/ArchiveFileSystem.h"

#include <QFile>
#include <QString>

#include <memory>

// The lock of one archive for one operation. First a lock file of this workstation (in the
// user's runtime folder, named after the archive's canonical path), so that the programs of
// one workstation queue here and only one of them competes at the server; then the archive's
// own lock on its descriptor. Every read and write of the operation goes through file(): on
// SMB shares the lock is mandatory, and another descriptor of the same file is refused.
// A backup holds it as long as its copy lasts: acquire, read size() bytes from file(), release.
// The lock is taken on a worker thread while the asking thread waits through LockWait (the screen
// stays alive and can cancel); the locks are the open file's, not the thread's (open-file-
// description locks, flock, LockFileEx), so they hold for whoever does the I/O after. A worker
// left behind by a cancel or a hung call lets go of whatever it gets when its call returns: the
// calls given must outlive it (the system's always do).
class ArchiveLock {
public:
    static constexpr int kWaitMs = 5000;

    explicit ArchiveLock(const ArchiveFileSystem& calls = ArchiveFileSystem::system());
    ~ArchiveLock();
    ArchiveLock(const ArchiveLock&) = delete;
    ArchiveLock& operator=(const ArchiveLock&) = delete;

    // Opens the archive for reading and writing (a missing one is created empty) and locks it.
    // Throws ArchiveError: busy after waitMs (naming the holder) or when the lock call has not
    // answered by then, cancelled by the user, the folder cannot lock (at once), or the file
    // cannot be opened.
    void acquire(const QString& path, int waitMs = kWaitMs);
    bool isHeld() const { return m_file->isOpen(); }
    QFile& file() { return *m_file; }
    // The length read from the file system after the lock was taken.
    qint64 size() const { return m_size; }
    // Puts what was written on the disk or server (when synced is asked), then unlocks and
    // closes. The lock is released even when the sync fails; the failure then throws ArchiveError.
    void release(bool sync);

    const ArchiveFileSystem& calls() const { return m_calls; }

    // The local lock file of an archive.
    static QString localLockPath(const QString& archivePath);

    // The two-workstation check: one try at the file's own lock, past this workstation's local
    // lock, taken the same way but writing no holder note. Returns the lock call's outcome; when
    // Held the lock is this object's until release(). Throws ArchiveError when the file cannot
    // be opened, the call does not answer or the wait is cancelled.
    FileLock::Result tryFileLock(const QString& path);

    // The message of a wait cancelled by the user.
    static QString cancelledMessage(const QString& archivePath);

private:
    struct Attempt;
    void await(const std::shared_ptr<Attempt>& attempt);

    const ArchiveFileSystem& m_calls;
    std::unique_ptr<QFile> m_file;
    std::unique_ptr<QFile> m_local;
    qint64 m_size = 0;
    bool m_note = false; // the holder note is this lock's, to remove at release
};
