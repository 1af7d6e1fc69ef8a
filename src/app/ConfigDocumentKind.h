#pragma once

#include "DocTemplate.h"

#include <memory>

// The .cfg document kind: template 129 with CPallworthDoc in a CSplitterFrame.
class ConfigDocumentKind {
public:
    static constexpr int kResourceId = 129;
    static std::unique_ptr<DocTemplate> makeTemplate();
};
