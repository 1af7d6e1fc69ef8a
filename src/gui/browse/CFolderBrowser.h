#pragma once

#include "netbrowse/NetworkNeighbourhood.h"

#include <QByteArray>
#include <QDialog>
#include <QString>
#include <chrono>
#include <memory>
#include <vector>

class NetworkClient;
class QDialogButtonBox;
class QLabel;
class QTreeWidget;
class QTreeWidgetItem;
struct FolderRows;

// The folder browser of every Browse button, titled "Browsing": the local
// file system and a Network root fed by the network client, folders only or
// files too. Folders are listed when first opened, each in a thread of its
// own under a "Reading…" row, so the window answers and Cancel works while a
// server is slow; a listing that takes longer than the limit is given up
// with a line that names the folder, and opening the folder again retries.
// A pick is a file-system path or a network path that begins with "\\"; the
// Network root, a tree and a server on their own cannot be picked.
class CFolderBrowser : public QDialog {
    Q_OBJECT

public:
    static constexpr std::chrono::milliseconds kListingLimit{2000};

    CFolderBrowser(std::shared_ptr<NetworkClient> client, bool showFiles,
                   QWidget* parent = nullptr);

    // The path of the current item; empty when it has none.
    QString selectedPath() const;
    // The same in the file system's own bytes (UTF-8 for a network path).
    QByteArray selectedBytes() const;
    // Why the current item cannot be picked; empty when it can.
    QString selectedRefusal() const;
    QTreeWidget* folderTree() const { return tree_; }
    // Whether a listing is still running.
    bool listing() const { return listings_ > 0; }

    // Refused while the current item cannot be picked.
    void accept() override;

private:
    void addLocalRoots();
    void addNetworkRoot();
    QTreeWidgetItem* addItem(QTreeWidgetItem* parent, const QString& label, const QString& path,
                             bool canOpen);
    void fill(QTreeWidgetItem* item);
    void addRows(QTreeWidgetItem* item, FolderRows rows);
    void giveUp(QTreeWidgetItem* item);
    void setBusy(int change);
    void setStatus(const QString& text);
    void updateOk();

    std::shared_ptr<NetworkClient> client_;
    std::vector<NetworkNeighbourhood::Place> places_;
    bool showFiles_;
    int listings_ = 0;
    QTreeWidget* tree_;
    QLabel* status_;
    QDialogButtonBox* buttons_;
};
