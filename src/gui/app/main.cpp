#include "CPallworthApp.h"
#include "netbrowse/MemoryDirectoryClient.h"
#include "netbrowse/WorkstationClient.h"

#include <QApplication>
#include <cstdio>

namespace {

// PALLWORTH_NETWORK names a made-up network (docs/NETWORK.md) to browse in
// place of the workstation's own shares.
std::unique_ptr<NetworkClient> networkClient() {
    const QByteArray description = qgetenv("PALLWORTH_NETWORK");
    if (description.isEmpty())
        return std::make_unique<WorkstationClient>();
    auto client = std::make_unique<MemoryDirectoryClient>();
    const Status loaded = client->loadFile(description.toStdString());
    if (loaded.ok)
        return client;
    std::fprintf(stderr, "PALLWORTH_NETWORK: %s\n", loaded.error.c_str());
    return std::make_unique<WorkstationClient>();
}

} // namespace

int main(int argc, char** argv) {
    QApplication qt(argc, argv);
    CPallworthApp app(networkClient());
    if (!app.InitInstance(QApplication::arguments()))
        return 1;
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
