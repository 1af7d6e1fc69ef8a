#pragma once

#include "Problem.h"
#include "ReadReport.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the checks of both file kinds share: the order problems are listed in,
// the lines a reader passed over, and the wording of a value out of its range
// or choices.
class ProblemList {
public:
    // In file order: what has no line first, then by line, found order kept.
    static void sortByLine(std::vector<Problem>& problems);
    // The lines the reader passed over, as warnings.
    static void addSkipped(const ReadReport& report, std::vector<Problem>& problems);
    // A value in a dialog's range, or why not; empty when it is.
    static std::string rangeProblem(std::string_view label, std::string_view value,
                                    std::int32_t lower, std::int32_t upper);
    static std::string choiceProblem(std::string_view label, std::string_view value,
                                     std::span<const std::string_view> choices);
    // A value as a message quotes it.
    static std::string quoted(std::string_view value);
};
