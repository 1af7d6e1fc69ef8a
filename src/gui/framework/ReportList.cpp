#include "ReportList.h"

#include "MenuKeys.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <algorithm>

namespace {
// The whole row, alone, whatever keys are held down.
constexpr QItemSelectionModel::SelectionFlags kOnly =
    QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows;
} // namespace

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
    header()->setSectionsMovable(false);
    setColumnCount(0);
}

void ReportList::ClearList() {
    widths_.clear();
    clear();
    setColumnCount(0);
    setHeaderLabels({});
    viewport()->update();
}

int ReportList::selectedRow() const {
    // Enter edits the row the user last clicked, not the last in the list.
    if (QTreeWidgetItem* current = currentItem(); current != nullptr && current->isSelected())
        return indexOfTopLevelItem(current);
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.last());
}

std::vector<int> ReportList::selectedRows() const {
    std::vector<int> rows;
    for (QTreeWidgetItem* row : selectedItems())
        rows.push_back(indexOfTopLevelItem(row));
    std::ranges::sort(rows);
    return rows;
}

std::vector<int> ReportList::selectedEntries() const {
    std::vector<int> entries = selectedRows();
    for (int& entry : entries)
        ++entry;
    return entries;
}

void ReportList::selectRows(int first, int count) {
    if (first < 0 || first >= topLevelItemCount())
        return;
    setCurrentItem(topLevelItem(first), 0, kOnly);
    for (int r = first + 1; r < first + count && r < topLevelItemCount(); ++r)
        topLevelItem(r)->setSelected(true);
}

void ReportList::selectFirstRow() {
    if (selectedItems().isEmpty() && topLevelItemCount() > 0)
        setCurrentItem(topLevelItem(0));
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
    if (event->modifiers() == Qt::AltModifier &&
        (event->key() == Qt::Key_Up || event->key() == Qt::Key_Down)) {
        moveSelectedRow(event->key() == Qt::Key_Up ? -1 : 1);
        return;
    }
    if (!menuKey(event))
        QTreeWidget::keyPressEvent(event);
}

bool ReportList::menuKey(QKeyEvent* event) {
    const MenuKeys::Key key = MenuKeys::of(*event);
    if (key == MenuKeys::Key::OpenMenu)
        openMenuAtSelectedRow();
    else if (key != MenuKeys::Key::None)
        MenuKeys::run(popupMenu().get(), key);
    return key != MenuKeys::Key::None;
}

void ReportList::openMenuAtSelectedRow() {
    const int row = selectedRow();
    const QPoint pos = row >= 0 ? visualItemRect(topLevelItem(row)).center() : QPoint(0, 0);
    QContextMenuEvent event(QContextMenuEvent::Keyboard, pos, viewport()->mapToGlobal(pos));
    contextMenuEvent(&event);
}

void ReportList::moveSelectedRow(int by) {
    const int row = selectedRow();
    const int to = row + by;
    if (row < 0 || to < 0 || to >= topLevelItemCount() || !canDragRows() || dragging())
        return;
    dropRow(row, to);
    if (to < topLevelItemCount())
        setCurrentItem(topLevelItem(to));
}

void ReportList::mouseDoubleClickEvent(QMouseEvent* event) {
    QTreeWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        editSelectedRow();
}

void ReportList::mousePressEvent(QMouseEvent* event) {
    // The right button's row is chosen by the menu event that goes with it.
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
    // The menu acts on the selected rows: a row outside them becomes the only
    // one, a row among them keeps them all. Below the rows the selection
    // stays as it is shown.
    if (event->reason() == QContextMenuEvent::Mouse)
        if (QTreeWidgetItem* row = itemAt(viewport()->mapFromGlobal(event->globalPos())))
            setCurrentItem(row, 0, row->isSelected() ? QItemSelectionModel::NoUpdate : kOnly);
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
