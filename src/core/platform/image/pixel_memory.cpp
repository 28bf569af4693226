#include "platform/image/pixel_memory.h"

#include <sys/mman.h>

#include <cstdint>
#include <new>

namespace tolv {

namespace {

constexpr std::size_t HugePage = std::size_t(2) << 20;
// From half a huge page up the pages saved are worth the memory rounded up.
constexpr std::size_t HugeFrom = HugePage / 2;

std::size_t MappedSize(std::size_t bytes)
{
    return (bytes + HugePage - 1) / HugePage * HugePage;
}

// A huge page is used only for a range aligned on one, so the mapping is
// taken one page larger and the ends beyond the aligned range given back.
void* MapAligned(std::size_t size)
{
    void* mapped = ::mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED)
        throw std::bad_alloc();
    auto* start = static_cast<std::uint8_t*>(mapped);
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(start);
    const std::size_t head = (HugePage - address % HugePage) % HugePage;
    if (head > 0)
        ::munmap(start, head);
    ::munmap(start + head + size, HugePage - head);
    // Only advice: without huge pages the memory is ordinary.
    ::madvise(start + head, size, MADV_HUGEPAGE);
    return start + head;
}

}  // namespace

void* AllocatePixelMemory(std::size_t bytes)
{
    if (bytes < HugeFrom)
        return ::operator new(bytes);
    return MapAligned(MappedSize(bytes));
}

void FreePixelMemory(void* memory, std::size_t bytes) noexcept
{
    if (bytes < HugeFrom)
        ::operator delete(memory);
    else
        ::munmap(memory, MappedSize(bytes));
}

}  // namespace tolv
