#pragma once

#include "platform/FileLock.h"

#include <QtGlobal>

class QFile;

// The calls an archive operation makes on its one locked descriptor. The store asks them of
// this object, so a test can stand in for a file system that caches lengths or fails a write.
class ArchiveFileSystem {
public:
    virtual ~ArchiveFileSystem() = default;

    virtual FileLock::Result lock(QFile& file, int timeoutMs) const;
    virtual void unlock(QFile& file) const;
    // The length, asked after the lock; -1 on failure.
    virtual qint64 size(QFile& file) const;
    virtual qint64 write(QFile& file, const char* data, qint64 length) const;
    virtual bool sync(QFile& file) const;

    // The operating system's own calls.
    static const ArchiveFileSystem& system();
};
