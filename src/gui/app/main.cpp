#include "CPallworthApp.h"
#include "CommandLine.h"
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

// The answers that need no window: QApplication needs a display. -1 to go on.
int answeredWithoutWindow(int argc, char** argv) {
    const CommandLine::Reading line = CommandLine::read(argc, argv);
    switch (line.action) {
    case CommandLine::Action::Run:
        return -1;
    case CommandLine::Action::Refuse:
        std::fprintf(stderr, "pallworth: %s (%s)\n", line.problem.c_str(), CommandLine::kUsage);
        return 2;
    case CommandLine::Action::Version:
        std::printf("pallworth %s\n", PALLWORTH_VERSION);
        break;
    case CommandLine::Action::Help:
        std::printf("%s\n\n"
                    "The Pallworth editor for configurations (.cfg) and task files (.ini).\n"
                    "Open files with File Open or drop them on the main window.\n"
                    "pallworth-cli reads, checks and converts them in scripts.\n"
                    "QT-OPTION is one of Qt's own, such as -style NAME or -platform NAME.\n",
                    CommandLine::kUsage);
        break;
    }
    return std::fflush(stdout) == 0 && std::ferror(stdout) == 0 ? 0 : 2;
}

} // namespace

int main(int argc, char** argv) {
    if (const int status = answeredWithoutWindow(argc, argv); status >= 0)
        return status;
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
