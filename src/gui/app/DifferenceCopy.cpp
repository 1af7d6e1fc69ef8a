#include "DifferenceCopy.h"

#include "config/ApplicationTable.h"
#include "config/ListTable.h"
#include "config/SettingTable.h"
#include "configwindow/CPallworthDoc.h"
#include "framework/AnsiQt.h"
#include "framework/ChangeValue.h"
#include "framework/EntryCommand.h"
#include "framework/MoveCommand.h"
#include "taskfile/TaskFileTable.h"
#include "taskwindow/CPallworthDoc2.h"

#include <algorithm>

namespace {

using Kind = Difference::Kind;

// A setting's model field and its form, by its index in its table.
struct SettingField {
    std::string GlobalSettings::*global = nullptr;
    std::string ApplicationDesc::*application = nullptr;
    std::string PackageDesc::*package = nullptr;
    std::string TaskFileModel::*task = nullptr;
};

const SettingRow* settingRow(const Difference& d) {
    if (d.setting < 0 || d.node == DetailKind::Application)
        return nullptr;
    return &SettingTable::kRows[static_cast<std::size_t>(d.setting)];
}

// The field a setting difference names (of the default settings, a package,
// an application or a task file), where copying one value is all a copy
// takes: the password, the time window and the open-file delay hold more
// than the value shown.
std::optional<SettingField> fieldOf(const Difference& d, bool config) {
    if (d.setting < 0)
        return std::nullopt;
    if (!config)
        return SettingField{
            .task = TaskFileTable::kSettings[static_cast<std::size_t>(d.setting)].member};
    if (d.node == DetailKind::Application)
        return SettingField{
            .application = ApplicationTable::kFields[static_cast<std::size_t>(d.setting)].member};
    const SettingRow& row = *settingRow(d);
    if (row.form == SettingForm::Password || row.form == SettingForm::TimeWindow ||
        row.form == SettingForm::OpenFiles)
        return std::nullopt;
    SettingField field;
    if (d.oldRecord == 0 && d.newRecord == 0)
        field.global = row.global;
    else
        field.package = d.part == 0 ? row.package : row.second;
    return field;
}

// An entry of the document's list with one field as the other file has it;
// a task is one text.
template <typename T> T withField(T entry, int field, const std::string& value) {
    if constexpr (std::is_same_v<T, std::string>)
        return value;
    else
        entry.setField(field, value);
    return entry;
}

// What a copy does to an entry: puts the other file's in, takes the
// document's out, moves it or sets a field of it.
enum class EntryCopy { None, Insert, Remove, Move, Field };

EntryCopy entryCopyOf(const Difference& d, int mine, int theirs) {
    if (d.setting >= 0 || (mine == 0 && theirs == 0))
        return EntryCopy::None;
    if (mine == 0)
        return EntryCopy::Insert;
    if (theirs == 0)
        return EntryCopy::Remove;
    if (d.kind == Kind::Moved)
        return EntryCopy::Move;
    return d.kind == Kind::Changed ? EntryCopy::Field : EntryCopy::None;
}

template <typename Record> constexpr bool kApplications = std::is_same_v<Record, ApplicationDesc>;

// 1-based index of the record named `name`, 0 when none has it.
template <typename Record> int indexOf(const EntryList<Record>& table, const std::string& name) {
    const auto found = std::ranges::find(table, name, &Record::name);
    return found == table.end() ? 0 : static_cast<int>(found - table.begin()) + 1;
}

// A field of the document's package, found again by its id.
template <typename Value>
std::function<Value*()> packageField(CPallworthDoc& doc, RecordId id, Value PackageDesc::*member) {
    return [&doc, id, member]() -> Value* {
        PackageDesc* p = doc.package(id);
        return p != nullptr ? &(p->*member) : nullptr;
    };
}

} // namespace

DifferenceCopy::DifferenceCopy(TreeListDocument& document, const Other& other, bool documentNew)
    : document_(document), other_(other), documentNew_(documentNew) {}

