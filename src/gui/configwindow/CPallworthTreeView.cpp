#include "CPallworthTreeView.h"

#include "CPallworthDoc.h"
#include "CSyncView.h"
#include "ClipEditor.h"
#include "KeptTip.h"
#include "config/SaveRules.h"
#include "dialogs/CText.h"
#include "framework/AnsiQt.h"
#include "framework/CommandIds.h"
#include "framework/ModalSeam.h"
#include "framework/NodeIcons.h"
#include "framework/PopupMenu.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QSignalBlocker>

namespace {

NodeIcons::Shape shapeOf(NodeIconIndex kind) {
    switch (kind) {
    case GroupNode:
        return NodeIcons::Shape::Folder;
    case PackageNode:
        return NodeIcons::Shape::Package;
    case ApplicationNode:
        return NodeIcons::Shape::Application;
    case DetailNode:
        break;
    }
    return NodeIcons::Shape::Details;
}

// Making an icon costs more than making a node; a large file has thousands
// of nodes of four kinds. The icons draw themselves in the current palette.
const QIcon& iconFor(NodeIconIndex kind) {
    static const QIcon icons[4] = {
        NodeIcons::icon(shapeOf(GroupNode)), NodeIcons::icon(shapeOf(PackageNode)),
        NodeIcons::icon(shapeOf(DetailNode)), NodeIcons::icon(shapeOf(ApplicationNode))};
    return icons[kind == GroupNode ? 0 : kind == PackageNode ? 1 : kind == DetailNode ? 2 : 3];
}

} // namespace

const QStringList& CPallworthTreeView::packageChildren() {
    static const QStringList children = [] {
        QStringList labels;
        for (const DetailKind child : Catalogue::packageChildren())
            labels << AnsiQt::toQString(Catalogue::label(child));
        return labels;
    }();
    return children;
}

CPallworthTreeView::CPallworthTreeView(CPallworthDoc& document, QWidget* parent)
    : NodeTree(document, QStringLiteral("configTree"), parent), document_(document),
      clip_(std::make_unique<ClipEditor>(*this)) {
    setRootIsDecorated(true);
    setDragEnabled(false);
    connect(&document, &CPallworthDoc::applicationAdded, this,
            &CPallworthTreeView::onApplicationAdded);
    connect(&document, &CPallworthDoc::packageAdded, this, &CPallworthTreeView::onPackageAdded);
    connect(&document, &CPallworthDoc::recordRemoved, this, &CPallworthTreeView::onRecordRemoved);
    connect(&document, &CPallworthDoc::recordRenamed, this, &CPallworthTreeView::onRecordRenamed);
    connect(&document, &CPallworthDoc::recordsReordered, this,
            &CPallworthTreeView::onRecordsReordered);
    connect(&document, &CPallworthDoc::placeReplayed, this, &CPallworthTreeView::showPlace);
}

CPallworthTreeView::~CPallworthTreeView() = default;

void CPallworthTreeView::OnInitialUpdate() {
    document_.treeView = this;
    if (document_.model().newerVersion)
        return;
    const ConfigModel& model = document_.model();
    defaultSettingsNode_ = addNode(nullptr, DetailNode, DetailKind::DefaultSettings);
    applicationsNode_ = addNode(nullptr, GroupNode, DetailKind::Applications);
    for (const ApplicationDesc& app : model.applications)
        addApplicationNode(app.id, AnsiQt::toQString(app.name));
    packagesNode_ = addNode(nullptr, GroupNode, DetailKind::Packages);
    for (const PackageDesc& package : model.packages)
        addPackageNode(package.id, AnsiQt::toQString(package.name));
}

QTreeWidgetItem* CPallworthTreeView::addNode(QTreeWidgetItem* parent, NodeIconIndex kind,
                                             DetailKind detail, RecordId record) {
    return addNode(parent, AnsiQt::toQString(Catalogue::label(detail)), kind, detail, record);
}

QTreeWidgetItem* CPallworthTreeView::addNode(QTreeWidgetItem* parent, const QString& label,
                                             NodeIconIndex kind, DetailKind detail,
                                             RecordId record) {
    auto* node = new QTreeWidgetItem(QStringList{label});
    node->setData(0, kKindRole, static_cast<int>(kind));
    node->setData(0, kRecordRole, record);
    node->setData(0, kDetailRole, static_cast<int>(detail));
    node->setIcon(0, iconFor(kind));
    // A record whose deletion is undone takes its old place.
    const int at = parent != nullptr ? recordPosition(parent, record) : -1;
    if (at >= 0)
        parent->insertChild(at, node);
    else if (parent != nullptr)
        parent->addChild(node);
    else
        addTopLevelItem(node);
    return node;
}

void CPallworthTreeView::addApplicationNode(RecordId id, const QString& name) {
    QTreeWidgetItem* node =
        addNode(applicationsNode_, name, ApplicationNode, DetailKind::Application, id);
    const ConfigModel& m = document_.model();
    if (const int index = m.applicationIndex(id); index > 0)
        node->setToolTip(0, KeptTip::of(m.applications.at(index).kept));
}

