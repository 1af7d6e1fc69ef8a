#pragma once

#include "config/TextUtil.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// One task as the file holds it: source, destination and the overwrite-newer,
// overwrite-readonly and remove-stale flags, joined by single blanks. A flag
// is set unless it reads "0".
struct TaskFields {
    static constexpr std::size_t kFlags = 3;

    std::string source;
    std::string target;
    std::array<std::string, kFlags> flags;

    // Splits at every single blank, so that empty words keep their place;
    // missing words are empty and words past the fifth are ignored.
    static TaskFields split(std::string_view task) {
        TaskFields fields;
        std::string* words[] = {&fields.source, &fields.target, &fields.flags[0], &fields.flags[1],
                                &fields.flags[2]};
        std::size_t start = 0;
        for (std::string* word : words) {
            if (start > task.size())
                break;
            const std::size_t end = std::min(task.find(' ', start), task.size());
            word->assign(task.substr(start, end - start));
            start = end + 1;
        }
        return fields;
    }

    static bool isSet(std::string_view flag) { return flag != "0"; }

    // A path on a workstation drive (C:\x, or no drive at all) rather than a
    // server's VOLUME:path.
    static bool onWorkstationDrive(std::string_view path) {
        const std::size_t colon = TextUtil::trim(path).find(':');
        return colon == std::string_view::npos || colon <= 2;
    }

    // The stored text of a task with flags written as "1" or "0".
    static std::string join(std::string_view source, std::string_view target,
                            const std::array<bool, kFlags>& flags) {
        std::string task;
        task.reserve(source.size() + target.size() + 2 * kFlags + 1);
        task.append(source).append(1, ' ').append(target);
        for (const bool flag : flags)
            task.append(flag ? " 1" : " 0");
        return task;
    }
};
