#pragma once

#include "DirectoryDescription.h"
#include "NetworkClient.h"

#include <cstddef>
#include <map>
#include <mutex>
#include <string>
#include <string_view>

// A network client that answers from a description held in memory (see
// DirectoryDescription for the text it is written in), for tests and to show
// the Network part of the folder browser without a real directory. Replies
// come in pages of the description's page size, as a real directory's do.
class MemoryDirectoryClient : public NetworkClient {
public:
    // Reads a description over what is loaded.
    Status load(std::string_view description);
    Status loadFile(const std::string& path);

    Status initialize() override { return {}; }
    void shutdown() override {}

    bool isRemoteDrive(const std::string& path) override;
    Status resolveRemotePath(const std::string& path, RemotePath& location) override;

    Status scanConnections(std::uint32_t& iterator, std::uint32_t& connection) override;
    Status connectionTreeName(std::uint32_t connection, std::string& treeName) override;

    Status listObjects(const std::string& tree, const std::string& context, Iteration& iteration,
                       std::vector<DirectoryObject>& page) override;
    Status readAttribute(const std::string& tree, const std::string& object,
                         const std::string& attribute, Iteration& iteration,
                         std::vector<AttributeValue>& page) override;
    void endIteration(const std::string& tree, Iteration iteration) override;

    std::vector<std::string> servers() override;
    std::vector<std::string> volumes(const std::string& server) override;
    Status listFolder(const std::string& server, const std::string& volume,
                      const std::string& directory, bool withFiles,
                      std::vector<FolderEntry>& entries) override;

    // Listings and reads begun and not yet run to their end.
    std::size_t openIterations() const;

private:
    const DirectoryDescription::Drive* driveOf(const std::string& path) const;
    // The start of the next page, or false for a handle that is not open.
    bool pageStart(Iteration iteration, std::size_t& start) const;
    // Moves the handle on past a page that ended at `end` of `count`.
    void advance(Iteration& iteration, std::size_t end, std::size_t count);

    DirectoryDescription description_;
    mutable std::mutex iterationsLock_;
    std::map<Iteration, std::size_t> positions_;
    Iteration nextHandle_ = 1;
};
