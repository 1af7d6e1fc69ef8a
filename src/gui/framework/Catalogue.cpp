#include "Catalogue.h"

#include "config/ApplicationDesc.h"
#include "config/GlobalSettings.h"
#include "config/ListTable.h"
#include "config/PackageDesc.h"
#include "config/RowLabels.h"
#include "taskfile/TaskFileTable.h"

#include <algorithm>
#include <array>
#include <utility>

namespace {

using A = ApplicationDesc;
using G = GlobalSettings;
using P = PackageDesc;
using Rule = ValueRules::Rule;

using L = RowLabels;

// Texts that label more than one thing.
constexpr std::string_view kProperties = "Properties";
constexpr std::string_view kValue = "Value";

constexpr const NumberRange& kRetryInterval = ValueTable::kRetryInterval;
constexpr const NumberRange& kMaxThreads = ValueTable::kMaxThreads;
constexpr const NumberRange& kRetryCount = ValueTable::kRetryCount;
constexpr const NumberRange& kLogSize = ValueTable::kLogSize;

constexpr RowSpec yesNo(const RowLabel& label, std::string G::*global, std::string P::*package) {
    return {.name = &label,
            .dialog = RowDialog::Choice,
            .global = global,
            .package = package,
            .choice = ChoiceYesNo};
}

constexpr RowSpec number(const RowLabel& label, std::string G::*global, const NumberRange& range) {
    return {.name = &label, .dialog = RowDialog::Number, .global = global, .range = &range};
}

constexpr RowSpec message(const RowLabel& label, std::string P::*package) {
    return {.name = &label, .dialog = RowDialog::Text, .package = package, .rule = Rule::Quoted};
}

constexpr RowSpec commandFiles(const RowLabel& label, std::string P::*source,
                               std::string P::*target, NcfMoment moment) {
    return {.name = &label,
            .dialog = RowDialog::CommandFiles,
            .package = source,
            .text = RowText::CommandFiles,
            .packageTarget = target,
            .moment = moment};
}

// The rows of the default settings, a package's settings, or both.
constexpr RowSpec kVersion{.name = &L::kVersion, .global = &G::version};
constexpr RowSpec kUsername{
    .name = &L::kUsername, .dialog = RowDialog::Text, .global = &G::user, .rule = Rule::Word};
// The password itself never appears; the mask stands in for it.
constexpr RowSpec kPassword{
    .name = &L::kPassword, .dialog = RowDialog::Password, .global = &G::passwordMask};
constexpr RowSpec kMaxThreadsRow = number(L::kMaxThreads, &G::maxThreads, kMaxThreads);
constexpr RowSpec kNamespace{.name = &L::kNamespace,
                             .dialog = RowDialog::Choice,
                             .global = &G::nameSpace,
                             .choice = ChoiceNamespace};
constexpr RowSpec kRetryIntervalRow = number(L::kRetryInterval, &G::retryInterval, kRetryInterval);
constexpr RowSpec kRetryCountRow = number(L::kRetryCount, &G::retryCount, kRetryCount);
constexpr RowSpec kSyncMode{.name = &L::kSyncMode,
                            .dialog = RowDialog::Choice,
                            .global = &G::syncMode,
                            .package = &P::syncMode,
                            .choice = ChoiceSyncMode};
constexpr RowSpec kTransferIrm = yesNo(L::kTransferIrm, &G::transferIrm, &P::transferIrm);
constexpr RowSpec kTransferOwner = yesNo(L::kTransferOwner, &G::transferOwner, &P::transferOwner);
constexpr RowSpec kTransferTrustee =
    yesNo(L::kTransferTrustee, &G::transferTrustee, &P::transferTrustee);
constexpr RowSpec kSkipReadOnly = yesNo(L::kSkipReadOnly, &G::skipReadOnly, &P::skipReadOnly);
constexpr RowSpec kTransferAttrs = yesNo(L::kTransferAttrs, &G::transferAttrs, &P::transferAttrs);
constexpr RowSpec kPreStat = yesNo(L::kPreStat, nullptr, &P::preStat);
constexpr RowSpec kTimeRestriction{
    .name = &L::kTimeRestriction, .dialog = RowDialog::TimeRestriction, .global = &G::jobWindow};
constexpr RowSpec kLogDirectory{
    .name = &L::kLogDirectory, .dialog = RowDialog::LogDirectory, .global = &G::logDir};
constexpr RowSpec kLogEvents{.name = &L::kLogEvents,
                             .dialog = RowDialog::LogEvents,
                             .global = &G::logEvent,
                             .package = &P::logEvent};
constexpr RowSpec kDisplay{.name = &L::kDisplay,
                           .dialog = RowDialog::Choice,
                           .global = &G::display,
                           .choice = ChoiceServerThread};
constexpr RowSpec kLogSizeRow = number(L::kLogSize, &G::logSize, kLogSize);
constexpr RowSpec kDebug = yesNo(L::kDebug, &G::debug, nullptr);
constexpr RowSpec kDebugLogSizeRow = number(L::kDebugLogSize, &G::dbgLogSize, kLogSize);
constexpr RowSpec kProtocol{.name = &L::kProtocol,
                            .dialog = RowDialog::Choice,
                            .package = &P::protocol,
                            .choice = ChoiceProtocol};
constexpr RowSpec kLogMethod{.name = &L::kLogMethod,
                             .dialog = RowDialog::Choice,
                             .package = &P::logMethod,
                             .choice = ChoiceServerThread};
constexpr RowSpec kNcfBefore =
    commandFiles(L::kNcfBefore, &P::preNcfSrc, &P::preNcfDst, NcfMoment::Before);
constexpr RowSpec kNcfAfter =
    commandFiles(L::kNcfAfter, &P::postNcfSrc, &P::postNcfDst, NcfMoment::After);
constexpr RowSpec kNcfSuspended =
    commandFiles(L::kNcfSuspended, &P::suspendNcfSrc, &P::suspendNcfDst, NcfMoment::Suspended);
constexpr RowSpec kOpenFiles{
    .name = &L::kOpenFiles, .dialog = RowDialog::OpenFiles, .text = RowText::OpenFiles};

// The rows of a package's other nodes.
constexpr RowSpec kScheduleRow{.name = &L::kSchedule,
                               .dialog = RowDialog::Schedule,
                               .package = &P::scheduleWhen,
                               .text = RowText::ScheduleWords};
constexpr RowSpec kDays{.name = &L::kDays, .dialog = RowDialog::Days, .package = &P::scheduleDays};
constexpr RowSpec kSource{.name = &L::kSourceServer,
                          .dialog = RowDialog::Text,
                          .package = &P::source,
                          .rule = Rule::Word,
                          .upperCase = true};
constexpr RowSpec kStartMessage = message(L::kStartMessage, &P::preMsg);
constexpr RowSpec kEndMessage = message(L::kEndMessage, &P::postMsg);
constexpr RowSpec kErrorMessage = message(L::kErrorMessage, &P::errorMsg);
constexpr RowSpec kSuspendMessage = message(L::kSuspendMessage, &P::suspendMsg);

// The rows of an application.
constexpr RowSpec kServer{.name = &L::kApplicationServer,
                          .dialog = RowDialog::Text,
                          .application = &A::appServer,
                          .rule = Rule::Word,
                          .upperCase = true};
constexpr RowSpec kPath{
    .name = &L::kApplicationPath, .dialog = RowDialog::Path, .application = &A::appPath};
constexpr RowSpec kDestinationPackages{.name = &L::kDestinationPackages,
                                       .dialog = RowDialog::DestinationPackages,
                                       .application = &A::dstPackages};
constexpr RowSpec kDestinationServers{.name = &L::kDestinationServers,
                                      .dialog = RowDialog::Text,
                                      .application = &A::dstServers,
                                      .rule = Rule::Words,
                                      .upperCase = true};

// The settings of a task file, as its table states them; the reader keeps
// only the first word of a line.
constexpr RowSpec taskRow(const TaskFileSetting& setting) {
    const bool number = setting.dialog == TaskFileSetting::Dialog::Number;
    return {.name = &setting.label,
            .dialog = number ? RowDialog::Number : RowDialog::Text,
            .task = setting.member,
            .rule = setting.value == TaskFileSetting::Value::Word ? Rule::Word : Rule::Line,
            .range = number ? &setting.range : nullptr};
}

template <std::size_t... I> constexpr auto taskRows(std::index_sequence<I...>) {
    return std::array<RowSpec, sizeof...(I)>{taskRow(TaskFileTable::kSettings[I])...};
}
constexpr auto kTaskSpecs = taskRows(std::make_index_sequence<TaskFileTable::kSettings.size()>());

template <std::size_t... I> constexpr auto taskRowList(std::index_sequence<I...>) {
    return std::array<const RowSpec*, sizeof...(I)>{&kTaskSpecs[I]...};
}

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
constexpr auto kTaskRows = taskRowList(std::make_index_sequence<kTaskSpecs.size()>());

constexpr std::array<ColumnSpec, 2> kApplicationColumns{{{kProperties, 150}, {kValue, 150}}};
constexpr std::array<ColumnSpec, 2> kScheduleColumns{{{kProperties, 200}, {kValue, 250}}};
constexpr std::array<ColumnSpec, 2> kSourceColumns{{{kProperties, 100}, {kValue, 250}}};
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

constexpr NodeSpec propertyNode(DetailKind kind, RecordKind record,
                                std::span<const ColumnSpec> columns,
                                std::span<const RowSpec* const> rows) {
    return {.kind = kind, .record = record, .columns = columns, .rows = rows};
}

constexpr NodeSpec entryNode(DetailKind kind, RecordKind record,
                             std::span<const ColumnSpec> columns, bool draggable,
                             std::string_view entryCaption = {}) {
    return {.kind = kind,
            .record = record,
            .columns = columns,
            .entries = true,
            .draggable = draggable,
            .entryCaption = entryCaption};
}

// A list of the configuration, as its row describes it.
constexpr NodeSpec listNode(DetailKind kind) {
    const ListRow& row = *ListTable::row(kind);
    NodeSpec node = entryNode(kind, row.ofPackage() ? RecordKind::Package : RecordKind::None,
                              row.columns, row.draggable, row.entryCaption);
    node.list = &row;
    return node;
}

using K = DetailKind;
constexpr std::array<NodeSpec, 15> kNodes{
    NodeSpec{.kind = K::None},
    propertyNode(K::DefaultSettings, RecordKind::Global, kDefaultColumns, kDefaultRows),
    listNode(K::Applications),
    listNode(K::Packages),
    propertyNode(K::Application, RecordKind::Application, kApplicationColumns, kApplicationRows),
    propertyNode(K::Settings, RecordKind::Package, kSettingsColumns, kSettingsRows),
    propertyNode(K::Schedule, RecordKind::Package, kScheduleColumns, kScheduleRows),
    propertyNode(K::SourceServer, RecordKind::Package, kSourceColumns, kSourceRows),
    listNode(K::Targets),
    listNode(K::Directories),
    listNode(K::Files),
    listNode(K::Exclude),
    propertyNode(K::Messages, RecordKind::Package, kMessageColumns, kMessageRows),
    propertyNode(K::TaskSettings, RecordKind::TaskFile, kTaskSettingsColumns, kTaskRows),
    entryNode(K::Tasks, RecordKind::TaskFile, kTaskColumns, true),
};

// Looked up by kind, so each stands at its kind's place.
constexpr bool inKindOrder() {
    for (std::size_t i = 0; i < kNodes.size(); ++i)
        if (static_cast<std::size_t>(kNodes[i].kind) != i)
            return false;
    return true;
}
static_assert(inKindOrder());

// A number row without its range would take any number its dialog is given.
constexpr bool numbersHaveRanges() {
    for (const NodeSpec& node : kNodes)
        for (const RowSpec* row : node.rows)
            if (row->dialog == RowDialog::Number && row->range == nullptr)
                return false;
    return true;
}
// GCC cannot fold the address comparison in a sanitizer build; the plain
// build checks it.
#ifndef __SANITIZE_ADDRESS__
static_assert(numbersHaveRanges());
#endif

constexpr std::array<DetailKind, 8> kPackageChildren{
    DetailKind::Settings,    DetailKind::Schedule, DetailKind::SourceServer, DetailKind::Targets,
    DetailKind::Directories, DetailKind::Files,    DetailKind::Exclude,      DetailKind::Messages};

// Every row, for the command-file dialog that finds its moment by caption.
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
                                                  &kTaskSpecs[0],
                                                  &kTaskSpecs[1],
                                                  &kTaskSpecs[2],
                                                  &kTaskSpecs[3]};

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
                                 [&](const RowSpec* row) { return row->label() == label; });
    return it != kAllRows.end() ? *it : nullptr;
}

int Catalogue::rowIndex(DetailKind node, const RowLabel* row) {
    const auto rows = Catalogue::node(node).rows;
    const auto it = std::find_if(rows.begin(), rows.end(), [&](const RowSpec* spec) {
        return row != nullptr && spec->name == row;
    });
    return it != rows.end() ? static_cast<int>(it - rows.begin()) : -1;
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
