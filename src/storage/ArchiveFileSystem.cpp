#include "storage/ArchiveFileSystem.h"

#include <QFile>

FileLock::Result ArchiveFileSystem::lock(QFile& file, int timeoutMs) const
{
    return FileLock::lockExclusive(file, timeoutMs);
}

void ArchiveFileSystem::unlock(QFile& file) const
{
    FileLock::unlock(file);
}

qint64 ArchiveFileSystem::size(QFile& file) const
{
    return FileLock::sizeOf(file);
}

qint64 ArchiveFileSystem::write(QFile& file, const char* data, qint64 length) const
{
    return file.write(data, length);
}

bool ArchiveFileSystem::sync(QFile& file) const
{
    return FileLock::sync(file);
}

const ArchiveFileSystem& ArchiveFileSystem::system()
{
    static const ArchiveFileSystem calls;
    return calls;
}
