#include "TestSupport.h"

#include "io/PageWarmer.h"
#include "io/StoppedSave.h"
#include "io/TempFile.h"

#include <QDir>
#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>

using namespace testsupport;

namespace {

const std::string kOld = "old content\r\n";
const std::string kNew(200, 'n');
constexpr uid_t kNobody = 65534;

enum class Setup { OwnerAndGroup, ExtendedAttributes, HardLink, AnotherOwner, SymbolicLink };

// What a save must keep of the file it replaces.
struct Snapshot {
    uid_t owner;
    gid_t group;
    mode_t mode;
    ino_t inode;
    nlink_t links;
    QStringList extended;
};

Snapshot snapshot(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        qWarning("cannot stat %s", path.c_str());
    char names[4096];
    const ssize_t size = ::listxattr(path.c_str(), names, sizeof names);
    QStringList extended;
    for (ssize_t at = 0; at < size; at += ssize_t(std::strlen(names + at)) + 1) {
        char value[4096];
        const ssize_t n = ::getxattr(path.c_str(), names + at, value, sizeof value);
        extended << QString::fromLatin1(names + at) + QLatin1Char('=') +
                        QString::fromLatin1(QByteArray(value, int(n)).toHex());
    }
    return {info.st_uid, info.st_gid, info.st_mode, info.st_ino, info.st_nlink, extended};
}

std::string content(const std::string& path) {
    std::string bytes;
    if (const Status read = FileStore::read(path, bytes); !read.ok)
        qWarning("%s", read.error.c_str());
    return bytes;
}

// A POSIX access ACL as the kernel stores it (little-endian tag, permission,
// id): user::rw- user:nobody:r-- group::r-- mask::r-- other::---.
const std::string kAcl("\x02\0\0\0"
                       "\x01\0\x06\0\xff\xff\xff\xff"
                       "\x02\0\x04\0\xfe\xff\0\0"
                       "\x04\0\x04\0\xff\xff\xff\xff"
                       "\x10\0\x04\0\xff\xff\xff\xff"
                       "\x20\0\0\0\xff\xff\xff\xff",
                       44);

bool isRoot() {
    return ::geteuid() == 0;
}

// Sets the kernel's protection of links in shared folders; false where it
// cannot be set.
bool protectLinks(char setting) {
    const int fd = ::open("/proc/sys/fs/protected_symlinks", O_WRONLY | O_CLOEXEC);
    const bool written = fd >= 0 && ::write(fd, &setting, 1) == 1;
    if (fd >= 0)
        ::close(fd);
    return written;
}

} // namespace

class TestFileStore : public QObject {
    Q_OBJECT

private slots:
    void init();
    void keepsWhatItReplaces_data();
    void keepsWhatItReplaces();
    void newFilesArePrivate();
    void refusesWhatIsNotARegularFile_data();
    void refusesWhatIsNotARegularFile();
    void readsWithinTheLimit();
    void fileSizeLimitIsAnError_data();
    void fileSizeLimitIsAnError();
    void leftoverOfAKilledSaveRemoved();
    void largeFilesInPieces_data();
    void largeFilesInPieces();
    void largeReadAsksForHugePages();
    void warmedMemoryIsResidentAsItWas();
    void linksInSharedFoldersAsTheKernelFollowsThem_data();
    void linksInSharedFoldersAsTheKernelFollowsThem();
    void refusesWhatIsNotText_data();
    void refusesWhatIsNotText();
    void stoppedInPlaceSave_data();
    void stoppedInPlaceSave();
    void killedInPlaceSavesNeverLeftMixedUnseen();
    void concurrentInPlaceSavesTakeTurns();
    void sharedFolderSavesInPlace_data();
    void sharedFolderSavesInPlace();

private:
    std::string path(const std::string& name) const {
        return dir_->filePath(QString::fromStdString(name)).toStdString();
    }
    QStringList entries() const {
        return QDir(dir_->path())
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    }
    // s.cfg holding `bytes`, with a second name other.cfg: saved in place.
    std::string hardLinked(const std::string& bytes) const {
        const std::string target = path("s.cfg");
        if (!FileStore::writeAtomically(target, bytes).ok ||
            ::link(target.c_str(), path("other.cfg").c_str()) != 0)
            qFatal("cannot set up %s", target.c_str());
        return target;
    }
    std::unique_ptr<QTemporaryDir> dir_;
};

