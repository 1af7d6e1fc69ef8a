#pragma once

#include <string>
#include <string_view>

// Whole-file reads and atomic writes for the command line: a write goes to a
// temporary file beside the target, is flushed to disk, then renamed over it,
// so a failed write leaves the old file whole.
class FileStore {
public:
    // False with a message naming the file and the reason.
    static bool read(const std::string& path, std::string& bytes, std::string& error);
    static bool writeAtomically(const std::string& path, std::string_view bytes,
                                std::string& error);
};
