#pragma once

#include <string>
#include <vector>

// The entries of one folder of this machine's file system, names in the file
// system's own bytes (not always UTF-8, never converted here).
class LocalFolder {
public:
    struct Entry {
        std::string name;
        bool folder = false;
    };

    // Hidden entries (names beginning with ".") stay hidden, and files are
    // left out unless `withFiles`; an entry that cannot be examined counts as
    // a file. False when the folder cannot be read.
    static bool read(const std::string& folder, bool withFiles, std::vector<Entry>& entries);
};
