#include "CSplitterFrame.h"

#include "CommandIds.h"
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

bool CSplitterFrame::handlesCommand(int id) const {
    return id == CommandIds::NewApplication || id == CommandIds::NewPackage ||
           TreeListFrame::handlesCommand(id);
}

void CSplitterFrame::runCommand(int id) {
    if (TreeListFrame::handlesCommand(id))
        TreeListFrame::runCommand(id);
    else
        tree_->runCommand(id);
}
