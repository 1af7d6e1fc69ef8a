#include "TestSupport.h"

#include "browse/CFolderBrowser.h"
#include "browse/NetworkBrowse.h"
#include "framework/ModalSeam.h"
#include "netbrowse/MemoryDirectoryClient.h"
#include "netbrowse/WorkstationClient.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QTreeWidgetItem* childNamed(QTreeWidget* tree, QTreeWidgetItem* parent, const QString& label) {
    const int count = parent == nullptr ? tree->topLevelItemCount() : parent->childCount();
    for (int i = 0; i < count; ++i) {
        QTreeWidgetItem* item = parent == nullptr ? tree->topLevelItem(i) : parent->child(i);
        if (item->text(0) == label)
            return item;
    }
    return nullptr;
}

QStringList childLabels(const QTreeWidgetItem* item) {
    QStringList labels;
    for (int i = 0; i < item->childCount(); ++i)
        labels << item->child(i)->text(0);
    return labels;
}

// The labels from "File System" down to a local folder.
QStringList localLabels(const QString& path) {
    return QStringList{QStringLiteral("File System")} +
           QDir::cleanPath(path).split(QLatin1Char('/'), Qt::SkipEmptyParts);
}

// The mount table "mounts" in `folder`: the root file system and `share`.
QString writeMountTable(const QString& folder, const QByteArray& share) {
    const QString path = QDir(folder).filePath(QStringLiteral("mounts"));
    QFile table(path);
    if (!table.open(QIODevice::WriteOnly) || table.write("/dev/sda1 / ext4 rw 0 0\n" + share) < 0)
        qFatal("Cannot write the mount table %s", qPrintable(path));
    return path;
}

// Holds the listings of a client until opened, as a stopped server holds a
// readdir: the call itself blocks, no deadline between calls can end it.
class Gate {
public:
    void pass() {
        std::unique_lock<std::mutex> lock(mutex_);
        ++inside_;
        opened_.wait(lock, [this] { return open_; });
        --inside_;
    }
    void open() {
        const std::lock_guard<std::mutex> lock(mutex_);
        open_ = true;
        opened_.notify_all();
    }
    int inside() {
        const std::lock_guard<std::mutex> lock(mutex_);
        return inside_;
    }

private:
    std::mutex mutex_;
    std::condition_variable opened_;
    bool open_ = false;
    int inside_ = 0;
};

// The sample network whose folders answer only through the gate.
class StuckClient : public MemoryDirectoryClient {
public:
    explicit StuckClient(std::shared_ptr<Gate> gate) : gate_(std::move(gate)) {
        if (!loadFile(testsupport::dataPath("netbrowse/network.txt")).ok)
            qFatal("cannot load the sample network");
    }
    Status listFolder(const std::string& server, const std::string& volume,
                      const std::string& directory, bool withFiles,
                      std::vector<FolderEntry>& entries) override {
        gate_->pass();
        return MemoryDirectoryClient::listFolder(server, volume, directory, withFiles, entries);
    }

private:
    std::shared_ptr<Gate> gate_;
};

// Lets a listing still blocked in the gate run to its end, after the
// browser that started it is gone.
void openAndDrain(Gate& gate) {
    gate.open();
    QVERIFY(QTest::qWaitFor([&gate] { return gate.inside() == 0; }));
    QTest::qWait(50);
}

} // namespace

class TestFolderBrowser : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void folderUnderMountedShare();
    void networkPicks_data();
    void networkPicks();
    void localPicksFollowPolicy();
    void cancelLeavesTheField();
    void placesWithoutPathCannotBePicked();
    void filesOnlyWhenAsked();
    void unplacedRemoteDriveLeavesTheField();
    void windows1252Names();
    void picksSearchedInTheirOwnBytes();
    void titleAndOwner();
    void networkRootListedLazily();
    void listingNeverFreezes_data();
    void listingNeverFreezes();
    void slowListingGivenUp();
    void namesOutsideTheCodePage_data();
    void namesOutsideTheCodePage();
    void unreadableMountTable_data();
    void unreadableMountTable();

