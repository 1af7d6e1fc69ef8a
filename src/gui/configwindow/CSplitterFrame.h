#pragma once

#include "CPallworthTreeView.h"
#include "CSyncView.h"
#include "framework/TreeListFrame.h"

class CPallworthDoc;
class TreeFilter;

// The content of a configuration window: the configuration tree beside the
// detail list, with a filter box above the tree (Ctrl+F). The Data commands go
// to the tree.
class CSplitterFrame : public TreeListFrameOf<CPallworthTreeView, CSyncView> {
    Q_OBJECT

public:
    CSplitterFrame(CPallworthDoc& document, const PathBrowser* browser, QWidget* parent = nullptr);

    // Not on a file of a newer format, which is read only.
    bool addsRecords() const override;
    void newApplication() override;
    void newPackage() override;
    // On what the pane with the focus selects: the list's row, else the
    // tree's node.
    bool canEdit(Edit edit) const override;
    void edit(Edit edit) override;

    TreeFilter* filter() const { return filter_; }

private:
    void addFilter();

    TreeFilter* filter_ = nullptr;
};
