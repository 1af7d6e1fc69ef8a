#pragma once

#include <cstddef>

// The bytes the heap holds through operator new and delete, counted by
// replacing the global allocation functions of the benchmark binary. Sizes
// are what malloc really reserved, so the figures include its rounding.
// The blocks the texts of targets and jobs are carved from count as held.
// The benchmarks run on one thread; the counters are not meant to be shared.
class HeapCounter {
public:
    static std::size_t current();
    static std::size_t peak() { return peak_; }
    // Starts a new peak from what is held now.
    static void resetPeak() { peak_ = current(); }

    // For the replaced allocation functions only.
    static void* allocate(std::size_t size, std::size_t alignment);
    static void release(void* block);

private:
    static inline std::size_t current_ = 0;
    static inline std::size_t peak_ = 0;
};
