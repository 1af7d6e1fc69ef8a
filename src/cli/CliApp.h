#pragma once

#include "config/ConfigWriter.h"
#include "io/FileStore.h"
#include "io/Status.h"
#include "text/Difference.h"
#include "text/Problem.h"
#include "text/ReadReport.h"

#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>
#include <vector>

// pallworth-cli: read, check, convert and write both file kinds with the
// editor's own readers, writers and save rules.
class CliApp {
public:
    enum Exit { Ok = 0, Problem = 1, Error = 2 };

    CliApp(std::ostream& out, std::ostream& err) : out_(out), err_(err) {}

    int run(const std::vector<std::string>& args);

private:
    enum class Kind { Unknown, Cfg, Ini };
    static Kind kindOf(const std::string& path);

    int dispatch(const std::vector<std::string>& args);
    // The commands without options, with their operands.
    int operate(const std::string& command, const std::vector<std::string>& operands);
    int normalize(const std::string& in, const std::string& outPath, bool strict,
                  ConfigWriter::Form form);
    int normalizeArgs(const std::vector<std::string>& operands);
    int dump(const std::string& path);
    // The errors alone, every problem, or every problem as JSON.
    enum class CheckOutput { Errors, All, Json };
    int checkArgs(const std::vector<std::string>& operands);
    int check(const std::vector<std::string>& paths, CheckOutput output);
    // Every problem of a file; false after reporting why it cannot be read.
    bool problemsOf(const std::string& path, std::vector<::Problem>& problems);
    int schedule(const std::string& path);
    int diffArgs(const std::vector<std::string>& operands);
    int diff(const std::string& from, const std::string& to, bool json);
    // The differences of two files of one kind; false after reporting why
    // one cannot be read.
    template <typename Model>
    bool differencesOf(const std::string& from, const std::string& to,
                       std::vector<Difference>& differences);
    int scramble(const std::string& text);
    int resolve(const std::vector<std::string>& paths);
    int create(const std::string& kind, const std::string& outPath);
    // The usage of every command, or of the one named, on standard output.
    int help(const std::string& command);
    int version();

    // Reads a file into the model of its kind; false after reporting why.
    // With `checkKind`, a file that is not of its extension's kind fails too.
    // A configuration's reader calls `packageRead` as each package is read.
    template <typename Model>
    bool load(const std::string& path, Model& model, ReadReport& report, bool checkKind = false,
              std::function<void(int)> packageRead = {});
    // Fails when the file reads much better as the other kind, or as
    // nothing at all.
    static Status validateKind(const std::string& path, const ReadReport& own);
    // A warning naming the backup a stopped save of the file left; true when
    // there is one. Each backup is named once.
    bool warnStoppedSave(const std::string& path);
    // One warning line per line a save would not keep.
    // The lines of `report`; kept ones say so unless the canonical form
    // leaves them out.
    void warnSkipped(const std::string& path, const ReadReport& report, bool canonical);
    bool save(const std::string& path, std::string_view bytes, unsigned newFileMode);
    bool save(const std::string& path, const FileStore::Producer& produce, unsigned newFileMode);
    int usage(const std::string& problem);
    // Whether the file last loaded has the backup of a stopped save.
    bool stoppedSave_ = false;
    std::set<std::string> namedBackups_;
    int fail(const std::string& message);

    std::ostream& out_;
    std::ostream& err_;
};
