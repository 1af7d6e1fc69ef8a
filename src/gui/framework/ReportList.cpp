#include "ReportList.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

ReportList::ReportList(const QString& objectName, QWidget* parent)
    : QTreeWidget(parent), drag_(*this) {
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

bool ReportList::BeginDrag(int row, const QPoint& pos) {
    return canDragRows() && drag_.begin(row, pos);
}

bool ReportList::endsDrag(Qt::MouseButton button) const {
    Q_UNUSED(button);
    return true;
}

void ReportList::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        editSelectedRow();
        setFocus(Qt::OtherFocusReason);
        return;
    }
    QTreeWidget::keyPressEvent(event);
}

void ReportList::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        editSelectedRow();
}

void ReportList::mousePressEvent(QMouseEvent* event) {
    // The right button opens the menu on the row already selected.
    if (event->button() == Qt::RightButton)
        return;
    drag_.pressed(*event);
    QTreeWidget::mousePressEvent(event);
}

void ReportList::mouseMoveEvent(QMouseEvent* event) {
    const QPoint pos = event->position().toPoint();
    if (const std::optional<int> row = drag_.dragStart(*event))
        BeginDrag(*row, pos);
    if (!drag_.dragging()) {
        QTreeWidget::mouseMoveEvent(event);
        return;
    }
    drag_.moveTo(pos);
}

void ReportList::mouseReleaseEvent(QMouseEvent* event) {
    if (drag_.dragging() && endsDrag(event->button())) {
        const RowDrag::Drop drop = drag_.finish();
        dropRow(drop.dragRow, drop.dropRow);
    }
    if (event->button() != Qt::RightButton)
        QTreeWidget::mouseReleaseEvent(event);
}

void ReportList::contextMenuEvent(QContextMenuEvent* event) {
    if (const std::unique_ptr<QMenu> menu = popupMenu())
        menu->exec(event->globalPos());
}

bool ReportList::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab go to the tree the window lays beside the list.
    Q_UNUSED(next);
    if (tree_ == nullptr)
        return false;
    tree_->setFocus(Qt::TabFocusReason);
    return true;
}
