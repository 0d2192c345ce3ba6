#pragma once

#include "storage/ArchiveLock.h"

#include <QString>
#include <QStringList>

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
        NotProtected, // a holder is there, and this workstation got the lock all the same, or the
                      // mount's options leave the archives unprotected
        NoHolder,     // nobody holds the probe: nothing could be tested
        CannotLock,   // the file system grants no lock at all
        Failure,      // the probe file cannot be opened
    };
    struct Result {
        Verdict verdict = Verdict::Failure;
        QString message; // what the screen says, in plain words
    };
    // unsafeMount: the warnings for the folder's mount options (ShareMounts::warningsFor); any
    // makes the folder unprotected whatever the lock does.
    Result check(const QString& programFolder, const QStringList& unsafeMount = {}) const;

private:
    Result checkLock(const QString& programFolder) const;

    const ArchiveFileSystem& m_calls;
    ArchiveLock m_lock;
    QString m_path;
};
