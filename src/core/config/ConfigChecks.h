#pragma once

#include "ConfigModel.h"
#include "text/Problem.h"
#include "text/ReadReport.h"

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
};