void TestFileStore::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void TestFileStore::keepsWhatItReplaces_data() {
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<bool>("inPlace");
    QTest::newRow("owner and group") << Setup::OwnerAndGroup << false;
    QTest::newRow("extended attributes and ACL") << Setup::ExtendedAttributes << false;
    QTest::newRow("hard link") << Setup::HardLink << true;
    QTest::newRow("owner the process cannot give") << Setup::AnotherOwner << true;
    QTest::newRow("symbolic link") << Setup::SymbolicLink << false;
}

void TestFileStore::keepsWhatItReplaces() {
    QFETCH(Setup, setup);
    QFETCH(bool, inPlace);
    // The longest name a file system allows still saves.
    const std::string target = path(std::string(251, 'n') + ".cfg");
    Status written = FileStore::writeAtomically(target, kOld);
    QVERIFY2(written.ok, written.error.c_str());
    std::string saved = target;
    switch (setup) {
    case Setup::OwnerAndGroup:
        if (!isRoot())
            QSKIP("giving a file to another owner needs root");
        QCOMPARE(::chown(target.c_str(), kNobody, kNobody), 0);
        QCOMPARE(::chmod(target.c_str(), 0640), 0);
        break;
    case Setup::ExtendedAttributes:
        if (::setxattr(target.c_str(), "user.origin", "pallworth", 9, 0) != 0 ||
            ::setxattr(target.c_str(), "system.posix_acl_access", kAcl.data(), kAcl.size(), 0) != 0)
            QSKIP("this file system refuses extended attributes or ACLs");
        break;
    case Setup::HardLink:
        QCOMPARE(::link(target.c_str(), path("other.cfg").c_str()), 0);
        break;
    case Setup::AnotherOwner:
        if (!isRoot())
            QSKIP("saving as another user needs root");
        QCOMPARE(::chmod(dir_->path().toLocal8Bit().constData(), 0777), 0);
        QCOMPARE(::chmod(target.c_str(), 0666), 0);
        break;
    case Setup::SymbolicLink:
        saved = path("link.cfg");
        QCOMPARE(::symlink(std::string(251, 'n').append(".cfg").c_str(), saved.c_str()), 0);
        break;
    }
    const Snapshot before = snapshot(target);
    const auto save = [&] {
        written = FileStore::writeAtomically(saved, kNew);
        return written.ok ? 0 : 1;
    };
    const int exit = setup != Setup::AnotherOwner ? save() : inChild([&] {
        return ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0 ? save() : 2;
    });
    QVERIFY2(exit == 0, written.error.c_str());

    const Snapshot after = snapshot(target);
    QCOMPARE(after.owner, before.owner);
    QCOMPARE(after.group, before.group);
    QCOMPARE(after.mode, before.mode);
    QCOMPARE(after.links, before.links);
    QCOMPARE(after.extended, before.extended);
    QCOMPARE(after.inode == before.inode, inPlace);
    QCOMPARE(content(saved), kNew);
    QCOMPARE(content(target), kNew);
    if (setup == Setup::HardLink)
        QCOMPARE(content(path("other.cfg")), kNew);
    struct stat link {};
    QVERIFY(::lstat(saved.c_str(), &link) == 0);
    QCOMPARE(S_ISLNK(link.st_mode), setup == Setup::SymbolicLink);
    QCOMPARE(entries().filter(QStringLiteral(".pallworth-")), QStringList());
}

void TestFileStore::newFilesArePrivate() {
    const mode_t mask = ::umask(022);
    QVERIFY(FileStore::writeAtomically(path("new.cfg"), kNew).ok);
    QVERIFY(FileStore::writeAtomically(path("shared.ini"), kNew, 0644).ok);
    // A dangling link names the file to create.
    QCOMPARE(::symlink("made.cfg", path("dangling.cfg").c_str()), 0);
    QVERIFY(FileStore::writeAtomically(path("dangling.cfg"), kNew).ok);
    ::umask(mask);
    QCOMPARE(snapshot(path("new.cfg")).mode & 07777, 0600u);
    QCOMPARE(snapshot(path("shared.ini")).mode & 07777, 0644u);
    QCOMPARE(snapshot(path("made.cfg")).mode & 07777, 0600u);
    QCOMPARE(content(path("dangling.cfg")), kNew);
    // The umask takes its bits off a new file, not off a replaced one.
    const mode_t strict = ::umask(027);
    QVERIFY(FileStore::writeAtomically(path("group.ini"), kNew, 0666).ok);
    QVERIFY(FileStore::writeAtomically(path("shared.ini"), kOld).ok);
    ::umask(strict);
    QCOMPARE(snapshot(path("group.ini")).mode & 07777, 0640u);
    QCOMPARE(snapshot(path("shared.ini")).mode & 07777, 0644u);
}