RecordId DifferenceCopy::documentRecord(const Difference& d) const {
    return documentNew_ ? d.newRecord : d.oldRecord;
}

int DifferenceCopy::documentEntry(const Difference& d) const {
    return documentNew_ ? d.newEntry : d.oldEntry;
}

RecordId DifferenceCopy::otherRecord(const Difference& d) const {
    return documentNew_ ? d.oldRecord : d.newRecord;
}

int DifferenceCopy::otherEntry(const Difference& d) const {
    return documentNew_ ? d.oldEntry : d.newEntry;
}

bool DifferenceCopy::isRecord(const Difference& d) {
    return !d.record.empty() && d.path.empty();
}

DifferenceCopy::Whole DifferenceCopy::wholeOf(const Difference& d) {
    if (d.kind != Kind::Changed)
        return Whole::None;
    // The password's difference tells no setting: its values are masks.
    if (d.row == &SettingTable::of(GlobalSettings::Key::Password).label)
        return Whole::Password;
    const SettingRow* row = settingRow(d);
    if (row != nullptr && row->form == SettingForm::TimeWindow)
        return Whole::TimeWindow;
    if (row != nullptr && row->form == SettingForm::OpenFiles)
        return Whole::OpenFiles;
    return Whole::None;
}

QString DifferenceCopy::textOf(const Difference& d) {
    return tr("Copy %1").arg(AnsiQt::toQString(d.path.empty() ? d.record : d.path.back()));
}

bool DifferenceCopy::copies(const Difference& d) const {
    // A document that can never be saved takes no edit; the reader's notes
    // are not the user's to copy.
    if (document_.readOnlyReason() || d.kind == Kind::KeptLine || d.kind == Kind::SkippedLine)
        return false;
    if (isRecord(d))
        return config();
    if (entryCopyOf(d, documentEntry(d), otherEntry(d)) != EntryCopy::None)
        return d.node == DetailKind::Tasks || ListTable::row(d.node) != nullptr;
    if (d.kind != Kind::Changed)
        return false;
    return (config() && wholeOf(d) != Whole::None) || fieldOf(d, config()).has_value();
}

std::optional<QString> DifferenceCopy::copy(const Difference& d) {
    if (!copies(d))
        return std::nullopt;
    auto* configDoc = qobject_cast<CPallworthDoc*>(&document_);
    if (isRecord(d) && configDoc != nullptr) {
        // The document's record commands tell its windows; the lists follow.
        const std::optional<QString> refused = copyRecord(d, *configDoc);
        document_.ContentChanged(nullptr);
        return refused;
    }
    if (entryCopyOf(d, documentEntry(d), otherEntry(d)) != EntryCopy::None)
        return copyEntry(d);
    if (configDoc != nullptr && wholeOf(d) != Whole::None)
        copyWhole(d, *configDoc);
    else
        copyValue(d);
    return std::nullopt;
}

std::optional<QString> DifferenceCopy::copyRecord(const Difference& d, CPallworthDoc& doc) {
    const ConfigModel& file = std::get<ConfigModel>(other_);
    const ConfigModel& model = doc.model();
    const bool applications = d.node == DetailKind::Application;
    const RecordId mine = documentRecord(d);
    if (mine == 0)
        return applications ? insertRecord(d, doc, file.applications, model.applications)
                            : insertRecord(d, doc, file.packages, model.packages);
    if (otherRecord(d) == 0) {
        doc.RemoveRecord(mine);
        return std::nullopt;
    }
    if (d.kind == Kind::Renamed)
        return renameRecord(d, doc);
    if (d.kind == Kind::Moved) {
        const int from = applications ? model.applicationIndex(mine) : model.packageIndex(mine);
        const int count = applications ? model.applications.count() : model.packages.count();
        doc.MoveRecord(applications, from, std::min(otherEntry(d), count));
    }
    return std::nullopt;
}

