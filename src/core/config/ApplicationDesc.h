#pragma once

#include "text/KeptLines.h"
#include "text/RecordId.h"
#include "text/SettingLines.h"

#include <cstdint>
#include <string>

// One APPLICATION block: an application and where it may be distributed.
struct ApplicationDesc {
    enum class Key : std::uint8_t { AppServer, AppPath, DstPackages, DstServers, Count };

    RecordId id = 0;
    std::string name;
    std::string appServer;
    std::string appPath;
    std::string dstPackages;
    std::string dstServers;
    SettingLines<Key> lines;
    // The lines read before its own that the model does not hold.
    KeptLines kept;
    // One DST_PACKAGE line per name of dstPackages.
    WordLines dstPackageLines;

    // The lines of the same application as it was written; nullptr drops all.
    void takeLines(const ApplicationDesc* written) {
        lines = written != nullptr ? written->lines : SettingLines<Key>();
        dstPackageLines = written != nullptr ? written->dstPackageLines : WordLines();
    }

    bool operator==(const ApplicationDesc& other) const = default;
};
