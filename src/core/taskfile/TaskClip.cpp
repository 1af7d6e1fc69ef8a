#include "TaskClip.h"

#include "TaskFileFormat.h"
#include "TaskFileModel.h"
#include "TaskFileTable.h"

#include "text/LineReader.h"
#include "text/TextUtil.h"

#include <algorithm>
#include <set>

namespace {

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    LineReader reader(text);
    for (std::string_view line; reader.next(line);)
        lines.push_back(line);
    return lines;
}

// The line a kept run's anchor stands for: a setting's line, or past the end.
int anchorLine(const TaskFileModel& model, KeptLines::Anchor anchor, int lineCount) {
    for (const TaskFileSetting& setting : TaskFileTable::kSettings)
        if (KeptLines::of(setting.key) == anchor)
            return static_cast<int>(model.lines[setting.key]);
    return lineCount + 1;
}

// Finds the lines of `run`, which the reader kept before line `before`,
// among `lines`, the last one first.
void numberRun(const std::vector<std::string_view>& lines, std::string_view run, int before,
               std::vector<TaskClip::Line>& out) {
    const std::vector<std::string_view> runLines = linesOf(run);
    int at = before - 1;
    for (auto it = runLines.rbegin(); it != runLines.rend() && at >= 1; ++it) {
        if (TextUtil::trim(*it).empty())
            continue;
        while (at >= 1 && lines[static_cast<std::size_t>(at - 1)] != *it)
            --at;
        if (at >= 1)
            out.push_back({at--, std::string(TextUtil::trim(*it)), TaskClip::Line::Fate::Left});
    }
}

} // namespace

std::string TaskClip::write(const EntryList<std::string>& tasks, const std::vector<int>& indices) {
    std::string out;
    std::size_t size = 0;
    for (int index : indices)
        if (tasks.validIndex(index))
            size += tasks.kept(index).size() + tasks.at(index).size() + 8;
    out.reserve(size);
    for (int index : indices)
        if (tasks.validIndex(index))
            TaskFileFormat::writeTask(out, tasks, index);
    return out;
}

TaskClip::Read TaskClip::read(std::string_view text) {
    TaskFileModel model;
    ReadStatus status = TaskFileFormat::read(text, model);
    Read result;
    if (!status.ok) {
        result.error = std::move(status.error);
        return result;
    }
    const std::vector<std::string_view> lines = linesOf(text);
    const int lineCount = static_cast<int>(lines.size());
    std::vector<Line>& out = result.others;
    // What the reader kept that is not before a task: a paste leaves it out.
    for (const auto& [anchor, run] : model.kept.runs())
        numberRun(lines, run, anchorLine(model, anchor, lineCount), out);
    for (const TaskFileSetting& setting : TaskFileTable::kSettings)
        if (const auto number = static_cast<int>(model.lines[setting.key]); number != 0)
            out.push_back({number,
                           std::string(TextUtil::trim(lines[static_cast<std::size_t>(number - 1)])),
                           Line::Fate::Left});
    std::set<int> left;
    for (const Line& line : out)
        left.insert(line.number);
    for (const SkippedLine& skipped : status.report.skipped()) {
        if (skipped.reason == SkipReason::Comment || left.contains(skipped.line))
            continue;
        out.push_back({skipped.line, skipped.text,
                       skipped.kept ? Line::Fate::KeptAsWritten : Line::Fate::Cut});
    }
    std::sort(out.begin(), out.end(),
              [](const Line& a, const Line& b) { return a.number < b.number; });
    result.tasks = std::move(model.tasks);
    result.tasks.clearLines();
    return result;
}
