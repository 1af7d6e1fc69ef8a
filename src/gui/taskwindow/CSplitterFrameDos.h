#pragma once

#include "CPallworthDosView.h"
#include "CPallworthTreeDosView.h"
#include "framework/TreeListFrame.h"

class CPallworthDoc2;

// The content of a task-file window: the tree of its two nodes beside the
// list. It handles no Data command, so the menu shows them disabled.
class CSplitterFrameDos : public TreeListFrameOf<CPallworthTreeDosView, CPallworthDosView> {
    Q_OBJECT

public:
    CSplitterFrameDos(CPallworthDoc2& document, const PathBrowser* browser,
                      QWidget* parent = nullptr);

    // Cut, Copy and Paste act on the task list.
    bool canEdit(Edit edit) const override;
    void edit(Edit edit) override;
};
