#include "CFolderBrowser.h"

#include "FolderListing.h"
#include "framework/AnsiQt.h"
#include "netbrowse/LocalFolder.h"
#include "netbrowse/NetworkClient.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <utility>

namespace {

using Place = NetworkNeighbourhood::Place;
using Row = FolderRows::Row;

// What an item stands for: the path a pick gives (shown and in the file
// system's bytes), why it is refused, the local folder it lists, or its
// place in the network; and whether it was listed yet.
enum Role {
    PathRole = Qt::UserRole,
    BytesRole,
    RefusalRole,
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

// The rows of the listing jobs run outside the window's thread: they touch
// no widget and nothing the browser owns.
Row localRow(const QByteArray& folder, LocalFolder::Entry&& entry) {
    Row row;
    const QByteArray name = QByteArray::fromStdString(entry.name);
    row.bytes = folder.endsWith('/') ? folder + name : folder + '/' + name;
    // Bytes that are not UTF-8 show as U+FFFD; the pick keeps them.
    row.label = QString::fromUtf8(name);
    row.path = QString::fromUtf8(row.bytes);
    row.canOpen = entry.folder;
    row.icon = entry.folder ? QStyle::SP_DirIcon : QStyle::SP_FileIcon;
    if (entry.folder)
        row.folder = row.bytes;
    return row;
}

FolderRows localRows(const QByteArray& folder, bool showFiles) {
    std::vector<LocalFolder::Entry> entries;
    FolderRows rows;
    LocalFolder::read(folder.toStdString(), showFiles, entries);
    for (LocalFolder::Entry& entry : entries)
        rows.rows.push_back(localRow(folder, std::move(entry)));
    std::sort(rows.rows.begin(), rows.rows.end(), [](const Row& a, const Row& b) {
        if (a.canOpen != b.canOpen)
            return a.canOpen;
        return a.label.compare(b.label, Qt::CaseInsensitive) < 0;
    });
    return rows;
}

Row networkRow(Place&& place) {
    Row row;
    row.label =
        place.ownLabel.empty() ? AnsiQt::toQString(place.label) : QString::fromUtf8(place.ownLabel);
    row.path = AnsiQt::toQString(place.path);
    row.bytes = row.path.toUtf8();
    row.refusal = QString::fromStdString(place.refusal);
    row.canOpen = NetworkNeighbourhood::canHoldChildren(place);
    row.icon = iconOf(place.kind);
    row.place = std::move(place);
    return row;
}

// A mount table that cannot be read says so, rather than a Network that is
// silently empty.
FolderRows networkRows(NetworkClient& client, const Place& place, bool showFiles) {
    FolderRows rows;
    if (place.kind == Place::Kind::Root) {
        const Status ready = client.ready();
        if (!ready.ok) {
            rows.error = QString::fromStdString(ready.error);
            return rows;
        }
    }
    for (Place& child : NetworkNeighbourhood(client).children(place, showFiles))
        rows.rows.push_back(networkRow(std::move(child)));
    return rows;
}

} // namespace

CFolderBrowser::CFolderBrowser(std::shared_ptr<NetworkClient> client, bool showFiles,
                               QWidget* parent)
    : QDialog(parent), client_(std::move(client)), showFiles_(showFiles),
      tree_(new QTreeWidget(this)), status_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
    setObjectName(QStringLiteral("folderBrowser"));
    setWindowTitle(QStringLiteral("Browsing"));
    tree_->setObjectName(QStringLiteral("folderTree"));
    tree_->setHeaderHidden(true);
    tree_->setColumnCount(1);
    status_->setObjectName(QStringLiteral("browseStatus"));
    status_->setWordWrap(true);
    status_->hide();
    buttons_->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
    buttons_->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tree_);
    layout->addWidget(status_);
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

QByteArray CFolderBrowser::selectedBytes() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    return item == nullptr ? QByteArray() : item->data(0, BytesRole).toByteArray();
}

QString CFolderBrowser::selectedRefusal() const {
    const QTreeWidgetItem* item = tree_->currentItem();
    return item == nullptr ? QString() : item->data(0, RefusalRole).toString();
}

