#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <type_traits>

// Room for a large table that is filled once and then read (the rows of the export screen, the
// lines of a search). On Linux the room is reserved as address space and asked for in huge
// pages: filling tens of megabytes then takes a few dozen page faults instead of thousands,
// which on a busy or virtual machine is most of the cost. Elsewhere it is ordinary heap memory.
class LargeBuffer {
public:
    LargeBuffer() noexcept = default;
    ~LargeBuffer();
    LargeBuffer(LargeBuffer&& other) noexcept;
    LargeBuffer& operator=(LargeBuffer&& other) noexcept;
    LargeBuffer(const LargeBuffer&) = delete;
    LargeBuffer& operator=(const LargeBuffer&) = delete;

    // Room for at least `bytes` in all; what is held stays. Throws std::bad_alloc.
    void reserve(std::size_t bytes);
    // The most the buffer will hold: reserved at once where room costs only address space,
    // otherwise the buffer grows as it is filled.
    void reserveAtMost(std::size_t bytes);
    // Adds `bytes` uninitialised bytes at the end and returns where they start.
    char* grow(std::size_t bytes)
    {
        if (m_size + bytes > m_capacity)
            reserve(std::max(m_size + bytes, m_capacity * 2));
        char* const start = m_data + m_size;
        m_size += bytes;
        return start;
    }
    void append(const void* bytes, std::size_t count)
    {
        if (count > 0)
            std::memcpy(grow(count), bytes, count);
    }

    const char* data() const { return m_data; }
    char* data() { return m_data; }
    std::size_t size() const { return m_size; }

private:
    char* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};

// A LargeBuffer seen as an array of plain values.
template <typename T> class LargeArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    void reserve(std::size_t count) { m_buffer.reserve(count * sizeof(T)); }
    void reserveAtMost(std::size_t count) { m_buffer.reserveAtMost(count * sizeof(T)); }
    void push_back(const T& value) { std::memcpy(m_buffer.grow(sizeof(T)), &value, sizeof(T)); }
    std::size_t size() const { return m_buffer.size() / sizeof(T); }
    bool empty() const { return m_buffer.size() == 0; }
    const T& operator[](std::size_t i) const { return reinterpret_cast<const T*>(m_buffer.data())[i]; }
    T& operator[](std::size_t i) { return reinterpret_cast<T*>(m_buffer.data())[i]; }
    const T* begin() const { return reinterpret_cast<const T*>(m_buffer.data()); }
    const T* end() const { return begin() + size(); }

private:
    LargeBuffer m_buffer;
};
