#pragma once

#include <cstddef>
#include <new>

// Memory for bulk data that is filled once and read many times (the lines of a search and their
// keys). Large pieces are aligned to 2 MB and, where the system offers it, backed by large pages:
// filling them then costs a page fault every 2 MB instead of every 4 kB. Up to 32 MB of released
// pieces are kept for the next allocation of the same size, so that a repeated search finds its
// memory already in place.
namespace LargePages {

void* allocate(std::size_t bytes);
// `bytes` as given to allocate().
void release(void* memory, std::size_t bytes) noexcept;

// Advises the whole large pages inside memory allocated elsewhere (the buffer of a long list
// that cannot take an allocator) to be backed by large pages when first touched. Only advice.
void advise(void* memory, std::size_t bytes) noexcept;

// For containers of such data.
template <class T> struct Allocator {
    using value_type = T;
    Allocator() = default;
    template <class U> Allocator(const Allocator<U>&) noexcept {}
    T* allocate(std::size_t n) { return static_cast<T*>(LargePages::allocate(n * sizeof(T))); }
    void deallocate(T* p, std::size_t n) noexcept { LargePages::release(p, n * sizeof(T)); }
    template <class U> bool operator==(const Allocator<U>&) const noexcept { return true; }
};

} // namespace LargePages
