#include "VisualTabOrder.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QRadioButton>
#include <QRect>
#include <QWidget>
#include <algorithm>

namespace {

// The other choices of the group a radio button belongs to.
QList<QAbstractButton*> groupOf(const QAbstractButton& button) {
    if (button.group() != nullptr)
        return button.group()->buttons();
    QList<QAbstractButton*> group;
    if (button.autoExclusive() && button.parentWidget() != nullptr)
        for (QAbstractButton* other :
             button.parentWidget()->findChildren<QAbstractButton*>(Qt::FindDirectChildrenOnly))
            if (other->autoExclusive())
                group << other;
    return group;
}

// An unchosen choice is passed over while another of its group is chosen.
bool passedOver(const QWidget& w) {
    const auto* radio = qobject_cast<const QRadioButton*>(&w);
    if (radio == nullptr || radio->isChecked())
        return false;
    const QList<QAbstractButton*> group = groupOf(*radio);
    return std::any_of(group.begin(), group.end(), [](const QAbstractButton* b) {
        return b->isChecked() && b->isVisible() && b->isEnabled();
    });
}

bool takesTab(const QWidget& w, const QWidget& dialog) {
    return (w.focusPolicy() & Qt::TabFocus) != 0 && w.focusProxy() == nullptr && w.isEnabled() &&
           w.isVisibleTo(&dialog) && w.window() == &dialog && !passedOver(w);
}

struct Placed {
    QWidget* widget;
    QRect rect;
};

// Rows of controls whose middles lie within the first one's height, top to
// bottom, each left to right.
void sortByRows(QList<Placed>& placed) {
    std::stable_sort(placed.begin(), placed.end(), [](const Placed& a, const Placed& b) {
        return a.rect.center().y() < b.rect.center().y();
    });
    for (qsizetype start = 0; start < placed.size();) {
        const QRect& first = placed[start].rect;
        qsizetype end = start + 1;
        while (end < placed.size() && placed[end].rect.center().y() <= first.bottom())
            ++end;
        std::stable_sort(placed.begin() + start, placed.begin() + end,
                         [](const Placed& a, const Placed& b) { return a.rect.x() < b.rect.x(); });
        start = end;
    }
}

} // namespace

QList<QWidget*> VisualTabOrder::stops(const QWidget& dialog, const QList<QWidget*>& last) {
    QList<Placed> placed;
    const QList<QWidget*> children = dialog.findChildren<QWidget*>();
    for (QWidget* w : children) {
        if (last.contains(w) || !takesTab(*w, dialog))
            continue;
        // The box inside a combo or spin box is part of it.
        const bool inner = std::any_of(children.begin(), children.end(), [&](QWidget* outer) {
            return outer != w && outer->isAncestorOf(w) && takesTab(*outer, dialog);
        });
        if (!inner)
            placed.append({w, QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size())});
    }
    sortByRows(placed);
    QList<QWidget*> order;
    for (const Placed& p : placed)
        order << p.widget;
    for (QWidget* w : last)
        if (w != nullptr && takesTab(*w, dialog))
            order << w;
    return order;
}

bool VisualTabOrder::move(const QWidget& dialog, const QList<QWidget*>& last, bool next) {
    const QList<QWidget*> order = stops(dialog, last);
    const QWidget* focus = QApplication::focusWidget();
    const auto at = std::find_if(order.begin(), order.end(), [focus](const QWidget* stop) {
        return stop == focus || stop->isAncestorOf(focus);
    });
    if (focus == nullptr || at == order.end())
        return false;
    const qsizetype count = order.size();
    const qsizetype index = (at - order.begin() + (next ? 1 : count - 1)) % count;
    order[index]->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
    return true;
}
