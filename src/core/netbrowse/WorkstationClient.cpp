#include "WorkstationClient.h"

#include "NetworkMount.h"
#include "PathParts.h"
#include "config/AnsiText.h"
#include "io/FileStore.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <utility>

namespace {

namespace fs = std::filesystem;
using Parts = PathParts::Parts;

Status failed() {
    return Status::failure("The mount table holds no such thing.");
}
constexpr std::size_t LocationDepth = 2;

std::string toModel(const std::string& utf8) {
    return AnsiText::fromUtf8(utf8);
}

std::string localFolder(std::string folder, const Parts& parts, std::size_t from) {
    for (std::size_t i = from; i < parts.size(); ++i)
        folder += "/" + parts[i];
    return folder;
}

// An entry that cannot be examined counts as a file.
bool isFolder(const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_directory(error);
}

std::vector<std::string> subfolders(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (isFolder(*it))
            names.push_back(it->path().filename().string());
    return names;
}

// Hidden entries stay hidden, as in the local part of the browser.
Status listDirectory(const std::string& folder, bool withFiles,
                     std::vector<NetworkClient::FolderEntry>& entries) {
    std::error_code error;
    fs::directory_iterator it(folder, error);
    if (error)
        return failed();
    for (const fs::directory_iterator end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        const bool folderEntry = isFolder(*it);
        if (name.front() != '.' && (folderEntry || withFiles))
            entries.push_back({toModel(name), folderEntry});
    }
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
    std::FILE* table = std::fopen(mountTablePath_.c_str(), "r");
    if (table == nullptr)
        return Status::failure("Cannot read the mount table " + mountTablePath_ + ".");
    std::fclose(table);
    running_ = true;
    return {};
}

void WorkstationClient::shutdown() {
    running_ = false;
}

bool WorkstationClient::isRemoteDrive(const std::string& path) {
    std::string local = AnsiText::toUtf8(path);
    const MountTable table = readTable();
    return networkMount(table, local) != nullptr;
}

Status WorkstationClient::resolveRemotePath(const std::string& path, RemotePath& location) {
    std::string local = AnsiText::toUtf8(path);
    const MountTable table = readTable();
    const MountTable::Entry* mount = networkMount(table, local);
    RemotePath found;
    if (mount == nullptr || !NetworkMount::locate(*mount, MountTable::below(*mount, local), found))
        return failed();
    location = {toModel(found.server), toModel(found.volume), toModel(found.directory)};
    return {};
}

// A folder reached through a symbolic link lies where the link leads, which
// is what the table names; `local` becomes the path that was found.
const MountTable::Entry* WorkstationClient::networkMount(const MountTable& table,
                                                         std::string& local) {
    std::vector<std::string> candidates{local};
    std::error_code error;
    if (!local.empty() && local.front() == '/')
        candidates.push_back(fs::weakly_canonical(local, error).string());
    for (const std::string& candidate : candidates) {
        const MountTable::Entry* mount = table.covering(candidate);
        if (mount != nullptr && NetworkMount::isNetwork(*mount)) {
            local = candidate;
            return mount;
        }
    }
    return nullptr;
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
            walk(mount, {}, deadline, visit);
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
            entries.push_back({toModel(mounted[wanted.size()]), true});
            return true;
        }
    }
    return false;
}
