#include "ReportList.h"

#include <QHeaderView>

ReportList::ReportList(const QString& objectName, QWidget* parent) : QTreeWidget(parent) {
    setObjectName(objectName);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(true);
    setSelectionMode(SingleSelection);
    setAllColumnsShowFocus(true);
    setSortingEnabled(false);
    setEditTriggers(NoEditTriggers);
    header()->setStretchLastSection(false);
    header()->setSectionsMovable(false);
    setColumnCount(0);
}

void ReportList::ClearList() {
    clear();
    setColumnCount(0);
    setHeaderLabels({});
    viewport()->update();
}

int ReportList::selectedRow() const {
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.last());
}
