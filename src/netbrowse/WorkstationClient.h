#pragma once

#include "NetworkClient.h"

#include <string>

// The client of this workstation: network shares come from the operating
// system's mount table, which needs no start-up of its own.
class WorkstationClient : public NetworkClient {
public:
    explicit WorkstationClient(std::string mountTablePath = "/proc/self/mounts");

    // Succeeds when the mount table can be read.
    int initialize() override;
    void shutdown() override;

    bool running() const { return running_; }
    const std::string& mountTablePath() const { return mountTablePath_; }

private:
    std::string mountTablePath_;
    bool running_ = false;
};
