#include "NodeTree.h"

#include "MenuKeys.h"
#include "ReportList.h"
#include "TreeListDocument.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMouseEvent>

NodeTree::NodeTree(TreeListDocument& document, const QString& objectName, QWidget* parent)
    : QTreeWidget(parent), document_(document) {
    setObjectName(objectName);
    setHeaderHidden(true);
    setColumnCount(1);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { onSelectionChanged(current); });
}

void NodeTree::onSelectionChanged(QTreeWidgetItem* current) {
    if (focusing_)
        return;
    currentNode_ = current;
    document_.selectedNode = {current, this};
    nodeSelected(current);
}

void NodeTree::contextMenuEvent(QContextMenuEvent* event) {
    // The keyboard opens the selected node's menu, wherever that node is drawn.
    QTreeWidgetItem* node = event->reason() == QContextMenuEvent::Keyboard
                                ? currentItem()
                                : itemAt(viewport()->mapFromGlobal(event->globalPos()));
    currentNode_ = node;
    if (const std::unique_ptr<QMenu> menu = popupMenu(node))
        menu->exec(event->globalPos());
}

void NodeTree::mousePressEvent(QMouseEvent* event) {
    // The right button names the node for its menu; the selection stays.
    if (event->button() == Qt::RightButton) {
        currentNode_ = itemAt(event->position().toPoint());
        return;
    }
    QTreeWidget::mousePressEvent(event);
}

void NodeTree::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton)
        QTreeWidget::mouseReleaseEvent(event);
}

void NodeTree::focusInEvent(QFocusEvent* event) {
    // The view makes its first node current on focus; no node is chosen
    // until the user chooses one.
    const bool none = currentItem() == nullptr;
    focusing_ = none;
    QTreeWidget::focusInEvent(event);
    if (none)
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    focusing_ = false;
}

void NodeTree::keyPressEvent(QKeyEvent* event) {
    const MenuKeys::Key key = MenuKeys::of(*event);
    QTreeWidgetItem* node = currentItem();
    if (key == MenuKeys::Key::None || node == nullptr) {
        QTreeWidget::keyPressEvent(event);
    } else if (key == MenuKeys::Key::OpenMenu) {
        const QPoint pos = visualItemRect(node).center();
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, pos, viewport()->mapToGlobal(pos));
        contextMenuEvent(&menuEvent);
    } else {
        currentNode_ = node;
        MenuKeys::run(popupMenu(node).get(), key);
    }
}

bool NodeTree::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab go to the list the window lays beside the tree.
    Q_UNUSED(next);
    if (list_ == nullptr)
        return false;
    list_->setFocus(Qt::TabFocusReason);
    if (list_->selectedItems().isEmpty() && list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    return true;
}

void NodeTree::selectCurrentOnly() {
    QTreeWidgetItem* current = currentItem();
    for (QTreeWidgetItem* item : selectedItems())
        if (item != current)
            item->setSelected(false);
    if (current != nullptr && !current->isSelected())
        current->setSelected(true);
}

bool NodeTree::inActiveWindow() const {
    for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget())
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w))
            return sub->mdiArea() == nullptr || sub->mdiArea()->activeSubWindow() == sub;
    return true;
}
