#pragma once

#include "netbrowse/NetworkPath.h"

#include <memory>

class QLineEdit;
class QWidget;

// What to do with a pick on a local disk: keep its file-system path, or leave
// the field as it was.
enum class LocalPolicy { Keep, Ignore };

// How a browse ended: nothing picked, the field filled, a local pick left
// out by the policy (the caller says so), or a pick refused with a message.
enum class BrowseResult { Cancelled, Filled, LocalIgnored, Refused };

// Shows the folder browser titled "Browsing" over the client's network and
// writes the volume form of the pick into `field`. The browser shares the
// client with listings that may outlive it.
BrowseResult BrowseForNetworkPath(const std::shared_ptr<NetworkClient>& client, QWidget* dialog,
                                  QLineEdit* field, bool showFiles, LocalPolicy localPolicy);