void TestFileStore::refusesWhatIsNotARegularFile_data() {
    QTest::addColumn<mode_t>("type");
    QTest::newRow("FIFO") << mode_t(S_IFIFO);
    QTest::newRow("socket") << mode_t(S_IFSOCK);
    QTest::newRow("device") << mode_t(S_IFCHR);
    QTest::newRow("folder") << mode_t(S_IFDIR);
}

void TestFileStore::refusesWhatIsNotARegularFile() {
    QFETCH(mode_t, type);
    const std::string node = path("node.cfg");
    if (type == S_IFCHR && !isRoot())
        QSKIP("making a device node needs root");
    QCOMPARE(type == S_IFDIR ? ::mkdir(node.c_str(), 0700)
                             : ::mknod(node.c_str(), type | 0600, makedev(1, 3)),
             0);
    // A FIFO would block the reader for ever: the child is killed after 5 s.
    const int refused = inChild(
        [&] {
            std::string bytes;
            const Status read = FileStore::read(node, bytes);
            const Status written = FileStore::writeAtomically(node, kNew);
            return !read.ok && !written.ok &&
                           read.error.find("not a regular file") != std::string::npos &&
                           written.error.find("not a regular file") != std::string::npos
                       ? 0
                       : 1;
        },
        5000);
    QCOMPARE(refused, 0);
    QCOMPARE(snapshot(node).mode & S_IFMT, type);
    QCOMPARE(entries(), QStringList{QStringLiteral("node.cfg")});
}

void TestFileStore::readsWithinTheLimit() {
    const std::string big = path("big.cfg");
    const int fd = ::open(big.c_str(), O_CREAT | O_WRONLY, 0600);
    QCOMPARE(::ftruncate(fd, off_t(FileStore::kMaxFileSize) + 1), 0);
    ::close(fd);
    std::string bytes;
    const Status tooLarge = FileStore::read(big, bytes);
    QVERIFY(!tooLarge.ok);
    QVERIFY2(tooLarge.error.find("larger than 1 GiB") != std::string::npos, tooLarge.error.c_str());
    QCOMPARE(FileStore::readLines(big, [](std::string_view) { return true; }).error,
             tooLarge.error);
    // The kernel's own files report no size and are read to their end.
    const Status kernel = FileStore::read("/proc/self/status", bytes);
    QVERIFY2(kernel.ok, kernel.error.c_str());
    QVERIFY(bytes.find("Pid:") != std::string::npos);
}

void TestFileStore::fileSizeLimitIsAnError_data() {
    QTest::addColumn<bool>("inPlace");
    QTest::addColumn<bool>("restoreFails");
    QTest::newRow("replaced by rename") << false << false;
    QTest::newRow("written in place") << true << false;
    QTest::newRow("in place, old content not put back") << true << true;
}

void TestFileStore::fileSizeLimitIsAnError() {
    QFETCH(bool, inPlace);
    QFETCH(bool, restoreFails);
    const std::string target = path("limited.cfg");
    QVERIFY(FileStore::writeAtomically(target, kOld).ok);
    if (inPlace)
        QCOMPARE(::link(target.c_str(), path("other.cfg").c_str()), 0);
    // SIGXFSZ keeps its default, which would kill the process.
    const int exit = inChild([&] {
        const rlimit limit{100, 100};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        // Once backed up, the file takes fewer bytes than the old content.
        if (restoreFails)
            FileStore::setStageHook([](FileStore::Stage stage) {
                const rlimit tight{4, 4};
                if (stage == FileStore::Stage::BackedUp)
                    ::setrlimit(RLIMIT_FSIZE, &tight);
            });
        const Status written = FileStore::writeAtomically(target, kNew);
        const auto kind = restoreFails ? Status::Kind::OldContentKept : Status::Kind::Plain;
        const bool named = written.error.find("; the old content is in \"") != std::string::npos;
        return !written.ok && written.error.find("File too large") != std::string::npos &&
                       written.kind == kind && named == restoreFails
                   ? 0
                   : 1;
    });
    QCOMPARE(exit, 0);
    const QStringList left = entries().filter(QStringLiteral(".pallworth-"));
    if (!restoreFails) {
        QCOMPARE(content(target), kOld);
        QCOMPARE(left, QStringList());
        return;
    }
    QCOMPARE(left.size(), 1);
    QVERIFY2(left[0].endsWith(QStringLiteral(".old")), qPrintable(left[0]));
    QCOMPARE(content(path(left[0].toStdString())), kOld);
}

