#include "views/DetailContent.h"

#include "config/ConfigModel.h"
#include "config/ScheduleText.h"

#include <array>
#include <cstddef>
#include <utility>

namespace {

using Row = std::vector<std::string>;

// The node being shown and the records it refers to.
struct Where {
    const ConfigModel& model;
    int packageIndex;
    int applicationIndex;
};

const PackageDesc* packageOf(const Where& w) {
    if (!w.model.packages.validIndex(w.packageIndex))
        return nullptr;
    return &w.model.packages.at(w.packageIndex);
}

const ApplicationDesc* applicationOf(const Where& w) {
    if (!w.model.applications.validIndex(w.applicationIndex))
        return nullptr;
    return &w.model.applications.at(w.applicationIndex);
}

const GlobalSettings* globalOf(const Where& w) {
    return &w.model.global;
}

// One "label | value" row of a property list.
template <typename Record> struct Property {
    std::string_view label;
    std::string (*value)(const Record&);
};

using PackageProperty = Property<PackageDesc>;
using GlobalProperty = Property<GlobalSettings>;
using ApplicationProperty = Property<ApplicationDesc>;

std::string ncfBefore(const PackageDesc& p) {
    return DetailContent::ncfSummary(p.preNcfSrc, p.preNcfDst);
}

std::string ncfAfter(const PackageDesc& p) {
    return DetailContent::ncfSummary(p.postNcfSrc, p.postNcfDst);
}

std::string ncfSuspended(const PackageDesc& p) {
    return DetailContent::ncfSummary(p.suspendNcfSrc, p.suspendNcfDst);
}

constexpr std::array<PackageProperty, 14> kSettingsRows{{
    {"Sync mode", [](const PackageDesc& p) { return p.syncMode; }},
    {"Transfer IRMs (Inherited Rights Mask)", [](const PackageDesc& p) { return p.transferIrm; }},
    {"Transfer file owner", [](const PackageDesc& p) { return p.transferOwner; }},
    {"Transfer file system rights", [](const PackageDesc& p) { return p.transferTrustee; }},
    {"Protect read-only files", [](const PackageDesc& p) { return p.skipReadOnly; }},
    {"Scan directories in advance", [](const PackageDesc& p) { return p.preStat; }},
    {"Transport protocol", [](const PackageDesc& p) { return p.protocol; }},
    {"Transfer file system attributes", [](const PackageDesc& p) { return p.transferAttrs; }},
    {"Log event types", [](const PackageDesc& p) { return p.logEvent; }},
    {"Log files based on ...", [](const PackageDesc& p) { return p.logMethod; }},
    {"NCF to execute before", ncfBefore},
    {"NCF to execute after", ncfAfter},
    {"NCF to execute when suspended", ncfSuspended},
    {"Open file handling method", DetailContent::openFileText},
}};

constexpr std::array<PackageProperty, 2> kScheduleRows{{
    {"Schedule", [](const PackageDesc& p) { return ScheduleText::display(p.scheduleWhen); }},
    {"Days to run", [](const PackageDesc& p) { return p.scheduleDays; }},
}};

constexpr std::array<PackageProperty, 1> kSourceRows{{
    {"Source Server", [](const PackageDesc& p) { return p.source; }},
}};

constexpr std::array<PackageProperty, 4> kMessageRows{{
    {"Start Message", [](const PackageDesc& p) { return p.preMsg; }},
    {"End Message", [](const PackageDesc& p) { return p.postMsg; }},
    {"Error Message", [](const PackageDesc& p) { return p.errorMsg; }},
    {"Suspend Message", [](const PackageDesc& p) { return p.suspendMsg; }},
}};

// The password itself never appears; the mask stands in for it.
constexpr std::array<GlobalProperty, 20> kDefaultRows{{
    {"Version", [](const GlobalSettings& g) { return g.version; }},
    {"Username", [](const GlobalSettings& g) { return g.user; }},
    {"Password", [](const GlobalSettings& g) { return g.passwordMask; }},
    {"Max. threads", [](const GlobalSettings& g) { return g.maxThreads; }},
    {"Namespace", [](const GlobalSettings& g) { return g.nameSpace; }},
    {"Failed job retry interval", [](const GlobalSettings& g) { return g.retryInterval; }},
    {"Number of times a failed job can be retried",
     [](const GlobalSettings& g) { return g.retryCount; }},
    {"Sync mode", [](const GlobalSettings& g) { return g.syncMode; }},
    {"Transfer IRMs (Inherited Rights Mask)",
     [](const GlobalSettings& g) { return g.transferIrm; }},
    {"Transfer file owner", [](const GlobalSettings& g) { return g.transferOwner; }},
    {"Transfer file system rights", [](const GlobalSettings& g) { return g.transferTrustee; }},
    {"Protect read-only files", [](const GlobalSettings& g) { return g.skipReadOnly; }},
    {"Transfer file system attributes", [](const GlobalSettings& g) { return g.transferAttrs; }},
    {"Time restriction", [](const GlobalSettings& g) { return g.jobWindow; }},
    {"Log directory", [](const GlobalSettings& g) { return g.logDir; }},
    {"Log event types", [](const GlobalSettings& g) { return g.logEvent; }},
    {"Display type", [](const GlobalSettings& g) { return g.display; }},
    {"Log size limit", [](const GlobalSettings& g) { return g.logSize; }},
    {"Debug", [](const GlobalSettings& g) { return g.debug; }},
    {"Debug log size limit", [](const GlobalSettings& g) { return g.dbgLogSize; }},
}};

constexpr std::array<ApplicationProperty, 4> kApplicationRows{{
    {"Server", [](const ApplicationDesc& a) { return a.appServer; }},
    {"Path", [](const ApplicationDesc& a) { return a.appPath; }},
    {"Destination packages", [](const ApplicationDesc& a) { return a.dstPackages; }},
    {"Destination servers", [](const ApplicationDesc& a) { return a.dstServers; }},
}};

// A property list over the record Resolve finds; no record, no rows.
template <const auto& Table, auto Resolve> struct PropertyList {
    static int count(const Where& w) { return Resolve(w) ? static_cast<int>(Table.size()) : 0; }
    static Row row(const Where& w, int r) {
        const auto& property = Table[static_cast<std::size_t>(r)];
        return {std::string(property.label), property.value(*Resolve(w))};
    }
};

// One row per application or package, showing its name.
template <auto Table> struct NameList {
    static int count(const Where& w) { return (w.model.*Table).count(); }
    static Row row(const Where& w, int r) { return {(w.model.*Table).at(r + 1).name}; }
};

Row entryCells(const TargetServer& t, const PackageDesc& p) {
    return {std::string(t.server()),
            std::string(t.volume()),
            std::string(t.msg()),
            std::string(t.bandwidth()),
            DetailContent::targetStartText(t, p),
            std::string(t.protocol())};
}

Row entryCells(const SyncJob& job, const PackageDesc&) {
    return {std::string(job.sourcePath()), std::string(job.targetPath()),
            std::string(job.transferMode()), std::string(job.deletions())};
}

Row entryCells(const std::string& path, const PackageDesc&) {
    return {path};
}

// One row per entry of a list of the package.
template <auto List> struct PackageList {
    static int count(const Where& w) {
        const PackageDesc* p = packageOf(w);
        return p ? (p->*List).count() : 0;
    }
    static Row row(const Where& w, int r) {
        const PackageDesc& p = *packageOf(w);
        return entryCells((p.*List).at(r + 1), p);
    }
};

struct NodeSpec {
    NodeKind kind;
    // Application nodes carry the application's name and match on kind alone.
    std::string_view label;
    std::vector<DetailColumn> columns;
    int (*rowCount)(const Where&);
    // r is below rowCount.
    Row (*row)(const Where&, int r);

