#include "CPallworthApp.h"

#include "AboutDialog.h"
#include "AppIcons.h"
#include "CMainFrame.h"
#include "CompareWindow.h"
#include "HelpWindow.h"
#include "browse/PathBrowser.h"
#include "configwindow/ConfigDocumentKind.h"
#include "framework/DiskWatcher.h"
#include "framework/DocumentManager.h"
#include "framework/ModalSeam.h"
#include "framework/TreeListDocument.h"
#include "netbrowse/NetworkClient.h"
#include "taskwindow/TaskDocumentKind.h"

#include <QApplication>
#include <QMdiArea>

CPallworthApp::CPallworthApp(std::unique_ptr<NetworkClient> network)
    : network_(std::move(network)) {}

CPallworthApp::~CPallworthApp() {
    documents_.reset();
    mainFrame_.reset();
}

bool CPallworthApp::InitInstance(const QStringList& arguments) {
    // Settings and the recent-file list live under Brannock/Pallworth.
    QCoreApplication::setOrganizationName(QStringLiteral("Brannock"));
    QCoreApplication::setApplicationName(QStringLiteral("Pallworth"));
    QApplication::setWindowIcon(AppIcons::application());
    // A network that cannot start is not an error at start-up: the browser
    // asks it again when used and tells the user why it cannot answer.
    (void)network_->initialize();
    browser_ = std::make_unique<PathBrowser>(network_, AppIcons::browse());

    mainFrame_ = std::make_unique<CMainFrame>();
    documents_ = std::make_unique<DocumentManager>(*mainFrame_->mdiArea());
    registerDocumentKinds();
    new DiskWatcher(*documents_); // owned by the document manager
    documents_->setShowChanges([this](Document& document, bool documentNewer) {
        if (auto* shown = qobject_cast<TreeListDocument*>(&document))
            CompareWindow::open(*shown, document.filePath(),
                                documentNewer ? CompareWindow::DocumentSide::New
                                              : CompareWindow::DocumentSide::Old,
                                mainFrame_.get());
    });
    mainFrame_->setDocumentManager(documents_.get());
    connect(mainFrame_.get(), &CMainFrame::aboutRequested, this, &CPallworthApp::showAbout);
    connect(mainFrame_.get(), &CMainFrame::helpRequested, this, &CPallworthApp::showHelp);

    commandLine_ = arguments;
    mainFrame_->show();
    return true;
}

int CPallworthApp::ExitInstance() {
    network_->shutdown();
    return 0;
}

void CPallworthApp::registerDocumentKinds() {
    documents_->registerTemplate(ConfigDocumentKind::makeTemplate(browser_.get()));
    documents_->registerTemplate(TaskDocumentKind::makeTemplate(browser_.get()));
}

void CPallworthApp::showAbout() {
    AboutDialog about(mainFrame_.get());
    ModalSeam::runModal(about);
}

void CPallworthApp::showHelp() {
    if (help_ == nullptr) {
        help_ = new HelpWindow(mainFrame_.get());
        help_->setAttribute(Qt::WA_DeleteOnClose);
    }
    help_->show();
    help_->raise();
}
