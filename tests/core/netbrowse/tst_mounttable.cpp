#include "TestSupport.h"

#include "netbrowse/MountTable.h"
#include "netbrowse/NetworkMount.h"
#include "netbrowse/NetworkPath.h"
#include "netbrowse/WorkstationClient.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <unistd.h>

namespace {

QStringList names(const std::vector<NetworkClient::FolderEntry>& entries) {
    QStringList list;
    for (const auto& entry : entries)
        list << QString::fromStdString(entry.name) +
                    (entry.folder ? QStringLiteral("/") : QString());
    return list;
}

QStringList texts(const std::vector<std::string>& list) {
    QStringList out;
    for (const auto& text : list)
        out << QString::fromStdString(text);
    return out;
}

} // namespace

class TestMountTable : public QObject {
    Q_OBJECT

private slots:
    void readsFieldsAndEscapes();
    void junkIsHarmless();
    void unescape_data();
    void unescape();
    void coveringMount();
    void remoteDrives_data();
    void remoteDrives();
    void modelTextsAreWindows1252();
    void refusedPicks_data();
    void refusedPicks();
    void linksFollowedOnLocalDisksOnly();
    void missingTable();
    void browsingMountedShares();

private:
    QString writeTable(const QTemporaryDir& dir, const QByteArray& text) {
        const QString path = dir.filePath(QStringLiteral("mounts"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            qFatal("cannot write the mount table");
        return path;
    }
};

void TestMountTable::readsFieldsAndEscapes() {
    const MountTable table("# a comment\n"
                           "//srv1/Team\\040Share /mnt/team\\040share cifs rw 0 0\n"
                           "\n"
                           "broken line\n"
                           "  host:/x\t/mnt/x   nfs\r\n"
                           "last /mnt/last tmpfs rw 0 0");
    QCOMPARE(table.entries().size(), std::size_t(3));
    QCOMPARE(table.entries()[0].device, std::string("//srv1/Team Share"));
    QCOMPARE(table.entries()[0].mountPoint, std::string("/mnt/team share"));
    QCOMPARE(table.entries()[0].type, std::string("cifs"));
    QCOMPARE(table.entries()[1].device, std::string("host:/x"));
    QCOMPARE(table.entries()[1].mountPoint, std::string("/mnt/x"));
    QCOMPARE(table.entries()[1].type, std::string("nfs"));
    QCOMPARE(table.entries()[2].mountPoint, std::string("/mnt/last"));
    QVERIFY(MountTable("").entries().empty());
}

// Bytes of every value, NULs and a very long line: nothing crashes and the
// line after the junk is read whole.
void TestMountTable::junkIsHarmless() {
    std::string junk;
    for (unsigned i = 0; i < 20000; ++i)
        junk += static_cast<char>((i * 2654435761u) >> 13);
    junk += "\n" + std::string(100000, 'x') + " /mnt cifs\n\\";
    const MountTable table(junk);
    for (const MountTable::Entry& entry : table.entries()) {
        NetworkClient::RemotePath found;
        NetworkMount::locate(entry, {"A"}, found);
    }
    const MountTable::Entry* last = table.covering("/mnt/A");
    QVERIFY(last != nullptr);
    QCOMPARE(last->device.size(), std::size_t(100000));
}

void TestMountTable::unescape_data() {
    QTest::addColumn<QByteArray>("field");
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("blank") << QByteArray("a\\040b") << QByteArray("a b");
    QTest::newRow("tab and newline") << QByteArray("\\011\\012") << QByteArray("\t\n");
    QTest::newRow("backslash") << QByteArray("a\\134b") << QByteArray("a\\b");
    QTest::newRow("high byte") << QByteArray("\\303\\274") << QByteArray("\xC3\xBC");
    QTest::newRow("too short at the end") << QByteArray("a\\04") << QByteArray("a\\04");
    QTest::newRow("not octal") << QByteArray("\\089\\x41") << QByteArray("\\089\\x41");
    QTest::newRow("escape after escape") << QByteArray("\\134040") << QByteArray("\\040");
}

void TestMountTable::unescape() {
    QFETCH(QByteArray, field);
    QFETCH(QByteArray, text);
    QCOMPARE(QByteArray::fromStdString(MountTable::unescape(field.toStdString())), text);
}

void TestMountTable::coveringMount() {
    const MountTable table("/dev/sda2 / ext4 rw 0 0\n"
                           "//s/v /mnt/share cifs rw 0 0\n"
                           "/dev/sdb1 /mnt/share/usb ext4 rw 0 0\n"
                           "/dev/sdc1 /mnt/old ext4 rw 0 0\n"
                           "//s/old /mnt/old/ cifs rw 0 0\n");
    auto typeAt = [&table](const char* path) {
        const MountTable::Entry* entry = table.covering(path);
        return entry == nullptr ? std::string("none") : entry->device;
    };
    QCOMPARE(typeAt("/mnt/share"), std::string("//s/v"));
    QCOMPARE(typeAt("/mnt/share/A/B"), std::string("//s/v"));
    QCOMPARE(typeAt("/mnt/share/usb/A"), std::string("/dev/sdb1"));
    QCOMPARE(typeAt("/mnt/shared"), std::string("/dev/sda2"));
    QCOMPARE(typeAt("/mnt/old/x"), std::string("//s/old"));
    QCOMPARE(typeAt("/mnt/share/usb/../A"), std::string("//s/v"));
    QCOMPARE(typeAt("/"), std::string("/dev/sda2"));
    QCOMPARE(typeAt("mnt/share"), std::string("none"));
    QCOMPARE(typeAt(""), std::string("none"));
    QCOMPARE(MountTable::components("//a/./b//c/../d/"), (std::vector<std::string>{"a", "b", "d"}));
    QCOMPARE(MountTable::components("/../.."), std::vector<std::string>{});
}

void TestMountTable::remoteDrives_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("remote");
    QTest::addColumn<QString>("location");
    QTest::newRow("share root") << "mounts.txt"
                                << "/mnt/vol1" << true << "srv1 vol1 \\";
    QTest::newRow("share folder") << "mounts.txt"
                                  << "/mnt/vol1/A/B" << true << "srv1 vol1 \\A\\B";
    QTest::newRow("local disk inside a share") << "mounts.txt"
                                               << "/mnt/vol1/usbdisk/x" << false << "";
    QTest::newRow("name that only starts alike") << "mounts.txt"
                                                 << "/mnt/vol10/A" << false << "";
    QTest::newRow("share mounted below its root")
        << "mounts.txt"
        << "/mnt/projects/Q1" << true << "srv1 data \\projects\\2024\\Q1";
    QTest::newRow("escaped blanks") << "mounts.txt"
                                    << "/mnt/team share/Plans" << true << "srv1 Team Share \\Plans";
    QTest::newRow("nfs export") << "mounts.txt"
                                << "/mnt/media/Films" << true << "nas2 media \\Films";
    QTest::newRow("nfs root has no volume") << "mounts.txt"
                                            << "/mnt/nas2" << true << "failed";
    QTest::newRow("nfs root folder is the volume")
        << "mounts.txt"
        << "/mnt/nas2/exports/x" << true << "nas2 exports \\x";
    QTest::newRow("nfs v6 address") << "mounts.txt"
                                    << "/mnt/backup/daily" << true << "[fd00::7] backup \\daily";
    QTest::newRow("sshfs with user") << "mounts.txt"
                                     << "/home/alice/remote-src/lib" << true << "build3 src \\lib";
    QTest::newRow("sshfs home") << "mounts.txt"
                                << "/home/alice/build3-home/docs/a" << true << "build3 docs \\a";
    QTest::newRow("desktop smb share")
        << "mounts.txt"
        << "/run/user/1000/gvfs/smb-share:server=srv3,share=public/A" << true << "srv3 public \\A";
    QTest::newRow("desktop sftp") << "mounts.txt"
                                  << "/run/user/1000/gvfs/sftp:host=h4,user=u/home/u" << true
                                  << "h4 home \\u";
    QTest::newRow("desktop escaped share")
        << "mounts.txt"
        << "/run/user/1000/gvfs/smb-share:server=fs1,share=my%20docs/APPS" << true
        << "fs1 my docs \\APPS";
    QTest::newRow("desktop nfs export")
        << "mounts.txt"
        << "/run/user/1000/gvfs/nfs:host=nas3,prefix=%2Fexport%2Fmedia/Films" << true
        << "nas3 media \\Films";
    QTest::newRow("desktop nfs root")
        << "mounts.txt"
        << "/run/user/1000/gvfs/nfs:host=nas3,prefix=%2F/pub/x" << true << "nas3 pub \\x";
    QTest::newRow("desktop afp volume")
        << "mounts.txt"
        << "/run/user/1000/gvfs/afp-volume:host=mac1,user=bob,volume=Time%20Machine/B" << true
        << "mac1 Time Machine \\B";
    QTest::newRow("desktop bad escape kept")
        << "mounts.txt"
        << "/run/user/1000/gvfs/smb-share:server=fs1,share=a%2x%/C" << true << "fs1 a%2x% \\C";
    QTest::newRow("desktop WebDAV prefix")
        << "mounts.txt"
        << "/run/user/1000/gvfs/dav:host=cloud.example.com,ssl=true,prefix=%2Fremote.php%2Fwebdav/x"
        << true << "cloud.example.com remote.php \\webdav\\x";
    QTest::newRow("desktop WebDAV without prefix")
        << "mounts.txt"
        << "/run/user/1000/gvfs/dav:host=h6,ssl=false/pub/x" << true << "h6 pub \\x";
    QTest::newRow("desktop mount root") << "mounts.txt"
                                        << "/run/user/1000/gvfs" << true << "failed";
    QTest::newRow("desktop phone is no share")
        << "mounts.txt"
        << "/run/user/1000/gvfs/mtp:host=Phone/DCIM" << true << "failed";
    QTest::newRow("smbnetfs share") << "mounts.txt"
                                    << "/home/alice/smb/srv5/share5/A" << true << "srv5 share5 \\A";
    QTest::newRow("smbnetfs host") << "mounts.txt"
                                   << "/home/alice/smb/srv5" << true << "failed";
    QTest::newRow("later mount hides earlier") << "mounts.txt"
                                               << "/mnt/old/x" << true << "srv4 old \\x";
    QTest::newRow("local") << "mounts.txt"
                           << "/home/alice/docs" << false << "";
    QTest::newRow("tmpfs") << "mounts.txt"
                           << "/run/lock" << false << "";
    QTest::newRow("davfs2 url") << "mounts.txt"
                                << "/mnt/dav/A" << true << "dav.example.com Shared Docs \\A";
    QTest::newRow("davfs url without path") << "mounts.txt"
                                            << "/mnt/davroot/pub/x" << true << "files.lan pub \\x";
    QTest::newRow("other fuse is local") << "mounts.txt"
                                         << "/mnt/otherfuse/A" << false << "";
    QTest::newRow("kio-fuse") << "mounts.txt"
                              << "/run/user/1000/kio-fuse-AbCd/smb/bob@fs2/team/A" << true
                              << "fs2 team \\A";
    QTest::newRow("glusterfs") << "mounts.txt"
                               << "/mnt/gluster/A" << true << "gl1 gvol \\A";
    QTest::newRow("ceph monitors") << "mounts.txt"
                                   << "/mnt/ceph/A" << true << "10.0.0.9 projects \\A";
    QTest::newRow("ceph without host") << "mounts.txt"
                                       << "/mnt/ceph2/A" << true << "failed";
    QTest::newRow("9p tag") << "mounts.txt"
                            << "/mnt/9p/A" << true << "failed";
    QTest::newRow("mountinfo share") << "mountinfo.txt"
                                     << "/mnt/vol1/Q" << true << "srv1 vol1 \\Q";
    QTest::newRow("mountinfo bind of a subfolder")
        << "mountinfo.txt"
        << "/srv/app/data/Q" << true << "srv1 vol1 \\sub\\Q";
    QTest::newRow("mountinfo bind, escaped root")
        << "mountinfo.txt"
        << "/var/lib/old films/x" << true << "nas2 media \\Films\\Old Ones\\x";
    QTest::newRow("mountinfo bind of a desktop location")
        << "mountinfo.txt"
        << "/home/alice/team/A" << true << "fs1 team \\A";
    QTest::newRow("cifs mount of a share's subfolder")
        << "mountinfo.txt"
        << "/mnt/sub/Q" << true << "fs1 apps \\sub\\Q";
    QTest::newRow("cifs bind inside a subfolder mount")
        << "mountinfo.txt"
        << "/srv/deeper/Q" << true << "fs1 apps \\sub\\deeper\\Q";
    QTest::newRow("cifs subfolder with the root left at /")
        << "mountinfo.txt"
        << "/mnt/old-kernel/Q" << true << "fs1 apps \\sub\\Q";
    QTest::newRow("nfs bind of a folder of an export")
        << "mountinfo.txt"
        << "/srv/films/Q" << true << "nas2 media \\Films\\Q";
    QTest::newRow("nfs the same folder through the export")
        << "mountinfo.txt"
        << "/mnt/media/Films/Q" << true << "nas2 media \\Films\\Q";
    QTest::newRow("nfs folder mounted with no export beside it")
        << "mountinfo.txt"
        << "/mnt/films-only/Q" << true << "nas3 Films \\Q";
    QTest::newRow("share at a non-Western mount point")
        << "mountinfo.txt" << QStringLiteral("/tmp/Общий/A") << true << "fs2 common \\A";
    QTest::newRow("sshfs export of /, first folder") << "mountinfo.txt"
                                                     << "/mnt/h4root/srv/x" << true << "h4 srv \\x";
    QTest::newRow("mount point that is not on disk")
        << "mountinfo.txt"
        << "/nonexistent-pallworth/share/A/../B" << true << "h5 share \\B";
    QTest::newRow("real bind of a local folder") << "mountinfo.txt"
                                                 << "/tmp/mt-b/x" << false << "";
    QTest::newRow("real bind of a tmpfs folder") << "mountinfo.txt"
                                                 << "/tmp/mt-u/x" << false << "";
    QTest::newRow("mountinfo line cut after -") << "mountinfo.txt"
                                                << "/mnt/cut/A" << false << "";
    QTest::newRow("mountinfo local") << "mountinfo.txt"
                                     << "/home/alice" << false << "";
    QTest::newRow("relative") << "mounts.txt"
                              << "mnt/vol1/A" << false << "";
}

void TestMountTable::remoteDrives() {
    QFETCH(QString, table);
    QFETCH(QString, path);
    QFETCH(bool, remote);
    QFETCH(QString, location);
    const std::string tablePath = "netbrowse/" + table.toStdString();
    WorkstationClient client(testsupport::dataPath(tablePath.c_str()));
    const std::string local = path.toStdString();
    QVERIFY(client.initialize().ok);
    QCOMPARE(client.isRemoteDrive(local), remote);
    NetworkClient::RemotePath found{"old", "old", "old"};
    const Status status = client.resolveRemotePath(local, found);
    if (!remote || location == QLatin1String("failed")) {
        QVERIFY(!status.ok);
        QCOMPARE(found.server + found.volume + found.directory, std::string("oldoldold"));
    } else {
        QVERIFY(status.ok);
        QCOMPARE(QString::fromStdString(found.server + " " + found.volume + " " + found.directory),
                 location);
    }
    // A remote drive the client cannot place leaves the field alone.
    std::string text = "old";
    const PickKind kind = ResolvePickedPath(client, local, text);
    QCOMPARE(int(kind), int(!remote                               ? PickKind::LocalPath
                            : location == QLatin1String("failed") ? PickKind::Unresolved
                                                                  : PickKind::VolumeForm));
}

// The table and the pick speak UTF-8, the model Windows-1252: the table is
// searched with the pick's own bytes.
void TestMountTable::modelTextsAreWindows1252() {
    QTemporaryDir dir;
    WorkstationClient client(writeTable(dir, "//srv1/B\xC3\xBC"
                                             "cher /mnt/b\xC3\xBC"
                                             "cher cifs rw 0 0\n")
                                 .toStdString());
    NetworkClient::RemotePath found;
    QVERIFY(client
                .resolveRemotePath("/mnt/b\xC3\xBC"
                                   "cher/\xC3\x84rger",
                                   found)
                .ok);
    QCOMPARE(found.volume, std::string("B\xFC"
                                       "cher"));
    QCOMPARE(found.directory, std::string("\\\xC4rger"));
    QVERIFY(!client.isRemoteDrive("/mnt/b\xFC"
                                  "cher"));
    QCOMPARE(client.volumes("srv1"), std::vector<std::string>{"B\xFC"
                                                              "cher"});
}

// Picks that give no volume form, and why; the field keeps its text.
void TestMountTable::refusedPicks_data() {
    QTest::addColumn<QByteArray>("path");
    QTest::addColumn<QString>("problem");
    QTest::newRow("name outside the code page")
        << QByteArray("/mnt/vol1/Отчёты")
        << QStringLiteral("The path cannot hold the character \"О\": Windows-1252 has no such "
                          "character.");
    QTest::newRow("byte that is not UTF-8")
        << QByteArray("/mnt/vol1/caf\xE9")
        << QStringLiteral("The path cannot hold the byte 0xE9: it is not UTF-8.");
    QTest::newRow("name outside the code page in a bind")
        << QByteArray("/srv/deeper/日本")
        << QStringLiteral("The path cannot hold the character \"日\": Windows-1252 has no such "
                          "character.");
    QTest::newRow("backslash in a name")
        << QByteArray("/mnt/vol1/a\\b/c")
        << QStringLiteral("The name \"a\\b\" cannot be used: the engine reads \"\\\" in a path as "
                          "a separator.");
    QTest::newRow("colon in a name")
        << QByteArray("/mnt/vol1/x:y")
        << QStringLiteral("The name \"x:y\" cannot be used: the engine reads \":\" in a path as a "
                          "separator.");
    QTest::newRow("folder above the shares")
        << QByteArray("/mnt/h4root")
        << QStringLiteral("The folder lies above the shares of the server h4. Pick a share, or a "
                          "folder inside one.");
    QTest::newRow("mount naming no server")
        << QByteArray("/mnt/9p/A") << QString::fromLatin1(kUnplacedPick);
    QTest::newRow("empty") << QByteArray("") << QStringLiteral("No path was given.");
    QTest::newRow("network path without server")
        << QByteArray("\\\\") << QStringLiteral("The network path \\\\ names no server.");
    QTest::newRow("network path with an empty server")
        << QByteArray("\\\\\\x") << QStringLiteral("The network path \\\\\\x names no server.");
    QTest::newRow("network path outside the code page")
        << QByteArray("\\\\srv\\Общий")
        << QStringLiteral("The path cannot hold the character \"О\": Windows-1252 has no such "
                          "character.");
}

void TestMountTable::refusedPicks() {
    QFETCH(QByteArray, path);
    QFETCH(QString, problem);
    WorkstationClient client(testsupport::dataPath("netbrowse/mountinfo.txt"));
    std::string server = "old", text = "old", why;
    QCOMPARE(int(ResolvePickedPath(client, path.toStdString(), server, text, why)),
             int(PickKind::Unresolved));
    QCOMPARE(QString::fromStdString(why), problem);
    QCOMPARE(server + text, std::string("oldold"));
}

// Links on local disks lead to the share, ".." going back from where a link
// leads; on a network mount nothing is looked at, so a link there stays a
// name and a mount point need not exist.
void TestMountTable::linksFollowedOnLocalDisksOnly() {
    QTemporaryDir dir;
    const QDir root(dir.path());
    QVERIFY(root.mkpath(QStringLiteral("net")));
    const QByteArray base = QFile::encodeName(root.canonicalPath());
    const std::string at = base.toStdString();
    for (const auto& [link, target] :
         std::vector<std::pair<std::string, std::string>>{{"abs", at + "/gone/share"},
                                                          {"rel", "gone/share"},
                                                          {"deep", at + "/gone/share/sub/more"},
                                                          {"loop", at + "/loop"},
                                                          {"net/s", "/elsewhere"}})
        QVERIFY(::symlink(target.c_str(), (at + "/" + link).c_str()) == 0);
    QByteArray table = "/dev/sda1 " + base + " ext4 rw 0 0\n";
    table += "h7:/srv/share " + base + "/gone/share fuse.sshfs rw 0 0\n";
    table += "h8:/vol " + base + "/net fuse.sshfs rw 0 0\n";
    WorkstationClient client(writeTable(dir, table).toStdString());
    const std::vector<std::pair<std::string, std::string>> picks{
        {"/abs/A/B", "share:A\\B"}, {"/rel/A", "share:A"}, {"/deep/../../C", "share:C"},
        {"/net/s/x", "vol:s\\x"},   {"/loop/x", "local"},  {"/abs/../net", "local"}};
    for (const auto& [pick, form] : picks) {
        std::string text = "local";
        ResolvePickedPath(client, at + pick, text);
        QCOMPARE(text, form);
    }
}

void TestMountTable::missingTable() {
    WorkstationClient folder(QDir::tempPath().toStdString());
    QVERIFY(!folder.initialize().ok);
    WorkstationClient client("/nonexistent/mounts");
    QVERIFY(!client.initialize().ok);
    QVERIFY(!client.running());
    QVERIFY(!client.isRemoteDrive("/mnt/vol1"));
    QVERIFY(client.servers().empty());

    WorkstationClient real(testsupport::dataPath("netbrowse/mounts.txt"));
    QVERIFY(real.initialize().ok);
    QVERIFY(real.running());
    real.shutdown();
    QVERIFY(!real.running());
}

// The Network part of the browser lists what is mounted, found on disk.
void TestMountTable::browsingMountedShares() {
    QTemporaryDir dir;
    const QDir root(dir.path());
    for (const char* folder :
         {"my share/A/B", "sub/Q1", "gvfs/smb-share:server=srv2,share=docs/Reports",
          "gvfs/sftp:host=h4,user=u/home/u", "my share/.hidden"})
        QVERIFY(root.mkpath(QString::fromLatin1(folder)));
    QFile file(root.filePath(QStringLiteral("my share/f.txt")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    const QByteArray base = QFile::encodeName(root.canonicalPath());
    QByteArray table = "//srv1/vol1 " + base + "/my\\040share cifs rw 0 0\n";
    table += "//srv1/data/projects/2024 " + base + "/sub cifs rw 0 0\n";
    table += "gvfsd-fuse " + base + "/gvfs fuse.gvfsd-fuse rw 0 0\n";
    table += "/dev/sda1 " + base + " ext4 rw 0 0\n";
    WorkstationClient client(writeTable(dir, table).toStdString());

    QCOMPARE(texts(client.servers()), (QStringList{"srv1", "srv2", "h4"}));
    QCOMPARE(texts(client.volumes("srv1")), (QStringList{"vol1", "data"}));
    QCOMPARE(texts(client.volumes("h4")), QStringList{"home"});
    QVERIFY(client.volumes("srv9").empty());

    auto list = [&client](const char* server, const char* volume, const char* directory,
                          bool withFiles) {
        std::vector<NetworkClient::FolderEntry> entries;
        if (!client.listFolder(server, volume, directory, withFiles, entries).ok)
            return QStringList{QStringLiteral("failed")};
        return names(entries);
    };
    QCOMPARE(list("srv1", "vol1", "", false), QStringList{"A/"});
    QCOMPARE(list("srv1", "vol1", "", true), (QStringList{"A/", "f.txt"}));
    QCOMPARE(list("srv1", "vol1", "A", false), QStringList{"B/"});
    QCOMPARE(list("srv1", "vol1", "\\A\\", false), QStringList{"B/"});
    QCOMPARE(list("srv1", "vol1", "A\\B", true), QStringList{});
    QCOMPARE(list("srv1", "vol1", "Nope", false), QStringList{"failed"});
    QCOMPARE(list("srv1", "data", "", false), QStringList{"projects/"});
    QCOMPARE(list("srv1", "data", "projects", false), QStringList{"2024/"});
    QCOMPARE(list("srv1", "data", "projects\\2024", false), QStringList{"Q1/"});
    QCOMPARE(list("srv1", "data", "other", false), QStringList{"failed"});
    QCOMPARE(list("srv2", "docs", "", false), QStringList{"Reports/"});
    QCOMPARE(list("h4", "home", "", false), QStringList{"u/"});
    QCOMPARE(list("srv9", "vol1", "", false), QStringList{"failed"});

    // A share reached through a symbolic link is still the share.
    QVERIFY(QFile::link(root.filePath(QStringLiteral("my share")),
                        root.filePath(QStringLiteral("link"))));
    NetworkClient::RemotePath found;
    QVERIFY(client.isRemoteDrive(base.toStdString() + "/link/A"));
    QVERIFY(client.resolveRemotePath(base.toStdString() + "/link/A", found).ok);
    QCOMPARE(found.server + " " + found.volume + " " + found.directory,
             std::string("srv1 vol1 \\A"));
    QVERIFY(!client.isRemoteDrive(base.toStdString() + "/sub-less"));

    // Picks below the mounts resolve to the same volume form.
    std::string text;
    const std::string picked =
        base.toStdString() + "/gvfs/smb-share:server=srv2,share=docs/Reports";
    QCOMPARE(int(ResolvePickedPath(client, picked, text)), int(PickKind::VolumeForm));
    QCOMPARE(text, std::string("docs:Reports"));
    QCOMPARE(ResolveUncPath(client, "\\\\srv2\\docs\\Reports"), text);
}

QTEST_GUILESS_MAIN(TestMountTable)
#include "tst_mounttable.moc"
