#include "RowEditor.h"

#include "app/AnsiQt.h"
#include "app/ModalSeam.h"
#include "config/CPallworthDoc.h"
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
#include "views/CPallworthTreeView.h"
#include "views/CSyncView.h"
#include "views/DetailContent.h"

#include <array>

namespace {

using G = GlobalSettings;
using P = PackageDesc;

// A keyword row: the choice list, and the package and global fields it
// edits (either may be absent).
struct ChoiceRow {
    std::string_view label;
    int kind;
    std::string P::*package;
    std::string G::*global;
};

constexpr std::array<ChoiceRow, 13> kChoiceRows{{
    {"Transfer IRMs (Inherited Rights Mask)", 1, &P::transferIrm, &G::transferIrm},
    {"Transfer file system attributes", 1, &P::transferAttrs, &G::transferAttrs},
    {"Transfer file owner", 1, &P::transferOwner, &G::transferOwner},
    {"Transfer file system rights", 1, &P::transferTrustee, &G::transferTrustee},
    {"Protect read-only files", 1, &P::skipReadOnly, &G::skipReadOnly},
    {"Scan directories in advance", 1, &P::preStat, nullptr},
    {"Namespace", 2, nullptr, &G::nameSpace},
    {"Namespace to operate on", 2, nullptr, &G::nameSpace},
    {"Sync mode", 3, &P::syncMode, &G::syncMode},
    {"Display type", 4, nullptr, &G::display},
    {"Log files based on ...", 4, &P::logMethod, nullptr},
    {"Transport protocol", 5, &P::protocol, nullptr},
    {"Debug", 1, nullptr, &G::debug},
}};

struct NumberRow {
    std::string_view label;
    std::string G::*global;
};

constexpr std::array<NumberRow, 5> kNumberRows{{
    {"Failed job retry interval", &G::retryInterval},
    {"Max. threads", &G::maxThreads},
    {"Number of times a failed job can be retried", &G::retryCount},
    {"Log size limit", &G::logSize},
    {"Debug log size limit", &G::dbgLogSize},
}};

// A free-text row of a package: the field and what it must hold to read back.
struct MessageRow {
    std::string_view label;
    std::string P::*field;
};

constexpr std::array<MessageRow, 4> kMessageRows{{
    {"Start Message", &P::preMsg},
    {"End Message", &P::postMsg},
    {"Error Message", &P::errorMsg},
    {"Suspend Message", &P::suspendMsg},
}};

template <typename Row, std::size_t N>
const Row* findRow(const std::array<Row, N>& rows, const QString& label) {
    const std::string key = AnsiQt::fromQString(label);
    for (const Row& row : rows)
        if (row.label == key)
            return &row;
    return nullptr;
}

bool accepted(QDialog& dialog) {
    return ModalSeam::runModal(dialog) == QDialog::Accepted;
}

} // namespace

RowEditor::RowEditor(CSyncView& list) : list_(list) {}

CPallworthDoc& RowEditor::document() const {
    return list_.document();
}

ConfigModel& RowEditor::model() const {
    return list_.document().model();
}

PackageDesc* RowEditor::package() const {
    const int index = list_.shownPackageIndex();
    return index > 0 ? &model().packages.at(index) : nullptr;
}

void RowEditor::setCell(int row, int column, const QString& text) {
    if (QTreeWidgetItem* item = list_.topLevelItem(row))
        item->setText(column, text);
}

void RowEditor::setCell(int row, int column, const std::string& ansi) {
    setCell(row, column, AnsiQt::toQString(ansi));
}

void RowEditor::EditRow() {
    document().setModifiedFlag();
    const int row = list_.selectedRow();
    if (row < 0)
        return;
    if (!editByNode(row)) {
        QTreeWidgetItem* item = list_.topLevelItem(row);
        editByRow(row, item->text(0), item->text(1));
    }
    list_.setFocus();
}

