#include "CSplitterFrame.h"

#include "views/CPallworthTreeView.h"
#include "views/CSyncView.h"

#include <QSplitter>

CSplitterFrame::CSplitterFrame(CPallworthDoc& document, QWidget* parent)
    : TreeListFrame(parent), tree_(new CPallworthTreeView(document, splitter())),
      list_(new CSyncView(document, splitter())) {
    setObjectName(QStringLiteral("splitterFrame"));
    setPanes(tree_, list_);
    tree_->setListView(list_);
    list_->setTreeView(tree_);
    tree_->OnInitialUpdate();
    list_->OnInitialUpdate();
}

void CSplitterFrame::newApplication() {
    tree_->NewApplication();
}

void CSplitterFrame::newPackage() {
    tree_->NewPackage();
}
