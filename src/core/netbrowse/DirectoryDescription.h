#pragma once

#include "NetworkClient.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// A made-up network for the in-memory client: connections, directory trees
// with their objects and attributes, servers with volumes, folders and files,
// and local folders standing for remote drives. Written as text, one
// statement a line; words are separated by blanks, a word holding blanks is
// put in double quotes ("" is the empty word), and "#" starts a comment line.
// The text is UTF-8.
//
//   page-size N                   objects or values per reply page (default 16)
//   connection TREE               a connection into the tree TREE, reported
//                                 padded with "_" to 32 characters
//   tree TREE                     the objects that follow belong to TREE
//   object NAME CLASS FLAGS       an object by its full dotted name, innermost
//                                 first (OU1.ORG); its parent must come first;
//                                 FLAGS is container, leaf or a number (0x5)
//   value OBJECT ATTRIBUTE TEXT   one more text value of an attribute
//   path OBJECT VOLUME PATH       one more "Path" value: a volume object and a
//                                 path inside it
//   unreadable OBJECT ATTRIBUTE   one more value, whose page cannot be read
//   server SERVER
//   volume SERVER VOLUME
//   folder SERVER VOLUME PATH     a folder (PATH as A\B) and those above it
//   file SERVER VOLUME PATH       a file, and the folders above it
//   drive FOLDER SERVER VOLUME [DIRECTORY]
//                                 the local FOLDER is a remote drive on VOLUME
//                                 of SERVER at DIRECTORY (default "\")
//
// Names of trees, objects, servers and volumes are found without regard to
// case, as on a real network.
class DirectoryDescription {
public:
    struct Value {
        NetworkClient::AttributeValue value;
        bool readable = true;
    };
    struct Attribute {
        std::string name;
        std::vector<Value> values;
    };
    struct Object {
        std::string fullName;
        std::uint32_t flags = 0;
        std::string baseClass;
        std::vector<Attribute> attributes;
    };
    struct Tree {
        std::string name;
        std::vector<Object> objects;
    };
    // A folder or file of a volume; `directory` is the folder holding it,
    // empty for the volume's root.
    struct Entry {
        std::string directory;
        std::string name;
        bool folder = true;
    };
    struct Volume {
        std::string name;
        std::vector<Entry> entries;
    };
    struct Server {
        std::string name;
        std::vector<Volume> volumes;
    };
    struct Drive {
        std::string folder;
        NetworkClient::RemotePath root;
    };

    // Reads a description over the present one; a failure says "line N:
    // reason" for the first statement it cannot take.
    Status read(std::string_view text);

    std::size_t pageSize() const { return pageSize_; }
    const std::vector<std::string>& connections() const { return connections_; }
    const std::vector<Server>& servers() const { return servers_; }
    const std::vector<Drive>& drives() const { return drives_; }

    const Tree* tree(const std::string& name) const;
    const Object* object(const Tree& tree, const std::string& fullName) const;
    const Server* server(const std::string& name) const;
    const Volume* volume(const std::string& server, const std::string& name) const;
    // Whether `directory` (A\B, or empty for the root) is a folder of `volume`.
    static bool hasFolder(const Volume& volume, const std::string& directory);

    // A folder's path as entries hold it: A\B, without stray backslashes.
    static std::string folderPath(const std::string& directory);
    static bool sameName(const std::string& a, const std::string& b);
    // The context an object lies in: its full name less the first component.
    static std::string parentOf(const std::string& fullName);

private:
    using Words = std::vector<std::string>;

    std::string statement(const Words& words);
    std::string pageSizeLine(const Words& words);
    std::string connectionLine(const Words& words);
    std::string treeLine(const Words& words);
    std::string objectLine(const Words& words);
    std::string valueLine(const Words& words);
    std::string serverLine(const Words& words);
    std::string volumeLine(const Words& words);
    std::string entryLine(const Words& words);
    std::string driveLine(const Words& words);

    std::string addValue(const std::string& object, const std::string& attribute, Value value);
    Object* findObject(const std::string& fullName);
    Volume* findVolume(const std::string& server, const std::string& name);

    std::size_t pageSize_ = 16;
    std::vector<std::string> connections_;
    std::vector<Tree> trees_;
    std::vector<Server> servers_;
    std::vector<Drive> drives_;
    std::size_t currentTree_ = NoTree;
    static constexpr std::size_t NoTree = static_cast<std::size_t>(-1);
};
