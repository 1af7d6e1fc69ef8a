#pragma once

#include "NetworkClient.h"

#include <string>
#include <vector>

// The Network part of the folder browser, as the client sees it: the
// directory trees the workstation is connected to, with their containers and
// objects, and the servers with their volumes, then folders and files. Each
// place carries the path a pick of it gives, beginning with "\\"; the root,
// a tree and a server on their own are no file-system folders and give none.
class NetworkNeighbourhood {
public:
    struct Place {
        enum class Kind { Root, Tree, TreeObject, Server, Volume, Folder, File };
        Kind kind = Kind::Root;
        std::string label;
        // The path a pick gives; empty when the place cannot be picked.
        std::string path;
        // The path of the place itself, which its children extend.
        std::string unc;
        std::string tree;
        // A tree object's full dotted name and what it is.
        std::string object;
        std::string baseClass;
        bool container = false;
        // Where the folders of a volume, folder or file lie.
        std::string server;
        std::string volume;
        std::string directory;
        // A name the model cannot hold: its own bytes, and why a pick of it
        // (or of anything inside) is refused.
        std::string ownLabel;
        std::string refusal;
    };

    explicit NetworkNeighbourhood(NetworkClient& client) : client_(client) {}

    static Place root();
    std::vector<Place> children(const Place& place, bool withFiles) const;
    // Whether a place can hold others (without asking the client); a
    // refused folder is not gone into, its path holds no real name.
    static bool canHoldChildren(const Place& place);

private:
    std::vector<Place> trees() const;
    std::vector<Place> servers() const;
    std::vector<Place> treeObjects(const Place& parent) const;
    std::vector<Place> objectContents(const Place& object, bool withFiles) const;
    std::vector<Place> volumes(const Place& parent, const std::string& server) const;
    std::vector<Place> folders(const Place& parent, const std::string& server,
                               const std::string& volume, const std::string& directory,
                               bool withFiles) const;
    // The server and volume that hold a tree's "Volume" object.
    bool volumeHost(const std::string& tree, const std::string& object, std::string& server,
                    std::string& volume) const;

    NetworkClient& client_;
};
