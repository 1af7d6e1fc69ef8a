#pragma once

#include "text/EntryList.h"

#include <QCoreApplication>
#include <QString>
#include <optional>
#include <string>
#include <vector>

class QWidget;

// Task rows on the clipboard: the task file's own lines, as plain text and
// under the private type "application/x-pallworth-tasks".
class TaskClipboard {
    Q_DECLARE_TR_FUNCTIONS(TaskClipboard)

public:
    static const QString kMimeType;

    // Puts tasks `indices` (1-based, ascending) on the clipboard.
    static void copy(const EntryList<std::string>& tasks, const std::vector<int>& indices);
    // Whether the clipboard holds anything a paste could read.
    static bool holds();
    // The tasks to paste into a list of `count` tasks. Nothing, after a
    // message, when the text has a character the file cannot hold, no task,
    // or more tasks than fit; also when the user, asked about the lines
    // that would not go in as plain tasks, says no.
    static std::optional<EntryList<std::string>> take(QWidget* parent, int count);
};
