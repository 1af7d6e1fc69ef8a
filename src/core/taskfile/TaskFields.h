#pragma once

#include "text/TextUtil.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

// One task as the file holds it: source, destination and the overwrite-newer,
// overwrite-readonly and remove-stale flags, joined by single blanks. A flag
// is set unless it reads "0" or is missing (an empty word): a line that gives
// no flags leaves them to Quorrel, and the editor does not guess for it.
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

    static bool isMissing(std::string_view flag) { return flag.empty(); }
    static bool isSet(std::string_view flag) { return !isMissing(flag) && flag != "0"; }

    // A path on a workstation drive (C:\x, or no drive at all) rather than a
    // server's VOLUME:path.
    static bool onWorkstationDrive(std::string_view path) {
        const std::size_t colon = TextUtil::trim(path).find(':');
        return colon == std::string_view::npos || colon <= 2;
    }

    // A flag as an editor holds it.
    enum class Flag { Missing, Clear, Set };

    static Flag flagOf(std::string_view flag) {
        return isMissing(flag) ? Flag::Missing : isSet(flag) ? Flag::Set : Flag::Clear;
    }

    // The word of a flag in the state an editor left it: the stored word
    // while the state is the one it had, so that "2" stays "2"; else "1",
    // "0" or, for a missing flag, the empty word the reader stores.
    static std::string_view wordOf(Flag state, std::string_view stored) {
        if (flagOf(stored) == state)
            return stored;
        return state == Flag::Set ? "1" : state == Flag::Clear ? "0" : "";
    }

    // The five words joined by single blanks, as the reader stores a line.
    std::string text() const {
        std::string task;
        task.reserve(source.size() + target.size() + 2 * kFlags + 2);
        task.append(source).append(1, ' ').append(target);
        for (const std::string& flag : flags)
            task.append(1, ' ').append(flag);
        return task;
    }

    // The first missing flag that a flag given after it follows: the line
    // has no way to skip a word, so that task cannot be stored. -1 when
    // there is none.
    static int gapBeforeGiven(const std::array<Flag, kFlags>& flags) {
        int missing = -1;
        for (std::size_t i = 0; i < kFlags; ++i) {
            if (flags[i] == Flag::Missing && missing < 0)
                missing = static_cast<int>(i);
            else if (flags[i] != Flag::Missing && missing >= 0)
                return missing;
        }
        return -1;
    }
};
