#include "DetailContent.h"

#include "config/ConfigModel.h"
#include "config/ListTable.h"
#include "config/ScheduleText.h"

#include <algorithm>
#include <limits>
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

bool hasRecord(RecordKind record, const Where& w) {
    switch (record) {
    case RecordKind::Global:
        return true;
    case RecordKind::Application:
        return applicationOf(w) != nullptr;
    case RecordKind::Package:
        return packageOf(w) != nullptr;
    case RecordKind::None:
    case RecordKind::TaskFile:
        break;
    }
    return false;
}

// The value of a property row in the node's record, which is there.
std::string propertyText(const RowSpec& row, RecordKind record, const Where& w) {
    switch (record) {
    case RecordKind::Application:
        return (*applicationOf(w)).*row.application;
    case RecordKind::Package:
        return DetailContent::packageText(row, *packageOf(w));
    default:
        return w.model.global.*row.global;
    }
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

// Rows first to last (exclusive) of a list of `count`, clamped to it.
template <typename MakeRow> std::vector<Row> rowsIn(int count, int first, int last, MakeRow row) {
    last = std::min(last, count);
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(std::max(0, last - first)));
    for (int r = first; r < last; ++r)
        rows.push_back(row(r));
    return rows;
}

// A property list; no record, no rows.
std::vector<Row> propertyRows(const NodeSpec& node, const Where& w, int first, int last) {
    if (!hasRecord(node.record, w))
        return {};
    return rowsIn(static_cast<int>(node.rows.size()), first, last, [&](int r) {
        const RowSpec& row = *node.rows[static_cast<std::size_t>(r)];
        return Row{std::string(row.label()), propertyText(row, node.record, w)};
    });
}

// One row per application or package, showing its name.
template <typename Records> std::vector<Row> nameRows(const Records& records, int first, int last) {
    return rowsIn(records.count(), first, last, [&](int r) { return Row{records.at(r + 1).name}; });
}

// One row per entry of a list of the package.
std::vector<Row> entryRows(const ListRow& list, const Where& w, int first, int last) {
    const PackageDesc* p = packageOf(w);
    std::vector<Row> rows;
    if (p != nullptr)
        ListTable::visit(list, [&](auto member) {
            const auto& entries = p->*member;
            rows = rowsIn(entries.count(), first, last,
                          [&](int r) { return entryCells(entries.at(r + 1), *p); });
        });
    return rows;
}

std::vector<Row> rowsOf(const NodeSpec& node, const Where& w, int first, int last) {
    if (!node.rows.empty())
        return propertyRows(node, w, first, last);
    if (node.kind == DetailKind::Applications)
        return nameRows(w.model.applications, first, last);
    if (node.kind == DetailKind::Packages)
        return nameRows(w.model.packages, first, last);
    return node.list != nullptr ? entryRows(*node.list, w, first, last) : std::vector<Row>();
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
    for (const ListColumn& column : node.columns)
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
