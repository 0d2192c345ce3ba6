#pragma once

#include <QString>
#include <QtGlobal>

class QFile;

// The operating-system calls made on an open archive file: the exclusive lock, the length asked
// of the file system through the locked descriptor, and the sync. The system drops the lock
// when the file is closed or the process dies, so nothing is left behind.
namespace FileLock {

// What a lock call's outcome means for the caller.
enum class Outcome {
    Held,       // the lock is ours
    Busy,       // another holder has it: wait and retry
    CannotLock, // this file system does not lock: retrying will not help
    Failure,    // any other error of the system
};

struct Result {
    Outcome outcome = Outcome::Failure;
    int systemError = 0; // errno, or GetLastError() on Windows; 0 when held
    bool held() const { return outcome == Outcome::Held; }
};

// The meaning of the error code of a refused lock call.
Outcome meaningOf(int systemError);
// One try without waiting. On Linux an open-file-description lock over the whole file, with
// flock() where the file system refuses those; LockFileEx over the whole range on Windows.
Result tryLock(QFile& file);
// Tries until timeoutMs has passed; gives up at once when the file system cannot lock.
Result lockExclusive(QFile& file, int timeoutMs);
void unlock(QFile& file);
// The length as the file system (the server, for a shared folder) has it now, asked through
// the open descriptor rather than from cached attributes; -1 on failure.
qint64 sizeOf(QFile& file);
// Data and length on the disk or the server; false on failure.
bool sync(QFile& file);
// The system's own words for an error code.
QString errorText(int systemError);

} // namespace FileLock
