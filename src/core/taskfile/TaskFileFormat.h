#pragma once

#include "TaskFileModel.h"
#include "text/ReadStatus.h"

#include <string>
#include <string_view>

// The .ini task file: a tolerant line reader and a writer with the fixed
// comment header. Texts pass through byte for byte.
class TaskFileFormat {
public:
    // Fails only when the file holds more tasks than a task file can; the
    // report names the lines a save would not keep.
    static ReadStatus read(std::string_view bytes, TaskFileModel& model,
                           ReadReport::Mode mode = ReadReport::Mode::Record);
    static std::string write(const TaskFileModel& model,
                             KeptLines::Form form = KeptLines::Form::Kept);
    // Appends task `index` as write() writes it, the lines kept before it
    // first.
    static void writeTask(std::string& out, const EntryList<std::string>& tasks, int index,
                          KeptLines::Form form = KeptLines::Form::Kept);
};
