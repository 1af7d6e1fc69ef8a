#include "ConfigRoundTrip.h"

std::string ConfigRoundTrip::difference(const ConfigModel& first, const ConfigModel& reread) {
    ConfigModel want = expected(first);
    ConfigModel got = reread;
    keepStable(want);
    keepStable(got);
    return want == got ? std::string() : firstDifference(want, got);
}

ConfigModel ConfigRoundTrip::expected(ConfigModel model) {
    model.newerVersion = false;
    model.skippedDestLines = 0;
    model.skippedDestVersion.clear();
    // A PWD line is always written.
    model.global.passwordMask = "****";
    if (model.global.jobWindow == "DISABLED") {
        model.global.startJob = "00:00";
        model.global.endJob = "00:00";
    }
    for (PackageDesc& p : model.packages)
        expectPackage(p);
    return model;
}

void ConfigRoundTrip::expectPackage(PackageDesc& p) {
    if (p.ofHandler == "OFF" || p.ofHandler == "SKIP") {
        p.ofHandlerDelay = 0;
    } else if (p.ofHandler.empty()) {
        // "OFHANDLER  <delay>": the delay is now the first word.
        p.ofHandler = std::to_string(p.ofHandlerDelay);
        p.ofHandlerDelay = 0;
    }
}

void ConfigRoundTrip::keepStable(ConfigModel& model) {
    for (ApplicationDesc& app : model.applications)
        app.id = 0;
    for (PackageDesc& p : model.packages)
        keepStable(p);
}

void ConfigRoundTrip::keepStable(PackageDesc& p) {
    p.id = 0;
    p.scheduleWhen.clear();
    p.scheduleDays.clear();
    for (TargetServer& t : p.targets)
        t = TargetServer();
    for (SyncJob& job : p.dirJobs)
        job = SyncJob();
    for (SyncJob& job : p.fileJobs)
        job = SyncJob();
}

std::string ConfigRoundTrip::firstDifference(const ConfigModel& want, const ConfigModel& got) {
    if (!(want.global == got.global) || want.password != got.password)
        return "global settings";
    if (want.packages.count() != got.packages.count())
        return "package count";
    for (int i = 1; i <= want.packages.count(); ++i)
        if (!(want.packages.at(i) == got.packages.at(i)))
            return "package " + std::to_string(i) + " (" + want.packages.at(i).name + ")";
    if (want.applications.count() != got.applications.count())
        return "application count";
    for (int i = 1; i <= want.applications.count(); ++i)
        if (!(want.applications.at(i) == got.applications.at(i)))
            return "application " + std::to_string(i) + " (" + want.applications.at(i).name + ")";
    return "the reader's notes or the record ids";
}
