#include "CliApp.h"

#include "ModelJson.h"
#include "config/ConfigChecks.h"
#include "config/ConfigDiff.h"
#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/SaveRules.h"
#include "config/Scramble.h"
#include "io/FileStore.h"
#include "io/StoppedSave.h"
#include "netbrowse/NetworkPath.h"
#include "netbrowse/WorkstationClient.h"
#include "taskfile/TaskFileChecks.h"
#include "taskfile/TaskFileDiff.h"
#include "taskfile/TaskFileFormat.h"
#include "text/AnsiText.h"
#include "text/OemCodePage.h"
#include "text/TextUtil.h"

#include <algorithm>
#include <filesystem>
#include <new>

namespace {

struct CommandHelp {
    std::string_view name;
    std::string_view synopsis;
    std::string_view what;
};

// Every command, as --help, help COMMAND and the usage line show it.
constexpr CommandHelp kCommands[] = {
    {"normalize", "normalize [--strict] [--canonical] IN OUT",
     "Reads IN and writes OUT exactly as the editor saves after opening it (OUT must be of the\n"
     "same kind): comment lines and lines of unknown keywords are kept as written, each\n"
     "before the line it stood before. With --canonical OUT holds the editor's own lines\n"
     "alone. Lines a save would not keep, and unknown keywords, are listed on standard\n"
     "error; with --strict nothing is written and the exit status is 1 when a line would not\n"
     "be kept. An IN that check refuses as of the other kind, or of none, is not written."},
    {"dump", "dump FILE", "Prints the model read from FILE as one JSON object."},
    {"check", "check [--all [--json]] FILE...",
     "Prints each problem that would stop a save of a changed configuration (the errors of\n"
     "--all) as FILE: MESSAGE; the exit status is 1 when there is one. Task files always\n"
     "pass. With --all every problem, errors and warnings, as FILE:LINE: error: MESSAGE or\n"
     "FILE:LINE: warning: MESSAGE (FILE: warning: MESSAGE without a line); only errors\n"
     "fail. With --json one\n"
     "JSON object per file: file, and problems with line (or null), severity, message,\n"
     "node and row. A file whose save was stopped part way also fails, with a warning naming\n"
     "the backup of its old content, until that backup is moved over it or removed."},
    {"diff", "diff [--json] A B",
     "Prints every difference between the files A and B of one kind, one a line: the place in\n"
     "the editor's names parted by U+203A, then the old and the new value parted by U+2192,\n"
     "in UTF-8. Records are matched by name, list entries by content; lines kept as written\n"
     "and lines passed over count too. With --json one JSON object per difference: kind,\n"
     "place, old and new. The exit status is 0 when the files do not differ, 1 when they do,\n"
     "2 when one cannot be read or they are of different kinds."},
    {"schedule", "schedule FILE",
     "Prints when every package of the configuration FILE runs in the week, with the daily\n"
     "time window and the busiest hours, as one JSON object."},
    {"scramble", "scramble TEXT", "Prints the 80-digit stored form of a password."},
    {"new", "new cfg|ini OUT", "Writes a new, empty file of that kind; OUT has its extension."},
    {"resolve", "resolve PATH...",
     "Prints for each workstation path the engine's form the Browse buttons would give, as\n"
     "PATH<TAB>SERVER<TAB>VOLUME:path, or PATH<TAB>local for a path on no network file system;\n"
     "a tab or newline in a name is written as \\t or \\n. The exit status is 1 when a path is\n"
     "local, 2 when one cannot be resolved (its names hold \\, : or characters Windows-1252\n"
     "lacks, it names no server, or the mount table cannot be read)."},
    {"help", "help [COMMAND]", "Prints the usage of every command, or of one."},
};

std::string usageLine() {
    std::string line = "usage: pallworth-cli";
    for (const CommandHelp& c : kCommands)
        line.append(&c == kCommands ? " " : " | ").append(c.synopsis);
    return line + " | --help | --version";
}

const CommandHelp* findCommand(std::string_view name) {
    for (const CommandHelp& c : kCommands)
        if (c.name == name)
            return &c;
    return nullptr;
}

void printCommand(std::ostream& out, const CommandHelp& c) {
    out << "  pallworth-cli " << c.synopsis << '\n';
    for (std::size_t start = 0; start < c.what.size();) {
        const std::size_t end = std::min(c.what.find('\n', start), c.what.size());
        out << "      " << c.what.substr(start, end - start) << '\n';
        start = end + 1;
    }
}

ReadStatus readModel(std::string_view bytes, ConfigModel& model,
                     ReadReport::Mode mode = ReadReport::Mode::Record) {
    return ConfigReader(OemCodePage::fromEnvironment()).read(bytes, model, mode);
}

ReadStatus readModel(std::string_view bytes, TaskFileModel& model,
                     ReadReport::Mode mode = ReadReport::Mode::Record) {
    return TaskFileFormat::read(bytes, model, mode);
}

// What the reader of the given model kind understands of the bytes.
template <typename Model> ReadReport countLines(std::string_view bytes) {
    Model model;
    return readModel(bytes, model, ReadReport::Mode::CountOnly).report;
}

// A configuration is read in pieces: no buffer of the whole file is held
// beside the model.
Status readFile(const std::string& path, ConfigModel& model, ReadStatus& status,
                std::function<void(int)> packageRead) {
    Status read;
    // The reader keeps a reference to its code page.
    const OemCodePage oem = OemCodePage::fromEnvironment();
    ConfigReader reader(oem);
    reader.setPackageRead(std::move(packageRead));
    status = reader.readFile(path, model, read);
    return read;
}

// A task file has no packages.
Status readFile(const std::string& path, TaskFileModel& model, ReadStatus& status,
                const std::function<void(int)>&) {
    std::string bytes;
    const Status read = FileStore::read(path, bytes);
    if (read.ok)
        status = readModel(bytes, model);
    return read;
}

std::string writeModel(const ConfigModel& model) {
    return ConfigWriter(OemCodePage::fromEnvironment()).write(model);
}

std::string writeModel(const TaskFileModel& model) {
    return TaskFileFormat::write(model);
}

// A relative path from the working folder; a network path as it stands.
std::string placeOf(const std::string& path) {
    if (path.rfind("\\\\", 0) == 0)
        return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

template <typename Model> std::string newFileBytes() {
    Model model;
    model.resetToNew();
    return writeModel(model);
}

// A tab or newline in a name would split the line; names holding "\\" are
// refused, so the escapes cannot be misread.
std::string outputField(const std::string& text) {
    std::string field;
    field.reserve(text.size());
    for (char c : text)
        field += c == '\t' ? "\\t" : c == '\n' ? "\\n" : std::string(1, c);
    return field;
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
    const bool option = command.starts_with('-');
    if (option && args.size() > 1)
        return usage(command + " takes no arguments");
    if (command == "--help" || command == "-h")
        return help("");
    if (command == "--version")
        return version();
    if (option)
        return usage("unknown option: " + command);
    std::vector<std::string> rest(args.begin() + 1, args.end());
    if (command == "normalize")
        return normalizeArgs(rest);
    if (command == "check")
        return checkArgs(rest);
    if (command == "diff")
        return diffArgs(rest);
    // "--" ends the options; the commands without any take it before their
    // operands all the same, and refuse what looks like one without it.
    if (!rest.empty() && rest.front() == "--")
        rest.erase(rest.begin());
    else if (const auto option = std::find_if(rest.begin(), rest.end(),
                                              [](const std::string& operand) {
                                                  return operand.size() > 1 &&
                                                         operand.front() == '-';
                                              });
             option != rest.end())
        return usage("unknown option of " + command + ": " + *option);
    return operate(command, rest);
}

int CliApp::operate(const std::string& command, const std::vector<std::string>& operands) {
    const std::size_t count = operands.size();
    if (command == "help" && count <= 1)
        return help(count == 1 ? operands[0] : "");
    if (command == "dump" && count == 1)
        return dump(operands[0]);
    if (command == "schedule" && count == 1)
        return schedule(operands[0]);
    if (command == "scramble" && count == 1)
        return scramble(operands[0]);
    if (command == "resolve" && count >= 1)
        return resolve(operands);
    if (command == "new" && count == 2)
        return create(operands[0], operands[1]);
    return usage("unknown command or wrong number of arguments: " + command);
}

CliApp::Kind CliApp::kindOf(const std::string& path) {
    // A link is of its target's kind, where that has one.
    const std::string target = FileStore::linkTarget(path);
    if (target != path)
        if (const Kind kind = kindOf(target); kind != Kind::Unknown)
            return kind;
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

template <typename Model>
bool CliApp::load(const std::string& path, Model& model, ReadReport& report, bool checkKind,
                  std::function<void(int)> packageRead) {
    ReadStatus status;
    if (const Status read = readFile(path, model, status, std::move(packageRead)); !read.ok) {
        fail(read.error);
        return false;
    }
    if (!status.ok) {
        fail(path + ": " + AnsiText::toUtf8(status.error));
        return false;
    }
    report = std::move(status.report);
    stoppedSave_ = warnStoppedSave(path);
    if (checkKind) {
        if (const Status kind = validateKind(path, report); !kind.ok) {
            fail(kind.error);
            return false;
        }
    }
    return true;
}

Status CliApp::validateKind(const std::string& path, const ReadReport& own) {
    const bool cfg = kindOf(path) == Kind::Cfg;
    const std::string noun = cfg ? "configuration" : "task file";
    // Kept lines are not dropped, but may still be another kind's.
    if (own.understoodLines() < own.contentLines()) {
        // Read again: the model's reader did not keep the bytes.
        std::string bytes;
        if (const Status read = FileStore::read(path, bytes); !read.ok)
            return read;
        const ReadReport other =
            cfg ? countLines<TaskFileModel>(bytes) : countLines<ConfigModel>(bytes);
        if (other.fitsMuchBetterThan(own))
            return Status::failure(path + " looks like a " + (cfg ? "task file" : "configuration") +
                                   ", not a " + noun + ".");
    }
    if (own.understoodNothing())
        return Status::failure(path + " does not look like a " + noun +
                               (own.contentLines() == 1
                                    ? " (its one line was not understood)."
                                    : " (none of its " + std::to_string(own.contentLines()) +
                                          " lines was understood)."));
    return {};
}

bool CliApp::warnStoppedSave(const std::string& path) {
    const std::string backup = StoppedSave::find(path);
    if (backup.empty())
        return false;
    if (namedBackups_.insert(backup).second)
        err_ << path
             << ": warning: the file was being saved when the save was stopped; the old content "
                "is in \""
             << backup << "\" (move it over the file to restore it, or remove it)\n";
    return true;
}

void CliApp::warnSkipped(const std::string& path, const ReadReport& report, bool canonical) {
    for (const SkippedLine& s : report.skipped())
        err_ << path << ':' << s.line << ": warning: " << AnsiText::toUtf8(s.text) << " ("
             << ReadReport::reasonText(s.reason) << (s.kept && !canonical ? ", kept" : "") << ")\n";
    if (canonical && report.keptLines() > 0)
        err_ << path << ": warning: " << report.keptLines()
             << (report.keptLines() == 1 ? " line" : " lines")
             << " kept as written by the editor left out\n";
}

bool CliApp::save(const std::string& path, std::string_view bytes, unsigned newFileMode) {
    return save(
        path, [bytes](const FileStore::Pieces& put) { return put(bytes); }, newFileMode);
}

bool CliApp::save(const std::string& path, const FileStore::Producer& produce,
                  unsigned newFileMode) {
    warnStoppedSave(path);
    const Status written = FileStore::writeAtomically(path, produce, newFileMode);
    if (!written.ok)
        fail(written.error);
    return written.ok;
}

int CliApp::normalizeArgs(const std::vector<std::string>& operands) {
    std::vector<std::string> files;
    bool strict = false;
    ConfigWriter::Form form = ConfigWriter::Form::Kept;
    bool options = true;
    for (const std::string& operand : operands) {
        if (options && operand == "--")
            options = false;
        else if (options && operand == "--strict")
            strict = true;
        else if (options && operand == "--canonical")
            form = ConfigWriter::Form::Canonical;
        else
            files.push_back(operand);
    }
    if (files.size() != 2)
        return usage("normalize takes IN and OUT");
    return normalize(files[0], files[1], strict, form);
}

int CliApp::normalize(const std::string& in, const std::string& outPath, bool strict,
                      ConfigWriter::Form form) {
    const Kind kind = kindOf(in);
    if (kind == Kind::Unknown)
        return usage("the file kind of " + in + " is not known (.cfg or .ini)");
    if (kindOf(outPath) != kind)
        return usage(outPath + " must have the extension of " + in);
    ReadReport report;
    TaskFileModel tasks;
    ConfigModel config;
    FileStore::Producer produce;
    // What check refuses as of the other kind, or of none, is not written.
    if (kind == Kind::Ini) {
        if (!load(in, tasks, report, true))
            return Error;
        produce = [bytes = TaskFileFormat::write(tasks, form)](const FileStore::Pieces& put) {
            return put(bytes);
        };
    } else {
        if (!load(in, config, report, true))
            return Error;
        if (const Status format = SaveRules::validateFormat(config); !format.ok)
            return fail(in + ": " + AnsiText::toUtf8(format.error));
        // Written straight into the file in pieces: no copy of the whole
        // output is held beside the model.
        produce = [&config, form](const FileStore::Pieces& put) {
            return ConfigWriter(OemCodePage::fromEnvironment(), form)
                .write(config, put, FileStore::kPiece);
        };
    }
    const bool canonical = form == ConfigWriter::Form::Canonical;
    warnSkipped(in, report, canonical);
    if (strict && (!report.keepsEverything() || (canonical && report.keptLines() > 0)))
        return Problem;
    // A new OUT is as private as IN.
    return save(outPath, produce, FileStore::permissionBits(in)) ? Ok : Error;
}

int CliApp::dump(const std::string& path) {
    const Kind kind = kindOf(path);
    if (kind == Kind::Unknown)
        return usage("the file kind of " + path + " is not known (.cfg or .ini)");
    ReadReport report;
    if (kind == Kind::Ini) {
        TaskFileModel model;
        if (!load(path, model, report))
            return Error;
        out_ << ModelJson::taskFile(model, report) << '\n';
        return Ok;
    }
    ConfigModel model;
    if (!load(path, model, report))
        return Error;
    out_ << ModelJson::config(model, report) << '\n';
    return Ok;
}

int CliApp::schedule(const std::string& path) {
    if (kindOf(path) != Kind::Cfg)
        return usage("schedule reads a configuration (.cfg): " + path);
    ConfigModel model;
    ReadReport report;
    // What check refuses as of the other kind, or of none, has no week.
    if (!load(path, model, report, true))
        return Error;
    out_ << ModelJson::week(WeekSchedule::compute(model)) << '\n';
    return Ok;
}

int CliApp::checkArgs(const std::vector<std::string>& operands) {
    std::vector<std::string> files;
    CheckOutput output = CheckOutput::Errors;
    bool json = false;
    bool options = true;
    for (const std::string& operand : operands) {
        if (options && operand == "--")
            options = false;
        else if (options && operand == "--all" && files.empty())
            output = CheckOutput::All;
        else if (options && operand == "--json" && files.empty())
            json = true;
        else if (options && operand.starts_with("--"))
            return usage("unknown option of check: " + operand);
        else
            files.push_back(operand);
    }
    if (files.empty())
        return usage("check takes at least one FILE");
    if (json && output != CheckOutput::All)
        return usage("check --json needs --all");
    for (const std::string& path : files)
        if (kindOf(path) == Kind::Unknown)
            return usage("the file kind of " + path + " is not known (.cfg or .ini)");
    return check(files, json ? CheckOutput::Json : output);
}

int CliApp::check(const std::vector<std::string>& paths, CheckOutput output) {
    int result = Ok;
    for (const std::string& path : paths) {
        std::vector<::Problem> problems;
        if (!problemsOf(path, problems)) {
            result = Error;
            continue;
        }
        if ((stoppedSave_ || ::Problem::count(problems).errors > 0) && result == Ok)
            result = Problem;
        if (output == CheckOutput::Json) {
            out_ << ModelJson::problems(path, problems) << '\n';
            continue;
        }
        for (const ::Problem& p : problems) {
            // Without --all only what stops a save, as the editor says it.
            if (output == CheckOutput::Errors) {
                if (p.severity == ::Problem::Severity::Error)
                    out_ << path << ": " << AnsiText::toUtf8(p.message) << '\n';
                continue;
            }
            out_ << path;
            if (p.line != 0)
                out_ << ':' << p.line;
            out_ << ": " << ::Problem::severityText(p.severity) << ": "
                 << AnsiText::toUtf8(p.message) << '\n';
        }
    }
    return result;
}

bool CliApp::problemsOf(const std::string& path, std::vector<::Problem>& problems) {
    ReadReport report;
    if (kindOf(path) == Kind::Ini) {
        TaskFileModel tasks;
        if (!load(path, tasks, report, true))
            return false;
        problems = TaskFileChecks::run(tasks, &report);
        return true;
    }
    ConfigModel config;
    ConfigChecks::PackageProblems packages;
    // Each package is checked as soon as it is read and its lists dropped:
    // the check of a file of any size takes the memory of its largest
    // package, and no time goes into fresh memory.
    const auto checkAndDrop = [&](int index) {
        ConfigChecks::addPackage(config, index, packages);
        config.packages.at(index).dropLists();
    };
    if (!load(path, config, report, true, checkAndDrop))
        return false;
    problems = ConfigChecks::run(config, &report, std::move(packages));
    return true;
}

int CliApp::diffArgs(const std::vector<std::string>& operands) {
    std::vector<std::string> files;
    bool json = false;
    bool options = true;
    for (const std::string& operand : operands) {
        if (options && operand == "--")
            options = false;
        else if (options && operand == "--json")
            json = true;
        else if (options && operand.size() > 1 && operand.starts_with('-'))
            return usage("unknown option of diff: " + operand);
        else
            files.push_back(operand);
    }
    if (files.size() != 2)
        return usage("diff takes A and B");
    for (const std::string& path : files)
        if (kindOf(path) == Kind::Unknown)
            return usage("the file kind of " + path + " is not known (.cfg or .ini)");
    if (kindOf(files[0]) != kindOf(files[1]))
        return fail(files[0] + " and " + files[1] + " are not of the same kind");
    return diff(files[0], files[1], json);
}

template <typename Model>
bool CliApp::differencesOf(const std::string& from, const std::string& to,
                           std::vector<Difference>& differences) {
    Model a, b;
    ReadReport ra, rb;
    if (!load(from, a, ra, true) || !load(to, b, rb, true))
        return false;
    if constexpr (std::is_same_v<Model, ConfigModel>)
        differences = ConfigDiff::compare(a, b, &ra, &rb);
    else
        differences = TaskFileDiff::compare(a, b, &ra, &rb);
    return true;
}

int CliApp::diff(const std::string& from, const std::string& to, bool json) {
    std::vector<Difference> differences;
    const bool read = kindOf(from) == Kind::Cfg
                          ? differencesOf<ConfigModel>(from, to, differences)
                          : differencesOf<TaskFileModel>(from, to, differences);
    if (!read)
        return Error;
    // The terminal and the JSON are UTF-8, whatever the files' code page.
    for (const Difference& d : differences)
        out_ << (json ? ModelJson::difference(d) : d.text(AnsiText::toUtf8, "\u2192", " \u203a "))
             << '\n';
    return differences.empty() ? Ok : Problem;
}

int CliApp::scramble(const std::string& text) {
    out_ << Scramble(AnsiText::fromUtf8(text)) << '\n';
    return Ok;
}

// The volume form a Browse button would give for each path, with the
// editor's own mount-table client. Paths go to it in their own bytes.
int CliApp::resolve(const std::vector<std::string>& paths) {
    WorkstationClient client;
    if (!client.initialize().ok)
        return fail("cannot read the mount table " + client.mountTablePath());
    int result = Ok;
    for (const std::string& path : paths) {
        std::string server, text, problem;
        const PickKind kind =
            ResolvePickedPath(client, path.empty() ? path : placeOf(path), server, text, problem);
        const std::string shown = outputField(path);
        if (kind == PickKind::VolumeForm) {
            out_ << shown << '\t' << outputField(AnsiText::toUtf8(server)) << '\t'
                 << outputField(AnsiText::toUtf8(text)) << '\n';
        } else if (kind == PickKind::LocalPath) {
            out_ << shown << "\tlocal\n";
            result = std::max(result, int(Problem));
        } else {
            result = fail((path.empty() ? "" : shown + ": ") + outputField(problem));
        }
    }
    client.shutdown();
    return result;
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

int CliApp::help(const std::string& command) {
    if (command.empty()) {
        out_ << "usage: pallworth-cli COMMAND ARGUMENTS...\n"
                "       pallworth-cli --help | --version\n\n"
                "Reads, checks, converts and writes configurations (.cfg) and task files (.ini)\n"
                "with the editor's own readers, writers and save rules. The file kind follows\n"
                "the extension, in any case (a link's target's, where it has one). -- ends the\n"
                "options.\n\ncommands:\n";
        for (const CommandHelp& c : kCommands)
            printCommand(out_, c);
        out_ << "\nexit status: 0 done, 1 a problem found, 2 an error (one line on standard "
                "error).\n";
        return Ok;
    }
    const CommandHelp* c = findCommand(command);
    if (c == nullptr)
        return usage("no such command: " + command);
    printCommand(out_, *c);
    return Ok;
}

int CliApp::version() {
    out_ << "pallworth-cli " << PALLWORTH_VERSION << '\n';
    return Ok;
}

int CliApp::usage(const std::string& problem) {
    err_ << "pallworth-cli: " << problem << " (" << usageLine() << ")\n";
    return Error;
}

int CliApp::fail(const std::string& message) {
    err_ << "pallworth-cli: " << message << '\n';
    return Error;
}
