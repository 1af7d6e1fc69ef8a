#include "RowEditor.h"

#include "CPallworthDoc.h"
#include "CPallworthTreeView.h"
#include "CSyncView.h"
#include "DetailContent.h"
#include "config/ScheduleText.h"
#include "config/Scramble.h"
#include "config/TextUtil.h"
#include "dialogs/CChoice.h"
#include "dialogs/CDays.h"
#include "dialogs/CDestPackages.h"
#include "dialogs/CJob.h"
#include "dialogs/CLogEvents.h"
#include "dialogs/CNcf.h"
#include "dialogs/CNumber.h"
#include "dialogs/COpenFiles.h"
#include "dialogs/CPassword.h"
#include "dialogs/CPath.h"
#include "dialogs/CRunSchedule.h"
#include "dialogs/CTargetServer.h"
#include "dialogs/CText.h"
#include "dialogs/CTimeRestriction.h"
#include "framework/AnsiQt.h"
#include "framework/ModalSeam.h"

namespace {} // namespace

RowEditor::RowEditor(CSyncView& list) : list_(list) {}

ConfigModel& RowEditor::model() const {
    return list_.document().model();
}

int RowEditor::applicationIndex() const {
    return list_.FindApplicationIndex(list_.shownItem());
}

std::string* RowEditor::field(const RowSpec& spec) const {
    switch (Catalogue::node(list_.shownDetail()).record) {
    case RecordKind::Global:
        return spec.global != nullptr ? &(model().global.*spec.global) : nullptr;
    case RecordKind::Package:
        if (PackageDesc* p = list_.shownPackage(); p != nullptr && spec.package != nullptr)
            return &(p->*spec.package);
        break;
    case RecordKind::Application:
        if (const int index = applicationIndex(); index > 0 && spec.application != nullptr)
            return &(model().applications.at(index).*spec.application);
        break;
    case RecordKind::None:
    case RecordKind::TaskFile:
        break;
    }
    return nullptr;
}

void RowEditor::store(int row, const RowSpec& spec, const std::string& text) {
    setCell(row, 1, text);
    if (std::string* stored = field(spec))
        *stored = text;
}

void RowEditor::setCell(int row, int column, const QString& text) {
    if (QTreeWidgetItem* item = list_.topLevelItem(row))
        item->setText(column, text);
}

void RowEditor::setCell(int row, int column, const std::string& ansi) {
    setCell(row, column, AnsiQt::toQString(ansi));
}

void RowEditor::EditRow() {
    list_.document().setModifiedFlag();
    const int row = list_.selectedRow();
    if (row < 0)
        return;
    if (!editEntry(row)) {
        const auto rows = Catalogue::node(list_.shownDetail()).rows;
        if (row < static_cast<int>(rows.size()))
            editProperty(row, *rows[static_cast<std::size_t>(row)],
                         list_.topLevelItem(row)->text(1));
    }
    list_.setFocus();
}

bool RowEditor::editEntry(int row) {
    switch (list_.shownDetail()) {
    case DetailKind::Applications:
    case DetailKind::Packages:
        editGroupName(row, list_.shownDetail() == DetailKind::Applications);
        return true;
    case DetailKind::Directories:
    case DetailKind::Files:
        editJob(row, list_.shownDetail() == DetailKind::Files);
        return true;
    case DetailKind::Exclude:
        editExclude(row);
        return true;
    case DetailKind::Targets:
        editTarget(row);
        return true;
    default:
        return false;
    }
}

void RowEditor::editProperty(int row, const RowSpec& spec, const QString& value) {
    switch (spec.dialog) {
    case RowDialog::Choice:
        return editChoice(row, spec, value);
    case RowDialog::Number:
        return editNumber(row, spec, value);
    case RowDialog::Text:
        return editText(row, spec, value);
    case RowDialog::Path:
        return editPath(row, spec, value);
    case RowDialog::LogDirectory:
        return editLogDirectory(row, spec, value);
    case RowDialog::Password:
        return editPassword(row);
    case RowDialog::TimeRestriction:
        return editTimeRestriction(row);
    case RowDialog::LogEvents:
        return editLogEvents(row, spec, value);
    case RowDialog::Days:
        return editDays(row, spec, value);
    case RowDialog::Schedule:
        return editSchedule(row, spec);
    case RowDialog::OpenFiles:
        return editOpenFiles(row);
    case RowDialog::CommandFiles:
        return editCommandFiles(row, spec);
    case RowDialog::DestinationPackages:
        return editDestinationPackages(row, value);
    case RowDialog::None:
        break;
    }
}