template <typename Record>
std::optional<QString> DifferenceCopy::insertRecord(const Difference& d, CPallworthDoc& doc,
                                                    const EntryList<Record>& theirs,
                                                    const EntryList<Record>& mine) {
    const int from = otherEntry(d);
    if (!theirs.validIndex(from))
        return std::nullopt;
    // After the record the other file has before it, where the document
    // has that one too.
    const int before = from > 1 ? indexOf(mine, theirs.at(from - 1).name) : 0;
    const int at = before > 0 ? before + 1 : std::min(from, mine.count() + 1);
    Record copied = theirs.at(from);
    // Its line numbers count the other file's lines.
    copied.takeLines(nullptr);
    std::optional<RecordId> added;
    if constexpr (kApplications<Record>)
        added = doc.InsertApplication(std::move(copied), at, "Copy");
    else
        added = doc.InsertPackage(std::move(copied), at, "Copy");
    if (added)
        return std::nullopt;
    return kApplications<Record> ? tr("The configuration holds as many applications as it can.")
                                 : tr("The configuration holds as many packages as it can.");
}

std::optional<QString> DifferenceCopy::renameRecord(const Difference& d, CPallworthDoc& doc) {
    const std::string& name = documentNew_ ? d.oldValue : d.newValue;
    const ConfigModel& model = doc.model();
    const bool applications = d.node == DetailKind::Application;
    const RecordId mine = documentRecord(d);
    const int same =
        applications ? indexOf(model.applications, name) : indexOf(model.packages, name);
    const RecordId holder = same == 0      ? 0
                            : applications ? model.applications.at(same).id
                                           : model.packages.at(same).id;
    if (holder != 0 && holder != mine)
        return tr("\"%1\" is the name of another record. Rename that one first.")
            .arg(AnsiQt::toQString(name));
    doc.RenameRecord(mine, name);
    return std::nullopt;
}

template <typename Value>
void DifferenceCopy::addChange(std::vector<QUndoCommand*>& commands, const Difference& d,
                               ModelCommand::Place place, std::function<Value*()> locate,
                               const Value& value) {
    const Value* now = locate();
    if (now != nullptr && !(*now == value))
        commands.push_back(
            new ChangeValue<Value>(document_, textOf(d), place, std::move(locate), *now, value));
}

void DifferenceCopy::push(const QString& text, const std::vector<QUndoCommand*>& commands) {
    if (commands.empty())
        return;
    QUndoStack& stack = document_.undoStack();
    if (commands.size() > 1)
        stack.beginMacro(text);
    for (QUndoCommand* command : commands)
        stack.push(command);
    if (commands.size() > 1)
        stack.endMacro();
    document_.ContentChanged(nullptr);
}

void DifferenceCopy::copyValue(const Difference& d) {
    const std::string& value = documentNew_ ? d.oldValue : d.newValue;
    const SettingField field = *fieldOf(d, config());
    const RecordId record = documentRecord(d);
    std::function<std::string*()> locate;
    if (auto* config = qobject_cast<CPallworthDoc*>(&document_)) {
        locate = [config, field, record]() -> std::string* {
            if (field.global != nullptr)
                return &(config->model().global.*field.global);
            if (field.application != nullptr) {
                ApplicationDesc* a = config->application(record);
                return a != nullptr ? &(a->*field.application) : nullptr;
            }
            PackageDesc* p = config->package(record);
            return p != nullptr ? &(p->*field.package) : nullptr;
        };
    } else if (auto* tasks = qobject_cast<CPallworthDoc2*>(&document_)) {
        locate = [tasks, field]() -> std::string* { return &(tasks->model().*field.task); };
    }
    std::vector<QUndoCommand*> commands;
    addChange(commands, d, {d.node, record}, locate, value);
    push(textOf(d), commands);
}

