#pragma once

#include <cstddef>
#include <cstdint>
#include <sys/mman.h>

// Asks the system to back the whole 2 MB pages inside a buffer not yet written with huge
// pages: a million cards then cost a few hundred page faults instead of a hundred thousand,
// and on a virtual machine each fault costs several microseconds. Only advice; any failure
// leaves ordinary pages.
inline void AdviseHugePages(void* data, std::size_t size)
{
#ifdef MADV_HUGEPAGE
    constexpr std::uintptr_t HugePage = std::uintptr_t(2) << 20;
    const auto begin = reinterpret_cast<std::uintptr_t>(data);
    const std::uintptr_t first = (begin + HugePage - 1) & ~(HugePage - 1);
    const std::uintptr_t last = (begin + size) & ~(HugePage - 1);
    if (first < last)
        ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
#else
    (void)data;
    (void)size;
#endif
}

// Reserves room for that many elements in a string or vector, on huge pages where it is big
// enough; call it before the elements are written.
template <typename TContainer> void ReserveOnHugePages(TContainer& container, std::size_t count)
{
    container.reserve(count);
    AdviseHugePages(container.data(), container.capacity() * sizeof(*container.data()));
}
