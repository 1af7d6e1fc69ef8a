#include "CPallworthDoc.h"

#include "config/ConfigReader.h"
#include "config/ConfigWriter.h"
#include "config/ReadBackChecks.h"
#include "config/SaveRules.h"
#include "framework/AnsiQt.h"
#include "framework/ChangeValue.h"
#include "framework/CountText.h"
#include "framework/EntryCommand.h"
#include "framework/MoveCommand.h"

#include <memory>
#include <type_traits>

CPallworthDoc::CPallworthDoc(DocTemplate& docTemplate)
    : ModelDocument(docTemplate), oem_(OemCodePage::fromEnvironment()) {}

ReadStatus CPallworthDoc::readBytes(std::string_view bytes, ReadReport::Mode mode,
                                    Progress* progress) {
    ConfigReader reader(oem_);
    reader.setProgress(progress);
    return reader.read(bytes, model_, mode);
}

// In pieces: a large file's bytes are not held beside the model they become.
ReadStatus CPallworthDoc::readFile(const std::string& path, ReadReport::Mode mode,
                                   Progress* progress, Status& read) {
    ConfigReader reader(oem_);
    reader.setProgress(progress);
    return reader.readFile(path, model_, read, mode);
}

Document::LineUpdate CPallworthDoc::linesOfWritten(std::string_view bytes) {
    // The written bytes read back as a model: only its lines are taken, and
    // the kept lines it notes, at their new places.
    auto written = std::make_shared<ConfigModel>();
    auto report = std::make_shared<ReadReport>(ConfigReader(oem_).read(bytes, *written).report);
    return [this, written, report] {
        model_.takeLines(*written);
        setUnkeptReport(*report);
    };
}

std::string CPallworthDoc::writeBytes() {
    model_.newerVersion = false;
    return ConfigWriter(oem_).write(model_);
}

bool CPallworthDoc::writePieces(const FileStore::Pieces& put, Progress& progress) {
    // A save runs beside the window's thread: it only reads the model. A
    // newer version's file is never saved, so there is no mark to clear.
    return ConfigWriter(oem_).write(model_, put, FileStore::kPiece, &progress);
}

std::optional<QString> CPallworthDoc::validateSave() {
    if (const Status save = SaveRules::validateSave(model_, isModified()); !save.ok)
        return AnsiQt::toQString(save.error);
    return std::nullopt;
}

QStringList CPallworthDoc::readBackWarnings() const {
    std::vector<Problem> problems;
    ReadBackChecks::run(model_, problems);
    QStringList warnings;
    for (const Problem& p : problems) {
        std::string place = p.nodeText();
        if (const std::string row = p.rowText(); !row.empty())
            place += ", " + row;
        warnings << AnsiQt::toQString(place + ": " + p.message);
    }
    return warnings;
}

std::optional<Document::ReadOnly> CPallworthDoc::readOnlyReason() const {
    const auto unsavable = SaveRules::neverSavable(model_);
    if (!unsavable)
        return std::nullopt;
    return ReadOnly{AnsiQt::toQString(unsavable->status), AnsiQt::toQString(unsavable->message)};
}

bool CPallworthDoc::readOnly() const {
    return SaveRules::neverSavable(model_).has_value();
}

QString CPallworthDoc::kindName() const {
    return tr("configuration");
}

PackageDesc* CPallworthDoc::package(RecordId id) {
    const int index = model_.packageIndex(id);
    return index > 0 ? &model_.packages.at(index) : nullptr;
}

ApplicationDesc* CPallworthDoc::application(RecordId id) {
    const int index = model_.applicationIndex(id);
    return index > 0 ? &model_.applications.at(index) : nullptr;
}

namespace {

template <typename Record> constexpr bool kApplications = std::is_same_v<Record, ApplicationDesc>;

// What an undo command calls a record: "application Office", "package Sales".
QString recordName(bool applications, const std::string& name) {
    return (applications ? QStringLiteral("application ") : QStringLiteral("package ")) +
           AnsiQt::toQString(name);
}

template <typename Record> QString recordText(const char* verb, const Record& record) {
    return QLatin1String(verb) + QLatin1Char(' ') + recordName(kApplications<Record>, record.name);
}

} // namespace

QString CPallworthDoc::countOf(bool applications, long long count) {
    return CountText::of(count, applications ? "application" : "package",
                         applications ? "applications" : "packages");
}

