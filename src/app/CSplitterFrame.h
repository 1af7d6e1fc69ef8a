#pragma once

#include "TreeListFrame.h"

class CPallworthDoc;
class CPallworthTreeView;
class CSyncView;

// The content of a configuration window: the configuration tree beside the
// detail list. The Data commands go to the tree.
class CSplitterFrame : public TreeListFrame {
    Q_OBJECT

public:
    explicit CSplitterFrame(CPallworthDoc& document, QWidget* parent = nullptr);

    CPallworthTreeView* treeView() const { return tree_; }
    CSyncView* listView() const { return list_; }

    bool addsRecords() const override { return true; }
    void newApplication() override;
    void newPackage() override;

private:
    CPallworthTreeView* tree_;
    CSyncView* list_;
};
