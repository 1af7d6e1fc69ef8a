#pragma once

#include "Status.h"

#include <cstdint>
#include <string>
#include <string_view>

// Whole-file reads and safe writes of regular files. A write goes to a
// temporary file beside the target, is flushed to disk and renamed over it,
// so a failed write leaves the old file whole. The new file keeps the old
// one's owner, group, permission bits, extended attributes and ACLs; where
// the rename cannot keep them (another owner this process cannot give, more
// than one hard link) the file is written in place after a backup beside it,
// which is written back when the write fails. Symbolic links are followed to
// the file they name.
class FileStore {
public:
    // The largest file read: far beyond any document, well within memory.
    static constexpr std::uint64_t kMaxFileSize = std::uint64_t(1) << 30;
    static constexpr unsigned kNewFileMode = 0600;
    // Ends a failed write's message when the old content could not be put
    // back into the file and was kept beside it instead.
    static constexpr std::string_view kOldContentKept = "; the old content is in ";

    // A failure names the file and the reason. A file that grows meanwhile
    // is read up to the size it had when opened.
    static Status read(const std::string& path, std::string& bytes);
    // A file created new gets newFileMode.
    static Status writeAtomically(const std::string& path, std::string_view bytes,
                                  unsigned newFileMode = kNewFileMode);

    // True for an existing file this process may not change: no write
    // permission bit at all, or writing is denied.
    static bool isReadOnly(const std::string& path);
    // The permission bits of a file; kNewFileMode when it cannot be read.
    static unsigned permissionBits(const std::string& path);
};
