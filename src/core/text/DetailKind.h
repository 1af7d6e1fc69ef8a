#pragma once

#include <string_view>

// A node of an editor's tree, by what it shows in the list beside it. The
// checks name the node of each problem with it, and the windows find their
// node by it.
enum class DetailKind : int {
    None,
    DefaultSettings,
    Applications,
    Packages,
    Application,
    Settings,
    Schedule,
    SourceServer,
    Targets,
    Directories,
    Files,
    Exclude,
    Messages,
    TaskSettings,
    Tasks,
};

// The label of a node; empty for an application node, which carries the
// application's name, and for None.
constexpr std::string_view nodeLabel(DetailKind kind) {
    using K = DetailKind;
    switch (kind) {
    case K::DefaultSettings:
    case K::TaskSettings:
        return "Default settings";
    case K::Applications:
        return "Application descriptions";
    case K::Packages:
        return "Package descriptions";
    case K::Settings:
        return "Settings";
    case K::Schedule:
        return "Schedule";
    case K::SourceServer:
        return "Source Server";
    case K::Targets:
        return "Target Server(s)";
    case K::Directories:
        return "Directories";
    case K::Files:
        return "Files";
    case K::Exclude:
        return "Exclude";
    case K::Messages:
        return "Messages";
    case K::Tasks:
        return "Tasks";
    case K::None:
    case K::Application:
        break;
    }
    return {};
}