void DifferenceCopy::copyWhole(const Difference& d, CPallworthDoc& doc) {
    const ConfigModel& file = std::get<ConfigModel>(other_);
    std::vector<QUndoCommand*> commands;
    const ModelCommand::Place place{d.node, documentRecord(d)};
    switch (wholeOf(d)) {
    case Whole::Password:
        // The stored, scrambled form, as the other file holds it.
        addChange<std::string>(
            commands, d, place, [&doc] { return &doc.model().password; }, file.password);
        break;
    case Whole::TimeWindow:
        // Its start, its end and whether it applies are one setting.
        for (auto field :
             {&GlobalSettings::startJob, &GlobalSettings::endJob, &GlobalSettings::jobWindow})
            addChange<std::string>(
                commands, d, place, [&doc, field] { return &(doc.model().global.*field); },
                file.global.*field);
        break;
    case Whole::OpenFiles: {
        const int theirs = file.packageIndex(otherRecord(d));
        if (theirs == 0)
            break;
        const PackageDesc& p = file.packages.at(theirs);
        const RecordId id = place.record;
        addChange(commands, d, place, packageField(doc, id, &PackageDesc::ofHandler), p.ofHandler);
        addChange(commands, d, place, packageField(doc, id, &PackageDesc::ofHandlerDelay),
                  p.ofHandlerDelay);
        break;
    }
    case Whole::None:
        break;
    }
    push(textOf(d), commands);
}

std::optional<QString> DifferenceCopy::copyEntry(const Difference& d) {
    if (auto* tasks = qobject_cast<CPallworthDoc2*>(&document_))
        return copyEntry<std::string>(
            d, [tasks] { return &tasks->model().tasks; }, &std::get<TaskFileModel>(other_).tasks);
    auto* config = qobject_cast<CPallworthDoc*>(&document_);
    const ConfigModel& file = std::get<ConfigModel>(other_);
    const int index = file.packageIndex(otherRecord(d));
    const ListRow* row = ListTable::row(d.node);
    std::optional<QString> refused;
    if (config == nullptr || row == nullptr || index == 0)
        return refused;
    ListTable::visit(*row, [&](auto member) {
        using List = std::remove_cvref_t<decltype(file.packages.at(index).*member)>;
        refused = copyEntry<typename List::value_type>(d, config->listOf(documentRecord(d), member),
                                                       &(file.packages.at(index).*member));
    });
    return refused;
}

template <typename T>
std::optional<QString> DifferenceCopy::copyEntry(const Difference& d,
                                                 const std::function<EntryList<T>*()>& list,
                                                 const EntryList<T>* theirs) {
    EntryList<T>* mine = list();
    const int at = documentEntry(d);
    const int from = otherEntry(d);
    const ModelCommand::Place place{d.node, documentRecord(d)};
    std::vector<QUndoCommand*> commands;
    switch (entryCopyOf(d, at, from)) {
    case EntryCopy::Insert:
        if (mine != nullptr && mine->full())
            return tr("The list holds as many entries as it can.");
        // At the other file's place, or at the end of a shorter list, with
        // the lines kept before it.
        if (mine != nullptr && theirs->validIndex(from))
            commands.push_back(EntryCommand<T>::insert(
                document_, textOf(d), place, list, std::min(from, mine->count() + 1),
                theirs->at(from), std::string(theirs->kept(from))));
        break;
    case EntryCopy::Remove:
        if (mine != nullptr && mine->validIndex(at))
            commands.push_back(EntryCommand<T>::remove(document_, textOf(d), place, list, at));
        break;
    case EntryCopy::Move:
        if (mine != nullptr && mine->validIndex(at) && from >= 1 &&
            std::min(from, mine->count()) != at)
            commands.push_back(new MoveCommand(
                document_, textOf(d), place,
                [list](int f, int t) {
                    if (EntryList<T>* l = list())
                        l->move(f, t);
                },
                at, std::min(from, mine->count())));
        break;
    case EntryCopy::Field:
        if (mine != nullptr && mine->validIndex(at)) {
            const std::string& value = documentNew_ ? d.oldValue : d.newValue;
            addChange<T>(
                commands, d, place,
                [list, at]() -> T* {
                    EntryList<T>* l = list();
                    return l != nullptr && l->validIndex(at) ? &l->at(at) : nullptr;
                },
                withField(mine->at(at), d.part, value));
        }
        break;
    case EntryCopy::None:
        break;
    }
    push(textOf(d), commands);
    return std::nullopt;
}
