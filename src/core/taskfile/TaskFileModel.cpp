#include "TaskFileModel.h"

#include "config/ValueTable.h"

void TaskFileModel::resetToNew() {
    logFilePath = "sys:\\etc\\quorrel.log";
    pollInterval = ValueTable::kPollInterval.defaultValue;
    logSeverity = ValueTable::kLogSeverity.defaultValue;
    maxLogSize = ValueTable::kMaxLogFileSize.defaultValue;
    tasks.clear();
    lines.clear();
    kept = KeptLines();
}

void TaskFileModel::takeLines(const TaskFileModel& written) {
    lines = written.lines;
    tasks.copyLines(written.tasks);
}
