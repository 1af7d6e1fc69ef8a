#include "Difference.h"

#include <unordered_map>

std::string Difference::place() const {
    // The single right-pointing angle quotation mark of Windows-1252.
    return placeText([](std::string_view name) { return std::string(name); }, " \x9b ");
}

std::string_view Difference::kindName(Kind kind) {
    switch (kind) {
    case Kind::Changed:
        return "changed";
    case Kind::Added:
        return "added";
    case Kind::Removed:
        return "removed";
    case Kind::Renamed:
        return "renamed";
    case Kind::Moved:
        return "moved";
    case Kind::KeptLine:
        return "kept line";
    case Kind::SkippedLine:
        return "skipped line";
    }
    return {};
}

std::string Difference::verb() const {
    switch (kind) {
    case Kind::Changed:
        return {};
    case Kind::KeptLine:
    case Kind::SkippedLine:
        return newValue.empty() ? "removed" : "added";
    default:
        return std::string(kindName(kind));
    }
}

void Difference::compareLines(const std::vector<std::string>& oldLines,
                              const std::vector<std::string>& newLines, const Difference& place,
                              std::vector<Difference>& out) {
    if (oldLines == newLines)
        return;
    std::unordered_map<std::string_view, int> count;
    for (const std::string& line : oldLines)
        ++count[line];
    for (const std::string& line : newLines)
        --count[line];
    const auto report = [&](const std::vector<std::string>& lines, int sign, bool added) {
        for (const std::string& line : lines) {
            int& left = count[line];
            if (left * sign <= 0)
                continue;
            left -= sign;
            Difference d = place;
            (added ? d.newValue : d.oldValue) = line;
            out.push_back(std::move(d));
        }
    };
    report(oldLines, 1, false);
    report(newLines, -1, true);
}

void Difference::splitLines(std::string_view run, std::vector<std::string>& lines) {
    while (!run.empty()) {
        const std::size_t end = std::min(run.find('\n'), run.size());
        std::string_view line = run.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        lines.emplace_back(line);
        run.remove_prefix(std::min(end + 1, run.size()));
    }
}

void Difference::addLines(const KeptLines& kept, std::vector<std::string>& lines) {
    for (const auto& run : kept.runs())
        splitLines(run.second, lines);
}

void Difference::compareKept(const std::vector<std::string>& oldLines,
                             const std::vector<std::string>& newLines, Difference place,
                             std::vector<Difference>& out) {
    place.kind = Kind::KeptLine;
    place.path.emplace_back("line kept as written");
    compareLines(oldLines, newLines, place, out);
}

void Difference::compareSkipped(const ReadReport& oldReport, const ReadReport& newReport,
                                std::vector<Difference>& out) {
    const auto dropped = [](const ReadReport& report) {
        std::vector<std::string> lines;
        for (const SkippedLine& s : report.skipped())
            if (!s.kept)
                lines.push_back(s.text);
        return lines;
    };
    Difference place;
    place.kind = Kind::SkippedLine;
    place.path = {"line passed over"};
    compareLines(dropped(oldReport), dropped(newReport), place, out);
}
