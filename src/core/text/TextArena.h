#pragma once

#include <cstddef>
#include <cstdint>

// Texts of records that occur by the million (targets, jobs) are carved from
// blocks of 2 MiB instead of one heap block each: a large file then costs a
// few hundred allocations, its pages can be huge pages, and its memory goes
// back to the system, block by block, as its records go.
//
// Each thread carves from a block of its own. A block counts the texts taken
// from it and still held; the last one let go (from any thread) unmaps it.
// A text is given back with release() and never outlives its block, so a
// record may be copied, moved or destroyed anywhere, by anyone, at any time.
class TextArena {
public:
    static constexpr std::size_t kBlockSize = std::size_t{2} << 20;
    // A longer text gets a mapping of its own rather than waste a block.
    static constexpr std::size_t kLargest = 64 * 1024;
    // From a thread's block this many on (64 MiB of texts), each next block
    // is warmed (PageWarmer) before it is needed; below, the warming would
    // cost more memory than it saves time.
    static constexpr int kWarmFrom = 32;

    // Room for `size` bytes (size > 0), from this thread's block when it is
    // no longer than kLargest.
    static char* take(std::size_t size);
    // Gives back a text take() handed out.
    static void release(const char* text);

    // The bytes mapped for texts now, in all threads, whether in use or not.
    static std::size_t bytesMapped();
};
