#pragma once

#include "storage/ArchiveFileSystem.h"

#include <atomic>
#include <condition_variable>
#include <mutex>

// A lock call that hangs until the test lets it answer, as on an NFS server in its grace period.
class HangingLock final : public ArchiveFileSystem {
public:
    FileLock::Result lock(QFile&, int) const override
    {
        std::unique_lock<std::mutex> guard(m_mutex);
        m_answer.wait(guard, [this] { return m_free; });
        return {FileLock::Outcome::Held, 0};
    }
    void unlock(QFile&) const override { ++unlocks; }
    void letAnswer()
    {
        {
            const std::lock_guard<std::mutex> guard(m_mutex);
            m_free = true;
        }
        m_answer.notify_all();
    }

    mutable std::atomic<int> unlocks{0};

private:
    mutable std::mutex m_mutex;
    mutable std::condition_variable m_answer;
    bool m_free = false;
};
