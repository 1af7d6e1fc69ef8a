#pragma once

#include "NodeIconIndex.h"
#include "framework/Catalogue.h"
#include "framework/ReportList.h"
#include "text/RecordId.h"

#include <QString>
#include <memory>

class CPallworthDoc;
class CPallworthTreeView;
class EntryEditor;
class PathBrowser;
class RowEditor;
struct PackageDesc;

// The right pane of a configuration window: a report list of what the
// selected tree node holds, rebuilt from the model on every selection.
class CSyncView : public ReportList {
    Q_OBJECT

public:
    static constexpr int kListMenu = 159;

    // The browser serves the Browse buttons of the editing dialogs.
    CSyncView(CPallworthDoc& document, const PathBrowser* browser, QWidget* parent = nullptr);
    ~CSyncView() override;

    CPallworthTreeView* treeView() const;
    CPallworthDoc& document() const { return document_; }
    const PathBrowser* browser() const { return browser_; }

    // Registers with the document unless the file is of a newer format.
    void OnInitialUpdate() override;
    void ShowNode(NodeIconIndex kind, DetailKind detail, QTreeWidgetItem* item);
    int FindPackageIndex(const QTreeWidgetItem* item) const;
    int FindApplicationIndex(const QTreeWidgetItem* item) const;

    // The package that owns the shown node (a package's detail node), or 0.
    int shownPackageIndex() const;
    // That package, or nullptr.
    PackageDesc* shownPackage() const;

    void EditRow();
    void InsertEntry();
    void DeleteEntry();
    void MoveEntry(int dragRow, int dropRow);
    // Whether the popup menu 159 belongs to the shown node.
    bool hasListMenu() const;
    // Popup menu 159 ("Insert", "Delete") when it belongs to the shown node;
    // nullptr otherwise.
    std::unique_ptr<QMenu> popupMenu() override;

    NodeIconIndex shownKind() const { return shownKind_; }
    DetailKind shownDetail() const { return shownDetail_; }
    QTreeWidgetItem* shownItem() const { return shownItem_; }

protected:
    void editSelectedRow() override { EditRow(); }
    bool canDragRows() const override;
    void dropRow(int dragRow, std::optional<int> dropRow) override;
    // Only the left and the right button end a drag here.
    bool endsDrag(Qt::MouseButton button) const override;
    // Any button edits, and the focus comes back to the list.
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void refreshAfterRecordChange();
    void forgetRecord(RecordId id);
    void patchRenamedRow(RecordId id);
    void rebuildFor(QObject* origin);

    CPallworthDoc& document_;
    const PathBrowser* browser_;
    NodeIconIndex shownKind_{};
    DetailKind shownDetail_ = DetailKind::None;
    QTreeWidgetItem* shownItem_ = nullptr;
    RecordId shownRecord_ = 0;
    std::unique_ptr<RowEditor> rowEditor_;
    std::unique_ptr<EntryEditor> entryEditor_;
};
