#pragma once

#include <string>
#include <string_view>
#include <vector>

// The operating system's table of mounted file systems, in the form of
// /proc/self/mounts: one mount a line, fields separated by blanks (device,
// mount point, type, then fields this code does not need), blanks and other
// awkward bytes inside a field written as a backslash and three octal digits
// (\040 for a blank). Lines with fewer than three fields, and lines starting
// with "#", are skipped.
class MountTable {
public:
    struct Entry {
        std::string device;
        std::string mountPoint;
        std::string type;
    };

    explicit MountTable(std::string_view text);

    const std::vector<Entry>& entries() const { return entries_; }

    // The mount that holds `path`: the one with the deepest mount point, the
    // later one when two share a mount point (it hides the earlier). Null for
    // a path that is not absolute.
    const Entry* covering(const std::string& path) const;

    // The components of `path` below the mount point of `entry`, which must
    // hold it.
    static std::vector<std::string> below(const Entry& entry, const std::string& path);

    // The components of an absolute path: empty and "." components dropped,
    // ".." stepping back.
    static std::vector<std::string> components(std::string_view path);

    // A field with its octal escapes decoded.
    static std::string unescape(std::string_view field);

private:
    std::vector<Entry> entries_;
};
