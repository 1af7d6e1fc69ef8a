#pragma once

#include "ConfigModel.h"
#include "text/Problem.h"

#include <vector>

// Values a save would write in a form the reader takes differently: the
// format neither quotes words nor escapes quotes, so an empty word lets the
// next one slide into its place and a separator splits a word in two. A
// configuration without such a value reads back as it was saved.
class ReadBackChecks {
public:
    // Appends one warning per such value, placed at its node and row.
    static void run(const ConfigModel& model, std::vector<Problem>& problems);
    // The same, with the packages' own as package() found them while their
    // lists were still there.
    static void run(const ConfigModel& model, std::vector<Problem>& problems,
                    std::vector<Problem>&& packages);
    // Appends the warnings of one package, read from `line`.
    static void package(const PackageDesc& p, std::uint32_t line, std::vector<Problem>& problems);
};
