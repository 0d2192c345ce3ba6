#pragma once

#include <QDeadlineTimer>
#include <QString>

#include <functional>

// What the thread that asked for an archive's lock does while a worker thread takes it: a lock
// call may hang for a minute (an NFS server in its grace period), and the screen must not.
// The program installs one that shows "in attesa di …" with a way to cancel; without one the
// asking thread simply waits.
class LockWait {
public:
    virtual ~LockWait() = default;

    // Returns true once done() holds or the deadline has passed, false when the user cancelled.
    // what: the archive's file name.
    virtual bool wait(const QString& what, const std::function<bool()>& done, QDeadlineTimer deadline) = 0;

    // For the whole program; nullptr removes it.
    static void install(LockWait* wait);
    static LockWait* installed();
};
