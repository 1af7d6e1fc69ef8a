#include "MemoryDirectoryClient.h"

#include "MountTable.h"
#include "NetworkPath.h"
#include "PathParts.h"
#include "io/FileStore.h"
#include "text/AnsiText.h"

#include <algorithm>

namespace {

Status failed() {
    return Status::failure("The description holds no such thing.");
}

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

Status MemoryDirectoryClient::load(std::string_view description) {
    return description_.read(description);
}

Status MemoryDirectoryClient::loadFile(const std::string& path) {
    std::string bytes;
    if (Status read = FileStore::read(path, bytes); !read.ok)
        return read;
    return load(bytes);
}

bool MemoryDirectoryClient::isRemoteDrive(const std::string& path) {
    return driveOf(path) != nullptr;
}

Status MemoryDirectoryClient::resolveRemotePath(const std::string& path, RemotePath& location) {
    const DirectoryDescription::Drive* drive = driveOf(path);
    std::string model, problem;
    if (drive == nullptr)
        return failed();
    if (!ToModelText(path, model, problem))
        return Status::failure(problem);
    Parts rest = MountTable::components(model);
    rest.erase(rest.begin(), rest.begin() + static_cast<std::ptrdiff_t>(
                                                MountTable::components(drive->folder).size()));
    location = drive->root;
    location.directory = directoryBelow(drive->root.directory, rest);
    return {};
}

Status MemoryDirectoryClient::scanConnections(std::uint32_t& iterator, std::uint32_t& connection) {
    if (iterator >= description_.connections().size())
        return failed();
    connection = ++iterator;
    return {};
}

Status MemoryDirectoryClient::connectionTreeName(std::uint32_t connection, std::string& treeName) {
    if (connection == 0 || connection > description_.connections().size())
        return failed();
    treeName = description_.connections()[connection - 1];
    return {};
}

Status MemoryDirectoryClient::listObjects(const std::string& tree, const std::string& context,
                                          Iteration& iteration,
                                          std::vector<DirectoryObject>& page) {
    const DirectoryDescription::Tree* found = description_.tree(tree);
    std::size_t start = 0;
    if (found == nullptr || !pageStart(iteration, start) ||
        (!context.empty() && description_.object(*found, context) == nullptr))
        return failed();
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
    return {};
}

Status MemoryDirectoryClient::readAttribute(const std::string& tree, const std::string& object,
                                            const std::string& attribute, Iteration& iteration,
                                            std::vector<AttributeValue>& page) {
    const DirectoryDescription::Tree* found = description_.tree(tree);
    const DirectoryDescription::Object* owner =
        found == nullptr ? nullptr : description_.object(*found, object);
    std::size_t start = 0;
    if (owner == nullptr || !pageStart(iteration, start))
        return failed();
    const auto attr = std::find_if(
        owner->attributes.begin(), owner->attributes.end(),
        [&attribute](const auto& a) { return DirectoryDescription::sameName(a.name, attribute); });
    if (attr == owner->attributes.end())
        return failed();
    const auto& values = attr->values;
    const std::size_t end = std::min(values.size(), start + description_.pageSize());
    std::vector<AttributeValue> read;
    for (std::size_t i = start; i < end; ++i) {
        if (!values[i].readable)
            return failed();
        read.push_back(values[i].value);
    }
    page = std::move(read);
    advance(iteration, end, values.size());
    return {};
}

void MemoryDirectoryClient::endIteration(const std::string&, Iteration iteration) {
    const std::lock_guard<std::mutex> lock(iterationsLock_);
    positions_.erase(iteration);
}

std::size_t MemoryDirectoryClient::openIterations() const {
    const std::lock_guard<std::mutex> lock(iterationsLock_);
    return positions_.size();
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

Status MemoryDirectoryClient::listFolder(const std::string& server, const std::string& volume,
                                         const std::string& directory, bool withFiles,
                                         std::vector<FolderEntry>& entries) {
    const auto* found = description_.volume(server, volume);
    if (found == nullptr || !DirectoryDescription::hasFolder(*found, directory))
        return failed();
    const std::string wanted = DirectoryDescription::folderPath(directory);
    for (const auto& entry : found->entries)
        if (DirectoryDescription::sameName(entry.directory, wanted) && (entry.folder || withFiles))
            entries.push_back({entry.name, entry.folder, {}, {}});
    return {};
}

const DirectoryDescription::Drive* MemoryDirectoryClient::driveOf(const std::string& path) const {
    if (path.empty() || path.front() != '/')
        return nullptr;
    const Parts place = MountTable::components(path);
    for (const auto& drive : description_.drives())
        if (PathParts::startsWith(place, MountTable::components(AnsiText::toUtf8(drive.folder))))
            return &drive;
    return nullptr;
}

bool MemoryDirectoryClient::pageStart(Iteration iteration, std::size_t& start) const {
    if (iteration == NoIteration) {
        start = 0;
        return true;
    }
    const std::lock_guard<std::mutex> lock(iterationsLock_);
    const auto open = positions_.find(iteration);
    if (open == positions_.end())
        return false;
    start = open->second;
    return true;
}

void MemoryDirectoryClient::advance(Iteration& iteration, std::size_t end, std::size_t count) {
    const std::lock_guard<std::mutex> lock(iterationsLock_);
    if (end >= count) {
        positions_.erase(iteration);
        iteration = NoIteration;
        return;
    }
    if (iteration == NoIteration)
        iteration = nextHandle_++;
    positions_[iteration] = end;
}
