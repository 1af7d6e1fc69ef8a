#pragma once

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <memory>

class CMainFrame;
class DocumentManager;
#include "HelpWindow.h"
class NetworkClient;

// Start-up and shut-down of the editor: the settings key, the recent files,
// the network client, the document kinds, the main window; and the About box
// and help.
class CPallworthApp : public QObject {
    Q_OBJECT

public:
    explicit CPallworthApp(std::unique_ptr<NetworkClient> network);
    ~CPallworthApp() override;

    static CPallworthApp* instance() { return instance_; }

    bool InitInstance(const QStringList& arguments);
    int ExitInstance();

    CMainFrame* mainFrame() const { return mainFrame_.get(); }
    DocumentManager& documents() const { return *documents_; }
    NetworkClient& network() const { return *network_; }
    const QIcon& browseIcon() const { return browseIcon_; }
    // The command line as given; the editor opens nothing from it.
    const QStringList& commandLine() const { return commandLine_; }

    void showAbout();
    void showHelp();
    HelpWindow* helpWindow() const { return help_; }

private:
    void registerDocumentKinds();

    static CPallworthApp* instance_;
    std::unique_ptr<NetworkClient> network_;
    std::unique_ptr<CMainFrame> mainFrame_;
    std::unique_ptr<DocumentManager> documents_;
    QPointer<HelpWindow> help_;
    QIcon browseIcon_;
    QStringList commandLine_;
};
