#include "CSyncView.h"

#include "CPallworthDoc.h"
#include "CPallworthTreeView.h"
#include "ClipEditor.h"
#include "DetailContent.h"
#include "framework/AnsiQt.h"

#include "EntryEditor.h"
#include "RowEditor.h"
#include "framework/CommandIds.h"
#include "framework/PopupMenu.h"

#include <QMenu>
#include <QMouseEvent>

CSyncView::CSyncView(CPallworthDoc& document, const PathBrowser* browser, QWidget* parent)
    : ReportList(QStringLiteral("detailList"), parent), document_(document), browser_(browser),
      rowEditor_(std::make_unique<RowEditor>(*this)),
      entryEditor_(std::make_unique<EntryEditor>(*this)) {
    connect(&document, &CPallworthDoc::applicationAdded, this,
            &CSyncView::refreshAfterRecordChange);
    connect(&document, &CPallworthDoc::packageAdded, this, &CSyncView::refreshAfterRecordChange);
    connect(&document, &CPallworthDoc::recordRemoved, this, &CSyncView::forgetRecord);
    connect(&document, &CPallworthDoc::recordRenamed, this, &CSyncView::patchRenamedRow);
    connect(&document, &CPallworthDoc::recordsReordered, this,
            &CSyncView::refreshAfterRecordChange);
    connect(&document, &CPallworthDoc::contentChanged, this, &CSyncView::rebuildFor);
}

CSyncView::~CSyncView() = default;

CPallworthTreeView* CSyncView::treeView() const {
    return static_cast<CPallworthTreeView*>(tree());
}

void CSyncView::OnInitialUpdate() {
    if (document_.model().newerVersion)
        return;
    document_.listView = this;
    setSelectionBehavior(SelectRows);
}

void CSyncView::ShowNode(NodeIconIndex kind, DetailKind detail, QTreeWidgetItem* item) {
    shownKind_ = kind;
    shownDetail_ = detail;
    shownItem_ = item;
    shownRecord_ = CPallworthTreeView::recordOf(item);
    // Entries are copied, cut and deleted together; a property row stands alone.
    setSelectionMode(hasListMenu() ? ExtendedSelection : SingleSelection);
    const bool packageChild = kind == DetailNode && item != nullptr && item->parent() != nullptr;
    const int package = packageChild ? FindPackageIndex(item->parent()) : 0;
    const int application = kind == ApplicationNode ? FindApplicationIndex(item) : 0;
    const DetailTable table = DetailContent::build(document_.model(), detail, package, application);
    QStringList titles;
    for (const DetailColumn& column : table.columns)
        titles << AnsiQt::toQString(column.title);
    setColumnCount(static_cast<int>(titles.size()));
    setHeaderLabels(titles);
    QList<int> widths;
    for (const DetailColumn& column : table.columns)
        widths << column.width;
    applyColumnWidths(static_cast<int>(detail), widths);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(static_cast<qsizetype>(table.rows.size()));
    for (const auto& cells : table.rows) {
        auto* row = new QTreeWidgetItem;
        for (int c = 0; c < static_cast<int>(cells.size()); ++c)
            row->setText(c, AnsiQt::toQString(cells[static_cast<std::size_t>(c)]));
        rows.append(row);
    }
    addTopLevelItems(rows);
}

int CSyncView::FindPackageIndex(const QTreeWidgetItem* item) const {
    if (CPallworthTreeView::kindOf(item) != PackageNode)
        return 0;
    return document_.model().packageIndex(CPallworthTreeView::recordOf(item));
}

int CSyncView::FindApplicationIndex(const QTreeWidgetItem* item) const {
    if (CPallworthTreeView::kindOf(item) != ApplicationNode)
        return 0;
    return document_.model().applicationIndex(CPallworthTreeView::recordOf(item));
}

int CSyncView::shownPackageIndex() const {
    return shownItem_ != nullptr && shownItem_->parent() != nullptr
               ? FindPackageIndex(shownItem_->parent())
               : 0;
}

PackageDesc* CSyncView::shownPackage() const {
    const int index = shownPackageIndex();
    return index > 0 ? &document_.model().packages.at(index) : nullptr;
}

