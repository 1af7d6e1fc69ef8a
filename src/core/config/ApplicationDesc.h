#pragma once

#include "RecordId.h"

#include <string>

// One APPLICATION block: an application and where it may be distributed.
struct ApplicationDesc {
    RecordId id = 0;
    std::string name;
    std::string appServer;
    std::string appPath;
    std::string dstPackages;
    std::string dstServers;

    bool operator==(const ApplicationDesc& other) const = default;
};
