#pragma once

#include "TaskFileModel.h"
#include "text/NumberRange.h"
#include "text/RowDialog.h"
#include "text/RowLabel.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// One setting of a task file, as the file, the editor and the checks see it.
struct TaskFileSetting {
    using Key = TaskFileModel::Key;
    // What the value may hold: one word (the reader keeps only the first), or
    // a number within `range`.
    enum class Value : std::uint8_t { Word, Number };

    // As the writer spells it; the reader takes it in any case.
    std::string_view keyword;
    // The writer's comment line above it.
    std::string_view comment;
    RowLabel label;
    std::string TaskFileModel::*member;
    Key key;
    // The member's name, which the CLI's JSON uses.
    std::string_view name;
    Value value;
    // The dialog that edits it.
    RowDialog dialog;
    // Only a number setting has one.
    NumberRange range;
    // What a new task file holds.
    std::string_view defaultValue;

    static constexpr TaskFileSetting word(std::string_view keyword, std::string_view comment,
                                          std::string_view label,
                                          std::string TaskFileModel::*member, Key key,
                                          std::string_view name, std::string_view defaultValue) {
        return {keyword, comment,     {label},         member,     key,
                name,    Value::Word, RowDialog::Text, {0, 0, {}}, defaultValue};
    }
    static constexpr TaskFileSetting number(std::string_view keyword, std::string_view comment,
                                            std::string_view label,
                                            std::string TaskFileModel::*member, Key key,
                                            std::string_view name, NumberRange range) {
        return {keyword, comment,       {label},           member, key,
                name,    Value::Number, RowDialog::Number, range,  range.defaultValue};
    }
};

// Every setting of a task file, once, in the order the file and the list show
// them. The reader, the writer, the checks, a new file, the CLI and the
// editor's rows are driven by it.
class TaskFileTable {
public:
    using Setting = TaskFileSetting;
    using Key = TaskFileModel::Key;

    static constexpr std::array<Setting, static_cast<std::size_t>(Key::Count)> kSettings{{
        Setting::word("logfile", "# Path of the logfile.", "Path of the logfile",
                      &TaskFileModel::logFilePath, Key::LogFile, "logFilePath",
                      "sys:\\etc\\quorrel.log"),
        Setting::number("pollinterval",
                        "# Polling interval (in secs) of the config file and tasks.",
                        "Polling interval", &TaskFileModel::pollInterval, Key::PollInterval,
                        "pollInterval", {60, 1440, "300"}),
        Setting::number(
            "logseverity",
            "# Logging severity: 0 - report only, 1 - be more verbose (copy, deletion, etc.)",
            "Logging severity", &TaskFileModel::logSeverity, Key::LogSeverity, "logSeverity",
            {0, 1, "0"}),
        Setting::number("logsize", "# Maximum log file size in bytes.", "Maximum log file size",
                        &TaskFileModel::maxLogSize, Key::LogSize, "maxLogSize",
                        {8192, 8388608, "256000"}),
    }};

    static const Setting& of(Key key) { return kSettings[static_cast<std::size_t>(key)]; }
    // The setting a line's upper-cased keyword names; nullptr for any other.
    static const Setting* withKeyword(std::string_view upper);
};
