#include "platform/LargeBuffer.h"

#include <QtGlobal>

#include <cstdlib>
#include <new>
#include <utility>

#ifdef Q_OS_LINUX
#include <sys/mman.h>
#endif

namespace {

#ifdef Q_OS_LINUX
// Address space only: pages are found when first written, in huge pages where the system allows.
char* allocate(std::size_t bytes)
{
    void* room =
        mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE, -1, 0);
    if (room == MAP_FAILED)
        throw std::bad_alloc();
    madvise(room, bytes, MADV_HUGEPAGE); // advice only: without it the pages are ordinary
    return static_cast<char*>(room);
}

void release(char* room, std::size_t bytes)
{
    munmap(room, bytes);
}
#else
char* allocate(std::size_t bytes)
{
    void* room = std::malloc(bytes);
    if (!room)
        throw std::bad_alloc();
    return static_cast<char*>(room);
}

void release(char* room, std::size_t)
{
    std::free(room);
}
#endif

} // namespace

LargeBuffer::~LargeBuffer()
{
    if (m_data)
        release(m_data, m_capacity);
}

LargeBuffer::LargeBuffer(LargeBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr))
    , m_size(std::exchange(other.m_size, 0))
    , m_capacity(std::exchange(other.m_capacity, 0))
{
}

LargeBuffer& LargeBuffer::operator=(LargeBuffer&& other) noexcept
{
    if (this != &other) {
        if (m_data)
            release(m_data, m_capacity);
        m_data = std::exchange(other.m_data, nullptr);
        m_size = std::exchange(other.m_size, 0);
        m_capacity = std::exchange(other.m_capacity, 0);
    }
    return *this;
}

void LargeBuffer::reserveAtMost(std::size_t bytes)
{
#ifdef Q_OS_LINUX
    reserve(bytes);
#else
    reserve(std::min<std::size_t>(bytes, 1 << 20));
#endif
}

void LargeBuffer::reserve(std::size_t bytes)
{
    if (bytes <= m_capacity)
        return;
    // Whole pages of 4 KB at least; the system rounds to them anyway.
    constexpr std::size_t kPage = 4096;
    const std::size_t capacity = (std::max<std::size_t>(bytes, kPage) + kPage - 1) / kPage * kPage;
    char* const room = allocate(capacity);
    if (m_size > 0)
        std::memcpy(room, m_data, m_size);
    if (m_data)
        release(m_data, m_capacity);
    m_data = room;
    m_capacity = capacity;
}
