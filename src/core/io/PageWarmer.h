#pragma once

#include <cstddef>

// On a virtual machine the first touch of a page costs more than the parsing
// that fills it: the host backs the page only then. A large read hands the
// memory it will fill next to a thread of its own, which faults it in on
// another core meanwhile, so that the reader finds it ready. Where the
// system cannot fault in memory on request, nothing happens.
class PageWarmer {
public:
    // Has [at, at + size) faulted in, writable and as it is, by the warming
    // thread; returns at once. Warming memory that is unmapped meanwhile
    // does no harm.
    static void warm(void* at, std::size_t size);
    // Returns once everything asked for so far is warmed: for measuring.
    static void settle();
};
