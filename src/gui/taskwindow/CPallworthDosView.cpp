#include "CPallworthDosView.h"

#include "CPallworthDoc2.h"
#include "CPallworthTreeDosView.h"
#include "CTaskEdit.h"
#include "TaskClipboard.h"
#include "TaskRowsCommand.h"
#include "framework/AnsiQt.h"
#include "framework/Catalogue.h"
#include "framework/CommandIds.h"
#include "framework/EntryCommand.h"
#include "framework/ModalSeam.h"
#include "framework/MoveCommand.h"
#include "framework/PopupMenu.h"
#include "framework/RowDrag.h"
#include "taskfile/TaskFields.h"
#include "text/TextUtil.h"

#include <QMenu>
#include <QScrollBar>
#include <algorithm>
#include <span>
#include <string_view>

namespace {

const QString kCaption = QStringLiteral("Pallworth");

std::span<const RowSpec* const> settingRows() {
    return Catalogue::node(DetailKind::TaskSettings).rows;
}

// A flag the line does not give is Quorrel's to decide: an empty cell.
QString flagText(std::string_view flag) {
    if (TaskFields::isMissing(flag))
        return {};
    return TaskFields::isSet(flag) ? QStringLiteral("YES") : QStringLiteral("NO");
}

} // namespace

CPallworthDosView::CPallworthDosView(CPallworthDoc2& document, const PathBrowser* browser,
                                     QWidget* parent)
    : ReportList(QStringLiteral("taskList"), parent), document_(document), browser_(browser),
      rowEditor_(*this, document, browser) {
    connect(&document, &CPallworthDoc2::contentChanged, this, &CPallworthDosView::onContentChanged);
}

void CPallworthDosView::OnInitialUpdate() {
    setSelectionBehavior(SelectRows);
    // Several tasks are copied, cut and pasted at once.
    setSelectionMode(ExtendedSelection);
    document_.listView = this;
}

void CPallworthDosView::ShowNode(DetailKind kind, QTreeWidgetItem* item) {
    shownDetail_ = kind;
    shownItem_ = item;
    if (kind == DetailKind::TaskSettings)
        fillSettings();
    else if (kind == DetailKind::Tasks)
        fillTasks();
    sizeColumns();
}

int CPallworthDosView::shownImage() const {
    return CPallworthTreeDosView::imageOf(shownItem_);
}

bool CPallworthDosView::showsTasks() const {
    return shownDetail_ == DetailKind::Tasks;
}

void CPallworthDosView::setHeaders(DetailKind kind) {
    QStringList titles;
    for (const ListColumn& column : Catalogue::node(kind).columns)
        titles << AnsiQt::toQString(column.title);
    setColumnCount(static_cast<int>(titles.size()));
    setHeaderLabels(titles);
}

void CPallworthDosView::fillSettings() {
    setHeaders(DetailKind::TaskSettings);
    const TaskFileModel& model = document_.model();
    for (const RowSpec* setting : settingRows()) {
        auto* row = new QTreeWidgetItem;
        row->setText(0, AnsiQt::toQString(setting->label()));
        row->setText(1, AnsiQt::toQString(model.*setting->task));
        addTopLevelItem(row);
    }
}

void CPallworthDosView::fillTasks() {
    setHeaders(DetailKind::Tasks);
    QList<QTreeWidgetItem*> rows;
    rows.reserve(document_.model().tasks.count());
    for (const std::string& task : document_.model().tasks) {
        auto* row = new QTreeWidgetItem;
        setTaskCells(*row, task);
        rows.append(row);
    }
    addTopLevelItems(rows);
}

void CPallworthDosView::setTaskCells(QTreeWidgetItem& row, const std::string& task) const {
    const TaskFields fields = TaskFields::split(task);
    row.setText(0, AnsiQt::toQString(fields.source));
    row.setText(1, AnsiQt::toQString(fields.target));
    for (std::size_t i = 0; i < TaskFields::kFlags; ++i)
        row.setText(static_cast<int>(i) + 2, flagText(fields.flags[i]));
}