void CPallworthTreeView::addPackageNode(RecordId id, const QString& name) {
    QTreeWidgetItem* node = addNode(packagesNode_, name, PackageNode, DetailKind::None, id);
    const ConfigModel& m = document_.model();
    if (const int index = m.packageIndex(id); index > 0)
        node->setToolTip(0, KeptTip::of(m.packages.at(index).kept));
    for (const DetailKind child : Catalogue::packageChildren())
        addNode(node, DetailNode, child, id);
}

int CPallworthTreeView::recordPosition(const QTreeWidgetItem* group, RecordId record) const {
    const ConfigModel& m = document_.model();
    const int index = group == applicationsNode_ ? m.applicationIndex(record)
                      : group == packagesNode_   ? m.packageIndex(record)
                                                 : 0;
    return index > 0 && index <= group->childCount() ? index - 1 : -1;
}

QTreeWidgetItem* CPallworthTreeView::nodeShowing(DetailKind detail, RecordId record) const {
    QTreeWidgetItem* node = record != 0 ? nodeOf(record) : nullptr;
    for (int i = 0; node != nullptr && i < node->childCount(); ++i)
        if (detailOf(node->child(i)) == detail)
            return node->child(i);
    if (node != nullptr)
        return node;
    return detail == DetailKind::DefaultSettings ? defaultSettingsNode_
           : detail == DetailKind::Applications  ? applicationsNode_
           : detail == DetailKind::Packages      ? packagesNode_
                                                 : nullptr;
}

void CPallworthTreeView::showPlace(DetailKind detail, RecordId record) {
    if (!inActiveWindow())
        return;
    QTreeWidgetItem* node = nodeShowing(detail, record);
    if (node != nullptr && node != currentItem())
        setCurrentItem(node);
}

NodeIconIndex CPallworthTreeView::kindOf(const QTreeWidgetItem* node) {
    return node != nullptr ? static_cast<NodeIconIndex>(node->data(0, kKindRole).toInt())
                           : NodeIconIndex{};
}

RecordId CPallworthTreeView::recordOf(const QTreeWidgetItem* node) {
    return node != nullptr ? node->data(0, kRecordRole).toUInt() : 0;
}

DetailKind CPallworthTreeView::detailOf(const QTreeWidgetItem* node) {
    return node != nullptr ? static_cast<DetailKind>(node->data(0, kDetailRole).toInt())
                           : DetailKind::None;
}

QTreeWidgetItem* CPallworthTreeView::nodeOf(RecordId id) const {
    for (QTreeWidgetItem* group : {applicationsNode_, packagesNode_}) {
        if (group == nullptr)
            continue;
        for (int i = 0; i < group->childCount(); ++i)
            if (recordOf(group->child(i)) == id)
                return group->child(i);
    }
    return nullptr;
}

int CPallworthTreeView::contextMenuFor(const QTreeWidgetItem* node) {
    const NodeIconIndex kind = kindOf(node);
    if (kind == PackageNode || kind == ApplicationNode)
        return kDeleteMenu;
    if (kind == GroupNode)
        return kInsertMenu;
    if (kind == DetailNode && node->parent() != nullptr && Catalogue::node(detailOf(node)).entries)
        return kInsertMenu;
    return 0;
}

CSyncView* CPallworthTreeView::listView() const {
    return static_cast<CSyncView*>(list());
}

void CPallworthTreeView::nodeSelected(QTreeWidgetItem* current) {
    if (list() != nullptr)
        list()->ClearList();
    document_.treeView = this;
    if (list() != nullptr && current != nullptr)
        listView()->ShowNode(kindOf(current), detailOf(current), current);
}

