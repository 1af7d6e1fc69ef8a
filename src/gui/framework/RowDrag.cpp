#include "RowDrag.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QTreeWidget>
#include <utility>

RowDrag::RowDrag(QTreeWidget& list) : list_(list) {}

RowDrag::~RowDrag() = default;

void RowDrag::pressed(const QMouseEvent& event) {
    const QPoint pos = event.position().toPoint();
    pressRow_ = event.button() == Qt::LeftButton ? rowAt(pos) : -1;
    pressPos_ = pos;
}

std::optional<int> RowDrag::dragStart(const QMouseEvent& event) {
    if (dragging_ || pressRow_ < 0 || !(event.buttons() & Qt::LeftButton))
        return std::nullopt;
    const QPoint pos = event.position().toPoint();
    if ((pos - pressPos_).manhattanLength() < QApplication::startDragDistance())
        return std::nullopt;
    return std::exchange(pressRow_, -1);
}

bool RowDrag::begin(int row, const QPoint& pos) {
    if (dragging_ || row < 0 || row >= list_.topLevelItemCount())
        return false;
    dragging_ = true;
    dragRow_ = row;
    // A drop row from an earlier drag must not decide this one.
    dropRow_.reset();
    hotspot_ = pos - list_.visualItemRect(list_.topLevelItem(row)).topLeft();
    showImage(row);
    image_->move(list_.viewport()->mapToGlobal(pos - hotspot_));
    return true;
}

void RowDrag::showImage(int row) {
    const QRect rect = list_.visualItemRect(list_.topLevelItem(row));
    image_ = std::make_unique<QLabel>(nullptr, Qt::ToolTip | Qt::FramelessWindowHint |
                                                   Qt::WindowTransparentForInput);
    image_->setAttribute(Qt::WA_TransparentForMouseEvents);
    image_->setPixmap(list_.viewport()->grab(rect));
    image_->setWindowOpacity(0.7);
    image_->show();
}

void RowDrag::moveTo(const QPoint& pos) {
    if (!dragging_)
        return;
    image_->move(list_.viewport()->mapToGlobal(pos - hotspot_));
    const int row = rowAt(pos);
    if (row >= 0)
        dropRow_ = row;
    else if (belowLastRow(pos))
        dropRow_ = list_.topLevelItemCount();
}

RowDrag::Drop RowDrag::finish() {
    const Drop drop{dragRow_, dropRow_};
    dragging_ = false;
    dragRow_ = -1;
    pressRow_ = -1;
    image_.reset();
    return drop;
}

int RowDrag::targetRow(int dropRow, int rowCount) {
    return dropRow < 0 || dropRow >= rowCount ? rowCount - 1 : dropRow;
}

int RowDrag::rowAt(const QPoint& pos) const {
    QTreeWidgetItem* item = list_.itemAt(pos);
    return item != nullptr ? list_.indexOfTopLevelItem(item) : -1;
}

bool RowDrag::belowLastRow(const QPoint& pos) const {
    const int count = list_.topLevelItemCount();
    if (count == 0 || !list_.viewport()->rect().contains(pos))
        return false;
    return pos.y() > list_.visualItemRect(list_.topLevelItem(count - 1)).bottom();
}
