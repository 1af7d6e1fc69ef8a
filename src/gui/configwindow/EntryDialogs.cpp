#include "EntryDialogs.h"

#include "dialogs/CJob.h"
#include "dialogs/CPath.h"
#include "dialogs/CTargetServer.h"
#include "framework/ModalSeam.h"

bool EntryDialogs::run(TargetServer& entry, bool fresh) const {
    CTargetServer dialog(parent_);
    if (fresh)
        dialog.startNew();
    else
        dialog.loadFrom(entry);
    if (!ModalSeam::accepted(dialog))
        return false;
    dialog.applyTo(entry);
    return true;
}

bool EntryDialogs::run(SyncJob& entry, bool fresh) const {
    CJob dialog(parent_, browser_);
    dialog.caption = row_.caption();
    dialog.forFiles = row_.dialog == EntryDialog::FileJob;
    if (!fresh)
        dialog.loadFrom(entry);
    if (!ModalSeam::accepted(dialog))
        return false;
    dialog.applyTo(entry);
    return true;
}

// A new entry needs a path; an edited one may be emptied.
bool EntryDialogs::run(std::string& path, bool fresh) const {
    CPath dialog(parent_, browser_);
    dialog.caption = row_.caption();
    if (!fresh)
        dialog.path = path;
    if (!ModalSeam::accepted(dialog) || (fresh && dialog.path.empty()))
        return false;
    path = dialog.path;
    return true;
}
