#include "ModelJson.h"

#include "config/ListTable.h"
#include "config/ScheduleText.h"
#include "config/SettingTable.h"
#include "taskfile/TaskFileTable.h"
#include "text/AnsiText.h"

#include <algorithm>
#include <span>
#include <string_view>
#include <vector>

namespace {

// Builds one JSON object member by member; a comma goes before every member
// but the first.
class JsonObject {
public:
    explicit JsonObject(std::string& out) : out_(out) { out_ += '{'; }
    ~JsonObject() { out_ += '}'; }
    JsonObject(const JsonObject&) = delete;
    JsonObject& operator=(const JsonObject&) = delete;

    void text(std::string_view key, std::string_view ansi) {
        name(key);
        string(out_, ansi);
    }
    void raw(std::string_view key, std::string_view json) {
        name(key);
        out_ += json;
    }
    std::string& open(std::string_view key) {
        name(key);
        return out_;
    }

    static void string(std::string& out, std::string_view ansi) {
        utf8String(out, AnsiText::toUtf8(ansi));
    }
    // A byte that is no part of valid UTF-8 (a file name in another
    // encoding) becomes U+FFFD, so the output stays valid JSON.
    static void utf8String(std::string& out, std::string_view utf8) {
        out += '"';
        for (std::size_t at = 0; at < utf8.size();) {
            const char c = utf8[at];
            const auto u = static_cast<unsigned char>(c);
            if (u >= 0x80) {
                const std::size_t length = AnsiText::utf8Length(utf8.substr(at));
                out += length == 0 ? std::string_view("\\ufffd") : utf8.substr(at, length);
                at += std::max<std::size_t>(length, 1);
                continue;
            }
            if (c == '"' || c == '\\') {
                out += '\\';
                out += c;
            } else if (u < 0x20) {
                static constexpr char kHex[] = "0123456789abcdef";
                out += "\\u00";
                out += kHex[u >> 4];
                out += kHex[u & 0x0F];
            } else {
                out += c;
            }
            ++at;
        }
        out += '"';
    }

private:
    void name(std::string_view key) {
        if (!first_)
            out_ += ',';
        first_ = false;
        out_ += '"';
        out_ += key;
        out_ += "\":";
    }

