#include "FileStore.h"

#include "HeapPages.h"

#include "FileAttributes.h"
#include "StoppedSave.h"
#include "TempFile.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <limits.h>
#include <memory>
#include <new>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

FileStore::StageHook stageHook = nullptr;

void reach(FileStore::Stage stage) {
    if (stageHook != nullptr)
        stageHook(stage);
}

constexpr int kMaxLinks = 40;
constexpr std::size_t kChunk = std::size_t(1) << 16;

enum class Outcome { Saved, Failed, CannotKeep };

// A folder that refuses new files; a file in it may still be writable.
bool folderRefused(int err) {
    return err == EACCES || err == EPERM;
}

std::string describe(const char* what, const std::string& path, const std::string& reason) {
    return std::string(what) + " \"" + path + "\": " + reason;
}

std::string describe(const char* what, const std::string& path, int err) {
    return describe(what, path, std::strerror(err));
}

std::string notRegular(mode_t mode) {
    const char* kind = S_ISDIR(mode)    ? "a folder"
                       : S_ISFIFO(mode) ? "a FIFO"
                       : S_ISSOCK(mode) ? "a socket"
                       : S_ISLNK(mode)  ? "a symbolic link"
                                        : "a device";
    return std::string("it is ") + kind + ", not a regular file";
}

// Writing past the file-size limit raises SIGXFSZ, whose default kills the
// process; while this lives such a write fails with EFBIG instead.
class FileSizeSignalIgnored {
public:
    FileSizeSignalIgnored() {
        struct sigaction ignore {};
        ignore.sa_handler = SIG_IGN;
        ::sigaction(SIGXFSZ, &ignore, &previous_);
    }
    ~FileSizeSignalIgnored() { ::sigaction(SIGXFSZ, &previous_, nullptr); }
    FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
    FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;

private:
    struct sigaction previous_ {};
};

bool writeAll(int fd, std::string_view bytes, off_t offset = 0) {
    while (!bytes.empty()) {
        const ssize_t n = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
        offset += n;
    }
    return true;
}

// Starts writing a piece to the disk while the next is made, so that the
// fsync before the rename waits for less. Only a hint: failures show in the
// fsync.
void startWriteBack(int fd, off_t offset, std::size_t length) {
#ifdef SYNC_FILE_RANGE_WRITE
    ::sync_file_range(fd, offset, static_cast<off_t>(length), SYNC_FILE_RANGE_WRITE);
#else
    (void)fd, (void)offset, (void)length;
#endif
}

// Reads up to `limit` bytes from the current position; false with errno.
bool readUpTo(int fd, std::uint64_t limit, std::string& bytes) {
    char buffer[kChunk];
    while (bytes.size() < limit) {
        const std::size_t want =
            static_cast<std::size_t>(std::min<std::uint64_t>(sizeof buffer, limit - bytes.size()));
        const ssize_t n = ::read(fd, buffer, want);
        if (n == 0)
            return true;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.append(buffer, static_cast<std::size_t>(n));
    }
    return true;
}