template <typename Record>
void CPallworthDoc::pushRecord(EntryList<Record> ConfigModel::*table, Record record, int index,
                               bool adding, const char* verb) {
    const RecordId id = record.id;
    const QString text = recordText(verb, record);
    const ModelCommand::Place place{
        kApplications<Record> ? DetailKind::Applications : DetailKind::Packages, id};
    auto locate = [this, table] { return &(model_.*table); };
    auto* command =
        adding ? EntryCommand<Record>::insert(*this, text, place, locate, index, std::move(record))
               : EntryCommand<Record>::remove(*this, text, place, locate, index);
    command->setAfter([this, id, adding](bool forward) { recordPlaced(id, forward == adding); });
    undoStack().push(command);
}

void CPallworthDoc::recordPlaced(RecordId id, bool present) {
    if (!present)
        emit recordRemoved(id);
    else if (application(id) != nullptr)
        emit applicationAdded(id);
    else
        emit packageAdded(id);
}

template <typename Record>
RecordId CPallworthDoc::pushAdded(EntryList<Record> ConfigModel::*table, int index,
                                  const char* verb) {
    // The command puts the new record in, so that redoing puts it back.
    EntryList<Record>& records = model_.*table;
    Record added = std::move(records.last());
    records.remove(records.count());
    const RecordId id = added.id;
    const int at = index >= 1 && index <= records.count() ? index : records.count() + 1;
    pushRecord(table, std::move(added), at, true, verb);
    return id;
}

template <typename Record>
void CPallworthDoc::pushRemoval(EntryList<Record> ConfigModel::*table, int index) {
    // An unsaved deletion must be offered for saving on close.
    setModifiedFlag();
    Record named;
    named.id = (model_.*table).at(index).id;
    named.name = (model_.*table).at(index).name;
    pushRecord(table, std::move(named), index, false, "Delete");
}

std::optional<RecordId> CPallworthDoc::AddApplication(const std::string& name) {
    if (model_.addApplication(name) == nullptr)
        return std::nullopt;
    return pushAdded(&ConfigModel::applications);
}

std::optional<RecordId> CPallworthDoc::AddPackage(const std::string& name) {
    if (model_.addPackage(name) == nullptr)
        return std::nullopt;
    return pushAdded(&ConfigModel::packages);
}

std::optional<RecordId> CPallworthDoc::InsertApplication(ApplicationDesc app, int index,
                                                         const char* verb) {
    if (model_.appendApplication(std::move(app)) == nullptr)
        return std::nullopt;
    return pushAdded(&ConfigModel::applications, index, verb);
}

std::optional<RecordId> CPallworthDoc::InsertPackage(PackageDesc package, int index,
                                                     const char* verb) {
    if (model_.appendPackage(std::move(package)) == nullptr)
        return std::nullopt;
    return pushAdded(&ConfigModel::packages, index, verb);
}

bool CPallworthDoc::RemoveRecord(RecordId id) {
    if (const int a = model_.applicationIndex(id); a > 0)
        pushRemoval(&ConfigModel::applications, a);
    else if (const int p = model_.packageIndex(id); p > 0)
        pushRemoval(&ConfigModel::packages, p);
    else
        return false;
    return true;
}

void CPallworthDoc::RenameRecord(RecordId id, const std::string& name) {
    std::string* stored = nullptr;
    if (ApplicationDesc* app = application(id))
        stored = &app->name;
    else if (PackageDesc* p = package(id))
        stored = &p->name;
    if (stored == nullptr || *stored == name)
        return;
    const bool applications = application(id) != nullptr;
    auto locate = [this, id]() -> std::string* {
        if (ApplicationDesc* app = application(id))
            return &app->name;
        PackageDesc* p = package(id);
        return p != nullptr ? &p->name : nullptr;
    };
    auto* command = new ChangeValue<std::string>(
        *this, QStringLiteral("Rename ") + recordName(applications, *stored),
        {applications ? DetailKind::Applications : DetailKind::Packages, 0}, locate, *stored, name);
    command->setAfter([this, id](bool) { emit recordRenamed(id); });
    undoStack().push(command);
}

void CPallworthDoc::MoveRecord(bool applications, int from, int to) {
    const int count = applications ? model_.applications.count() : model_.packages.count();
    if (from == to || from < 1 || to < 1 || from > count || to > count)
        return;
    const std::string& name =
        applications ? model_.applications.at(from).name : model_.packages.at(from).name;
    undoStack().push(new MoveCommand(
        *this, QStringLiteral("Move ") + recordName(applications, name),
        {applications ? DetailKind::Applications : DetailKind::Packages, 0},
        [this, applications](int f, int t) { moveRecord(applications, f, t); }, from, to));
}

void CPallworthDoc::moveRecord(bool applications, int from, int to) {
    const bool moved =
        applications ? model_.applications.move(from, to) : model_.packages.move(from, to);
    if (moved && from != to)
        emit recordsReordered(applications, from, to);
}
