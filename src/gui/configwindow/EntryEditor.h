#pragma once

#include "text/EntryList.h"

#include <vector>

class ConfigModel;
class CSyncView;
struct PackageDesc;

// Insert, Delete and drag-and-drop reordering of the detail list's entries:
// the four lists of a package and the two group lists. Model and rows change
// together, so row r always stands for entry r + 1.
class EntryEditor {
public:
    explicit EntryEditor(CSyncView& list);

    void InsertEntry();
    void DeleteEntry();
    // The drop step of a drag: the entry of `dragRow` ends at `dropRow`.
    void MoveEntry(int dragRow, int dropRow);

    // Whether the shown list's rows can be dragged.
    bool canDrag() const;

private:
    bool refuseWhenFull(bool full);
    // Removes the records or entries of `rows` (ascending), several as one
    // undo step.
    void deleteRecords(const std::vector<int>& rows);
    void deleteEntries(const std::vector<int>& rows);
    // Pushes the insertion of `value` after the selected entry of the shown
    // package's list; returns the new row.
    template <typename T> int insertAt(EntryList<T> PackageDesc::*member, int selected, T value);
    // Inserts the row of entry row + 1 as the model now holds it.
    void addRow(int row);

    ConfigModel& model() const;

    CSyncView& list_;
};
