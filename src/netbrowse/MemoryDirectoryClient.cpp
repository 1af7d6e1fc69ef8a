#include "MemoryDirectoryClient.h"

#include "MountTable.h"
#include "PathParts.h"
#include "config/FileStore.h"

#include <algorithm>

namespace {

constexpr int Failed = -1;

using Parts = PathParts::Parts;

// The drive's own directory, then the rest of the path below its folder.
std::string directoryBelow(const std::string& root, const Parts& rest) {
    std::string directory = root;
    for (const std::string& part : rest) {
        if (!directory.empty() && directory.back() != '\\')
            directory += '\\';
        directory += part;
    }
    return directory;
}

} // namespace

bool MemoryDirectoryClient::load(std::string_view description, std::string& error) {
    return description_.read(description, error);
}

bool MemoryDirectoryClient::loadFile(const std::string& path, std::string& error) {
    std::string bytes;
    return FileStore::read(path, bytes, error) && load(bytes, error);
}

bool MemoryDirectoryClient::isRemoteDrive(const std::string& path) {
    return driveOf(path) != nullptr;
}

int MemoryDirectoryClient::resolveRemotePath(const std::string& path, RemotePath& location) {
    const DirectoryDescription::Drive* drive = driveOf(path);
    if (drive == nullptr)
        return Failed;
    Parts rest = MountTable::components(path);
    rest.erase(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(
                                                MountTable::components(drive->folder).size()));
    location = drive->root;
    location.directory = directoryBelow(drive->root.directory, rest);
    return 0;
}

int MemoryDirectoryClient::scanConnections(std::uint32_t& iterator, std::uint32_t& connection) {
    if (iterator >= description_.connections().size())
        return Failed;
    connection = ++iterator;
    return 0;
}

int MemoryDirectoryClient::connectionTreeName(std::uint32_t connection, std::string& treeName) {
    if (connection == 0 || connection > description_.connections().size())
        return Failed;
    treeName = description_.connections()[connection - 1];
    return 0;
}

int MemoryDirectoryClient::listObjects(const std::string& tree, const std::string& context,
                                       Iteration& iteration, std::vector<DirectoryObject>& page) {
    const DirectoryDescription::Tree* found = description_.tree(tree);
    std::size_t start = 0;
    if (found == nullptr || !pageStart(iteration, start) ||
        (!context.empty() && description_.object(*found, context) == nullptr))
        return Failed;
    std::vector<DirectoryObject> below;
    for (const auto& object : found->objects) {
        if (DirectoryDescription::sameName(DirectoryDescription::parentOf(object.fullName),
                                           context))
            below.push_back({object.fullName.substr(0, object.fullName.find('.')), object.flags,
                             object.baseClass});
    }
    const std::size_t end = std::min(below.size(), start + description_.pageSize());
    page.assign(below.begin() + static_cast<std::ptrdiff_t>(std::min(start, end)),
                below.begin() + static_cast<std::ptrdiff_t>(end));
    advance(iteration, end, below.size());
    return 0;
}

int MemoryDirectoryClient::readAttribute(const std::string& tree, const std::string& object,
                                         const std::string& attribute, Iteration& iteration,
                                         std::vector<AttributeValue>& page) {
    const DirectoryDescription::Tree* found = description_.tree(tree);
    const DirectoryDescription::Object* owner =
        found == nullptr ? nullptr : description_.object(*found, object);
    std::size_t start = 0;
    if (owner == nullptr || !pageStart(iteration, start))
        return Failed;
    const auto attr = std::find_if(
        owner->attributes.begin(), owner->attributes.end(),
        [&attribute](const auto& a) { return DirectoryDescription::sameName(a.name, attribute); });
    if (attr == owner->attributes.end())
        return Failed;
    const auto& values = attr->values;
    const std::size_t end = std::min(values.size(), start + description_.pageSize());
    std::vector<AttributeValue> read;
    for (std::size_t i = start; i < end; ++i) {
        if (!values[i].readable)
            return Failed;
        read.push_back(values[i].value);
    }
    page = std::move(read);
    advance(iteration, end, values.size());
    return 0;
}

void MemoryDirectoryClient::endIteration(const std::string&, Iteration iteration) {
    positions_.erase(iteration);
}

std::vector<std::string> MemoryDirectoryClient::servers() {
    std::vector<std::string> names;
    for (const auto& server : description_.servers())
        names.push_back(server.name);
    return names;
}

std::vector<std::string> MemoryDirectoryClient::volumes(const std::string& server) {
    std::vector<std::string> names;
    if (const auto* found = description_.server(server))
        for (const auto& volume : found->volumes)
            names.push_back(volume.name);
    return names;
}

int MemoryDirectoryClient::listFolder(const std::string& server, const std::string& volume,
                                      const std::string& directory, bool withFiles,
                                      std::vector<FolderEntry>& entries) {
    const auto* found = description_.volume(server, volume);
    if (found == nullptr || !DirectoryDescription::hasFolder(*found, directory))
        return Failed;
    const std::string wanted = DirectoryDescription::folderPath(directory);
    for (const auto& entry : found->entries)
        if (DirectoryDescription::sameName(entry.directory, wanted) && (entry.folder || withFiles))
            entries.push_back({entry.name, entry.folder});
    return 0;
}

const DirectoryDescription::Drive* MemoryDirectoryClient::driveOf(const std::string& path) const {
    if (path.empty() || path.front() != '/')
        return nullptr;
    const Parts place = MountTable::components(path);
    for (const auto& drive : description_.drives())
        if (PathParts::startsWith(place, MountTable::components(drive.folder)))
            return &drive;
    return nullptr;
}

bool MemoryDirectoryClient::pageStart(Iteration iteration, std::size_t& start) const {
    if (iteration == NoIteration) {
        start = 0;
        return true;
    }
    const auto open = positions_.find(iteration);
    if (open == positions_.end())
        return false;
    start = open->second;
    return true;
}

void MemoryDirectoryClient::advance(Iteration& iteration, std::size_t end, std::size_t count) {
    if (end >= count) {
        positions_.erase(iteration);
        iteration = NoIteration;
        return;
    }
    if (iteration == NoIteration)
        iteration = nextHandle_++;
    positions_[iteration] = end;
}
