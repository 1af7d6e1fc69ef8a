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

std::uintptr_t alignedDown(void* at) {
    return reinterpret_cast<std::uintptr_t>(at) & ~(kHuge - 1);
}

// Set before main, before any thread: one heap for all threads, so that a
// file read on a worker thread grows the heap advised here too.
const bool prepared = [] {
    ::mallopt(M_ARENA_MAX, 1);
    ::mallopt(M_TOP_PAD, kAhead);
    return true;
}();

std::mutex guard;
std::uintptr_t advisedTo = alignedDown(::sbrk(0)) + kHuge;

} // namespace

void HeapPages::grow() {
#ifdef MADV_HUGEPAGE
    const std::lock_guard lock(guard);
    const std::uintptr_t top = alignedDown(::sbrk(0));
    if (top <= advisedTo)
        return;
    ::madvise(reinterpret_cast<void*>(advisedTo), top - advisedTo, MADV_HUGEPAGE);
    advisedTo = top;
#endif
}
