#pragma once

#include "platform/LockWait.h"

// The screen's wait for an archive's lock: the events go on, and after a moment a small window
// says "In attesa di …" with "Annulla". Other threads simply wait.
class QtLockWait final : public LockWait {
public:
    // How long a wait lasts before its window shows: a lock taken at once shows nothing.
    static constexpr int kShowAfterMs = 300;

    bool wait(const QString& what, const std::function<bool()>& done, QDeadlineTimer deadline) override;
};
