#pragma once

#include "NetworkClient.h"

#include <functional>
#include <string>
#include <vector>

// Turning a picked path into the engine's volume form: the volume name, ":"
// and the path inside the volume. Paths that begin with "\\" name either a
// server or a directory tree the workstation is connected to. Texts are
// 8-bit model texts; names are compared exactly unless said otherwise.

// What a pick turned into.
enum class PickKind {
    VolumeForm, // on a remote drive or a network path: `text` holds the volume form
    LocalPath,  // a plain local path, left to the caller's policy
    Unresolved, // a remote drive the client could not place: leave the field alone
};

// Why a pick on a network file system gave no volume form, when the client
// cannot say better.
inline constexpr const char* kUnplacedPick =
    "The server and share of this network folder cannot be read. Pick it on a share mounted by "
    "server and share name, or under Network.";

// A name or path of the file system (UTF-8) as model text, or false with
// `problem` naming the first character Windows-1252 cannot hold.
bool ToModelText(const std::string& utf8, std::string& model, std::string& problem);

// Resolves a picked file-system path, given in the file system's own bytes
// (UTF-8), so that the client finds it as the system names it; the results
// are model texts.
PickKind ResolvePickedPath(NetworkClient& client, const std::string& path, std::string& text);
// The same, with the server of a volume form: the remote drive's server, or
// the first name of a network path (a server, or a directory tree). For an
// unresolved pick, `problem` says why in UTF-8: it may name a character the
// code page lacks. An empty path, and a network path that names no server,
// are unresolved.
PickKind ResolvePickedPath(NetworkClient& client, const std::string& path, std::string& server,
                           std::string& text, std::string& problem);

// The volume form of a path that begins with "\\"; may be empty.
std::string ResolveUncPath(NetworkClient& client, const std::string& path);

// Whether a connection of the workstation belongs to the tree `name` (case is
// ignored).
bool IsConnectedTree(NetworkClient& client, const std::string& name);

// The tree names of the workstation's connections, in the order of the scan
// (empty for a name without "_").
std::vector<std::string> ConnectedTreeNames(NetworkClient& client);

// The name of a tree as a connection reports it: the text less the "_"
// padding at its end, empty when it holds no "_".
std::string ConnectionTreeName(const std::string& reported);

// The volume form of the rest of a path below the tree `tree`; empty when it
// ends on a container or on nothing that exists.
std::string ResolveTreePath(NetworkClient& client, const std::string& tree,
                            const std::string& rest);

// Moves `name` onto the front of the dot-separated `context`, then takes the
// next component of `path` into `name`.
void TakePathComponent(std::string& path, std::string& name, std::string& context);

// Shows `visit` the objects directly below `context`, page by page, until it
// answers true or the listing ends or fails.
void VisitChildObjects(NetworkClient& client, const std::string& tree, const std::string& context,
                       const std::function<bool(const NetworkClient::DirectoryObject&)>& visit);

// Looks for `name` directly below `context`; sets `baseClass` when found and
// answers whether it is a container.
bool FindChildObject(NetworkClient& client, const std::string& tree, const std::string& name,
                     const std::string& context, std::string& baseClass);

// Reads a text attribute of an object; the last value read wins, and `text`
// keeps its old value when none could be read.
void ReadTextAttribute(NetworkClient& client, const std::string& tree, const std::string& object,
                       const std::string& attribute, std::string& text);

// The "Host Resource Name" of an object: a volume's name on its server.
void ReadHostResourceName(NetworkClient& client, const std::string& tree,
                          const std::string& objectName, std::string& text);

// The "Path" of the directory map `name` below `context`: its volume object
// and the path inside that volume.
void ReadDirectoryMapPath(NetworkClient& client, const std::string& tree,
                          const std::string& context, const std::string& name,
                          std::string& volumeObject, std::string& path);
