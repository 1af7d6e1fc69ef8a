#pragma once

#include "text/EntryList.h"
#include "text/KeptLines.h"
#include "text/SettingLines.h"

#include <cstdint>
#include <string>

// The content of one Quorrel task file: four settings and the ordered tasks,
// each task the five words source, destination and three 0/1 flags.
class TaskFileModel {
public:
    enum class Key : std::uint8_t { LogFile, PollInterval, LogSeverity, LogSize, Count };

    std::string logFilePath;
    std::string pollInterval;
    std::string logSeverity;
    std::string maxLogSize;
    EntryList<std::string> tasks;
    SettingLines<Key> lines;
    // The lines read before a setting or at the end that the model does not
    // hold (the tasks keep theirs in the list).
    KeptLines kept;

    // The defaults of a new file, also in force before a file is read.
    void resetToNew();
    // Takes the line numbers of a read of this model as it was just written.
    void takeLines(const TaskFileModel& written);

    bool operator==(const TaskFileModel& other) const = default;
};
