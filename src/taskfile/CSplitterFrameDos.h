#pragma once

#include "app/CommandTarget.h"

#include <QWidget>

class CPallworthDoc2;
class CPallworthDosView;
class CPallworthTreeDosView;
class QSplitter;

// The content of a task-file window: the tree (250 pixels wide) beside the
// list, the tree active first. It handles no Data command, so the menu shows
// them disabled.
class CSplitterFrameDos : public QWidget, public CommandTarget {
    Q_OBJECT

public:
    static constexpr int kTreeWidth = 250;

    explicit CSplitterFrameDos(CPallworthDoc2& document, QWidget* parent = nullptr);

    CPallworthTreeDosView* treeView() const { return tree_; }
    CPallworthDosView* listView() const { return list_; }
    QSplitter* splitter() const { return splitter_; }

    bool handlesCommand(int id) const override;
    void runCommand(int id) override;

private:
    QSplitter* splitter_;
    CPallworthTreeDosView* tree_;
    CPallworthDosView* list_;
};
