#include "backup/HashPipe.h"

HashPipe::HashPipe()
    : m_thread(&HashPipe::run, this)
{
}

HashPipe::~HashPipe()
{
    {
        std::unique_lock lock(m_mutex);
        wait(lock);
        m_stop = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

void HashPipe::wait(std::unique_lock<std::mutex>& lock)
{
    m_changed.wait(lock, [this] { return !m_busy; });
}

void HashPipe::add(QByteArrayView piece)
{
    // Handing a small piece over costs more than hashing it here.
    constexpr qsizetype kHere = 512 * 1024;
    {
        std::unique_lock lock(m_mutex);
        wait(lock);
        if (piece.size() < kHere) {
            m_hash.add(piece);
            return;
        }
        m_piece = piece;
        m_busy = true;
    }
    m_changed.notify_all();
}

QByteArray HashPipe::hex()
{
    std::unique_lock lock(m_mutex);
    wait(lock);
    return m_hash.hex();
}

void HashPipe::run()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_busy || m_stop; });
        if (m_busy) {
            const QByteArrayView piece = m_piece;
            lock.unlock();
            m_hash.add(piece);
            lock.lock();
            m_busy = false;
            m_changed.notify_all();
        } else if (m_stop) {
            return;
        }
    }
}
