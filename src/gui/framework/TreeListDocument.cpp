#include "TreeListDocument.h"

#include "NodeTree.h"

void TreeListDocument::ContentChanged(QObject* origin) {
    emit contentChanged(origin);
}

void TreeListDocument::Replayed(DetailKind node, RecordId record) {
    emit contentChanged(nullptr);
    emit placeReplayed(node, record);
}

bool TreeListDocument::showPlace(DetailKind node, RecordId record, const RowLabel* row, int entry) {
    auto* nodes = qobject_cast<NodeTree*>(treeView.data());
    QTreeWidgetItem* item =
        nodes != nullptr && node != DetailKind::None ? nodes->nodeShowing(node, record) : nullptr;
    if (item == nullptr)
        return false;
    nodes->setCurrentItem(item);
    if (listView == nullptr)
        return true;
    const int index = entry > 0 ? entry - 1 : Catalogue::rowIndex(node, row);
    if (QTreeWidgetItem* line = index >= 0 ? listView->topLevelItem(index) : nullptr) {
        listView->setCurrentItem(line);
        listView->scrollToItem(line);
    }
    listView->setFocus();
    return true;
}
