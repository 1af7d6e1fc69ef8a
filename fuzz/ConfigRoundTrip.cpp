#include "ConfigRoundTrip.h"

std::string ConfigRoundTrip::difference(const ConfigModel& first, const ConfigModel& reread) {
    const ConfigModel want = content(first);
    const ConfigModel got = content(reread);
    return want == got ? std::string() : firstDifference(want, got);
}

ConfigModel ConfigRoundTrip::content(ConfigModel model) {
    model.newerVersion = false;
    model.skippedDestLines = 0;
    model.skippedDestVersion.clear();
    for (ApplicationDesc& app : model.applications)
        app.id = 0;
    for (PackageDesc& p : model.packages)
        p.id = 0;
    return model;
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
    return "the record count";
}
