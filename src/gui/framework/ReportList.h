#pragma once

#include "ColumnWidths.h"
#include "CutTextTips.h"
#include "RowDrag.h"

#include <QTreeWidget>
#include <memory>
#include <optional>

class QMenu;

// The list pane of a document window: a report-style list of rows without
// icons or sorting, one row selected at a time, rebuilt from its document
// whenever its node changes. Double-click and Enter edit the selected row,
// the right button selects the row under it and opens the menu of the shown
// node, a left drag moves a row and Tab goes back to the tree; what each does
// is the window kind's.
class ReportList : public QTreeWidget {
    Q_OBJECT

public:
    // Deletes every row and every column.
    void ClearList();
    // The selected row, -1 when none is.
    int selectedRow() const;
    // Selects row 0 when no row is selected, so that Enter has a row to edit.
    void selectFirstRow();

    // Registers with the document; the frame calls it once both panes exist.
    virtual void OnInitialUpdate() = 0;
    void setTreeView(QTreeWidget* tree) { tree_ = tree; }

    // The menu of the shown node; nullptr when it has none.
    virtual std::unique_ptr<QMenu> popupMenu() = 0;

    RowDrag& drag() { return drag_; }
    bool dragging() const { return drag_.dragging(); }
    // Begins the drag of a row, as the mouse does; refused where the shown
    // rows cannot be reordered.
    bool BeginDrag(int row, const QPoint& pos);

protected:
    ReportList(const QString& objectName, QWidget* parent);

    QTreeWidget* tree() const { return tree_; }
    // Starting widths of the columns shown for a kind of node; the user's
    // widths for that kind win.
    void applyColumnWidths(int nodeKind, const QList<int>& designed) {
        widths_.apply(nodeKind, designed);
    }

    // Double-click and Enter.
    virtual void editSelectedRow() = 0;
    virtual bool canDragRows() const = 0;
    // The end of a drag of `dragRow`; nothing as the drop row when the mouse
    // passed over no row.
    virtual void dropRow(int dragRow, std::optional<int> dropRow) = 0;
    // Whether releasing `button` ends a drag.
    virtual bool endsDrag(Qt::MouseButton button) const;

    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    bool menuKey(QKeyEvent* event);
    void openMenuAtSelectedRow();
    // Alt+Up and Alt+Down: the drop of a drag by one row.
    void moveSelectedRow(int by);

    QTreeWidget* tree_ = nullptr;
    RowDrag drag_;
    ColumnWidths widths_{*this};
    CutTextTips tips_{*this};
};
