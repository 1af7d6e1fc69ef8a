#include "EntryEditor.h"

#include "app/AnsiQt.h"
#include "app/ModalSeam.h"
#include "config/CPallworthDoc.h"
#include "config/SaveRules.h"
#include "dialogs/CJob.h"
#include "dialogs/CPath.h"
#include "dialogs/CTargetServer.h"
#include "views/CPallworthTreeView.h"
#include "views/CSyncView.h"
#include "views/DetailContent.h"
#include "views/RowDrag.h"

namespace {

const QString kTargets = QStringLiteral("Target Server(s)");
const QString kDirectories = QStringLiteral("Directories");
const QString kFiles = QStringLiteral("Files");
const QString kExclude = QStringLiteral("Exclude");
const QString kApplications = QStringLiteral("Application descriptions");
const QString kPackages = QStringLiteral("Package descriptions");

bool accepted(QDialog& dialog) {
    return ModalSeam::runModal(dialog) == QDialog::Accepted;
}

} // namespace

EntryEditor::EntryEditor(CSyncView& list) : list_(list) {}

CPallworthDoc& EntryEditor::document() const {
    return list_.document();
}

ConfigModel& EntryEditor::model() const {
    return list_.document().model();
}

PackageDesc* EntryEditor::package() const {
    const int index = list_.shownPackageIndex();
    return index > 0 ? &model().packages.at(index) : nullptr;
}

bool EntryEditor::canDrag() const {
    const QString& label = list_.shownLabel();
    return label == kPackages || label == kApplications || label == kTargets || label == kFiles ||
           label == kDirectories;
}

void EntryEditor::InsertEntry() {
    document().setModifiedFlag();
    const int selected = list_.selectedRow();
    const QString& label = list_.shownLabel();
    CPallworthTreeView* tree = list_.treeView();
    if (list_.shownKind() == GroupNode) {
        if (tree != nullptr && label == kApplications)
            tree->NewApplication();
        else if (tree != nullptr && label == kPackages)
            tree->NewPackage();
        return;
    }
    PackageDesc* p = package();
    if (list_.shownKind() != DetailNode || p == nullptr)
        return;
    if (insertPackageEntry(*p, selected))
        document().ContentChanged(&list_);
}

bool EntryEditor::insertPackageEntry(PackageDesc& p, int selected) {
    const QString& label = list_.shownLabel();
    if (label == kExclude)
        return insertExclude(p, selected);
    if (label == kDirectories || label == kFiles)
        return insertJob(p, selected, label == kFiles);
    if (label == kTargets)
        return insertTarget(p, selected);
    return false;
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
    document().setModifiedFlag();
    const int row = list_.selectedRow();
    if (row < 0)
        return;
    const int k = row + 1;
    const QString& label = list_.shownLabel();
    ConfigModel& m = model();
    if (list_.shownKind() == GroupNode) {
        if (label == kApplications && m.applications.validIndex(k))
            document().RemoveRecord(m.applications.at(k).id);
        else if (label == kPackages && m.packages.validIndex(k))
            document().RemoveRecord(m.packages.at(k).id);
        return;
    }
    PackageDesc* p = package();
    if (list_.shownKind() != DetailNode || p == nullptr)
        return;
    bool removed = false;
    if (label == kExclude)
        removed = p->excludes.remove(k);
    else if (label == kDirectories)
        removed = p->dirJobs.remove(k);
    else if (label == kFiles)
        removed = p->fileJobs.remove(k);
    else if (label == kTargets)
        removed = p->targets.remove(k);
    if (!removed)
        return;
    delete list_.takeTopLevelItem(row);
    document().ContentChanged(&list_);
}

void EntryEditor::MoveEntry(int dragRow, int dropRow) {
    document().setModifiedFlag();
    const int rows = list_.topLevelItemCount();
    if (dragRow < 0 || dragRow >= rows || !canDrag())
        return;
    dropRow = RowDrag::targetRow(dropRow, rows);
    if (dropRow != dragRow) {
        const QString& label = list_.shownLabel();
        if (label == kApplications || label == kPackages)
            document().MoveRecord(label == kApplications, dragRow + 1, dropRow + 1);
        else
            moveInPackage(dragRow + 1, dropRow + 1);
    }
    list_.ClearList();
    list_.ShowNode(list_.shownKind(), list_.shownLabel(), list_.shownItem());
}

void EntryEditor::moveInPackage(int from, int to) {
    PackageDesc* p = package();
    if (p == nullptr)
        return;
    const QString& label = list_.shownLabel();
    if (label == kTargets)
        p->targets.move(from, to);
    else if (label == kDirectories)
        p->dirJobs.move(from, to);
    else if (label == kFiles)
        p->fileJobs.move(from, to);
    document().ContentChanged(&list_);
}

// The new entry goes right after the selected one, or to the end; its row
// takes the same place, so rows and entries stay in step.
template <typename T> static int insertAt(EntryList<T>& list, int selected, T value) {
    const int after = selected >= 0 && selected < list.count() ? selected + 1 : list.count();
    list.insertAfter(after, std::move(value));
    return after; // the new row's index
}

void EntryEditor::addRow(int row) {
    const std::vector<std::string> cells =
        DetailContent::rowCells(model(), list_.shownKind(), AnsiQt::fromQString(list_.shownLabel()),
                                list_.shownPackageIndex(), 0, row);
    auto* item = new QTreeWidgetItem;
    for (int c = 0; c < static_cast<int>(cells.size()); ++c)
        item->setText(c, AnsiQt::toQString(cells[static_cast<std::size_t>(c)]));
    list_.insertTopLevelItem(row, item);
}

bool EntryEditor::insertExclude(PackageDesc& p, int selected) {
    if (refuseWhenFull(p.excludes.full()))
        return false;
    CPath dialog(&list_);
    dialog.caption = "Exclude";
    if (!accepted(dialog) || dialog.path.empty())
        return false;
    addRow(insertAt(p.excludes, selected, dialog.path));
    return true;
}

bool EntryEditor::insertJob(PackageDesc& p, int selected, bool files) {
    EntryList<SyncJob>& jobs = files ? p.fileJobs : p.dirJobs;
    if (refuseWhenFull(jobs.full()))
        return false;
    CJob dialog(&list_);
    dialog.caption = files ? "Files" : "Directories";
    if (!accepted(dialog))
        return false;
    SyncJob job;
    dialog.applyTo(job);
    addRow(insertAt(jobs, selected, std::move(job)));
    return true;
}

bool EntryEditor::insertTarget(PackageDesc& p, int selected) {
    if (refuseWhenFull(p.targets.full()))
        return false;
    CTargetServer dialog(&list_);
    dialog.startNew();
    if (!accepted(dialog))
        return false;
    TargetServer target;
    dialog.applyTo(target);
    addRow(insertAt(p.targets, selected, std::move(target)));
    return true;
}
