#pragma once

class NetworkClient;
class QLineEdit;
class QWidget;

// What to do with a pick on a local disk: keep its file-system path, or leave
// the field as it was.
enum class LocalPolicy { Keep, Ignore };

// Shown when a pick lies on a network file system whose server and share
// cannot be read; the field is left as it was.
inline constexpr const char* kUnplacedPick =
    "The server and share of this network folder cannot be read. Pick it on a share mounted by "
    "server and share name, or under Network.";

// Shows the folder browser titled "Browsing" over the client's network and
// writes the volume form of the pick into `field`.
void BrowseForNetworkPath(NetworkClient& client, QWidget* dialog, QLineEdit* field, bool showFiles,
                          LocalPolicy localPolicy);
