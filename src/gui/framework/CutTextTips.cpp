#include "CutTextTips.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QStyle>
#include <QToolTip>
#include <QTreeWidget>

CutTextTips::CutTextTips(QTreeWidget& list) : list_(list) {
    list.viewport()->installEventFilter(this);
    list.header()->viewport()->installEventFilter(this);
}

bool CutTextTips::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return false;
    auto* help = static_cast<QHelpEvent*>(event);
    const bool title = watched == list_.header()->viewport();
    const QString text = title ? cutTitle(help->pos()) : cutCell(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, static_cast<QWidget*>(watched));
    return true;
}

QString CutTextTips::cutCell(const QPoint& pos) const {
    const QModelIndex index = list_.indexAt(pos);
    const QTreeWidgetItem* item = list_.itemAt(pos);
    if (item == nullptr)
        return {};
    // The style leaves this margin either side of an item's text.
    const int margin =
        list_.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list_) + 1;
    const QString text = item->text(index.column());
    return cut(text, list_.visualRect(index).width(), margin) ? text : QString();
}

QString CutTextTips::cutTitle(const QPoint& pos) const {
    const QHeaderView* header = list_.header();
    const int column = header->logicalIndexAt(pos);
    if (column < 0)
        return {};
    const int margin = list_.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QString text = list_.headerItem()->text(column);
    return cut(text, header->sectionSize(column), margin) ? text : QString();
}

bool CutTextTips::cut(const QString& text, int width, int margin) const {
    return list_.fontMetrics().horizontalAdvance(text) > width - 2 * margin;
}
