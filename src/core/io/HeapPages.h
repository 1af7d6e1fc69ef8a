#pragma once

#include <cstddef>

// Memory malloc hands out comes in small pages, and on virtual machines the
// first touch of each costs more than the parsing that fills it. Large reads
// ask for huge pages instead, where the system offers them on request (where
// it does not, nothing changes).
class HeapPages {
public:
    // For a reader, as a file's records come in, `bytesRead` of it so far:
    // the heap keeps room ahead of its top, advised here as it grows; in a
    // large file the room the reader fills next is warmed on another core
    // (PageWarmer). Cheap when the heap did not grow.
    static void grow(std::size_t bytesRead);
    // From this much of a file on, the heap is warmed ahead: below, the
    // warming would cost more memory than it saves time.
    static constexpr std::size_t kWarmFrom = std::size_t{64} << 20;
    // For a large block just allocated and not yet written (a file's bytes).
    static void adviseFresh(char* block, std::size_t size);
};
