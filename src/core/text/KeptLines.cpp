#include "KeptLines.h"

#include <algorithm>

std::vector<std::pair<KeptLines::Anchor, std::string>>::const_iterator
KeptLines::find(Anchor anchor) const {
    return std::lower_bound(runs_.begin(), runs_.end(), anchor,
                            [](const auto& run, Anchor a) { return run.first < a; });
}

std::string_view KeptLines::before(Anchor anchor) const {
    const auto it = find(anchor);
    return it != runs_.end() && it->first == anchor ? std::string_view(it->second)
                                                    : std::string_view();
}

void KeptLines::add(Anchor anchor, std::string_view run) {
    if (run.empty())
        return;
    // Kept in anchor order: two reads that anchor the same runs compare equal
    // whatever order the file gave them in.
    const auto at = runs_.begin() + (find(anchor) - runs_.cbegin());
    if (at != runs_.end() && at->first == anchor)
        at->second.append(run);
    else
        runs_.emplace(at, anchor, std::string(run));
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
