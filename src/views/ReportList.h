#pragma once

#include <QTreeWidget>

// A report-style list of rows without icons or sorting, one row selected at
// a time, rebuilt from its document whenever its node changes.
class ReportList : public QTreeWidget {
    Q_OBJECT

public:
    // Deletes every row and every column.
    void ClearList();
    // The selected row, -1 when none is.
    int selectedRow() const;

protected:
    ReportList(const QString& objectName, QWidget* parent);
};
