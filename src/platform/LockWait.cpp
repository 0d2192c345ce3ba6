#include "platform/LockWait.h"

#include <atomic>

namespace {
std::atomic<LockWait*> installedLockWait{nullptr};
} // namespace

void LockWait::install(LockWait* wait)
{
    installedLockWait.store(wait);
}

LockWait* LockWait::installed()
{
    return installedLockWait.load();
}
