#include "TaskFileChecks.h"

#include "TaskFields.h"
#include "TaskFileTable.h"
#include "text/ProblemList.h"
#include "text/TextUtil.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

void add(std::vector<Problem>& out, std::string message, Problem place) {
    if (message.empty())
        return;
    place.message = std::move(message);
    out.push_back(std::move(place));
}

std::string taskProblem(const std::string& task) {
    const TaskFields fields = TaskFields::split(task);
    if (fields.source.empty() || fields.target.empty() || TextUtil::hasSeparator(fields.source) ||
        TextUtil::hasSeparator(fields.target))
        return "The task \"" + task +
               "\" does not read back as its five words: source, target and three flags";
    // The reader leaves only trailing flags out; the line keeps them out.
    const auto missing = std::find_if(fields.flags.begin(), fields.flags.end(),
                                      [](const std::string& flag) { return flag.empty(); });
    if (missing != fields.flags.end())
        return "The task \"" + std::string(TextUtil::trimRight(task)) + "\" gives " +
               std::to_string(missing - fields.flags.begin()) +
               " of its three flags; Quorrel decides the others";
    for (const std::string& flag : fields.flags)
        if (flag != "0" && flag != "1")
            return "The task \"" + task + "\" has the flag \"" + flag + "\" where 0 or 1 belongs";
    const bool sourceLocal = TaskFields::onWorkstationDrive(fields.source);
    if (sourceLocal == TaskFields::onWorkstationDrive(fields.target))
        return sourceLocal ? "Both paths of the task are on workstation drives"
                           : "Both paths of the task are on network volumes";
    return {};
}

} // namespace

std::vector<Problem> TaskFileChecks::run(const TaskFileModel& model, const ReadReport* report) {
    std::vector<Problem> problems;
    Problem settings;
    settings.node = DetailKind::TaskSettings;
    for (const TaskFileSetting& setting : TaskFileTable::kSettings) {
        if (setting.value != TaskFileSetting::Value::Number)
            continue;
        settings.row = &setting.label;
        settings.line = model.lines[setting.key];
        add(problems,
            ProblemList::rangeProblem(setting.label, model.*setting.member, setting.range.lower,
                                      setting.range.upper),
            settings);
    }
    for (int i = 1; i <= model.tasks.count(); ++i) {
        Problem place;
        place.node = DetailKind::Tasks;
        place.entry = i;
        place.line = model.tasks.line(i);
        add(problems, taskProblem(model.tasks.at(i)), place);
    }
    if (report != nullptr)
        ProblemList::addSkipped(*report, problems);
    ProblemList::sortByLine(problems);
    return problems;
}
