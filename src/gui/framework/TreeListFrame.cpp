#include "TreeListFrame.h"

#include "NodeTree.h"
#include "ReportList.h"

#include <QSplitter>
#include <QVBoxLayout>

TreeListFrame::TreeListFrame(QWidget* parent)
    : QWidget(parent), splitter_(new QSplitter(Qt::Horizontal, this)) {
    splitter_->setChildrenCollapsible(false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
}

void TreeListFrame::setViews(NodeTree& tree, ReportList& list) {
    tree_ = &tree;
    list_ = &list;
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kTreeWidth, 1});
    setFocusProxy(&tree);
    tree.setListView(&list);
    connect(&tree, &QTreeWidget::currentItemChanged, this, &TreeListFrame::editStateChanged);
    connect(&list, &QTreeWidget::itemSelectionChanged, this, &TreeListFrame::editStateChanged);
    list.setTreeView(&tree);
    tree.OnInitialUpdate();
    list.OnInitialUpdate();
}

void TreeListFrame::nextPane() {
    // Two panes: next and previous both move to the other one.
    if (focusWidget() == tree_)
        list_->setFocus(Qt::OtherFocusReason);
    else
        tree_->setFocus(Qt::OtherFocusReason);
}

void TreeListFrame::previousPane() {
    nextPane();
}
