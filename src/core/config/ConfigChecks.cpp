#include "ConfigChecks.h"

#include "ReadBackChecks.h"
#include "RowLabels.h"
#include "SaveRules.h"
#include "ScheduleText.h"
#include "TextUtil.h"
#include "ValueTable.h"

#include <algorithm>
#include <unordered_set>

namespace {

using Node = Problem::Node;
using Severity = Problem::Severity;
using L = RowLabels;

std::string quotedValue(std::string_view value) {
    return "\"" + std::string(value) + "\"";
}

// Collects the problems of one model, each with its place.
class Collector {
public:
    explicit Collector(std::vector<Problem>& out) : out_(out) {}

    // The place of the problems added next.
    void at(Node node, RecordId record = 0, std::string_view name = {}, std::uint32_t line = 0) {
        place_ = Problem::at(node, record, name, line);
    }
    void add(std::string message, std::string_view row = {}, int entry = 0, std::uint32_t line = 0,
             Severity severity = Severity::Warning) {
        if (message.empty())
            return;
        Problem p = place_.with(std::move(message), row, entry, line);
        p.severity = severity;
        out_.push_back(std::move(p));
    }
    void range(std::string_view label, std::string_view value, const NumberRange& range) {
        add(ConfigChecks::rangeProblem(label, value, range.lower, range.upper), label);
    }
    void choice(std::string_view label, std::string_view value, ChoiceKind kind) {
        add(ConfigChecks::choiceProblem(label, value, ValueTable::choices(kind)), label);
    }
    // A package's own copy of a setting is empty when its file has no line
    // for it: the engine takes the default then.
    void packageChoice(std::string_view label, std::string_view value, ChoiceKind kind) {
        if (!value.empty())
            choice(label, value, kind);
    }
    void schedule(std::string_view label, std::string_view word, int entry = 0,
                  std::uint32_t line = 0) {
        if (!ScheduleText::isScheduleWord(word))
            add(std::string(label) + " " + quotedValue(word) +
                    " is neither a time (HH:MM) nor a number of hours",
                entry == 0 ? label : std::string_view(), entry, line);
    }

private:
    std::vector<Problem>& out_;
    Problem place_;
};

void checkSaveRules(const ConfigModel& model, Collector& c) {
    if (Status format = SaveRules::validateFormat(model); !format.ok) {
        c.at(Node::None);
        c.add(std::move(format.error), {}, 0, 0, Severity::Error);
    }
    for (int i = 1; i <= model.packages.count(); ++i) {
        const PackageDesc& p = model.packages.at(i);
        if (!p.source.empty())
            continue;
        c.at(Node::SourceServer, p.id, p.name, model.packages.line(i));
        c.add(SaveRules::missingSource(p), L::kSourceServer, 0, 0, Severity::Error);
    }
    c.at(Node::DefaultSettings);
    if (model.global.user.empty())
        c.add(std::string(SaveRules::kNoUser), L::kUsername, 0, 0, Severity::Error);
    if (model.password.empty())
        c.add(std::string(SaveRules::kNoPassword), L::kPassword, 0, 0, Severity::Error);
}

bool isStoredPassword(std::string_view text) {
    return text.size() == 80 && text.find_first_not_of("0123456789abcdef") == std::string::npos;
}

// Each word of a list row must be one its dialog offers a box for.
void checkListWords(std::string_view label, std::string_view list,
                    std::span<const std::string_view> offered, std::string_view what,
                    Collector& c) {
    for (const std::string_view word : TextUtil::words(list))
        if (!ValueTable::offers(offered, word))
            c.add(std::string(label) + " holds " + quotedValue(word) + ", which is no " +
                      std::string(what),
                  label);
}

void checkGlobal(const ConfigModel& model, Collector& c) {
    const GlobalSettings& g = model.global;
    c.at(Node::DefaultSettings);
    if (!model.password.empty() && !isStoredPassword(model.password))
        c.add("The stored password is not 80 lower-case hexadecimal digits", L::kPassword);
    c.range(L::kMaxThreads, g.maxThreads, ValueTable::kMaxThreads);
    c.choice(L::kNamespace, g.nameSpace, ChoiceNamespace);
    c.range(L::kRetryInterval, g.retryInterval, ValueTable::kRetryInterval);
    c.range(L::kRetryCount, g.retryCount, ValueTable::kRetryCount);
    c.choice(L::kSyncMode, g.syncMode, ChoiceSyncMode);
    c.choice(L::kTransferIrm, g.transferIrm, ChoiceYesNo);
    c.choice(L::kTransferOwner, g.transferOwner, ChoiceYesNo);
    c.choice(L::kTransferTrustee, g.transferTrustee, ChoiceYesNo);
    c.choice(L::kSkipReadOnly, g.skipReadOnly, ChoiceYesNo);
    c.choice(L::kTransferAttrs, g.transferAttrs, ChoiceYesNo);
    for (const std::string_view time : {std::string_view(g.startJob), std::string_view(g.endJob)})
        if (!ScheduleText::isTime(time))
            c.add(std::string(L::kTimeRestriction) + " " + quotedValue(time) +
                      " is not a valid time (HH:MM)",
                  L::kTimeRestriction);
    c.choice(L::kDisplay, g.display, ChoiceServerThread);
    c.range(L::kLogSize, g.logSize, ValueTable::kLogSize);
    c.choice(L::kDebug, g.debug, ChoiceYesNo);
    c.range(L::kDebugLogSize, g.dbgLogSize, ValueTable::kLogSize);
    checkListWords(L::kLogEvents, g.logEvent, ValueTable::kLogEvents, "event type", c);
}

void checkDays(std::string_view days, Collector& c) {
    if (TextUtil::words(days).empty())
        c.add(std::string(L::kDays) + " names no day", L::kDays);
    checkListWords(L::kDays, days, ScheduleText::kDays, "day", c);
}

void checkSettings(const PackageDesc& p, Collector& c) {
    c.packageChoice(L::kSyncMode, p.syncMode, ChoiceSyncMode);
    c.packageChoice(L::kTransferIrm, p.transferIrm, ChoiceYesNo);
    c.packageChoice(L::kTransferOwner, p.transferOwner, ChoiceYesNo);
    c.packageChoice(L::kTransferTrustee, p.transferTrustee, ChoiceYesNo);
    c.packageChoice(L::kSkipReadOnly, p.skipReadOnly, ChoiceYesNo);
    c.packageChoice(L::kPreStat, p.preStat, ChoiceYesNo);
    c.packageChoice(L::kProtocol, p.protocol, ChoiceProtocol);
    c.packageChoice(L::kTransferAttrs, p.transferAttrs, ChoiceYesNo);
    checkListWords(L::kLogEvents, p.logEvent, ValueTable::kLogEvents, "event type", c);
    c.packageChoice(L::kLogMethod, p.logMethod, ChoiceServerThread);
    if (p.ofHandler.empty())
        return;
    const auto& methods = ValueTable::kOpenFileMethods;
    c.add(ConfigChecks::choiceProblem(L::kOpenFiles, p.ofHandler, methods), L::kOpenFiles);
    const auto delayed = std::span(methods).subspan(ValueTable::kFirstDelayedMethod);
    if (ValueTable::offers(delayed, p.ofHandler))
        c.add(ConfigChecks::rangeProblem(L::kOpenFiles, std::to_string(p.ofHandlerDelay), 0,
                                         ValueTable::kOpenFileDelayLimit),
              L::kOpenFiles);
}

void checkCommandFiles(const PackageDesc& p, Collector& c) {
    const struct {
        std::string_view label;
        const std::string* paths[2];
    } kFiles[] = {{L::kNcfBefore, {&p.preNcfSrc, &p.preNcfDst}},
                  {L::kNcfAfter, {&p.postNcfSrc, &p.postNcfDst}},
                  {L::kNcfSuspended, {&p.suspendNcfSrc, &p.suspendNcfDst}}};
    for (const auto& file : kFiles)
        for (const std::string* path : file.paths)
            if (!path->empty() && !TextUtil::isVolumeForm(*path))
                c.add(std::string(file.label) + " " + quotedValue(*path) +
                          " is not in the volume form (VOLUME:path)",
                      file.label);
}

void checkTargets(const PackageDesc& p, Collector& c) {
    const EntryList<TargetServer>& targets = p.targets;
    if (targets.empty())
        c.add("Package " + p.name + " has no target server");
    for (int i = 1; i <= targets.count(); ++i) {
        const TargetServer& t = targets.at(i);
        const std::uint32_t line = targets.line(i);
        const auto add = [&](std::string message) { c.add(std::move(message), {}, i, line); };
        // An empty volume reads back, but the engine needs one.
        if (t.volume().empty())
            add("Target server " + quotedValue(t.server()) + ": " +
                SaveRules::checkName("volume", t.volume()).error);
        add(ConfigChecks::choiceProblem("Message flag", t.msg(), ValueTable::kMessageFlags));
        add(ConfigChecks::rangeProblem("Bandwidth limit", t.bandwidth(), 0,
                                       ValueTable::kBandwidthLimit));
        add(ConfigChecks::choiceProblem(L::kProtocol, t.protocol(),
                                        ValueTable::choices(ChoiceProtocol)));
        if (!t.schedule().empty())
            c.schedule("Start", t.schedule(), i, line);
    }
}

void checkJobs(const EntryList<SyncJob>& jobs, Collector& c) {
    for (int i = 1; i <= jobs.count(); ++i) {
        const SyncJob& job = jobs.at(i);
        const std::uint32_t line = jobs.line(i);
        // As in the job dialog: one path in volume form is enough.
        if (!TextUtil::isVolumeForm(TextUtil::trim(job.sourcePath())) &&
            !TextUtil::isVolumeForm(TextUtil::trim(job.targetPath())))
            c.add("Neither path " + quotedValue(job.sourcePath()) + " nor " +
                      quotedValue(job.targetPath()) + " is in the volume form (VOLUME:path)",
                  {}, i, line);
        c.add(ConfigChecks::choiceProblem("Transfer mode", job.transferMode(),
                                          ValueTable::kCopyModes),
              {}, i, line);
        c.add(ConfigChecks::choiceProblem("Propagate deletions", job.deletions(),
                                          ValueTable::kDeletions),
              {}, i, line);
    }
}

void checkPackage(const ConfigModel& model, int index, Collector& c) {
    const PackageDesc& p = model.packages.at(index);
    const std::uint32_t line = model.packages.line(index);
    c.at(Node::Settings, p.id, p.name, line);
    checkSettings(p, c);
    checkCommandFiles(p, c);
    c.at(Node::Schedule, p.id, p.name, line);
    if (!p.scheduleWhen.empty()) {
        c.schedule(L::kSchedule, p.scheduleWhen);
        checkDays(p.scheduleDays, c);
    }
    c.at(Node::Targets, p.id, p.name, line);
    checkTargets(p, c);
    c.at(Node::Directories, p.id, p.name, line);
    checkJobs(p.dirJobs, c);
    c.at(Node::Files, p.id, p.name, line);
    checkJobs(p.fileJobs, c);
    c.at(Node::Exclude, p.id, p.name, line);
    for (int i = 1; i <= p.excludes.count(); ++i)
        if (!TextUtil::isVolumeForm(TextUtil::trim(p.excludes.at(i))))
            c.add("Excluded path " + quotedValue(p.excludes.at(i)) +
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
            c.add("Two packages are named " + quotedValue(p.name));
        if (p.name.find(' ') != std::string::npos)
            c.add("Package name " + quotedValue(p.name) +
                  " holds a blank, so no application can name it as a destination");
    }
    std::unordered_set<std::string_view> applications;
    for (int i = 1; i <= model.applications.count(); ++i) {
        const ApplicationDesc& a = model.applications.at(i);
        c.at(Node::Application, a.id, a.name, model.applications.line(i));
        if (!applications.insert(a.name).second)
            c.add("Two applications are named " + quotedValue(a.name));
        for (const std::string_view name : TextUtil::words(a.dstPackages))
            if (!packages.contains(name))
                c.add("Destination package " + quotedValue(name) + " names no package of this file",
                      L::kDestinationPackages);
    }
}

} // namespace

