#include "EntryEditor.h"

#include "CPallworthDoc.h"
#include "CPallworthTreeView.h"
#include "CSyncView.h"
#include "DetailContent.h"
#include "EntryDialogs.h"
#include "config/ListTable.h"
#include "config/SaveRules.h"
#include "framework/AnsiQt.h"
#include "framework/EntryCommand.h"
#include "framework/ModalSeam.h"
#include "framework/MoveCommand.h"
#include "framework/RowDrag.h"

#include <algorithm>
#include <functional>
#include <type_traits>
#include <vector>

namespace {

// Calls `work` with the member of the package's list that a node shows;
// false when the node shows none.
template <typename Work> bool withPackageList(DetailKind kind, Work work) {
    const ListRow* row = ListTable::row(kind);
    return row != nullptr && ListTable::visit(*row, work);
}

QString entryText(const char* verb, DetailKind kind) {
    return QStringLiteral("%1 %2").arg(QLatin1String(verb),
                                       AnsiQt::toQString(Catalogue::label(kind)));
}

bool isGroup(DetailKind kind) {
    return kind == DetailKind::Applications || kind == DetailKind::Packages;
}

} // namespace

EntryEditor::EntryEditor(CSyncView& list) : list_(list) {}

ConfigModel& EntryEditor::model() const {
    return list_.document().model();
}

bool EntryEditor::canDrag() const {
    // A record's property list is never reordered, whatever the record is called.
    const NodeIconIndex kind = list_.shownKind();
    const ListRow* row = ListTable::row(list_.shownDetail());
    return (kind == GroupNode || kind == DetailNode) && row != nullptr && row->draggable;
}

void EntryEditor::InsertEntry() {
    list_.document().setModifiedFlag();
    const int selected = list_.selectedRow();
    const DetailKind shown = list_.shownDetail();
    CPallworthTreeView* tree = list_.treeView();
    if (list_.shownKind() == GroupNode) {
        if (tree != nullptr && shown == DetailKind::Applications)
            tree->NewApplication();
        else if (tree != nullptr && shown == DetailKind::Packages)
            tree->NewPackage();
        return;
    }
    PackageDesc* p = list_.shownPackage();
    const ListRow* row = ListTable::row(shown);
    if (list_.shownKind() != DetailNode || p == nullptr || row == nullptr)
        return;
    bool inserted = false;
    ListTable::visit(*row, [&](auto member) {
        if (refuseWhenFull((p->*member).full()))
            return;
        typename std::remove_reference_t<decltype(p->*member)>::value_type entry;
        inserted = EntryDialogs(&list_, list_.browser(), *row).run(entry, true);
        if (inserted)
            addRow(insertAt(member, selected, std::move(entry)));
    });
    if (inserted)
        list_.document().ContentChanged(&list_);
}

bool EntryEditor::refuseWhenFull(bool full) {
    if (full)
        ModalSeam::showMessage(&list_,
                               QStringLiteral("This list holds 999 entries, the most a "
                                              "configuration can hold. Delete one before "
                                              "inserting another."),
                               AnsiQt::toQString(SaveRules::kCaption));
    return full;
}

void EntryEditor::DeleteEntry() {
    list_.document().setModifiedFlag();
    const std::vector<int> rows = list_.selectedRows();
    if (rows.empty())
        return;
    if (list_.shownKind() == GroupNode)
        deleteRecords(rows);
    else if (list_.shownKind() == DetailNode && list_.shownPackage() != nullptr)
        deleteEntries(rows);
}

void EntryEditor::deleteRecords(const std::vector<int>& rows) {
    const DetailKind shown = list_.shownDetail();
    const bool applications = shown == DetailKind::Applications;
    if (!applications && shown != DetailKind::Packages)
        return;
    // Ids first: each removal moves the records after it up.
    const ConfigModel& m = model();
    std::vector<RecordId> ids;
    for (int row : rows)
        if (applications && m.applications.validIndex(row + 1))
            ids.push_back(m.applications.at(row + 1).id);
        else if (!applications && m.packages.validIndex(row + 1))
            ids.push_back(m.packages.at(row + 1).id);
    CPallworthDoc& doc = list_.document();
    const bool several = ids.size() > 1;
    if (several)
        doc.undoStack().beginMacro(
            QStringLiteral("Delete %1").arg(CPallworthDoc::countOf(applications, std::ssize(ids))));
    for (RecordId id : ids)
        doc.RemoveRecord(id);
    if (several)
        doc.undoStack().endMacro();
}

