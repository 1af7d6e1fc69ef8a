#include "HeapPages.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <mutex>

namespace {

constexpr std::uintptr_t kHuge = std::uintptr_t{2} << 20;
// Room the heap keeps ahead of its top when it grows: only a stretch advised
// before its first touch gets huge pages, so the room must outlast the time
// between two calls. Untouched, it costs no memory.
constexpr int kAhead = 64 << 20;

std::uintptr_t alignedDown(std::uintptr_t at) {
    return at & ~(kHuge - 1);
}

std::uintptr_t heapTop() {
    return alignedDown(reinterpret_cast<std::uintptr_t>(::sbrk(0)));
}

// Huge pages for the whole 2 MiB stretches in [from, to).
void advise(std::uintptr_t from, std::uintptr_t to) {
#ifdef MADV_HUGEPAGE
    from = alignedDown(from + kHuge - 1);
    to = alignedDown(to);
    if (from < to)
        ::madvise(reinterpret_cast<void*>(from), to - from, MADV_HUGEPAGE);
#else
    (void)from, (void)to;
#endif
}

// Set before main, before any thread: one heap for all threads, so that a
// file read on a worker thread grows the heap advised here too.
const bool prepared = [] {
    ::mallopt(M_ARENA_MAX, 1);
    ::mallopt(M_TOP_PAD, kAhead);
    return true;
}();

std::mutex guard;
std::uintptr_t advisedTo = heapTop() + kHuge;

} // namespace

void HeapPages::grow() {
    const std::lock_guard lock(guard);
    const std::uintptr_t top = heapTop();
    if (top <= advisedTo)
        return;
    advise(advisedTo, top);
    advisedTo = top;
}

void HeapPages::adviseFresh(char* block, std::size_t size) {
    const auto at = reinterpret_cast<std::uintptr_t>(block);
    advise(at, at + size);
}
