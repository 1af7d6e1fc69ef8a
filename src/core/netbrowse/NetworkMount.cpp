#include "NetworkMount.h"

#include "PathParts.h"

#include <algorithm>
#include <string_view>
#include <utility>

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

int hexValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// Desktop locations and URLs write awkward bytes as %XX (%20 for a blank).
std::string percentDecoded(std::string_view text) {
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t at = 0; at < text.size(); ++at) {
        const int high = at + 2 < text.size() && text[at] == '%' ? hexValue(text[at + 1]) : -1;
        const int low = high < 0 ? -1 : hexValue(text[at + 2]);
        if (low < 0) {
            decoded += text[at];
            continue;
        }
        decoded += static_cast<char>(high * 16 + low);
        at += 2;
    }
    return decoded;
}

// An export or remote folder is named by its last component; where it
// names none (an export of "/") the first folder inside is the volume.
void appendExport(Remote& remote, std::string_view exported, const Parts& below) {
    const Parts parts = PathParts::split(exported, '/');
    if (!parts.empty())
        remote.path.push_back(parts.back());
    append(remote.path, below.begin(), below.end());
}

// //host/share/path; the kernel writes forward slashes, a hand-written table
// may not.
bool splitShareDevice(std::string device, std::string& server, Parts& path) {
    std::replace(device.begin(), device.end(), '\\', '/');
    if (device.rfind("//", 0) != 0)
        return false;
    path = PathParts::split(device, '/');
    if (path.empty())
        return false;
    server = path.front();
    path.erase(path.begin());
    return true;
}

bool readShareDevice(const MountTable::Entry& mount, const Parts& below, Remote& remote) {
    std::string server;
    if (!splitShareDevice(mount.device, server, remote.path))
        return false;
    remote.server = withoutUser(server);
    append(remote.path, below.begin(), below.end());
    return true;
}

// host:/export, [v6 address]:/export, user@host:path
bool splitExportDevice(std::string_view device, std::string_view& host, std::string_view& path) {
    const std::size_t bracket = !device.empty() && device.front() == '[' ? device.find(']') : 0;
    const std::size_t colon = bracket == std::string::npos ? bracket : device.find(':', bracket);
    if (colon == std::string::npos)
        return false;
    host = device.substr(0, colon);
    path = device.substr(colon + 1);
    return true;
}

bool readExportDevice(const MountTable::Entry& mount, const Parts& below, Remote& remote) {
    std::string_view host, path;
    if (!splitExportDevice(mount.device, host, path))
        return false;
    remote.server = withoutUser(host);
    appendExport(remote, path, below);
    return true;
}

// A host with an optional port: h, h:port, [v6], [v6]:port.
std::string withoutPort(std::string_view host) {
    if (!host.empty() && host.front() == '[')
        return std::string(host.substr(0, host.find(']') + 1));
    return std::string(host.substr(0, host.find(':')));
}

// mon1[:port][,mon2...]:/path; the first monitor stands for the cluster. The
// newer user@fsid.name=/path names no host and is not placed.
bool readCephDevice(const MountTable::Entry& mount, const Parts& below, Remote& remote) {
    const std::string_view device = mount.device;
    const std::size_t path = device.find(":/");
    if (path == std::string_view::npos || device.find('=') != std::string_view::npos)
        return false;
    remote.server = withoutPort(device.substr(0, std::min(device.find(','), path)));
    appendExport(remote, device.substr(path + 1), below);
    return true;
}

// A WebDAV folder mounted by its URL: scheme://[user@]host[:port]/path, the
// path's first folder being the volume.
bool readUrlDevice(const MountTable::Entry& mount, const Parts& below, Remote& remote) {
    const std::string_view device = mount.device;
    const std::size_t scheme = device.find("://");
    if (scheme == std::string_view::npos)
        return false;
    const std::string_view rest = device.substr(scheme + 3);
    const std::size_t slash = rest.find('/');
    remote.server = withoutPort(withoutUser(rest.substr(0, slash)));
    if (slash != std::string_view::npos)
        for (const std::string& part : PathParts::split(rest.substr(slash), '/'))
            remote.path.push_back(percentDecoded(part));
    append(remote.path, below.begin(), below.end());
    return true;
}

