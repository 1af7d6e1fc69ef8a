#pragma once

#include "app/TreeListFrame.h"

class CPallworthDoc2;
class CPallworthDosView;
class CPallworthTreeDosView;

// The content of a task-file window: the tree of its two nodes beside the
// list. It handles no Data command, so the menu shows
// them disabled.
class CSplitterFrameDos : public TreeListFrame {
    Q_OBJECT

public:
    explicit CSplitterFrameDos(CPallworthDoc2& document, QWidget* parent = nullptr);

    CPallworthTreeDosView* treeView() const { return tree_; }
    CPallworthDosView* listView() const { return list_; }

private:
    CPallworthTreeDosView* tree_;
    CPallworthDosView* list_;
};
