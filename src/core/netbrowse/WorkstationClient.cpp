#include "WorkstationClient.h"

#include "LocalFolder.h"
#include "NetworkMount.h"
#include "NetworkPath.h"
#include "PathParts.h"
#include "io/FileStore.h"
#include "text/AnsiText.h"

#include <algorithm>
#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

using Parts = PathParts::Parts;

Status failed() {
    return Status::failure("The mount table holds no such thing.");
}
constexpr std::size_t LocationDepth = 2;
// As many links as the kernel follows in one path before it gives up.
constexpr int MaxLinks = 40;

// Names are refused rather than turned into '?' or into more folders: the
// engine would look for a place nobody picked.
Status refusedName(const std::string& name, const char* what) {
    return Status::failure("The name \"" + name + "\" cannot be used: the engine reads " + what +
                           " in a path as a separator.");
}

bool toModelName(const std::string& name, std::string& model, Status& status) {
    std::string problem;
    if (name.find('\\') != std::string::npos)
        status = refusedName(name, "\"\\\"");
    else if (name.find(':') != std::string::npos)
        status = refusedName(name, "\":\"");
    else if (!ToModelText(name, model, problem))
        status = Status::failure(problem);
    return status.ok;
}

// The place in model text: every name must be written as it is.
Status toModelLocation(const std::string& server, const Parts& path,
                       NetworkClient::RemotePath& location) {
    // The server is not part of the volume form: an address may hold ":".
    Status status;
    NetworkClient::RemotePath found;
    Parts names(path.size());
    std::string problem;
    if (!ToModelText(server, found.server, problem))
        return Status::failure(problem);
    for (std::size_t i = 0; i < path.size(); ++i)
        if (!toModelName(path[i], names[i], status))
            return status;
    found.volume = names.front();
    found.directory = "\\" + PathParts::join(Parts(names.begin() + 1, names.end()), '\\');
    location = std::move(found);
    return status;
}

// The target of `path` when it is a symbolic link.
bool readLink(const std::string& path, std::string& target) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode))
        return false;
    std::string buffer(static_cast<std::size_t>(info.st_size > 0 ? info.st_size : 255) + 1, '\0');
    const ssize_t size = ::readlink(path.c_str(), buffer.data(), buffer.size());
    if (size <= 0 || static_cast<std::size_t>(size) >= buffer.size())
        return false;
    target.assign(buffer.data(), static_cast<std::size_t>(size));
    return true;
}

std::string toModel(const std::string& utf8) {
    return AnsiText::fromUtf8(utf8);
}

std::string localFolder(std::string folder, const Parts& parts, std::size_t from) {
    for (std::size_t i = from; i < parts.size(); ++i)
        folder += "/" + parts[i];
    return folder;
}

std::vector<std::string> subfolders(const std::string& folder) {
    std::vector<LocalFolder::Entry> entries;
    LocalFolder::read(folder, false, entries);
    std::vector<std::string> names;
    for (LocalFolder::Entry& entry : entries)
        names.push_back(std::move(entry.name));
    return names;
}

// A name the model cannot hold is listed by its own bytes with the reason,
// never as the '?' of a lossy conversion.
NetworkClient::FolderEntry folderEntry(LocalFolder::Entry&& entry) {
    NetworkClient::FolderEntry listed{{}, entry.folder, {}, {}};
    Status status;
    if (!toModelName(entry.name, listed.name, status)) {
        listed.name = toModel(entry.name);
        listed.ownName = std::move(entry.name);
        listed.refusal = status.error;
    }
    return listed;
}

Status listDirectory(const std::string& folder, bool withFiles,
                     std::vector<NetworkClient::FolderEntry>& entries) {
    std::vector<LocalFolder::Entry> found;
    if (!LocalFolder::read(folder, withFiles, found))
        return failed();
    for (LocalFolder::Entry& entry : found)
        entries.push_back(folderEntry(std::move(entry)));
    std::sort(entries.begin(), entries.end(),
              [](const auto& a, const auto& b) { return a.name < b.name; });
    return {};
}

} // namespace

WorkstationClient::WorkstationClient(std::string mountTablePath)
    : mountTablePath_(std::move(mountTablePath)) {}

std::string WorkstationClient::defaultMountTablePath() {
    const char* named = std::getenv("PALLWORTH_MOUNTINFO");
    return named != nullptr && *named != '\0' ? named : "/proc/self/mountinfo";
}

Status WorkstationClient::initialize() {
    Status status = ready();
    running_ = status.ok;
    return status;
}

// A folder or a missing file in place of the table would make every path
// local without a word.
Status WorkstationClient::ready() {
    std::string bytes;
    if (!FileStore::read(mountTablePath_, bytes).ok)
        return Status::failure("Cannot read the mount table " + mountTablePath_ + ".");
    return {};
}

void WorkstationClient::shutdown() {
    running_ = false;
}

bool WorkstationClient::isRemoteDrive(const std::string& path) {
    std::string local = path;
    const MountTable table = readTable();
    return networkMount(table, local) != nullptr;
}

Status WorkstationClient::resolveRemotePath(const std::string& path, RemotePath& location) {
    std::string local = path;
    const MountTable table = readTable();
    const MountTable::Entry* mount = networkMount(table, local);
    if (mount == nullptr)
        return Status::failure(kUnplacedPick);
    const MountTable::Entry view = NetworkMount::shareView(table, *mount);
    const Parts below = MountTable::below(view, local);
    std::string server;
    Parts remote;
    if (NetworkMount::locate(view, below, server, remote))
        return toModelLocation(server, remote, location);
    server = NetworkMount::serverOf(view, below);
    if (server.empty())
        return Status::failure(kUnplacedPick);
    return Status::failure("The folder lies above the shares of the server " + server +
                           ". Pick a share, or a folder inside one.");
}

