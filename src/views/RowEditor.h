#pragma once

#include "views/NodeKind.h"

#include <QString>
#include <string>

class CPallworthDoc;
class CSyncView;
struct GlobalSettings;
struct PackageDesc;
class ConfigModel;

// Edit on a row of the detail list: opens the dialog that fits the shown node
// and the row, hands it the current values and on OK writes the result into
// the model and the row.
class RowEditor {
public:
    explicit RowEditor(CSyncView& list);

    void EditRow();

private:
    // Node-level edits; false when the shown node has none and the row label
    // decides instead.
    bool editByNode(int row);
    void editByRow(int row, const QString& label, const QString& value);

    void editGroupName(int row, bool applications);
    void editJob(int row, bool files);
    void editExclude(int row);
    void editTarget(int row);
    void editApplicationRow(int row, const QString& label, const QString& value);
    void editApplicationPath(int row, int index, const QString& value);
    void editDestinationPackages(int row, int index, const QString& value);

    bool editChoice(int row, const QString& label, const QString& value);
    bool editNumber(int row, const QString& label, const QString& value);
    bool editText(int row, const QString& label, const QString& value);
    bool editPackageDialog(int row, const QString& label);
    bool editGlobalDialog(int row, const QString& label, const QString& value);
    void editCommandFiles(int row, const QString& label);
    void editSchedule(int row);
    void editDays(int row, const QString& value);
    void editLogEvents(int row, const QString& value);
    void editLogDirectory(int row, const QString& value);
    void editOpenFiles(int row);
    void editTimeRestriction(int row);
    void editPassword(int row);

    // Sets every cell of a row from the model.
    void refreshRow(int row);

    CPallworthDoc& document() const;
    ConfigModel& model() const;
    // The package that owns the shown node, or nullptr.
    PackageDesc* package() const;
    void setCell(int row, int column, const std::string& ansi);
    void setCell(int row, int column, const QString& text);

    CSyncView& list_;
};
