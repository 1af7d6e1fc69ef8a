#pragma once

#include "io/Status.h"

#include <cstdint>
#include <string>
#include <vector>

// The workstation's network client: what the editor needs from it to turn a
// picked folder into a server, a volume and a path. The application brings it
// up at start and down at exit. Every text is an 8-bit model text; a call
// that fails says so in its Status. The defaults describe a workstation
// without any network: nothing is remote, nothing is connected, nothing can
// be listed.
class NetworkClient {
public:
    // Where a folder on a remote drive lies. The directory may begin with "\".
    struct RemotePath {
        std::string server;
        std::string volume;
        std::string directory;
    };

    // An object directly below a directory context.
    struct DirectoryObject {
        std::string name;
        std::uint32_t flags = 0;
        std::string baseClass;
    };
    static constexpr std::uint32_t ContainerFlag = 0x4;

    // One value of a directory attribute: a text, or for "Path" a volume
    // object with the path inside it.
    struct AttributeValue {
        std::string text;
        std::uint32_t nameSpace = 0;
        std::string volumeObject;
        std::string path;
    };

    // A folder or file inside a server volume. A name that cannot be
    // written in model text keeps its own bytes (UTF-8 when valid) and the
    // reason, and cannot be picked.
    struct FolderEntry {
        std::string name;
        bool folder = true;
        std::string ownName;
        std::string refusal;
    };

    // Directory listings and reads go page by page: the handle starts as
    // NoIteration and comes back as NoIteration when nothing more follows.
    using Iteration = std::int32_t;
    static constexpr Iteration NoIteration = -1;

    virtual ~NetworkClient() = default;

    // Start-up; the editor ignores the status.
    virtual Status initialize() = 0;
    virtual void shutdown() = 0;
    // Whether the client can answer now, or what keeps it from it.
    virtual Status ready();

    // The drive-type query: whether `path` lies on a remote drive. The path
    // is in the file system's own bytes (UTF-8), not model text.
    virtual bool isRemoteDrive(const std::string& path);
    // Server, volume and directory of a path on a remote drive, as model
    // texts; a name they cannot be written in is refused with the reason.
    virtual Status resolveRemotePath(const std::string& path, RemotePath& location);

    // The scan of connections: `iterator` starts at 0; success means
    // `connection` holds one more, a failure ends the scan.
    virtual Status scanConnections(std::uint32_t& iterator, std::uint32_t& connection);
    // The directory-tree name of a connection, padded on the right with "_"
    // to 32 characters.
    virtual Status connectionTreeName(std::uint32_t connection, std::string& treeName);

    // One page of the objects directly below `context` in `tree`; the empty
    // context is the root of the tree.
    virtual Status listObjects(const std::string& tree, const std::string& context,
                               Iteration& iteration, std::vector<DirectoryObject>& page);
    // One page of the values of `attribute` of the object named `object`
    // (its full name, from the root of the tree).
    virtual Status readAttribute(const std::string& tree, const std::string& object,
                                 const std::string& attribute, Iteration& iteration,
                                 std::vector<AttributeValue>& page);
    // Ends a listing or read that stopped before its last page.
    virtual void endIteration(const std::string& tree, Iteration iteration);

    // The servers the workstation can browse, their volumes, and the folders
    // (and files when `withFiles`) of one directory of a volume; the empty
    // directory is the volume's root, components are separated by "\".
    virtual std::vector<std::string> servers();
    virtual std::vector<std::string> volumes(const std::string& server);
    virtual Status listFolder(const std::string& server, const std::string& volume,
                              const std::string& directory, bool withFiles,
                              std::vector<FolderEntry>& entries);
};
