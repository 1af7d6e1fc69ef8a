#pragma once

#include <ostream>
#include <string>
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
    int normalize(const std::string& in, const std::string& outPath);
    int dump(const std::string& path);
    int check(const std::vector<std::string>& paths);
    int scramble(const std::string& text);
    int create(const std::string& kind, const std::string& outPath);

    // Reads a file into the model of its kind; false after reporting why.
    template <typename Model> bool load(const std::string& path, Model& model);
    bool save(const std::string& path, const std::string& bytes, unsigned newFileMode);
    int usage(const std::string& problem);
    int fail(const std::string& message);

    std::ostream& out_;
    std::ostream& err_;
};