bool RowEditor::editByNode(int row) {
    const QString& label = list_.shownLabel();
    QTreeWidgetItem* item = list_.topLevelItem(row);
    switch (list_.shownKind()) {
    case GroupNode:
        editGroupName(row, label == QStringLiteral("Application descriptions"));
        return true;
    case ApplicationNode:
        editApplicationRow(row, item->text(0), item->text(1));
        return true;
    case DetailNode:
        break;
    default:
        return true;
    }
    if (label == QStringLiteral("Files") || label == QStringLiteral("Directories"))
        editJob(row, label == QStringLiteral("Files"));
    else if (label == QStringLiteral("Exclude"))
        editExclude(row);
    else if (label == QStringLiteral("Target Server(s)"))
        editTarget(row);
    else
        return false;
    return true;
}

void RowEditor::editGroupName(int row, bool applications) {
    CText dialog(&list_);
    dialog.caption = applications ? "Application" : "Name";
    dialog.text = AnsiQt::fromQString(list_.topLevelItem(row)->text(0));
    dialog.rule = ValueRules::Rule::Name;
    if (!accepted(dialog))
        return;
    setCell(row, 0, dialog.text);
    // The row stands for entry row + 1, even when another record has the
    // same name.
    const int index = row + 1;
    if (applications && model().applications.validIndex(index))
        document().RenameRecord(model().applications.at(index).id, dialog.text);
    else if (!applications && model().packages.validIndex(index))
        document().RenameRecord(model().packages.at(index).id, dialog.text);
}

void RowEditor::editApplicationRow(int row, const QString& label, const QString& value) {
    const int index = list_.FindApplicationIndex(list_.shownItem());
    if (label == QStringLiteral("Destination packages")) {
        editDestinationPackages(row, index, value);
        return;
    }
    if (label == QStringLiteral("Path")) {
        editApplicationPath(row, index, value);
        return;
    }
    CText dialog(&list_);
    dialog.caption = AnsiQt::fromQString(label);
    dialog.text = AnsiQt::fromQString(value);
    const bool server = label == QStringLiteral("Server");
    dialog.rule = server ? ValueRules::Rule::Word : ValueRules::Rule::Words;
    if (!accepted(dialog))
        return;
    const std::string text = TextUtil::upper(dialog.text);
    setCell(row, 1, text);
    if (index == 0)
        return;
    ApplicationDesc& app = model().applications.at(index);
    if (server)
        app.appServer = text;
    else if (label == QStringLiteral("Destination servers"))
        app.dstServers = text;
}

void RowEditor::editByRow(int row, const QString& label, const QString& value) {
    if (editChoice(row, label, value) || editNumber(row, label, value) ||
        editText(row, label, value) || editPackageDialog(row, label))
        return;
    editGlobalDialog(row, label, value);
}

bool RowEditor::editChoice(int row, const QString& label, const QString& value) {
    const ChoiceRow* choice = findRow(kChoiceRows, label);
    if (choice == nullptr)
        return false;
    CChoice dialog(&list_);
    dialog.caption = AnsiQt::fromQString(label);
    dialog.kind = choice->kind;
    dialog.current = AnsiQt::fromQString(value);
    if (!accepted(dialog))
        return true;
    setCell(row, 1, dialog.result);
    if (PackageDesc* p = package(); p != nullptr && choice->package != nullptr)
        p->*choice->package = dialog.result;
    else if (package() == nullptr && choice->global != nullptr)
        model().global.*choice->global = dialog.result;
    return true;
}

bool RowEditor::editNumber(int row, const QString& label, const QString& value) {
    const NumberRow* number = findRow(kNumberRows, label);
    if (number == nullptr)
        return false;
    CNumber dialog(&list_);
    dialog.caption = AnsiQt::fromQString(label);
    dialog.value = TextUtil::leadingInt(TextUtil::trimLeft(AnsiQt::fromQString(value)));
    if (!accepted(dialog))
        return true;
    const std::string text = std::to_string(dialog.value);
    setCell(row, 1, text);
    model().global.*number->global = text;
    return true;
}

