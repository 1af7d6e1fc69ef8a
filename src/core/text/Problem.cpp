#include "Problem.h"

#include <utility>

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
    if (node == DetailKind::None)
        return {};
    if (node == DetailKind::Application)
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
    return row != nullptr ? std::string(row->text) : std::string();
}

Problem Problem::at(DetailKind node, RecordId record, std::string_view name, std::uint32_t line) {
    Problem p;
    p.node = node;
    p.record = record;
    p.recordName = name;
    p.line = line;
    return p;
}

Problem Problem::with(std::string text, const RowLabel* row, int entry, std::uint32_t line) const {
    Problem p = *this;
    p.message = std::move(text);
    p.row = row;
    p.entry = entry;
    if (line != 0)
        p.line = line;
    return p;
}
