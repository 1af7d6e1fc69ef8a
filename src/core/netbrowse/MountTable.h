#pragma once

#include <string>
#include <string_view>
#include <vector>

// The operating system's table of mounted file systems, one mount a line,
// fields separated by blanks, blanks and other awkward bytes inside a field
// written as a backslash and three octal digits (\040 for a blank). Lines in
// the form of /proc/self/mountinfo (id, parent, device number, root, mount
// point, options, optional fields, "-", type, device, options) and of
// /proc/self/mounts (device, mount point, type, options) may be mixed. Lines
// that fit neither, and lines starting with "#", are skipped.
class MountTable {
public:
    struct Entry {
        std::string device;
        std::string mountPoint;
        std::string type;
        // The folder of the mounted file system that appears at the mount
        // point: not "/" for a bind mount of a subfolder.
        std::string root = "/";
        // MAJOR:MINOR of the mounted file system (mountinfo only): the
        // mounts of one file system, a share and its binds, share it.
        std::string deviceNumber;
    };

    explicit MountTable(std::string_view text);

    const std::vector<Entry>& entries() const { return entries_; }

    // The mount that holds `path`: the one with the deepest mount point, the
    // later one when two share a mount point (it hides the earlier). Null for
    // a path that is not absolute.
    const Entry* covering(const std::string& path) const;

    // The components of `path` below the root of the file system mounted by
    // `entry`, which must hold it: the mount's root, then the components
    // below its mount point.
    static std::vector<std::string> below(const Entry& entry, const std::string& path);
    // The components `inside` (below the mount point) with the mount's root
    // in front.
    static std::vector<std::string> fromRoot(const Entry& entry,
                                             const std::vector<std::string>& inside);

    // The components of an absolute path: empty and "." components dropped,
    // ".." stepping back.
    static std::vector<std::string> components(std::string_view path);

    // A field with its octal escapes decoded.
    static std::string unescape(std::string_view field);

private:
    std::vector<Entry> entries_;
};
