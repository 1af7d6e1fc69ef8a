#pragma once

#include <QPoint>
#include <memory>
#include <optional>

class QLabel;
class QMouseEvent;
class QTreeWidget;

// Moving one row of a report list to another place with the mouse. A left
// press on a row followed by a move past the drag distance begins the drag; a
// picture of the row follows the mouse, the row under the mouse becomes the
// drop row, and the release of a button ends the drag. The list's owner moves
// its entries and rebuilds its rows; this class only tracks where to.
class RowDrag {
public:
    struct Drop {
        int dragRow = -1;
        // Nothing when the mouse passed over no row; the row count when it
        // was last below the last row.
        std::optional<int> dropRow;
    };

    explicit RowDrag(QTreeWidget& list);
    ~RowDrag();
    RowDrag(const RowDrag&) = delete;
    RowDrag& operator=(const RowDrag&) = delete;

    bool dragging() const { return dragging_; }
    int dragRow() const { return dragRow_; }
    std::optional<int> dropRow() const { return dropRow_; }
    // The picture that follows the mouse; nullptr when no drag runs.
    const QLabel* image() const { return image_.get(); }

    // Every button press on the list's viewport.
    void pressed(const QMouseEvent& event);
    // The row whose drag a mouse move begins: the left button is held and the
    // mouse has left the drag distance around a press on that row. Reported
    // once per press.
    std::optional<int> dragStart(const QMouseEvent& event);

    // Begins dragging `row` with the mouse at `pos` (viewport coordinates);
    // refused while a drag runs and for a row the list does not have.
    bool begin(int row, const QPoint& pos);
    // The mouse at `pos` while dragging.
    void moveTo(const QPoint& pos);
    // Ends the drag and tells where the row was dropped.
    Drop finish();

    // The row a drop lands on: past either end of the list means the last row.
    static int targetRow(int dropRow, int rowCount);

private:
    int rowAt(const QPoint& pos) const;
    bool belowLastRow(const QPoint& pos) const;
    void showImage(int row);

    QTreeWidget& list_;
    bool dragging_ = false;
    int dragRow_ = -1;
    std::optional<int> dropRow_;
    int pressRow_ = -1;
    QPoint pressPos_;
    QPoint hotspot_;
    std::unique_ptr<QLabel> image_;
};