std::vector<Problem> ConfigChecks::run(const ConfigModel& model, const ReadReport* report) {
    std::vector<Problem> problems;
    Collector c(problems);
    checkSaveRules(model, c);
    checkGlobal(model, c);
    checkNames(model, c);
    for (int i = 1; i <= model.packages.count(); ++i)
        checkPackage(model, i, c);
    ReadBackChecks::run(model, problems);
    if (report != nullptr)
        addSkipped(*report, problems);
    sortByLine(problems);
    return problems;
}

void ConfigChecks::sortByLine(std::vector<Problem>& problems) {
    // Those without a line (the default settings) first, as they were found.
    std::stable_sort(problems.begin(), problems.end(),
                     [](const Problem& a, const Problem& b) { return a.line < b.line; });
}

void ConfigChecks::addSkipped(const ReadReport& report, std::vector<Problem>& problems) {
    for (const SkippedLine& skipped : report.skipped()) {
        Problem p;
        p.message = skipped.text + " (" + std::string(ReadReport::reasonText(skipped.reason)) + ")";
        p.line = static_cast<std::uint32_t>(skipped.line);
        problems.push_back(std::move(p));
    }
}

std::string ConfigChecks::rangeProblem(std::string_view label, std::string_view value,
                                       std::int32_t lower, std::int32_t upper) {
    if (!TextUtil::isWholeInt32(value))
        return std::string(label) + " " + quotedValue(value) + " is not a whole number";
    const std::int32_t number = TextUtil::leadingInt(value);
    if (number >= lower && number <= upper)
        return {};
    return std::string(label) + " " + quotedValue(value) + " is outside " + std::to_string(lower) +
           "-" + std::to_string(upper);
}

std::string ConfigChecks::choiceProblem(std::string_view label, std::string_view value,
                                        std::span<const std::string_view> choices) {
    if (ValueTable::offers(choices, value))
        return {};
    std::string message = std::string(label) + " " + quotedValue(value) + " is not one of ";
    for (std::size_t i = 0; i < choices.size(); ++i)
        message.append(i == 0 ? "" : ", ").append(choices[i]);
    return message;
}