void EntryEditor::deleteEntries(const std::vector<int>& rows) {
    PackageDesc* p = list_.shownPackage();
    CPallworthDoc& doc = list_.document();
    const DetailKind shown = list_.shownDetail();
    std::vector<int> removed;
    withPackageList(shown, [&](auto member) {
        using Entry = typename std::remove_reference_t<decltype(p->*member)>::value_type;
        for (int row : rows)
            if ((p->*member).validIndex(row + 1))
                removed.push_back(row);
        if (removed.empty())
            return;
        const QString text = entryText("Delete from", shown);
        // From the last, so that each index still names its entry.
        doc.undoStack().beginMacro(text);
        for (auto row = removed.rbegin(); row != removed.rend(); ++row)
            doc.undoStack().push(EntryCommand<Entry>::remove(doc, text, {shown, p->id},
                                                             doc.listOf(p->id, member), *row + 1));
        doc.undoStack().endMacro();
    });
    if (removed.empty())
        return;
    for (auto row = removed.rbegin(); row != removed.rend(); ++row)
        delete list_.takeTopLevelItem(*row);
    // The row that took the first one's place, or the last one left.
    list_.selectRows(std::min(removed.front(), list_.topLevelItemCount() - 1), 1);
    doc.ContentChanged(&list_);
}

void EntryEditor::MoveEntry(int dragRow, int dropRow) {
    list_.document().setModifiedFlag();
    const int rows = list_.topLevelItemCount();
    if (dragRow < 0 || dragRow >= rows || !canDrag())
        return;
    dropRow = RowDrag::targetRow(dropRow, rows);
    const DetailKind shown = list_.shownDetail();
    if (dropRow != dragRow && list_.shownKind() == GroupNode && isGroup(shown)) {
        list_.document().MoveRecord(shown == DetailKind::Applications, dragRow + 1, dropRow + 1);
    } else if (PackageDesc* p = list_.shownPackage(); dropRow != dragRow && p != nullptr) {
        CPallworthDoc& doc = list_.document();
        withPackageList(shown, [&](auto member) {
            auto locate = doc.listOf(p->id, member);
            doc.undoStack().push(new MoveCommand(
                doc, entryText("Move in", shown), {shown, p->id},
                [locate](int from, int to) {
                    if (auto* list = locate())
                        list->move(from, to);
                },
                dragRow + 1, dropRow + 1));
        });
        list_.document().ContentChanged(&list_);
    }
    list_.ClearList();
    list_.ShowNode(list_.shownKind(), shown, list_.shownItem());
}

// The new entry goes right after the selected one, or to the end; its row
// takes the same place, so rows and entries stay in step.
template <typename T>
int EntryEditor::insertAt(EntryList<T> PackageDesc::*member, int selected, T value) {
    CPallworthDoc& doc = list_.document();
    const DetailKind shown = list_.shownDetail();
    const RecordId id = list_.shownPackage()->id;
    const int count = (list_.shownPackage()->*member).count();
    const int after = selected >= 0 && selected < count ? selected + 1 : count;
    doc.undoStack().push(EntryCommand<T>::insert(doc, entryText("Insert in", shown), {shown, id},
                                                 doc.listOf(id, member), after + 1,
                                                 std::move(value)));
    return after; // the new row's index
}

void EntryEditor::addRow(int row) {
    const std::vector<std::string> cells =
        DetailContent::rowCells(model(), list_.shownDetail(), list_.shownPackageIndex(), 0, row);
    auto* item = new QTreeWidgetItem;
    for (int c = 0; c < static_cast<int>(cells.size()); ++c)
        item->setText(c, AnsiQt::toQString(cells[static_cast<std::size_t>(c)]));
    list_.insertTopLevelItem(row, item);
    list_.setCurrentItem(item);
}
