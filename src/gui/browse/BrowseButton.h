#pragma once

#include "NetworkBrowse.h"

#include <QPushButton>
#include <functional>

class PathBrowser;
class QLineEdit;

// A small button with the browse picture beside a path field: it shows the
// folder browser and fills the field with the volume form of the pick.
// Without a browser (a dialog made on its own) it has no picture and does
// nothing. `showFiles` is asked anew at every click.
class BrowseButton : public QPushButton {
public:
    BrowseButton(const PathBrowser* browser, QLineEdit& field, std::function<bool()> showFiles,
                 LocalPolicy localPolicy, QWidget* dialog);
};
