#include "CommandLine.h"

#include <array>
#include <string_view>

namespace {

// Options that QApplication and its X11 platform take, in their one-dash form.
constexpr std::array<std::string_view, 16> kQtOptionsWithValue = {"-platform",
                                                                  "-platformpluginpath",
                                                                  "-platformtheme",
                                                                  "-plugin",
                                                                  "-qwindowgeometry",
                                                                  "-geometry",
                                                                  "-qwindowicon",
                                                                  "-icon",
                                                                  "-qwindowtitle",
                                                                  "-title",
                                                                  "-session",
                                                                  "-style",
                                                                  "-stylesheet",
                                                                  "-display",
                                                                  "-name",
                                                                  "-visual"};
constexpr std::array<std::string_view, 5> kQtFlags = {"-reverse", "-testability", "-widgetcount",
                                                      "-dograb", "-nograb"};
// Those that Qt also takes as -option=value.
constexpr std::array<std::string_view, 3> kQtJoinedValues = {"-style", "-stylesheet",
                                                             "-qmljsdebugger"};

template <std::size_t N>
bool listed(const std::array<std::string_view, N>& options, std::string_view option) {
    for (const std::string_view known : options)
        if (known == option)
            return true;
    return false;
}

} // namespace

int CommandLine::qtOptionValues(const std::string& option) {
    // Qt reads --option as -option.
    std::string_view name(option);
    if (name.starts_with("--"))
        name.remove_prefix(1);
    if (const auto equals = name.find('='); equals != std::string_view::npos)
        return listed(kQtJoinedValues, name.substr(0, equals)) ? 0 : -1;
    if (listed(kQtOptionsWithValue, name))
        return 1;
    return listed(kQtFlags, name) ? 0 : -1;
}

CommandLine::Reading CommandLine::read(int argc, const char* const* argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--")
            break;
        if (arg == "--help" || arg == "-h")
            return {Action::Help, {}};
        if (arg == "--version")
            return {Action::Version, {}};
        // A file, or "-" for none in particular: taken and left alone.
        if (arg.size() < 2 || arg[0] != '-')
            continue;
        const int values = qtOptionValues(arg);
        if (values < 0)
            return {Action::Refuse, "unknown option: " + arg};
        i += values;
    }
    return {};
}
