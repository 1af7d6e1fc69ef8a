#pragma once

class QKeyEvent;
class QMenu;

// The keys that stand for a context menu: Delete and Insert run the menu's
// item of that name, so they make the same checks and ask the same
// questions; Shift+F10 and the Menu key open the menu.
class MenuKeys {
public:
    enum class Key { None, Delete, Insert, OpenMenu };

    static Key of(const QKeyEvent& event);
    // Runs the item of `menu` that `key` stands for; false when the menu has
    // none (a nullptr menu has none).
    static bool run(const QMenu* menu, Key key);
};
