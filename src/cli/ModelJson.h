#pragma once

#include "config/ConfigModel.h"
#include "taskfile/TaskFileModel.h"

#include <string>

// The models as JSON objects, every text decoded from Windows-1252.
class ModelJson {
public:
    static std::string config(const ConfigModel& model);
    static std::string taskFile(const TaskFileModel& model);
};
