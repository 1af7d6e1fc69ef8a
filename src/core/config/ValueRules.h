#pragma once

#include "io/Status.h"

#include <string>
#include <string_view>

// What a typed value may hold so that the file gives it back as typed. The
// editing dialogs refuse a value that breaks its rule, with the message of
// the failed check.
class ValueRules {
public:
    enum class Rule {
        // Any text on one line.
        Line,
        // Written between double quotes: messages and paths.
        Quoted,
        // Written as one word: user, server, volume and source server names.
        Word,
        // A package or application name: the rest of its line, trimmed.
        Name,
        // Names separated by blanks, each written on a line of its own.
        Words,
    };

    // Succeeds when the value keeps.
    static Status check(std::string_view value, Rule rule);
};
