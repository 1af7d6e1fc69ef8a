#pragma once

#include "framework/TreeListDocument.h"
#include "taskfile/TaskFileModel.h"

// A Quorrel .ini task file open in the editor: its settings and tasks.
class CPallworthDoc2 : public ModelDocument<TaskFileModel> {
    Q_OBJECT

public:
    using ModelDocument::ModelDocument;

    using Document::readBytes;
    ReadStatus readBytes(std::string_view bytes, ReadReport::Mode mode,
                         Progress* progress) override;
    QString kindName() const override;
    std::string writeBytes() override;
    LineUpdate linesOfWritten(std::string_view bytes) override;
};
