#include "WindowLayout.h"

#include "ChildFrame.h"
#include "TreeListFrame.h"

#include <QMdiArea>

namespace {

NodeTree* treeOf(const ChildFrame& frame) {
    const auto* content = qobject_cast<const TreeListFrame*>(frame.widget());
    return content != nullptr ? content->nodeTree() : nullptr;
}

} // namespace

WindowLayout::WindowLayout(const QList<ChildFrame*>& frames, const QMdiArea& area) {
    QMdiSubWindow* active = area.activeSubWindow();
    for (const ChildFrame* frame : frames) {
        if (frame == active)
            activeIndex_ = windows_.size();
        const NodeTree* tree = treeOf(*frame);
        windows_.append({frame->windowState(), frame->geometry(),
                         tree != nullptr ? tree->outline() : NodeTree::Outline{}});
    }
    if (activeIndex_ < 0)
        otherActive_ = active;
}

void WindowLayout::applyTo(const QList<ChildFrame*>& frames, QMdiArea& area) const {
    for (qsizetype i = 0; i < frames.size() && i < windows_.size(); ++i) {
        ChildFrame& frame = *frames[i];
        const Window& window = windows_[i];
        if (window.state & Qt::WindowMinimized) {
            frame.showMinimized();
        } else if (window.state & Qt::WindowMaximized) {
            frame.showMaximized();
        } else {
            frame.showNormal();
            frame.setGeometry(window.geometry);
        }
        if (NodeTree* tree = treeOf(frame))
            tree->restoreOutline(window.outline);
    }
    if (activeIndex_ >= 0 && activeIndex_ < frames.size())
        area.setActiveSubWindow(frames[activeIndex_]);
    else if (otherActive_ != nullptr)
        area.setActiveSubWindow(otherActive_);
}
