#pragma once

#include "DetailKind.h"
#include "RecordId.h"
#include "RowLabel.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// One thing a whole-file check found, and where: the node and row of the
// editor that show it, and the file line it was read from.
struct Problem {
    enum class Severity : std::uint8_t { Error, Warning };
    Severity severity = Severity::Warning;
    std::string message;
    // The editor's node that shows the value.
    DetailKind node = DetailKind::None;
    // The application or package; 0 for the default settings and task files.
    RecordId record = 0;
    std::string recordName;
    // A property row of the node (one of RowLabels); nullptr for an entry of
    // a list node or the node as a whole.
    const RowLabel* row = nullptr;
    // 1-based entry of a list node; 0 for a property row.
    int entry = 0;
    // 1-based file line; 0 when the value was not read from a file.
    std::uint32_t line = 0;

    // The place of problems: a node of a record, read from `line`.
    static Problem at(DetailKind node, RecordId record = 0, std::string_view name = {},
                      std::uint32_t line = 0);
    // A warning at this place, on a row or entry; `line` 0 keeps the place's.
    Problem with(std::string text, const RowLabel* row = nullptr, int entry = 0,
                 std::uint32_t line = 0) const;

    // How many of each severity a list holds, as the status bar reads them.
    struct Count {
        int errors = 0;
        int warnings = 0;
    };
    static Count count(std::span<const Problem> problems);

    static std::string_view severityText(Severity severity);
    // "Package Sales › Target Server(s)", in Windows-1252.
    std::string nodeText() const;
    // The row label, or "row 3" for an entry.
    std::string rowText() const;

    bool operator==(const Problem& other) const = default;
};
