#pragma once

#include "storage/ArchiveLock.h"

#include <QString>

// The two-workstation check of a shared program folder. Workstation A holds the lock of a
// probe file in the folder; workstation B tries the same lock, which a share that protects
// the archives must refuse.
class ShareProbe {
public:
    explicit ShareProbe(const ArchiveFileSystem& calls = ArchiveFileSystem::system());
    ~ShareProbe() { release(); }
    ShareProbe(const ShareProbe&) = delete;
    ShareProbe& operator=(const ShareProbe&) = delete;

    static QString probePath(const QString& programFolder);

    // Workstation A. Throws ArchiveError (the folder cannot lock, the probe is busy).
    void hold(const QString& programFolder);
    void release();
    bool holding() const { return m_lock.isHeld(); }

    // Workstation B.
    enum class Verdict {
        Protected,    // the holder's lock refused this workstation
        NotProtected, // a holder is there, and this workstation got the lock all the same
        NoHolder,     // nobody holds the probe: nothing could be tested
        CannotLock,   // the file system grants no lock at all
        Failure,      // the probe file cannot be opened
    };
    struct Result {
        Verdict verdict = Verdict::Failure;
        QString message; // what the screen says, in plain words
    };
    Result check(const QString& programFolder) const;

private:
    const ArchiveFileSystem& m_calls;
    ArchiveLock m_lock;
    QString m_path;
};
