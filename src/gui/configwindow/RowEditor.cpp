#include "RowEditor.h"

#include "CPallworthDoc.h"
#include "CPallworthTreeView.h"
#include "CSyncView.h"
#include "DetailContent.h"
#include "EntryDialogs.h"
#include "config/ListTable.h"
#include "config/ScheduleText.h"
#include "config/Scramble.h"
#include "dialogs/CDays.h"
#include "dialogs/CDestPackages.h"
#include "dialogs/CLogEvents.h"
#include "dialogs/CNcf.h"
#include "dialogs/COpenFiles.h"
#include "dialogs/CPassword.h"
#include "dialogs/CPath.h"
#include "dialogs/CRunSchedule.h"
#include "dialogs/CText.h"
#include "dialogs/CTimeRestriction.h"
#include "framework/AnsiQt.h"
#include "framework/ModalSeam.h"
#include "text/TextUtil.h"

RowEditor::RowEditor(CSyncView& list)
    : list_(list), property_(list, list.document(), list.browser()) {}

ConfigModel& RowEditor::model() const {
    return list_.document().model();
}

int RowEditor::applicationIndex() const {
    return list_.FindApplicationIndex(list_.shownItem());
}

ModelCommand::Place RowEditor::place() const {
    const DetailKind shown = list_.shownDetail();
    switch (Catalogue::node(shown).record) {
    case RecordKind::Package:
        if (const PackageDesc* p = list_.shownPackage())
            return {shown, p->id};
        break;
    case RecordKind::Application:
        return {shown, CPallworthTreeView::recordOf(list_.shownItem())};
    default:
        break;
    }
    return {shown, 0};
}

RowEditor::Locate<std::string> RowEditor::globalField(std::string GlobalSettings::*member) const {
    return [&doc = list_.document(), member] { return &(doc.model().global.*member); };
}

template <typename Value>
RowEditor::Locate<Value> RowEditor::packageField(Value PackageDesc::*member) const {
    return [&doc = list_.document(), id = place().record, member]() -> Value* {
        PackageDesc* p = doc.package(id);
        return p != nullptr ? &(p->*member) : nullptr;
    };
}

template <typename T>
RowEditor::Locate<T> RowEditor::packageEntry(EntryList<T> PackageDesc::*list, int index) const {
    return [&doc = list_.document(), id = place().record, list, index]() -> T* {
        PackageDesc* p = doc.package(id);
        return p != nullptr && (p->*list).validIndex(index) ? &(p->*list).at(index) : nullptr;
    };
}

RowEditor::Locate<std::string> RowEditor::locate(const RowSpec& spec) const {
    switch (Catalogue::node(list_.shownDetail()).record) {
    case RecordKind::Global:
        if (spec.global != nullptr)
            return globalField(spec.global);
        break;
    case RecordKind::Package:
        if (spec.package != nullptr && list_.shownPackage() != nullptr)
            return packageField(spec.package);
        break;
    case RecordKind::Application:
        if (spec.application != nullptr && applicationIndex() > 0)
            return [&doc = list_.document(), id = place().record,
                    member = spec.application]() -> std::string* {
                ApplicationDesc* app = doc.application(id);
                return app != nullptr ? &(app->*member) : nullptr;
            };
        break;
    case RecordKind::None:
    case RecordKind::TaskFile:
        break;
    }
    return {};
}

template <typename Value>
void RowEditor::change(std::string_view label, const Locate<Value>& at, Value value) {
    property_.change(label, place(), at, std::move(value));
}

template <typename Work> void RowEditor::changeTogether(std::string_view label, Work work) {
    QUndoStack& stack = list_.document().undoStack();
    stack.beginMacro(PropertyRowEditor::editText(label));
    work();
    stack.endMacro();
}

void RowEditor::store(int row, const RowSpec& spec, const std::string& text) {
    property_.store(row, spec.label(), place(), locate(spec), text);
}

void RowEditor::setCell(int row, int column, const QString& text) {
    property_.setCell(row, column, text);
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
    const ListRow* list = ListTable::row(list_.shownDetail());
    if (list == nullptr)
        return false;
    if (!list->ofPackage())
        editGroupName(row, *list);
    else if (list_.shownPackage() != nullptr)
        ListTable::visit(*list, [&](auto member) { editListEntry(row, *list, member); });
    return true;
}

// The dialog of the list's entries, with a copy of the entry; the row shows
// the entry as the model then holds it.
template <typename T>
void RowEditor::editListEntry(int row, const ListRow& list, EntryList<T> PackageDesc::*member) {
    const Locate<T> at = packageEntry(member, row + 1);
    const T* now = at();
    if (now == nullptr)
        return;
    T entry = *now;
    if (!EntryDialogs(&list_, list_.browser(), list).run(entry, false))
        return;
    change(list.caption(), at, std::move(entry));
    refreshRow(row);
}

void RowEditor::editProperty(int row, const RowSpec& spec, const QString& value) {
    if (PropertyRowEditor::edits(spec.dialog)) {
        property_.edit(row, spec, place(), locate(spec));
        return;
    }
    switch (spec.dialog) {
    case RowDialog::LogDirectory:
        return editLogDirectory(row, spec, value);
    case RowDialog::Password:
        return editPassword(row, spec);
    case RowDialog::TimeRestriction:
        return editTimeRestriction(row, spec);
    case RowDialog::LogEvents:
        return editLogEvents(row, spec, value);
    case RowDialog::Days:
        return editDays(row, spec, value);
    case RowDialog::Schedule:
        return editSchedule(row, spec);
    case RowDialog::OpenFiles:
        return editOpenFiles(row, spec);
    case RowDialog::CommandFiles:
        return editCommandFiles(row, spec);
    case RowDialog::DestinationPackages:
        return editDestinationPackages(row, spec, value);
    default:
        break;
    }
}

