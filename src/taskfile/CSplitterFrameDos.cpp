#include "CSplitterFrameDos.h"

#include "taskfile/CPallworthDosView.h"
#include "taskfile/CPallworthTreeDosView.h"

#include <QSplitter>

CSplitterFrameDos::CSplitterFrameDos(CPallworthDoc2& document, QWidget* parent)
    : TreeListFrame(parent), tree_(new CPallworthTreeDosView(document, splitter())),
      list_(new CPallworthDosView(document, splitter())) {
    setObjectName(QStringLiteral("splitterFrameDos"));
    setPanes(tree_, list_);
    tree_->setListView(list_);
    list_->setTreeView(tree_);
    tree_->OnInitialUpdate();
    list_->OnInitialUpdate();
}
