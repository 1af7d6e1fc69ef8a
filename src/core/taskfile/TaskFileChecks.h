#pragma once

#include "TaskFileModel.h"
#include "text/Problem.h"
#include "text/ReadReport.h"

#include <vector>

// Every problem of a task file Quorrel would trip over: settings outside the
// ranges their dialog offers, task lines that do not read back or whose two
// paths are on the same side and, with the read report, the lines the reader
// passed over. All are warnings: nothing refuses a task file's save.
class TaskFileChecks {
public:
    static std::vector<Problem> run(const TaskFileModel& model, const ReadReport* report = nullptr);
};
