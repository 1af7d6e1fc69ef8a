#include "FileAttributes.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace {

// Runs a size-then-fill xattr call into `out`, again if the value grew in
// between.
template <typename Call> bool fetch(Call call, std::string& out) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = call(nullptr, 0);
        if (size < 0)
            return false;
        out.resize(static_cast<std::size_t>(size));
        const ssize_t got = call(out.data(), out.size());
        if (got >= 0) {
            out.resize(static_cast<std::size_t>(got));
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
    return false;
}

// The attribute names of a file; none where the file system has none.
template <typename List> bool names(List list, std::vector<std::string>& result) {
    std::string buffer;
    if (!fetch(list, buffer))
        return errno == ENOTSUP;
    for (std::size_t at = 0; at < buffer.size(); at += std::strlen(buffer.data() + at) + 1)
        result.emplace_back(buffer.data() + at);
    return true;
}

} // namespace

bool FileAttributes::readFrom(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return false;
    owner_ = info.st_uid;
    group_ = info.st_gid;
    mode_ = info.st_mode & 07777;
    const char* file = path.c_str();
    std::vector<std::string> list;
    if (!names([file](char* b, std::size_t n) { return ::listxattr(file, b, n); }, list))
        return false;
    extended_.clear();
    for (std::string& name : list) {
        std::string value;
        const char* key = name.c_str();
        if (fetch([file, key](char* b, std::size_t n) { return ::getxattr(file, key, b, n); },
                  value))
            extended_.emplace_back(std::move(name), std::move(value));
        else if (errno != ENODATA)
            return false;
    }
    return true;
}

bool FileAttributes::applyTo(int fd) const {
    // Owner first: a change of owner clears the set-id bits.
    if (::fchown(fd, owner_, group_) != 0 || ::fchmod(fd, mode_) != 0)
        return false;
    // The new file may have inherited attributes (a default ACL) the old one
    // did not have.
    std::vector<std::string> present;
    if (!names([fd](char* b, std::size_t n) { return ::flistxattr(fd, b, n); }, present))
        return false;
    for (const std::string& name : present) {
        const auto kept = std::find_if(extended_.begin(), extended_.end(),
                                       [&](const auto& e) { return e.first == name; });
        if (kept == extended_.end() && ::fremovexattr(fd, name.c_str()) != 0)
            return false;
    }
    for (const auto& [name, value] : extended_)
        if (::fsetxattr(fd, name.c_str(), value.data(), value.size(), 0) != 0)
            return false;
    return true;
}