void CPallworthDosView::sizeColumns() {
    // The widest cell decides, the header text does not.
    const QFontMetrics metrics = fontMetrics();
    QList<int> widths;
    for (int c = 0; c < columnCount(); ++c) {
        int widest = kMinColumnWidth;
        for (int r = 0; r < topLevelItemCount(); ++r)
            widest = std::max(widest, metrics.horizontalAdvance(topLevelItem(r)->text(c)));
        widths << widest + kColumnMargin;
    }
    const DetailKind kind = showsTasks() ? DetailKind::Tasks : DetailKind::TaskSettings;
    applyColumnWidths(static_cast<int>(kind), widths);
}

void CPallworthDosView::refill() {
    ClearList();
    ShowNode(shownDetail_, shownItem_);
}

void CPallworthDosView::push(QUndoCommand* command) {
    document_.undoStack().push(command);
}

std::function<EntryList<std::string>*()> CPallworthDosView::taskList() const {
    return [&tasks = document_.model().tasks] { return &tasks; };
}

std::function<std::string*()> CPallworthDosView::taskAt(int index) const {
    return [&tasks = document_.model().tasks, index] {
        return tasks.validIndex(index) ? &tasks.at(index) : nullptr;
    };
}

void CPallworthDosView::changed() {
    document_.ContentChanged(this);
}

void CPallworthDosView::onContentChanged(QObject* origin) {
    // Another window on the document changed it; rows here may stand for
    // other tasks now.
    if (origin != this && shownItem_ != nullptr)
        refill();
}

void CPallworthDosView::Edit() {
    document_.setModifiedFlag();
    const int row = selectedRow();
    if (row < 0)
        return;
    if (showsTasks())
        editTask(row);
    else
        editSetting(row);
}

void CPallworthDosView::editTask(int row) {
    EntryList<std::string>& tasks = document_.model().tasks;
    if (!tasks.validIndex(row + 1))
        return;
    CTaskEdit dialog(this, browser_);
    dialog.loadFrom(tasks.at(row + 1));
    if (ModalSeam::runModal(dialog) != QDialog::Accepted)
        return;
    rowEditor_.change("task", {DetailKind::Tasks, 0}, taskAt(row + 1), dialog.taskText());
    setTaskCells(*topLevelItem(row), tasks.at(row + 1));
    changed();
}

void CPallworthDosView::editSetting(int row) {
    if (row >= static_cast<int>(settingRows().size()))
        return;
    const RowSpec& setting = *settingRows()[static_cast<std::size_t>(row)];
    if (rowEditor_.edit(row, setting, {DetailKind::TaskSettings, 0},
                        [&doc = document_, field = setting.task] { return &(doc.model().*field); }))
        changed();
}

void CPallworthDosView::Insert() {
    document_.setModifiedFlag();
    if (!showsTasks())
        return;
    EntryList<std::string>& tasks = document_.model().tasks;
    if (tasks.full()) {
        ModalSeam::showMessage(this,
                               tr("The task file holds 999 tasks, the most it can hold. Delete "
                                  "one before adding another."),
                               kCaption);
        return;
    }
    const int selected = selectedRow();
    CTaskEdit dialog(this, browser_);
    if (ModalSeam::runModal(dialog) != QDialog::Accepted)
        return;
    // Tasks before the new one: up to the selected row, or all of them.
    const int before = selected >= 0 ? selected + 1 : tasks.count();
    push(EntryCommand<std::string>::insert(document_, tr("Insert task"), {DetailKind::Tasks, 0},
                                           taskList(), before + 1, dialog.taskText()));
    auto* row = new QTreeWidgetItem;
    setTaskCells(*row, tasks.at(before + 1));
    insertTopLevelItem(before, row);
    setCurrentItem(row);
    changed();
}

void CPallworthDosView::Delete() {
    document_.setModifiedFlag();
    const int row = selectedRow();
    if (row < 0 || !showsTasks())
        return;
    if (!document_.model().tasks.validIndex(row + 1))
        return;
    if (const std::vector<int> tasks = selectedEntries(); tasks.size() > 1) {
        removeTasks(tasks, tr("Delete tasks"));
        return;
    }
    push(EntryCommand<std::string>::remove(document_, tr("Delete task"), {DetailKind::Tasks, 0},
                                           taskList(), row + 1));
    delete takeTopLevelItem(row);
    // The row that took its place is selected, as a single selection does.
    selectRows(std::min(row, topLevelItemCount() - 1), 1);
    changed();
}

