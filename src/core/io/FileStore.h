#pragma once

#include "Status.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Whole-file reads and safe writes of regular files. A write goes to a
// temporary file beside the target, is flushed to disk and renamed over it,
// so a failed write leaves the old file whole. The new file keeps the old
// one's owner, group, permission bits, extended attributes and ACLs; where
// the rename cannot keep them (another owner this process cannot give, more
// than one hard link) the file is written in place after a backup beside it,
// which is written back when the write fails. An in-place save holds an
// exclusive lock (flock) on the file throughout, so two such saves of one file
// take turns; one stopped part way leaves its backup marked (StoppedSave). Symbolic links are
// followed to the file they name, under the kernel's rule for links in shared folders when it
// protects them (fs.protected_symlinks): a link in a sticky folder anyone may write is followed
// only by its owner or when the folder's owner owns it. A file is read only when it looks like
// text: a line end within its first MiB, and NUL bytes in no more than half of that MiB.
class FileStore {
public:
    // The largest file read: far beyond any document, well within memory.
    static constexpr std::uint64_t kMaxFileSize = std::uint64_t(1) << 30;
    static constexpr unsigned kNewFileMode = 0600;
    // A failure names the file and the reason. A file that grows meanwhile
    // is read up to the size it had when opened.
    static Status read(const std::string& path, std::string& bytes);
    // A file created new gets newFileMode, less the bits of the umask. A failed
    // in-place write whose old content could not be put back into the file is
    // of Kind::OldContentKept, and its message names where that content is.
    static Status writeAtomically(const std::string& path, std::string_view bytes,
                                  unsigned newFileMode = kNewFileMode);

    // Takes one piece of a file's content; false stops the reading or writing.
    using Pieces = std::function<bool(std::string_view piece)>;
    // Hands a whole content to `put`, piece after piece; false when a piece
    // was refused. It may be called more than once: an in-place save takes the
    // content's digest first, and a second way of saving starts again.
    using Producer = std::function<bool(const Pieces& put)>;
    // The pieces of about a MiB in which large files are read and written, so
    // that no buffer of a whole file is held.
    static constexpr std::size_t kPiece = std::size_t(1) << 20;

    // Reads like read(), but hands the content to `take` in pieces that each
    // end with a line end (the last one where the file ends), through one
    // buffer reused from piece to piece. A false from `take` ends the read
    // without an error.
    static Status readLines(const std::string& path, const Pieces& take);
    // Saves like the other writeAtomically, with the content from `produce`.
    static Status writeAtomically(const std::string& path, const Producer& produce,
                                  unsigned newFileMode = kNewFileMode);

    // The file that symbolic links at the end of `path` name; `path` itself
    // when it is no link or cannot be followed.
    static std::string linkTarget(const std::string& path);
    // True for an existing file this process may not change: no write
    // permission bit at all, or writing is denied.
    static bool isReadOnly(const std::string& path);
    // The permission bits of a file; kNewFileMode when it cannot be read.
    static unsigned permissionBits(const std::string& path);

    // For tests only: called when an in-place save has its backup marked and
    // after each piece it writes into the file.
    enum class Stage { BackedUp, Writing };
    using StageHook = void (*)(Stage);
    static void setStageHook(StageHook hook);
};