// The table names places by their text, so a path is placed by its text:
// nothing on a network mount is looked at on disk, as a stuck server would
// hold the caller without limit. Symbolic links on local file systems are
// followed, one component at a time, and ".." goes back from where a link
// leads; `local` becomes the path that was found.
const MountTable::Entry* WorkstationClient::networkMount(const MountTable& table,
                                                         std::string& local) {
    if (local.empty() || local.front() != '/')
        return nullptr;
    Parts pending = PathParts::split(local, '/');
    std::reverse(pending.begin(), pending.end());
    Parts found;
    for (int links = 0; !pending.empty();) {
        std::string name = std::move(pending.back());
        pending.pop_back();
        const std::string next =
            "/" + PathParts::join(found, '/') + (found.empty() ? "" : "/") + name;
        const MountTable::Entry* holder = table.covering(next);
        const bool onDisk = holder == nullptr || !NetworkMount::isNetwork(*holder);
        std::string target;
        if (name == "..") {
            if (!found.empty())
                found.pop_back();
        } else if (name != "." && onDisk && links < MaxLinks && readLink(next, target)) {
            ++links;
            if (target.front() == '/')
                found.clear();
            const Parts more = PathParts::split(target, '/');
            pending.insert(pending.end(), more.rbegin(), more.rend());
        } else if (name != ".") {
            found.push_back(std::move(name));
        }
    }
    local = "/" + PathParts::join(found, '/');
    const MountTable::Entry* mount = table.covering(local);
    return mount != nullptr && NetworkMount::isNetwork(*mount) ? mount : nullptr;
}

std::vector<std::string> WorkstationClient::servers() {
    std::vector<std::string> names;
    walkMounts([&names](const MountTable::Entry& mount, const Parts& below) {
        const std::string server =
            toModel(NetworkMount::serverOf(mount, MountTable::fromRoot(mount, below)));
        if (!server.empty() && std::find(names.begin(), names.end(), server) == names.end())
            names.push_back(server);
        return !server.empty();
    });
    return names;
}

std::vector<std::string> WorkstationClient::volumes(const std::string& server) {
    std::vector<std::string> names;
    for (const Share& share : shares(server)) {
        const std::string name = toModel(share.location.volume);
        if (std::find(names.begin(), names.end(), name) == names.end())
            names.push_back(name);
    }
    return names;
}

Status WorkstationClient::listFolder(const std::string& server, const std::string& volume,
                                     const std::string& directory, bool withFiles,
                                     std::vector<FolderEntry>& entries) {
    std::string folder;
    if (!findFolder(server, volume, directory, folder, entries))
        return failed();
    return folder.empty() ? Status{} : listDirectory(folder, withFiles, entries);
}

MountTable WorkstationClient::readTable() const {
    std::string bytes;
    if (!FileStore::read(mountTablePath_, bytes).ok)
        bytes.clear();
    return MountTable(bytes);
}

// Folders of other servers are not gone into.
std::vector<WorkstationClient::Share> WorkstationClient::shares(const std::string& server) const {
    std::vector<Share> found;
    walkMounts([&](const MountTable::Entry& mount, const Parts& below) {
        const Parts inside = MountTable::fromRoot(mount, below);
        Share share{{}, localFolder(mount.mountPoint, below, 0)};
        if (NetworkMount::locate(mount, inside, share.location)) {
            if (toModel(share.location.server) == server)
                found.push_back(std::move(share));
            return true;
        }
        const std::string owner = NetworkMount::serverOf(mount, inside);
        return !owner.empty() && toModel(owner) != server;
    });
    return found;
}

void WorkstationClient::walkMounts(const Visit& visit) const {
    const MountTable table = readTable();
    const Clock::time_point deadline = Clock::now() + timeLimit_;
    for (const MountTable::Entry& mount : table.entries())
        if (NetworkMount::canList(mount))
            walk(NetworkMount::shareView(table, mount), {}, deadline, visit);
}

void WorkstationClient::walk(const MountTable::Entry& mount, const Parts& below,
                             Clock::time_point deadline, const Visit& visit) {
    if (visit(mount, below) || below.size() == LocationDepth || Clock::now() >= deadline)
        return;
    for (const std::string& name : subfolders(localFolder(mount.mountPoint, below, 0))) {
        Parts deeper = below;
        deeper.push_back(name);
        walk(mount, deeper, deadline, visit);
    }
}

// The local folder of a directory of a mounted volume. A share mounted
// below the volume's root shows the folders that lead down to it, so
// `entries` gets that one step and `folder` stays empty.
bool WorkstationClient::findFolder(const std::string& server, const std::string& volume,
                                   const std::string& directory, std::string& folder,
                                   std::vector<FolderEntry>& entries) const {
    const Parts wanted = PathParts::split(AnsiText::toUtf8(directory), '\\');
    for (const Share& share : shares(server)) {
        if (toModel(share.location.volume) != volume)
            continue;
        const Parts mounted = PathParts::split(share.location.directory, '\\');
        if (PathParts::startsWith(wanted, mounted)) {
            folder = localFolder(share.folder, wanted, mounted.size());
            return true;
        }
        if (PathParts::startsWith(mounted, wanted)) {
            entries.push_back(folderEntry({mounted[wanted.size()], true}));
            return true;
        }
    }
    return false;
}