void CPallworthDosView::DropTask(int dragRow, std::optional<int> dropRow) {
    document_.setModifiedFlag();
    if (showsTasks() && dropRow) {
        const int to = RowDrag::targetRow(*dropRow, topLevelItemCount());
        if (to != dragRow && document_.model().tasks.validIndex(dragRow + 1)) {
            push(new MoveCommand(
                document_, tr("Move task"), {DetailKind::Tasks, 0},
                [&tasks = document_.model().tasks](int from, int to) { tasks.move(from, to); },
                dragRow + 1, to + 1));
            changed();
        }
    }
    refill();
}

bool CPallworthDosView::canEdit(CommandTarget::Edit edit) const {
    using Edit = CommandTarget::Edit;
    const bool editable = !document_.readOnlyReason();
    const bool selected = showsTasks() && !selectedItems().isEmpty();
    switch (edit) {
    case Edit::Copy:
        return selected;
    case Edit::Cut:
        return selected && editable;
    case Edit::Paste:
        return showsTasks() && editable && TaskClipboard::holds();
    case Edit::Duplicate:
        break;
    }
    return false;
}

void CPallworthDosView::edit(CommandTarget::Edit edit) {
    using Edit = CommandTarget::Edit;
    if (!canEdit(edit))
        return;
    if (edit == Edit::Copy)
        Copy();
    else if (edit == Edit::Cut)
        Cut();
    else if (edit == Edit::Paste)
        Paste();
}

void CPallworthDosView::Copy() {
    const std::vector<int> tasks = selectedEntries();
    if (showsTasks() && !tasks.empty())
        TaskClipboard::copy(document_.model().tasks, tasks);
}

void CPallworthDosView::Cut() {
    const std::vector<int> tasks = selectedEntries();
    if (!canEdit(CommandTarget::Edit::Cut) || tasks.empty())
        return;
    TaskClipboard::copy(document_.model().tasks, tasks);
    removeTasks(tasks, tr("Cut tasks"));
}

void CPallworthDosView::removeTasks(const std::vector<int>& tasks, const QString& text) {
    push(TaskRowsCommand::remove(document_, text, taskList(), tasks));
    refill();
    // The row that took the first one's place, or the last one left.
    selectRows(std::min(tasks.front() - 1, topLevelItemCount() - 1), 1);
    changed();
}

void CPallworthDosView::Paste() {
    if (!canEdit(CommandTarget::Edit::Paste))
        return;
    const EntryList<std::string>& tasks = document_.model().tasks;
    const std::optional<EntryList<std::string>> pasted = TaskClipboard::take(this, tasks.count());
    if (!pasted)
        return;
    const std::vector<int> selected = selectedEntries();
    const int after = selected.empty() ? tasks.count() : selected.back();
    push(TaskRowsCommand::insert(document_, tr("Paste tasks"), taskList(), after, *pasted));
    refill();
    selectRows(after, pasted->count());
    changed();
}

std::unique_ptr<QMenu> CPallworthDosView::popupMenu() {
    if (!showsTasks())
        return nullptr;
    auto menu = std::make_unique<PopupMenu>(kPopupMenu, this);
    menu->addCommand(tr("Insert"), "insert", CommandIds::Insert, this, &CPallworthDosView::Insert);
    menu->addCommand(tr("Delete"), "delete", CommandIds::ListDelete, this,
                     &CPallworthDosView::Delete);
    menu->addSeparator();
    using Edit = CommandTarget::Edit;
    const struct {
        QString text;
        const char* name;
        int id;
        Edit edit;
        void (CPallworthDosView::*run)();
    } clipboard[] = {
        {tr("Cut"), "cut", CommandIds::EditCut, Edit::Cut, &CPallworthDosView::Cut},
        {tr("Copy"), "copy", CommandIds::EditCopy, Edit::Copy, &CPallworthDosView::Copy},
        {tr("Paste"), "paste", CommandIds::EditPaste, Edit::Paste, &CPallworthDosView::Paste},
    };
    for (const auto& item : clipboard)
        menu->addCommand(item.text, item.name, item.id, this, item.run)
            ->setEnabled(canEdit(item.edit));
    return menu;
}

QSize CPallworthDosView::sizeHint() const {
    const auto columns = static_cast<int>(Catalogue::node(DetailKind::Tasks).columns.size());
    const int width = columns * (kMinColumnWidth + kColumnMargin) + 2 * frameWidth() +
                      verticalScrollBar()->sizeHint().width();
    return {width, ReportList::sizeHint().height()};
}
