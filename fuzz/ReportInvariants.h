#pragma once

#include "text/Problem.h"
#include "text/ReadReport.h"

#include <string>
#include <string_view>
#include <vector>

// What any reader's report of any bytes must satisfy: lines named once, in
// order, within the file, with counts that agree with what was recorded and
// with a count-only read of the same bytes.
class ReportInvariants {
public:
    // Empty when both reports hold; else what does not.
    static std::string problem(const ReadReport& recorded, const ReadReport& counted,
                               std::string_view bytes);
    // Empty when every problem of a whole-file check stands at a line of
    // the file, in file order; else what does not.
    static std::string problemLines(const std::vector<Problem>& problems, std::string_view bytes);
};
