#pragma once

#include "DocTemplate.h"

#include <memory>

// The .ini task-file kind: template 167 with CPallworthDoc2 in a
// CSplitterFrameDos, opened in a normal window.
class TaskDocumentKind {
public:
    static constexpr int kResourceId = 167;
    static std::unique_ptr<DocTemplate> makeTemplate();
};
