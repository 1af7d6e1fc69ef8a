#pragma once

#include "TaskFileModel.h"
#include "text/Difference.h"
#include "text/ReadReport.h"

#include <vector>

// Every difference between two task files: the settings by their label, then
// the tasks, matched by content and then by their source path.
class TaskFileDiff {
public:
    // The reports, where given, add the lines their reads passed over.
    static std::vector<Difference> compare(const TaskFileModel& from, const TaskFileModel& to,
                                           const ReadReport* fromReport = nullptr,
                                           const ReadReport* toReport = nullptr);
};
