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
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

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

} // namespace

class TestFolderBrowser : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
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

private:
    // Runs the browser over `client` for `field`; the dialog goes down
    // `labels`, selects the last and presses OK, or Cancel when `ok` is
    // false.
    void browse(std::unique_ptr<NetworkClient> client, const QStringList& labels,
                bool showFiles = false, LocalPolicy policy = LocalPolicy::Ignore, bool ok = true) {
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
                    item->setExpanded(true);
                item = childNamed(tree, item, label);
                if (item == nullptr) {
                    missing_ = label;
                    return int(QDialog::Rejected);
                }
            }
            if (item != nullptr) {
                item->setExpanded(true);
                tree->setCurrentItem(item);
                shown_ = childLabels(item);
            }
            okEnabled_ = dialog.findChild<QPushButton*>(QStringLiteral("okButton"))->isEnabled();
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
        BrowseForNetworkPath(*client, &owner, &field_, showFiles, policy);
        browser_ = nullptr;
    }

    std::unique_ptr<NetworkClient> sampleNetwork(std::string_view extra = {}) {
        return testsupport::sampleNetwork(extra);
    }

    std::unique_ptr<NetworkClient> workstation() {
        return std::make_unique<WorkstationClient>(table_.toStdString());
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

void TestFolderBrowser::cleanup() {
    field_.setText(QStringLiteral("old"));
    missing_.clear();
    shown_.clear();
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
    browse(std::make_unique<MemoryDirectoryClient>(), localLabels(plain), false, LocalPolicy::Keep);
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
    const QString tablePath = dir.filePath(QStringLiteral("mounts"));
    QFile table(tablePath);
    QVERIFY(table.open(QIODevice::WriteOnly));
    table.write("/dev/sda1 / ext4 rw 0 0\n//srv2/common " + QFile::encodeName(mounted) +
                " cifs rw 0 0\n");
    table.close();
    browse(std::make_unique<WorkstationClient>(tablePath.toStdString()),
           localLabels(mounted) << QStringLiteral("A"));
    QCOMPARE(missing_, QString());
    QCOMPARE(field_.text(), QStringLiteral("common:A"));
    QCOMPARE(messages_, QStringList());
    browse(std::make_unique<WorkstationClient>(tablePath.toStdString()),
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
    BrowseForNetworkPath(*sampleNetwork(), &owner, nullptr, false, LocalPolicy::Keep);
    QCOMPARE(dialogs_, before);
}

// 200 hosts: 100 shares in the mount table, 50 desktop locations and 50
// smbnetfs hosts with their shares as folders. Opening the Network root
// reads one level of folders, under a busy cursor; a host's shares are read
// when it is opened. Past the time limit, folders are not gone into.
void TestFolderBrowser::networkRootListedLazily() {
    class CursorClient : public WorkstationClient {
    public:
        using WorkstationClient::WorkstationClient;
        std::vector<std::string> servers() override {
            const QCursor* cursor = QGuiApplication::overrideCursor();
            busy = cursor != nullptr && cursor->shape() == Qt::WaitCursor;
            return WorkstationClient::servers();
        }
        bool busy = false;
    };
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

    CursorClient client(file.fileName().toStdString());
    CFolderBrowser browser(client, false);
    QTreeWidgetItem* network = childNamed(browser.folderTree(), nullptr, QStringLiteral("Network"));
    QElapsedTimer timer;
    timer.start();
    network->setExpanded(true);
    const qint64 elapsed = timer.elapsed();
    qInfo("Network root with 200 hosts listed in %lld ms", elapsed);
    QVERIFY2(elapsed < 100, qPrintable(QString::number(elapsed)));
    QCOMPARE(network->childCount(), 200);
    QVERIFY(client.busy);
    QCOMPARE(QGuiApplication::overrideCursor(), nullptr);
    QTreeWidgetItem* host = childNamed(browser.folderTree(), network, QStringLiteral("h7"));
    QVERIFY(host != nullptr);
    host->setExpanded(true);
    QCOMPARE(childLabels(host).size(), 3);

    client.setTimeLimit(std::chrono::milliseconds(0));
    QCOMPARE(client.servers().size(), std::size_t(100));
}

QTEST_MAIN(TestFolderBrowser)
#include "tst_folderbrowser.moc"
