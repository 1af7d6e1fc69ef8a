#include "CTaskEdit.h"

#include "browse/BrowseButton.h"
#include "config/TextUtil.h"
#include "dialogs/PathDialog.h"
#include "framework/AnsiQt.h"
#include "framework/ModalSeam.h"
#include "taskfile/TaskFields.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr std::string_view kValidation = "Validation";

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
    newer_ = addFlag(*flags, QStringLiteral("Overwrite newer"), kOverwriteNewerId);
    readonly_ = addFlag(*flags, QStringLiteral("Overwrite readonly"), kOverwriteReadonlyId);
    stale_ = addFlag(*flags, QStringLiteral("Remove stale"), kRemoveStaleId);
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
    box.addWidget(check);
    return check;
}

std::string CTaskEdit::taskText() const {
    return TaskFields::join(sourcePath, targetPath,
                            {overwriteNewer != 0, overwriteReadonly != 0, removeStale != 0});
}

void CTaskEdit::exchangeValueIn() {
    source_->setText(AnsiQt::toQString(sourcePath));
    target_->setText(AnsiQt::toQString(targetPath));
    newer_->setChecked(overwriteNewer != 0);
    readonly_->setChecked(overwriteReadonly != 0);
    stale_->setChecked(removeStale != 0);
}

void CTaskEdit::exchangeOut() {
    sourcePath = AnsiQt::fromQString(source_->text());
    targetPath = AnsiQt::fromQString(target_->text());
    overwriteNewer = newer_->isChecked() ? 1 : 0;
    overwriteReadonly = readonly_->isChecked() ? 1 : 0;
    removeStale = stale_->isChecked() ? 1 : 0;
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
    if (refuseUnstorable(storageProblem(sourcePath, "source path"), source_) ||
        refuseUnstorable(storageProblem(targetPath, "target path"), target_))
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