// Copies the first `size` bytes of one file over the start of another.
bool copyContent(int from, int to, off_t size) {
    char buffer[kChunk];
    for (off_t at = 0; at < size;) {
        const ssize_t n = ::pread(from, buffer, std::min<off_t>(sizeof buffer, size - at), at);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return n == 0;
        if (!writeAll(to, std::string_view(buffer, static_cast<std::size_t>(n)), at))
            return false;
        at += n;
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Whether the kernel protects links in shared folders (fs.protected_symlinks).
// A system whose setting cannot be read is taken to protect them.
bool linksProtected() {
    char setting = '1';
    const int fd = ::open("/proc/sys/fs/protected_symlinks", O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        if (::read(fd, &setting, 1) != 1)
            setting = '1';
        ::close(fd);
    }
    return setting != '0';
}

// The kernel's rule for links in a sticky folder anyone may write, such as
// /tmp: such a link is followed only by its owner, or when the folder's owner
// owns it too. Links are followed here rather than by the kernel (a save needs
// the folder of the file it replaces), so the rule is applied here; empty, or
// why the link is refused.
std::string refusedLink(const std::string& link, const struct stat& info) {
    if (info.st_uid == ::geteuid() || !linksProtected())
        return {};
    struct stat folder {};
    if (::stat(folderOf(link).c_str(), &folder) != 0)
        return {};
    const bool shared = (folder.st_mode & S_ISVTX) != 0 && (folder.st_mode & S_IWOTH) != 0;
    if (!shared || folder.st_uid == info.st_uid)
        return {};
    return "the symbolic link \"" + link +
           "\" is not followed: it belongs to another user and lies in a shared folder "
           "(sticky and writable by anyone), where only its owner may follow it";
}

// Follows symbolic links at the end of a path to the file they name, which
// need not exist yet (a dangling link names the file to create); empty, or
// why not.
std::string resolveLinks(const std::string& path, std::string& resolved) {
    resolved = path;
    for (int hop = 0; hop < kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(resolved.c_str(), &info) != 0)
            return errno == ENOENT ? std::string() : std::strerror(errno);
        if (!S_ISLNK(info.st_mode))
            return {};
        if (std::string refused = refusedLink(resolved, info); !refused.empty())
            return refused;
        char target[PATH_MAX];
        const ssize_t n = ::readlink(resolved.c_str(), target, sizeof target);
        if (n < 0 || static_cast<std::size_t>(n) == sizeof target)
            return std::strerror(n < 0 ? errno : ENAMETOOLONG);
        const std::string next(target, static_cast<std::size_t>(n));
        resolved = next.front() == '/' ? next : folderOf(resolved) + '/' + next;
    }
    return std::strerror(ELOOP);
}

// The umask cannot be read without setting it; saves run on one thread.
mode_t processUmask() {
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    // The file is in place already; a folder that cannot be synced (some
    // file systems refuse) leaves nothing to undo.
    ::fsync(fd);
    ::close(fd);
}

// Opens a regular file for reading; -1 with a message for anything else.
int openRegular(const std::string& path, struct stat& info, std::string& error) {
    std::string target;
    if (const std::string refused = resolveLinks(path, target); !refused.empty()) {
        error = describe("Cannot open", path, refused);
        return -1;
    }
    // Look before opening: opening a FIFO blocks, opening a device can act.
    if (::stat(path.c_str(), &info) != 0) {
        error = describe("Cannot open", path, errno);
        return -1;
    }
    const int fd = S_ISREG(info.st_mode)
                       ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)
                       : -1;
    if (fd < 0 && S_ISREG(info.st_mode)) {
        error = describe("Cannot open", path, errno);
        return -1;
    }
    // Checked again on the open file, in case another was put in its place.
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        error = describe("Cannot read", path, notRegular(info.st_mode));
        if (fd >= 0)
            ::close(fd);
        return -1;
    }
    return fd;
}

// Reads a file that had `size` bytes when opened (the kernel's own files
// report none and are read to the limit); empty, or why not.
std::string tooLarge() {
    return "it is larger than " + std::to_string(FileStore::kMaxFileSize >> 30) + " GiB";
}

// A document has line ends and few NUL bytes: judged on its first piece, so
// that a large file of something else is refused before it is read whole.
// `whole` tells that the piece is the whole file.
bool looksLikeText(std::string_view first, bool whole) {
    const auto nuls = static_cast<std::size_t>(std::count(first.begin(), first.end(), '\0'));
    if (2 * nuls > first.size())
        return false;
    return whole || first.find('\n') != std::string_view::npos;
}

const char* const kNotText = "it is not a text file";