void TestFileStore::largeFilesInPieces_data() {
    QTest::addColumn<std::string>("bytes");
    QTest::addColumn<bool>("inPlace");
    const std::string line = "  SYNCDIR ALL NODEL \"SYS:\\A\" \"DATA:\\A\"\r\n";
    std::string lines;
    while (lines.size() < 3 * FileStore::kPiece)
        lines += line;
    QTest::newRow("empty") << std::string() << false;
    QTest::newRow("no line end") << std::string("PACKAGE P") << false;
    QTest::newRow("lines over three pieces") << lines << false;
    QTest::newRow("last line without its end") << lines + "PACKAGE END" << true;
    QTest::newRow("line longer than a piece")
        << "A\n" + std::string(FileStore::kPiece + 7, 'x') + "\nB\n"
        << true;
}

void TestFileStore::largeFilesInPieces() {
    QFETCH(std::string, bytes);
    QFETCH(bool, inPlace);
    const std::string target = path("pieces.cfg");
    QVERIFY(FileStore::writeAtomically(target, std::string(2 * FileStore::kPiece, 'o')).ok);
    if (inPlace)
        QCOMPARE(::link(target.c_str(), path("other.cfg").c_str()), 0);
    // Written in three pieces; in place, the longer old content is cut off.
    const auto third = bytes.size() / 3;
    const Status written = FileStore::writeAtomically(target, [&](const FileStore::Pieces& put) {
        const std::string_view all = bytes;
        return put(all.substr(0, third)) && put(all.substr(third, third)) &&
               put(all.substr(2 * third));
    });
    QVERIFY2(written.ok, written.error.c_str());
    QCOMPARE(content(target), bytes);
    // Read back in pieces that end at a line end.
    std::string read;
    int pieces = 0;
    const Status status = FileStore::readLines(target, [&](std::string_view piece) {
        read.append(piece);
        ++pieces;
        return read.size() == bytes.size() || piece.ends_with('\n');
    });
    QVERIFY2(status.ok, status.error.c_str());
    QCOMPARE(read, bytes);
    QVERIFY(pieces <= static_cast<int>(bytes.size() / FileStore::kPiece) + 1);
    // A producer that gives up leaves the file as it was.
    const Status refused = FileStore::writeAtomically(
        target, [](const FileStore::Pieces& put) { return put("partial") && false; });
    QVERIFY(!refused.ok);
    QCOMPARE(content(target), bytes);
}

