#include "CFolderBrowser.h"

#include "framework/AnsiQt.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QGuiApplication>
#include <QPushButton>
#include <QScopeGuard>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

using Place = NetworkNeighbourhood::Place;

// What an item stands for: the path a pick gives, the local folder it
// lists, or its place in the network; and whether it was listed yet.
enum Role {
    PathRole = Qt::UserRole,
    FolderRole,
    PlaceRole,
    FilledRole,
};

constexpr int NoPlace = -1;

QStyle::StandardPixmap iconOf(Place::Kind kind) {
    switch (kind) {
    case Place::Kind::Root:
        return QStyle::SP_DriveNetIcon;
    case Place::Kind::Server:
    case Place::Kind::Tree:
        return QStyle::SP_ComputerIcon;
    case Place::Kind::File:
        return QStyle::SP_FileIcon;
    case Place::Kind::TreeObject:
    case Place::Kind::Volume:
    case Place::Kind::Folder:
        break;
    }
    return QStyle::SP_DirIcon;
}

} // namespace

CFolderBrowser::CFolderBrowser(NetworkClient& client, bool showFiles, QWidget* parent)
    : QDialog(parent), network_(client), showFiles_(showFiles), tree_(new QTreeWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setObjectName(QStringLiteral("folderBrowser"));
    setWindowTitle(QStringLiteral("Browsing"));
    tree_->setObjectName(QStringLiteral("folderTree"));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    buttons_->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons_->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(buttons_);
    resize(360, 420);

    addLocalRoots();
    addNetworkRoot();
    connect(tree_, &QTreeWidget::itemExpanded, this, &CFolderBrowser::fill);
    connect(tree_, &QTreeWidget::currentItemChanged, this, &CFolderBrowser::updateOk);
    connect(buttons_, &QDialogButtonBox::accepted, this, &CFolderBrowser::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &CFolderBrowser::reject);
    updateOk();
}

QString CFolderBrowser::selectedPath() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    return item == nullptr ? QString() : item->data(0, PathRole).toString();
}

void CFolderBrowser::accept() {
    if (!selectedPath().isEmpty())
        QDialog::accept();
}

void CFolderBrowser::addLocalRoots() {
    QTreeWidgetItem* home = addItem(nullptr, QStringLiteral("Home"), QDir::homePath(), true);
    home->setIcon(0, style()->standardIcon(QStyle::SP_DirHomeIcon));
    home->setData(0, FolderRole, QDir::homePath());
    for (const QFileInfo& drive : QDir::drives()) {
        const QString path = drive.absoluteFilePath();
        const QString label = path == QDir::rootPath() ? QStringLiteral("File System") : path;
        QTreeWidgetItem* item = addItem(nullptr, label, path, true);
        item->setIcon(0, style()->standardIcon(QStyle::SP_DriveHDIcon));
        item->setData(0, FolderRole, path);
    }
}

void CFolderBrowser::addNetworkRoot() {
    places_.push_back(NetworkNeighbourhood::root());
    QTreeWidgetItem* item = addItem(nullptr, QStringLiteral("Network"), QString(), true);
    item->setIcon(0, style()->standardIcon(iconOf(Place::Kind::Root)));
    item->setData(0, PlaceRole, 0);
}

QTreeWidgetItem* CFolderBrowser::addItem(QTreeWidgetItem* parent, const QString& label,
                                         const QString& path, bool canOpen) {
    auto* item = parent == nullptr ? new QTreeWidgetItem(tree_) : new QTreeWidgetItem(parent);
    item->setText(0, label);
    item->setData(0, PathRole, path);
    item->setData(0, PlaceRole, NoPlace);
    item->setChildIndicatorPolicy(canOpen ? QTreeWidgetItem::ShowIndicator
                                          : QTreeWidgetItem::DontShowIndicator);
    return item;
}

void CFolderBrowser::fill(QTreeWidgetItem* item) {
    if (item->data(0, FilledRole).toBool())
        return;
    item->setData(0, FilledRole, true);
    // A listing may take a trip over the network: the cursor says so.
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const auto restore = qScopeGuard([] { QGuiApplication::restoreOverrideCursor(); });
    const int place = item->data(0, PlaceRole).toInt();
    if (place == NoPlace)
        fillLocal(item, item->data(0, FolderRole).toString());
    else
        fillNetwork(item, places_[static_cast<std::size_t>(place)]);
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

void CFolderBrowser::fillLocal(QTreeWidgetItem* item, const QString& folder) {
    const QDir::Filters filters =
        QDir::Dirs | QDir::NoDotAndDotDot | (showFiles_ ? QDir::Files : QDir::Filters());
    const QFileInfoList entries =
        QDir(folder).entryInfoList(filters, QDir::Name | QDir::DirsFirst | QDir::IgnoreCase);
    for (const QFileInfo& entry : entries) {
        const bool isFolder = entry.isDir();
        QTreeWidgetItem* child =
            addItem(item, entry.fileName(), entry.absoluteFilePath(), isFolder);
        child->setIcon(0,
                       style()->standardIcon(isFolder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon));
        if (isFolder)
            child->setData(0, FolderRole, entry.absoluteFilePath());
    }
}

void CFolderBrowser::fillNetwork(QTreeWidgetItem* item, const NetworkNeighbourhood::Place& place) {
    for (Place& child : network_.children(place, showFiles_)) {
        QTreeWidgetItem* added =
            addItem(item, AnsiQt::toQString(child.label), AnsiQt::toQString(child.path),
                    NetworkNeighbourhood::canHoldChildren(child));
        added->setIcon(0, style()->standardIcon(iconOf(child.kind)));
        added->setData(0, PlaceRole, static_cast<int>(places_.size()));
        places_.push_back(std::move(child));
    }
}

void CFolderBrowser::updateOk() {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!selectedPath().isEmpty());
}
