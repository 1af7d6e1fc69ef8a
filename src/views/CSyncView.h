#pragma once

#include "config/RecordId.h"
#include "views/NodeKind.h"

#include "views/ReportList.h"
#include <QString>
#include <memory>

class CPallworthDoc;
class CPallworthTreeView;
class EntryEditor;
class QMenu;
class RowDrag;
class RowEditor;

// The right pane of a configuration window: a report list of what the
// selected tree node holds, rebuilt from the model on every selection.
class CSyncView : public ReportList {
    Q_OBJECT

public:
    static constexpr int kListMenu = 159;

    CSyncView(CPallworthDoc& document, QWidget* parent = nullptr);
    ~CSyncView() override;

    void setTreeView(CPallworthTreeView* tree) { tree_ = tree; }
    CPallworthTreeView* treeView() const { return tree_; }
    CPallworthDoc& document() const { return document_; }

    // Registers with the document unless the file is of a newer format.
    void OnInitialUpdate();
    void ShowNode(NodeKind kind, const QString& label, QTreeWidgetItem* item);
    int FindPackageIndex(const QTreeWidgetItem* item) const;
    int FindApplicationIndex(const QTreeWidgetItem* item) const;

    // The package that owns the shown node (a package's detail node), or 0.
    int shownPackageIndex() const;

    void EditRow();
    void InsertEntry();
    void DeleteEntry();
    void MoveEntry(int dragRow, int dropRow);
    // Whether the popup menu 159 belongs to the shown node.
    bool hasListMenu() const;
    // Popup menu 159 ("Insert", "Delete") when it belongs to the shown node;
    // nullptr otherwise.
    std::unique_ptr<QMenu> popupMenu();
    bool dragging() const;

    NodeKind shownKind() const { return shownKind_; }
    const QString& shownLabel() const { return shownLabel_; }
    QTreeWidgetItem* shownItem() const { return shownItem_; }

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void refreshAfterRecordChange();
    void forgetRecord(RecordId id);
    void rebuildFor(QObject* origin);

    CPallworthDoc& document_;
    CPallworthTreeView* tree_ = nullptr;
    NodeKind shownKind_{};
    QString shownLabel_;
    QTreeWidgetItem* shownItem_ = nullptr;
    RecordId shownRecord_ = 0;
    std::unique_ptr<RowEditor> rowEditor_;
    std::unique_ptr<EntryEditor> entryEditor_;
    std::unique_ptr<RowDrag> drag_;
};
