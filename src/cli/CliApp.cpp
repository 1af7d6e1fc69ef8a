#include "CliApp.h"

#include "ModelJson.h"
#include "config/AnsiText.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/FileStore.h"
#include "config/OemCodePage.h"
#include "config/SaveRules.h"
#include "config/Scramble.h"
#include "config/TextUtil.h"
#include "taskfile/TaskFileFormat.h"

#include <new>

namespace {

constexpr const char* kUsage =
    "usage: pallworth-cli normalize IN OUT | dump FILE | check FILE... | "
    "scramble TEXT | new cfg|ini OUT";

ReadStatus readModel(std::string_view bytes, ConfigModel& model) {
    return ConfigReader(OemCodePage::fromEnvironment()).read(bytes, model);
}

ReadStatus readModel(std::string_view bytes, TaskFileModel& model) {
    return TaskFileFormat::read(bytes, model);
}

std::string writeModel(const ConfigModel& model) {
    return ConfigWriter(OemCodePage::fromEnvironment()).write(model);
}

std::string writeModel(const TaskFileModel& model) {
    return TaskFileFormat::write(model);
}

template <typename Model> std::string newFileBytes() {
    Model model;
    model.resetToNew();
    return writeModel(model);
}

} // namespace

int CliApp::run(const std::vector<std::string>& args) {
    int exit = Error;
    try {
        exit = dispatch(args);
    } catch (const std::bad_alloc&) {
        return fail("not enough memory");
    }
    // Output that did not reach standard output (a full disk, a closed pipe)
    // is a failure, not a success.
    if (!out_.flush())
        return fail("cannot write to standard output");
    return exit;
}

int CliApp::dispatch(const std::vector<std::string>& args) {
    if (args.empty())
        return usage("no command given");
    const std::string& command = args[0];
    const std::size_t operands = args.size() - 1;
    if (command == "normalize" && operands == 2)
        return normalize(args[1], args[2]);
    if (command == "dump" && operands == 1)
        return dump(args[1]);
    if (command == "check" && operands >= 1)
        return check(std::vector<std::string>(args.begin() + 1, args.end()));
    if (command == "scramble" && operands == 1)
        return scramble(args[1]);
    if (command == "new" && operands == 2)
        return create(args[1], args[2]);
    return usage("unknown command or wrong number of arguments: " + command);
}

CliApp::Kind CliApp::kindOf(const std::string& path) {
    const auto dot = path.find_last_of("./");
    if (dot == std::string::npos || path[dot] != '.')
        return Kind::Unknown;
    const std::string ext = TextUtil::upper(path.substr(dot));
    if (ext == ".CFG")
        return Kind::Cfg;
    if (ext == ".INI")
        return Kind::Ini;
    return Kind::Unknown;
}

template <typename Model> bool CliApp::load(const std::string& path, Model& model) {
    std::string bytes;
    std::string error;
    if (!FileStore::read(path, bytes, error)) {
        fail(error);
        return false;
    }
    const ReadStatus status = readModel(bytes, model);
    if (!status.ok)
        fail(path + ": " + AnsiText::toUtf8(status.error));
    return status.ok;
}

bool CliApp::save(const std::string& path, const std::string& bytes, unsigned newFileMode) {
    std::string error;
    if (!FileStore::writeAtomically(path, bytes, error, newFileMode)) {
        fail(error);
        return false;
    }
    return true;
}

int CliApp::normalize(const std::string& in, const std::string& outPath) {
    const Kind kind = kindOf(in);
    if (kind == Kind::Unknown)
        return usage("the file kind of " + in + " is not known (.cfg or .ini)");
    if (kindOf(outPath) != kind)
        return usage(outPath + " must have the extension of " + in);
    // A new OUT is as private as IN.
    const unsigned mode = FileStore::permissionBits(in);
    if (kind == Kind::Ini) {
        TaskFileModel model;
        return load(in, model) && save(outPath, writeModel(model), mode) ? Ok : Error;
    }
    ConfigModel model;
    if (!load(in, model))
        return Error;
    if (auto refusal = SaveRules::formatRefusal(model))
        return fail(in + ": " + AnsiText::toUtf8(*refusal));
    return save(outPath, writeModel(model), mode) ? Ok : Error;
}

int CliApp::dump(const std::string& path) {
    const Kind kind = kindOf(path);
    if (kind == Kind::Unknown)
        return usage("the file kind of " + path + " is not known (.cfg or .ini)");
    if (kind == Kind::Ini) {
        TaskFileModel model;
        if (!load(path, model))
            return Error;
        out_ << ModelJson::taskFile(model) << '\n';
        return Ok;
    }
    ConfigModel model;
    if (!load(path, model))
        return Error;
    out_ << ModelJson::config(model) << '\n';
    return Ok;
}

int CliApp::check(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        if (kindOf(path) == Kind::Unknown)
            return usage("the file kind of " + path + " is not known (.cfg or .ini)");
    int result = Ok;
    for (const std::string& path : paths) {
        if (kindOf(path) == Kind::Ini) {
            TaskFileModel model;
            if (!load(path, model))
                result = Error;
            continue;
        }
        ConfigModel model;
        if (!load(path, model)) {
            result = Error;
            continue;
        }
        for (const std::string& problem : SaveRules::allProblems(model)) {
            out_ << path << ": " << AnsiText::toUtf8(problem) << '\n';
            if (result == Ok)
                result = Problem;
        }
    }
    return result;
}

int CliApp::scramble(const std::string& text) {
    out_ << Scramble(AnsiText::fromUtf8(text)) << '\n';
    return Ok;
}

int CliApp::create(const std::string& kind, const std::string& outPath) {
    const Kind wanted = kind == "cfg" ? Kind::Cfg : kind == "ini" ? Kind::Ini : Kind::Unknown;
    if (wanted == Kind::Unknown)
        return usage("new takes cfg or ini, not " + kind);
    if (kindOf(outPath) != wanted)
        return usage(outPath + " must have the extension ." + kind);
    const std::string bytes =
        wanted == Kind::Cfg ? newFileBytes<ConfigModel>() : newFileBytes<TaskFileModel>();
    return save(outPath, bytes, FileStore::kNewFileMode) ? Ok : Error;
}

int CliApp::usage(const std::string& problem) {
    err_ << "pallworth-cli: " << problem << " (" << kUsage << ")\n";
    return Error;
}

int CliApp::fail(const std::string& message) {
    err_ << "pallworth-cli: " << message << '\n';
    return Error;
}
