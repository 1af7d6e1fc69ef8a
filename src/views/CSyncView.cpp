#include "CSyncView.h"

#include "app/AnsiQt.h"
#include "config/CPallworthDoc.h"
#include "views/CPallworthTreeView.h"
#include "views/DetailContent.h"

#include <QHeaderView>

CSyncView::CSyncView(CPallworthDoc& document, QWidget* parent)
    : QTreeWidget(parent), document_(document) {
    setObjectName(QStringLiteral("detailList"));
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
    connect(&document, &CPallworthDoc::applicationAdded, this,
            &CSyncView::refreshAfterRecordChange);
    connect(&document, &CPallworthDoc::packageAdded, this, &CSyncView::refreshAfterRecordChange);
    connect(&document, &CPallworthDoc::recordRemoved, this, &CSyncView::forgetRecord);
}

void CSyncView::OnInitialUpdate() {
    if (document_.model().newerVersion)
        return;
    document_.listView = this;
    setSelectionBehavior(SelectRows);
}

void CSyncView::ClearList() {
    clear();
    setColumnCount(0);
    setHeaderLabels({});
    viewport()->update();
}

void CSyncView::ShowNode(NodeKind kind, const QString& label, QTreeWidgetItem* item) {
    shownKind_ = kind;
    shownLabel_ = label;
    shownItem_ = item;
    shownRecord_ = CPallworthTreeView::recordOf(item);
    const bool packageChild = kind == DetailNode && item != nullptr && item->parent() != nullptr;
    const int package = packageChild ? FindPackageIndex(item->parent()) : 0;
    const int application = kind == ApplicationNode ? FindApplicationIndex(item) : 0;
    const DetailTable table = DetailContent::build(
        document_.model(), kind, AnsiQt::fromQString(label), package, application);
    QStringList titles;
    for (const DetailColumn& column : table.columns)
        titles << AnsiQt::toQString(column.title);
    setColumnCount(static_cast<int>(titles.size()));
    setHeaderLabels(titles);
    for (int c = 0; c < static_cast<int>(table.columns.size()); ++c)
        setColumnWidth(c, table.columns[static_cast<std::size_t>(c)].width);
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

int CSyncView::AddRow(int row, const QString& text0, const QString& text1) {
    const int index = qBound(0, row, topLevelItemCount());
    auto* item = new QTreeWidgetItem;
    item->setText(0, text0);
    if (columnCount() > 1)
        item->setText(1, text1);
    insertTopLevelItem(index, item);
    return index;
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

void CSyncView::InsertEntry() {
    // Like every editing command, Insert marks the document first.
    document_.setModifiedFlag();
}

void CSyncView::refreshAfterRecordChange() {
    // A group list shows every record; other lists show one that is unchanged.
    if (shownKind_ == GroupNode && shownItem_ != nullptr) {
        ClearList();
        ShowNode(shownKind_, shownLabel_, shownItem_);
    }
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

bool CSyncView::focusNextPrevChild(bool next) {
    Q_UNUSED(next);
    if (tree_ != nullptr)
        tree_->setFocus(Qt::TabFocusReason);
    return true;
}
