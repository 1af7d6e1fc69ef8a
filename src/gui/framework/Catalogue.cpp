#include "Catalogue.h"

#include "config/ApplicationDesc.h"
#include "config/GlobalSettings.h"
#include "config/PackageDesc.h"
#include "config/RowLabels.h"
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
constexpr std::string_view kDefaultSettings = RowLabels::kDefaultSettings;
constexpr std::string_view kSchedule = RowLabels::kSchedule;
constexpr std::string_view kSourceServer = RowLabels::kSourceServer;
constexpr std::string_view kProperties = "Properties";
constexpr std::string_view kValue = "Value";

constexpr const NumberRange& kRetryInterval = ValueTable::kRetryInterval;
constexpr const NumberRange& kMaxThreads = ValueTable::kMaxThreads;
constexpr const NumberRange& kRetryCount = ValueTable::kRetryCount;
constexpr const NumberRange& kLogSize = ValueTable::kLogSize;
constexpr const NumberRange& kPollInterval = ValueTable::kPollInterval;
constexpr const NumberRange& kLogSeverity = ValueTable::kLogSeverity;
constexpr const NumberRange& kMaxLogFileSize = ValueTable::kMaxLogFileSize;

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
constexpr RowSpec kUsername{.label = RowLabels::kUsername,
                            .dialog = RowDialog::Text,
                            .global = &G::user,
                            .rule = Rule::Word};
// The password itself never appears; the mask stands in for it.
constexpr RowSpec kPassword{
    .label = RowLabels::kPassword, .dialog = RowDialog::Password, .global = &G::passwordMask};
constexpr RowSpec kMaxThreadsRow = number(RowLabels::kMaxThreads, &G::maxThreads, kMaxThreads);
constexpr RowSpec kNamespace{.label = RowLabels::kNamespace,
                             .dialog = RowDialog::Choice,
                             .global = &G::nameSpace,
                             .choice = ChoiceNamespace};
constexpr RowSpec kRetryIntervalRow =
    number(RowLabels::kRetryInterval, &G::retryInterval, kRetryInterval);
constexpr RowSpec kRetryCountRow = number(RowLabels::kRetryCount, &G::retryCount, kRetryCount);
constexpr RowSpec kSyncMode{.label = RowLabels::kSyncMode,
                            .dialog = RowDialog::Choice,
                            .global = &G::syncMode,
                            .package = &P::syncMode,
                            .choice = ChoiceSyncMode};
constexpr RowSpec kTransferIrm = yesNo(RowLabels::kTransferIrm, &G::transferIrm, &P::transferIrm);
constexpr RowSpec kTransferOwner =
    yesNo(RowLabels::kTransferOwner, &G::transferOwner, &P::transferOwner);
constexpr RowSpec kTransferTrustee =
    yesNo(RowLabels::kTransferTrustee, &G::transferTrustee, &P::transferTrustee);
constexpr RowSpec kSkipReadOnly =
    yesNo(RowLabels::kSkipReadOnly, &G::skipReadOnly, &P::skipReadOnly);
constexpr RowSpec kTransferAttrs =
    yesNo(RowLabels::kTransferAttrs, &G::transferAttrs, &P::transferAttrs);
constexpr RowSpec kPreStat = yesNo(RowLabels::kPreStat, nullptr, &P::preStat);
constexpr RowSpec kTimeRestriction{.label = RowLabels::kTimeRestriction,
                                   .dialog = RowDialog::TimeRestriction,
                                   .global = &G::jobWindow};
constexpr RowSpec kLogDirectory{
    .label = RowLabels::kLogDirectory, .dialog = RowDialog::LogDirectory, .global = &G::logDir};
constexpr RowSpec kLogEvents{.label = RowLabels::kLogEvents,
                             .dialog = RowDialog::LogEvents,
                             .global = &G::logEvent,
                             .package = &P::logEvent};
constexpr RowSpec kDisplay{.label = RowLabels::kDisplay,
                           .dialog = RowDialog::Choice,
                           .global = &G::display,
                           .choice = ChoiceServerThread};
