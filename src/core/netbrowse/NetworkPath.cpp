#include "NetworkPath.h"

#include "text/AnsiText.h"
#include "text/TextUtil.h"

namespace {

using Iteration = NetworkClient::Iteration;

// Empty when `s` holds no `c`.
std::string textBefore(const std::string& s, char c) {
    const auto cut = s.find(c);
    return cut == std::string::npos ? std::string() : s.substr(0, cut);
}

// The whole text when `s` holds no `c`: the cut lies before the start.
std::string textAfter(const std::string& s, char c) {
    const auto cut = s.find(c);
    return cut == std::string::npos ? s : s.substr(cut + 1);
}

std::string withoutLeadingBackslash(const std::string& s) {
    return !s.empty() && s.front() == '\\' ? s.substr(1) : s;
}

std::string remoteDriveForm(const NetworkClient::RemotePath& location) {
    return location.volume + ":" + withoutLeadingBackslash(location.directory);
}

std::string serverPathForm(const std::string& rest) {
    if (rest.find('\\') == std::string::npos)
        return rest + ":";
    return textBefore(rest, '\\') + ":" + textAfter(rest, '\\');
}

// Below an "NCP Server" the path goes on with a volume, then a directory. A
// volume picked by itself is still the volume, not a path on no volume.
std::string serverObjectForm(std::string path) {
    const bool volumeOnly = path.find('\\') == std::string::npos;
    const std::string volume = volumeOnly ? path : textBefore(path, '\\');
    path = volumeOnly ? std::string() : textAfter(path, '\\');
    const std::string directory = textBefore(path, '\\');
    path = textAfter(path, '\\');
    return volume + ":" + directory + "\\" + path;
}

std::string directoryMapForm(NetworkClient& client, const std::string& tree,
                             const std::string& context, const std::string& name,
                             const std::string& path) {
    std::string volumeObject, mapPath, volume;
    ReadDirectoryMapPath(client, tree, context, name, volumeObject, mapPath);
    ReadHostResourceName(client, tree, volumeObject, volume);
    return volume + ":" + withoutLeadingBackslash(mapPath) + "\\" + path;
}

// An iteration left before its last page is ended so the client can let go
// of it.
void endIfOpen(NetworkClient& client, const std::string& tree, Iteration iteration) {
    if (iteration != NetworkClient::NoIteration)
        client.endIteration(tree, iteration);
}

// Every value of one attribute, page by page.
void readValues(NetworkClient& client, const std::string& tree, const std::string& object,
                const std::string& attribute,
                const std::function<void(const NetworkClient::AttributeValue&)>& take) {
    Iteration iteration = NetworkClient::NoIteration;
    std::vector<NetworkClient::AttributeValue> page;
    do {
        page.clear();
        if (!client.readAttribute(tree, object, attribute, iteration, page).ok)
            return endIfOpen(client, tree, iteration);
        for (const auto& value : page)
            take(value);
    } while (iteration != NetworkClient::NoIteration);
}

// A network path names its server first; the rest is model text, written
// as it is or refused.
PickKind resolveNetworkPath(NetworkClient& client, const std::string& path, std::string& server,
                            std::string& text, std::string& problem) {
    std::string model;
    if (!ToModelText(path, model, problem))
        return PickKind::Unresolved;
    const std::string first = textBefore(model.substr(2) + "\\", '\\');
    if (first.empty()) {
        problem = "The network path " + path + " names no server.";
        return PickKind::Unresolved;
    }
    server = first;
    text = ResolveUncPath(client, model);
    return PickKind::VolumeForm;
}

} // namespace

bool ToModelText(const std::string& utf8, std::string& model, std::string& problem) {
    std::string unfit;
    if (AnsiText::fromUtf8Exactly(utf8, model, unfit))
        return true;
    problem = "The path cannot hold " + unfit + ".";
    return false;
}

PickKind ResolvePickedPath(NetworkClient& client, const std::string& path, std::string& text) {
    std::string server, problem;
    return ResolvePickedPath(client, path, server, text, problem);
}

PickKind ResolvePickedPath(NetworkClient& client, const std::string& path, std::string& server,
                           std::string& text, std::string& problem) {
    if (path.empty()) {
        problem = "No path was given.";
        return PickKind::Unresolved;
    }
    if (client.isRemoteDrive(path)) {
        NetworkClient::RemotePath location;
        const Status resolved = client.resolveRemotePath(path, location);
        if (!resolved.ok) {
            problem = resolved.error;
            return PickKind::Unresolved;
        }
        server = location.server;
        text = remoteDriveForm(location);
        return PickKind::VolumeForm;
    }
    if (path.rfind("\\\\", 0) == 0)
        return resolveNetworkPath(client, path, server, text, problem);
    return PickKind::LocalPath;
}

