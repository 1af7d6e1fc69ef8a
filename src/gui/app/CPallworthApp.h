#pragma once

#include "HelpWindow.h"

#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

class CMainFrame;
class DocumentManager;
class NetworkClient;
class PathBrowser;

// Start-up and shut-down of the editor: the settings key, the recent files,
// the network client, the document kinds, the main window; and the About box
// and help. The windows get the services they need from here when they are
// made.
class CPallworthApp : public QObject {
    Q_OBJECT

public:
    explicit CPallworthApp(std::unique_ptr<NetworkClient> network);
    ~CPallworthApp() override;

    bool InitInstance(const QStringList& arguments);
    int ExitInstance();

    CMainFrame* mainFrame() const { return mainFrame_.get(); }
    DocumentManager& documents() const { return *documents_; }
    NetworkClient& network() const { return *network_; }
    // What the Browse buttons of the windows' dialogs work with; there once
    // InitInstance has run.
    const PathBrowser& browser() const { return *browser_; }
    // The command line as given; the editor opens nothing from it.
    const QStringList& commandLine() const { return commandLine_; }

    void showAbout();
    void showHelp();
    HelpWindow* helpWindow() const { return help_; }

private:
    void registerDocumentKinds();

    // Shared with folder listings that may outlive a browser.
    std::shared_ptr<NetworkClient> network_;
    std::unique_ptr<PathBrowser> browser_;
    std::unique_ptr<CMainFrame> mainFrame_;
    std::unique_ptr<DocumentManager> documents_;
    QPointer<HelpWindow> help_;
    QStringList commandLine_;
};
