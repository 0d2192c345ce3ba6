#include "storage/TArchivioSchede.h"

#include "storage/ArchiveAccess.h"
#include "storage/ArchiveError.h"

#include <QFileInfo>

#include <algorithm>
#include <cstring>

namespace {
// About half a megabyte of records per read during a scan: few read calls, and the records
// are still in the processor's cache when they are looked at (2 MB was slower for that).
constexpr int kReadAheadBytes = 512 * 1024;
} // namespace

TArchivioSchede::TArchivioSchede(const ArchiveFileSystem& calls)
    : m_lock(calls)
{
}

TArchivioSchede::~TArchivioSchede()
{
    try {
        m_lock.release(m_written);
    } catch (const ArchiveError&) {
        // the lock is released all the same; a failure is only reported by ChiudiArchivio
    }
}

void TArchivioSchede::ApriOCrea(const QString& path, int recordSize)
{
    Q_ASSERT(recordSize > 0);
    if (m_lock.isHeld())
        ChiudiArchivio();
    // Read-only archives are never created.
    if (ArchiveAccess::readOnly() && !QFileInfo::exists(path))
        ArchiveAccess::requireWritable();
    m_lock.acquire(path, kLockWaitMs);
    m_written = false;
    m_recordSize = recordSize;
    m_cursor = 0;
    // The length the server has now, asked after the lock: a length cached on this
    // workstation would let two workstations append at the same index.
    m_count = static_cast<int>(m_lock.size() / recordSize);
    m_readAheadCount = 0;
    m_lastRead = -2;
    m_readEnd = -1;
}

void TArchivioSchede::requireOpen() const
{
    if (!m_lock.isHeld())
        throw ArchiveError(QStringLiteral("archive not open"));
}

void TArchivioSchede::Posiziona(int index)
{
    requireOpen();
    if (index < 0 || index > NumeroSchede())
        throw ArchiveError(QStringLiteral("index %1 out of range").arg(index));
    m_cursor = index;
}

bool TArchivioSchede::FineArchivio() const
{
    return m_cursor >= NumeroSchede();
}

void TArchivioSchede::seekTo(int index)
{
    if (!file().seek(qint64(index) * m_recordSize))
        throw ArchiveError(file().errorString());
}

void TArchivioSchede::fillReadAhead(int index, int records)
{
    // A scan reads on from where its last read ended: no seek call for it.
    const qint64 offset = qint64(index) * m_recordSize;
    if (offset != m_readEnd)
        seekTo(index);
    m_readEnd = -1;
    const qint64 bytes = qint64(records) * m_recordSize;
    m_readAhead.resize(bytes);
    if (file().read(m_readAhead.data(), bytes) != bytes)
        throw ArchiveError(file().errorString());
    m_readEnd = offset + bytes;
    m_readAheadFirst = index;
    m_readAheadCount = records;
}

QByteArrayView TArchivioSchede::LeggiSchedaVista()
{
    requireOpen();
    if (m_cursor >= m_count)
        throw ArchiveError(QStringLiteral("read beyond the end"));
    const int index = m_cursor;
    if (index < m_readAheadFirst || index >= m_readAheadFirst + m_readAheadCount) {
        // A single record for a browsing step; many at once when the reads follow one another.
        const bool sequential = index == m_lastRead + 1;
        const int wanted = sequential ? std::max(1, kReadAheadBytes / m_recordSize) : 1;
        fillReadAhead(index, std::min(wanted, m_count - index));
    }
    m_lastRead = index;
    ++m_cursor;
    return QByteArrayView(m_readAhead.constData() + qint64(index - m_readAheadFirst) * m_recordSize,
                          m_recordSize);
}

void TArchivioSchede::LeggiScheda(QByteArray& record)
{
    const QByteArrayView view = LeggiSchedaVista();
    record.resize(m_recordSize);
    std::memcpy(record.data(), view.data(), static_cast<std::size_t>(m_recordSize));
}

void TArchivioSchede::ScriviScheda(const QByteArray& record)
{
    requireOpen();
    ArchiveAccess::requireWritable();
    Q_ASSERT(record.size() == m_recordSize);
    if (m_cursor > m_count)
        throw ArchiveError(QStringLiteral("write beyond the end"));
    seekTo(m_cursor);
    m_readAheadCount = 0; // what was read ahead may be stale now
    m_readEnd = -1;
    m_written = true;
    if (m_lock.calls().write(file(), record.constData(), m_recordSize) != m_recordSize) {
        const QString error = file().errorString();
        // A torn new record is cut off again: the archive stays whole records, and the next
        // append goes to the same index.
        if (m_cursor == m_count)
            file().resize(qint64(m_count) * m_recordSize);
        throw ArchiveError(error);
    }
    if (m_cursor == m_count)
        ++m_count;
    ++m_cursor;
}

void TArchivioSchede::Sincronizza()
{
    requireOpen();
    if (m_written && !m_lock.calls().sync(m_lock.file()))
        throw ArchiveError(QStringLiteral("cannot sync %1").arg(m_lock.file().fileName()));
}

void TArchivioSchede::ChiudiArchivio()
{
    if (!m_lock.isHeld())
        return;
    m_count = 0;
    m_cursor = 0;
    m_readAhead = QByteArray();
    m_readAheadCount = 0;
    m_readEnd = -1;
    const bool written = m_written;
    m_written = false;
    m_lock.release(written);
}
