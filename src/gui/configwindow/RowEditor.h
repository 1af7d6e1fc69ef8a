#pragma once

#include "framework/Catalogue.h"

#include <QString>
#include <string>

class CSyncView;
class ConfigModel;

// Edit on a row of the detail list: opens the dialog that fits the shown node
// and the row, hands it the current values and on OK writes the result into
// the model and the row. A property row's dialog and field come from the
// catalogue.
class RowEditor {
public:
    explicit RowEditor(CSyncView& list);

    void EditRow();

private:
    // The edits of an entry of a list node; false for a property list.
    bool editEntry(int row);
    void editProperty(int row, const RowSpec& spec, const QString& value);

    void editGroupName(int row, bool applications);
    void editJob(int row, bool files);
    void editExclude(int row);
    void editTarget(int row);

    void editChoice(int row, const RowSpec& spec, const QString& value);
    void editNumber(int row, const RowSpec& spec, const QString& value);
    void editText(int row, const RowSpec& spec, const QString& value);
    void editPath(int row, const RowSpec& spec, const QString& value);
    void editDestinationPackages(int row, const QString& value);
    void editCommandFiles(int row, const RowSpec& spec);
    void editSchedule(int row, const RowSpec& spec);
    void editDays(int row, const RowSpec& spec, const QString& value);
    void editLogEvents(int row, const RowSpec& spec, const QString& value);
    void editLogDirectory(int row, const RowSpec& spec, const QString& value);
    void editOpenFiles(int row);
    void editTimeRestriction(int row);
    void editPassword(int row);

    // Sets every cell of a row from the model.
    void refreshRow(int row);

    ConfigModel& model() const;
    // The 1-based index of the shown application, or 0.
    int applicationIndex() const;
    // The field a row shows in the shown node's record; nullptr without one.
    std::string* field(const RowSpec& spec) const;
    // The edited text into the row's value cell and its field.
    void store(int row, const RowSpec& spec, const std::string& text);
    void setCell(int row, int column, const std::string& ansi);
    void setCell(int row, int column, const QString& text);

    CSyncView& list_;
};
