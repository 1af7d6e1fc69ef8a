#pragma once

#include "config/ConfigModel.h"
#include "framework/TreeListDocument.h"
#include "text/OemCodePage.h"

#include <functional>
#include <optional>

// A .cfg configuration open in the editor: the model, its file format and
// save rules. Records are added and removed here so that every window on the
// document follows.
class CPallworthDoc : public ModelDocument<ConfigModel> {
    Q_OBJECT

public:
    explicit CPallworthDoc(DocTemplate& docTemplate);

    using Document::readBytes;
    ReadStatus readFile(const std::string& path, ReadReport::Mode mode, Progress* progress,
                        Status& read) override;
    ReadStatus readBytes(std::string_view bytes, ReadReport::Mode mode,
                         Progress* progress) override;
    std::string writeBytes() override;
    bool writePieces(const FileStore::Pieces& put, Progress& progress) override;
    LineUpdate linesOfWritten(std::string_view bytes) override;
    std::optional<QString> validateSave() override;
    std::optional<ReadOnly> readOnlyReason() const override;
    QStringList readBackWarnings() const override;
    QString kindName() const override;
    // A file that can never be saved: nothing in it may be edited.
    bool readOnly() const;

    // Each of these is one command on the undo stack.
    // Nothing when the table is full.
    std::optional<RecordId> AddApplication(const std::string& name);
    std::optional<RecordId> AddPackage(const std::string& name);
    // Puts a record made elsewhere (pasted, duplicated) at `index` (1-based)
    // of its table under a fresh id, as a command named by `verb`; nothing
    // when the table is full.
    std::optional<RecordId> InsertApplication(ApplicationDesc app, int index, const char* verb);
    std::optional<RecordId> InsertPackage(PackageDesc package, int index, const char* verb);
    // Removes the application or package with that id; false when none has it.
    bool RemoveRecord(RecordId id);
    void RenameRecord(RecordId id, const std::string& name);
    // Moves the application or package at `from` (1-based) to `to` in its table.
    void MoveRecord(bool applications, int from, int to);

    // A package's list, found again by the package's id whenever asked.
    template <typename T>
    std::function<EntryList<T>*()> listOf(RecordId id, EntryList<T> PackageDesc::*member) {
        return [this, id, member]() -> EntryList<T>* {
            PackageDesc* p = package(id);
            return p != nullptr ? &(p->*member) : nullptr;
        };
    }

    // What an undo step calls several records: "2 packages".
    static QString countOf(bool applications, long long count);

    // The package with that id, nullptr when none has it.
    PackageDesc* package(RecordId id);
    ApplicationDesc* application(RecordId id);

signals:
    void applicationAdded(RecordId id);
    void packageAdded(RecordId id);
    void recordRemoved(RecordId id);
    void recordRenamed(RecordId id);
    // The record at `from` (1-based) of its table is now at `to`.
    void recordsReordered(bool applications, int from, int to);

private:
    // Puts a new record, or one taken out, back into its table.
    template <typename Record>
    void pushRecord(EntryList<Record> ConfigModel::*table, Record record, int index, bool adding,
                    const char* verb);
    // Takes the record just appended out again and pushes its insertion at
    // `index` (0: where it is).
    template <typename Record>
    RecordId pushAdded(EntryList<Record> ConfigModel::*table, int index = 0,
                       const char* verb = "New");
    template <typename Record> void pushRemoval(EntryList<Record> ConfigModel::*table, int index);
    void recordPlaced(RecordId id, bool present);
    void moveRecord(bool applications, int from, int to);

    OemCodePage oem_;
};
