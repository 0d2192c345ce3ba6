#include "platform/LargePages.h"

#include <QtGlobal>

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <vector>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace {

constexpr std::size_t kLargePage = std::size_t(2) << 20;
// Smaller pieces come from the ordinary heap.
constexpr std::size_t kLargeFrom = std::size_t(1) << 20;
// Released pieces kept for the next search, so that it finds its memory already in place.
constexpr std::size_t kKeptBytes = std::size_t(32) << 20;

struct Piece {
    void* memory;
    std::size_t bytes;
};

// Pieces released and not yet given back to the system, newest last.
class KeptPieces {
public:
    ~KeptPieces()
    {
        for (const Piece& piece : m_pieces)
            ::operator delete(piece.memory, std::align_val_t(kLargePage));
    }

    void* take(std::size_t bytes)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        const auto found = std::find_if(m_pieces.rbegin(), m_pieces.rend(),
                                        [bytes](const Piece& piece) { return piece.bytes == bytes; });
        if (found == m_pieces.rend())
            return nullptr;
        void* memory = found->memory;
        m_total -= bytes;
        m_pieces.erase(std::next(found).base());
        return memory;
    }

    // False when the piece would take more than the kept memory may hold.
    bool keep(void* memory, std::size_t bytes)
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        if (bytes > kKeptBytes)
            return false;
        while (m_total + bytes > kKeptBytes) {
            ::operator delete(m_pieces.front().memory, std::align_val_t(kLargePage));
            m_total -= m_pieces.front().bytes;
            m_pieces.erase(m_pieces.begin());
        }
        m_pieces.push_back({memory, bytes});
        m_total += bytes;
        return true;
    }

private:
    std::mutex m_mutex;
    std::vector<Piece> m_pieces;
    std::size_t m_total = 0;
};

KeptPieces& kept()
{
    static KeptPieces pieces;
    return pieces;
}

std::size_t roundedUp(std::size_t bytes)
{
    return (bytes + kLargePage - 1) / kLargePage * kLargePage;
}

} // namespace

void* LargePages::allocate(std::size_t bytes)
{
    if (bytes < kLargeFrom)
        return ::operator new(bytes);
    const std::size_t size = roundedUp(bytes);
    if (void* memory = kept().take(size))
        return memory;
    void* memory = ::operator new(size, std::align_val_t(kLargePage));
#ifdef Q_OS_LINUX
    // Only advice: without large pages the memory works the same.
    madvise(memory, size, MADV_HUGEPAGE);
#endif
    return memory;
}

void LargePages::release(void* memory, std::size_t bytes) noexcept
{
    if (bytes < kLargeFrom) {
        ::operator delete(memory);
        return;
    }
    const std::size_t size = roundedUp(bytes);
    try {
        if (kept().keep(memory, size))
            return;
    } catch (const std::exception&) {
        // not kept: given back below
    }
    ::operator delete(memory, std::align_val_t(kLargePage));
}

void LargePages::advise(void* memory, std::size_t bytes) noexcept
{
#ifdef Q_OS_LINUX
    const auto begin = reinterpret_cast<std::uintptr_t>(memory);
    const std::uintptr_t first = roundedUp(begin);
    const std::uintptr_t last = (begin + bytes) / kLargePage * kLargePage;
    if (bytes >= kLargeFrom && last > first)
        madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    Q_UNUSED(memory);
    Q_UNUSED(bytes);
#endif
}
