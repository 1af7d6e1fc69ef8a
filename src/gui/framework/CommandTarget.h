#pragma once

// The commands of the main frame's menus that the active window's content
// carries out itself.
class CommandTarget {
public:
    virtual ~CommandTarget() = default;

    // F6 and Shift+F6.
    virtual void nextPane() = 0;
    virtual void previousPane() = 0;

    // Data > New Application and New Package; a window without records
    // leaves them disabled.
    virtual bool addsRecords() const { return false; }
    virtual void newApplication() {}
    virtual void newPackage() {}

    // Edit > Cut, Copy, Paste and Duplicate act on what the window has
    // selected; a window that cannot do one leaves it greyed.
    enum class Edit { Cut, Copy, Paste, Duplicate };
    virtual bool canEdit(Edit) const { return false; }
    virtual void edit(Edit) {}
};
