#pragma once

#include "config/ConfigModel.h"
#include "framework/ModelCommand.h"
#include "taskfile/TaskFileModel.h"
#include "text/Difference.h"

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <optional>
#include <variant>
#include <vector>

class CPallworthDoc;
class QUndoCommand;
class TreeListDocument;

// Makes one difference between a document and another file of its kind the
// other file's way, as one undoable change: a setting (the password in its
// stored form; the time window and the open-file handling whole), a record
// or an entry one side lacks, a record's name, a record's or an entry's
// place. Kept and skipped lines are the reader's notes, not settings, and
// are not copied. A copy that would change nothing pushes nothing.
class DifferenceCopy {
    Q_DECLARE_TR_FUNCTIONS(DifferenceCopy)

public:
    using Other = std::variant<ConfigModel, TaskFileModel>;

    // `documentNew`: the document is the newer side of the differences.
    DifferenceCopy(TreeListDocument& document, const Other& other, bool documentNew);

    // The document's record and 1-based entry a difference names; 0 for none.
    RecordId documentRecord(const Difference& d) const;
    int documentEntry(const Difference& d) const;

    bool copies(const Difference& d) const;
    // Why the copy was refused; nothing when it was made.
    std::optional<QString> copy(const Difference& d);

private:
    // The setting fields a copy takes together.
    enum class Whole { None, Password, TimeWindow, OpenFiles };

    RecordId otherRecord(const Difference& d) const;
    int otherEntry(const Difference& d) const;
    bool config() const { return std::holds_alternative<ConfigModel>(other_); }
    static bool isRecord(const Difference& d);
    static Whole wholeOf(const Difference& d);
    static QString textOf(const Difference& d);

    std::optional<QString> copyRecord(const Difference& d, CPallworthDoc& doc);
    template <typename Record>
    std::optional<QString> insertRecord(const Difference& d, CPallworthDoc& doc,
                                        const EntryList<Record>& theirs,
                                        const EntryList<Record>& mine);
    std::optional<QString> renameRecord(const Difference& d, CPallworthDoc& doc);

    void copyValue(const Difference& d);
    void copyWhole(const Difference& d, CPallworthDoc& doc);

    // Puts the other file's entry into the document's list, takes the
    // document's out, moves it or sets one field of it.
    std::optional<QString> copyEntry(const Difference& d);
    template <typename T>
    std::optional<QString> copyEntry(const Difference& d,
                                     const std::function<EntryList<T>*()>& list,
                                     const EntryList<T>* theirs);

    // The change of one value to `value`; nothing when it is so already.
    template <typename Value>
    void addChange(std::vector<QUndoCommand*>& commands, const Difference& d,
                   ModelCommand::Place place, std::function<Value*()> locate, const Value& value);
    // The commands as one undo step; nothing when there are none.
    void push(const QString& text, const std::vector<QUndoCommand*>& commands);

    TreeListDocument& document_;
    const Other& other_;
    bool documentNew_;
};
