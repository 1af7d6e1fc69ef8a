#pragma once

#include "config/ConfigModel.h"

#include <string>

// Whether a configuration read back from what was written holds what the
// written one held: every field of every record, targets, jobs and schedules
// included. Record ids follow the order of the blocks in the file and the
// reader's notes say how the file was read, so neither takes part.
class ConfigRoundTrip {
public:
    // Empty when `reread` holds what `first` holds; else where they differ.
    static std::string difference(const ConfigModel& first, const ConfigModel& reread);

private:
    static ConfigModel content(ConfigModel model);
    static std::string firstDifference(const ConfigModel& want, const ConfigModel& got);
};
