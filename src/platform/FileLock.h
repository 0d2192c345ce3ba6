#pragma once

class QFile;

// Exclusive operating-system lock on an open file. The system drops it when the
// file is closed or the process dies, so nothing is left behind.
namespace FileLock {
// Tries for up to timeoutMs milliseconds; true when the lock is held.
bool lockExclusive(QFile& file, int timeoutMs);
void unlock(QFile& file);
} // namespace FileLock
