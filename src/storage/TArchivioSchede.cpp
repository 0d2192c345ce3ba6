#include "storage/TArchivioSchede.h"

#include "platform/FileLock.h"
#include "storage/ArchiveError.h"

#include <algorithm>
#include <cstring>

namespace {
// About a quarter of a megabyte of person records per read during a scan.
constexpr int kReadAheadBytes = 256 * 1024;
} // namespace

TArchivioSchede::~TArchivioSchede()
{
    if (m_file.isOpen()) {
        m_file.flush();
        FileLock::unlock(m_file);
        m_file.close();
    }
}

void TArchivioSchede::ApriOCrea(const QString& path, int recordSize)
{
    Q_ASSERT(recordSize > 0);
    if (m_file.isOpen())
        ChiudiArchivio();
    m_file.setFileName(path);
    // ReadWrite creates a missing file empty and never truncates an existing one.
    // Reads are buffered here, record-aligned; writes go straight to the file.
    if (!m_file.open(QIODevice::ReadWrite | QIODevice::Unbuffered))
        throw ArchiveError(QStringLiteral("cannot open %1: %2").arg(path, m_file.errorString()));
    if (!FileLock::lockExclusive(m_file, kLockWaitMs)) {
        m_file.close();
        throw ArchiveError(QStringLiteral("cannot lock %1").arg(path));
    }
    m_recordSize = recordSize;
    m_cursor = 0;
    m_count = static_cast<int>(m_file.size() / recordSize);
    m_readAheadCount = 0;
    m_lastRead = -2;
}

void TArchivioSchede::requireOpen() const
{
    if (!m_file.isOpen())
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
    if (!m_file.seek(qint64(index) * m_recordSize))
        throw ArchiveError(m_file.errorString());
}

void TArchivioSchede::fillReadAhead(int index, int records)
{
    seekTo(index);
    const qint64 bytes = qint64(records) * m_recordSize;
    m_readAhead.resize(bytes);
    if (m_file.read(m_readAhead.data(), bytes) != bytes)
        throw ArchiveError(m_file.errorString());
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
    Q_ASSERT(record.size() == m_recordSize);
    if (m_cursor > m_count)
        throw ArchiveError(QStringLiteral("write beyond the end"));
    seekTo(m_cursor);
    m_readAheadCount = 0; // what was read ahead may be stale now
    if (m_file.write(record.constData(), m_recordSize) != m_recordSize)
        throw ArchiveError(m_file.errorString());
    if (m_cursor == m_count)
        ++m_count;
    ++m_cursor;
}

void TArchivioSchede::ChiudiArchivio()
{
    if (!m_file.isOpen())
        return;
    const bool flushed = m_file.flush();
    const QString error = m_file.errorString();
    FileLock::unlock(m_file);
    m_file.close();
    m_count = 0;
    m_cursor = 0;
    m_readAhead = QByteArray();
    m_readAheadCount = 0;
    if (!flushed)
        throw ArchiveError(error);
}