// A mount that names no server (a 9p tag, ceph-fuse): a network folder that
// cannot be placed.
bool readNothing(const MountTable::Entry&, const Parts&, Remote&) {
    return false;
}

std::string locationKey(std::string_view location, std::string_view key) {
    for (const std::string& pair : PathParts::split(location.substr(location.find(':') + 1), ',')) {
        const std::size_t equals = pair.find('=');
        if (equals != std::string::npos && std::string_view(pair).substr(0, equals) == key)
            return percentDecoded(std::string_view(pair).substr(equals + 1));
    }
    return {};
}

// The key of a desktop location kind that names its server, and the one that
// names its volume (none: the first folder inside is the volume). A volume
// key that is a path names the volume by its last component, or, for a
// WebDAV prefix, by its first, as a URL mount does.
struct DesktopKind {
    std::string_view kind;
    std::string_view serverKey;
    std::string_view volumeKey;
    bool wholePath = false;
};

constexpr DesktopKind desktopKinds[] = {
    {"smb-share", "server", "share"},
    {"afp-volume", "host", "volume"},
    {"nfs", "host", "prefix"},
    {"sftp", "host", ""},
    {"ftp", "host", ""},
    {"ftps", "host", ""},
    {"dav", "host", "prefix", true},
    {"davs", "host", "prefix", true},
};

const DesktopKind* desktopKindOf(std::string_view location) {
    const std::size_t colon = location.find(':');
    if (colon == std::string_view::npos)
        return nullptr;
    for (const DesktopKind& kind : desktopKinds)
        if (kind.kind == location.substr(0, colon))
            return &kind;
    return nullptr;
}

// The desktop's user-space mounts: one folder per location, named by kind
// and keys.
bool readDesktopLocation(const MountTable::Entry&, const Parts& below, Remote& remote) {
    const DesktopKind* kind = below.empty() ? nullptr : desktopKindOf(below.front());
    if (kind == nullptr)
        return false;
    remote.server = locationKey(below.front(), kind->serverKey);
    const Parts volume = PathParts::split(
        kind->volumeKey.empty() ? std::string() : locationKey(below.front(), kind->volumeKey), '/');
    if (kind->wholePath)
        append(remote.path, volume.begin(), volume.end());
    else if (!volume.empty())
        remote.path.push_back(volume.back());
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

// kio-fuse: a folder per protocol, then one per [user@]host[:port], then
// the remote path.
bool readProtocolFolders(const MountTable::Entry&, const Parts& below, Remote& remote) {
    if (below.size() < 2)
        return false;
    remote.server = withoutPort(withoutUser(below[1]));
    append(remote.path, below.begin() + 2, below.end());
    return true;
}

// A generic type is a network one only with a device of its own form.
struct Kind {
    std::string_view type;
    Reader read;
    std::string_view deviceHolds;
};

constexpr Kind kinds[] = {
    {"cifs", readShareDevice, ""},
    {"smb3", readShareDevice, ""},
    {"smbfs", readShareDevice, ""},
    {"nfs", readExportDevice, ""},
    {"nfs4", readExportDevice, ""},
    {"fuse.sshfs", readExportDevice, ""},
    {"fuse.gvfsd-fuse", readDesktopLocation, ""},
    {"fuse.smbnetfs", readHostFolders, ""},
    {"fuse", readUrlDevice, "://"},
    {"davfs", readUrlDevice, "://"},
    {"fuse.kio-fuse", readProtocolFolders, ""},
    {"glusterfs", readExportDevice, ""},
    {"fuse.glusterfs", readExportDevice, ""},
    {"ceph", readCephDevice, ""},
    {"fuse.ceph-fuse", readNothing, ""},
    {"9p", readNothing, ""},
};

const Kind* kindOf(const MountTable::Entry& mount) {
    for (const Kind& kind : kinds)
        if (kind.type == mount.type && mount.device.find(kind.deviceHolds) != std::string::npos)
            return &kind;
    return nullptr;
}

std::string rootOf(const Parts& parts, const std::string& below) {
    Parts whole = parts;
    const Parts more = MountTable::components(below);
    append(whole, more.begin(), more.end());
    return "/" + PathParts::join(whole, '/');
}

// The kernel names an SMB mount by the share and the folder it was mounted
// from, and writes the folder a mount (or a bind of one) shows as its root
// field; an older kernel leaves the root at "/" and the folder only in the
// source. The view counts from the share's root.
MountTable::Entry shareRootView(const MountTable::Entry& mount) {
    std::string server;
    Parts prefix;
    if (!splitShareDevice(mount.device, server, prefix) || prefix.empty())
        return mount;
    MountTable::Entry view = mount;
    view.device = "//" + server + "/" + prefix.front();
    if (MountTable::components(mount.root).empty())
        view.root = rootOf(Parts(prefix.begin() + 1, prefix.end()), "/");
    return view;
}

// The components of the export of an NFS device, and its host.
bool exportPath(const MountTable::Entry& mount, std::string_view& host, Parts& path) {
    std::string_view exported;
    if (mount.deviceNumber.empty() || !splitExportDevice(mount.device, host, exported))
        return false;
    path = PathParts::split(exported, '/');
    return true;
}

// NFS writes "/" as the root of every mount and the folder in the source,
// so a bind of a folder of an export looks like an export of its own. Of
// the mounts of the same file system, the one with the shortest source is
// the export; the view counts from it.
MountTable::Entry exportView(const MountTable& table, const MountTable::Entry& mount) {
    std::string_view host, otherHost;
    Parts own, other;
    if (!exportPath(mount, host, own))
        return mount;
    const MountTable::Entry* share = nullptr;
    std::size_t shareDepth = own.size();
    for (const MountTable::Entry& entry : table.entries())
        if (entry.deviceNumber == mount.deviceNumber && entry.type == mount.type &&
            exportPath(entry, otherHost, other) && otherHost == host && other.size() < shareDepth &&
            PathParts::startsWith(own, other)) {
            share = &entry;
            shareDepth = other.size();
        }
    if (share == nullptr)
        return mount;
    MountTable::Entry view = mount;
    view.device = share->device;
    view.root =
        rootOf(Parts(own.begin() + static_cast<std::ptrdiff_t>(shareDepth), own.end()), mount.root);
    return view;
}

std::string directoryOf(const Parts& path) {
    return "\\" + PathParts::join(Parts(path.begin() + 1, path.end()), '\\');
}

} // namespace

