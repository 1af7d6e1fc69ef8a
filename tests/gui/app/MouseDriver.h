#pragma once

#include <QAbstractItemView>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

// Real mouse input on an item view's viewport, as the window system sends it.
namespace mousedriver {

// What a right click opened: the menu's name and its commands' names.
struct Popup {
    QString name;
    QStringList commands;
};

// Reads the menu that the next event opens, closes it, and carries out
// `choose` (a command's name) when it is not empty.
inline void readNextPopup(QObject* context, Popup& seen, const QString& choose) {
    QTimer::singleShot(0, context, [&seen, choose] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (menu == nullptr)
            return;
        seen.name = menu->objectName();
        for (const QAction* a : menu->actions())
            seen.commands << a->objectName();
        menu->close();
        // While the menu lives: it goes with the event that opened it.
        if (QAction* chosen = choose.isEmpty() ? nullptr : menu->findChild<QAction*>(choose))
            chosen->trigger();
    });
}

// A right click at `pos`: the press, the context-menu event X11 sends with
// it, the release. The menu it opens is read, closed, and `choose` (a
// command's name) is carried out.
inline Popup rightClick(QAbstractItemView* view, QPoint pos, const QString& choose = {}) {
    Popup seen;
    readNextPopup(view, seen, choose);
    QWidget* viewport = view->viewport();
    QTest::mousePress(viewport, Qt::RightButton, {}, pos);
    QContextMenuEvent event(QContextMenuEvent::Mouse, pos, viewport->mapToGlobal(pos));
    QApplication::sendEvent(viewport, &event);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, pos);
    QCoreApplication::processEvents(); // the timer, when no menu opened
    return seen;
}

// Shift+F10 on a view: the menu it opens is read, closed, and `choose` is
// carried out.
inline Popup menuKey(QAbstractItemView* view, const QString& choose = {}) {
    Popup seen;
    readNextPopup(view, seen, choose);
    QTest::keyClick(view, Qt::Key_F10, Qt::ShiftModifier);
    QCoreApplication::processEvents();
    return seen;
}

inline QPoint at(const QTreeWidget* view, const QTreeWidgetItem* item) {
    return view->visualItemRect(item).center();
}

// A point below a row, where no row is.
inline QPoint below(const QTreeWidget* view, const QTreeWidgetItem* item) {
    return QPoint(10, view->visualItemRect(item).bottom() + 20);
}

inline void click(QTreeWidget* view, const QTreeWidgetItem* item) {
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at(view, item));
}

// The first item so labelled, at any depth.
inline QTreeWidgetItem* item(const QTreeWidget* view, const QString& label) {
    return view->findItems(label, Qt::MatchExactly | Qt::MatchRecursive).value(0);
}

inline QStringList column0(const QTreeWidget* view) {
    QStringList cells;
    for (int r = 0; r < view->topLevelItemCount(); ++r)
        cells << view->topLevelItem(r)->text(0);
    return cells;
}

inline void move(QWidget* viewport, QPoint pos) {
    QMouseEvent event(QEvent::MouseMove, QPointF(pos), viewport->mapToGlobal(QPointF(pos)),
                      Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &event);
}

// A left drag from `from` over `via` to a release at the last of them.
inline void drag(QAbstractItemView* view, QPoint from, const QList<QPoint>& via) {
    QWidget* viewport = view->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    for (const QPoint& pos : via)
        move(viewport, pos);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, via.last());
}

} // namespace mousedriver