std::string readContent(int fd, std::uint64_t size, std::string& bytes) {
    if (size > FileStore::kMaxFileSize)
        return tooLarge();
    const std::uint64_t limit = size > 0 ? size : FileStore::kMaxFileSize + 1;
    try {
        if (!readUpTo(fd, std::min<std::uint64_t>(limit, FileStore::kPiece), bytes))
            return std::strerror(errno);
        if (!looksLikeText(bytes, bytes.size() < FileStore::kPiece))
            return kNotText;
        bytes.reserve(static_cast<std::size_t>(size));
        HeapPages::adviseFresh(bytes.data() + bytes.size(), bytes.capacity() - bytes.size());
        if (!readUpTo(fd, limit, bytes))
            return std::strerror(errno);
    } catch (const std::bad_alloc&) {
        bytes.clear();
        bytes.shrink_to_fit();
        return "not enough memory";
    }
    return bytes.size() > FileStore::kMaxFileSize ? tooLarge() : std::string();
}

// Reads like readContent, handing the bytes on in pieces that end at a line
// end; empty, or why not.
std::string readPieces(int fd, std::uint64_t size, const FileStore::Pieces& take) {
    const std::uint64_t limit = size > 0 ? size : FileStore::kMaxFileSize + 1;
    if (size > FileStore::kMaxFileSize)
        return tooLarge();
    std::string buffer;
    std::uint64_t total = 0;
    bool judged = false;
    try {
        for (;;) {
            const std::size_t kept = buffer.size();
            const auto want =
                static_cast<std::size_t>(std::min<std::uint64_t>(FileStore::kPiece, limit - total));
            buffer.resize(kept + want);
            const ssize_t n = ::read(fd, buffer.data() + kept, want);
            if (n < 0 && errno == EINTR) {
                buffer.resize(kept);
                continue;
            }
            if (n < 0)
                return std::strerror(errno);
            buffer.resize(kept + static_cast<std::size_t>(n));
            total += static_cast<std::uint64_t>(n);
            const bool ended = n == 0 || total >= limit;
            if (!judged && (ended || total >= FileStore::kPiece)) {
                if (!looksLikeText(buffer, total < FileStore::kPiece))
                    return kNotText;
                judged = true;
            }
            if (ended)
                break;
            // Only the new bytes are searched: a line longer than a piece is
            // not searched again each time it grows.
            const std::size_t end = std::string_view(buffer).substr(kept).rfind('\n');
            if (!judged || end == std::string_view::npos)
                continue;
            if (!take(std::string_view(buffer).substr(0, kept + end + 1)))
                return {};
            buffer.erase(0, kept + end + 1);
        }
    } catch (const std::bad_alloc&) {
        return "not enough memory";
    }
    if (total > FileStore::kMaxFileSize)
        return tooLarge();
    if (!buffer.empty())
        take(buffer);
    return {};
}

// One save of `bytes` to the file `target` (links resolved); `shown` is the
// name the user gave, for messages.
class Save {
public:
    Save(const std::string& shown, const std::string& target, const FileStore::Producer& produce,
         std::string& error)
        : shown_(shown), target_(target), folder_(folderOf(target)), name_(nameOf(target)),
          produce_(produce), error_(error) {}

    Outcome byRename(bool replacing, unsigned newFileMode);
    bool inPlace();
    // True when a failed in-place save could not put the old content back.
    bool oldContentKept() const { return oldContentKept_; }

private:
    bool fail(int err) {
        error_ = describe("Cannot write", shown_, err);
        return false;
    }
    // The folder refused a file beside the target; `elsewhere` names where
    // else one was tried.
    bool failFolder(int err, const std::string& elsewhere = {}) {
        error_ = describe("Cannot write", shown_,
                          "the folder \"" + folder_ +
                              "\" cannot be written; a save needs a file beside \"" + name_ + "\"" +
                              elsewhere + " (" + std::strerror(err) + ")");
        return false;
    }
    // The backup of an in-place save: beside the file, or in the user's
    // cache folder when the file's own folder cannot be written.
    std::unique_ptr<TempFile> makeBackup();
    Outcome failed(int err) { return fail(err), Outcome::Failed; }
    void restore(int fd, TempFile& backup, off_t size);
    // Writes the content from the start of the file; false with errno.
    bool writeContent(int fd, bool inPlace = false);
    // Backs the open file up beside it and marks the backup with what is
    // about to be written; false with the message set.
    bool backUp(int fd, TempFile& backup, off_t& size);

