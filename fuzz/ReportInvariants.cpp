#include "ReportInvariants.h"

#include <algorithm>

std::string ReportInvariants::problem(const ReadReport& recorded, const ReadReport& counted,
                                      std::string_view bytes) {
    const auto lines = std::count(bytes.begin(), bytes.end(), '\n') + 1;
    int previous = 0;
    int comments = 0;
    int kept = 0;
    for (const SkippedLine& s : recorded.skipped()) {
        if (s.line <= previous || s.line > lines)
            return "line " + std::to_string(s.line) + " out of order or past the end";
        if (s.text.size() > ReadReport::kMaxText + 3)
            return "a line text longer than the limit";
        previous = s.line;
        comments += s.reason == SkipReason::Comment ? 1 : 0;
        kept += s.kept ? 1 : 0;
    }
    if (comments != recorded.commentLines() ||
        static_cast<int>(recorded.skipped().size()) - comments - kept != recorded.droppedLines() ||
        kept > recorded.keptLines())
        return "counts that differ from the lines recorded";
    if (recorded.understoodLines() > recorded.contentLines())
        return "more lines understood than read";
    if (!counted.skipped().empty() || counted.droppedLines() != recorded.droppedLines() ||
        counted.commentLines() != recorded.commentLines() ||
        counted.keptLines() != recorded.keptLines() ||
        counted.understoodLines() != recorded.understoodLines() ||
        counted.contentLines() != recorded.contentLines())
        return "a count-only read that differs";
    return {};
}

std::string ReportInvariants::problemLines(const std::vector<Problem>& problems,
                                           std::string_view bytes) {
    const auto lines = static_cast<std::uint32_t>(std::count(bytes.begin(), bytes.end(), '\n') + 1);
    std::uint32_t previous = 0;
    for (const Problem& p : problems) {
        if (p.line < previous || p.line > lines)
            return "problem at line " + std::to_string(p.line) + " out of order or past the end";
        previous = p.line;
    }
    return {};
}
