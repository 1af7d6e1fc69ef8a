#pragma once

#include "config/ConfigModel.h"
#include "config/ReadReport.h"
#include "taskfile/TaskFileModel.h"

#include <string>

// The models as JSON objects, every text decoded from Windows-1252, with the
// lines the reader did not keep under "skipped".
class ModelJson {
public:
    static std::string config(const ConfigModel& model, const ReadReport& report = {});
    static std::string taskFile(const TaskFileModel& model, const ReadReport& report = {});
};
