#include "HeapPages.h"

#include "PageWarmer.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
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

// How far past what malloc has handed out the heap is warmed, each time
// another stretch of the file has been read: finding that end is not cheap.
constexpr std::uintptr_t kWarmAhead = 8 << 20;
constexpr std::size_t kWarmEvery = 2 << 20;

std::mutex guard;
std::uintptr_t advisedTo = heapTop() + kHuge;
std::uintptr_t warmedTo = 0;
// How much of its file the read had read at the last warming; a read that
// has read less is another.
std::size_t warmedAtRead = 0;

// The heap's room past the end of what malloc has handed out, up to its top.
void warmAhead(std::uintptr_t top) {
    const auto end = reinterpret_cast<std::uintptr_t>(::sbrk(0));
    const std::uintptr_t used = alignedDown(end - ::mallinfo2().keepcost);
    const std::uintptr_t from = std::max(used, warmedTo);
    const std::uintptr_t to = std::min(used + kWarmAhead, top);
    if (from >= to)
        return;
    PageWarmer::warm(reinterpret_cast<void*>(from), to - from);
    warmedTo = to;
}

} // namespace

void HeapPages::grow(std::size_t bytesRead) {
    const std::lock_guard lock(guard);
    const std::uintptr_t top = heapTop();
    // A heap given back (a closed document) grows again from a lower top.
    advisedTo = std::min(advisedTo, top);
    warmedTo = std::min(warmedTo, top);
    if (top > advisedTo) {
        advise(advisedTo, top);
        advisedTo = top;
    }
    if (bytesRead < warmedAtRead)
        warmedAtRead = 0;
    if (bytesRead >= HeapPages::kWarmFrom && bytesRead >= warmedAtRead + kWarmEvery) {
        warmAhead(top);
        warmedAtRead = bytesRead;
    }
}

void HeapPages::adviseFresh(char* block, std::size_t size) {
    const auto at = reinterpret_cast<std::uintptr_t>(block);
    advise(at, at + size);
}