constexpr RowSpec kLogSizeRow = number(RowLabels::kLogSize, &G::logSize, kLogSize);
constexpr RowSpec kDebug = yesNo(RowLabels::kDebug, &G::debug, nullptr);
constexpr RowSpec kDebugLogSizeRow = number(RowLabels::kDebugLogSize, &G::dbgLogSize, kLogSize);
constexpr RowSpec kProtocol{.label = RowLabels::kProtocol,
                            .dialog = RowDialog::Choice,
                            .package = &P::protocol,
                            .choice = ChoiceProtocol};
constexpr RowSpec kLogMethod{.label = RowLabels::kLogMethod,
                             .dialog = RowDialog::Choice,
                             .package = &P::logMethod,
                             .choice = ChoiceServerThread};
constexpr RowSpec kNcfBefore =
    commandFiles(RowLabels::kNcfBefore, &P::preNcfSrc, &P::preNcfDst, NcfMoment::Before);
constexpr RowSpec kNcfAfter =
    commandFiles(RowLabels::kNcfAfter, &P::postNcfSrc, &P::postNcfDst, NcfMoment::After);
constexpr RowSpec kNcfSuspended = commandFiles(RowLabels::kNcfSuspended, &P::suspendNcfSrc,
                                               &P::suspendNcfDst, NcfMoment::Suspended);
constexpr RowSpec kOpenFiles{
    .label = RowLabels::kOpenFiles, .dialog = RowDialog::OpenFiles, .text = RowText::OpenFiles};

// The rows of a package's other nodes.
constexpr RowSpec kScheduleRow{.label = kSchedule,
                               .dialog = RowDialog::Schedule,
                               .package = &P::scheduleWhen,
                               .text = RowText::ScheduleWords};
constexpr RowSpec kDays{
    .label = RowLabels::kDays, .dialog = RowDialog::Days, .package = &P::scheduleDays};
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
constexpr RowSpec kServer{.label = RowLabels::kApplicationServer,
                          .dialog = RowDialog::Text,
                          .application = &A::appServer,
                          .rule = Rule::Word,
                          .upperCase = true};
constexpr RowSpec kPath{
    .label = RowLabels::kApplicationPath, .dialog = RowDialog::Path, .application = &A::appPath};
constexpr RowSpec kDestinationPackages{.label = RowLabels::kDestinationPackages,
                                       .dialog = RowDialog::DestinationPackages,
                                       .application = &A::dstPackages};
constexpr RowSpec kDestinationServers{.label = RowLabels::kDestinationServers,
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
constexpr RowSpec kPollIntervalRow{.label = RowLabels::kPollInterval,
                                   .dialog = RowDialog::Number,
                                   .task = &T::pollInterval,
                                   .range = &kPollInterval};
constexpr RowSpec kLogSeverityRow{.label = RowLabels::kLogSeverity,
                                  .dialog = RowDialog::Number,
                                  .task = &T::logSeverity,
                                  .range = &kLogSeverity};
constexpr RowSpec kMaxLogFileSizeRow{.label = RowLabels::kMaxLogFileSize,
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
    propertyNode(DetailKind::Settings, RowLabels::kSettings, RecordKind::Package, kSettingsColumns,
                 kSettingsRows),
    propertyNode(DetailKind::Schedule, kSchedule, RecordKind::Package, kScheduleColumns,
                 kScheduleRows),
    propertyNode(DetailKind::SourceServer, kSourceServer, RecordKind::Package, kSourceColumns,
                 kSourceRows),
    entryNode(DetailKind::Targets, RowLabels::kTargets, RecordKind::Package, kTargetColumns, true),
    entryNode(DetailKind::Directories, RowLabels::kDirectories, RecordKind::Package, kJobColumns,
              true),
    entryNode(DetailKind::Files, RowLabels::kFiles, RecordKind::Package, kJobColumns, true),
    entryNode(DetailKind::Exclude, RowLabels::kExclude, RecordKind::Package, kExcludeColumns,
              false),
    propertyNode(DetailKind::Messages, RowLabels::kMessages, RecordKind::Package, kMessageColumns,
                 kMessageRows),
    propertyNode(DetailKind::TaskSettings, kDefaultSettings, RecordKind::TaskFile,
                 kTaskSettingsColumns, kTaskRows),
    entryNode(DetailKind::Tasks, RowLabels::kTasks, RecordKind::TaskFile, kTaskColumns, true),
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