private:
    // Runs the browser over `client` for `field`; the dialog goes down
    // `labels`, selects the last and presses OK, or Cancel when `ok` is
    // false.
    BrowseResult browse(std::shared_ptr<NetworkClient> client, const QStringList& labels,
                        bool showFiles = false, LocalPolicy policy = LocalPolicy::Ignore,
                        bool ok = true) {
        ModalSeam::Hooks hooks;
        hooks.dialog = [this, labels, ok](QDialog& dialog) {
            ++dialogs_;
            browser_ = qobject_cast<CFolderBrowser*>(&dialog);
            title_ = dialog.windowTitle();
            owner_ = dialog.parentWidget();
            QTreeWidget* tree = dialog.findChild<QTreeWidget*>(QStringLiteral("folderTree"));
            QTreeWidgetItem* item = nullptr;
            for (const QString& label : labels) {
                if (item != nullptr)
                    expand(item);
                item = childNamed(tree, item, label);
                if (item == nullptr) {
                    missing_ = label;
                    return int(QDialog::Rejected);
                }
            }
            if (item != nullptr) {
                expand(item);
                tree->setCurrentItem(item);
                shown_ = childLabels(item);
            }
            okEnabled_ = dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->isEnabled();
            const auto* status = dialog.findChild<QLabel*>(QStringLiteral("browseStatus"));
            status_ = status->isVisibleTo(&dialog) ? status->text() : QString();
            if (ok)
                dialog.accept();
            else
                dialog.reject();
            return dialog.result();
        };
        hooks.message = [this](const ModalSeam::Message& message) {
            messages_ << message.text;
            return QMessageBox::Ok;
        };
        ModalSeam::Scope seam(hooks);
        const BrowseResult result =
            BrowseForNetworkPath(client, &owner, &field_, showFiles, policy);
        browser_ = nullptr;
        return result;
    }

    // Opens an item and waits until its listing is in.
    void expand(QTreeWidgetItem* item) {
        item->setExpanded(true);
        QVERIFY(QTest::qWaitFor([this] { return !browser_->listing(); }));
    }

    std::shared_ptr<NetworkClient> sampleNetwork(std::string_view extra = {}) {
        return testsupport::sampleNetwork(extra);
    }

    std::shared_ptr<NetworkClient> workstation() {
        return std::make_shared<WorkstationClient>(table_.toStdString());
    }

    QTemporaryDir dir_;
    QString share_;
    QString table_;
    QWidget owner;
    QLineEdit field_;
    CFolderBrowser* browser_ = nullptr;
    QString title_;
    QWidget* owner_ = nullptr;
    QString missing_;
    QStringList shown_;
    QString status_;
    QStringList messages_;
    bool okEnabled_ = false;
    int dialogs_ = 0;
};