bool NetworkMount::isNetwork(const MountTable::Entry& mount) {
    return kindOf(mount) != nullptr;
}

bool NetworkMount::canList(const MountTable::Entry& mount) {
    const Kind* kind = kindOf(mount);
    if (kind == nullptr)
        return false;
    const bool byFolder = kind->read == readDesktopLocation || kind->read == readHostFolders ||
                          kind->read == readProtocolFolders;
    return byFolder || !serverOf(mount, MountTable::fromRoot(mount, {})).empty();
}

bool NetworkMount::locate(const MountTable::Entry& mount, const std::vector<std::string>& below,
                          NetworkClient::RemotePath& location) {
    std::string server;
    Parts path;
    if (!locate(mount, below, server, path))
        return false;
    location = {server, path.front(), directoryOf(path)};
    return true;
}

bool NetworkMount::locate(const MountTable::Entry& mount, const std::vector<std::string>& below,
                          std::string& server, std::vector<std::string>& path) {
    const Kind* kind = kindOf(mount);
    Remote remote;
    if (kind == nullptr || mount.device.empty() || !kind->read(mount, below, remote) ||
        remote.server.empty() || remote.path.empty())
        return false;
    server = std::move(remote.server);
    path = std::move(remote.path);
    return true;
}

MountTable::Entry NetworkMount::shareView(const MountTable& table, const MountTable::Entry& mount) {
    const Kind* kind = kindOf(mount);
    if (kind != nullptr && kind->read == readShareDevice)
        return shareRootView(mount);
    if (kind != nullptr && (mount.type == "nfs" || mount.type == "nfs4"))
        return exportView(table, mount);
    return mount;
}

std::string NetworkMount::serverOf(const MountTable::Entry& mount,
                                   const std::vector<std::string>& below) {
    const Kind* kind = kindOf(mount);
    Remote remote;
    if (kind == nullptr || mount.device.empty() || !kind->read(mount, below, remote))
        return {};
    return remote.server;
}
