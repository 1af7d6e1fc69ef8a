#pragma once

#include "config/ConfigModel.h"
#include "config/WeekSchedule.h"
#include "taskfile/TaskFileModel.h"
#include "text/Difference.h"
#include "text/Problem.h"
#include "text/ReadReport.h"

#include <string>
#include <string_view>
#include <vector>

// The models as JSON objects, every text decoded from Windows-1252, with the
// lines the reader did not take under "skipped" and the lines a save writes
// back as they were read under "kept", each run with the line it stands
// before.
class ModelJson {
public:
    static std::string config(const ConfigModel& model, const ReadReport& report = {});
    static std::string taskFile(const TaskFileModel& model, const ReadReport& report = {});
    // The problems of one file; a null line has none. Bytes of `file` that are
    // not UTF-8 become U+FFFD.
    static std::string problems(std::string_view file, const std::vector<Problem>& problems);
    // One difference of `diff --json`: kind, place, old and new (null on the
    // side that has none).
    static std::string difference(const Difference& difference);
    // When every package runs in the week, as `schedule` prints it.
    static std::string week(const WeekSchedule& week);
};
