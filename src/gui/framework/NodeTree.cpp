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
#include <QTreeWidgetItemIterator>

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
    list_->selectFirstRow();
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

NodeTree::Path NodeTree::pathOf(const QTreeWidgetItem* node) {
    Path path;
    for (; node != nullptr; node = node->parent()) {
        const QTreeWidgetItem* parent = node->parent();
        const QTreeWidget* tree = node->treeWidget();
        auto* item = const_cast<QTreeWidgetItem*>(node);
        const int index =
            parent != nullptr ? parent->indexOfChild(item) : tree->indexOfTopLevelItem(item);
        int nth = 0;
        for (int i = 0; i < index; ++i) {
            const QTreeWidgetItem* sibling =
                parent != nullptr ? parent->child(i) : tree->topLevelItem(i);
            nth += sibling->text(0) == node->text(0) ? 1 : 0;
        }
        path.prepend({node->text(0), nth});
    }
    return path;
}

QTreeWidgetItem* NodeTree::nodeAt(const Path& path) const {
    QTreeWidgetItem* node = nullptr;
    for (const Step& step : path) {
        const int count = node != nullptr ? node->childCount() : topLevelItemCount();
        QTreeWidgetItem* found = nullptr;
        for (int i = 0, nth = 0; i < count && found == nullptr; ++i) {
            QTreeWidgetItem* child = node != nullptr ? node->child(i) : topLevelItem(i);
            if (child->text(0) == step.label && nth++ == step.nth)
                found = child;
        }
        if (found == nullptr)
            return nullptr;
        node = found;
    }
    return node;
}

NodeTree::Outline NodeTree::outline() const {
    Outline outline;
    for (QTreeWidgetItemIterator it(const_cast<NodeTree*>(this)); *it != nullptr; ++it)
        if ((*it)->isExpanded())
            outline.expanded << pathOf(*it);
    if (currentItem() != nullptr)
        outline.current = pathOf(currentItem());
    return outline;
}

void NodeTree::restoreOutline(const Outline& outline) {
    for (const Path& path : outline.expanded)
        if (QTreeWidgetItem* node = nodeAt(path))
            node->setExpanded(true);
    if (QTreeWidgetItem* current = outline.current.isEmpty() ? nullptr : nodeAt(outline.current))
        setCurrentItem(current);
}
