#include "StoppedSave.h"

#include "FileStore.h"
#include "TempFile.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* kMarker = ".w";

// The size and digest a marked backup's name carries after `start`.
bool parseMark(const std::string& name, std::size_t start, StoppedSave::Digest& written) {
    if (name.size() < start + 2 || name.compare(start, 2, kMarker) != 0)
        return false;
    int end = 0;
    const int fields = std::sscanf(name.c_str() + start + 2, "%" SCNx64 "-%16" SCNx64 "%n",
                                   &written.size, &written.hash, &end);
    return fields == 2 && start + 2 + static_cast<std::size_t>(end) == name.size();
}

// The digest of a file's content; false when it cannot be read.
bool digestOf(const std::string& path, StoppedSave::Digest& digest) {
    digest = {};
    return FileStore::readLines(path,
                                [&digest](std::string_view piece) {
                                    digest.add(piece);
                                    return true;
                                })
        .ok;
}

// Whether the file still needs the marked backup at `backup`.
bool needed(const std::string& target, const std::string& backup,
            const StoppedSave::Digest& written) {
    // An in-place save of the file running now is waited for, not judged.
    struct stat info {};
    const int fd = ::stat(target.c_str(), &info) == 0 && S_ISREG(info.st_mode)
                       ? ::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY)
                       : -1;
    if (fd >= 0)
        while (::flock(fd, LOCK_SH) != 0 && errno == EINTR) {
        }
    StoppedSave::Digest now;
    StoppedSave::Digest old;
    const bool judged = digestOf(target, now) && digestOf(backup, old);
    if (fd >= 0)
        ::close(fd);
    return !judged || (now != written && now != old);
}

// An unmarked backup comes from a version that did not mark its backups: it
// may go only where it holds what the file holds.
bool sameContent(const std::string& target, const std::string& backup) {
    StoppedSave::Digest file;
    StoppedSave::Digest copy;
    return digestOf(target, file) && digestOf(backup, copy) && file == copy;
}

} // namespace

void StoppedSave::Digest::add(std::string_view piece) {
    size += piece.size();
    for (const unsigned char c : piece) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
}

std::string StoppedSave::markedPath(const std::string& copyPath, const Digest& written) {
    char mark[48];
    std::snprintf(mark, sizeof mark, "%s%" PRIx64 "-%016" PRIx64, kMarker, written.size,
                  written.hash);
    // The copy's temporary name becomes the backup's.
    std::string path = copyPath;
    const std::size_t slash = path.rfind('/');
    const std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    path.insert(name + TempFile::kStart.size(), TempFile::kBackupWord);
    return path + mark;
}

std::string StoppedSave::find(const std::string& path) {
    const std::string target = FileStore::linkTarget(path);
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + !slash);
    std::string found = findIn(target, folder, target.substr(slash + 1));
    if (const std::string cache = cacheFolder(false); !cache.empty())
        if (std::string cached = findIn(target, cache, cacheName(target)); !cached.empty())
            found = std::move(cached);
    return found;
}

std::string StoppedSave::findIn(const std::string& target, const std::string& folder,
                                const std::string& name) {
    TempFile::removeStale(folder, name);
    const std::string start = TempFile::prefix(name, TempFile::Role::Backup);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return {};
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string leftover = entry->d_name;
        const std::size_t markAt = start.size() + TempFile::kRandomPart;
        Digest written;
        const bool marked = parseMark(leftover, markAt, written);
        if (leftover.compare(0, start.size(), start) != 0 || (!marked && leftover.size() != markAt))
            continue;
        const std::string backup = folder + '/' + leftover;
        // A save in progress holds its backup locked.
        const int fd = TempFile::openLeftover(backup);
        if (fd < 0)
            continue;
        if (marked && needed(target, backup, written))
            found = backup;
        else if (marked || sameContent(target, backup))
            ::unlink(backup.c_str());
        ::close(fd);
    }
    ::closedir(dir);
    return found;
}

std::string StoppedSave::cacheFolder(bool make, std::string* wanted) {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    std::string folder;
    if (cache != nullptr && cache[0] == '/')
        folder = cache;
    else if (const char* home = std::getenv("HOME"); home != nullptr && home[0] == '/')
        folder = std::string(home) + "/.cache";
    else
        return {};
    if (make)
        ::mkdir(folder.c_str(), 0700);
    folder += "/pallworth";
    if (wanted != nullptr)
        *wanted = folder;
    struct stat info {};
    if (make && ::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return {};
    // Only a folder of this user's own keeps what the backups hold private.
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::geteuid())
        return {};
    return folder;
}

std::string StoppedSave::cacheName(const std::string& target) {
    const auto slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + !slash);
    char* real = ::realpath(folder.c_str(), nullptr);
    if (real == nullptr)
        return target;
    std::string absolute = real;
    std::free(real);
    return absolute + (absolute == "/" ? "" : "/") + target.substr(slash + 1);
}

Status StoppedSave::restore(const std::string& path, const std::string& backup) {
    const Status restored =
        FileStore::writeAtomically(path, [&backup](const FileStore::Pieces& put) {
            bool taken = true;
            const Status read = FileStore::readLines(
                backup, [&](std::string_view piece) { return taken = put(piece); });
            return read.ok && taken;
        });
    if (restored.ok)
        ::unlink(backup.c_str());
    return restored;
}
