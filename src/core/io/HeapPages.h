#pragma once

#include <cstddef>

// Memory malloc hands out comes in small pages, and on virtual machines the
// first touch of each costs more than the parsing that fills it. Large reads
// ask for huge pages instead, where the system offers them on request (where
// it does not, nothing changes).
class HeapPages {
public:
    // For a reader, as a large file's records come in: the heap keeps room
    // ahead of its top, advised here as it grows. Cheap when it did not grow.
    static void grow();
    // For a large block just allocated and not yet written (a file's bytes).
    static void adviseFresh(char* block, std::size_t size);
};
