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
};
