#pragma once

#include "ConfigModel.h"
#include "text/Difference.h"
#include "text/ReadReport.h"

#include <vector>

// Every difference between two configurations, in the order of the file:
// the default settings, then the applications and the packages. Records are
// matched by name (a record whose name alone changed, by its content), the
// entries of a list by content, then by their first field.
class ConfigDiff {
public:
    // The reports, where given, add the lines their reads passed over.
    static std::vector<Difference> compare(const ConfigModel& from, const ConfigModel& to,
                                           const ReadReport* fromReport = nullptr,
                                           const ReadReport* toReport = nullptr);
};
