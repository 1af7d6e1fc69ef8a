#pragma once

#include "config/EntryList.h"

#include <string>

// The content of one Quorrel task file: four settings and the ordered tasks,
// each task the five words source, destination and three 0/1 flags.
class TaskFileModel {
public:
    std::string logFilePath;
    std::string pollInterval;
    std::string logSeverity;
    std::string maxLogSize;
    EntryList<std::string> tasks;

    // The defaults of a new file, also in force before a file is read.
    void resetToNew();

    bool operator==(const TaskFileModel& other) const = default;
};
