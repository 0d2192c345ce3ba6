#pragma once

#include "backup/Sha256.h"

#include <QByteArray>
#include <QByteArrayView>

#include <condition_variable>
#include <mutex>
#include <thread>

// A SHA-256 worked out on a second thread while the caller reads, compresses or writes the
// next piece (small pieces are hashed at once). A piece handed over must stay unchanged until the next add()
// or hex() returns, so callers alternate between two buffers.
class HashPipe {
public:
    HashPipe();
    ~HashPipe();
    HashPipe(const HashPipe&) = delete;
    HashPipe& operator=(const HashPipe&) = delete;

    void add(QByteArrayView piece);
    // The digest of everything added since the last call, as Sha256::hex().
    QByteArray hex();

private:
    void wait(std::unique_lock<std::mutex>& lock);
    void run();

    Sha256 m_hash;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    QByteArrayView m_piece;
    bool m_busy = false;
    bool m_stop = false;
    std::thread m_thread;
};

// Two buffers used in turn for the pieces handed to a HashPipe.
class PieceBuffers {
public:
    static constexpr qsizetype kSize = 4 << 20;

    explicit PieceBuffers(qsizetype size = kSize)
        : m_buffers{QByteArray(size, Qt::Uninitialized), QByteArray(size, Qt::Uninitialized)}
    {
    }
    QByteArray& next()
    {
        m_current ^= 1;
        return m_buffers[m_current];
    }

private:
    QByteArray m_buffers[2];
    int m_current = 0;
};