void TestFolderBrowser::initTestCase() {
    QVERIFY(dir_.isValid());
    const QDir root(dir_.path());
    for (const char* folder : {"share/A/B", "plain/C", "gvfs/mtp:host=Phone/DCIM", "ninep/X"})
        QVERIFY(root.mkpath(QString::fromLatin1(folder)));
    QFile file(root.filePath(QStringLiteral("plain/notes.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    share_ = root.filePath(QStringLiteral("share"));
    table_ = root.filePath(QStringLiteral("mounts"));
    QFile table(table_);
    QVERIFY(table.open(QIODevice::WriteOnly));
    const QByteArray base = QFile::encodeName(dir_.path());
    table.write("/dev/sda1 / ext4 rw 0 0\n");
    table.write("//srv1/vol1 " + base + "/share cifs rw 0 0\n");
    table.write("gvfsd-fuse " + base + "/gvfs fuse.gvfsd-fuse rw 0 0\n");
    table.write("hostshare " + base + "/ninep 9p rw,trans=virtio 0 0\n");
}

void TestFolderBrowser::init() {
    field_.setText(QStringLiteral("old"));
    missing_.clear();
    shown_.clear();
    status_.clear();
    messages_.clear();
}

void TestFolderBrowser::folderUnderMountedShare() {
    field_.setText(QStringLiteral("old"));
    browse(workstation(), localLabels(share_) << QStringLiteral("A") << QStringLiteral("B"));
    QCOMPARE(missing_, QString());
    QCOMPARE(field_.text(), QStringLiteral("vol1:A\\B"));
    browse(workstation(), localLabels(share_));
    QCOMPARE(field_.text(), QStringLiteral("vol1:"));
    // The share is offered under Network too, by its server.
    browse(workstation(), {"Network", "srv1", "vol1", "A"});
    QCOMPARE(missing_, QString());
    QCOMPARE(field_.text(), QStringLiteral("vol1:A"));
}

void TestFolderBrowser::networkPicks_data() {
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QString>("form");
    QTest::newRow("volume object folder")
        << QStringList{"Network", "TREE1", "ORG", "OU1", "SRV1_VOL1", "A", "B"} << "VOL1:A\\B";
    QTest::newRow("server object folder")
        << QStringList{"Network", "TREE1", "ORG", "OU1", "SRV1", "VOL1", "A", "B"} << "VOL1:A\\B";
    QTest::newRow("server object volume")
        << QStringList{"Network", "TREE1", "ORG", "OU1", "SRV1", "VOL1"} << "VOL1:\\";
    QTest::newRow("directory map")
        << QStringList{"Network", "TREE1", "ORG", "OU1", "APPS"} << "VOL1:APPS\\";
    QTest::newRow("directory map folder")
        << QStringList{"Network", "TREE1", "ORG", "OU1", "APPS", "WORD"} << "VOL1:APPS\\WORD";
    QTest::newRow("container gives empty") << QStringList{"Network", "TREE1", "ORG", "OU1"} << "";
    QTest::newRow("server volume") << QStringList{"Network", "SRV1", "VOL1"} << "VOL1:";
    QTest::newRow("server folder")
        << QStringList{"Network", "SRV1", "VOL1", "A", "B"} << "VOL1:A\\B";
}

void TestFolderBrowser::networkPicks() {
    QFETCH(QStringList, labels);
    QFETCH(QString, form);
    browse(sampleNetwork(), labels);
    QCOMPARE(missing_, QString());
    QVERIFY(okEnabled_);
    QCOMPARE(field_.text(), form);
}

void TestFolderBrowser::localPicksFollowPolicy() {
    const QString plain = dir_.filePath(QStringLiteral("plain/C"));
    browse(workstation(), localLabels(plain), false, LocalPolicy::Ignore);
    QCOMPARE(missing_, QString());
    QCOMPARE(field_.text(), QStringLiteral("old"));
    browse(workstation(), localLabels(plain), false, LocalPolicy::Keep);
    QCOMPARE(field_.text(), plain);
    // The client of a workstation without any network keeps local picks too.
    field_.setText(QStringLiteral("old"));
    browse(std::make_shared<MemoryDirectoryClient>(), localLabels(plain), false, LocalPolicy::Keep);
    QCOMPARE(field_.text(), plain);
}

void TestFolderBrowser::cancelLeavesTheField() {
    const int before = dialogs_;
    browse(sampleNetwork(), {"Network", "SRV1", "VOL1", "A"}, false, LocalPolicy::Keep, false);
    QCOMPARE(missing_, QString());
    QCOMPARE(field_.text(), QStringLiteral("old"));
    browse(workstation(), localLabels(share_), true, LocalPolicy::Keep, false);
    QCOMPARE(field_.text(), QStringLiteral("old"));
    QCOMPARE(dialogs_, before + 2);
}

void TestFolderBrowser::placesWithoutPathCannotBePicked() {
    for (const QStringList& labels : {QStringList{"Network"}, QStringList{"Network", "TREE1"},
                                      QStringList{"Network", "SRV1"}}) {
        browse(sampleNetwork(), labels, false, LocalPolicy::Keep);
        QCOMPARE(missing_, QString());
        QVERIFY2(!okEnabled_, qPrintable(labels.join(QLatin1Char('/'))));
        QCOMPARE(field_.text(), QStringLiteral("old"));
    }
    browse(sampleNetwork(), {"Network"});
    QCOMPARE(shown_, (QStringList{"TREE1", "SRV1"}));
}

void TestFolderBrowser::filesOnlyWhenAsked() {
    browse(sampleNetwork(), {"Network", "SRV1", "VOL1", "A"}, false);
    QCOMPARE(shown_, QStringList{"B"});
    browse(sampleNetwork(), {"Network", "SRV1", "VOL1", "A"}, true);
    QCOMPARE(shown_, (QStringList{"B", "README.TXT"}));
    browse(sampleNetwork(), {"Network", "SRV1", "VOL1", "A", "README.TXT"}, true);
    QCOMPARE(field_.text(), QStringLiteral("VOL1:A\\README.TXT"));

    const QString plain = dir_.filePath(QStringLiteral("plain"));
    browse(workstation(), localLabels(plain), false);
    QCOMPARE(shown_, QStringList{"C"});
    browse(workstation(), localLabels(plain) << QStringLiteral("notes.txt"), true,
           LocalPolicy::Keep);
    QCOMPARE(field_.text(), dir_.filePath(QStringLiteral("plain/notes.txt")));
}

// On a network mount, but on nothing the client can name: the field stays
// and the pick is refused with the reason.
void TestFolderBrowser::unplacedRemoteDriveLeavesTheField() {
    for (const char* folder : {"gvfs/mtp:host=Phone/DCIM", "ninep/X"}) {
        messages_.clear();
        browse(workstation(), localLabels(dir_.filePath(QString::fromLatin1(folder))), false,
               LocalPolicy::Keep);
        QCOMPARE(missing_, QString());
        QCOMPARE(field_.text(), QStringLiteral("old"));
        QCOMPARE(messages_, QStringList{QString::fromLatin1(kUnplacedPick)});
    }
    browse(workstation(), localLabels(dir_.filePath(QStringLiteral("plain"))), false,
           LocalPolicy::Keep);
    QCOMPARE(messages_.size(), 1);
}

void TestFolderBrowser::windows1252Names() {
    browse(sampleNetwork("folder SRV1 VOL1 \"B\xC3\xBC"
                         "cher\\\xE2\x82\xAC\"\n"),
           {"Network", "SRV1", "VOL1", QStringLiteral("B\u00FCcher"), QStringLiteral("\u20AC")});
    QCOMPARE(missing_, QString());
    QCOMPARE(field_.text(), QStringLiteral("VOL1:B\u00FCcher\\\u20AC"));
}

// A share mounted at a non-Western path is still a share; a folder name
// the code page lacks is refused, named, and the field stays.
void TestFolderBrowser::picksSearchedInTheirOwnBytes() {
    QTemporaryDir dir;
    const QString mounted = dir.filePath(QStringLiteral("Общий"));
    for (const QString& folder : {QStringLiteral("A"), QStringLiteral("Отчёты")})
        QVERIFY(QDir(mounted).mkpath(folder));
    const QString tablePath = writeMountTable(
        dir.path(), "//srv2/common " + QFile::encodeName(mounted) + " cifs rw 0 0\n");
    browse(std::make_shared<WorkstationClient>(tablePath.toStdString()),
           localLabels(mounted) << QStringLiteral("A"));
    QCOMPARE(missing_, QString());
    QCOMPARE(field_.text(), QStringLiteral("common:A"));
    QCOMPARE(messages_, QStringList());
    browse(std::make_shared<WorkstationClient>(tablePath.toStdString()),
           localLabels(mounted) << QStringLiteral("Отчёты"));
    QCOMPARE(missing_, QString());
    QCOMPARE(field_.text(), QStringLiteral("common:A"));
    QCOMPARE(messages_, QStringList{QStringLiteral("The path cannot hold the character \"О\": "
                                                   "Windows-1252 has no such character.")});
}

void TestFolderBrowser::titleAndOwner() {
    browse(sampleNetwork(), {"Network", "SRV1", "VOL1"});
    QCOMPARE(title_, QStringLiteral("Browsing"));
    QCOMPARE(owner_, nullptr);

    // Without a field there is nothing to fill, and no browser is shown.
    const int before = dialogs_;
    BrowseForNetworkPath(sampleNetwork(), &owner, nullptr, false, LocalPolicy::Keep);
    QCOMPARE(dialogs_, before);
}

// 200 hosts: 100 shares in the mount table, 50 desktop locations and 50
// smbnetfs hosts with their shares as folders. Opening the Network root
// reads one level of folders, under a "Reading…" row and a busy cursor on
// the browser alone; a host's shares are read when it is opened. Past the
// time limit, folders are not gone into.
void TestFolderBrowser::networkRootListedLazily() {
    QTemporaryDir dir;
    const QDir root(dir.path());
    const QByteArray base = QFile::encodeName(dir.path());
    QByteArray table = "gvfsd-fuse " + base + "/gvfs fuse.gvfsd-fuse rw 0 0\n" + "smbnetfs " +
                       base + "/smb fuse.smbnetfs rw 0 0\n";
    for (int i = 0; i < 50; ++i) {
        const QString n = QString::number(i);
        QVERIFY(root.mkpath("gvfs/smb-share:server=g" + n + ",share=s/A"));
        for (const char* share : {"/one/A", "/two/B", "/three/C"})
            QVERIFY(root.mkpath("smb/h" + n + QLatin1String(share)));
        table += "//c" + n.toLatin1() + "/v " + base + "/c" + n.toLatin1() + " cifs rw 0 0\n";
        table += "//c" + QByteArray::number(i + 50) + "/v " + base + "/d" + n.toLatin1() +
                 " cifs rw 0 0\n";
    }
    QFile file(root.filePath(QStringLiteral("mounts")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(table) == table.size());
    file.close();

    auto client = std::make_shared<WorkstationClient>(file.fileName().toStdString());
    CFolderBrowser browser(client, false);
    browser_ = &browser;
    QTreeWidget* tree = browser.folderTree();
    QTreeWidgetItem* network = childNamed(tree, nullptr, QStringLiteral("Network"));
    QElapsedTimer timer;
    timer.start();
    network->setExpanded(true);
    QCOMPARE(childLabels(network), QStringList{QStringLiteral("Reading…")});
    QCOMPARE(tree->cursor().shape(), Qt::BusyCursor);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QVERIFY(QTest::qWaitFor([&browser] { return !browser.listing(); }));
    const qint64 elapsed = timer.elapsed();
    qInfo("Network root with 200 hosts listed in %lld ms", elapsed);
    QVERIFY2(elapsed < 100, qPrintable(QString::number(elapsed)));
    QCOMPARE(network->childCount(), 200);
    QCOMPARE(tree->cursor().shape(), Qt::ArrowCursor);
    QTreeWidgetItem* host = childNamed(tree, network, QStringLiteral("h7"));
    QVERIFY(host != nullptr);
    expand(host);
    QCOMPARE(childLabels(host).size(), 3);
    browser_ = nullptr;

    client->setTimeLimit(std::chrono::milliseconds(0));
    QCOMPARE(client->servers().size(), std::size_t(100));
}

// A host whose share does not answer: the window goes on answering, and
// Escape or a click on Cancel closes the browser at once, without waiting
// for the listing; the field stays.
void TestFolderBrowser::listingNeverFreezes_data() {
    QTest::addColumn<bool>("escape");
    QTest::newRow("Escape") << true;
    QTest::newRow("Cancel click") << false;
}

void TestFolderBrowser::listingNeverFreezes() {
    QFETCH(bool, escape);
    auto gate = std::make_shared<Gate>();
    QStringList reading;
    bool ticked = false;
    bool busy = false;
    QElapsedTimer closing;
    ModalSeam::Hooks hooks;
    hooks.dialog = [&](QDialog& dialog) {
        browser_ = qobject_cast<CFolderBrowser*>(&dialog);
        QTimer::singleShot(0, &dialog, [&] {
            QTreeWidget* tree = browser_->folderTree();
            QTreeWidgetItem* item = nullptr;
            for (const char* label : {"Network", "SRV1", "VOL1"}) {
                item = childNamed(tree, item, QString::fromLatin1(label));
                if (item == nullptr)
                    return dialog.reject();
                tree->setCurrentItem(item);
                QTest::keyClick(tree, Qt::Key_Right);
                if (item->text(0) != QLatin1String("VOL1"))
                    static_cast<void>(QTest::qWaitFor([&] { return !browser_->listing(); }));
            }
            reading = childLabels(item);
            busy = browser_->listing() && tree->cursor().shape() == Qt::BusyCursor;
            QTimer::singleShot(100, &dialog, [&ticked] { ticked = true; });
            static_cast<void>(QTest::qWaitFor([&ticked] { return ticked; }, 1000));
            closing.start();
            if (escape)
                QTest::keyClick(tree, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cancelButton")),
                                  Qt::LeftButton);
        });
        return dialog.exec();
    };
    ModalSeam::Scope seam(hooks);
    QElapsedTimer whole;
    whole.start();
    const BrowseResult result = BrowseForNetworkPath(std::make_shared<StuckClient>(gate), &owner,
                                                     &field_, false, LocalPolicy::Keep);
    const qint64 closed = closing.isValid() ? closing.elapsed() : -1;
    browser_ = nullptr;
    QCOMPARE(reading, QStringList{QStringLiteral("Reading…")});
    QVERIFY(busy);
    QVERIFY(ticked);
    QVERIFY2(closed >= 0 && closed < 1000, qPrintable(QString::number(closed)));
    QVERIFY(whole.elapsed() < 5000);
    QCOMPARE(gate->inside(), 1);
    QCOMPARE(result, BrowseResult::Cancelled);
    QCOMPARE(field_.text(), QStringLiteral("old"));
    openAndDrain(*gate);
}

// Past the limit a listing is given up with a line naming the folder; the
// folder closes, and opening it again lists it once the server answers.
void TestFolderBrowser::slowListingGivenUp() {
    auto gate = std::make_shared<Gate>();
    CFolderBrowser browser(std::make_shared<StuckClient>(gate), false);
    browser.show();
    browser_ = &browser;
    QTreeWidget* tree = browser.folderTree();
    QTreeWidgetItem* network = childNamed(tree, nullptr, QStringLiteral("Network"));
    expand(network);
    QTreeWidgetItem* server = childNamed(tree, network, QStringLiteral("SRV1"));
    expand(server);
    QTreeWidgetItem* volume = childNamed(tree, server, QStringLiteral("VOL1"));
    QElapsedTimer timer;
    timer.start();
    tree->setCurrentItem(volume);
    QTest::keyClick(tree, Qt::Key_Right);
    const auto* status = browser.findChild<QLabel*>(QStringLiteral("browseStatus"));
    QVERIFY(!status->isVisible());
    QVERIFY(QTest::qWaitFor([status] { return status->isVisible(); }, 4000));
    const qint64 elapsed = timer.elapsed();
    QVERIFY2(elapsed >= 1900 && elapsed < 3000, qPrintable(QString::number(elapsed)));
    QCOMPARE(status->text(), QStringLiteral("The folder \\\\SRV1\\VOL1 did not answer within 2 "
                                            "seconds; its listing was given up."));
    QVERIFY(!volume->isExpanded());
    QCOMPARE(volume->childCount(), 0);
    QVERIFY(!browser.listing());
    QCOMPARE(tree->cursor().shape(), Qt::ArrowCursor);

    gate->open();
    expand(volume);
    QCOMPARE(childLabels(volume), (QStringList{"A", "APPS"}));
    browser_ = nullptr;
    openAndDrain(*gate);
}

// Real folders whose names Windows-1252 cannot hold, on a mounted share:
// listed by their own names (bytes that are not UTF-8 as U+FFFD), and a
// pick of them refused with the reason, the field left as it was. A name
// the code page holds is taken.
void TestFolderBrowser::namesOutsideTheCodePage_data() {
    QTest::addColumn<QStringList>("labels"); // below the share, or "Network" first
    QTest::addColumn<bool>("keep");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("message");
    const QString cyrillic = QStringLiteral("Отчёты");
    const QString notUtf8 = QStringLiteral("caf\uFFFD");
    const QString cyrillicRefused = QStringLiteral(
        "The path cannot hold the character \"О\": Windows-1252 has no such character.");
    const QString byteRefused =
        QStringLiteral("The path cannot hold the byte 0xE9: it is not UTF-8.");
    const QStringList network{"Network", "srv3", "data"};
    QTest::newRow("Network: Cyrillic")
        << (network + QStringList{cyrillic}) << false << "old" << cyrillicRefused;
    QTest::newRow("Network: not UTF-8")
        << (network + QStringList{notUtf8}) << false << "old" << byteRefused;
    QTest::newRow("Network: Western") << (network + QStringList{QStringLiteral("Bücher")}) << false
                                      << QStringLiteral("data:Bücher") << QString();
    QTest::newRow("share: not UTF-8") << QStringList{notUtf8} << false << "old" << byteRefused;
    QTest::newRow("local kept: not UTF-8")
        << QStringList{"..", "local", notUtf8} << true << "old" << byteRefused;
    QTest::newRow("local kept: Cyrillic")
        << QStringList{"..", "local", cyrillic} << true << "old" << cyrillicRefused;
}

void TestFolderBrowser::namesOutsideTheCodePage() {
    QFETCH(QStringList, labels);
    QFETCH(bool, keep);
    QFETCH(QString, form);
    QFETCH(QString, message);
    QTemporaryDir dir;
    const QString share = dir.filePath(QStringLiteral("share"));
    for (const QString& folder : {QStringLiteral("share/Отчёты"), QStringLiteral("share/Bücher"),
                                  QStringLiteral("local/Отчёты")})
        QVERIFY(QDir(dir.path()).mkpath(folder));
    // QTemporaryDir cannot remove a name that is not UTF-8: these go first.
    const QByteArray base = QFile::encodeName(dir.path());
    const auto rawNames = qScopeGuard([&base] {
        for (const char* parent : {"/share/", "/local/"})
            ::rmdir((base + parent + "caf\xE9").constData());
    });
    for (const char* parent : {"/share/", "/local/"})
        QCOMPARE(::mkdir((base + parent + "caf\xE9").constData(), 0700), 0);
    const QString tablePath =
        writeMountTable(dir.path(), "//srv3/data " + QFile::encodeName(share) + " cifs rw 0 0\n");
    if (labels.first() == QLatin1String(".."))
        labels = localLabels(dir.path()) + labels.mid(1);
    else if (labels.first() != QLatin1String("Network"))
        labels = localLabels(share) + labels;
    browse(std::make_shared<WorkstationClient>(tablePath.toStdString()), labels, false,
           keep ? LocalPolicy::Keep : LocalPolicy::Ignore);
    QCOMPARE(missing_, QString());
    QCOMPARE(field_.text(), form);
    QCOMPARE(messages_, message.isEmpty() ? QStringList() : QStringList{message});
}

// A mount table that cannot be read is named in the browser, not shown as
// an empty Network; a pick is then not taken for a local one either.
void TestFolderBrowser::unreadableMountTable_data() {
    QTest::addColumn<QString>("table");
    QTest::newRow("folder") << QString();
    QTest::newRow("missing") << QStringLiteral("none");
}

void TestFolderBrowser::unreadableMountTable() {
    QFETCH(QString, table);
    const QString path = dir_.filePath(table.isEmpty() ? QStringLiteral("plain") : table);
    const QString error = QStringLiteral("Cannot read the mount table %1.").arg(path);
    const auto client = std::make_shared<WorkstationClient>(path.toStdString());
    browse(client, {"Network"});
    QCOMPARE(status_, error);
    QCOMPARE(shown_, QStringList());
    QCOMPARE(messages_, QStringList());
    browse(client, localLabels(dir_.filePath(QStringLiteral("plain/C"))), false, LocalPolicy::Keep);
    QCOMPARE(field_.text(), QStringLiteral("old"));
    QCOMPARE(messages_, QStringList{error});
}

QTEST_MAIN(TestFolderBrowser)
#include "tst_folderbrowser.moc"
