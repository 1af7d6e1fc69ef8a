#include "NetworkMount.h"

#include "PathParts.h"

#include <algorithm>
#include <string_view>

namespace {

using Parts = PathParts::Parts;

// A place on a server: its host, and the components of its path there, the
// first one being the volume.
struct Remote {
    std::string server;
    Parts path;
};

using Reader = bool (*)(const MountTable::Entry&, const Parts&, Remote&);

void append(Parts& to, Parts::const_iterator from, Parts::const_iterator end) {
    to.insert(to.end(), from, end);
}

std::string withoutUser(std::string_view host) {
    const std::size_t at = host.rfind('@');
    return std::string(at == std::string_view::npos ? host : host.substr(at + 1));
}

// //host/share/path; the kernel writes forward slashes, a hand-written table
// may not.
bool readShareDevice(const MountTable::Entry& mount, const Parts& below, Remote& remote) {
    std::string device = mount.device;
    std::replace(device.begin(), device.end(), '\\', '/');
    if (device.rfind("//", 0) != 0)
        return false;
    Parts parts = PathParts::split(device, '/');
    if (parts.empty())
        return false;
    remote.server = withoutUser(parts.front());
    append(remote.path, parts.begin() + 1, parts.end());
    append(remote.path, below.begin(), below.end());
    return true;
}

// host:/export, [v6 address]:/export, user@host:path
bool readExportDevice(const MountTable::Entry& mount, const Parts& below, Remote& remote) {
    const std::string& device = mount.device;
    const std::size_t bracket = device.front() == '[' ? device.find(']') : 0;
    const std::size_t colon = bracket == std::string::npos ? bracket : device.find(':', bracket);
    if (colon == std::string::npos)
        return false;
    remote.server = withoutUser(std::string_view(device).substr(0, colon));
    const Parts exported = PathParts::split(std::string_view(device).substr(colon + 1), '/');
    if (!exported.empty())
        remote.path.push_back(exported.back());
    append(remote.path, below.begin(), below.end());
    return true;
}

std::string locationKey(std::string_view location, std::string_view key) {
    for (const std::string& pair : PathParts::split(location.substr(location.find(':') + 1), ',')) {
        const std::size_t equals = pair.find('=');
        if (equals != std::string::npos && std::string_view(pair).substr(0, equals) == key)
            return pair.substr(equals + 1);
    }
    return {};
}

// The desktop's user-space mounts: one folder per location, named by kind
// and keys.
bool readDesktopLocation(const MountTable::Entry&, const Parts& below, Remote& remote) {
    static const std::string_view desktopKinds[] = {"smb-share", "sftp", "ftp",
                                                    "ftps",      "dav",  "davs"};
    if (below.empty())
        return false;
    const std::string_view location = below.front();
    const std::string_view kind = location.substr(0, location.find(':'));
    if (kind.size() == location.size() ||
        std::find(std::begin(desktopKinds), std::end(desktopKinds), kind) == std::end(desktopKinds))
        return false;
    remote.server = locationKey(location, kind == "smb-share" ? "server" : "host");
    const std::string share = locationKey(location, "share");
    if (!share.empty())
        remote.path.push_back(share);
    append(remote.path, below.begin() + 1, below.end());
    return true;
}

// Hosts, then their shares, as folders.
bool readHostFolders(const MountTable::Entry&, const Parts& below, Remote& remote) {
    if (below.empty())
        return false;
    remote.server = below.front();
    append(remote.path, below.begin() + 1, below.end());
    return true;
}

struct Kind {
    std::string_view type;
    Reader read;
};

constexpr Kind kinds[] = {
    {"cifs", readShareDevice},
    {"smb3", readShareDevice},
    {"smbfs", readShareDevice},
    {"nfs", readExportDevice},
    {"nfs4", readExportDevice},
    {"fuse.sshfs", readExportDevice},
    {"fuse.gvfsd-fuse", readDesktopLocation},
    {"fuse.smbnetfs", readHostFolders},
};

const Kind* kindOf(const MountTable::Entry& mount) {
    for (const Kind& kind : kinds)
        if (kind.type == mount.type)
            return &kind;
    return nullptr;
}

std::string directoryOf(const Parts& path) {
    return "\\" + PathParts::join(Parts(path.begin() + 1, path.end()), '\\');
}

} // namespace

bool NetworkMount::isNetwork(const MountTable::Entry& mount) {
    return kindOf(mount) != nullptr;
}

bool NetworkMount::locate(const MountTable::Entry& mount, const std::vector<std::string>& below,
                          NetworkClient::RemotePath& location) {
    const Kind* kind = kindOf(mount);
    Remote remote;
    if (kind == nullptr || mount.device.empty() || !kind->read(mount, below, remote) ||
        remote.server.empty() || remote.path.empty())
        return false;
    location = {remote.server, remote.path.front(), directoryOf(remote.path)};
    return true;
}
