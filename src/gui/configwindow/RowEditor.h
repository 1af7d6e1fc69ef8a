#pragma once

#include "dialogs/PropertyRowEditor.h"
#include "framework/Catalogue.h"
#include "framework/ModelCommand.h"

#include <QString>
#include <functional>
#include <string>

class CSyncView;
class ConfigModel;
struct PackageDesc;
template <typename T> class EntryList;

// Edit on a row of the detail list: opens the dialog that fits the shown node
// and the row, hands it the current values and on OK pushes the change of
// each value it altered onto the undo stack and shows it in the row. A
// property row's dialog and field come from the catalogue.
class RowEditor {
public:
    explicit RowEditor(CSyncView& list);

    void EditRow();

private:
    // The edits of an entry of a list node; false for a property list.
    bool editEntry(int row);
    void editProperty(int row, const RowSpec& spec, const QString& value);

    void editGroupName(int row, const ListRow& list);
    template <typename T>
    void editListEntry(int row, const ListRow& list, EntryList<T> PackageDesc::*member);

    void editDestinationPackages(int row, const RowSpec& spec, const QString& value);
    void editCommandFiles(int row, const RowSpec& spec);
    void editSchedule(int row, const RowSpec& spec);
    void editDays(int row, const RowSpec& spec, const QString& value);
    void editLogEvents(int row, const RowSpec& spec, const QString& value);
    void editLogDirectory(int row, const RowSpec& spec, const QString& value);
    void editOpenFiles(int row, const RowSpec& spec);
    void editTimeRestriction(int row, const RowSpec& spec);
    void editPassword(int row, const RowSpec& spec);

    // Sets every cell of a row from the model.
    void refreshRow(int row);

    template <typename Value> using Locate = PropertyRowEditor::Locate<Value>;
    // Where a row's field is in the shown record; empty when it has none.
    Locate<std::string> locate(const RowSpec& spec) const;
    template <typename Value> Locate<Value> packageField(Value PackageDesc::*member) const;
    Locate<std::string> globalField(std::string GlobalSettings::*member) const;
    template <typename T> Locate<T> packageEntry(EntryList<T> PackageDesc::*list, int index) const;
    // Pushes the change of one value; nothing when it stays as it was.
    template <typename Value>
    void change(std::string_view label, const Locate<Value>& at, Value value);
    // Groups the changes `work` pushes into one command named after the row.
    template <typename Work> void changeTogether(std::string_view label, Work work);
    ModelCommand::Place place() const;

    ConfigModel& model() const;
    // The 1-based index of the shown application, or 0.
    int applicationIndex() const;
    // The edited text into the row's value cell and its field.
    void store(int row, const RowSpec& spec, const std::string& text);
    void setCell(int row, int column, const std::string& ansi);
    void setCell(int row, int column, const QString& text);

    CSyncView& list_;
    // Edits the value rows and pushes every change.
    PropertyRowEditor property_;
};
