#pragma once

#include "storage/ArchiveLock.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

// A file of fixed-size records without header, addressed by 0-based index.
// It lives for one user action: open, work, close. While open it holds an exclusive
// lock on the file (ArchiveLock), so that several workstations sharing the folder never write
// the same index at once; the count of records is read after the lock, and whatever was
// written is synced before the lock is released. Every failure throws ArchiveError.
class TArchivioSchede {
public:
    TArchivioSchede() = default;
    // With other calls for the locked descriptor (a test's stand-in file system).
    explicit TArchivioSchede(const ArchiveFileSystem& calls);
    ~TArchivioSchede();
    TArchivioSchede(const TArchivioSchede&) = delete;
    TArchivioSchede& operator=(const TArchivioSchede&) = delete;

    // How long ApriOCrea waits for another user's lock before it gives up.
    static constexpr int kLockWaitMs = ArchiveLock::kWaitMs;

    void ApriOCrea(const QString& path, int recordSize);
    int NumeroSchede() const { return m_count; }
    void Posiziona(int index);
    void LeggiScheda(QByteArray& record);
    // The same read without a copy: a view that stays valid until the next read, write or closing.
    QByteArrayView LeggiSchedaVista();
    void ScriviScheda(const QByteArray& record);
    // Puts what was written so far on the disk or server; the lock stays held.
    void Sincronizza();
    int PosizioneCorrente() const { return m_cursor; }
    bool FineArchivio() const;
    void ChiudiArchivio();

private:
    void requireOpen() const;
    void seekTo(int index);
    void fillReadAhead(int index, int records);

    QFile& file() { return m_lock.file(); }

    ArchiveLock m_lock;
    bool m_written = false;
    int m_recordSize = 0;
    int m_cursor = 0;
    // Records read ahead during a sequential scan: one read call for many records.
    QByteArray m_readAhead;
    int m_readAheadFirst = 0;
    int m_readAheadCount = 0;
    int m_lastRead = -2;
    qint64 m_readEnd = -1; // where the file stands after the last read ahead, while nothing else moved it
    int m_count = 0;       // whole records; only this holder of the lock changes it
};
