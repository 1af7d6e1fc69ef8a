#include "Catalogue.h"

#include "config/ApplicationDesc.h"
#include "config/GlobalSettings.h"
#include "config/ListTable.h"
#include "config/PackageDesc.h"
#include "config/RowLabels.h"
#include "config/SettingTable.h"
#include "config/ValueTable.h"
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

using PK = PackageDesc::Key;

// How a setting's row reads its value, by the make of its line.
constexpr RowText textOf(SettingForm form) {
    switch (form) {
    case SettingForm::Schedule:
        return RowText::ScheduleWords;
    case SettingForm::CommandFiles:
        return RowText::CommandFiles;
    case SettingForm::OpenFiles:
        return RowText::OpenFiles;
    default:
        return RowText::Field;
    }
}

constexpr NcfMoment momentOf(PackageDesc::Key key) {
    switch (key) {
    case PK::PostNcfSrc:
        return NcfMoment::After;
    case PK::SuspendNcfSrc:
        return NcfMoment::Suspended;
    default:
        return NcfMoment::Before;
    }
}

// The row of a setting, as its row of the table states it.
constexpr RowSpec setting(const SettingRow& s) {
    RowSpec row{.name = &s.label,
                .dialog = s.dialog,
                .global = s.global,
                .package = s.package,
                .text = textOf(s.form),
                .packageTarget = s.second,
                .moment = momentOf(s.packageKey),
                .choice = s.choice,
                .rule = s.rule(),
                .upperCase = s.form == SettingForm::UpperWord,
                .range = s.value == ValueKind::Number ? &s.range : nullptr};
    // The time window's row shows whether it applies; its dialog sets both times.
    if (s.form == SettingForm::TimeWindow)
        row.global = &G::jobWindow;
    return row;
}

constexpr std::size_t kSettingCount = SettingTable::kRows.size();

// One row for each setting, in the table's order.
constexpr std::array<RowSpec, kSettingCount> kSettings = [] {
    std::array<RowSpec, kSettingCount> rows{};
    for (std::size_t i = 0; i < kSettingCount; ++i)
        rows[i] = setting(SettingTable::kRows[i]);
    return rows;
}();

constexpr const RowSpec& settingRow(PackageDesc::Key key) {
    const auto it = std::ranges::find(SettingTable::kRows, key, &SettingRow::packageKey);
    return kSettings[static_cast<std::size_t>(it - SettingTable::kRows.begin())];
}

// A setting's place among the rows of a node; -1 where the node does not
// show it.
constexpr int placeIn(const SettingRow& s, DetailKind node) {
    if (node == DetailKind::DefaultSettings)
        return s.globalRow;
    return s.packageNode == node ? s.packageRow : -1;
}

constexpr std::size_t countIn(DetailKind node) {
    return static_cast<std::size_t>(std::ranges::count_if(
        SettingTable::kRows, [&](const SettingRow& s) { return placeIn(s, node) >= 0; }));
}

// The places of a node's settings are its rows, each once.
constexpr bool placesDense(DetailKind node) {
    std::array<int, kSettingCount> taken{};
    for (const SettingRow& s : SettingTable::kRows) {
        const int at = placeIn(s, node);
        if (at >= static_cast<int>(countIn(node)) || (at >= 0 && taken[std::size_t(at)]++ > 0))
            return false;
    }
    return true;
}
static_assert(placesDense(DetailKind::DefaultSettings) && placesDense(DetailKind::Settings) &&
              placesDense(DetailKind::Schedule) && placesDense(DetailKind::SourceServer) &&
              placesDense(DetailKind::Messages));

// A setting with a label and no row in a scope it stands in could not be
// edited there.
constexpr bool everySettingShown() {
    return std::ranges::all_of(SettingTable::kRows, [](const SettingRow& s) {
        return s.label.text.empty() || ((!s.inGlobalScope() || s.globalRow >= 0) &&
                                        (!s.inPackageScope() || s.packageRow >= 0));
    });
}
static_assert(everySettingShown());

