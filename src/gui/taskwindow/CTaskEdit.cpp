#include "CTaskEdit.h"

#include "browse/BrowseButton.h"
#include "dialogs/PathDialog.h"
#include "framework/AnsiQt.h"
#include "framework/ModalSeam.h"
#include "taskfile/TaskFields.h"
#include "text/TextUtil.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr std::string_view kValidation = "Validation";
const QString kFlagLabels[] = {QStringLiteral("Overwrite newer"),
                               QStringLiteral("Overwrite readonly"),
                               QStringLiteral("Remove stale")};

Qt::CheckState stateOf(TaskFields::Flag flag) {
    using F = TaskFields::Flag;
    return flag == F::Set ? Qt::Checked : flag == F::Clear ? Qt::Unchecked : Qt::PartiallyChecked;
}

TaskFields::Flag flagOf(Qt::CheckState state) {
    using F = TaskFields::Flag;
    return state == Qt::Checked ? F::Set : state == Qt::Unchecked ? F::Clear : F::Missing;
}

} // namespace

CTaskEdit::CTaskEdit(QWidget* parent, const PathBrowser* browser)
    : ValueDialog(kTemplateId, 251, 114, parent) {
    caption = "Task";
    auto* form = new QWidget(this);
    auto* grid = new QGridLayout(form);
    grid->setContentsMargins(0, 0, 0, 0);
    source_ =
        addPathRow(*grid, 0, QStringLiteral("Source Path:"), kSourceId, kSourceBrowseId, browser);
    target_ =
        addPathRow(*grid, 1, QStringLiteral("Target Path:"), kTargetId, kTargetBrowseId, browser);
    auto* group = new QGroupBox(QStringLiteral("Transfer Mode:"), form);
    auto* flags = new QVBoxLayout(group);
    const int ids[] = {kOverwriteNewerId, kOverwriteReadonlyId, kRemoveStaleId};
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        boxes_[i] = addFlag(*flags, kFlagLabels[i], ids[i]);
    grid->addWidget(group, 2, 0, 1, 3);
    setValueControl(form);
}

QLineEdit* CTaskEdit::addPathRow(QGridLayout& grid, int row, const QString& label, int editId,
                                 int browseId, const PathBrowser* browser) {
    auto* edit = new QLineEdit(this);
    setResourceId(*edit, editId);
    edit->setMinimumWidth(edit->fontMetrics().averageCharWidth() * PathDialog::kTypicalPathChars);
    auto* browse = new BrowseButton(
        browser, *edit, [] { return false; }, LocalPolicy::Keep, this);
    setResourceId(*browse, browseId);
    grid.addWidget(new QLabel(label, this), row, 0);
    grid.addWidget(edit, row, 1);
    grid.addWidget(browse, row, 2);
    return edit;
}

QCheckBox* CTaskEdit::addFlag(QVBoxLayout& box, const QString& label, int id) {
    auto* check = new QCheckBox(label, this);
    setResourceId(*check, id);
    // Undecided is where a missing flag starts, not a choice to go back to.
    connect(check, &QCheckBox::clicked, check, [check] { check->setTristate(false); });
    box.addWidget(check);
    return check;
}

void CTaskEdit::loadFrom(std::string_view task) {
    stored_ = TaskFields::split(task);
    sourcePath = stored_.source;
    targetPath = stored_.target;
    for (std::size_t i = 0; i < flags.size(); ++i)
        flags[i] = TaskFields::flagOf(stored_.flags[i]);
}

std::string CTaskEdit::taskText() const {
    TaskFields task;
    task.source = sourcePath;
    task.target = targetPath;
    for (std::size_t i = 0; i < flags.size(); ++i)
        task.flags[i] = TaskFields::wordOf(flags[i], stored_.flags[i]);
    return task.text();
}

void CTaskEdit::exchangeValueIn() {
    source_->setText(AnsiQt::toQString(sourcePath));
    target_->setText(AnsiQt::toQString(targetPath));
    for (std::size_t i = 0; i < flags.size(); ++i) {
        boxes_[i]->setTristate(flags[i] == Flag::Missing);
        boxes_[i]->setCheckState(stateOf(flags[i]));
    }
}

void CTaskEdit::exchangeOut() {
    sourcePath = AnsiQt::fromQString(source_->text());
    targetPath = AnsiQt::fromQString(target_->text());
    for (std::size_t i = 0; i < flags.size(); ++i)
        flags[i] = flagOf(boxes_[i]->checkState());
}

std::string CTaskEdit::storageProblem(std::string_view path, std::string_view name) {
    // The reader splits a task line into words, so an empty path or one with
    // a separator would come back as other paths and flags.
    if (path.empty())
        return "Please enter the " + std::string(name) + ".";
    if (TextUtil::hasSeparator(path))
        return "The " + std::string(name) +
               " cannot contain a blank, a comma, a tab or a line break: the task file has no "
               "way to store them.";
    return {};
}

bool CTaskEdit::onWorkstationDrive(std::string_view path) {
    return TaskFields::onWorkstationDrive(path);
}

void CTaskEdit::accept() {
    exchangeOut();
    // The task file holds Windows-1252 bytes as they are.
    if (refuseUnfit(*source_, "source path") || refuseUnfit(*target_, "target path"))
        return;
    if (refuseUnstorable(storageProblem(sourcePath, "source path"), source_) ||
        refuseUnstorable(storageProblem(targetPath, "target path"), target_) || refuseGap())
        return;
    if (!onWorkstationDrive(targetPath) && !onWorkstationDrive(sourcePath)) {
        refuse("Invalid path!", nullptr, kValidation, ModalSeam::Icon::None);
        return;
    }
    QDialog::accept();
}

bool CTaskEdit::refuseUnstorable(const std::string& problem, QLineEdit* box) {
    if (problem.empty())
        return false;
    refuse(problem, box, kValidation);
    box->selectAll();
    return true;
}

bool CTaskEdit::refuseGap() {
    const int gap = TaskFields::gapBeforeGiven(flags);
    if (gap < 0)
        return false;
    const QString label = kFlagLabels[gap];
    refuse(AnsiQt::fromQString(QStringLiteral("Please tick or clear \"%1\" too: the task file "
                                              "keeps the flags in order and cannot leave out one "
                                              "before a flag that is given.")
                                   .arg(label)),
           boxes_[static_cast<std::size_t>(gap)], kValidation);
    return true;
}
