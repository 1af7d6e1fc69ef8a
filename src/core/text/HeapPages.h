#pragma once

// The heap malloc grows with brk is made of small pages, and on virtual
// machines the first touch of each costs more than the parsing that fills
// it. A reader calls grow() as a large file's records come in: the heap then
// keeps room ahead of what it uses, advised for huge pages where the system
// offers them on request (where it does not, nothing changes).
class HeapPages {
public:
    // Advises the heap grown since the last call; cheap when it did not grow.
    static void grow();
};
