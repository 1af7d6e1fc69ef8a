#include "SaveRules.h"

#include "TextUtil.h"

namespace {

constexpr std::string_view kNoUser = "Please specify a username";
constexpr std::string_view kNoPassword = "Please specify a password";

std::string missingSource(const PackageDesc& p) {
    return "Please specify a source server for package " + p.name;
}

std::string nameProblem(std::string_view what, std::string_view name) {
    if (name.empty())
        return "The " + std::string(what) + " name is empty.";
    if (TextUtil::hasSeparator(name))
        return "The " + std::string(what) +
               " name must not hold a blank, a comma, a tab or a line break.";
    return {};
}

} // namespace

std::optional<std::string> SaveRules::formatRefusal(const ConfigModel& model) {
    if (model.newerVersion)
        return "This configuration was written in a format newer than version 1.30. Its target "
               "servers could not be read, so Pallworth does not save it.";
    if (model.skippedDestLines > 0)
        return "This configuration declares the unknown format version \"" +
               model.skippedDestVersion + "\". " + std::to_string(model.skippedDestLines) +
               " DEST line(s) could not be read, so Pallworth does not save it.";
    return std::nullopt;
}

std::optional<std::string> SaveRules::validateSave(const ConfigModel& model, bool modified) {
    if (auto refusal = formatRefusal(model))
        return refusal;
    if (!modified)
        return std::nullopt;
    for (const PackageDesc& p : model.packages)
        if (p.source.empty())
            return missingSource(p);
    if (model.global.user.empty())
        return std::string(kNoUser);
    if (model.password.empty())
        return std::string(kNoPassword);
    return std::nullopt;
}

std::vector<std::string> SaveRules::allProblems(const ConfigModel& model) {
    std::vector<std::string> problems;
    if (auto refusal = formatRefusal(model))
        problems.push_back(*refusal);
    for (const PackageDesc& p : model.packages)
        if (p.source.empty())
            problems.push_back(missingSource(p));
    if (model.global.user.empty())
        problems.emplace_back(kNoUser);
    if (model.password.empty())
        problems.emplace_back(kNoPassword);
    for (const PackageDesc& p : model.packages) {
        for (int i = 1; i <= p.targets.count(); ++i) {
            const TargetServer& t = p.targets.at(i);
            const std::string problem = targetNameProblem(t.server(), t.volume());
            if (!problem.empty())
                problems.push_back("Target server " + std::to_string(i) + " of package " + p.name +
                                   ": " + problem);
        }
    }
    return problems;
}

std::string SaveRules::targetNameProblem(std::string_view server, std::string_view volume) {
    std::string problem = nameProblem("server", server);
    return problem.empty() ? nameProblem("volume", volume) : problem;
}
