#include "ReadBackChecks.h"

#include "RowLabels.h"
#include "SaveRules.h"
#include "SettingTable.h"
#include "text/TextUtil.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <string>
#include <string_view>

namespace {

using Node = DetailKind;
using L = RowLabels;

constexpr std::string_view kSplits =
    "holds a blank, a comma, a tab or a line break, so a save would split it";
constexpr std::string_view kBreaksQuotes =
    "holds a double quote or a line break, so a save would cut it short";

std::string described(std::string_view label, std::string_view value, std::string_view why) {
    return std::string(label) + " \"" + std::string(value) + "\" " + std::string(why);
}

// Checked for every path of the model, eight bytes at a time: a byte-wise
// loop was a tenth of checking the largest file.
bool breaksQuotes(std::string_view value) {
    constexpr std::uint64_t ones = 0x0101010101010101;
    constexpr std::uint64_t highs = 0x8080808080808080;
    const auto hasZeroByte = [](std::uint64_t w) { return ((w - ones) & ~w & highs) != 0; };
    std::size_t i = 0;
    for (; i + 8 <= value.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, value.data() + i, 8);
        if (hasZeroByte(word ^ (ones * '"')) || hasZeroByte(word ^ (ones * '\n')))
            return true;
    }
    return std::any_of(value.begin() + static_cast<std::ptrdiff_t>(i), value.end(),
                       [](char c) { return c == '"' || c == '\n'; });
}

// Adds the problems of one place: a node of a record.
class Checker {
public:
    Checker(std::vector<Problem>& out, Node node, RecordId record = 0, std::string_view name = {},
            std::uint32_t line = 0)
        : out_(out), place_(Problem::at(node, record, name, line)) {}

    void add(std::string message, const RowLabel* row = nullptr, int entry = 0,
             std::uint32_t line = 0) {
        out_.push_back(place_.with(std::move(message), row, entry, line));
    }
    // A value written as one word.
    void word(std::string_view label, std::string_view value, const RowLabel& row,
              std::uint32_t line) {
        if (TextUtil::hasSeparator(value))
            add(described(label, value, kSplits), &row, 0, line);
    }
    // A value written between double quotes.
    void quoted(std::string_view label, std::string_view value, const RowLabel* row = nullptr,
                int entry = 0, std::uint32_t line = 0) {
        if (breaksQuotes(value))
            add(described(label, value, kBreaksQuotes), row, entry, line);
    }
    // A name that stands alone after its block keyword.
    void blockName(std::string_view label, std::string_view name) {
        if (TextUtil::trim(name) != name || name.find('\n') != std::string_view::npos)
            add(described(label, name,
                          "begins or ends with white space or holds a line break, so a save "
                          "would not keep it"));
    }

private:
    std::vector<Problem>& out_;
    Problem place_;
};

void checkTarget(const TargetServer& t, int entry, std::uint32_t line, Checker& c) {
    const auto add = [&](const std::string& message) {
        c.add("Target server \"" + std::string(t.server()) + "\": " + message, {}, entry, line);
    };
    // An empty volume is written as nothing before the flag and reads back.
    if (const Status server = SaveRules::checkName("server", t.server()); !server.ok)
        add(server.error);
    if (TextUtil::hasSeparator(t.volume()))
        add(SaveRules::checkName("volume", t.volume()).error);
    const bool defaultProtocol = t.protocol() == "(default)";
    if (t.bandwidth().empty() && (!defaultProtocol || !t.schedule().empty()))
        add("The bandwidth limit is empty, so the word after it would be read as the limit "
            "after a save");
    // Files before 1.30 had no protocol word, so a start could be one.
    if (defaultProtocol && TargetServer::isProtocolWord(t.schedule()))
        add(described("Start", t.schedule(),
                      "is a protocol word, so a save would make it the protocol"));
}

void checkJob(const SyncJob& job, int entry, std::uint32_t line, Checker& c) {
    if (job.transferMode().empty() && !job.deletions().empty())
        c.add("Transfer mode is empty, so propagate deletions \"" + std::string(job.deletions()) +
                  "\" would be read as the transfer mode after a save",
              {}, entry, line);
    c.quoted("Source path", job.sourcePath(), {}, entry, line);
    c.quoted("Target path", job.targetPath(), {}, entry, line);
}

} // namespace

