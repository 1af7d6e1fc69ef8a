#pragma once

#include <QIcon>
#include <memory>

class NetworkClient;

// What the Browse buttons need from the application, handed down to the
// dialogs that have them: the network client the folder browser shows, and
// the buttons' picture.
class PathBrowser {
public:
    PathBrowser(std::shared_ptr<NetworkClient> client, QIcon icon)
        : client_(std::move(client)), icon_(std::move(icon)) {}

    const std::shared_ptr<NetworkClient>& client() const { return client_; }
    const QIcon& icon() const { return icon_; }

private:
    std::shared_ptr<NetworkClient> client_;
    QIcon icon_;
};
