#include "DetailContent.h"

#include "config/ConfigModel.h"
#include "config/ScheduleText.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace {

using Row = std::vector<std::string>;

// The node being shown and the records it refers to.
struct Where {
    const ConfigModel& model;
    int packageIndex;
    int applicationIndex;
};

const PackageDesc* packageOf(const Where& w) {
    if (!w.model.packages.validIndex(w.packageIndex))
        return nullptr;
    return &w.model.packages.at(w.packageIndex);
}

const ApplicationDesc* applicationOf(const Where& w) {
    if (!w.model.applications.validIndex(w.applicationIndex))
        return nullptr;
    return &w.model.applications.at(w.applicationIndex);
}

// The value of a property row in the node's record; nothing without one.
std::optional<std::string> propertyText(const RowSpec& row, RecordKind record, const Where& w) {
    switch (record) {
    case RecordKind::Global:
        return w.model.global.*row.global;
    case RecordKind::Application:
        if (const ApplicationDesc* a = applicationOf(w))
            return (*a).*row.application;
        break;
    case RecordKind::Package:
        if (const PackageDesc* p = packageOf(w))
            return DetailContent::packageText(row, *p);
        break;
    case RecordKind::None:
    case RecordKind::TaskFile:
        break;
    }
    return std::nullopt;
}

Row entryCells(const TargetServer& t, const PackageDesc& p) {
    return {std::string(t.server()),
            std::string(t.volume()),
            std::string(t.msg()),
            std::string(t.bandwidth()),
            DetailContent::targetStartText(t, p),
            std::string(t.protocol())};
}

Row entryCells(const SyncJob& job, const PackageDesc&) {
    return {std::string(job.sourcePath()), std::string(job.targetPath()),
            std::string(job.transferMode()), std::string(job.deletions())};
}

Row entryCells(const std::string& path, const PackageDesc&) {
    return {path};
}

// Rows first to last (exclusive) of one entry list of the package.
template <typename List>
std::vector<Row> entryRows(const List& list, const PackageDesc& p, int first, int last) {
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(std::max(0, last - first)));
    for (int r = first; r < last; ++r)
        rows.push_back(entryCells(list.at(r + 1), p));
    return rows;
}

// Rows first to last (exclusive, clamped to what the node holds).
std::vector<Row> rowsOf(const NodeSpec& node, const Where& w, int first, int last) {
    const auto clamp = [&](int count) { return std::pair{first, std::min(last, count)}; };
    if (!node.rows.empty()) {
        std::vector<Row> rows;
        const auto [from, to] = clamp(static_cast<int>(node.rows.size()));
        for (int r = from; r < to; ++r) {
            const RowSpec& row = *node.rows[static_cast<std::size_t>(r)];
            const std::optional<std::string> value = propertyText(row, node.record, w);
            if (!value)
                return {};
            rows.push_back({std::string(row.label), *value});
        }
        return rows;
    }
    if (node.kind == DetailKind::Applications || node.kind == DetailKind::Packages) {
        std::vector<Row> rows;
        const auto names = [&](const auto& records) {
            const auto [from, to] = clamp(records.count());
            for (int r = from; r < to; ++r)
                rows.push_back({records.at(r + 1).name});
        };
        if (node.kind == DetailKind::Applications)
            names(w.model.applications);
        else
            names(w.model.packages);
        return rows;
    }
    const PackageDesc* p = packageOf(w);
    if (p == nullptr)
        return {};
    const auto entries = [&](const auto& list) {
        const auto [from, to] = clamp(list.count());
        return entryRows(list, *p, from, to);
    };
    switch (node.kind) {
    case DetailKind::Targets:
        return entries(p->targets);
    case DetailKind::Directories:
        return entries(p->dirJobs);
    case DetailKind::Files:
        return entries(p->fileJobs);
    case DetailKind::Exclude:
        return entries(p->excludes);
    default:
        return {};
    }
}

// The nodes of the task-file window are not the detail list's.
bool shownHere(const NodeSpec& node) {
    return node.record != RecordKind::TaskFile && !node.columns.empty();
}

// The last component of a backslash path; the whole text when it has none.
std::string_view tail(std::string_view path) {
    const auto slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

DetailTable DetailContent::build(const ConfigModel& model, DetailKind kind, int packageIndex,
                                 int applicationIndex) {
    DetailTable table;
    const NodeSpec& node = Catalogue::node(kind);
    if (!shownHere(node))
        return table;
    for (const ColumnSpec& column : node.columns)
        table.columns.push_back({std::string(column.title), column.width});
    table.rows =
        rowsOf(node, {model, packageIndex, applicationIndex}, 0, std::numeric_limits<int>::max());
    return table;
}

std::vector<std::string> DetailContent::rowCells(const ConfigModel& model, DetailKind kind,
                                                 int packageIndex, int applicationIndex, int row) {
    const NodeSpec& node = Catalogue::node(kind);
    if (!shownHere(node) || row < 0)
        return {};
    std::vector<Row> rows = rowsOf(node, {model, packageIndex, applicationIndex}, row, row + 1);
    return rows.empty() ? Row() : std::move(rows.front());
}

std::string DetailContent::packageText(const RowSpec& row, const PackageDesc& p) {
    switch (row.text) {
    case RowText::ScheduleWords:
        return ScheduleText::display(p.*row.package);
    case RowText::CommandFiles:
        return ncfSummary(p.*row.package, p.*row.packageTarget);
    case RowText::OpenFiles:
        return openFileText(p);
    case RowText::Field:
        break;
    }
    return p.*row.package;
}

std::string DetailContent::ncfSummary(std::string_view src, std::string_view dst) {
    std::string text;
    if (!src.empty())
        text = "Source: " + std::string(tail(src));
    if (!dst.empty())
        text += (text.empty() ? "Target: " : ", Target: ") + std::string(tail(dst));
    return text;
}

std::string DetailContent::openFileText(const PackageDesc& p) {
    if (p.ofHandler == "OFF" || p.ofHandler == "SKIP")
        return p.ofHandler;
    return p.ofHandler + " " + std::to_string(p.ofHandlerDelay);
}

std::string DetailContent::targetStartText(const TargetServer& t, const PackageDesc& p) {
    return ScheduleText::display(ScheduleText::effectiveTargetWord(t.schedule(), p.scheduleWhen));
}
