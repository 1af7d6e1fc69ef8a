#pragma once

#include "text/KeptLines.h"
#include "text/SettingLines.h"

#include <cstdint>
#include <string>

// The package-independent engine settings, each held as the text of its file
// line.
struct GlobalSettings {
    // The settings a line of the file sets, the password included.
    enum class Key : std::uint8_t {
        Version,
        User,
        Password,
        MaxThreads,
        NameSpace,
        RetryInterval,
        RetryCount,
        SyncMode,
        TransferIrm,
        TransferOwner,
        TransferTrustee,
        SkipReadOnly,
        TransferAttrs,
        StartJob,
        EndJob,
        LogDir,
        LogEvent,
        Display,
        LogSize,
        DbgLogSize,
        Debug,
        Count
    };

    std::string version;
    std::string user;
    std::string passwordMask;
    std::string maxThreads;
    std::string nameSpace;
    std::string retryInterval;
    std::string retryCount;
    std::string syncMode;
    std::string transferIrm;
    std::string transferOwner;
    std::string transferTrustee;
    std::string skipReadOnly;
    std::string transferAttrs;
    std::string startJob;
    std::string endJob;
    std::string logDir;
    std::string logEvent;
    std::string display;
    std::string logSize;
    std::string dbgLogSize;
    std::string debug;
    std::string jobWindow;
    SettingLines<Key> lines;
    // The lines read before its own that the model does not hold.
    KeptLines kept;

    bool operator==(const GlobalSettings& other) const = default;
};
