#pragma once

#include "framework/DocTemplate.h"

#include <memory>

class PathBrowser;

// The .ini task-file kind: template 167 with CPallworthDoc2 in a
// CSplitterFrameDos, opened in a normal window.
class TaskDocumentKind {
public:
    static constexpr int kResourceId = 167;
    // Its windows' dialogs browse with `browser`.
    static std::unique_ptr<DocTemplate> makeTemplate(const PathBrowser* browser);
};
