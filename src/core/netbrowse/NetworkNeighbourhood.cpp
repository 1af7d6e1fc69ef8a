#include "NetworkNeighbourhood.h"

#include "NetworkPath.h"
#include "text/TextUtil.h"

#include <algorithm>

namespace {

using Place = NetworkNeighbourhood::Place;
using Kind = Place::Kind;

Place childOf(const Place& parent, Kind kind, const std::string& label) {
    Place child;
    child.kind = kind;
    child.label = label;
    child.unc = (parent.kind == Kind::Root ? "\\\\" : parent.unc + "\\") + label;
    child.path = child.unc;
    child.tree = parent.tree;
    return child;
}

// The first component of a dotted name: SRV1 of SRV1.OU1.ORG.
std::string leafName(const std::string& fullName) {
    return fullName.substr(0, fullName.find('.'));
}

std::string subdirectory(const std::string& directory, const std::string& name) {
    return directory.empty() ? name : directory + "\\" + name;
}

// The context an object lies in: OU1.ORG of SRV1.OU1.ORG.
std::string contextOf(const std::string& fullName) {
    const std::size_t dot = fullName.find('.');
    return dot == std::string::npos ? std::string() : fullName.substr(dot + 1);
}

} // namespace

Place NetworkNeighbourhood::root() {
    return Place{};
}

// Of the tree's leaves only those that stand for a volume hold folders.
bool NetworkNeighbourhood::canHoldChildren(const Place& place) {
    if (!place.refusal.empty())
        return false;
    if (place.kind == Kind::TreeObject)
        return place.container || place.baseClass == "NCP Server" || place.baseClass == "Volume" ||
               place.baseClass == "Directory Map";
    return place.kind != Kind::File;
}

std::vector<Place> NetworkNeighbourhood::children(const Place& place, bool withFiles) const {
    switch (place.kind) {
    case Kind::Root: {
        std::vector<Place> found = trees();
        const std::vector<Place> more = servers();
        found.insert(found.end(), more.begin(), more.end());
        return found;
    }
    case Kind::Tree:
        return treeObjects(place);
    case Kind::TreeObject:
        return objectContents(place, withFiles);
    case Kind::Server:
        return volumes(place, place.label);
    case Kind::Volume:
    case Kind::Folder:
        return folders(place, place.server, place.volume, place.directory, withFiles);
    case Kind::File:
        break;
    }
    return {};
}

// Connections into one tree are shown as one tree.
std::vector<Place> NetworkNeighbourhood::trees() const {
    std::vector<Place> found;
    std::vector<std::string> seen;
    for (const std::string& name : ConnectedTreeNames(client_)) {
        const std::string key = TextUtil::upper(name);
        if (name.empty() || std::find(seen.begin(), seen.end(), key) != seen.end())
            continue;
        seen.push_back(key);
        Place tree = childOf(root(), Kind::Tree, name);
        tree.path.clear();
        tree.tree = name;
        found.push_back(tree);
    }
    return found;
}

std::vector<Place> NetworkNeighbourhood::servers() const {
    std::vector<Place> found;
    for (const std::string& name : client_.servers()) {
        Place server = childOf(root(), Kind::Server, name);
        server.path.clear();
        found.push_back(server);
    }
    return found;
}

std::vector<Place> NetworkNeighbourhood::treeObjects(const Place& parent) const {
    std::vector<Place> found;
    VisitChildObjects(
        client_, parent.tree, parent.object, [&](const NetworkClient::DirectoryObject& object) {
            Place child = childOf(parent, Kind::TreeObject, object.name);
            child.object = parent.object.empty() ? object.name : object.name + "." + parent.object;
            child.baseClass = object.baseClass;
            child.container = (object.flags & NetworkClient::ContainerFlag) != 0;
            found.push_back(child);
            return false;
        });
    return found;
}

// Below a container its objects; below a server its volumes; below a volume
// or a directory map the folders of the volume they stand for.
std::vector<Place> NetworkNeighbourhood::objectContents(const Place& object, bool withFiles) const {
    if (object.container)
        return treeObjects(object);
    if (object.baseClass == "NCP Server")
        return volumes(object, object.label);
    std::string server, volume, directory;
    if (object.baseClass == "Volume" && volumeHost(object.tree, object.object, server, volume))
        return folders(object, server, volume, directory, withFiles);
    if (object.baseClass == "Directory Map") {
        std::string volumeObject;
        ReadDirectoryMapPath(client_, object.tree, contextOf(object.object), object.label,
                             volumeObject, directory);
        if (volumeHost(object.tree, volumeObject, server, volume))
            return folders(object, server, volume, directory, withFiles);
    }
    return {};
}

std::vector<Place> NetworkNeighbourhood::volumes(const Place& parent,
                                                 const std::string& server) const {
    std::vector<Place> found;
    for (const std::string& name : client_.volumes(server)) {
        Place volume = childOf(parent, Kind::Volume, name);
        volume.server = server;
        volume.volume = name;
        found.push_back(volume);
    }
    return found;
}

std::vector<Place> NetworkNeighbourhood::folders(const Place& parent, const std::string& server,
                                                 const std::string& volume,
                                                 const std::string& directory,
                                                 bool withFiles) const {
    std::vector<NetworkClient::FolderEntry> entries;
    std::vector<Place> found;
    if (!client_.listFolder(server, volume, directory, withFiles, entries).ok)
        return found;
    for (const auto& entry : entries) {
        if (!entry.folder && !withFiles)
            continue;
        Place child = childOf(parent, entry.folder ? Kind::Folder : Kind::File, entry.name);
        child.server = server;
        child.volume = volume;
        child.directory = subdirectory(directory, entry.name);
        child.ownLabel = entry.ownName;
        child.refusal = entry.refusal;
        found.push_back(child);
    }
    return found;
}

bool NetworkNeighbourhood::volumeHost(const std::string& tree, const std::string& object,
                                      std::string& server, std::string& volume) const {
    std::string hostServer;
    ReadTextAttribute(client_, tree, object, "Host Server", hostServer);
    ReadHostResourceName(client_, tree, object, volume);
    server = leafName(hostServer);
    return !server.empty() && !volume.empty();
}