void TestFileStore::leftoverOfAKilledSaveRemoved() {
    const std::string folder = dir_->path().toStdString();
    const auto killedSave = [&](const std::string& name, TempFile::Role role) {
        return inChild([&] {
            TempFile temp(folder, name, role);
            return ::raise(SIGKILL);
        });
    };
    QCOMPARE(killedSave("s.cfg", TempFile::Role::Temporary), -1);
    QCOMPARE(killedSave("other.cfg", TempFile::Role::Temporary), -1);
    // Backups are marked as they get their name, so an unmarked one is an
    // older version's: it may be the only whole copy of the file.
    QCOMPARE(killedSave("s.cfg", TempFile::Role::Backup), -1);
    const QStringList leftovers = entries();
    QCOMPARE(leftovers.size(), 3);
    QCOMPARE(leftovers.filter(QStringLiteral(".pallworth-backup-")).size(), 1);
    const TempFile running(folder, "s.cfg");
    const QString name = QString::fromStdString(running.path()).section(QLatin1Char('/'), -1);
    QVERIFY(name.startsWith(QStringLiteral(".pallworth-")));
    QCOMPARE(name.size(), 26);
    QCOMPARE(snapshot(running.path()).mode & 07777, 0600u);

    QVERIFY(FileStore::writeAtomically(path("s.cfg"), kNew).ok);
    // The save in progress, the other file's leftover and the backup stay.
    QStringList expected = {QStringLiteral("s.cfg"), name};
    for (const QString& leftover : leftovers)
        if (!leftover.startsWith(name.left(20)))
            expected << leftover;
    expected.sort();
    QCOMPARE(entries(), expected);
    // Looking for a stopped save keeps the backup while it differs from the
    // file, and removes it once it is a mere copy.
    const QString legacy = leftovers.filter(QStringLiteral(".pallworth-backup-")).first();
    QCOMPARE(StoppedSave::find(path("s.cfg")), std::string());
    QVERIFY(entries().contains(legacy));
    QVERIFY(FileStore::writeAtomically(folder + '/' + legacy.toStdString(), kNew).ok);
    QCOMPARE(StoppedSave::find(path("s.cfg")), std::string());
    QVERIFY(!entries().contains(legacy));
}

// A file read whole lands in memory advised for huge pages before the read
// first touched it.
void TestFileStore::largeReadAsksForHugePages() {
    if (!hugePagesOnRequest())
        QSKIP("this system has no huge pages to ask for");
    const std::string target = path("large.cfg");
    const std::string bytes = numberedLines('J', 200000);
    QVERIFY(bytes.size() > 6 * FileStore::kPiece);
    QVERIFY(FileStore::writeAtomically(target, bytes).ok);
    std::string read;
    QVERIFY(FileStore::read(target, read).ok);
    QCOMPARE(read, bytes);
    QVERIFY(inMappings(hugePageMappings(), read.data() + read.size() / 2));
}

