#include "MenuKeys.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>

MenuKeys::Key MenuKeys::of(const QKeyEvent& event) {
    const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
    if (event.key() == Qt::Key_Menu ||
        (event.key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier))
        return Key::OpenMenu;
    if (modifiers != Qt::NoModifier)
        return Key::None;
    if (event.key() == Qt::Key_Delete)
        return Key::Delete;
    if (event.key() == Qt::Key_Insert)
        return Key::Insert;
    return Key::None;
}

bool MenuKeys::run(const QMenu* menu, Key key) {
    if (menu == nullptr || (key != Key::Delete && key != Key::Insert))
        return false;
    const QString name = key == Key::Delete ? QStringLiteral("delete") : QStringLiteral("insert");
    QAction* item = menu->findChild<QAction*>(name);
    if (item == nullptr || !item->isEnabled())
        return false;
    item->trigger();
    return true;
}
