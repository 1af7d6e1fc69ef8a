#pragma once

#include <QList>

class QWidget;

// Tab and Shift+Tab in a dialog go through its controls as they are read:
// top to bottom, a row left to right, then the dialog's buttons. Worked out
// at each press, so controls shown, hidden or laid out anew take their place.
class VisualTabOrder {
public:
    // The controls Tab stops at in `dialog`, in reading order, then those of
    // `last` that take the focus, in the order given. Of a group of choices
    // only the chosen one is a stop.
    static QList<QWidget*> stops(const QWidget& dialog, const QList<QWidget*>& last);

    // Moves the focus to the next (or previous) stop; false when the focus
    // is on none of them.
    static bool move(const QWidget& dialog, const QList<QWidget*>& last, bool next);
};