// What a reader will fill next is faulted in on another thread, and what it
// held before is still there.
void TestFileStore::warmedMemoryIsResidentAsItWas() {
    constexpr std::size_t kSize = 8 << 20;
    constexpr std::size_t kPage = 4096;
    void* mapped = mmap(nullptr, kSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    QVERIFY(mapped != MAP_FAILED);
    const auto unmap = qScopeGuard([&] { munmap(mapped, kSize); });
    auto* bytes = static_cast<char*>(mapped);
    std::memcpy(bytes + kSize / 2, "kept", 4);
    const auto resident = [&] { return residentPages(mapped, kSize); };
    QCOMPARE(resident(), std::ptrdiff_t{1});
    PageWarmer::warm(mapped, kSize);
    PageWarmer::settle();
    if (resident() == 1 && madvise(mapped, kPage, 23 /* MADV_POPULATE_WRITE */) != 0)
        QSKIP("this kernel cannot fault memory in on request");
    QCOMPARE(resident(), static_cast<std::ptrdiff_t>(kSize / kPage));
    QCOMPARE(std::string_view(bytes + kSize / 2, 4), "kept");
    QCOMPARE(bytes[0], '\0');
}

void TestFileStore::linksInSharedFoldersAsTheKernelFollowsThem_data() {
    QTest::addColumn<char>("setting");
    QTest::addColumn<mode_t>("folderMode");
    QTest::addColumn<uid_t>("folderOwner");
    QTest::addColumn<uid_t>("linkOwner");
    QTest::addColumn<bool>("chained"); // reached through an own link elsewhere
    QTest::addColumn<bool>("followed");
    const uid_t me = ::geteuid();
    QTest::newRow("another user's link in /tmp")
        << '1' << mode_t(01777) << me << kNobody << false << false;
    QTest::newRow("in a chain") << '1' << mode_t(01777) << me << kNobody << true << false;
    QTest::newRow("own link") << '1' << mode_t(01777) << me << me << true << true;
    QTest::newRow("the folder owner's link")
        << '1' << mode_t(01777) << kNobody << kNobody << false << true;
    QTest::newRow("not sticky") << '1' << mode_t(0777) << me << kNobody << false << true;
    QTest::newRow("not writable by all") << '1' << mode_t(01775) << me << kNobody << false << true;
    QTest::newRow("protection off") << '0' << mode_t(01777) << me << kNobody << false << true;
}

void TestFileStore::linksInSharedFoldersAsTheKernelFollowsThem() {
    QFETCH(char, setting);
    QFETCH(mode_t, folderMode);
    QFETCH(uid_t, folderOwner);
    QFETCH(uid_t, linkOwner);
    QFETCH(bool, chained);
    QFETCH(bool, followed);
    if (!isRoot())
        QSKIP("planting a link of another user needs root");
    std::string old;
    if (!FileStore::read("/proc/sys/fs/protected_symlinks", old).ok || !protectLinks(setting))
        QSKIP("fs.protected_symlinks cannot be set here");
    const auto restore = qScopeGuard([&] { protectLinks(old.at(0)); });
    const std::string target = path("target.cfg");
    QVERIFY(FileStore::writeAtomically(target, kOld).ok);
    const std::string shared = path("shared");
    QCOMPARE(::mkdir(shared.c_str(), 0700), 0);
    QCOMPARE(::chown(shared.c_str(), folderOwner, folderOwner), 0);
    QCOMPARE(::chmod(shared.c_str(), folderMode), 0);
    const std::string planted = shared + "/evil.cfg";
    QCOMPARE(::symlink(target.c_str(), planted.c_str()), 0);
    QCOMPARE(::lchown(planted.c_str(), linkOwner, linkOwner), 0);
    const std::string opened = chained ? path("mine.cfg") : planted;
    if (chained)
        QCOMPARE(::symlink(planted.c_str(), opened.c_str()), 0);

    std::string bytes;
    const Status read = FileStore::read(opened, bytes);
    const Status written = FileStore::writeAtomically(opened, kNew);
    QCOMPARE(read.ok, followed);
    QCOMPARE(written.ok, followed);
    QCOMPARE(content(target), followed ? kNew : kOld);
    if (!followed) {
        const std::string why = "the symbolic link \"" + planted + "\" is not followed";
        QVERIFY2(written.error.find(why) != std::string::npos, written.error.c_str());
        QVERIFY2(read.error.find(why) != std::string::npos, read.error.c_str());
        QCOMPARE(FileStore::linkTarget(opened), opened);
    }
    QCOMPARE(entries().filter(QStringLiteral(".pallworth-")), QStringList());
}

void TestFileStore::refusesWhatIsNotText_data() {
    QTest::addColumn<qint64>("zeros"); // a sparse file of that many NUL bytes
    QTest::addColumn<std::string>("bytes");
    QTest::addColumn<bool>("text");
    const std::string line = "PACKAGE P\r\n";
    std::string lines;
    while (lines.size() < FileStore::kPiece)
        lines += line;
    QTest::newRow("1 GiB of NUL bytes") << (qint64(1) << 30) << std::string() << false;
    QTest::newRow("mostly NUL with line ends")
        << qint64(0) << std::string("A\0\0\0\n\0\0\0\n", 9) << false;
    QTest::newRow("no line end in the first MiB")
        << qint64(0) << std::string(FileStore::kPiece + 1, 'x') << false;
    QTest::newRow("half NUL") << qint64(0) << std::string("A\0\n\0", 4) << true;
    QTest::newRow("a MiB of lines, then NUL bytes")
        << qint64(0) << lines + std::string(100, '\0') << true;
}

void TestFileStore::refusesWhatIsNotText() {
    QFETCH(qint64, zeros);
    QFETCH(std::string, bytes);
    QFETCH(bool, text);
    const std::string file = path("some.cfg");
    if (zeros > 0) {
        QFile sparse(QString::fromStdString(file));
        QVERIFY(sparse.open(QIODevice::WriteOnly) && sparse.resize(zeros));
    } else {
        QVERIFY(FileStore::writeAtomically(file, bytes).ok);
    }
    QElapsedTimer clock;
    clock.start();
    std::string read;
    const Status whole = FileStore::read(file, read);
    std::string pieces;
    const Status inPieces = FileStore::readLines(file, [&](std::string_view piece) {
        pieces.append(piece);
        return true;
    });
    const qint64 elapsed = clock.elapsed();
    QCOMPARE(whole.ok, text);
    QCOMPARE(inPieces.ok, text);
    if (text) {
        QCOMPARE(read, bytes);
        QCOMPARE(pieces, bytes);
    } else {
        QCOMPARE(pieces, std::string());
        QCOMPARE(inPieces.error, whole.error);
        QVERIFY2(whole.error.find("not a text file") != std::string::npos, whole.error.c_str());
    }
    qInfo("refused or read both ways in %lld ms", elapsed);
    QVERIFY(elapsed < 1000);
}

void TestFileStore::stoppedInPlaceSave_data() {
    QTest::addColumn<FileStore::Stage>("stage");
    QTest::addColumn<int>("at");
    QTest::addColumn<bool>("mixed");
    QTest::newRow("backed up, nothing written") << FileStore::Stage::BackedUp << 1 << false;
    QTest::newRow("part written") << FileStore::Stage::Writing << 1 << true;
    QTest::newRow("all written, not yet synced") << FileStore::Stage::Writing << 3 << false;
}

void TestFileStore::stoppedInPlaceSave() {
    QFETCH(FileStore::Stage, stage);
    QFETCH(int, at);
    QFETCH(bool, mixed);
    const std::string old = numberedLines('o', 100);
    const std::string next = numberedLines('n', 150);
    const std::string target = hardLinked(old);
    QVERIFY(saveKilledAt(target, next, stage, at));
    const std::string backup = StoppedSave::find(target);
    if (!mixed) {
        QCOMPARE(backup, std::string());
        QVERIFY(content(target) == old || content(target) == next);
        QCOMPARE(entries(), QStringList({"other.cfg", "s.cfg"}));
        return;
    }
    QVERIFY(content(target) != old && content(target) != next);
    QVERIFY(backup.find(dir_->path().toStdString() + "/.pallworth-backup-") == 0);
    QCOMPARE(content(backup), old);
    // Found beside the name it was saved by, and kept by a later save: it is
    // still the only copy of what the file held.
    QCOMPARE(StoppedSave::find(path("other.cfg")).empty(), true);
    QVERIFY(FileStore::writeAtomically(target, kNew).ok);
    QCOMPARE(StoppedSave::find(target), backup);
    QVERIFY(StoppedSave::restore(target, backup).ok);
    QCOMPARE(content(path("other.cfg")), old);
    QCOMPARE(StoppedSave::find(target), std::string());
    QCOMPARE(entries(), QStringList({"other.cfg", "s.cfg"}));
}

void TestFileStore::killedInPlaceSavesNeverLeftMixedUnseen() {
    const std::string old = numberedLines('o', 8000);
    const std::string next = numberedLines('n', 6000);
    const std::string target = hardLinked(old);
    // Each piece is slowed down so that most kills land inside the write.
    const auto slowSave = [&] {
        FileStore::setStageHook([](FileStore::Stage stage) {
            if (stage == FileStore::Stage::Writing)
                ::usleep(100);
        });
        return FileStore::writeAtomically(target, inPieces(next, 4096)).ok ? 0 : 1;
    };
    QElapsedTimer timer;
    timer.start();
    QCOMPARE(inChild(slowSave), 0);
    const qint64 saveUs = std::max<qint64>(timer.nsecsElapsed() / 1000, 1000);
    QVERIFY(FileStore::writeAtomically(target, old).ok);
    constexpr int kRounds = 100;
    int mixed = 0;
    int unseen = 0;
    std::srand(25);
    for (int round = 0; round < kRounds; ++round) {
        const pid_t child = ::fork();
        if (child == 0)
            ::_exit(slowSave());
        ::usleep(static_cast<useconds_t>(std::rand() % (2 * saveUs)));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = content(target);
        const std::string backup = StoppedSave::find(target);
        if (now == old || now == next) {
            QCOMPARE(backup, std::string());
        } else {
            ++mixed;
            unseen += backup.empty();
            QVERIFY(StoppedSave::restore(target, backup).ok);
            QCOMPARE(content(target), old);
        }
        QCOMPARE(entries(), QStringList({"other.cfg", "s.cfg"}));
        QVERIFY(FileStore::writeAtomically(target, old).ok);
    }
    qInfo("%d killed in-place saves: %d left the file mixed, %d of them without a backup found",
          kRounds, mixed, unseen);
    QCOMPARE(unseen, 0);
}

void TestFileStore::concurrentInPlaceSavesTakeTurns() {
    const std::string first = numberedLines('a', 6000);
    const std::string second = numberedLines('b', 5000);
    const std::string target = hardLinked(kOld);
    constexpr int kRounds = 50;
    int mixed = 0;
    for (int round = 0; round < kRounds; ++round) {
        pid_t children[2];
        for (int i = 0; i < 2; ++i) {
            children[i] = ::fork();
            if (children[i] == 0)
                ::_exit(FileStore::writeAtomically(i == 0 ? target : path("other.cfg"),
                                                   inPieces(i == 0 ? first : second, 4096))
                                .ok
                            ? 0
                            : 1);
        }
        for (const pid_t child : children) {
            int status = 0;
            ::waitpid(child, &status, 0);
            QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);
        }
        const std::string now = content(target);
        mixed += now != first && now != second;
    }
    qInfo("%d rounds of two concurrent in-place saves: %d mixed", kRounds, mixed);
    QCOMPARE(mixed, 0);
    QCOMPARE(entries(), QStringList({"other.cfg", "s.cfg"}));
}

