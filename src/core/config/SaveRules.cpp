#include "SaveRules.h"

#include "text/TextUtil.h"

Status SaveRules::checkName(std::string_view what, std::string_view name) {
    if (name.empty())
        return Status::failure("The " + std::string(what) + " name is empty.");
    if (TextUtil::hasSeparator(name))
        return Status::failure("The " + std::string(what) +
                               " name must not hold a blank, a comma, a tab or a line break.");
    return {};
}

std::string SaveRules::missingSource(const PackageDesc& p) {
    return "Please specify a source server for package " + p.name;
}

std::optional<SaveRules::Unsavable> SaveRules::neverSavable(const ConfigModel& model) {
    if (model.newerVersion)
        return Unsavable{
            "Written by a newer version; read only",
            "This configuration was written in a format newer than version 1.30. Its target "
            "servers could not be read, so Pallworth does not save it."};
    if (model.skippedDestLines > 0)
        return Unsavable{"DEST lines of version " + model.skippedDestVersion + " cannot be kept",
                         "This configuration declares the unknown format version \"" +
                             model.skippedDestVersion + "\". " +
                             std::to_string(model.skippedDestLines) +
                             " DEST line(s) could not be read, so Pallworth does not save it."};
    return std::nullopt;
}

Status SaveRules::validateFormat(const ConfigModel& model) {
    if (const auto unsavable = neverSavable(model))
        return Status::failure(unsavable->message);
    return {};
}

Status SaveRules::validateSave(const ConfigModel& model, bool modified) {
    if (Status format = validateFormat(model); !format.ok)
        return format;
    if (!modified)
        return {};
    for (const PackageDesc& p : model.packages)
        if (p.source.empty())
            return Status::failure(missingSource(p));
    if (model.global.user.empty())
        return Status::failure(std::string(kNoUser));
    if (model.password.empty())
        return Status::failure(std::string(kNoPassword));
    return {};
}

Status SaveRules::checkTargetName(std::string_view server, std::string_view volume) {
    if (Status names = checkName("server", server); !names.ok)
        return names;
    return checkName("volume", volume);
}