void RowEditor::editGroupName(int row, bool applications) {
    CText dialog(&list_);
    dialog.caption = Catalogue::node(list_.shownDetail()).entryCaption;
    dialog.text = AnsiQt::fromQString(list_.topLevelItem(row)->text(0));
    dialog.rule = ValueRules::Rule::Name;
    if (!ModalSeam::accepted(dialog))
        return;
    setCell(row, 0, dialog.text);
    // The row stands for entry row + 1, even when another record has the
    // same name.
    const int index = row + 1;
    if (applications && model().applications.validIndex(index))
        list_.document().RenameRecord(model().applications.at(index).id, dialog.text);
    else if (!applications && model().packages.validIndex(index))
        list_.document().RenameRecord(model().packages.at(index).id, dialog.text);
}

void RowEditor::editChoice(int row, const RowSpec& spec, const QString& value) {
    CChoice dialog(&list_);
    dialog.caption = spec.label;
    dialog.kind = spec.choice;
    dialog.current = AnsiQt::fromQString(value);
    if (!ModalSeam::accepted(dialog))
        return;
    store(row, spec, dialog.result);
}

void RowEditor::editNumber(int row, const RowSpec& spec, const QString& value) {
    CNumber dialog(&list_);
    dialog.caption = spec.label;
    dialog.value = TextUtil::leadingInt(TextUtil::trimLeft(AnsiQt::fromQString(value)));
    if (!ModalSeam::accepted(dialog))
        return;
    store(row, spec, std::to_string(dialog.value));
}

void RowEditor::editText(int row, const RowSpec& spec, const QString& value) {
    CText dialog(&list_);
    dialog.caption = spec.label;
    dialog.text = AnsiQt::fromQString(value);
    dialog.rule = spec.rule;
    if (!ModalSeam::accepted(dialog))
        return;
    store(row, spec, spec.upperCase ? TextUtil::upper(dialog.text) : dialog.text);
}

void RowEditor::editPath(int row, const RowSpec& spec, const QString& value) {
    CPath dialog(&list_, list_.browser());
    dialog.caption = spec.label;
    dialog.path = AnsiQt::fromQString(value);
    if (!ModalSeam::accepted(dialog))
        return;
    store(row, spec, dialog.path);
}

void RowEditor::editJob(int row, bool files) {
    PackageDesc* p = list_.shownPackage();
    EntryList<SyncJob>* jobs = p == nullptr ? nullptr : files ? &p->fileJobs : &p->dirJobs;
    CJob dialog(&list_, list_.browser());
    dialog.caption = Catalogue::label(list_.shownDetail());
    if (jobs != nullptr && jobs->validIndex(row + 1))
        dialog.loadFrom(jobs->at(row + 1));
    if (!ModalSeam::accepted(dialog))
        return;
    SyncJob job;
    dialog.applyTo(job);
    setCell(row, 0, std::string(job.sourcePath()));
    setCell(row, 1, std::string(job.targetPath()));
    setCell(row, 2, std::string(job.transferMode()));
    setCell(row, 3, std::string(job.deletions()));
    if (jobs != nullptr && jobs->validIndex(row + 1))
        jobs->at(row + 1) = job;
}

void RowEditor::editExclude(int row) {
    PackageDesc* p = list_.shownPackage();
    CPath dialog(&list_, list_.browser());
    dialog.caption = Catalogue::label(DetailKind::Exclude);
    dialog.path = AnsiQt::fromQString(list_.topLevelItem(row)->text(0));
    if (!ModalSeam::accepted(dialog))
        return;
    setCell(row, 0, dialog.path);
    if (p != nullptr && p->excludes.validIndex(row + 1))
        p->excludes.at(row + 1) = dialog.path;
}

