#pragma once

#include "config/ConfigModel.h"
#include "config/ReadReport.h"
#include "config/WeekSchedule.h"
#include "taskfile/TaskFileModel.h"

#include <string>

// The models as JSON objects, every text decoded from Windows-1252, with the
// lines the reader did not keep under "skipped".
class ModelJson {
public:
    static std::string config(const ConfigModel& model, const ReadReport& report = {});
    static std::string taskFile(const TaskFileModel& model, const ReadReport& report = {});
    // When every package runs in the week, as `schedule` prints it.
    static std::string week(const WeekSchedule& week);
};