void CSyncView::EditRow() {
    if (document_.readOnly())
        return;
    rowEditor_->EditRow();
    document_.ContentChanged(this);
}

void CSyncView::InsertEntry() {
    if (!document_.readOnly())
        entryEditor_->InsertEntry();
}

void CSyncView::DeleteEntry() {
    if (!document_.readOnly())
        entryEditor_->DeleteEntry();
}

void CSyncView::MoveEntry(int dragRow, int dropRow) {
    if (!document_.readOnly())
        entryEditor_->MoveEntry(dragRow, dropRow);
}

bool CSyncView::hasListMenu() const {
    return Catalogue::node(shownDetail_).entries;
}

void CSyncView::rebuildFor(QObject* origin) {
    // Another window changed the model: its rows would no longer match.
    if (origin == this || shownItem_ == nullptr)
        return;
    const int row = currentIndex().row();
    ClearList();
    ShowNode(shownKind_, shownDetail_, shownItem_);
    if (row >= 0 && row < topLevelItemCount())
        setCurrentItem(topLevelItem(row));
}

bool CSyncView::canDragRows() const {
    return entryEditor_->canDrag();
}

void CSyncView::dropRow(int dragRow, std::optional<int> dropRow) {
    // A drag that never passed over a row drops nowhere.
    if (dropRow)
        MoveEntry(dragRow, *dropRow);
    else if (!document_.readOnly())
        document_.setModifiedFlag();
}

bool CSyncView::endsDrag(Qt::MouseButton button) const {
    return button == Qt::LeftButton || button == Qt::RightButton;
}

void CSyncView::mouseDoubleClickEvent(QMouseEvent* event) {
    Q_UNUSED(event);
    EditRow();
    setFocus();
}

std::unique_ptr<QMenu> CSyncView::popupMenu() {
    CPallworthTreeView* tree = treeView();
    if (!hasListMenu()) {
        // Messages and command files copy and paste one by one.
        if (tree == nullptr || !ClipEditor::copiesRows(shownKind_, shownDetail_))
            return nullptr;
        auto clip = std::make_unique<PopupMenu>(kListMenu, this);
        tree->clipEditor().addTo(*clip, ClipEditor::Pane::List, false);
        return clip;
    }
    // The menu's one submenu, "Data", is what shows at the mouse.
    auto data = std::make_unique<PopupMenu>(kListMenu, this);
    data->setTitle(tr("Data"));
    data->addCommand(tr("Insert"), "insert", CommandIds::Insert, this, &CSyncView::InsertEntry);
    data->addCommand(tr("Delete"), "delete", CommandIds::ListDelete, this, &CSyncView::DeleteEntry);
    if (document_.readOnly())
        data->disableCommands();
    if (tree != nullptr)
        tree->clipEditor().addTo(*data, ClipEditor::Pane::List, shownKind_ == GroupNode);
    return data;
}

void CSyncView::refreshAfterRecordChange() {
    // A group list shows every record; other lists show one that is unchanged.
    if (shownKind_ == GroupNode && shownItem_ != nullptr) {
        ClearList();
        ShowNode(shownKind_, shownDetail_, shownItem_);
    }
}

void CSyncView::patchRenamedRow(RecordId id) {
    // Rebuilding would lose the selection that a second Enter edits.
    const ConfigModel& m = document_.model();
    const bool applications = shownDetail_ == DetailKind::Applications;
    if (shownKind_ != GroupNode || (!applications && shownDetail_ != DetailKind::Packages))
        return;
    const int index = applications ? m.applicationIndex(id) : m.packageIndex(id);
    if (QTreeWidgetItem* row = index > 0 ? topLevelItem(index - 1) : nullptr)
        row->setText(0, AnsiQt::toQString(applications ? m.applications.at(index).name
                                                       : m.packages.at(index).name));
}

void CSyncView::forgetRecord(RecordId id) {
    if (shownKind_ != GroupNode && shownRecord_ == id) {
        ClearList();
        shownItem_ = nullptr;
        shownRecord_ = 0;
        return;
    }
    refreshAfterRecordChange();
}
