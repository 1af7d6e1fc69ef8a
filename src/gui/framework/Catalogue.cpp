#include "Catalogue.h"

#include "config/ApplicationDesc.h"
#include "config/GlobalSettings.h"
#include "config/PackageDesc.h"
#include "taskfile/TaskFileModel.h"

#include <algorithm>
#include <array>

namespace {

using A = ApplicationDesc;
using G = GlobalSettings;
using P = PackageDesc;
using T = TaskFileModel;
using Rule = ValueRules::Rule;

// Texts that label more than one thing.
constexpr std::string_view kDefaultSettings = "Default settings";
constexpr std::string_view kSchedule = "Schedule";
constexpr std::string_view kSourceServer = "Source Server";
constexpr std::string_view kProperties = "Properties";
constexpr std::string_view kValue = "Value";

constexpr NumberRange kRetryInterval{60, 14400, "Invalid interval! (%d-%d) Default:533"};
constexpr NumberRange kMaxThreads{1, 100, "Invalid interval! (%d-%d) Default:12"};
constexpr NumberRange kRetryCount{0, 1440, "Invalid interval! (%d-%d) Default:3"};
constexpr NumberRange kLogSize{32, 32768, "Invalid interval! (%d-%d) Default:256"};
constexpr NumberRange kPollInterval{60, 1440, "Invalid interval! (%d-%d) Default:300"};
constexpr NumberRange kLogSeverity{0, 1, "Invalid interval! (%d-%d) Default:0"};
constexpr NumberRange kMaxLogFileSize{8192, 8388608, "Invalid interval! (%d-%d) Default:256000"};

constexpr RowSpec yesNo(std::string_view label, std::string G::*global, std::string P::*package) {
    return {.label = label,
            .dialog = RowDialog::Choice,
            .global = global,
            .package = package,
            .choice = ChoiceYesNo};
}

constexpr RowSpec number(std::string_view label, std::string G::*global, const NumberRange& range) {
    return {.label = label, .dialog = RowDialog::Number, .global = global, .range = &range};
}

constexpr RowSpec message(std::string_view label, std::string P::*package) {
    return {.label = label, .dialog = RowDialog::Text, .package = package, .rule = Rule::Quoted};
}

constexpr RowSpec commandFiles(std::string_view label, std::string P::*source,
                               std::string P::*target, NcfMoment moment) {
    return {.label = label,
            .dialog = RowDialog::CommandFiles,
            .package = source,
            .text = RowText::CommandFiles,
            .packageTarget = target,
            .moment = moment};
}

// The rows of the default settings, a package's settings, or both.
constexpr RowSpec kVersion{.label = "Version", .global = &G::version};
constexpr RowSpec kUsername{
    .label = "Username", .dialog = RowDialog::Text, .global = &G::user, .rule = Rule::Word};
// The password itself never appears; the mask stands in for it.
constexpr RowSpec kPassword{
    .label = "Password", .dialog = RowDialog::Password, .global = &G::passwordMask};
constexpr RowSpec kMaxThreadsRow = number("Max. threads", &G::maxThreads, kMaxThreads);
constexpr RowSpec kNamespace{.label = "Namespace",
                             .dialog = RowDialog::Choice,
                             .global = &G::nameSpace,
                             .choice = ChoiceNamespace};
constexpr RowSpec kRetryIntervalRow =
    number("Failed job retry interval", &G::retryInterval, kRetryInterval);
constexpr RowSpec kRetryCountRow =
    number("Number of times a failed job can be retried", &G::retryCount, kRetryCount);
constexpr RowSpec kSyncMode{.label = "Sync mode",
                            .dialog = RowDialog::Choice,
                            .global = &G::syncMode,
                            .package = &P::syncMode,
                            .choice = ChoiceSyncMode};
constexpr RowSpec kTransferIrm =
    yesNo("Transfer IRMs (Inherited Rights Mask)", &G::transferIrm, &P::transferIrm);
constexpr RowSpec kTransferOwner =
    yesNo("Transfer file owner", &G::transferOwner, &P::transferOwner);
constexpr RowSpec kTransferTrustee =
    yesNo("Transfer file system rights", &G::transferTrustee, &P::transferTrustee);
constexpr RowSpec kSkipReadOnly =
    yesNo("Protect read-only files", &G::skipReadOnly, &P::skipReadOnly);
constexpr RowSpec kTransferAttrs =
    yesNo("Transfer file system attributes", &G::transferAttrs, &P::transferAttrs);
constexpr RowSpec kPreStat = yesNo("Scan directories in advance", nullptr, &P::preStat);
constexpr RowSpec kTimeRestriction{
    .label = "Time restriction", .dialog = RowDialog::TimeRestriction, .global = &G::jobWindow};
constexpr RowSpec kLogDirectory{
    .label = "Log directory", .dialog = RowDialog::LogDirectory, .global = &G::logDir};
constexpr RowSpec kLogEvents{.label = "Log event types",
                             .dialog = RowDialog::LogEvents,
                             .global = &G::logEvent,
                             .package = &P::logEvent};
constexpr RowSpec kDisplay{.label = "Display type",
                           .dialog = RowDialog::Choice,
                           .global = &G::display,
                           .choice = ChoiceServerThread};
constexpr RowSpec kLogSizeRow = number("Log size limit", &G::logSize, kLogSize);
constexpr RowSpec kDebug = yesNo("Debug", &G::debug, nullptr);
constexpr RowSpec kDebugLogSizeRow = number("Debug log size limit", &G::dbgLogSize, kLogSize);
constexpr RowSpec kProtocol{.label = "Transport protocol",
                            .dialog = RowDialog::Choice,
                            .package = &P::protocol,
                            .choice = ChoiceProtocol};
constexpr RowSpec kLogMethod{.label = "Log files based on ...",
                             .dialog = RowDialog::Choice,
                             .package = &P::logMethod,
                             .choice = ChoiceServerThread};
constexpr RowSpec kNcfBefore =
    commandFiles("NCF to execute before", &P::preNcfSrc, &P::preNcfDst, NcfMoment::Before);
constexpr RowSpec kNcfAfter =
    commandFiles("NCF to execute after", &P::postNcfSrc, &P::postNcfDst, NcfMoment::After);
constexpr RowSpec kNcfSuspended = commandFiles("NCF to execute when suspended", &P::suspendNcfSrc,
                                               &P::suspendNcfDst, NcfMoment::Suspended);
constexpr RowSpec kOpenFiles{.label = "Open file handling method",
                             .dialog = RowDialog::OpenFiles,
                             .text = RowText::OpenFiles};

// The rows of a package's other nodes.
constexpr RowSpec kScheduleRow{.label = kSchedule,
                               .dialog = RowDialog::Schedule,
                               .package = &P::scheduleWhen,
                               .text = RowText::ScheduleWords};
constexpr RowSpec kDays{
    .label = "Days to run", .dialog = RowDialog::Days, .package = &P::scheduleDays};
constexpr RowSpec kSource{.label = kSourceServer,
                          .dialog = RowDialog::Text,
                          .package = &P::source,
                          .rule = Rule::Word,
                          .upperCase = true};
constexpr RowSpec kStartMessage = message("Start Message", &P::preMsg);
constexpr RowSpec kEndMessage = message("End Message", &P::postMsg);
constexpr RowSpec kErrorMessage = message("Error Message", &P::errorMsg);
constexpr RowSpec kSuspendMessage = message("Suspend Message", &P::suspendMsg);

// The rows of an application.
constexpr RowSpec kServer{.label = "Server",
                          .dialog = RowDialog::Text,
                          .application = &A::appServer,
                          .rule = Rule::Word,
                          .upperCase = true};
constexpr RowSpec kPath{.label = "Path", .dialog = RowDialog::Path, .application = &A::appPath};
constexpr RowSpec kDestinationPackages{.label = "Destination packages",
                                       .dialog = RowDialog::DestinationPackages,
                                       .application = &A::dstPackages};
constexpr RowSpec kDestinationServers{.label = "Destination servers",
                                      .dialog = RowDialog::Text,
                                      .application = &A::dstServers,
                                      .rule = Rule::Words,
                                      .upperCase = true};

// The settings of a task file; the reader keeps only the first word of its
// log file's line.
constexpr RowSpec kLogFile{.label = "Path of the logfile",
                           .dialog = RowDialog::Text,
                           .task = &T::logFilePath,
                           .rule = Rule::Word};
constexpr RowSpec kPollIntervalRow{.label = "Polling interval",
                                   .dialog = RowDialog::Number,
                                   .task = &T::pollInterval,
                                   .range = &kPollInterval};
constexpr RowSpec kLogSeverityRow{.label = "Logging severity",
                                  .dialog = RowDialog::Number,
                                  .task = &T::logSeverity,
                                  .range = &kLogSeverity};
constexpr RowSpec kMaxLogFileSizeRow{.label = "Maximum log file size",
                                     .dialog = RowDialog::Number,
                                     .task = &T::maxLogSize,
                                     .range = &kMaxLogFileSize};

constexpr std::array<const RowSpec*, 20> kDefaultRows{
    &kVersion,          &kUsername,      &kPassword,      &kMaxThreadsRow,   &kNamespace,
    &kRetryIntervalRow, &kRetryCountRow, &kSyncMode,      &kTransferIrm,     &kTransferOwner,
    &kTransferTrustee,  &kSkipReadOnly,  &kTransferAttrs, &kTimeRestriction, &kLogDirectory,
    &kLogEvents,        &kDisplay,       &kLogSizeRow,    &kDebug,           &kDebugLogSizeRow};
constexpr std::array<const RowSpec*, 14> kSettingsRows{
    &kSyncMode,  &kTransferIrm, &kTransferOwner, &kTransferTrustee, &kSkipReadOnly,
    &kPreStat,   &kProtocol,    &kTransferAttrs, &kLogEvents,       &kLogMethod,
    &kNcfBefore, &kNcfAfter,    &kNcfSuspended,  &kOpenFiles};
constexpr std::array<const RowSpec*, 2> kScheduleRows{&kScheduleRow, &kDays};
constexpr std::array<const RowSpec*, 1> kSourceRows{&kSource};
constexpr std::array<const RowSpec*, 4> kMessageRows{&kStartMessage, &kEndMessage, &kErrorMessage,
                                                     &kSuspendMessage};
constexpr std::array<const RowSpec*, 4> kApplicationRows{&kServer, &kPath, &kDestinationPackages,
                                                         &kDestinationServers};
constexpr std::array<const RowSpec*, 4> kTaskRows{&kLogFile, &kPollIntervalRow, &kLogSeverityRow,
                                                  &kMaxLogFileSizeRow};

constexpr std::array<ColumnSpec, 1> kApplicationsColumns{{{"Applications", 150}}};
constexpr std::array<ColumnSpec, 1> kPackagesColumns{{{"Packages", 150}}};
constexpr std::array<ColumnSpec, 2> kApplicationColumns{{{kProperties, 150}, {kValue, 150}}};
constexpr std::array<ColumnSpec, 2> kScheduleColumns{{{kProperties, 200}, {kValue, 250}}};
constexpr std::array<ColumnSpec, 2> kSourceColumns{{{kProperties, 100}, {kValue, 250}}};
constexpr std::array<ColumnSpec, 6> kTargetColumns{{{"Target Servers", 100},
                                                    {"Volume", 100},
                                                    {"Message", 100},
                                                    {"Bandwidth Limit", 100},
                                                    {"Start", 100},
                                                    {"Protocol", 100}}};
constexpr std::array<ColumnSpec, 4> kJobColumns{{{"Source Path", 100},
                                                 {"Target Path", 100},
                                                 {"Transfer Mode", 100},
                                                 {"Propagate Deletions", 100}}};
constexpr std::array<ColumnSpec, 1> kExcludeColumns{{{"Exclude Directories", 200}}};
constexpr std::array<ColumnSpec, 2> kSettingsColumns{{{kProperties, 200}, {kValue, 200}}};
constexpr std::array<ColumnSpec, 2> kMessageColumns{{{kProperties, 100}, {kValue, 200}}};
constexpr std::array<ColumnSpec, 2> kDefaultColumns{{{kProperties, 250}, {kValue, 250}}};
// The task list sizes its columns to their cells.
constexpr std::array<ColumnSpec, 2> kTaskSettingsColumns{{{kProperties, 200}, {kValue, 200}}};
constexpr std::array<ColumnSpec, 5> kTaskColumns{{{"Source path", 150},
                                                  {"Destination Path", 150},
                                                  {"Overwrite Newer", 150},
                                                  {"Overwrite readonly", 150},
                                                  {"Remove Stale", 150}}};

constexpr NodeSpec propertyNode(DetailKind kind, std::string_view label, RecordKind record,
                                std::span<const ColumnSpec> columns,
                                std::span<const RowSpec* const> rows) {
    return {.kind = kind, .label = label, .record = record, .columns = columns, .rows = rows};
}

constexpr NodeSpec entryNode(DetailKind kind, std::string_view label, RecordKind record,
                             std::span<const ColumnSpec> columns, bool draggable,
                             std::string_view entryCaption = {}) {
    return {.kind = kind,
            .label = label,
            .record = record,
            .columns = columns,
            .entries = true,
            .draggable = draggable,
            .entryCaption = entryCaption};
}

constexpr std::array<NodeSpec, 15> kNodes{
    NodeSpec{.kind = DetailKind::None},
    propertyNode(DetailKind::DefaultSettings, kDefaultSettings, RecordKind::Global, kDefaultColumns,
                 kDefaultRows),
    entryNode(DetailKind::Applications, "Application descriptions", RecordKind::None,
              kApplicationsColumns, true, "Application"),
    entryNode(DetailKind::Packages, "Package descriptions", RecordKind::None, kPackagesColumns,
              true, "Name"),
    propertyNode(DetailKind::Application, {}, RecordKind::Application, kApplicationColumns,
                 kApplicationRows),
    propertyNode(DetailKind::Settings, "Settings", RecordKind::Package, kSettingsColumns,
                 kSettingsRows),
    propertyNode(DetailKind::Schedule, kSchedule, RecordKind::Package, kScheduleColumns,
                 kScheduleRows),
    propertyNode(DetailKind::SourceServer, kSourceServer, RecordKind::Package, kSourceColumns,
                 kSourceRows),
    entryNode(DetailKind::Targets, "Target Server(s)", RecordKind::Package, kTargetColumns, true),
    entryNode(DetailKind::Directories, "Directories", RecordKind::Package, kJobColumns, true),
    entryNode(DetailKind::Files, "Files", RecordKind::Package, kJobColumns, true),
    entryNode(DetailKind::Exclude, "Exclude", RecordKind::Package, kExcludeColumns, false),
    propertyNode(DetailKind::Messages, "Messages", RecordKind::Package, kMessageColumns,
                 kMessageRows),
    propertyNode(DetailKind::TaskSettings, kDefaultSettings, RecordKind::TaskFile,
                 kTaskSettingsColumns, kTaskRows),
    entryNode(DetailKind::Tasks, "Tasks", RecordKind::TaskFile, kTaskColumns, true),
};

// Looked up by kind, so each stands at its kind's place.
constexpr bool inKindOrder() {
    for (std::size_t i = 0; i < kNodes.size(); ++i)
        if (static_cast<std::size_t>(kNodes[i].kind) != i)
            return false;
    return true;
}
static_assert(inKindOrder());

constexpr std::array<DetailKind, 8> kPackageChildren{
    DetailKind::Settings,    DetailKind::Schedule, DetailKind::SourceServer, DetailKind::Targets,
    DetailKind::Directories, DetailKind::Files,    DetailKind::Exclude,      DetailKind::Messages};

// Every row, for the dialogs that find theirs by caption.
constexpr std::array<const RowSpec*, 42> kAllRows{&kVersion,
                                                  &kUsername,
                                                  &kPassword,
                                                  &kMaxThreadsRow,
                                                  &kNamespace,
                                                  &kRetryIntervalRow,
                                                  &kRetryCountRow,
                                                  &kSyncMode,
                                                  &kTransferIrm,
                                                  &kTransferOwner,
                                                  &kTransferTrustee,
                                                  &kSkipReadOnly,
                                                  &kTransferAttrs,
                                                  &kTimeRestriction,
                                                  &kLogDirectory,
                                                  &kLogEvents,
                                                  &kDisplay,
                                                  &kLogSizeRow,
                                                  &kDebug,
                                                  &kDebugLogSizeRow,
                                                  &kPreStat,
                                                  &kProtocol,
                                                  &kLogMethod,
                                                  &kNcfBefore,
                                                  &kNcfAfter,
                                                  &kNcfSuspended,
                                                  &kOpenFiles,
                                                  &kScheduleRow,
                                                  &kDays,
                                                  &kSource,
                                                  &kStartMessage,
                                                  &kEndMessage,
                                                  &kErrorMessage,
                                                  &kSuspendMessage,
                                                  &kServer,
                                                  &kPath,
                                                  &kDestinationPackages,
                                                  &kDestinationServers,
                                                  &kLogFile,
                                                  &kPollIntervalRow,
                                                  &kLogSeverityRow,
                                                  &kMaxLogFileSizeRow};

} // namespace

const NodeSpec& Catalogue::node(DetailKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < kNodes.size() ? kNodes[index] : kNodes.front();
}

std::span<const DetailKind> Catalogue::packageChildren() {
    return kPackageChildren;
}

const RowSpec* Catalogue::rowLabelled(std::string_view label) {
    const auto it = std::find_if(kAllRows.begin(), kAllRows.end(),
                                 [&](const RowSpec* row) { return row->label == label; });
    return it != kAllRows.end() ? *it : nullptr;
}

const RowSpec& Catalogue::commandFiles(NcfMoment moment) {
    switch (moment) {
    case NcfMoment::After:
        return kNcfAfter;
    case NcfMoment::Suspended:
        return kNcfSuspended;
    case NcfMoment::Before:
        break;
    }
    return kNcfBefore;
}
