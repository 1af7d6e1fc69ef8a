#pragma once

#include <string>

// The editor's command line, read before anything touches the window system,
// so that --help, --version and a mistyped option are answered without a
// display. Qt's own options pass on to Qt; a file named is taken and not
// opened; `--` ends the options.
class CommandLine {
public:
    enum class Action { Run, Help, Version, Refuse };

    struct Reading {
        Action action = Action::Run;
        // Why the command line is refused.
        std::string problem;
    };

    static constexpr const char* kUsage = "usage: pallworth [--help | --version] [QT-OPTION]...";

    // The first of --help, --version or an unknown option decides.
    static Reading read(int argc, const char* const* argv);

private:
    // How many arguments an option of Qt takes with it (0 or 1); -1 for an
    // option Qt does not know.
    static int qtOptionValues(const std::string& option);
};
