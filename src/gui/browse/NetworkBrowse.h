#pragma once

#include "netbrowse/NetworkPath.h"

class QLineEdit;
class QWidget;

// What to do with a pick on a local disk: keep its file-system path, or leave
// the field as it was.
enum class LocalPolicy { Keep, Ignore };

// Shows the folder browser titled "Browsing" over the client's network and
// writes the volume form of the pick into `field`.
void BrowseForNetworkPath(NetworkClient& client, QWidget* dialog, QLineEdit* field, bool showFiles,
                          LocalPolicy localPolicy);
