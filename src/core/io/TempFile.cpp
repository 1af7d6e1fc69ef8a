#include "TempFile.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kAttempts = 8;

// FNV-1a: stable across runs, so the next save finds the same prefix.
std::uint32_t nameHash(const std::string& name) {
    std::uint32_t hash = 2166136261u;
    for (const unsigned char c : name) {
        hash ^= c;
        hash *= 16777619u;
    }
    return hash;
}

bool sameFile(int fd, const std::string& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

} // namespace

TempFile::TempFile(const std::string& folder, const std::string& targetName, Role role) {
    const std::string pattern =
        folder + '/' + prefix(targetName, role) + std::string(kRandomPart, 'X');
    for (int attempt = 0; attempt < kAttempts; ++attempt)
        if (create(pattern) || error_ != 0)
            return;
    error_ = EBUSY;
}

TempFile::~TempFile() {
    if (fd_ < 0)
        return;
    if (!keep_)
        ::unlink(path_.c_str());
    ::close(fd_);
}

bool TempFile::create(const std::string& pattern) {
    path_ = pattern;
    fd_ = ::mkostemp(path_.data(), O_CLOEXEC);
    if (fd_ < 0) {
        error_ = errno;
        return false;
    }
    // A cleaner may have taken the file between its creation and the lock;
    // then it is gone and we start again.
    if (::flock(fd_, LOCK_EX) == 0 && sameFile(fd_, path_))
        return true;
    ::close(fd_);
    fd_ = -1;
    return false;
}

std::string TempFile::prefix(const std::string& targetName, Role role) {
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", static_cast<unsigned>(nameHash(targetName)));
    std::string start(kStart);
    if (role == Role::Backup)
        start += kBackupWord;
    return start + hex + '-';
}

bool TempFile::moveTo(const std::string& path) {
    if (::rename(path_.c_str(), path.c_str()) != 0)
        return false;
    path_ = path;
    return true;
}

int TempFile::openLeftover(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
    if (fd < 0)
        return -1;
    // A save in progress holds the lock; the lock of a killed one is gone.
    struct stat info {};
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        sameFile(fd, path))
        return fd;
    ::close(fd);
    return -1;
}

void TempFile::removeStale(const std::string& folder, const std::string& targetName) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    // Unmarked backups are judged against the file where stopped saves are
    // looked for, since an older version left them unmarked after writing.
    const std::string start = prefix(targetName, Role::Temporary);
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() != start.size() + kRandomPart || name.compare(0, start.size(), start) != 0)
            continue;
        const std::string path = folder + '/' + name;
        if (const int fd = openLeftover(path); fd >= 0) {
            ::unlink(path.c_str());
            ::close(fd);
        }
    }
    ::closedir(dir);
}
