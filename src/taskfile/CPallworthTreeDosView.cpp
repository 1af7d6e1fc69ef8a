#include "CPallworthTreeDosView.h"

#include "app/CommandIds.h"
#include "app/PopupMenu.h"
#include "taskfile/CPallworthDoc2.h"
#include "taskfile/CPallworthDosView.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QStyle>

CPallworthTreeDosView::CPallworthTreeDosView(CPallworthDoc2& document, QWidget* parent)
    : QTreeWidget(parent), document_(document) {
    setObjectName(QStringLiteral("taskTree"));
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(false);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    connect(this, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { onSelectionChanged(current); });
}

void CPallworthTreeDosView::OnInitialUpdate() {
    settingsNode_ = addNode(QStringLiteral("Default settings"), kSettingsImage);
    tasksNode_ = addNode(QStringLiteral("Tasks"), kTasksImage);
    document_.treeView = this;
}

QTreeWidgetItem* CPallworthTreeDosView::addNode(const QString& label, int image) {
    auto* node = new QTreeWidgetItem(QStringList{label});
    node->setData(0, kImageRole, image);
    node->setIcon(0,
                  style()->standardIcon(image == kTasksImage ? QStyle::SP_FileDialogListView
                                                             : QStyle::SP_FileDialogDetailedView));
    addTopLevelItem(node);
    return node;
}

int CPallworthTreeDosView::imageOf(const QTreeWidgetItem* node) {
    return node != nullptr ? node->data(0, kImageRole).toInt() : 0;
}

void CPallworthTreeDosView::onSelectionChanged(QTreeWidgetItem* current) {
    currentNode_ = current;
    document_.selectedNode = {current, this};
    if (list_ == nullptr)
        return;
    list_->ClearList();
    if (current != nullptr)
        list_->ShowNode(imageOf(current), current->text(0), current);
    setFocus(Qt::OtherFocusReason);
}

std::unique_ptr<QMenu> CPallworthTreeDosView::popupMenu(const QTreeWidgetItem* node) {
    if (node == nullptr || imageOf(node) != kTasksImage)
        return nullptr;
    auto menu = std::make_unique<PopupMenu>(kPopupMenu, this);
    menu->addCommand(tr("Insert"), "insert", CommandIds::Insert, this,
                     &CPallworthTreeDosView::Insert);
    return menu;
}

void CPallworthTreeDosView::Insert() {
    document_.setModifiedFlag();
    if (list_ == nullptr || tasksNode_ == nullptr)
        return;
    // The new row takes its place among the task rows, so the list must show
    // them, not the settings.
    if (currentItem() != tasksNode_)
        setCurrentItem(tasksNode_);
    list_->Insert();
}

void CPallworthTreeDosView::contextMenuEvent(QContextMenuEvent* event) {
    QTreeWidgetItem* node = itemAt(viewport()->mapFromGlobal(event->globalPos()));
    currentNode_ = node;
    if (const std::unique_ptr<QMenu> menu = popupMenu(node))
        menu->exec(event->globalPos());
}

bool CPallworthTreeDosView::focusNextPrevChild(bool next) {
    // Tab and Shift+Tab go to the list beside the tree.
    Q_UNUSED(next);
    if (list_ == nullptr)
        return false;
    list_->setFocus(Qt::TabFocusReason);
    if (list_->selectedItems().isEmpty() && list_->topLevelItemCount() > 0)
        list_->setCurrentItem(list_->topLevelItem(0));
    return true;
}
