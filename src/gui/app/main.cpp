#include "CPallworthApp.h"
#include "netbrowse/MemoryDirectoryClient.h"
#include "netbrowse/WorkstationClient.h"

#include <QApplication>
#include <cstdio>
#include <cstring>

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

// --help and --version are answered before QApplication, which needs a display.
bool answeredWithoutWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("pallworth %s\n", PALLWORTH_VERSION);
            return true;
        }
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            std::printf("usage: pallworth [--help | --version] [QT-OPTION]...\n\n"
                        "The Pallworth editor for configurations (.cfg) and task files (.ini).\n"
                        "Open files with File Open or drop them on the main window.\n"
                        "pallworth-cli reads, checks and converts them in scripts.\n");
            return true;
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (answeredWithoutWindow(argc, argv))
        return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 2;
    // The desktop finds the icon and name of the windows by the desktop id.
    QCoreApplication::setApplicationVersion(QStringLiteral(PALLWORTH_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(PALLWORTH_APP_ID));
    QApplication qt(argc, argv);
    CPallworthApp app(networkClient());
    if (!app.InitInstance(QApplication::arguments()))
        return 1;
    const int status = QApplication::exec();
    app.ExitInstance();
    return status;
}