    bool matches(NodeKind k, std::string_view l) const {
        return kind == k && (kind == ApplicationNode || label == l);
    }
};

template <typename Content>
NodeSpec spec(NodeKind kind, std::string_view label, std::vector<DetailColumn> columns) {
    return {kind, label, std::move(columns), &Content::count, &Content::row};
}

std::vector<DetailColumn> jobColumns() {
    return {{"Source Path", 100},
            {"Target Path", 100},
            {"Transfer Mode", 100},
            {"Propagate Deletions", 100}};
}

std::vector<NodeSpec> makeSpecs() {
    using Apps = NameList<&ConfigModel::applications>;
    using Packages = NameList<&ConfigModel::packages>;
    using Application = PropertyList<kApplicationRows, applicationOf>;
    using Schedule = PropertyList<kScheduleRows, packageOf>;
    using Source = PropertyList<kSourceRows, packageOf>;
    using Targets = PackageList<&PackageDesc::targets>;
    using Dirs = PackageList<&PackageDesc::dirJobs>;
    using Files = PackageList<&PackageDesc::fileJobs>;
    using Excludes = PackageList<&PackageDesc::excludes>;
    using Settings = PropertyList<kSettingsRows, packageOf>;
    using Messages = PropertyList<kMessageRows, packageOf>;
    using Defaults = PropertyList<kDefaultRows, globalOf>;
    return {
        spec<Apps>(GroupNode, "Application descriptions", {{"Applications", 150}}),
        spec<Packages>(GroupNode, "Package descriptions", {{"Packages", 150}}),
        spec<Application>(ApplicationNode, {}, {{"Properties", 150}, {"Value", 150}}),
        spec<Schedule>(DetailNode, "Schedule", {{"Properties", 200}, {"Value", 250}}),
        spec<Source>(DetailNode, "Source Server", {{"Properties", 100}, {"Value", 250}}),
        spec<Targets>(DetailNode, "Target Server(s)",
                      {{"Target Servers", 100},
                       {"Volume", 100},
                       {"Message", 100},
                       {"Bandwidth Limit", 100},
                       {"Start", 100},
                       {"Protocol", 100}}),
        spec<Dirs>(DetailNode, "Directories", jobColumns()),
        spec<Files>(DetailNode, "Files", jobColumns()),
        spec<Excludes>(DetailNode, "Exclude", {{"Exclude Directories", 200}}),
        spec<Settings>(DetailNode, "Settings", {{"Properties", 200}, {"Value", 200}}),
        spec<Messages>(DetailNode, "Messages", {{"Properties", 100}, {"Value", 200}}),
        spec<Defaults>(DetailNode, "Default settings", {{"Properties", 250}, {"Value", 250}}),
    };
}

const NodeSpec* findSpec(NodeKind kind, std::string_view label) {
    static const std::vector<NodeSpec> specs = makeSpecs();
    for (const NodeSpec& s : specs)
        if (s.matches(kind, label))
            return &s;
    return nullptr;
}

// The last component of a backslash path; the whole text when it has none.
std::string_view tail(std::string_view path) {
    const auto slash = path.rfind('\\');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

} // namespace

DetailTable DetailContent::build(const ConfigModel& model, NodeKind kind, std::string_view label,
                                 int packageIndex, int applicationIndex) {
    DetailTable table;
    const NodeSpec* s = findSpec(kind, label);
    if (!s)
        return table;
    const Where w{model, packageIndex, applicationIndex};
    table.columns = s->columns;
    const int count = s->rowCount(w);
    table.rows.reserve(static_cast<std::size_t>(count));
    for (int r = 0; r < count; ++r)
        table.rows.push_back(s->row(w, r));
    return table;
}

std::vector<std::string> DetailContent::rowCells(const ConfigModel& model, NodeKind kind,
                                                 std::string_view label, int packageIndex,
                                                 int applicationIndex, int row) {
    const NodeSpec* s = findSpec(kind, label);
    const Where w{model, packageIndex, applicationIndex};
    if (!s || row < 0 || row >= s->rowCount(w))
        return {};
    return s->row(w, row);
}

std::string DetailContent::ncfSummary(std::string_view src, std::string_view dst) {
    std::string text;
    if (!src.empty())
        text = "Source: " + std::string(tail(src));
    if (!dst.empty())
        text += (text.empty() ? "Target: " : ", Target: ") + std::string(tail(dst));
    return text;
}

std::string DetailContent::openFileText(const PackageDesc& p) {
    if (p.ofHandler == "OFF" || p.ofHandler == "SKIP")
        return p.ofHandler;
    return p.ofHandler + " " + std::to_string(p.ofHandlerDelay);
}

std::string DetailContent::targetStartText(const TargetServer& t, const PackageDesc& p) {
    return ScheduleText::display(ScheduleText::effectiveTargetWord(t.schedule(), p.scheduleWhen));
}
