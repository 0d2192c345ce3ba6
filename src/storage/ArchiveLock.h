#pragma once

#include "storage/ArchiveFileSystem.h"

#include <QFile>
#include <QString>

// The lock of one archive for one operation. First a lock file of this workstation (in the
// user's runtime folder, named after the archive's canonical path), so that the programs of
// one workstation queue here and only one of them competes at the server; then the archive's
// own lock on its descriptor. Every read and write of the operation goes through file(): on
// SMB shares the lock is mandatory, and another descriptor of the same file is refused.
// A backup holds it as long as its copy lasts: acquire, read size() bytes from file(), release.
class ArchiveLock {
public:
    static constexpr int kWaitMs = 5000;

    explicit ArchiveLock(const ArchiveFileSystem& calls = ArchiveFileSystem::system());
    ~ArchiveLock();
    ArchiveLock(const ArchiveLock&) = delete;
    ArchiveLock& operator=(const ArchiveLock&) = delete;

    // Opens the archive for reading and writing (a missing one is created empty) and locks it.
    // Throws ArchiveError: busy after waitMs (naming the holder), the folder cannot lock (at
    // once), or the file cannot be opened.
    void acquire(const QString& path, int waitMs = kWaitMs);
    bool isHeld() const { return m_file.isOpen(); }
    QFile& file() { return m_file; }
    // The length read from the file system after the lock was taken.
    qint64 size() const { return m_size; }
    // Puts what was written on the disk or server (when synced is asked), then unlocks and
    // closes. The lock is released even when the sync fails; the failure then throws ArchiveError.
    void release(bool sync);

    const ArchiveFileSystem& calls() const { return m_calls; }

    // The local lock file of an archive.
    static QString localLockPath(const QString& archivePath);

private:
    const ArchiveFileSystem& m_calls;
    QFile m_file;
    QFile m_local;
    qint64 m_size = 0;
};