// The rows of a node that shows settings alone, each at its place.
template <DetailKind node> constexpr std::array<const RowSpec*, countIn(node)> settingRows() {
    std::array<const RowSpec*, countIn(node)> rows{};
    for (std::size_t i = 0; i < kSettingCount; ++i)
        if (const int at = placeIn(SettingTable::kRows[i], node); at >= 0)
            rows[static_cast<std::size_t>(at)] = &kSettings[i];
    return rows;
}

// The days are the rest of the schedule's line.
constexpr RowSpec kDays{.name = &L::kDays, .dialog = RowDialog::Days, .package = &P::scheduleDays};

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
    const bool number = setting.dialog == RowDialog::Number;
    return {.name = &setting.label,
            .dialog = setting.dialog,
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

constexpr auto kDefaultRows = settingRows<DetailKind::DefaultSettings>();
constexpr auto kSettingsRows = settingRows<DetailKind::Settings>();
constexpr std::array<const RowSpec*, 2> kScheduleRows{&settingRow(PK::Schedule), &kDays};
constexpr auto kSourceRows = settingRows<DetailKind::SourceServer>();
constexpr auto kMessageRows = settingRows<DetailKind::Messages>();
constexpr std::array<const RowSpec*, 4> kApplicationRows{&kServer, &kPath, &kDestinationPackages,
                                                         &kDestinationServers};
constexpr auto kTaskRows = taskRowList(std::make_index_sequence<kTaskSpecs.size()>());

constexpr std::array<ListColumn, 2> kApplicationColumns{{{kProperties, 150}, {kValue, 150}}};
constexpr std::array<ListColumn, 2> kScheduleColumns{{{kProperties, 200}, {kValue, 250}}};
constexpr std::array<ListColumn, 2> kSourceColumns{{{kProperties, 100}, {kValue, 250}}};
constexpr std::array<ListColumn, 2> kSettingsColumns{{{kProperties, 200}, {kValue, 200}}};
constexpr std::array<ListColumn, 2> kMessageColumns{{{kProperties, 100}, {kValue, 200}}};
constexpr std::array<ListColumn, 2> kDefaultColumns{{{kProperties, 250}, {kValue, 250}}};
// The task list sizes its columns to their cells.
constexpr std::array<ListColumn, 2> kTaskSettingsColumns{{{kProperties, 200}, {kValue, 200}}};
constexpr std::array<ListColumn, 5> kTaskColumns{{{"Source path", 150},
                                                  {"Destination Path", 150},
                                                  {"Overwrite Newer", 150},
                                                  {"Overwrite readonly", 150},
                                                  {"Remove Stale", 150}}};

constexpr NodeSpec propertyNode(DetailKind kind, RecordKind record,
                                std::span<const ListColumn> columns,
                                std::span<const RowSpec* const> rows) {
    return {.kind = kind, .record = record, .columns = columns, .rows = rows};
}

constexpr NodeSpec entryNode(DetailKind kind, RecordKind record,
                             std::span<const ListColumn> columns, bool draggable,
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

} // namespace

const NodeSpec& Catalogue::node(DetailKind kind) {
    const auto index = static_cast<std::size_t>(kind);
    return index < kNodes.size() ? kNodes[index] : kNodes.front();
}

std::span<const DetailKind> Catalogue::packageChildren() {
    return kPackageChildren;
}

int Catalogue::rowIndex(DetailKind node, const RowLabel* row) {
    const auto rows = Catalogue::node(node).rows;
    const auto it = std::find_if(rows.begin(), rows.end(), [&](const RowSpec* spec) {
        return row != nullptr && spec->name == row;
    });
    return it != rows.end() ? static_cast<int>(it - rows.begin()) : -1;
}

const RowSpec& Catalogue::commandFiles(NcfMoment moment) {
    return *std::ranges::find_if(kSettings, [&](const RowSpec& row) {
        return row.dialog == RowDialog::CommandFiles && row.moment == moment;
    });
}
