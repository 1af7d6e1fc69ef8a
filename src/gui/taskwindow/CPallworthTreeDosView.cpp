#include "CPallworthTreeDosView.h"

#include "CPallworthDoc2.h"
#include "CPallworthDosView.h"
#include "framework/AnsiQt.h"
#include "framework/Catalogue.h"
#include "framework/CommandIds.h"
#include "framework/NodeIcons.h"
#include "framework/PopupMenu.h"

#include <QMenu>

CPallworthTreeDosView::CPallworthTreeDosView(CPallworthDoc2& document, QWidget* parent)
    : NodeTree(document, QStringLiteral("taskTree"), parent), document_(document) {
    setRootIsDecorated(false);
    connect(&document, &CPallworthDoc2::placeReplayed, this, [this](DetailKind node) {
        QTreeWidgetItem* shown = nodeShowing(node, 0);
        if (inActiveWindow() && shown != nullptr && shown != currentItem())
            setCurrentItem(shown);
    });
}

CPallworthDosView* CPallworthTreeDosView::listView() const {
    return static_cast<CPallworthDosView*>(list());
}

void CPallworthTreeDosView::OnInitialUpdate() {
    settingsNode_ = addNode(DetailKind::TaskSettings, kSettingsImage);
    tasksNode_ = addNode(DetailKind::Tasks, kTasksImage);
    document_.treeView = this;
}

QTreeWidgetItem* CPallworthTreeDosView::nodeShowing(DetailKind detail, RecordId) const {
    return detail == DetailKind::Tasks          ? tasksNode_
           : detail == DetailKind::TaskSettings ? settingsNode_
                                                : nullptr;
}

QTreeWidgetItem* CPallworthTreeDosView::addNode(DetailKind kind, int image) {
    auto* node = new QTreeWidgetItem(QStringList{AnsiQt::toQString(Catalogue::label(kind))});
    node->setData(0, kImageRole, image);
    node->setData(0, kDetailRole, static_cast<int>(kind));
    node->setIcon(0, NodeIcons::icon(Catalogue::node(kind).entries ? NodeIcons::Shape::List
                                                                   : NodeIcons::Shape::Details));
    addTopLevelItem(node);
    return node;
}

int CPallworthTreeDosView::imageOf(const QTreeWidgetItem* node) {
    return node != nullptr ? node->data(0, kImageRole).toInt() : 0;
}

DetailKind CPallworthTreeDosView::detailOf(const QTreeWidgetItem* node) {
    return node != nullptr ? static_cast<DetailKind>(node->data(0, kDetailRole).toInt())
                           : DetailKind::None;
}

void CPallworthTreeDosView::nodeSelected(QTreeWidgetItem* current) {
    if (list() == nullptr)
        return;
    list()->ClearList();
    if (current != nullptr)
        listView()->ShowNode(detailOf(current), current);
    setFocus(Qt::OtherFocusReason);
}

std::unique_ptr<QMenu> CPallworthTreeDosView::popupMenu(const QTreeWidgetItem* node) {
    if (detailOf(node) != DetailKind::Tasks)
        return nullptr;
    auto menu = std::make_unique<PopupMenu>(kPopupMenu, this);
    menu->addCommand(tr("Insert"), "insert", CommandIds::Insert, this,
                     &CPallworthTreeDosView::Insert);
    return menu;
}

void CPallworthTreeDosView::Insert() {
    document_.setModifiedFlag();
    if (list() == nullptr || tasksNode_ == nullptr)
        return;
    // The new row takes its place among the task rows, so the list must show
    // them, not the settings.
    if (currentItem() != tasksNode_)
        setCurrentItem(tasksNode_);
    listView()->Insert();
}
