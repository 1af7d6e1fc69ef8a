#include "TaskFileModel.h"

#include "TaskFileTable.h"

void TaskFileModel::resetToNew() {
    for (const TaskFileSetting& setting : TaskFileTable::kSettings)
        this->*setting.member = setting.defaultValue;
    tasks.clear();
    lines.clear();
    kept = KeptLines();
}

void TaskFileModel::takeLines(const TaskFileModel& written) {
    lines = written.lines;
    tasks.copyLines(written.tasks);
}
