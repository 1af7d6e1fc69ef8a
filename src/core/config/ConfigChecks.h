#pragma once

#include "ConfigModel.h"
#include "Problem.h"
#include "ReadReport.h"

#include <span>
#include <string_view>
#include <vector>

// Every problem of a whole configuration the engine would trip over, in file
// order: the save rules as errors; values no dialog would have stored, names
// that do not fit together and, with the read report, the lines the reader
// passed over, as warnings.
class ConfigChecks {
public:
    static std::vector<Problem> run(const ConfigModel& model, const ReadReport* report = nullptr);
    // In file order: what has no line first, then by line, found order kept.
    static void sortByLine(std::vector<Problem>& problems);
    // The lines the reader passed over, as warnings.
    static void addSkipped(const ReadReport& report, std::vector<Problem>& problems);
    // A value in a dialog's range, or why not; empty when it is.
    static std::string rangeProblem(std::string_view label, std::string_view value,
                                    std::int32_t lower, std::int32_t upper);
    static std::string choiceProblem(std::string_view label, std::string_view value,
                                     std::span<const std::string_view> choices);
};
