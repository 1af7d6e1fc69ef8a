#pragma once

#include "text/EntryList.h"

#include <string>
#include <string_view>
#include <vector>

// Task rows on their way through the clipboard: written as the task file
// holds them, and read back by the task file's own reader, so that the text
// of any editor pastes when it reads as task lines.
class TaskClip {
public:
    // A line of the pasted text that does not go in as it stands.
    struct Line {
        // Left out of the paste, a task pasted without its surplus words, or
        // a line that goes in as written before the task after it.
        enum class Fate { Left, Cut, KeptAsWritten };
        int number = 0; // 1-based
        std::string text;
        Fate fate = Fate::Left;
    };

    struct Read {
        // Set when the reader refused the text (more tasks than a file holds).
        std::string error;
        // The tasks, each with the lines kept before it.
        EntryList<std::string> tasks;
        // Settings, lines after the last task and lines with surplus words,
        // and unknown lines that go in before a task, in line order.
        std::vector<Line> others;
    };

    // Tasks `indices` (1-based, ascending) as the writer writes them.
    static std::string write(const EntryList<std::string>& tasks, const std::vector<int>& indices);
    // Reads `text` as the lines of a task file.
    static Read read(std::string_view text);
};
