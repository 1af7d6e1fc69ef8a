#pragma once

#include "DetailKind.h"
#include "KeptLines.h"
#include "ReadReport.h"
#include "RecordId.h"
#include "RowLabel.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// One difference between two models of the same kind: where it is, in the
// names the editor shows, and the old and the new value. Texts are
// Windows-1252.
struct Difference {
    enum class Kind : std::uint8_t {
        // A value: a setting, or a field of an entry.
        Changed,
        // A record or entry that only one side has.
        Added,
        Removed,
        // A record matched by all but its name.
        Renamed,
        // A record or entry whose place among the others changed.
        Moved,
        // A line kept as written, or passed over by the reader, on one side only.
        KeptLine,
        SkippedLine,
    };
    Kind kind = Kind::Changed;
    // "package \"Sales\"", "application \"Web\"", empty outside records.
    std::string record;
    // The names below the record: its node, an entry, a setting or column.
    std::vector<std::string> path;
    std::string oldValue;
    std::string newValue;

    // Where the editor shows it: the node, the record on each side (0 for
    // none), the setting's row label and the 1-based entry on each side.
    DetailKind node = DetailKind::None;
    RecordId oldRecord = 0;
    RecordId newRecord = 0;
    const RowLabel* row = nullptr;
    int oldEntry = 0;
    int newEntry = 0;
    // The setting's index in its table (of an application's rows, for the
    // node Application), and which of its values (0, or 1 for the second
    // value a row holds); -1 for anything but a setting. For a field of an
    // entry, `part` is the field's number.
    int setting = -1;
    int part = 0;

    // "package "Sales" › Target Server(s) › SRV-B2 › Bandwidth Limit".
    std::string place() const;
    // The same with each name through `convert`, parted by `sep`.
    template <typename Convert>
    std::string placeText(Convert&& convert, std::string_view sep) const {
        std::string line = record.empty() ? std::string() : convert(record);
        for (const std::string& name : path)
            line.append(line.empty() ? "" : sep).append(convert(name));
        return line;
    }
    static std::string_view kindName(Kind kind);
    // The line of the command line and the Compare window: the place, then
    // what changed. Each Windows-1252 text goes through `convert`; `arrow`
    // stands as given.
    template <typename Convert>
    std::string text(Convert&& convert, std::string_view arrow, std::string_view sep) const {
        std::string line = placeText(convert, sep);
        if (!line.empty())
            line.append(": ");
        const std::string what = verb();
        if (!what.empty())
            line.append(what).append(kind == Kind::Added || kind == Kind::Removed ? "" : " ");
        const std::string& value = newValue.empty() ? oldValue : newValue;
        if (kind == Kind::KeptLine || kind == Kind::SkippedLine)
            return line.append("\"").append(convert(value)).append("\"");
        if (kind == Kind::Added || kind == Kind::Removed)
            return value.empty() ? line : line.append(" ").append(convert(value));
        return line.append(convert(shown(oldValue)))
            .append(" ")
            .append(arrow)
            .append(" ")
            .append(convert(shown(newValue)));
    }

    // Appends to `out` one difference of `kind` per line that one list holds
    // more often than the other, matched by content; `place` gives the rest.
    static void compareLines(const std::vector<std::string>& oldLines,
                             const std::vector<std::string>& newLines, const Difference& place,
                             std::vector<Difference>& out);
    // The lines of a run of kept lines, without their line ends.
    static void splitLines(std::string_view run, std::vector<std::string>& lines);
    static void addLines(const KeptLines& kept, std::vector<std::string>& lines);
    // The kept lines one side of a record holds more often than the other.
    static void compareKept(const std::vector<std::string>& oldLines,
                            const std::vector<std::string>& newLines, Difference place,
                            std::vector<Difference>& out);
    // The lines one read passed over, and a save drops, that the other did not.
    static void compareSkipped(const ReadReport& oldReport, const ReadReport& newReport,
                               std::vector<Difference>& out);

    bool operator==(const Difference& other) const = default;

private:
    std::string verb() const;
    // An empty value shows as "".
    static std::string_view shown(const std::string& value) {
        return value.empty() ? std::string_view("\"\"") : std::string_view(value);
    }
};
