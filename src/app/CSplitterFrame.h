#pragma once

#include "CommandTarget.h"

#include <QWidget>

class CPallworthDoc;
class CPallworthTreeView;
class CSyncView;
class QSplitter;

// The content of a configuration window: the tree (250 pixels wide) beside
// the detail list, the tree active first.
class CSplitterFrame : public QWidget, public CommandTarget {
    Q_OBJECT

public:
    static constexpr int kTreeWidth = 250;

    explicit CSplitterFrame(CPallworthDoc& document, QWidget* parent = nullptr);

    CPallworthTreeView* treeView() const { return tree_; }
    CSyncView* listView() const { return list_; }
    QSplitter* splitter() const { return splitter_; }

    bool handlesCommand(int id) const override;
    void runCommand(int id) override;

private:
    QSplitter* splitter_;
    CPallworthTreeView* tree_;
    CSyncView* list_;
};
