#pragma once

#include "GlobalSettings.h"
#include "SyncJob.h"
#include "TargetServer.h"
#include "text/EntryList.h"
#include "text/KeptLines.h"
#include "text/RecordId.h"
#include "text/SettingLines.h"

#include <cstdint>
#include <string>

// One PACKAGE block: a source server, its targets and jobs, and per-package
// copies of the global settings.
struct PackageDesc {
    // The settings a line of the block sets.
    enum class Key : std::uint8_t {
        Schedule,
        Days,
        SyncMode,
        TransferIrm,
        PreStat,
        Protocol,
        TransferOwner,
        TransferTrustee,
        SkipReadOnly,
        TransferAttrs,
        LogEvent,
        LogMethod,
        OfHandler,
        Source,
        PreMsg,
        PostMsg,
        ErrorMsg,
        SuspendMsg,
        PreNcfSrc,
        PostNcfSrc,
        SuspendNcfSrc,
        PreNcfDst,
        PostNcfDst,
        SuspendNcfDst,
        Count
    };

    RecordId id = 0;
    std::string name;
    std::string scheduleWhen;
    std::string scheduleDays;
    std::string syncMode;
    std::string transferIrm;
    std::string preStat;
    std::string protocol;
    std::string transferOwner;
    std::string transferTrustee;
    std::string skipReadOnly;
    std::string transferAttrs;
    std::string logEvent;
    std::string logMethod;
    std::string ofHandler;
    std::int32_t ofHandlerDelay = 0;
    std::string source;
    EntryList<TargetServer> targets;
    EntryList<std::string> excludes;
    EntryList<SyncDirJob> dirJobs;
    EntryList<SyncFileJob> fileJobs;
    std::string preMsg;
    std::string postMsg;
    std::string errorMsg;
    std::string suspendMsg;
    std::string preNcfSrc;
    std::string postNcfSrc;
    std::string suspendNcfSrc;
    std::string preNcfDst;
    std::string postNcfDst;
    std::string suspendNcfDst;
    SettingLines<Key> lines;
    // The lines read before its own that the model does not hold.
    KeptLines kept;

    // A package as a PACKAGE line of a file starts it.
    static PackageDesc fromFile(std::string name);
    // A package as New Package makes it: the per-package settings copied from
    // the global ones of the moment.
    static PackageDesc fromEditor(std::string name, const GlobalSettings& global);

    // The lines of the same package as it was written; nullptr drops all.
    void takeLines(const PackageDesc* written);
    // Lets the four lists go, nearly all of a large package's memory.
    void dropLists();

    bool operator==(const PackageDesc& other) const = default;
};
