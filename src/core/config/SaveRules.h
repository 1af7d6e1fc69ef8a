#pragma once

#include "ConfigModel.h"
#include "io/Status.h"

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

    // Why a configuration as read can never be saved: what the status bar
    // says, and the message that refuses the save.
    struct Unsavable {
        std::string status;
        std::string message;
    };
    // Known as soon as the file is read, so the editor opens it read only.
    static std::optional<Unsavable> neverSavable(const ConfigModel& model);

    // Fails with the refusal that applies whether or not the document was
    // changed.
    static Status validateFormat(const ConfigModel& model);
    // Fails with the one message a save shows; succeeds when the save may
    // go ahead.
    static Status validateSave(const ConfigModel& model, bool modified);

    // The refusals of the three rules of a changed configuration.
    static constexpr std::string_view kNoUser = "Please specify a username";
    static constexpr std::string_view kNoPassword = "Please specify a password";
    static std::string missingSource(const PackageDesc& package);

    // Fails with why a target's server and volume names would not read back
    // as they are.
    static Status checkTargetName(std::string_view server, std::string_view volume);
    // Fails with why one of them would not; `what` is "server" or "volume".
    static Status checkName(std::string_view what, std::string_view name);
};
