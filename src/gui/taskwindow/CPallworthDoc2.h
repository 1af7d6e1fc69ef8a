#pragma once

#include "framework/TreeListDocument.h"
#include "taskfile/TaskFileModel.h"

// A Quorrel .ini task file open in the editor: its settings and tasks.
class CPallworthDoc2 : public ModelDocument<TaskFileModel> {
    Q_OBJECT

public:
    using ModelDocument::ModelDocument;

    ReadStatus readBytes(std::string_view bytes, ReadReport::Mode mode) override;
    QString kindName() const override;
    std::string writeBytes() override;

protected:
    void renumberLines(std::string_view bytes) override;
};
