#include "ConfigChecks.h"

#include "ReadBackChecks.h"
#include "RowLabels.h"
#include "SaveRules.h"
#include "ScheduleText.h"
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
        row(ProblemList::choiceProblem(label, value, ValueTable::choices(kind)), label, line);
    }
    // A choice that may also be left empty.
    void packageChoice(const RowLabel& label, std::string_view value, ChoiceKind kind,
                       std::uint32_t line) {
        if (!value.empty())
            choice(label, value, kind, line);
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
        c.add(SaveRules::missingSource(p), &L::kSourceServer, 0, p.lines[PK::Source],
              Severity::Error);
    }
    c.at(Node::DefaultSettings);
    if (model.global.user.empty())
        c.add(std::string(SaveRules::kNoUser), &L::kUsername, 0, lines[GK::User], Severity::Error);
    if (model.password.empty())
        c.add(std::string(SaveRules::kNoPassword), &L::kPassword, 0, lines[GK::Password],
              Severity::Error);
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

// The settings a package has its own copy of, checked in the global
// settings or in a package (whose copy may be empty).
template <typename Record>
void checkCopiedSettings(const Record& r, bool mayBeEmpty, Collector& c) {
    using K = typename Record::Key;
    const struct {
        const RowLabel& label;
        const std::string& value;
        ChoiceKind kind;
        K key;
    } settings[] = {{L::kSyncMode, r.syncMode, ChoiceSyncMode, K::SyncMode},
                    {L::kTransferIrm, r.transferIrm, ChoiceYesNo, K::TransferIrm},
                    {L::kTransferOwner, r.transferOwner, ChoiceYesNo, K::TransferOwner},
                    {L::kTransferTrustee, r.transferTrustee, ChoiceYesNo, K::TransferTrustee},
                    {L::kSkipReadOnly, r.skipReadOnly, ChoiceYesNo, K::SkipReadOnly},
                    {L::kTransferAttrs, r.transferAttrs, ChoiceYesNo, K::TransferAttrs}};
    for (const auto& setting : settings)
        if (!mayBeEmpty || !setting.value.empty())
            c.choice(setting.label, setting.value, setting.kind, r.lines[setting.key]);
}

void checkGlobal(const ConfigModel& model, Collector& c) {
    const GlobalSettings& g = model.global;
    const auto& at = g.lines;
    c.at(Node::DefaultSettings);
    if (!model.password.empty() && !isStoredPassword(model.password))
        c.row("The stored password is not 80 lower-case hexadecimal digits", L::kPassword,
              at[GK::Password]);
    c.range(L::kMaxThreads, g.maxThreads, ValueTable::kMaxThreads, at[GK::MaxThreads]);
    c.choice(L::kNamespace, g.nameSpace, ChoiceNamespace, at[GK::NameSpace]);
    c.range(L::kRetryInterval, g.retryInterval, ValueTable::kRetryInterval, at[GK::RetryInterval]);
    c.range(L::kRetryCount, g.retryCount, ValueTable::kRetryCount, at[GK::RetryCount]);
    checkCopiedSettings(g, false, c);
    const std::pair<const std::string&, GK> times[] = {{g.startJob, GK::StartJob},
                                                       {g.endJob, GK::EndJob}};
    for (const auto& [time, key] : times)
        if (!ScheduleText::isTime(time))
            c.row(std::string(L::kTimeRestriction) + " " + ProblemList::quoted(time) +
                      " is not a valid time (HH:MM)",
                  L::kTimeRestriction, at[key]);
    c.volumeForm(L::kLogDirectory, g.logDir, at[GK::LogDir]);
    c.choice(L::kDisplay, g.display, ChoiceServerThread, at[GK::Display]);
    c.range(L::kLogSize, g.logSize, ValueTable::kLogSize, at[GK::LogSize]);
    c.choice(L::kDebug, g.debug, ChoiceYesNo, at[GK::Debug]);
    c.range(L::kDebugLogSize, g.dbgLogSize, ValueTable::kLogSize, at[GK::DbgLogSize]);
    checkListWords(L::kLogEvents, g.logEvent, ValueTable::kLogEvents, "event type",
                   at[GK::LogEvent], c);
}

