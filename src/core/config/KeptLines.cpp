#include "KeptLines.h"

#include <algorithm>

std::string_view KeptLines::before(Anchor anchor) const {
    for (const auto& [at, run] : runs_)
        if (at == anchor)
            return run;
    return {};
}

void KeptLines::add(Anchor anchor, std::string_view run) {
    if (run.empty())
        return;
    for (auto& [at, held] : runs_)
        if (at == anchor) {
            held.append(run);
            return;
        }
    runs_.emplace_back(anchor, std::string(run));
}

std::string KeptLines::between(Anchor first, Anchor last) const {
    std::string lines;
    for (const auto& [at, run] : runs_)
        if (at >= first && at <= last)
            lines.append(run);
    return lines;
}

int KeptLines::lineCount() const {
    int lines = 0;
    for (const auto& run : runs_)
        lines += lineCount(run.second);
    return lines;
}

int KeptLines::lineCount(std::string_view run) {
    return static_cast<int>(std::count(run.begin(), run.end(), '\n'));
}
