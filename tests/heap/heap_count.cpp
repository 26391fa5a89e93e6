#include "heap/heap_count.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> liveBlocks{0};
std::atomic<long> liveBytes{0};

// Each block carries the size asked for in front of it: the allocator may hand out a few bytes more
// than asked, depending on what was freed before, and only the asked size is the same every time.
constexpr std::size_t Header = 16;

}  // namespace

// The replacement pair below is malloc and free underneath; the compiler cannot see that the two
// belong together and warns about the free.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
    auto* block = static_cast<unsigned char*>(std::malloc(size + Header));
    if (!block) throw std::bad_alloc();
    *reinterpret_cast<std::size_t*>(block) = size;
    ++liveBlocks;
    liveBytes += static_cast<long>(size);
    return block + Header;
}
void operator delete(void* pointer) noexcept {
    if (!pointer) return;
    unsigned char* block = static_cast<unsigned char*>(pointer) - Header;
    --liveBlocks;
    liveBytes -= static_cast<long>(*reinterpret_cast<std::size_t*>(block));
    std::free(block);
}
void operator delete(void* pointer, std::size_t) noexcept {
    operator delete(pointer);
}
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

namespace heap {

HeapUse liveHeap() {
    return {liveBlocks.load(), liveBytes.load()};
}

}  // namespace heap
