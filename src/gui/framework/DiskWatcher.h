#pragma once

#include "DiskState.h"

#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>

class Document;
class DocumentManager;

// Watches the files of the open documents and offers to reload one that
// another program changed; the question goes through the modal seam.
class DiskWatcher : public QObject {
    Q_OBJECT

public:
    explicit DiskWatcher(DocumentManager& manager);

    // A changed file's question, as the user sees it. No, the default,
    // keeps what the user has.
    static QString question(Document& document);

private:
    static constexpr int kRetryMs = 500;

    // Watches exactly the files of the open documents.
    void follow();
    void fileChanged(const QString& path);
    // A folder watched for a file of it that Qt's watcher cannot name.
    void folderChanged(const QString& folder);

    DocumentManager& manager_;
    QFileSystemWatcher watcher_;
    // The state of a file when the user declined to reload it.
    QHash<QString, DiskState> declined_;
    bool asking_ = false;
};