    const std::string& shown_;
    const std::string& target_;
    std::string folder_;
    std::string name_;
    const FileStore::Producer& produce_;
    off_t written_ = 0;
    std::string& error_;
    bool oldContentKept_ = false;
};

bool Save::writeContent(int fd, bool inPlace) {
    written_ = 0;
    return produce_([&](std::string_view piece) {
        if (!writeAll(fd, piece, written_))
            return false;
        startWriteBack(fd, written_, piece.size());
        written_ += static_cast<off_t>(piece.size());
        if (inPlace)
            reach(FileStore::Stage::Writing);
        return true;
    });
}

Outcome Save::byRename(bool replacing, unsigned newFileMode) {
    FileAttributes attributes;
    if (replacing && !attributes.readFrom(target_))
        return Outcome::CannotKeep;
    TempFile temp(folder_, name_);
    if (!temp.isOpen() && folderRefused(temp.error()))
        return replacing ? Outcome::CannotKeep : (failFolder(temp.error()), Outcome::Failed);
    if (!temp.isOpen())
        return failed(temp.error());
    if (!writeContent(temp.fd()))
        return failed(errno);
    if (replacing && !attributes.applyTo(temp.fd()))
        return Outcome::CannotKeep;
    if (!replacing && ::fchmod(temp.fd(), static_cast<mode_t>(newFileMode) & ~processUmask()) != 0)
        return failed(errno);
    if (::fsync(temp.fd()) != 0 || ::rename(temp.path().c_str(), target_.c_str()) != 0)
        return failed(errno);
    temp.keep();
    syncFolder(folder_);
    return Outcome::Saved;
}

bool Save::backUp(int fd, TempFile& backup, off_t& size) {
    struct stat old {};
    const bool copied = ::fstat(fd, &old) == 0 && backup.isOpen() &&
                        copyContent(fd, backup.fd(), old.st_size) && ::fsync(backup.fd()) == 0;
    if (!copied)
        return fail(backup.isOpen() ? errno : backup.error());
    size = old.st_size;
    StoppedSave::Digest coming;
    errno = 0;
    if (!produce_([&coming](std::string_view piece) { return coming.add(piece), true; }))
        return fail(errno != 0 ? errno : ECANCELED);
    if (!backup.moveTo(StoppedSave::markedPath(backup.path(), coming)))
        return fail(errno);
    syncFolder(folderOf(backup.path()));
    reach(FileStore::Stage::BackedUp);
    return true;
}

std::unique_ptr<TempFile> Save::makeBackup() {
    // Written as a temporary file and named a backup only once whole and
    // marked, so an unmarked backup can only be an older version's.
    auto backup = std::make_unique<TempFile>(folder_, name_, TempFile::Role::Temporary);
    if (backup->isOpen() || !folderRefused(backup->error()))
        return backup;
    const int refused = backup->error();
    std::string wanted = "~/.cache/pallworth";
    const std::string cache = StoppedSave::cacheFolder(true, &wanted);
    if (!cache.empty())
        backup = std::make_unique<TempFile>(cache, StoppedSave::cacheName(target_),
                                            TempFile::Role::Temporary);
    if (!backup->isOpen())
        failFolder(refused, ", or a backup in the cache folder \"" + wanted + "\"");
    return backup;
}