    std::string& out_;
    bool first_ = true;
};

template <typename List, typename Each> void array(std::string& out, const List& list, Each each) {
    out += '[';
    bool first = true;
    for (const auto& item : list) {
        if (!first)
            out += ',';
        first = false;
        each(out, item);
    }
    out += ']';
}

void global(std::string& out, const GlobalSettings& g) {
    JsonObject o(out);
    for (const SettingRow& row : SettingTable::kRows)
        if (row.inGlobalScope())
            o.text(row.field, g.*row.global);
    o.text("jobWindow", g.jobWindow);
}

void application(std::string& out, const ApplicationDesc& app) {
    JsonObject o(out);
    o.text("name", app.name);
    o.text("appServer", app.appServer);
    o.text("appPath", app.appPath);
    o.text("dstPackages", app.dstPackages);
    o.text("dstServers", app.dstServers);
}

void entry(std::string& out, const TargetServer& t) {
    JsonObject o(out);
    o.text("server", t.server());
    o.text("volume", t.volume());
    o.text("msg", t.msg());
    o.text("schedule", t.schedule());
    o.text("bandwidth", t.bandwidth());
    o.text("protocol", t.protocol());
}

void entry(std::string& out, const SyncJob& j) {
    JsonObject o(out);
    o.text("sourcePath", j.sourcePath());
    o.text("targetPath", j.targetPath());
    o.text("transferMode", j.transferMode());
    o.text("deletions", j.deletions());
}

void text(std::string& out, const std::string& s) {
    JsonObject::string(out, s);
}

void entry(std::string& out, const std::string& s) {
    text(out, s);
}

void package(std::string& out, const PackageDesc& p) {
    JsonObject o(out);
    o.text("name", p.name);
    for (const SettingRow& row : SettingTable::kRows) {
        if (!row.inPackageScope())
            continue;
        o.text(row.field, p.*row.package);
        if (row.second != nullptr)
            o.text(row.secondField, p.*row.second);
        if (row.form == SettingForm::OpenFiles)
            o.raw("ofHandlerDelay", std::to_string(p.ofHandlerDelay));
    }
    ListTable::forEach(p, [&](const ListRow& row, const auto& list) {
        array(o.open(row.name), list, [](std::string& out, const auto& e) { entry(out, e); });
    });
}

// What a kept run stands before, named as the members of the dump: a
// setting, an entry of a list with its 1-based place, or a block's line.
struct KeptRun {
    std::string_view block;
    std::string_view name;
    std::string before;
    std::string_view lines;
};

constexpr std::string_view kGlobalKeys[] = {
    "version",       "user",          "password",        "maxThreads",
    "nameSpace",     "retryInterval", "retryCount",      "syncMode",
    "transferIrm",   "transferOwner", "transferTrustee", "skipReadOnly",
    "transferAttrs", "startJob",      "endJob",          "logDir",
    "logEvent",      "display",       "logSize",         "dbgLogSize",
    "debug"};
constexpr std::string_view kPackageKeys[] = {
    "scheduleWhen",  "scheduleDays",  "syncMode",        "transferIrm",  "preStat",
    "protocol",      "transferOwner", "transferTrustee", "skipReadOnly", "transferAttrs",
    "logEvent",      "logMethod",     "ofHandler",       "source",       "preMsg",
    "postMsg",       "errorMsg",      "suspendMsg",      "preNcfSrc",    "postNcfSrc",
    "suspendNcfSrc", "preNcfDst",     "postNcfDst",      "suspendNcfDst"};
constexpr std::string_view kTaskFileKeys[] = {"logFilePath", "pollInterval", "logSeverity",
                                              "maxLogSize"};
static_assert(std::size(kTaskFileKeys) == static_cast<std::size_t>(TaskFileModel::Key::Count));
constexpr std::string_view kApplicationKeys[] = {"appServer", "appPath", "dstPackages",
                                                 "dstServers"};
static_assert(std::size(kGlobalKeys) == static_cast<std::size_t>(GlobalSettings::Key::Count));
static_assert(std::size(kPackageKeys) == static_cast<std::size_t>(PackageDesc::Key::Count));
static_assert(std::size(kApplicationKeys) == static_cast<std::size_t>(ApplicationDesc::Key::Count));

std::string anchorName(KeptLines::Anchor anchor, std::span<const std::string_view> keys) {
    if (anchor == KeptLines::kOpening)
        return "opening";
    if (anchor == KeptLines::kClosing)
        return "closing";
    if (anchor == KeptLines::kEndOfFile)
        return "end of file";
    if (anchor <= keys.size())
        return std::string(keys[anchor - 1u]);
    // A word of a one-word-a-line list.
    return std::string(keys[anchor / 0x1000 - 1]) + " " + std::to_string(anchor % 0x1000);
}

void addRuns(std::vector<KeptRun>& runs, std::string_view block, std::string_view name,
             const KeptLines& kept, std::span<const std::string_view> keys) {
    for (const auto& [anchor, lines] : kept.runs())
        runs.push_back({block, name, anchorName(anchor, keys), lines});
}

template <typename T>
void addEntryRuns(std::vector<KeptRun>& runs, std::string_view block, std::string_view name,
                  const EntryList<T>& list, std::string_view listName) {
    for (int i = 1; i <= list.count(); ++i)
        if (!list.kept(i).empty())
            runs.push_back(
                {block, name, std::string(listName) + " " + std::to_string(i), list.kept(i)});
}

std::vector<KeptRun> keptRuns(const ConfigModel& model) {
    std::vector<KeptRun> runs;
    addRuns(runs, "global", {}, model.global.kept, kGlobalKeys);
    for (const PackageDesc& p : model.packages) {
        addRuns(runs, "package", p.name, p.kept, kPackageKeys);
        addEntryRuns(runs, "package", p.name, p.targets, "targets");
        addEntryRuns(runs, "package", p.name, p.excludes, "excludes");
        addEntryRuns(runs, "package", p.name, p.dirJobs, "dirJobs");
        addEntryRuns(runs, "package", p.name, p.fileJobs, "fileJobs");
    }
    for (const ApplicationDesc& a : model.applications)
        addRuns(runs, "application", a.name, a.kept, kApplicationKeys);
    return runs;
}

std::vector<KeptRun> keptRuns(const TaskFileModel& model) {
    std::vector<KeptRun> runs;
    addEntryRuns(runs, "global", {}, model.tasks, "tasks");
    addRuns(runs, "global", {}, model.kept, kTaskFileKeys);
    return runs;
}

void keptRun(std::string& out, const KeptRun& run) {
    JsonObject o(out);
    o.text("block", run.block);
    if (run.block != "global")
        o.text("name", run.name);
    o.text("before", run.before);
    std::vector<std::string_view> lines;
    for (std::string_view rest = run.lines; !rest.empty();) {
        const std::size_t end = rest.find("\r\n");
        lines.push_back(rest.substr(0, end));
        rest.remove_prefix(std::min(rest.size(), end + 2));
    }
    array(o.open("lines"), lines,
          [](std::string& to, std::string_view line) { JsonObject::string(to, line); });
}

void skippedLine(std::string& out, const SkippedLine& s) {
    JsonObject o(out);
    o.raw("line", std::to_string(s.line));
    o.text("text", s.text);
    o.text("reason", ReadReport::reasonText(s.reason));
    if (s.kept)
        o.raw("kept", "true");
}

void problem(std::string& out, const Problem& p) {
    JsonObject o(out);
    o.raw("line", p.line == 0 ? "null" : std::to_string(p.line));
    o.text("severity", Problem::severityText(p.severity));
    o.text("message", p.message);
    o.text("node", p.nodeText());
    o.text("row", p.rowText());
}

// The members a schedule word gives, null where they do not apply.
void timing(JsonObject& o, const WeekSchedule::Timing& t) {
    if (t.daily())
        o.text("daily", t.word);
    else
        o.raw("daily", "null");
    o.raw("every_hours", t.everyHours > 0 ? std::to_string(t.everyHours) : "null");
    o.raw("outside_window", t.outsideWindow ? "true" : "false");
    if (t.placed())
        o.raw("unplaced", "null");
    else
        o.text("unplaced", t.word);
}

void weekTarget(std::string& out, const WeekSchedule::Target& t) {
    JsonObject o(out);
    o.text("server", t.server);
    timing(o, t.timing);
}

void weekDay(std::string& out, std::string_view day) {
    JsonObject::string(out, day);
}

void weekPackage(std::string& out, const WeekSchedule::Package& p) {
    JsonObject o(out);
    o.text("name", p.name);
    std::vector<std::string_view> days;
    for (std::size_t d = 0; d < p.days.size(); ++d)
        if (p.days[d])
            days.push_back(ScheduleText::kDays[d]);
    array(o.open("days"), days, weekDay);
    timing(o, p.timing);
    array(o.open("targets"), p.targets, weekTarget);
}

void hourStarts(std::string& out, const WeekSchedule::HourStarts& h) {
    JsonObject o(out);
    o.text("day", ScheduleText::kDays[static_cast<std::size_t>(h.day)]);
    o.raw("hour", std::to_string(h.hour));
    o.raw("starts", std::to_string(h.starts));
}

} // namespace

