#include "storage/TArchivioSchede.h"

#include "platform/FileLock.h"
#include "storage/ArchiveError.h"

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
    if (!m_file.open(QIODevice::ReadWrite))
        throw ArchiveError(QStringLiteral("cannot open %1: %2").arg(path, m_file.errorString()));
    if (!FileLock::lockExclusive(m_file, kLockWaitMs)) {
        m_file.close();
        throw ArchiveError(QStringLiteral("cannot lock %1").arg(path));
    }
    m_recordSize = recordSize;
    m_cursor = 0;
    m_count = static_cast<int>(m_file.size() / recordSize);
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

void TArchivioSchede::seekToCursor()
{
    const qint64 offset = qint64(m_cursor) * m_recordSize;
    // Sequential scans stay on the buffered read path without a seek per record.
    if (m_file.pos() != offset && !m_file.seek(offset))
        throw ArchiveError(m_file.errorString());
}

void TArchivioSchede::LeggiScheda(QByteArray& record)
{
    requireOpen();
    if (m_cursor >= NumeroSchede())
        throw ArchiveError(QStringLiteral("read beyond the end"));
    seekToCursor();
    record.resize(m_recordSize);
    if (m_file.read(record.data(), m_recordSize) != m_recordSize)
        throw ArchiveError(m_file.errorString());
    ++m_cursor;
}

void TArchivioSchede::ScriviScheda(const QByteArray& record)
{
    requireOpen();
    Q_ASSERT(record.size() == m_recordSize);
    if (m_cursor > NumeroSchede())
        throw ArchiveError(QStringLiteral("write beyond the end"));
    seekToCursor();
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
    if (!flushed)
        throw ArchiveError(error);
}
