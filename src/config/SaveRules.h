#pragma once

#include "ConfigModel.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// What must hold before a configuration is written: the engine needs a user,
// a password and a source server per package, and a file whose lines the
// reader had to pass over must not be overwritten without them.
class SaveRules {
public:
    static constexpr std::string_view kCaption = "Pallworth";

    // Refusal that applies whether or not the document was changed.
    static std::optional<std::string> formatRefusal(const ConfigModel& model);
    // The one message a save shows, or nothing when the save may go ahead.
    static std::optional<std::string> validateSave(const ConfigModel& model, bool modified);
    // Every problem of a changed configuration, in the order saves would
    // report them, then the target servers that would not read back.
    static std::vector<std::string> allProblems(const ConfigModel& model);

    // Why a target's server and volume names would not read back as they
    // are; empty when they would.
    static std::string targetNameProblem(std::string_view server, std::string_view volume);
};
