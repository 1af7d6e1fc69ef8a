#pragma once

#include "Status.h"

#include <cstdint>
#include <string>
#include <string_view>

// The trace an in-place save leaves when it is stopped part way. Once its
// backup is whole, and before the first byte of the file is written, the
// backup is renamed to carry the size and digest of the new content. A marked
// backup that no save holds any more is judged against the file: a file that
// holds the new content or still the old needs it no more and it is removed;
// any other file was left mixed and the backup is the way back.
class StoppedSave {
public:
    // Size and FNV-1a digest of a content, taken piece by piece.
    struct Digest {
        std::uint64_t size = 0;
        std::uint64_t hash = 14695981039346656037ull;

        void add(std::string_view piece);
        bool operator==(const Digest&) const = default;
    };

    // The name that marks a whole backup with the content about to be written.
    // copyPath is the temporary file that holds the whole old content.
    static std::string markedPath(const std::string& copyPath, const Digest& written);
    // The backup a stopped save of `path` (links followed) left beside the
    // file, empty when there is none. Backups of stopped saves that left the
    // file whole are removed on the way.
    static std::string find(const std::string& path);
    // Puts the backup's content back through a safe save and removes it.
    static Status restore(const std::string& path, const std::string& backup);

    // Where the backup of a file goes when its own folder cannot be written:
    // $XDG_CACHE_HOME/pallworth, else ~/.cache/pallworth, made private when
    // missing and `make`; empty when there is none, with the folder wanted in
    // `wanted`.
    static std::string cacheFolder(bool make, std::string* wanted = nullptr);
    // The name backups of `target` (links followed) take in the cache folder:
    // its whole path, absolute, so files of one name in two folders differ.
    static std::string cacheName(const std::string& target);

private:
    // find() in one folder, for backups named after `name`.
    static std::string findIn(const std::string& target, const std::string& folder,
                              const std::string& name);
};
