#pragma once

#include <QIcon>

class NetworkClient;

// What the Browse buttons need from the application, handed down to the
// dialogs that have them: the network client the folder browser shows, and
// the buttons' picture.
class PathBrowser {
public:
    PathBrowser(NetworkClient& client, QIcon icon) : client_(client), icon_(std::move(icon)) {}

    NetworkClient& client() const { return client_; }
    const QIcon& icon() const { return icon_; }

private:
    NetworkClient& client_;
    QIcon icon_;
};