void checkSchedule(const PackageDesc& p, Collector& c) {
    // Without a start time the package has no run the week could place.
    if (p.scheduleWhen.empty()) {
        c.row("Package " + p.name + " has no schedule, so it has no time to run", L::kSchedule,
              p.lines[PK::Schedule]);
        return;
    }
    c.schedule(L::kSchedule, p.scheduleWhen, &L::kSchedule, 0, p.lines[PK::Schedule]);
    // Days stand after the start time: a SCHEDULE line without any names none.
    const std::uint32_t days = p.lines[PK::Days] != 0 ? p.lines[PK::Days] : p.lines[PK::Schedule];
    if (TextUtil::words(p.scheduleDays).empty())
        c.row(std::string(L::kDays) + " names no day", L::kDays, days);
    checkListWords(L::kDays, p.scheduleDays, ScheduleText::kDays, "day", days, c);
}

void checkSettings(const PackageDesc& p, Collector& c) {
    const auto& at = p.lines;
    // A package's own copy of a setting is empty when its file has no line
    // for it: the engine takes the default then.
    checkCopiedSettings(p, true, c);
    c.packageChoice(L::kPreStat, p.preStat, ChoiceYesNo, at[PK::PreStat]);
    c.packageChoice(L::kProtocol, p.protocol, ChoiceProtocol, at[PK::Protocol]);
    checkListWords(L::kLogEvents, p.logEvent, ValueTable::kLogEvents, "event type",
                   at[PK::LogEvent], c);
    c.packageChoice(L::kLogMethod, p.logMethod, ChoiceServerThread, at[PK::LogMethod]);
    if (p.ofHandler.empty())
        return;
    const auto& methods = ValueTable::kOpenFileMethods;
    const std::uint32_t line = at[PK::OfHandler];
    c.row(ProblemList::choiceProblem(L::kOpenFiles, p.ofHandler, methods), L::kOpenFiles, line);
    const auto delayed = std::span(methods).subspan(ValueTable::kFirstDelayedMethod);
    if (ValueTable::offers(delayed, p.ofHandler))
        c.row(ProblemList::rangeProblem(L::kOpenFiles, std::to_string(p.ofHandlerDelay), 0,
                                        ValueTable::kOpenFileDelayLimit),
              L::kOpenFiles, line);
}

void checkCommandFiles(const PackageDesc& p, Collector& c) {
    const struct {
        const RowLabel& label;
        const std::string& path;
        PK key;
    } kFiles[] = {{L::kNcfBefore, p.preNcfSrc, PK::PreNcfSrc},
                  {L::kNcfBefore, p.preNcfDst, PK::PreNcfDst},
                  {L::kNcfAfter, p.postNcfSrc, PK::PostNcfSrc},
                  {L::kNcfAfter, p.postNcfDst, PK::PostNcfDst},
                  {L::kNcfSuspended, p.suspendNcfSrc, PK::SuspendNcfSrc},
                  {L::kNcfSuspended, p.suspendNcfDst, PK::SuspendNcfDst}};
    for (const auto& file : kFiles)
        c.volumeForm(file.label, file.path, p.lines[file.key]);
}

// `readWhole`: a file not read whole says so once; its targets were not read.
void checkTargets(const PackageDesc& p, bool readWhole, Collector& c) {
    const EntryList<TargetServer>& targets = p.targets;
    if (targets.empty() && readWhole)
        c.add("Package " + p.name + " has no target server");
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
        add(ProblemList::choiceProblem(L::kProtocol, t.protocol(),
                                       ValueTable::choices(ChoiceProtocol)));
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

void checkPackage(const ConfigModel& model, int index, bool readWhole, Collector& c) {
    const PackageDesc& p = model.packages.at(index);
    const std::uint32_t line = model.packages.line(index);
    c.at(Node::Settings, p.id, p.name, line);
    checkSettings(p, c);
    checkCommandFiles(p, c);
    c.at(Node::Schedule, p.id, p.name, line);
    checkSchedule(p, c);
    c.at(Node::Targets, p.id, p.name, line);
    checkTargets(p, readWhole, c);
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
    std::vector<Problem> problems;
    Collector c(problems);
    checkSaveRules(model, c);
    checkGlobal(model, c);
    checkNames(model, c);
    const bool readWhole = !SaveRules::neverSavable(model);
    for (int i = 1; i <= model.packages.count(); ++i)
        checkPackage(model, i, readWhole, c);
    ReadBackChecks::run(model, problems);
    if (report != nullptr)
        ProblemList::addSkipped(*report, problems);
    ProblemList::sortByLine(problems);
    return problems;
}
