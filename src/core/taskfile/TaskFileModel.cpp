#include "TaskFileModel.h"

void TaskFileModel::resetToNew() {
    logFilePath = "sys:\\etc\\quorrel.log";
    pollInterval = "300";
    logSeverity = "0";
    maxLogSize = "256000";
    tasks.clear();
    lines.clear();
}

void TaskFileModel::takeLines(const TaskFileModel& written) {
    lines = written.lines;
    tasks.copyLines(written.tasks);
}