void RowEditor::editCommandFiles(int row, const RowSpec& spec) {
    PackageDesc* p = list_.shownPackage();
    if (p == nullptr)
        return;
    CNcf dialog(&list_, list_.browser());
    dialog.caption = spec.label;
    dialog.loadFrom(*p, spec.moment);
    if (!ModalSeam::accepted(dialog))
        return;
    dialog.applyTo(*p, spec.moment);
    setCell(row, 1, DetailContent::ncfSummary(dialog.runOnSource, dialog.runOnTarget));
}

void RowEditor::editLogDirectory(int row, const RowSpec& spec, const QString& value) {
    CPath dialog(&list_, list_.browser());
    dialog.caption = spec.label;
    dialog.path = AnsiQt::fromQString(value);
    if (!ModalSeam::accepted(dialog))
        return;
    model().global.logDir = dialog.logDirectory();
    setCell(row, 1, model().global.logDir);
}

void RowEditor::refreshRow(int row) {
    const QTreeWidgetItem* node = list_.shownItem();
    const int index =
        node != nullptr && node->parent() != nullptr ? list_.FindPackageIndex(node->parent()) : 0;
    const std::vector<std::string> cells = DetailContent::rowCells(
        model(), list_.shownDetail(), index, list_.FindApplicationIndex(node), row);
    for (int c = 0; c < static_cast<int>(cells.size()); ++c)
        setCell(row, c, cells[static_cast<std::size_t>(c)]);
}

void RowEditor::editTarget(int row) {
    PackageDesc* p = list_.shownPackage();
    if (p == nullptr || !p->targets.validIndex(row + 1))
        return;
    TargetServer& target = p->targets.at(row + 1);
    CTargetServer dialog(&list_);
    dialog.loadFrom(target);
    if (!ModalSeam::accepted(dialog))
        return;
    dialog.applyTo(target);
    refreshRow(row);
}

void RowEditor::editDestinationPackages(int row, const QString& value) {
    CDestPackages dialog(&list_);
    dialog.loadFrom(model().packages, AnsiQt::fromQString(value));
    if (!ModalSeam::accepted(dialog))
        return;
    const int index = applicationIndex();
    if (index == 0)
        return;
    ApplicationDesc& app = model().applications.at(index);
    dialog.applyTo(app);
    setCell(row, 1, app.dstPackages);
}

void RowEditor::editSchedule(int row, const RowSpec& spec) {
    PackageDesc* p = list_.shownPackage();
    if (p == nullptr)
        return;
    CRunSchedule dialog(&list_);
    dialog.caption = spec.label;
    dialog.loadFrom(p->scheduleWhen);
    if (!ModalSeam::accepted(dialog))
        return;
    p->scheduleWhen = dialog.word();
    setCell(row, 1, ScheduleText::display(p->scheduleWhen));
}

void RowEditor::editDays(int row, const RowSpec& spec, const QString& value) {
    CDays dialog(&list_);
    dialog.loadFrom(AnsiQt::fromQString(value));
    if (!ModalSeam::accepted(dialog))
        return;
    store(row, spec, dialog.dayList());
}

void RowEditor::editLogEvents(int row, const RowSpec& spec, const QString& value) {
    CLogEvents dialog(&list_);
    dialog.loadFrom(AnsiQt::fromQString(value));
    if (!ModalSeam::accepted(dialog))
        return;
    store(row, spec, dialog.eventList());
}

void RowEditor::editOpenFiles(int row) {
    PackageDesc* p = list_.shownPackage();
    if (p == nullptr)
        return;
    COpenFiles dialog(&list_);
    dialog.loadFrom(*p);
    if (!ModalSeam::accepted(dialog))
        return;
    dialog.applyTo(*p);
    setCell(row, 1, DetailContent::openFileText(*p));
}

void RowEditor::editTimeRestriction(int row) {
    GlobalSettings& g = model().global;
    CTimeRestriction dialog(&list_);
    dialog.loadFrom(g);
    if (!ModalSeam::accepted(dialog))
        return;
    dialog.applyTo(g);
    // The row shows the span right after the edit; a rebuild shows the flag.
    setCell(row, 1, ScheduleText::jobWindowDisplay(dialog.enabled != 0, g.startJob, g.endJob));
}

void RowEditor::editPassword(int row) {
    CPassword dialog(&list_);
    if (!ModalSeam::accepted(dialog))
        return;
    model().password = Scramble(dialog.newPassword);
    setCell(row, 1, QStringLiteral("******"));
}
