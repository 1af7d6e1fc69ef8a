#include "CSplitterFrame.h"

#include "CommandIds.h"
#include "views/CPallworthTreeView.h"
#include "views/CSyncView.h"

#include <QSplitter>
#include <QVBoxLayout>

CSplitterFrame::CSplitterFrame(CPallworthDoc& document, QWidget* parent)
    : QWidget(parent), splitter_(new QSplitter(Qt::Horizontal, this)),
      tree_(new CPallworthTreeView(document, splitter_)),
      list_(new CSyncView(document, splitter_)) {
    setObjectName(QStringLiteral("splitterFrame"));
    splitter_->setChildrenCollapsible(false);
    splitter_->setStretchFactor(0, 0);
    splitter_->setStretchFactor(1, 1);
    splitter_->setSizes({kTreeWidth, 1});
    tree_->setListView(list_);
    list_->setTreeView(tree_);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(splitter_);
    tree_->OnInitialUpdate();
    list_->OnInitialUpdate();
    setFocusProxy(tree_);
}

bool CSplitterFrame::handlesCommand(int id) const {
    return id == CommandIds::NewApplication || id == CommandIds::NewPackage ||
           id == CommandIds::NextPane || id == CommandIds::PrevPane;
}

void CSplitterFrame::runCommand(int id) {
    if (id == CommandIds::NextPane || id == CommandIds::PrevPane) {
        // Two panes: next and previous both move to the other one.
        if (focusWidget() == tree_)
            list_->setFocus(Qt::OtherFocusReason);
        else
            tree_->setFocus(Qt::OtherFocusReason);
        return;
    }
    tree_->runCommand(id);
}
