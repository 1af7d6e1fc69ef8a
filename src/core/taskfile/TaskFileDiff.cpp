#include "TaskFileDiff.h"

#include "TaskFields.h"
#include "TaskFileTable.h"
#include "text/EntryMatch.h"

#include <string>
#include <string_view>

namespace {

using Kind = Difference::Kind;

Difference at(DetailKind node, int from = 0, int to = 0) {
    Difference d;
    d.node = node;
    d.path = {std::string(nodeLabel(node))};
    d.oldEntry = from;
    d.newEntry = to;
    return d;
}

Difference with(Difference d, Kind kind, std::string a, std::string b) {
    d.kind = kind;
    d.oldValue = std::move(a);
    d.newValue = std::move(b);
    return d;
}

void settings(const TaskFileModel& a, const TaskFileModel& b, std::vector<Difference>& out) {
    for (std::size_t i = 0; i < TaskFileTable::kSettings.size(); ++i) {
        const TaskFileSetting& s = TaskFileTable::kSettings[i];
        if (a.*s.member == b.*s.member)
            continue;
        Difference d = with(at(DetailKind::TaskSettings), Kind::Changed, a.*s.member, b.*s.member);
        d.path.emplace_back(s.label.text);
        d.row = &s.label;
        d.setting = static_cast<int>(i);
        out.push_back(std::move(d));
    }
}

std::string sourceOf(const std::string& task) {
    return TaskFields::split(task).source;
}

void tasks(const EntryList<std::string>& a, const EntryList<std::string>& b,
           std::vector<Difference>& out) {
    if (a == b)
        return;
    const std::vector<std::string_view> keyA(a.begin(), a.end());
    const std::vector<std::string_view> keyB(b.begin(), b.end());
    std::vector<std::string> sourceA, sourceB;
    for (const std::string& t : a)
        sourceA.push_back(sourceOf(t));
    for (const std::string& t : b)
        sourceB.push_back(sourceOf(t));
    const std::vector<std::string_view> nameA(sourceA.begin(), sourceA.end());
    const std::vector<std::string_view> nameB(sourceB.begin(), sourceB.end());
    const EntryMatch match = EntryMatch::match(keyA, keyB, nameA, nameB);
    const auto entry = [&](int from, int to) {
        Difference d = at(DetailKind::Tasks, from, to);
        const std::string& name = from > 0 ? sourceA[from - 1] : sourceB[to - 1];
        d.path.push_back(name.empty() ? "row " + std::to_string(from > 0 ? from : to) : name);
        return d;
    };
    for (const EntryMatch::Pair& p : match.pairs()) {
        if (p.moved)
            out.push_back(with(entry(p.from, p.to), Kind::Moved, std::to_string(p.from),
                               std::to_string(p.to)));
        if (!p.same)
            out.push_back(with(entry(p.from, p.to), Kind::Changed, a.at(p.from), b.at(p.to)));
    }
    for (int from : match.removed())
        out.push_back(with(entry(from, 0), Kind::Removed, a.at(from), {}));
    for (int to : match.added())
        out.push_back(with(entry(0, to), Kind::Added, {}, b.at(to)));
}

std::vector<std::string> keptLines(const TaskFileModel& model) {
    std::vector<std::string> lines;
    Difference::addLines(model.kept, lines);
    for (int i = 1; i <= model.tasks.count(); ++i)
        Difference::splitLines(model.tasks.kept(i), lines);
    return lines;
}

} // namespace

std::vector<Difference> TaskFileDiff::compare(const TaskFileModel& from, const TaskFileModel& to,
                                              const ReadReport* fromReport,
                                              const ReadReport* toReport) {
    std::vector<Difference> out;
    settings(from, to, out);
    tasks(from.tasks, to.tasks, out);
    Difference::compareKept(keptLines(from), keptLines(to), {}, out);
    if (fromReport != nullptr && toReport != nullptr)
        Difference::compareSkipped(*fromReport, *toReport, out);
    return out;
}