bool RowEditor::editText(int row, const QString& label, const QString& value) {
    const MessageRow* message = findRow(kMessageRows, label);
    const bool user = label == QStringLiteral("Username");
    const bool source = label == QStringLiteral("Source Server");
    if (message == nullptr && !user && !source)
        return false;
    CText dialog(&list_);
    dialog.caption = AnsiQt::fromQString(label);
    dialog.text = AnsiQt::fromQString(value);
    dialog.rule = message != nullptr ? ValueRules::Rule::Quoted : ValueRules::Rule::Word;
    if (!accepted(dialog))
        return true;
    setCell(row, 1, dialog.text);
    PackageDesc* p = package();
    if (user) {
        model().global.user = dialog.text;
    } else if (source && p != nullptr) {
        p->source = TextUtil::upper(dialog.text);
        setCell(row, 1, p->source);
    } else if (message != nullptr && p != nullptr) {
        p->*message->field = dialog.text;
    }
    return true;
}

void RowEditor::editJob(int row, bool files) {
    PackageDesc* p = package();
    EntryList<SyncJob>* jobs = p == nullptr ? nullptr : files ? &p->fileJobs : &p->dirJobs;
    CJob dialog(&list_);
    dialog.caption = files ? "Files" : "Directories";
    if (jobs != nullptr && jobs->validIndex(row + 1))
        dialog.loadFrom(jobs->at(row + 1));
    if (!accepted(dialog))
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
    PackageDesc* p = package();
    CPath dialog(&list_);
    dialog.caption = "Exclude";
    dialog.path = AnsiQt::fromQString(list_.topLevelItem(row)->text(0));
    if (!accepted(dialog))
        return;
    setCell(row, 0, dialog.path);
    if (p != nullptr && p->excludes.validIndex(row + 1))
        p->excludes.at(row + 1) = dialog.path;
}

void RowEditor::editApplicationPath(int row, int index, const QString& value) {
    CPath dialog(&list_);
    dialog.caption = "Path";
    dialog.path = AnsiQt::fromQString(value);
    if (!accepted(dialog))
        return;
    setCell(row, 1, dialog.path);
    if (index > 0)
        model().applications.at(index).appPath = dialog.path;
}

void RowEditor::editCommandFiles(int row, const QString& label) {
    const auto moment = CNcf::momentOf(AnsiQt::fromQString(label));
    PackageDesc* p = package();
    if (!moment || p == nullptr)
        return;
    CNcf dialog(&list_);
    dialog.caption = AnsiQt::fromQString(label);
    dialog.loadFrom(*p, *moment);
    if (!accepted(dialog))
        return;
    dialog.applyTo(*p, *moment);
    setCell(row, 1, DetailContent::ncfSummary(dialog.runOnSource, dialog.runOnTarget));
}

void RowEditor::editLogDirectory(int row, const QString& value) {
    CPath dialog(&list_);
    dialog.caption = AnsiQt::fromQString(QStringLiteral("Log directory"));
    dialog.path = AnsiQt::fromQString(value);
    if (!accepted(dialog))
        return;
    model().global.logDir = dialog.logDirectory();
    setCell(row, 1, model().global.logDir);
}

void RowEditor::refreshRow(int row) {
    const QTreeWidgetItem* node = list_.shownItem();
    const int index =
        node != nullptr && node->parent() != nullptr ? list_.FindPackageIndex(node->parent()) : 0;
    const std::vector<std::string> cells =
        DetailContent::rowCells(model(), list_.shownKind(), AnsiQt::fromQString(list_.shownLabel()),
                                index, list_.FindApplicationIndex(node), row);
    for (int c = 0; c < static_cast<int>(cells.size()); ++c)
        setCell(row, c, cells[static_cast<std::size_t>(c)]);
}

