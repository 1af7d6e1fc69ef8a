#include "ConfigChecks.h"

#include "ReadBackChecks.h"
#include "RowLabels.h"
#include "SaveRules.h"
#include "ScheduleText.h"
#include "SettingTable.h"
#include "ValueTable.h"
#include "text/ProblemList.h"
#include "text/TextUtil.h"

#include <algorithm>
#include <unordered_set>

namespace {

using Node = DetailKind;
using Severity = Problem::Severity;
using L = RowLabels;

// Collects the problems of one model, each with its place.
class Collector {
public:
    explicit Collector(std::vector<Problem>& out) : out_(out) {}

    std::size_t count() const { return out_.size(); }

    // The place of the problems added next.
    void at(Node node, RecordId record = 0, std::string_view name = {}, std::uint32_t line = 0) {
        place_ = Problem::at(node, record, name, line);
    }
    void add(std::string message, const RowLabel* row = nullptr, int entry = 0,
             std::uint32_t line = 0, Severity severity = Severity::Warning) {
        if (message.empty())
            return;
        Problem p = place_.with(std::move(message), row, entry, line);
        p.severity = severity;
        out_.push_back(std::move(p));
    }
    // A problem of a property row, read from `line`.
    void row(std::string message, const RowLabel& label, std::uint32_t line) {
        add(std::move(message), &label, 0, line);
    }
    void range(const RowLabel& label, std::string_view value, const NumberRange& range,
               std::uint32_t line) {
        row(ProblemList::rangeProblem(label, value, range.lower, range.upper), label, line);
    }
    void choice(const RowLabel& label, std::string_view value, ChoiceKind kind,
                std::uint32_t line) {
        row(ProblemList::choiceProblem(label, value, SettingTable::choices(kind)), label, line);
    }
    // The schedule of a property row, or of entry `entry` when `row` is null.
    void schedule(std::string_view label, std::string_view word, const RowLabel* row, int entry,
                  std::uint32_t line) {
        if (!ScheduleText::isScheduleWord(word))
            add(std::string(label) + " " + ProblemList::quoted(word) +
                    " is neither a time (HH:MM) nor a number of hours from 1 to " +
                    std::to_string(ScheduleText::kMostHours),
                row, entry, line);
    }
    void volumeForm(const RowLabel& label, std::string_view path, std::uint32_t line) {
        if (!path.empty() && !TextUtil::isVolumeForm(path))
            row(std::string(label) + " " + ProblemList::quoted(path) +
                    " is not in the volume form (VOLUME:path)",
                label, line);
    }

private:
    std::vector<Problem>& out_;
    Problem place_;
};

using GK = GlobalSettings::Key;
using PK = PackageDesc::Key;
using AK = ApplicationDesc::Key;

void checkSaveRules(const ConfigModel& model, Collector& c) {
    const auto& lines = model.global.lines;
    if (Status format = SaveRules::validateFormat(model); !format.ok) {
        // The version the file declares is what keeps it from being read whole.
        c.at(Node::None);
        c.add(std::move(format.error), {}, 0, lines[GK::Version], Severity::Error);
    }
    for (int i = 1; i <= model.packages.count(); ++i) {
        const PackageDesc& p = model.packages.at(i);
        if (!p.source.empty())
            continue;
        c.at(Node::SourceServer, p.id, p.name, model.packages.line(i));
        c.add(SaveRules::missingSource(p), &SettingTable::of(PK::Source).label, 0,
              p.lines[PK::Source], Severity::Error);
    }
    c.at(Node::DefaultSettings);
    if (model.global.user.empty())
        c.add(std::string(SaveRules::kNoUser), &SettingTable::of(GK::User).label, 0,
              lines[GK::User], Severity::Error);
    if (model.password.empty())
        c.add(std::string(SaveRules::kNoPassword), &SettingTable::of(GK::Password).label, 0,
              lines[GK::Password], Severity::Error);
}

bool isStoredPassword(std::string_view text) {
    return text.size() == 80 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// Each word of a list row must be one its dialog offers a box for.
void checkListWords(const RowLabel& label, std::string_view list,
                    std::span<const std::string_view> offered, std::string_view what,
                    std::uint32_t line, Collector& c) {
    for (const std::string_view word : TextUtil::words(list))
        if (!ValueTable::offers(offered, word))
            c.row(std::string(label) + " holds " + ProblemList::quoted(word) + ", which is no " +
                      std::string(what),
                  label, line);
}

// A setting's value as its kind asks; the time window is checked as a pair.
void checkSetting(const SettingRow& row, std::string_view value, std::uint32_t line, Collector& c) {
    switch (row.value) {
    case ValueKind::Number:
        c.range(row.label, value, row.range, line);
        break;
    case ValueKind::Choice:
        c.choice(row.label, value, row.choice, line);
        break;
    case ValueKind::VolumePath:
        c.volumeForm(row.label, value, line);
        break;
    case ValueKind::EventWords:
        checkListWords(row.label, value, ValueTable::kLogEvents, "event type", line, c);
        break;
    case ValueKind::Time:
    case ValueKind::Text:
        break;
    }
}

void checkTimeWindow(const GlobalSettings& g, Collector& c) {
    const RowLabel& label = SettingTable::of(GK::StartJob).label;
    for (const GK key : {GK::StartJob, GK::EndJob}) {
        const std::string& time = g.*SettingTable::of(key).global;
        if (!ScheduleText::isTime(time))
            c.row(std::string(label) + " " + ProblemList::quoted(time) +
                      " is not a valid time (HH:MM)",
                  label, g.lines[key]);
    }
}

void checkGlobal(const ConfigModel& model, Collector& c) {
    const GlobalSettings& g = model.global;
    c.at(Node::DefaultSettings);
    if (!model.password.empty() && !isStoredPassword(model.password))
        c.row("The stored password is not 80 lower-case hexadecimal digits",
              SettingTable::of(GK::Password).label, g.lines[GK::Password]);
    for (const SettingRow& row : SettingTable::kRows)
        if (row.inGlobalScope())
            checkSetting(row, g.*row.global, g.lines[row.globalKey], c);
    checkTimeWindow(g, c);
}

void checkSchedule(const PackageDesc& p, Collector& c) {
    const RowLabel& schedule = SettingTable::of(PK::Schedule).label;
    // Without a start time the package has no run the week could place.
    if (p.scheduleWhen.empty()) {
        c.row("Package " + p.name + " has no schedule, so it has no time to run", schedule,
              p.lines[PK::Schedule]);
        return;
    }
    c.schedule(schedule, p.scheduleWhen, &schedule, 0, p.lines[PK::Schedule]);
    // Days stand after the start time: a SCHEDULE line without any names none.
    const std::uint32_t days = p.lines[PK::Days] != 0 ? p.lines[PK::Days] : p.lines[PK::Schedule];
    if (TextUtil::words(p.scheduleDays).empty())
        c.row(std::string(L::kDays) + " names no day", L::kDays, days);
    checkListWords(L::kDays, p.scheduleDays, ScheduleText::kDays, "day", days, c);
}

void checkOpenFiles(const SettingRow& row, const PackageDesc& p, Collector& c) {
    const auto& methods = ValueTable::kOpenFileMethods;
    const std::uint32_t line = p.lines[row.packageKey];
    c.row(ProblemList::choiceProblem(row.label, p.ofHandler, methods), row.label, line);
    const auto delayed = std::span(methods).subspan(ValueTable::kFirstDelayedMethod);
    if (ValueTable::offers(delayed, p.ofHandler))
        c.row(ProblemList::rangeProblem(row.label, std::to_string(p.ofHandlerDelay), 0,
                                        ValueTable::kOpenFileDelayLimit),
              row.label, line);
}

// A package's own copy of a setting is empty when its file has no line for
// it: the engine takes the global value or its default then.
void checkSettings(const PackageDesc& p, std::uint32_t line, Collector& c) {
    for (const SettingRow& row : SettingTable::kRows) {
        if (!row.inPackageScope())
            continue;
        // On the node that shows the setting.
        c.at(row.packageNode, p.id, p.name, line);
        const std::string& value = p.*row.package;
        if (row.form == SettingForm::OpenFiles && !value.empty())
            checkOpenFiles(row, p, c);
        else if (!value.empty())
            checkSetting(row, value, p.lines[row.packageKey], c);
        if (row.form == SettingForm::CommandFiles)
            checkSetting(row, p.*row.second, p.lines[row.secondKey], c);
    }
}

// Whether the file was read whole is known at its end: until then where a
// package says it has no target server is noted in `noTargets`.
void checkTargets(const PackageDesc& p, Collector& c, std::vector<std::size_t>& noTargets) {
    const EntryList<TargetServer>& targets = p.targets;
    if (targets.empty()) {
        noTargets.push_back(c.count());
        c.add("Package " + p.name + " has no target server");
    }
    for (int i = 1; i <= targets.count(); ++i) {
        const TargetServer& t = targets.at(i);
        const std::uint32_t line = targets.line(i);
        const auto add = [&](std::string message) { c.add(std::move(message), {}, i, line); };
        // An empty volume reads back, but the engine needs one.
        if (t.volume().empty())
            add("Target server " + ProblemList::quoted(t.server()) + ": " +
                SaveRules::checkName("volume", t.volume()).error);
        add(ProblemList::choiceProblem("Message flag", t.msg(), ValueTable::kMessageFlags));
        add(ProblemList::rangeProblem("Bandwidth limit", t.bandwidth(), 0,
                                      ValueTable::kBandwidthLimit));
        const SettingRow& protocol = SettingTable::of(PK::Protocol);
        add(ProblemList::choiceProblem(protocol.label, t.protocol(),
                                       SettingTable::choices(protocol.choice)));
        if (!t.schedule().empty())
            c.schedule("Start", t.schedule(), nullptr, i, line);
    }
}

void checkJobs(const EntryList<SyncJob>& jobs, Collector& c) {
    for (int i = 1; i <= jobs.count(); ++i) {
        const SyncJob& job = jobs.at(i);
        const std::uint32_t line = jobs.line(i);
        // As in the job dialog: one path in volume form is enough.
        if (!TextUtil::isVolumeForm(TextUtil::trim(job.sourcePath())) &&
            !TextUtil::isVolumeForm(TextUtil::trim(job.targetPath())))
            c.add("Neither path " + ProblemList::quoted(job.sourcePath()) + " nor " +
                      ProblemList::quoted(job.targetPath()) +
                      " is in the volume form (VOLUME:path)",
                  {}, i, line);
        c.add(
            ProblemList::choiceProblem("Transfer mode", job.transferMode(), ValueTable::kCopyModes),
            {}, i, line);
        c.add(ProblemList::choiceProblem("Propagate deletions", job.deletions(),
                                         ValueTable::kDeletions),
              {}, i, line);
    }
}

void checkPackage(const ConfigModel& model, int index, Collector& c,
                  std::vector<std::size_t>& noTargets) {
    const PackageDesc& p = model.packages.at(index);
    const std::uint32_t line = model.packages.line(index);
    checkSettings(p, line, c);
    c.at(Node::Schedule, p.id, p.name, line);
    checkSchedule(p, c);
    c.at(Node::Targets, p.id, p.name, line);
    checkTargets(p, c, noTargets);
    c.at(Node::Directories, p.id, p.name, line);
    checkJobs(p.dirJobs, c);
    c.at(Node::Files, p.id, p.name, line);
    checkJobs(p.fileJobs, c);
    c.at(Node::Exclude, p.id, p.name, line);
    for (int i = 1; i <= p.excludes.count(); ++i)
        if (!TextUtil::isVolumeForm(TextUtil::trim(p.excludes.at(i))))
            c.add("Excluded path " + ProblemList::quoted(p.excludes.at(i)) +
                      " is not in the volume form (VOLUME:path)",
                  {}, i, p.excludes.line(i));
}

// Names that must be unique, and the packages a destination may name.
void checkNames(const ConfigModel& model, Collector& c) {
    std::unordered_set<std::string_view> packages;
    for (int i = 1; i <= model.packages.count(); ++i) {
        const PackageDesc& p = model.packages.at(i);
        c.at(Node::Settings, p.id, p.name, model.packages.line(i));
        if (!packages.insert(p.name).second)
            c.add("Two packages are named " + ProblemList::quoted(p.name));
        if (p.name.find(' ') != std::string::npos)
            c.add("Package name " + ProblemList::quoted(p.name) +
                  " holds a blank, so no application can name it as a destination");
    }
    std::unordered_set<std::string_view> applications;
    for (int i = 1; i <= model.applications.count(); ++i) {
        const ApplicationDesc& a = model.applications.at(i);
        c.at(Node::Application, a.id, a.name, model.applications.line(i));
        if (!applications.insert(a.name).second)
            c.add("Two applications are named " + ProblemList::quoted(a.name));
        c.volumeForm(L::kApplicationPath, a.appPath, a.lines[AK::AppPath]);
        std::size_t index = 0;
        for (const std::string_view name : TextUtil::pieces(a.dstPackages)) {
            const std::uint32_t line = a.dstPackageLines.at(index++);
            if (!name.empty() && !packages.contains(name))
                c.row("Destination package " + ProblemList::quoted(name) +
                          " names no package of this file",
                      L::kDestinationPackages, line);
        }
    }
}

} // namespace

std::vector<Problem> ConfigChecks::run(const ConfigModel& model, const ReadReport* report) {
    PackageProblems packages;
    for (int i = 1; i <= model.packages.count(); ++i)
        addPackage(model, i, packages);
    return run(model, report, std::move(packages));
}

void ConfigChecks::addPackage(const ConfigModel& model, int index, PackageProblems& packages) {
    Collector c(packages.own);
    checkPackage(model, index, c, packages.noTargets);
    ReadBackChecks::package(model.packages.at(index), model.packages.line(index),
                            packages.readBack);
}

std::vector<Problem> ConfigChecks::run(const ConfigModel& model, const ReadReport* report,
                                       PackageProblems packages) {
    std::vector<Problem> problems;
    Collector c(problems);
    checkSaveRules(model, c);
    checkGlobal(model, c);
    checkNames(model, c);
    // A file not read whole says so once; its targets were not read.
    const bool readWhole = !SaveRules::neverSavable(model);
    std::size_t next = 0;
    for (std::size_t i = 0; i < packages.own.size(); ++i) {
        const bool noTarget = next < packages.noTargets.size() && packages.noTargets[next] == i;
        next += noTarget ? 1 : 0;
        if (readWhole || !noTarget)
            problems.push_back(std::move(packages.own[i]));
    }
    ReadBackChecks::run(model, problems, std::move(packages.readBack));
    if (report != nullptr)
        ProblemList::addSkipped(*report, problems);
    ProblemList::sortByLine(problems);
    return problems;
}
