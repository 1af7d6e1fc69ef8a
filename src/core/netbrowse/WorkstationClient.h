#pragma once

#include "MountTable.h"
#include "NetworkClient.h"

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// The client of this workstation: network shares come from the operating
// system's mount table, which needs no start-up of its own. A folder is on a
// remote drive when the mount that holds it is a network one; the servers to
// browse are the hosts of the mounted shares; the folders of user-space
// mounts are read only as deep as a question needs. The workstation joins no
// directory tree. The table is read afresh on every question, since shares
// come and go while the editor runs; file names are UTF-8 there and
// Windows-1252 in the model. A path is placed by its text: nothing on a
// network mount is looked at, so a stopped server cannot hold the caller.
class WorkstationClient : public NetworkClient {
public:
    explicit WorkstationClient(std::string mountTablePath = defaultMountTablePath());

    // The file named by PALLWORTH_MOUNTINFO, else /proc/self/mountinfo,
    // which also tells where inside its file system a bind mount starts.
    static std::string defaultMountTablePath();

    // Succeed when the mount table can be read (not a folder).
    Status initialize() override;
    void shutdown() override;
    Status ready() override;

    bool running() const { return running_; }

    // How long one question may go down the folders of user-space mounts,
    // where every folder may be a slow trip over the network.
    void setTimeLimit(std::chrono::milliseconds limit) { timeLimit_ = limit; }
    const std::string& mountTablePath() const { return mountTablePath_; }

    bool isRemoteDrive(const std::string& path) override;
    Status resolveRemotePath(const std::string& path, RemotePath& location) override;

    std::vector<std::string> servers() override;
    std::vector<std::string> volumes(const std::string& server) override;
    Status listFolder(const std::string& server, const std::string& volume,
                      const std::string& directory, bool withFiles,
                      std::vector<FolderEntry>& entries) override;

private:
    // A mounted volume, or a folder of one: where it lies and where it is
    // mounted here (all in the mount table's encoding).
    struct Share {
        RemotePath location;
        std::string folder;
    };

    using Clock = std::chrono::steady_clock;
    // Sees a place of a mount's folders; true when the walk goes no deeper.
    using Visit =
        std::function<bool(const MountTable::Entry& mount, const std::vector<std::string>& below)>;

    MountTable readTable() const;
    static const MountTable::Entry* networkMount(const MountTable& table, std::string& local);
    // The volumes of `server` (in model text) and where they are mounted.
    std::vector<Share> shares(const std::string& server) const;
    // Goes down the folders of every network mount that can be listed as
    // far as `visit` needs, at most two levels, until the time limit.
    void walkMounts(const Visit& visit) const;
    static void walk(const MountTable::Entry& mount, const std::vector<std::string>& below,
                     Clock::time_point deadline, const Visit& visit);
    bool findFolder(const std::string& server, const std::string& volume,
                    const std::string& directory, std::string& folder,
                    std::vector<FolderEntry>& entries) const;

    std::string mountTablePath_;
    std::chrono::milliseconds timeLimit_{1500};
    bool running_ = false;
};
