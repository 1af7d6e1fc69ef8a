#pragma once

#include "config/ConfigModel.h"

#include <string>

// What a configuration read from arbitrary bytes must keep when it is written
// and read again. The writer does not quote or escape, so some lines come
// back tokenised differently: an empty word in a SCHEDULE or DEST line lets
// the next word slide into its place, a quote inside a SYNCDIR mode moves the
// paths, an empty OFHANDLER method takes the delay as its method, and event
// words gathered from several LOGEVENT lines go out on one line, of which a
// read keeps the first 50. Schedules, targets and jobs are therefore compared
// by count only; every other field must come back as the first read left it,
// up to those changes.
class ConfigRoundTrip {
public:
    // Empty when `reread` keeps what it must of `first`; else what differs.
    static std::string difference(const ConfigModel& first, const ConfigModel& reread);

private:
    // `first` as a read of its written form must see it.
    static ConfigModel expected(ConfigModel model);
    static void expectPackage(PackageDesc& p);
    // Drops what is compared by count only, and the ids, which follow the
    // order of the blocks in the file.
    static void keepStable(ConfigModel& model);
    static void keepStable(PackageDesc& p);
    static std::string firstDifference(const ConfigModel& want, const ConfigModel& got);
};
