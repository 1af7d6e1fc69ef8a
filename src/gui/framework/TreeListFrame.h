#pragma once

#include "CommandTarget.h"

#include <QSplitter>
#include <QWidget>

class NodeTree;
class ReportList;

// The content of a document window: a static splitter with a tree pane 250
// pixels wide beside a list pane, the tree active first. F6 and Shift+F6
// move between the two panes.
class TreeListFrame : public QWidget, public CommandTarget {
    Q_OBJECT

public:
    static constexpr int kTreeWidth = 250;

    QSplitter* splitter() const { return splitter_; }
    NodeTree* nodeTree() const { return tree_; }

    void nextPane() override;
    void previousPane() override;

signals:
    // What Cut, Copy, Paste or Duplicate would act on may have changed.
    void editStateChanged();

protected:
    explicit TreeListFrame(QWidget* parent);
    // Lays out the two panes, which were made as children of splitter(),
    // links them and shows the document in them.
    void setViews(NodeTree& tree, ReportList& list);

private:
    QSplitter* splitter_;
    NodeTree* tree_ = nullptr;
    ReportList* list_ = nullptr;
};

// The frame of one window kind: its tree and list, made on the document;
// `listArgs` go to the list after the document.
template <typename Tree, typename List> class TreeListFrameOf : public TreeListFrame {
public:
    Tree* treeView() const { return tree_; }
    List* listView() const { return list_; }

protected:
    template <typename Doc, typename... ListArgs>
    TreeListFrameOf(Doc& document, const QString& objectName, QWidget* parent, ListArgs... listArgs)
        : TreeListFrame(parent), tree_(new Tree(document, splitter())),
          list_(new List(document, listArgs..., splitter())) {
        setObjectName(objectName);
        setViews(*tree_, *list_);
    }

private:
    Tree* tree_;
    List* list_;
};