void TestFileStore::sharedFolderSavesInPlace_data() {
    QTest::addColumn<bool>("cacheWritable");
    QTest::addColumn<bool>("existing");
    QTest::newRow("backup in the cache folder") << true << true;
    QTest::newRow("no cache folder either") << false << true;
    QTest::newRow("new file") << true << false;
}

void TestFileStore::sharedFolderSavesInPlace() {
    if (!isRoot())
        QSKIP("saving as another user needs root");
    QFETCH(bool, cacheWritable);
    QFETCH(bool, existing);
    // A service's folder of root's, and a file its group may write.
    const std::string shared = path("shared");
    const std::string cache = path("cache");
    QCOMPARE(::chmod(dir_->path().toLocal8Bit().constData(), 0755), 0);
    QCOMPARE(::mkdir(shared.c_str(), 0755), 0);
    QCOMPARE(::mkdir(cache.c_str(), 0755), 0);
    QCOMPARE(::chmod(cache.c_str(), cacheWritable ? 0777 : 0755), 0);
    const std::string target = shared + "/service.cfg";
    if (existing) {
        QVERIFY(FileStore::writeAtomically(target, kOld).ok);
        QCOMPARE(::chown(target.c_str(), 0, kNobody), 0);
        QCOMPARE(::chmod(target.c_str(), 0664), 0);
    }
    const Snapshot before = existing ? snapshot(target) : Snapshot{};
    const std::string refused =
        "Cannot write \"" + target + "\": the folder \"" + shared +
        "\" cannot be written; a save needs a file beside \"service.cfg\"" +
        (existing ? ", or a backup in the cache folder \"" + cache + "/pallworth\"" : "");
    const auto asNobody = [&] {
        ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
        return ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0;
    };
    const int exit = inChild([&] {
        if (!asNobody())
            return 2;
        const Status written = FileStore::writeAtomically(target, kNew);
        if (written.ok || written.error.rfind(refused, 0) == 0)
            return written.ok ? 0 : 1;
        qWarning("%s", written.error.c_str());
        return 3;
    });
    QCOMPARE(exit, existing && cacheWritable ? 0 : 1);
    QCOMPARE(QDir(QString::fromStdString(shared))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             existing ? QStringList{QStringLiteral("service.cfg")} : QStringList());
    if (!existing)
        return;
    QCOMPARE(content(target), exit == 0 ? kNew : kOld);
    const Snapshot after = snapshot(target);
    QCOMPARE(after.inode, before.inode);
    QCOMPARE(after.group, before.group);
    QCOMPARE(after.mode, before.mode);
    // A save stopped part way is found, with its backup in the cache folder.
    const int found = exit != 0 ? 0 : inChild([&] {
        if (!asNobody() ||
            !saveKilledAt(target, numberedLines('n', 300), FileStore::Stage::Writing, 1))
            return 2;
        const std::string backup = StoppedSave::find(target);
        if (backup.rfind(cache + "/pallworth/.pallworth-backup-", 0) != 0)
            return 3;
        return StoppedSave::restore(target, backup).ok && content(target) == kNew ? 0 : 4;
    });
    QCOMPARE(found, 0);
    QCOMPARE(QDir(QString::fromStdString(cache + "/pallworth"))
                 .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList());
}

QTEST_GUILESS_MAIN(TestFileStore)
#include "tst_filestore.moc"
