#pragma once

#include "config/ListRow.h"

#include <string>

class PathBrowser;
class QWidget;

// Runs the dialog that edits one entry of a package's list, chosen by the
// entry's type and the list's row; the editing commands stay generic.
class EntryDialogs {
public:
    EntryDialogs(QWidget* parent, const PathBrowser* browser, const ListRow& row)
        : parent_(parent), browser_(browser), row_(row) {}

    // Fills the dialog from `entry` (or starts it empty when `fresh`) and on
    // OK writes the result back; false when there is nothing to take.
    bool run(TargetServer& entry, bool fresh) const;
    bool run(SyncJob& entry, bool fresh) const;
    bool run(std::string& path, bool fresh) const;

private:
    QWidget* parent_;
    const PathBrowser* browser_;
    const ListRow& row_;
};
