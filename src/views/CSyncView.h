#pragma once

#include "config/RecordId.h"
#include "views/NodeKind.h"

#include <QString>
#include <QTreeWidget>

class CPallworthDoc;
class CPallworthTreeView;

// The right pane of a configuration window: a report list of what the
// selected tree node holds, rebuilt from the model on every selection.
class CSyncView : public QTreeWidget {
    Q_OBJECT

public:
    CSyncView(CPallworthDoc& document, QWidget* parent = nullptr);

    void setTreeView(CPallworthTreeView* tree) { tree_ = tree; }
    CPallworthDoc& document() const { return document_; }

    // Registers with the document unless the file is of a newer format.
    void OnInitialUpdate();
    void ClearList();
    void ShowNode(NodeKind kind, const QString& label, QTreeWidgetItem* item);
    // Inserts a row at `row` (an index past the end appends) with two texts;
    // returns the row it took.
    int AddRow(int row, const QString& text0, const QString& text1);
    int FindPackageIndex(const QTreeWidgetItem* item) const;
    int FindApplicationIndex(const QTreeWidgetItem* item) const;

    // Insert from the tree's context menu on a node that is not a group.
    void InsertEntry();

    NodeKind shownKind() const { return shownKind_; }
    const QString& shownLabel() const { return shownLabel_; }
    QTreeWidgetItem* shownItem() const { return shownItem_; }

protected:
    bool focusNextPrevChild(bool next) override;

private:
    void refreshAfterRecordChange();
    void forgetRecord(RecordId id);

    CPallworthDoc& document_;
    CPallworthTreeView* tree_ = nullptr;
    NodeKind shownKind_{};
    QString shownLabel_;
    QTreeWidgetItem* shownItem_ = nullptr;
    RecordId shownRecord_ = 0;
};