std::string ResolveUncPath(NetworkClient& client, const std::string& path) {
    const std::string unc = path.size() > 2 ? path.substr(2) : std::string();
    const std::string first = textBefore(unc, '\\');
    const std::string rest = textAfter(unc, '\\');
    if (IsConnectedTree(client, first))
        return ResolveTreePath(client, first, rest);
    return serverPathForm(rest);
}

// A tree's own name may hold "_" (MY_TREE); only the padding goes.
std::string ConnectionTreeName(const std::string& reported) {
    const std::size_t last = reported.find_last_not_of('_');
    if (reported.find('_') == std::string::npos || last == std::string::npos)
        return {};
    return reported.substr(0, last + 1);
}

std::vector<std::string> ConnectedTreeNames(NetworkClient& client) {
    std::vector<std::string> names;
    std::uint32_t iterator = 0;
    std::uint32_t connection = 0;
    while (client.scanConnections(iterator, connection).ok) {
        std::string reported;
        if (client.connectionTreeName(connection, reported).ok)
            names.push_back(ConnectionTreeName(reported));
    }
    return names;
}

bool IsConnectedTree(NetworkClient& client, const std::string& name) {
    const std::string wanted = TextUtil::upper(name);
    for (const std::string& tree : ConnectedTreeNames(client))
        if (TextUtil::upper(tree) == wanted)
            return true;
    return false;
}

void TakePathComponent(std::string& path, std::string& name, std::string& context) {
    if (!name.empty())
        context = context.empty() ? name : name + "." + context;
    if (path.find('\\') != std::string::npos) {
        name = textBefore(path, '\\');
        path = textAfter(path, '\\');
    } else {
        name = path;
        path.clear();
    }
}

std::string ResolveTreePath(NetworkClient& client, const std::string& tree,
                            const std::string& rest) {
    std::string path = rest, name, context, baseClass;
    TakePathComponent(path, name, context);
    TakePathComponent(path, name, context);
    while (FindChildObject(client, tree, name, context, baseClass) && !name.empty())
        TakePathComponent(path, name, context);

    if (baseClass == "Volume") {
        std::string volume;
        ReadHostResourceName(client, tree, name + "." + context, volume);
        return volume + ":" + path;
    }
    if (baseClass == "Directory Map")
        return directoryMapForm(client, tree, context, name, path);
    if (baseClass == "NCP Server")
        return serverObjectForm(path);
    return {};
}

void VisitChildObjects(NetworkClient& client, const std::string& tree, const std::string& context,
                       const std::function<bool(const NetworkClient::DirectoryObject&)>& visit) {
    Iteration iteration = NetworkClient::NoIteration;
    std::vector<NetworkClient::DirectoryObject> page;
    do {
        page.clear();
        if (!client.listObjects(tree, context, iteration, page).ok)
            break;
        for (const auto& object : page)
            if (visit(object))
                return endIfOpen(client, tree, iteration);
    } while (iteration != NetworkClient::NoIteration);
    endIfOpen(client, tree, iteration);
}

bool FindChildObject(NetworkClient& client, const std::string& tree, const std::string& name,
                     const std::string& context, std::string& baseClass) {
    bool container = false;
    VisitChildObjects(client, tree, context, [&](const NetworkClient::DirectoryObject& object) {
        if (object.name != name)
            return false;
        baseClass = object.baseClass;
        container = (object.flags & NetworkClient::ContainerFlag) != 0;
        return true;
    });
    return container;
}

void ReadTextAttribute(NetworkClient& client, const std::string& tree, const std::string& object,
                       const std::string& attribute, std::string& text) {
    readValues(client, tree, object, attribute,
               [&text](const NetworkClient::AttributeValue& value) { text = value.text; });
}

void ReadHostResourceName(NetworkClient& client, const std::string& tree,
                          const std::string& objectName, std::string& text) {
    ReadTextAttribute(client, tree, objectName, "Host Resource Name", text);
}

void ReadDirectoryMapPath(NetworkClient& client, const std::string& tree,
                          const std::string& context, const std::string& name,
                          std::string& volumeObject, std::string& path) {
    readValues(client, tree, name + "." + context, "Path",
               [&](const NetworkClient::AttributeValue& value) {
                   volumeObject = value.volumeObject;
                   path = value.path;
               });
}
