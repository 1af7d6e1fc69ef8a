#pragma once

#include "NodeTree.h"

#include <QList>
#include <QPointer>
#include <QRect>

class ChildFrame;
class QMdiArea;
class QMdiSubWindow;

// Where the windows of a document stood and what their trees showed, taken
// before the document's windows close and given to the windows that replace
// them: a reload keeps tiled windows tiled, and the expanded and current
// nodes that are still there.
class WindowLayout {
public:
    WindowLayout(const QList<ChildFrame*>& frames, const QMdiArea& area);

    // The frames in the order of those taken; the active window is active again.
    void applyTo(const QList<ChildFrame*>& frames, QMdiArea& area) const;

private:
    struct Window {
        Qt::WindowStates state;
        QRect geometry;
        NodeTree::Outline outline;
    };

    QList<Window> windows_;
    // The index of the active window among them, or the active one of
    // another document.
    qsizetype activeIndex_ = -1;
    QPointer<QMdiSubWindow> otherActive_;
};