std::string ModelJson::problems(std::string_view file, const std::vector<Problem>& problems) {
    std::string out;
    {
        JsonObject o(out);
        JsonObject::utf8String(o.open("file"), file);
        array(o.open("problems"), problems, problem);
    }
    return out;
}

std::string ModelJson::difference(const Difference& d) {
    using Kind = Difference::Kind;
    const bool lines = d.kind == Kind::KeptLine || d.kind == Kind::SkippedLine;
    const bool noOld = d.kind == Kind::Added || (lines && !d.newValue.empty());
    const bool noNew = d.kind == Kind::Removed || (lines && d.newValue.empty());
    std::string out;
    {
        JsonObject o(out);
        o.text("kind", Difference::kindName(d.kind));
        o.text("place", d.place());
        const auto side = [&o](std::string_view key, bool none, const std::string& value) {
            if (none)
                o.raw(key, "null");
            else
                o.text(key, value);
        };
        side("old", noOld, d.oldValue);
        side("new", noNew, d.newValue);
    }
    return out;
}

std::string ModelJson::config(const ConfigModel& model, const ReadReport& report) {
    std::string out;
    {
        JsonObject o(out);
        o.raw("kind", "\"cfg\"");
        o.raw("newerVersion", model.newerVersion ? "true" : "false");
        o.text("password", model.password);
        global(o.open("global"), model.global);
        array(o.open("applications"), model.applications, application);
        array(o.open("packages"), model.packages, package);
        array(o.open("skipped"), report.skipped(), skippedLine);
        array(o.open("kept"), keptRuns(model), keptRun);
    }
    return out;
}

std::string ModelJson::taskFile(const TaskFileModel& model, const ReadReport& report) {
    std::string out;
    {
        JsonObject o(out);
        o.raw("kind", "\"ini\"");
        for (const TaskFileSetting& setting : TaskFileTable::kSettings)
            o.text(setting.name, model.*setting.member);
        array(o.open("tasks"), model.tasks, text);
        array(o.open("skipped"), report.skipped(), skippedLine);
        array(o.open("kept"), keptRuns(model), keptRun);
    }
    return out;
}

std::string ModelJson::week(const WeekSchedule& week) {
    std::string out;
    {
        JsonObject o(out);
        o.raw("threads", std::to_string(week.threads));
        if (week.window) {
            JsonObject w(o.open("window"));
            w.text("start", week.window->start);
            w.text("end", week.window->end);
        } else {
            o.raw("window", "null");
        }
        array(o.open("packages"), week.packages, weekPackage);
        array(o.open("busiest"), week.busiest(), hourStarts);
    }
    return out;
}