void RowEditor::editGroupName(int row, const ListRow& list) {
    const bool applications = list.node == DetailKind::Applications;
    CText dialog(&list_);
    dialog.caption = list.caption();
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

void RowEditor::editCommandFiles(int row, const RowSpec& spec) {
    PackageDesc* p = list_.shownPackage();
    if (p == nullptr)
        return;
    CNcf dialog(&list_, list_.browser());
    dialog.caption = spec.label();
    dialog.loadFrom(*p, spec.moment);
    if (!ModalSeam::accepted(dialog))
        return;
    const Locate<std::string> source = locate(spec);
    const Locate<std::string> target = packageField(spec.packageTarget);
    if (PropertyRowEditor::differs(source, dialog.runOnSource) ||
        PropertyRowEditor::differs(target, dialog.runOnTarget))
        changeTogether(spec.label(), [&] {
            change(spec.label(), source, dialog.runOnSource);
            change(spec.label(), target, dialog.runOnTarget);
        });
    setCell(row, 1, DetailContent::ncfSummary(dialog.runOnSource, dialog.runOnTarget));
}

void RowEditor::editLogDirectory(int row, const RowSpec& spec, const QString& value) {
    CPath dialog(&list_, list_.browser());
    dialog.caption = spec.label();
    dialog.path = AnsiQt::fromQString(value);
    const std::string stored = dialog.path;
    if (!ModalSeam::accepted(dialog))
        return;
    // The closing "\" is added to a path the user typed, not to the file's.
    change(spec.label(), locate(spec), dialog.path == stored ? stored : dialog.logDirectory());
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

void RowEditor::editDestinationPackages(int row, const RowSpec& spec, const QString& value) {
    CDestPackages dialog(&list_);
    dialog.loadFrom(model().packages, AnsiQt::fromQString(value));
    if (!ModalSeam::accepted(dialog))
        return;
    const int index = applicationIndex();
    if (index == 0)
        return;
    ApplicationDesc picked;
    dialog.applyTo(picked);
    change(spec.label(), locate(spec), picked.dstPackages);
    setCell(row, 1, picked.dstPackages);
}

void RowEditor::editSchedule(int row, const RowSpec& spec) {
    PackageDesc* p = list_.shownPackage();
    if (p == nullptr)
        return;
    CRunSchedule dialog(&list_);
    dialog.caption = spec.label();
    dialog.loadFrom(p->scheduleWhen);
    if (!ModalSeam::accepted(dialog))
        return;
    change(spec.label(), locate(spec), dialog.word());
    setCell(row, 1, ScheduleText::display(dialog.word()));
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

void RowEditor::editOpenFiles(int row, const RowSpec& spec) {
    PackageDesc* p = list_.shownPackage();
    if (p == nullptr)
        return;
    COpenFiles dialog(&list_);
    dialog.loadFrom(*p);
    if (!ModalSeam::accepted(dialog))
        return;
    // The dialog sets two fields; a package without entries takes them.
    PackageDesc chosen;
    dialog.applyTo(chosen);
    const Locate<std::string> method = packageField(&PackageDesc::ofHandler);
    const Locate<std::int32_t> delay = packageField(&PackageDesc::ofHandlerDelay);
    if (PropertyRowEditor::differs(method, chosen.ofHandler) ||
        PropertyRowEditor::differs(delay, chosen.ofHandlerDelay))
        changeTogether(spec.label(), [&] {
            change(spec.label(), method, chosen.ofHandler);
            change(spec.label(), delay, chosen.ofHandlerDelay);
        });
    setCell(row, 1, DetailContent::openFileText(*p));
}

void RowEditor::editTimeRestriction(int row, const RowSpec& spec) {
    const GlobalSettings& g = model().global;
    CTimeRestriction dialog(&list_);
    dialog.loadFrom(g);
    if (!ModalSeam::accepted(dialog))
        return;
    GlobalSettings chosen = g;
    dialog.applyTo(chosen);
    using G = GlobalSettings;
    const auto fields = {&G::startJob, &G::endJob, &G::jobWindow};
    if (std::any_of(fields.begin(), fields.end(),
                    [&](auto field) { return g.*field != chosen.*field; }))
        changeTogether(spec.label(), [&] {
            for (auto field : fields)
                change(spec.label(), globalField(field), chosen.*field);
        });
    // The row shows the span right after the edit; a rebuild shows the flag.
    setCell(row, 1, ScheduleText::jobWindowDisplay(dialog.enabled != 0, g.startJob, g.endJob));
}

void RowEditor::editPassword(int row, const RowSpec& spec) {
    CPassword dialog(&list_);
    if (!ModalSeam::accepted(dialog) || dialog.keepsPresent())
        return;
    change(spec.label(),
           Locate<std::string>([&doc = list_.document()] { return &doc.model().password; }),
           Scramble(dialog.newPassword));
    setCell(row, 1, QStringLiteral("******"));
}
