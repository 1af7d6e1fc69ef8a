#pragma once

#include "app/CMainFrame.h"
#include "app/CPallworthApp.h"
#include "framework/ChildFrame.h"
#include "framework/DocumentManager.h"
#include "framework/ModalSeam.h"
#include "netbrowse/NetworkClient.h"

#include <QDialog>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

// A network client that only counts its start-up and exit calls.
class CountingClient : public NetworkClient {
public:
    int initialized = 0;
    int shutDown = 0;
    Status initialize() override {
        ++initialized;
        return {};
    }
    void shutdown() override { ++shutDown; }
};

// A real application with its main window, its settings kept in a folder of
// the test's own, and the modal seam answering from scripted replies.
class AppFixture {
public:
    AppFixture() {
        // Settings of this process only: test mode would share one folder
        // between test programs running side by side.
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config_.path()));
        auto client = std::make_unique<CountingClient>();
        network = client.get();
        app = std::make_unique<CPallworthApp>(std::move(client));
        app->InitInstance({QStringLiteral("pallworth"), QStringLiteral("ignored.cfg")});
    }

    ~AppFixture() {
        ModalSeam::Scope quiet(answerAll());
        app.reset();
    }

    CMainFrame& frame() const { return *app->mainFrame(); }
    DocumentManager& documents() const { return app->documents(); }

    // Seam hooks: dialogs run `onDialog`, messages are recorded and answered
    // with `answer`, file dialogs return `fileName`.
    ModalSeam::Hooks answerAll() {
        ModalSeam::Hooks hooks;
        hooks.dialog = [this](QDialog& dialog) {
            ++dialogsRun;
            return onDialog ? onDialog(dialog) : int(QDialog::Rejected);
        };
        hooks.message = [this](const ModalSeam::Message& m) {
            messages << m.text;
            captions << m.caption;
            icons << m.icon;
            return answer;
        };
        hooks.fileName = [this](const QString&) { return fileName; };
        return hooks;
    }

    // Opens a file and forgets the report of the hand-written comments and
    // lines that the test files hold and a save would drop: the message at
    // open, and the question before the first save (the title keeps its mark).
    Document* openKnown(const QString& path) {
        Document* document = documents().openFile(path);
        if (document != nullptr)
            document->setUnkeptReport({});
        if (!messages.isEmpty() && messages.last().contains(QStringLiteral("will not be kept"))) {
            messages.removeLast();
            captions.removeLast();
            icons.removeLast();
        }
        return document;
    }

    // A dialog driver that types `text` into the edit box and presses OK.
    static std::function<int(QDialog&)> typeAndOk(const QString& text) {
        return [text](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("1006"))->setText(text);
            dialog.accept();
            return dialog.result();
        };
    }

    CountingClient* network = nullptr;
    std::unique_ptr<CPallworthApp> app;
    std::function<int(QDialog&)> onDialog;
    QMessageBox::StandardButton answer = QMessageBox::Ok;
    QString fileName;
    QStringList messages;
    QStringList captions;
    QList<ModalSeam::Icon> icons;
    int dialogsRun = 0;

private:
    QTemporaryDir config_;
};
