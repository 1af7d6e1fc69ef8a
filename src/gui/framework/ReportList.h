#pragma once

#include "ColumnWidths.h"
#include "CutTextTips.h"
#include "RowDrag.h"

#include <QTreeWidget>
#include <memory>
#include <optional>
#include <vector>

class QMenu;

// The list pane of a document window: a report-style list of rows without
// icons or sorting, rebuilt from its document whenever its node changes. One
// row is selected at a time unless the window kind lets entries be selected
// together. Double-click and Enter edit the selected row, the right button
// selects the row under it (a selected row keeps the others) and opens the
// menu of the shown node, a left drag moves a row and Tab goes back to the
// tree; what each does is the window kind's.
class ReportList : public QTreeWidget {
    Q_OBJECT

public:
    // Deletes every row and every column.
    void ClearList();
    // The selected row, -1 when none is; of several, the current one.
    int selectedRow() const;
    // The selected rows, ascending.
    std::vector<int> selectedRows() const;
    // The same as the 1-based entries they stand for: row r is entry r + 1.
    std::vector<int> selectedEntries() const;
    // Selects `count` rows from `first` on, the first one current.
    void selectRows(int first, int count);
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