void ReadBackChecks::package(const PackageDesc& p, std::uint32_t line, std::vector<Problem>& out) {
    using PK = PackageDesc::Key;
    Checker settings(out, Node::Settings, p.id, p.name, line);
    settings.blockName("Package name", p.name);
    const std::pair<const std::string&, PK> commandFiles[] = {
        {p.preNcfSrc, PK::PreNcfSrc},         {p.preNcfDst, PK::PreNcfDst},
        {p.postNcfSrc, PK::PostNcfSrc},       {p.postNcfDst, PK::PostNcfDst},
        {p.suspendNcfSrc, PK::SuspendNcfSrc}, {p.suspendNcfDst, PK::SuspendNcfDst}};
    for (const auto& [path, key] : commandFiles)
        settings.quoted("Command file", path, {}, 0, p.lines[key]);
    Checker messages(out, Node::Messages, p.id, p.name, line);
    const std::pair<const std::string&, PK> texts[] = {{p.preMsg, PK::PreMsg},
                                                       {p.postMsg, PK::PostMsg},
                                                       {p.errorMsg, PK::ErrorMsg},
                                                       {p.suspendMsg, PK::SuspendMsg}};
    for (const auto& [text, key] : texts)
        messages.quoted("Message", text, {}, 0, p.lines[key]);
    Checker schedule(out, Node::Schedule, p.id, p.name, line);
    if (p.scheduleWhen.empty() && !TextUtil::trim(p.scheduleDays).empty())
        schedule.add(described(L::kDays, TextUtil::trim(p.scheduleDays),
                               "have no start time before them, so a save would make the first "
                               "day the start"),
                     &L::kDays, 0, p.lines[PK::Days]);
    Checker source(out, Node::SourceServer, p.id, p.name, line);
    const RowLabel& sourceRow = SettingTable::of(PK::Source).label;
    source.word(sourceRow, p.source, sourceRow, p.lines[PK::Source]);
    Checker targets(out, Node::Targets, p.id, p.name, line);
    for (int i = 1; i <= p.targets.count(); ++i)
        checkTarget(p.targets.at(i), i, p.targets.line(i), targets);
    Checker excludes(out, Node::Exclude, p.id, p.name, line);
    for (int i = 1; i <= p.excludes.count(); ++i)
        excludes.quoted("Excluded path", p.excludes.at(i), {}, i, p.excludes.line(i));
    const struct {
        Node node;
        const EntryList<SyncJob>& jobs;
    } lists[] = {{Node::Directories, p.dirJobs}, {Node::Files, p.fileJobs}};
    for (const auto& list : lists) {
        Checker jobs(out, list.node, p.id, p.name, line);
        for (int i = 1; i <= list.jobs.count(); ++i)
            checkJob(list.jobs.at(i), i, list.jobs.line(i), jobs);
    }
}

namespace {

void checkApplication(const ApplicationDesc& a, std::uint32_t line, std::vector<Problem>& out) {
    using AK = ApplicationDesc::Key;
    Checker c(out, Node::Application, a.id, a.name, line);
    c.blockName("Application name", a.name);
    c.word("Application server", a.appServer, L::kApplicationServer, a.lines[AK::AppServer]);
    c.quoted("Application path", a.appPath, &L::kApplicationPath, 0, a.lines[AK::AppPath]);
    // One name a line: only a blank parts two names.
    const struct {
        const RowLabel& label;
        const std::string& names;
        AK key;
    } lists[] = {{L::kDestinationPackages, a.dstPackages, AK::DstPackages},
                 {L::kDestinationServers, a.dstServers, AK::DstServers}};
    for (const auto& list : lists)
        if (list.names.find_first_of(",\t\r\n") != std::string::npos)
            c.add(described(list.label, list.names,
                            "hold a comma, a tab or a line break, so a save would not keep them"),
                  &list.label, 0, a.lines[list.key]);
}

} // namespace

void ReadBackChecks::run(const ConfigModel& model, std::vector<Problem>& problems) {
    std::vector<Problem> packages;
    for (int i = 1; i <= model.packages.count(); ++i)
        package(model.packages.at(i), model.packages.line(i), packages);
    run(model, problems, std::move(packages));
}

void ReadBackChecks::run(const ConfigModel& model, std::vector<Problem>& problems,
                         std::vector<Problem>&& packages) {
    using GK = GlobalSettings::Key;
    const GlobalSettings& g = model.global;
    Checker global(problems, Node::DefaultSettings);
    const RowLabel& user = SettingTable::of(GK::User).label;
    global.word(user, g.user, user, g.lines[GK::User]);
    global.quoted("Log directory", g.logDir, &SettingTable::of(GK::LogDir).label, 0,
                  g.lines[GK::LogDir]);
    problems.insert(problems.end(), std::make_move_iterator(packages.begin()),
                    std::make_move_iterator(packages.end()));
    for (int i = 1; i <= model.applications.count(); ++i)
        checkApplication(model.applications.at(i), model.applications.line(i), problems);
}
