#pragma once

#include "ConfigModel.h"
#include "text/Problem.h"
#include "text/ReadReport.h"

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

// Every problem of a whole configuration the engine would trip over, in file
// order: the save rules as errors; values no dialog would have stored, names
// that do not fit together and, with the read report, the lines the reader
// passed over, as warnings.
class ConfigChecks {
public:
    // The problems of the packages' own records and lists, in file order.
    struct PackageProblems {
        std::vector<Problem> own;
        std::vector<Problem> readBack;
        // Where in `own` a package says it has no target server, which a
        // file not read whole does not say: known only at the file's end.
        std::vector<std::size_t> noTargets;
    };

    static std::vector<Problem> run(const ConfigModel& model, const ReadReport* report = nullptr);
    // Adds the problems of package `index`. Called as each package is read,
    // its lists can go before the next is read.
    static void addPackage(const ConfigModel& model, int index, PackageProblems& packages);
    // Every problem, those of the packages as addPackage found them.
    static std::vector<Problem> run(const ConfigModel& model, const ReadReport* report,
                                    PackageProblems packages);
};
