#pragma once

#include <string_view>

// The node and row labels the editor shows and a whole-file check names a
// problem by; the catalogue of rows takes them from here.
struct RowLabels {
    // Nodes.
    static constexpr std::string_view kDefaultSettings = "Default settings";
    static constexpr std::string_view kSettings = "Settings";
    static constexpr std::string_view kSchedule = "Schedule";
    static constexpr std::string_view kSourceServer = "Source Server";
    static constexpr std::string_view kTargets = "Target Server(s)";
    static constexpr std::string_view kDirectories = "Directories";
    static constexpr std::string_view kFiles = "Files";
    static constexpr std::string_view kExclude = "Exclude";
    static constexpr std::string_view kMessages = "Messages";
    static constexpr std::string_view kTasks = "Tasks";

    // Rows of the default settings and of a package's settings.
    static constexpr std::string_view kUsername = "Username";
    static constexpr std::string_view kPassword = "Password";
    static constexpr std::string_view kMaxThreads = "Max. threads";
    static constexpr std::string_view kNamespace = "Namespace";
    static constexpr std::string_view kRetryInterval = "Failed job retry interval";
    static constexpr std::string_view kRetryCount = "Number of times a failed job can be retried";
    static constexpr std::string_view kSyncMode = "Sync mode";
    static constexpr std::string_view kTransferIrm = "Transfer IRMs (Inherited Rights Mask)";
    static constexpr std::string_view kTransferOwner = "Transfer file owner";
    static constexpr std::string_view kTransferTrustee = "Transfer file system rights";
    static constexpr std::string_view kSkipReadOnly = "Protect read-only files";
    static constexpr std::string_view kTransferAttrs = "Transfer file system attributes";
    static constexpr std::string_view kPreStat = "Scan directories in advance";
    static constexpr std::string_view kTimeRestriction = "Time restriction";
    static constexpr std::string_view kDisplay = "Display type";
    static constexpr std::string_view kLogSize = "Log size limit";
    static constexpr std::string_view kDebug = "Debug";
    static constexpr std::string_view kDebugLogSize = "Debug log size limit";
    static constexpr std::string_view kProtocol = "Transport protocol";
    static constexpr std::string_view kLogMethod = "Log files based on ...";
    static constexpr std::string_view kLogEvents = "Log event types";
    static constexpr std::string_view kNcfBefore = "NCF to execute before";
    static constexpr std::string_view kNcfAfter = "NCF to execute after";
    static constexpr std::string_view kNcfSuspended = "NCF to execute when suspended";
    static constexpr std::string_view kOpenFiles = "Open file handling method";
    static constexpr std::string_view kLogDirectory = "Log directory";
    // Rows of a package's other nodes and of an application.
    static constexpr std::string_view kDays = "Days to run";
    static constexpr std::string_view kApplicationServer = "Server";
    static constexpr std::string_view kApplicationPath = "Path";
    static constexpr std::string_view kDestinationPackages = "Destination packages";
    static constexpr std::string_view kDestinationServers = "Destination servers";
    // Rows of a task file.
    static constexpr std::string_view kPollInterval = "Polling interval";
    static constexpr std::string_view kLogSeverity = "Logging severity";
    static constexpr std::string_view kMaxLogFileSize = "Maximum log file size";
};
