#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tolv {

// Blocks of a frame's size are mapped on huge pages where the system allows:
// the system then hands a 1080p frame out in 3 faults instead of 1,500, each
// of which costs more than copying its page, and copies through it miss the
// address cache less. Smaller blocks come from the ordinary heap.
void* AllocatePixelMemory(std::size_t bytes);
void FreePixelMemory(void* memory, std::size_t bytes) noexcept;

template <class T>
struct PixelAllocator {
    using value_type = T;

    PixelAllocator() = default;
    template <class U>
    PixelAllocator(const PixelAllocator<U>&) noexcept
    {}

    T* allocate(std::size_t count) { return static_cast<T*>(AllocatePixelMemory(count * sizeof(T))); }
    void deallocate(T* memory, std::size_t count) noexcept { FreePixelMemory(memory, count * sizeof(T)); }

    template <class U>
    bool operator==(const PixelAllocator<U>&) const noexcept
    {
        return true;
    }
};

using PixelMemory = std::vector<std::uint8_t, PixelAllocator<std::uint8_t>>;

}  // namespace tolv