void CFolderBrowser::accept() {
    if (!selectedPath().isEmpty())
        QDialog::accept();
}

void CFolderBrowser::addLocalRoots() {
    QTreeWidgetItem* home = addItem(nullptr, QStringLiteral("Home"), QDir::homePath(), true);
    home->setIcon(0, style()->standardIcon(QStyle::SP_DirHomeIcon));
    home->setData(0, FolderRole, QFile::encodeName(QDir::homePath()));
    for (const QFileInfo& drive : QDir::drives()) {
        const QString path = drive.absoluteFilePath();
        const QString label = path == QDir::rootPath() ? QStringLiteral("File System") : path;
        QTreeWidgetItem* item = addItem(nullptr, label, path, true);
        item->setIcon(0, style()->standardIcon(QStyle::SP_DriveHDIcon));
        item->setData(0, FolderRole, QFile::encodeName(path));
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
    item->setData(0, BytesRole, QFile::encodeName(path));
    item->setData(0, PlaceRole, NoPlace);
    item->setChildIndicatorPolicy(canOpen ? QTreeWidgetItem::ShowIndicator
                                          : QTreeWidgetItem::DontShowIndicator);
    return item;
}

void CFolderBrowser::fill(QTreeWidgetItem* item) {
    if (item->data(0, FilledRole).toBool())
        return;
    item->setData(0, FilledRole, true);
    auto* reading = new QTreeWidgetItem(item, QStringList{QStringLiteral("Reading…")});
    reading->setFlags(Qt::NoItemFlags);
    const int place = item->data(0, PlaceRole).toInt();
    FolderListing::Job job;
    if (place == NoPlace)
        job = [folder = item->data(0, FolderRole).toByteArray(), files = showFiles_] {
            return localRows(folder, files);
        };
    else
        job = [client = client_, where = places_[static_cast<std::size_t>(place)],
               files = showFiles_] { return networkRows(*client, where, files); };
    setBusy(1);
    new FolderListing(
        std::move(job), kListingLimit,
        [this, item, reading](FolderRows rows) {
            delete reading;
            addRows(item, std::move(rows));
        },
        [this, item, reading] {
            delete reading;
            giveUp(item);
        },
        this);
}

void CFolderBrowser::addRows(QTreeWidgetItem* item, FolderRows rows) {
    setBusy(-1);
    for (Row& row : rows.rows) {
        QTreeWidgetItem* added = addItem(item, row.label, row.path, row.canOpen);
        added->setData(0, BytesRole, row.bytes);
        added->setIcon(0, style()->standardIcon(row.icon));
        if (!row.refusal.isEmpty())
            added->setData(0, RefusalRole, row.refusal);
        if (!row.folder.isEmpty())
            added->setData(0, FolderRole, row.folder);
        if (row.place) {
            added->setData(0, PlaceRole, static_cast<int>(places_.size()));
            places_.push_back(std::move(*row.place));
        }
    }
    item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
    if (!rows.error.isEmpty())
        setStatus(rows.error);
}

// The folder closes so that opening it again tries anew.
void CFolderBrowser::giveUp(QTreeWidgetItem* item) {
    setBusy(-1);
    item->setData(0, FilledRole, false);
    item->setExpanded(false);
    const QString path = item->data(0, PathRole).toString();
    setStatus(QStringLiteral("The folder %1 did not answer within %2 seconds; its listing was "
                             "given up.")
                  .arg(path.isEmpty() ? item->text(0) : path)
                  .arg(kListingLimit.count() / 1000));
}

// Only the browser shows it is busy: the rest of the application is not.
void CFolderBrowser::setBusy(int change) {
    listings_ += change;
    if (listings_ > 0)
        tree_->setCursor(Qt::BusyCursor);
    else
        tree_->unsetCursor();
}

void CFolderBrowser::setStatus(const QString& text) {
    status_->setText(text);
    status_->setVisible(!text.isEmpty());
}

void CFolderBrowser::updateOk() {
    buttons_->button(QDialogButtonBox::Ok)->setEnabled(!selectedPath().isEmpty());
}
