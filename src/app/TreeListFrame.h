#pragma once

#include "CommandTarget.h"

#include <QWidget>

class QSplitter;

// The content of a document window: a static splitter with a tree pane 250
// pixels wide beside a list pane, the tree active first. F6 and Shift+F6
// move between the two panes.
class TreeListFrame : public QWidget, public CommandTarget {
    Q_OBJECT

public:
    static constexpr int kTreeWidth = 250;

    QSplitter* splitter() const { return splitter_; }

    void nextPane() override;
    void previousPane() override;

protected:
    explicit TreeListFrame(QWidget* parent);
    // Lays out the two panes, which were made as children of splitter().
    void setPanes(QWidget* tree, QWidget* list);

private:
    QSplitter* splitter_;
    QWidget* tree_ = nullptr;
    QWidget* list_ = nullptr;
};