void RowEditor::editTarget(int row) {
    PackageDesc* p = package();
    if (p == nullptr || !p->targets.validIndex(row + 1))
        return;
    TargetServer& target = p->targets.at(row + 1);
    CTargetServer dialog(&list_);
    dialog.loadFrom(target);
    if (!accepted(dialog))
        return;
    dialog.applyTo(target);
    refreshRow(row);
}

void RowEditor::editDestinationPackages(int row, int index, const QString& value) {
    CDestPackages dialog(&list_);
    dialog.loadFrom(model().packages, AnsiQt::fromQString(value));
    if (!accepted(dialog))
        return;
    if (index == 0)
        return;
    ApplicationDesc& app = model().applications.at(index);
    dialog.applyTo(app);
    setCell(row, 1, app.dstPackages);
}

bool RowEditor::editPackageDialog(int row, const QString& label) {
    const QString value = list_.topLevelItem(row)->text(1);
    if (CNcf::momentOf(AnsiQt::fromQString(label)))
        editCommandFiles(row, label);
    else if (label == QStringLiteral("Schedule"))
        editSchedule(row);
    else if (label == QStringLiteral("Days to run"))
        editDays(row, value);
    else if (label == QStringLiteral("Open file handling method"))
        editOpenFiles(row);
    else if (label == QStringLiteral("Log event types"))
        editLogEvents(row, value);
    else
        return false;
    return true;
}

bool RowEditor::editGlobalDialog(int row, const QString& label, const QString& value) {
    if (label == QStringLiteral("Password"))
        editPassword(row);
    else if (label == QStringLiteral("Log directory"))
        editLogDirectory(row, value);
    else if (label == QStringLiteral("Time restriction"))
        editTimeRestriction(row);
    else
        return false;
    return true;
}

void RowEditor::editSchedule(int row) {
    PackageDesc* p = package();
    if (p == nullptr)
        return;
    CRunSchedule dialog(&list_);
    dialog.caption = "Schedule";
    dialog.loadFrom(p->scheduleWhen);
    if (!accepted(dialog))
        return;
    p->scheduleWhen = dialog.word();
    setCell(row, 1, ScheduleText::display(p->scheduleWhen));
}

void RowEditor::editDays(int row, const QString& value) {
    PackageDesc* p = package();
    CDays dialog(&list_);
    dialog.loadFrom(AnsiQt::fromQString(value));
    if (!accepted(dialog))
        return;
    const std::string days = dialog.dayList();
    setCell(row, 1, days);
    if (p != nullptr)
        p->scheduleDays = days;
}

void RowEditor::editLogEvents(int row, const QString& value) {
    CLogEvents dialog(&list_);
    dialog.loadFrom(AnsiQt::fromQString(value));
    if (!accepted(dialog))
        return;
    const std::string events = dialog.eventList();
    setCell(row, 1, events);
    if (PackageDesc* p = package())
        p->logEvent = events;
    else
        model().global.logEvent = events;
}

void RowEditor::editOpenFiles(int row) {
    PackageDesc* p = package();
    if (p == nullptr)
        return;
    COpenFiles dialog(&list_);
    dialog.loadFrom(*p);
    if (!accepted(dialog))
        return;
    dialog.applyTo(*p);
    setCell(row, 1, DetailContent::openFileText(*p));
}

void RowEditor::editTimeRestriction(int row) {
    GlobalSettings& g = model().global;
    CTimeRestriction dialog(&list_);
    dialog.loadFrom(g);
    if (!accepted(dialog))
        return;
    dialog.applyTo(g);
    // The row shows the span right after the edit; a rebuild shows the flag.
    setCell(row, 1, ScheduleText::jobWindowDisplay(dialog.enabled != 0, g.startJob, g.endJob));
}

void RowEditor::editPassword(int row) {
    CPassword dialog(&list_);
    if (!accepted(dialog))
        return;
    model().password = Scramble(dialog.newPassword);
    setCell(row, 1, QStringLiteral("******"));
}
