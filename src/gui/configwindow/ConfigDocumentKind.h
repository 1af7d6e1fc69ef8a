#pragma once

#include "framework/DocTemplate.h"

#include <memory>

class PathBrowser;

// The .cfg document kind: template 129 with CPallworthDoc in a CSplitterFrame.
class ConfigDocumentKind {
public:
    static constexpr int kResourceId = 129;
    // Its windows' dialogs browse with `browser`.
    static std::unique_ptr<DocTemplate> makeTemplate(const PathBrowser* browser);
};
