#pragma once

#include "netbrowse/NetworkNeighbourhood.h"

#include <QDialog>
#include <QString>
#include <vector>

class NetworkClient;
class QDialogButtonBox;
class QTreeWidget;
class QTreeWidgetItem;

// The folder browser of every Browse button, titled "Browsing": the local
// file system and a Network root fed by the network client, folders only or
// files too. Folders are listed when first opened. A pick is a file-system
// path or a network path that begins with "\\"; the Network root, a tree and
// a server on their own cannot be picked.
class CFolderBrowser : public QDialog {
    Q_OBJECT

public:
    CFolderBrowser(NetworkClient& client, bool showFiles, QWidget* parent = nullptr);

    // The path of the current item; empty when it has none.
    QString selectedPath() const;
    QTreeWidget* folderTree() const { return tree_; }

    // Refused while the current item cannot be picked.
    void accept() override;

private:
    void addLocalRoots();
    void addNetworkRoot();
    QTreeWidgetItem* addItem(QTreeWidgetItem* parent, const QString& label, const QString& path,
                             bool canOpen);
    void fill(QTreeWidgetItem* item);
    void fillLocal(QTreeWidgetItem* item, const QString& folder);
    void fillNetwork(QTreeWidgetItem* item, const NetworkNeighbourhood::Place& place);
    void updateOk();

    NetworkNeighbourhood network_;
    std::vector<NetworkNeighbourhood::Place> places_;
    bool showFiles_;
    QTreeWidget* tree_;
    QDialogButtonBox* buttons_;
};
