#include "LargeDocuments.h"

#include "config/Scramble.h"

#include <array>
#include <cstdio>

namespace {

constexpr int kCapacity = EntryList<PackageDesc>::kCapacity;

// Folder names with Windows-1252 letters above 0x7F: ü, Ä, é, ß.
constexpr std::array<const char*, 4> kAccented = {"B\374cher", "\304nderungen", "Caf\351",
                                                  "Gro\337kunden"};

} // namespace

ConfigModel LargeDocuments::largeConfig() {
    return config({10, 20, 50, 50});
}

ConfigModel LargeDocuments::fullConfig() {
    return config({kCapacity, kCapacity, kCapacity, kCapacity});
}

ConfigModel LargeDocuments::jobsConfig() {
    return config({10, 20, 200, 200});
}

TaskFileModel LargeDocuments::largeTaskFile() {
    TaskFileModel model;
    model.resetToNew();
    model.pollInterval = "600";
    model.logSeverity = "1";
    for (int n = 1; n <= kCapacity; ++n) {
        const std::string dir = numbered("DIR", n);
        model.tasks.append("c:\\data\\projects\\" + dir + " sys:\\data\\projects\\" + dir +
                           (n % 3 == 0 ? " 1 0 1" : " 0 0 0"));
    }
    return model;
}

ConfigModel LargeDocuments::config(const Shape& shape) {
    ConfigModel model;
    model.resetToNew();
    fillGlobal(model);
    // Packages first, as a file lists them, so the ids match a read.
    for (int n = 1; n <= kCapacity; ++n)
        model.appendPackage(package(n, shape));
    for (int n = 1; n <= kCapacity; ++n)
        model.appendApplication(application(n));
    return model;
}

void LargeDocuments::fillGlobal(ConfigModel& model) {
    GlobalSettings& g = model.global;
    g.user = "ADMIN.SYNC.CORP";
    g.passwordMask = "****";
    model.password = Scramble("s3cret-pass");
    g.maxThreads = "24";
    g.nameSpace = "LONG";
    g.retryInterval = "600";
    g.retryCount = "5";
    g.syncMode = "REPLACE";
    g.transferIrm = "YES";
    g.transferAttrs = "YES";
    g.startJob = "22:00";
    g.endJob = "06:00";
    g.jobWindow = "22:00-06:00";
    g.logDir = std::string("SYS:\\LOGS\\") + kAccented[1] + "\\";
    g.logEvent = "COPIED DELETED SKIPPED ";
    g.logSize = "1024";
    g.dbgLogSize = "512";
    g.display = "SERVER";
}

PackageDesc LargeDocuments::package(int n, const Shape& shape) {
    PackageDesc p = PackageDesc::fromFile(numbered("Projects", n));
    fillSettings(p, n);
    fillMessagesAndCommandFiles(p, n);
    addTargets(p, n, shape.targets);
    addExcludes(p, n, shape.excludes);
    addJobs(p.dirJobs, n, shape.dirJobs, false);
    addJobs(p.fileJobs, n, shape.fileJobs, true);
    return p;
}

void LargeDocuments::fillSettings(PackageDesc& p, int n) {
    const bool daily = n % 2 == 0;
    p.scheduleWhen = daily ? "23:30" : "4";
    p.scheduleDays = daily ? "MON TUE WED THU FRI " : "";
    p.syncMode = n % 5 == 0 ? "REPLACE" : "OVERWRITE";
    p.transferIrm = "NO";
    p.preStat = n % 3 == 0 ? "YES" : "NO";
    p.protocol = n % 4 == 0 ? "TCP" : "(default)";
    p.transferAttrs = "YES";
    p.logEvent = "COPIED DELETED ";
    p.logMethod = n % 2 == 0 ? "SERVER" : "THREAD";
    const bool alert = n % 3 == 1;
    p.ofHandler = alert ? "ALERT" : "SKIP";
    p.ofHandlerDelay = alert ? 60 : 0;
    p.source = numbered("SRV", n);
}

void LargeDocuments::fillMessagesAndCommandFiles(PackageDesc& p, int n) {
    p.preMsg = numbered("Projects", n) + " are synchronised in 5 minutes, please log out";
    p.postMsg = "Synchronisation finished";
    p.errorMsg = "Synchronisation failed, call the help desk";
    p.suspendMsg = "Synchronisation suspended until tonight";
    p.preNcfSrc = "SYS:\\SYSTEM\\PRESYNC.NCF";
    p.postNcfSrc = "SYS:\\SYSTEM\\POSTSYNC.NCF";
    p.preNcfDst = "SYS:\\SYSTEM\\" + numbered("PRE", n) + ".NCF";
    p.postNcfDst = "SYS:\\SYSTEM\\" + numbered("POST", n) + ".NCF";
}

void LargeDocuments::addTargets(PackageDesc& p, int n, int count) {
    static constexpr std::array<const char*, 4> kSchedules = {"", "4", "02:30", ""};
    static constexpr std::array<const char*, 4> kProtocols = {"(default)", "(default)", "TCP",
                                                              "IPX"};
    for (int t = 1; t <= count; ++t) {
        const auto k = static_cast<std::size_t>(t % 4);
        p.targets.append(TargetServer(numbered("SRV", after(n, t)), t % 3 == 0 ? "VOL1" : "DATA",
                                      t % 2 == 0 ? "ON" : "OFF", kSchedules[k],
                                      t % 5 == 0 ? "512" : "0", kProtocols[k]));
    }
}

void LargeDocuments::addExcludes(PackageDesc& p, int n, int count) {
    const std::string base = "SYS:\\DATA\\PROJECTS\\" + numbered("DIR", n) + "\\";
    for (int e = 1; e <= count; ++e)
        p.excludes.append(base + folder(e) + "\\TEMP");
}

void LargeDocuments::addJobs(EntryList<SyncJob>& jobs, int n, int count, bool files) {
    const std::string dir = numbered("DIR", n) + "\\";
    const char* mode = files ? "NEW" : "ALL";
    for (int j = 1; j <= count; ++j) {
        std::string leaf = folder(j);
        if (files)
            leaf += ".DAT";
        jobs.append(SyncJob("SYS:\\DATA\\PROJECTS\\" + dir + leaf, "DATA:\\PROJECTS\\" + dir + leaf,
                            mode, j % 4 == 0 ? "DEL" : "NODEL"));
    }
}

ApplicationDesc LargeDocuments::application(int n) {
    ApplicationDesc app;
    app.name = "Office suite " + numbered("", n);
    app.appServer = numbered("SRV", n);
    app.appPath = "SYS:\\APPS\\" + numbered("OFFICE", n);
    app.dstPackages = numbered("Projects", n) + " " + numbered("Projects", after(n, 1)) + " ";
    app.dstServers = numbered("SRV", after(n, 1)) + " " + numbered("SRV", after(n, 2)) + " ";
    return app;
}

std::string LargeDocuments::numbered(const char* prefix, int n) {
    char digits[8];
    std::snprintf(digits, sizeof digits, "%04d", n);
    return prefix + std::string(digits);
}

std::string LargeDocuments::folder(int n) {
    if (n % 10 == 0)
        return numbered(kAccented[static_cast<std::size_t>(n / 10 % 4)], n);
    return numbered("SUB", n);
}

int LargeDocuments::after(int first, int n) {
    return (first - 1 + n) % kCapacity + 1;
}
