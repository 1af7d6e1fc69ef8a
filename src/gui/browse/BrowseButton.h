#pragma once

#include "NetworkBrowse.h"

#include <QPushButton>
#include <functional>

class PathBrowser;
class QLabel;
class QLineEdit;

// A small button with the browse picture beside a path field: it shows the
// folder browser and fills the field with the volume form of the pick.
// Without a browser (a dialog made on its own) it has no picture and does
// nothing. `showFiles` is asked anew at every click. A local pick the policy
// leaves out is told in `note` (a line under the field, when given) until
// the field changes.
class BrowseButton : public QPushButton {
public:
    static constexpr const char* kLocalPickIgnored =
        "A place on this computer cannot be used here: pick one on a server's share, or under "
        "Network.";

    BrowseButton(const PathBrowser* browser, QLineEdit& field, std::function<bool()> showFiles,
                 LocalPolicy localPolicy, QWidget* dialog, QLabel* note = nullptr);
};