std::optional<std::string> CPallworthTreeView::askName(const QString& caption,
                                                       const std::string& suggested) {
    CText dialog(this);
    dialog.caption = AnsiQt::fromQString(caption);
    dialog.text = suggested;
    // The reader trims a name; one typed with outer blanks would not come back.
    dialog.rule = ValueRules::Rule::Name;
    if (ModalSeam::runModal(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.text;
}

void CPallworthTreeView::NewApplication() {
    newRecord(QStringLiteral("New Application"), applicationsNode_, &CPallworthDoc::AddApplication,
              QStringLiteral("applications"));
}

void CPallworthTreeView::NewPackage() {
    newRecord(QStringLiteral("New Package"), packagesNode_, &CPallworthDoc::AddPackage,
              QStringLiteral("packages"));
}

void CPallworthTreeView::newRecord(const QString& caption, const QTreeWidgetItem* group,
                                   AddRecord add, const QString& records) {
    if (document_.readOnly())
        return;
    document_.setModifiedFlag();
    const bool applications = group == applicationsNode_;
    const ConfigModel& m = document_.model();
    if (applications ? m.applications.full() : m.packages.full()) {
        // Refused before the name is asked, as a full list refuses an insert.
        ModalSeam::showMessage(this,
                               tr("The configuration holds 999 %1, the most it can hold. Delete "
                                  "one before adding another.")
                                   .arg(records),
                               AnsiQt::toQString(SaveRules::kCaption));
        return;
    }
    const std::optional<std::string> name = askName(caption);
    if (!name || group == nullptr)
        return;
    adding_ = true;
    const std::optional<RecordId> added = (document_.*add)(*name);
    adding_ = false;
    if (!added || currentItem() != nodeOf(*added))
        return;
    // The user goes on with the new record: Down moves on from its node, and
    // Enter in the list edits the first row.
    setFocus(Qt::OtherFocusReason);
    if (listView() != nullptr)
        listView()->selectFirstRow();
}

void CPallworthTreeView::onApplicationAdded(RecordId id) {
    const int index = document_.model().applicationIndex(id);
    if (applicationsNode_ == nullptr || index == 0)
        return;
    addApplicationNode(id, AnsiQt::toQString(document_.model().applications.at(index).name));
    if (adding_)
        setCurrentItem(nodeOf(id));
    selectCurrentOnly();
}

void CPallworthTreeView::onPackageAdded(RecordId id) {
    const int index = document_.model().packageIndex(id);
    if (packagesNode_ == nullptr || index == 0)
        return;
    addPackageNode(id, AnsiQt::toQString(document_.model().packages.at(index).name));
    if (adding_) {
        QTreeWidgetItem* node = nodeOf(id);
        setCurrentItem(node);
        node->setExpanded(true);
    }
    selectCurrentOnly();
}

void CPallworthTreeView::DeleteNode() {
    if (document_.readOnly())
        return;
    const NodeIconIndex kind = kindOf(currentNode());
    if (kind == ApplicationNode || kind == PackageNode)
        document_.RemoveRecord(recordOf(currentNode()));
}

void CPallworthTreeView::onRecordRemoved(RecordId id) {
    QTreeWidgetItem* node = nodeOf(id);
    if (node == nullptr)
        return;
    if (currentNode() == node || (currentNode() != nullptr && currentNode()->parent() == node))
        setCurrentNode(nullptr);
    delete node;
    selectCurrentOnly();
}

void CPallworthTreeView::onRecordRenamed(RecordId id) {
    QTreeWidgetItem* node = nodeOf(id);
    const ConfigModel& m = document_.model();
    if (node == nullptr)
        return;
    if (const int a = m.applicationIndex(id); a > 0)
        node->setText(0, AnsiQt::toQString(m.applications.at(a).name));
    else if (const int p = m.packageIndex(id); p > 0)
        node->setText(0, AnsiQt::toQString(m.packages.at(p).name));
}

void CPallworthTreeView::onRecordsReordered(bool applications, int from, int to) {
    QTreeWidgetItem* group = applications ? applicationsNode_ : packagesNode_;
    if (group == nullptr || from < 1 || to < 1 || from > group->childCount() ||
        to > group->childCount())
        return;
    // The node moves with its children. The current node stays as it was, and
    // moving it is no selection change.
    const QSignalBlocker quiet(this);
    QTreeWidgetItem* current = currentItem();
    QTreeWidgetItem* node = group->child(from - 1);
    const bool expanded = node->isExpanded();
    const bool hidden = node->isHidden();
    group->insertChild(to - 1, group->takeChild(from - 1));
    node->setExpanded(expanded);
    node->setHidden(hidden);
    setCurrentItem(current, 0, QItemSelectionModel::NoUpdate);
    selectCurrentOnly();
}

void CPallworthTreeView::Insert() {
    QTreeWidgetItem* node = currentNode();
    if (node == nullptr)
        return;
    // The list inserts into what it shows: the menu's node, not the selected one.
    if (node != currentItem())
        setCurrentItem(node);
    if (node == applicationsNode_)
        NewApplication();
    else if (node == packagesNode_)
        NewPackage();
    else if (listView() != nullptr)
        listView()->InsertEntry();
}

std::unique_ptr<QMenu> CPallworthTreeView::popupMenu(const QTreeWidgetItem* node) {
    const int menuId = contextMenuFor(node);
    if (menuId == 0)
        return nullptr;
    auto menu = std::make_unique<PopupMenu>(menuId, this);
    if (menuId == kDeleteMenu)
        menu->addCommand(tr("Delete"), "delete", CommandIds::Delete, this,
                         &CPallworthTreeView::DeleteNode);
    else
        menu->addCommand(tr("Insert"), "insert", CommandIds::Insert, this,
                         &CPallworthTreeView::Insert);
    if (document_.readOnly())
        menu->disableCommands();
    clip_->addTo(*menu, ClipEditor::Pane::Tree, menuId == kDeleteMenu);
    return menu;
}
