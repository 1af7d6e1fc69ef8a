#include "Problem.h"

#include "RowLabels.h"

#include <utility>

namespace {

std::string_view nodeLabel(Problem::Node node) {
    using N = Problem::Node;
    switch (node) {
    case N::DefaultSettings:
    case N::TaskSettings:
        return RowLabels::kDefaultSettings;
    case N::Settings:
        return RowLabels::kSettings;
    case N::Schedule:
        return RowLabels::kSchedule;
    case N::SourceServer:
        return RowLabels::kSourceServer;
    case N::Targets:
        return RowLabels::kTargets;
    case N::Directories:
        return RowLabels::kDirectories;
    case N::Files:
        return RowLabels::kFiles;
    case N::Exclude:
        return RowLabels::kExclude;
    case N::Messages:
        return RowLabels::kMessages;
    case N::Tasks:
        return RowLabels::kTasks;
    case N::None:
    case N::Application:
        break;
    }
    return {};
}

} // namespace

Problem::Count Problem::count(std::span<const Problem> problems) {
    Count count;
    for (const Problem& p : problems)
        ++(p.severity == Severity::Error ? count.errors : count.warnings);
    return count;
}

std::string_view Problem::severityText(Severity severity) {
    return severity == Severity::Error ? "error" : "warning";
}

std::string Problem::nodeText() const {
    if (node == Node::None)
        return {};
    if (node == Node::Application)
        return "Application " + recordName;
    const std::string_view label = nodeLabel(node);
    if (record == 0)
        return std::string(label);
    // The single right-pointing angle quotation mark of Windows-1252.
    return "Package " + recordName + " \x9b " + std::string(label);
}

std::string Problem::rowText() const {
    if (entry > 0)
        return "row " + std::to_string(entry);
    return std::string(rowLabel);
}

Problem Problem::at(Node node, RecordId record, std::string_view name, std::uint32_t line) {
    Problem p;
    p.node = node;
    p.record = record;
    p.recordName = name;
    p.line = line;
    return p;
}

Problem Problem::with(std::string text, std::string_view row, int entry, std::uint32_t line) const {
    Problem p = *this;
    p.message = std::move(text);
    p.rowLabel = row;
    p.entry = entry;
    if (line != 0)
        p.line = line;
    return p;
}