bool Save::inPlace() {
    const int fd = ::open(target_.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return fail(errno);
    // Held from before the backup until the file is whole again: another
    // in-place save of this file (by any of its names) waits its turn.
    int locked;
    while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    if (locked != 0) {
        fail(errno);
        ::close(fd);
        return false;
    }
    off_t size = 0;
    const std::unique_ptr<TempFile> kept = makeBackup();
    TempFile& backup = *kept;
    if (!backup.isOpen()) {
        if (error_.empty())
            fail(backup.error());
        ::close(fd);
        return false;
    }
    if (!backUp(fd, backup, size)) {
        ::close(fd);
        return false;
    }
    const bool written =
        writeContent(fd, true) && ::ftruncate(fd, written_) == 0 && ::fsync(fd) == 0;
    if (!written) {
        fail(errno);
        restore(fd, backup, size);
    }
    ::close(fd);
    return written;
}

void Save::restore(int fd, TempFile& backup, off_t size) {
    if (copyContent(backup.fd(), fd, size) && ::ftruncate(fd, size) == 0 && ::fsync(fd) == 0)
        return;
    // The backup is the only whole copy now: out of reach of the next
    // save's clean-up, and named in the message.
    std::string kept = backup.path() + ".old";
    if (::rename(backup.path().c_str(), kept.c_str()) != 0)
        kept = backup.path();
    backup.keep();
    oldContentKept_ = true;
    error_ += "; the old content is in \"" + kept + '"';
}

// The save behind FileStore::writeAtomically.
Status saveFile(const std::string& path, const FileStore::Producer& produce, unsigned newFileMode) {
    const FileSizeSignalIgnored quiet;
    std::string target;
    if (const std::string refused = resolveLinks(path, target); !refused.empty())
        return Status::failure(describe("Cannot write", path, refused));
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0;
    if (!replacing && errno != ENOENT)
        return Status::failure(describe("Cannot write", path, errno));
    if (replacing && !S_ISREG(old.st_mode))
        return Status::failure(describe("Cannot write", path, notRegular(old.st_mode)));
    if (replacing && FileStore::isReadOnly(target))
        return Status::failure(describe("Cannot write", path, "the file is read-only"));
    TempFile::removeStale(folderOf(target), nameOf(target));
    std::string error;
    Save save(path, target, produce, error);
    const Outcome outcome =
        replacing && old.st_nlink > 1 ? Outcome::CannotKeep : save.byRename(replacing, newFileMode);
    if (outcome == Outcome::Saved || (outcome == Outcome::CannotKeep && save.inPlace()))
        return {};
    return Status::failure(std::move(error), save.oldContentKept() ? Status::Kind::OldContentKept
                                                                   : Status::Kind::Plain);
}

} // namespace

Status FileStore::read(const std::string& path, std::string& bytes) {
    struct stat info {};
    std::string error;
    const int fd = openRegular(path, info, error);
    if (fd < 0)
        return Status::failure(std::move(error));
    bytes.clear();
    const std::string problem = readContent(fd, static_cast<std::uint64_t>(info.st_size), bytes);
    ::close(fd);
    if (problem.empty())
        return {};
    return Status::failure(describe("Cannot read", path, problem));
}

Status FileStore::readLines(const std::string& path, const Pieces& take) {
    struct stat info {};
    std::string error;
    const int fd = openRegular(path, info, error);
    if (fd < 0)
        return Status::failure(std::move(error));
    const std::string problem = readPieces(fd, static_cast<std::uint64_t>(info.st_size), take);
    ::close(fd);
    if (problem.empty())
        return {};
    return Status::failure(describe("Cannot read", path, problem));
}

Status FileStore::writeAtomically(const std::string& path, std::string_view bytes,
                                  unsigned newFileMode) {
    return writeAtomically(
        path, [bytes](const Pieces& put) { return put(bytes); }, newFileMode);
}

Status FileStore::writeAtomically(const std::string& path, const Producer& produce,
                                  unsigned newFileMode) {
    return saveFile(path, produce, newFileMode);
}

std::string FileStore::linkTarget(const std::string& path) {
    std::string target;
    return resolveLinks(path, target).empty() ? target : path;
}

bool FileStore::isReadOnly(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    if ((info.st_mode & 0222) == 0)
        return true;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 &&
           (errno == EACCES || errno == EPERM || errno == EROFS);
}

void FileStore::setStageHook(StageHook hook) {
    stageHook = hook;
}

unsigned FileStore::permissionBits(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 ? info.st_mode & 0777 : kNewFileMode;
}
