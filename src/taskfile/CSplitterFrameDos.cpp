#include "CSplitterFrameDos.h"

#include "app/CommandIds.h"
#include "taskfile/CPallworthDosView.h"
#include "taskfile/CPallworthTreeDosView.h"

#include <QSplitter>
#include <QVBoxLayout>

CSplitterFrameDos::CSplitterFrameDos(CPallworthDoc2& document, QWidget* parent)
    : QWidget(parent), splitter_(new QSplitter(Qt::Horizontal, this)),
      tree_(new CPallworthTreeDosView(document, splitter_)),
      list_(new CPallworthDosView(document, splitter_)) {
    setObjectName(QStringLiteral("splitterFrameDos"));
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

bool CSplitterFrameDos::handlesCommand(int id) const {
    return id == CommandIds::NextPane || id == CommandIds::PrevPane;
}

void CSplitterFrameDos::runCommand(int id) {
    if (!handlesCommand(id))
        return;
    // Two panes: next and previous both move to the other one.
    if (focusWidget() == tree_)
        list_->setFocus(Qt::OtherFocusReason);
    else
        tree_->setFocus(Qt::OtherFocusReason);
}
