#include "CJob.h"

#include "config/SaveRules.h"
#include "config/TextUtil.h"
#include "config/ValueRules.h"
#include "config/ValueTable.h"
#include "framework/AnsiQt.h"
#include "framework/Catalogue.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr std::string_view kDel = ValueTable::kDeletions[0];
constexpr std::string_view kNoDel = ValueTable::kDeletions[1];

} // namespace

CJob::CJob(QWidget* parent, const PathBrowser* browser)
    : PathDialog(kTemplateId, 251, 114, parent, browser), source_(addPathEdit(kSourceId)),
      target_(addPathEdit(kTargetId)), mode_(new QComboBox(this)),
      propagate_(new QCheckBox(QStringLiteral("Propagate deletions"), this)) {
    setResourceId(*propagate_, kPropagateId);

    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    auto* paths = new QGridLayout;
    addPathRow(*paths, 0, QStringLiteral("Source Path:"), source_, kSourceBrowseId,
               [this] { return sourceShowsFiles(); });
    addPathRow(*paths, 2, QStringLiteral("Target Path:"), target_, kTargetBrowseId,
               [] { return false; });
    layout->addLayout(paths);
    layout->addWidget(buildTransferMode());
    layout->addWidget(propagate_);
    setValueControl(body);
}

// A path box with its Browse button, and under them the line that tells
// why a pick left the box as it was.
void CJob::addPathRow(QGridLayout& grid, int row, const QString& label, QLineEdit* field,
                      int browseId, std::function<bool()> showFiles) {
    QLabel* note = addPickNote(*field);
    grid.addWidget(new QLabel(label, this), row, 0);
    grid.addWidget(field, row, 1);
    grid.addWidget(
        addBrowseButton(browseId, field, std::move(showFiles), LocalPolicy::Ignore, note), row, 2);
    grid.addWidget(note, row + 1, 1, 1, 2);
}

QWidget* CJob::buildTransferMode() {
    auto* group = new QGroupBox(QStringLiteral("Transfer Mode:"), this);
    setResourceId(*mode_, kCopyModeId);
    mode_->setEditable(true);
    // A typed word is the job's copy mode, not a new item of the list.
    mode_->setInsertPolicy(QComboBox::NoInsert);
    auto* row = new QHBoxLayout(group);
    row->addWidget(new QLabel(QStringLiteral("Copy"), group));
    row->addWidget(mode_, 1);
    row->addWidget(new QLabel(QStringLiteral("files"), group));
    return group;
}

void CJob::loadFrom(const SyncJob& job) {
    sourcePath = job.sourcePath();
    targetPath = job.targetPath();
    copyMode = job.transferMode();
    propagate = propagateOf(job.deletions());
    // "del" or an empty word stays as the file has it until the box changes.
    storedDeletions_.load(job.deletions(), propagate);
}

void CJob::applyTo(SyncJob& job) const {
    job.setSourcePath(sourcePath);
    job.setTargetPath(targetPath);
    job.setTransferMode(copyMode);
    job.setDeletions(deletions());
}

std::string CJob::deletions() const {
    return storedDeletions_.orRebuilt(propagate, std::string(propagate == 1 ? kDel : kNoDel));
}

int CJob::propagateOf(std::string_view deletions) {
    return deletions == kDel ? 1 : 0;
}

bool CJob::sourceShowsFiles() const {
    return captionText() == Catalogue::label(DetailKind::Files);
}

void CJob::exchangeValueIn() {
    source_->setText(AnsiQt::toQString(sourcePath));
    target_->setText(AnsiQt::toQString(targetPath));
    propagate_->setChecked(propagate != 0);
    mode_->clear();
    mode_->addItems({QStringLiteral("ALL"), QStringLiteral("NEW")});
    // A new job starts on ALL; a mode of the file's that is not in the list
    // is shown as it stands.
    int listed = mode_->findText(AnsiQt::toQString(copyMode));
    if (listed < 0 && copyMode.empty() && !storedDeletions_.loaded())
        listed = 0;
    mode_->setCurrentIndex(listed);
    if (listed < 0)
        mode_->setEditText(AnsiQt::toQString(copyMode));
}

void CJob::accept() {
    sourcePath = textOf(*source_);
    targetPath = textOf(*target_);
    copyMode = AnsiQt::fromQString(mode_->currentText());
    propagate = propagate_->isChecked() ? 1 : 0;
    if (refuseUnfit(*source_, "source path", &oem()) ||
        refuseUnfit(*target_, "target path", &oem()))
        return;
    // One path in volume form is enough; the other's form is not judged.
    if (!TextUtil::isVolumeForm(TextUtil::trim(targetPath)) &&
        !TextUtil::isVolumeForm(TextUtil::trim(sourcePath))) {
        refuse(kInvalidPath, source_, kValidationCaption, kValidationIcon);
        return;
    }
    if (refuseUnquotable(sourcePath, source_) || refuseUnquotable(targetPath, target_) ||
        refuseCopyMode())
        return;
    QDialog::accept();
}

// The copy mode stands as one word before the quoted paths of its line: an
// empty one, a blank or a quote in it would shift what the line reads back as.
bool CJob::refuseCopyMode() {
    Status mode = copyMode.empty() ? Status::failure("The copy mode must not be empty.")
                                   : ValueRules::check(copyMode, ValueRules::Rule::Word);
    if (mode.ok)
        mode = ValueRules::check(copyMode, ValueRules::Rule::Quoted);
    if (mode.ok)
        return false;
    refuse(mode.error, mode_);
    return true;
}
