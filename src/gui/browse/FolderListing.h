#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QString>
#include <QStyle>
#include <QTimer>
#include <chrono>
#include <functional>
#include <optional>
#include <vector>

#include "netbrowse/NetworkNeighbourhood.h"

// What one folder of the browser lists: its rows, or why it lists none.
struct FolderRows {
    struct Row {
        QString label;
        // The path a pick gives, shown and in the file system's own bytes.
        QString path;
        QByteArray bytes;
        // Why a pick of the row is refused; empty when it is not.
        QString refusal;
        QStyle::StandardPixmap icon = QStyle::SP_DirIcon;
        bool canOpen = false;
        // The local folder it lists, or its place in the network.
        QByteArray folder;
        std::optional<NetworkNeighbourhood::Place> place;
    };
    std::vector<Row> rows;
    QString error;
};

// One listing, run in a thread of its own so that a folder on a stuck
// server cannot freeze the window. The thread owns everything it touches:
// once the listing is abandoned (past the time limit, or this object gone)
// it may stay blocked without anyone waiting for it, and its result is
// dropped. Deletes itself after `done` or `abandoned` was called.
class FolderListing : public QObject {
public:
    using Job = std::function<FolderRows()>;

    FolderListing(Job job, std::chrono::milliseconds limit, std::function<void(FolderRows)> done,
                  std::function<void()> abandoned, QObject* parent);

private:
    void finish();
    void giveUp();

    QFutureWatcher<FolderRows> watcher_;
    QTimer limit_;
    std::function<void(FolderRows)> done_;
    std::function<void()> abandoned_;
};
