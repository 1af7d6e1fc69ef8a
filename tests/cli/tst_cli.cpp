#include "TestSupport.h"

#include "cli/CliApp.h"
#include "config/Scramble.h"
#include "io/StoppedSave.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <sys/stat.h>

using namespace testsupport;

namespace {

struct Run {
    int exit;
    std::string out;
    std::string err;
};

Run cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    CliApp app(out, err);
    const int exit = app.run(args);
    return {exit, out.str(), err.str()};
}

bool exists(const std::string& path) {
    return QFile::exists(QString::fromStdString(path));
}

void writeFile(const std::string& path, std::string_view bytes) {
    const Status written = FileStore::writeAtomically(path, bytes);
    QVERIFY2(written.ok, written.error.c_str());
}

QJsonObject parseJson(const std::string& text) {
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(text), &error);
    if (error.error != QJsonParseError::NoError)
        qWarning("bad JSON: %s", qPrintable(error.errorString()));
    return doc.object();
}

} // namespace

class TestCli : public QObject {
    Q_OBJECT

private slots:
    void init();
    void normalizeWritesWhatTheEditorWrites();
    void normalizeRefusesWhatWouldLoseLines();
    void errorsWriteNothing_data();
    void errorsWriteNothing();
    void outputThatCannotBeWrittenFails_data();
    void outputThatCannotBeWrittenFails();
    void outOfMemoryIsAnError();
    void dumpConfiguration();
    void dumpTaskFile();
    void checkReportsEveryProblem();
    void scrambleAndNew();
    void failedSaveKeepsTheOldFile();
    void skippedLinesThroughTheBinary_data();
    void skippedLinesThroughTheBinary();
    void helpVersionAndUsage_data();
    void helpVersionAndUsage();
    void scheduleThroughTheBinary_data();
    void scheduleThroughTheBinary();
    void diffThroughTheBinary_data();
    void diffThroughTheBinary();
    void resolveThroughTheBinary_data();
    void resolveThroughTheBinary();
    void normalizeRefusesTheWrongKind_data();
    void normalizeRefusesTheWrongKind();
    void jsonNamesStayValid_data();
    void jsonNamesStayValid();
    void newFilesHonourTheUmask_data();
    void newFilesHonourTheUmask();
    void limitsAndOptionsThroughTheBinary_data();
    void limitsAndOptionsThroughTheBinary();
    void stoppedSaveWarnsUntilDealtWith();
    void checksAndScheduleAgree_data();
    void checksAndScheduleAgree();
    void preCommitHookChecksWhatIsStaged();

private:
    QTemporaryDir dir_;
    std::string path(const char* name) const {
        return dir_.filePath(QString::fromLatin1(name)).toStdString();
    }
};

void TestCli::init() {
    QVERIFY(dir_.isValid());
}

void TestCli::normalizeWritesWhatTheEditorWrites() {
    const Run r = cli({"normalize", dataPath("rich-1.10.cfg"), path("out.CFG")});
    QCOMPARE(r.exit, 0);
    const std::string in = dataPath("rich-1.10.cfg");
    QCOMPARE(r.err, in + ":60: warning: OFHANDLER SKIP 30 (surplus argument)\n");
    // The file's own comment stays before the line it stood before.
    std::string expected = dataFile("rich-1.10.expected.cfg");
    expected.insert(expected.find("USER "), "# Hand-written configuration\r\n");
    std::string written;
    QVERIFY(FileStore::read(path("out.CFG"), written).ok);
    QCOMPARE(written, expected);
    const Run canonical =
        cli({"normalize", "--canonical", dataPath("rich-1.10.cfg"), path("canonical.cfg")});
    QCOMPARE(canonical.exit, 0);
    QCOMPARE(canonical.err,
             r.err + in + ": warning: 1 line kept as written by the editor left out\n");
    QVERIFY(FileStore::read(path("canonical.cfg"), written).ok);
    QCOMPARE(written, dataFile("rich-1.10.expected.cfg"));

    writeFile(path("t.ini"), "task a b 1 1 1\n");
    QVERIFY(QFile::setPermissions(QString::fromStdString(path("t.ini")),
                                  QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup));
    QCOMPARE(cli({"normalize", path("t.ini"), path("t2.Ini")}).exit, 0);
    QVERIFY(FileStore::read(path("t2.Ini"), written).ok);
    QVERIFY(written.ends_with("\r\ntask a b 1 1 1 \r\n"));
    // A new OUT is as private as IN.
    QCOMPARE(QFile::permissions(QString::fromStdString(path("t2.Ini"))),
             QFile::permissions(QString::fromStdString(path("t.ini"))));
}

void TestCli::normalizeRefusesWhatWouldLoseLines() {
    writeFile(path("newer.cfg"), "VERSION 1.40\r\nPWD x\r\nPACKAGE P\r\nDEST S V MSGON 0\r\n");
    writeFile(path("unknown.cfg"), "VERSION 1.25\r\nPACKAGE P\r\nDEST S V MSGON 0\r\n");
    writeFile(path("existing.cfg"), "keep me");
    for (const char* in : {"newer.cfg", "unknown.cfg"}) {
        Run r = cli({"normalize", path(in), path("out.cfg")});
        QCOMPARE(r.exit, 2);
        QVERIFY(!exists(path("out.cfg")));
        QCOMPARE(cli({"normalize", path(in), path("existing.cfg")}).exit, 2);
        std::string kept;
        QVERIFY(FileStore::read(path("existing.cfg"), kept).ok);
        QCOMPARE(kept, std::string("keep me"));
        QCOMPARE(std::count(r.err.begin(), r.err.end(), '\n'), 1L);
        QVERIFY(r.err.find("does not save it") != std::string::npos);
    }
}

void TestCli::errorsWriteNothing_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("message");
    const auto row = [](const char* name, std::initializer_list<const char*> args,
                        const char* message) {
        QStringList list;
        for (const char* a : args)
            list << QString::fromLatin1(a);
        QTest::newRow(name) << list << QString::fromLatin1(message);
    };
    row("no command", {}, "no command given");
    row("unknown command", {"frobnicate", "x.cfg"}, "unknown command");
    row("unknown kind", {"normalize", "IN.txt", "OUT.cfg"}, "is not known");
    row("kinds differ", {"normalize", "IN.cfg", "OUT.ini"}, "must have the extension");
    row("missing input", {"normalize", "missing.cfg", "OUT.cfg"}, "No such file");
    row("over capacity", {"normalize", "big.ini", "OUT.ini"}, "more than 999");
    row("new of unknown kind", {"new", "txt", "OUT.cfg"}, "new takes cfg or ini");
    row("new cfg of a task-file name", {"new", "cfg", "OUT.ini"}, "must have the extension .cfg");
    row("new ini without extension", {"new", "ini", "OUT"}, "must have the extension .ini");
    row("new over a read-only file", {"new", "cfg", "RO.cfg"}, "the file is read-only");
    row("dump without file", {"dump"}, "wrong number of arguments");
    row("check of unknown kind", {"check", "a.doc"}, "is not known");
}

void TestCli::errorsWriteNothing() {
    QFETCH(QStringList, args);
    QFETCH(QString, message);
    std::string big;
    for (int i = 0; i < 1000; ++i)
        big += "task a b 0 0 0\n";
    writeFile(path("big.ini"), big);
    writeFile(path("IN.cfg"), "USER u\n");
    QFile::remove(QString::fromStdString(path("RO.cfg")));
    writeFile(path("RO.cfg"), "USER u\n");
    QVERIFY(QFile::setPermissions(QString::fromStdString(path("RO.cfg")), QFile::ReadOwner));
    std::vector<std::string> argv;
    for (const QString& a : args)
        argv.push_back(a.startsWith(QLatin1String("OUT")) || a.contains(QLatin1Char('.'))
                           ? path(a.toLatin1().constData())
                           : a.toStdString());
    const Run r = cli(argv);
    QCOMPARE(r.exit, 2);
    QCOMPARE(r.out, std::string());
    QCOMPARE(std::count(r.err.begin(), r.err.end(), '\n'), 1L);
    QVERIFY(r.err.starts_with("pallworth-cli: "));
    QVERIFY2(QString::fromStdString(r.err).contains(message), r.err.c_str());
    const QStringList left = QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left.filter(QRegularExpression(QStringLiteral("^(OUT|\\.pallworth-)"))),
             QStringList());
    std::string kept;
    QVERIFY(FileStore::read(path("RO.cfg"), kept).ok);
    QCOMPARE(kept, std::string("USER u\n"));
}

void TestCli::outputThatCannotBeWrittenFails_data() {
    QTest::addColumn<QStringList>("args");
    QTest::newRow("dump") << QStringList{QStringLiteral("dump"), QStringLiteral("d.cfg")};
    QTest::newRow("scramble") << QStringList{QStringLiteral("scramble"), QStringLiteral("pw")};
    QTest::newRow("check") << QStringList{QStringLiteral("check"), QStringLiteral("d.cfg")};
}

void TestCli::outputThatCannotBeWrittenFails() {
    QFETCH(QStringList, args);
    writeFile(path("d.cfg"), "PACKAGE P\n");
    std::vector<std::string> argv;
    for (const QString& a : args)
        argv.push_back(a.contains(QLatin1Char('.')) ? path(a.toLatin1().constData())
                                                    : a.toStdString());
    std::ofstream full("/dev/full");
    std::ostringstream err;
    QCOMPARE(CliApp(full, err).run(argv), 2);
    QCOMPARE(err.str(), std::string("pallworth-cli: cannot write to standard output\n"));
}

void TestCli::outOfMemoryIsAnError() {
#if defined(__SANITIZE_ADDRESS__)
    QSKIP("AddressSanitizer cannot run under an address-space limit");
#endif
    // A file the size of the address space left to the child: a MiB of
    // lines, so that it reads as text, then one line of NUL bytes.
    const std::string big = path("big.cfg");
    QFile file(QString::fromStdString(big));
    QVERIFY(file.open(QIODevice::WriteOnly));
    const QByteArray line("MAXTHREADS 12\r\n");
    for (qint64 at = 0; at < qint64(FileStore::kPiece); at += line.size())
        file.write(line);
    QVERIFY(file.resize(qint64(768) << 20));
    file.close();
    const int exit = inChild([&] {
        std::ifstream statm("/proc/self/statm");
        long pages = 0;
        statm >> pages;
        const rlim_t room = rlim_t(pages) * rlim_t(::sysconf(_SC_PAGESIZE)) + (rlim_t(256) << 20);
        const rlimit limit{room, room};
        ::setrlimit(RLIMIT_AS, &limit);
        const Run r = cli({"dump", big});
        return r.exit == 2 && r.err.find("not enough memory") != std::string::npos &&
                       std::count(r.err.begin(), r.err.end(), '\n') == 1
                   ? 0
                   : 1;
    });
    QCOMPARE(exit, 0);
}

void TestCli::dumpConfiguration() {
    writeFile(path("d.cfg"),
              "VERSION 1.30\r\nUSER \x81sr\r\nPWD p\r\nLOGDIR \"\x81\\\"\r\n"
              "PACKAGE Caf\x82 \"q\"\r\nOFHANDLER alert 60\r\nPREMSG \"\x9D\x01\"\r\n"
              "DEST s v MSGON 0 TCP 08:00\r\nEXCLUDE \"x\"\r\n"
              "SYNCDIR ALL DEL \"a\" \"b\"\r\nPACKAGE END\r\n"
              "APPLICATION App\r\nDST_SERVER S1\r\nAPPLICATION END\r\n");
    const Run r = cli({"dump", path("d.cfg")});
    QCOMPARE(r.exit, 0);
    const QJsonObject o = parseJson(r.out);
    QCOMPARE(o.value(QLatin1String("kind")).toString(), QStringLiteral("cfg"));
    QCOMPARE(o.value(QLatin1String("newerVersion")).toBool(true), false);
    QCOMPARE(o.value(QLatin1String("password")).toString(), QStringLiteral("p"));
    const QJsonObject g = o.value(QLatin1String("global")).toObject();
    QCOMPARE(g.size(), 22);
    QCOMPARE(g.value(QLatin1String("user")).toString(), QString::fromUtf8("\u0081sr"));
    QCOMPARE(g.value(QLatin1String("logDir")).toString(), QString::fromUtf8("\u00FC\\"));
    const QJsonObject p = o.value(QLatin1String("packages")).toArray().at(0).toObject();
    QCOMPARE(p.size(), 30);
    QCOMPARE(p.value(QLatin1String("name")).toString(), QString::fromUtf8("Caf\u201A \"q\""));
    QCOMPARE(p.value(QLatin1String("ofHandlerDelay")).toInt(), 60);
    QCOMPARE(p.value(QLatin1String("preMsg")).toString(), QString::fromUtf8("\u009D\u0001"));
    const QJsonObject t = p.value(QLatin1String("targets")).toArray().at(0).toObject();
    QCOMPARE(t.size(), 6);
    QCOMPARE(t.value(QLatin1String("protocol")).toString(), QStringLiteral("TCP"));
    QCOMPARE(p.value(QLatin1String("excludes")).toArray().at(0).toString(), QStringLiteral("x"));
    const QJsonObject job = p.value(QLatin1String("dirJobs")).toArray().at(0).toObject();
    QCOMPARE(job.size(), 4);
    QCOMPARE(job.value(QLatin1String("targetPath")).toString(), QStringLiteral("b"));
    QVERIFY(p.value(QLatin1String("fileJobs")).toArray().isEmpty());
    const QJsonObject app = o.value(QLatin1String("applications")).toArray().at(0).toObject();
    QCOMPARE(app.size(), 5);
    QCOMPARE(app.value(QLatin1String("dstServers")).toString(), QStringLiteral("S1 "));
}

void TestCli::dumpTaskFile() {
    writeFile(path("d.INI"), "logfile c:\\\x80.log\ntask a b 1 0 1\ntask c d\n");
    const Run r = cli({"dump", path("d.INI")});
    QCOMPARE(r.exit, 0);
    const QJsonObject o = parseJson(r.out);
    QCOMPARE(o.size(), 8);
    QCOMPARE(o.value(QLatin1String("kind")).toString(), QStringLiteral("ini"));
    QCOMPARE(o.value(QLatin1String("logFilePath")).toString(), QString::fromUtf8("c:\\\u20AC.log"));
    QCOMPARE(o.value(QLatin1String("maxLogSize")).toString(), QStringLiteral("256000"));
    const QJsonArray tasks = o.value(QLatin1String("tasks")).toArray();
    QCOMPARE(tasks.size(), 2);
    QCOMPARE(tasks.at(1).toString(), QStringLiteral("c d   "));
}

void TestCli::checkReportsEveryProblem() {
    writeFile(path("good.cfg"), "USER u\nPWD p\nPACKAGE P\nSOURCE S\nDEST T V MSGON 0\n");
    writeFile(path("bad.cfg"), "PACKAGE First\nPACKAGE END\nPACKAGE Second\nSOURCE s\nDEST\n");
    writeFile(path("tasks.ini"), "task a b\n");
    Run r = cli({"check", path("good.cfg"), path("tasks.ini")});
    QCOMPARE(r.exit, 0);
    QCOMPARE(r.out, std::string());

    r = cli({"check", path("good.cfg"), path("bad.cfg")});
    QCOMPARE(r.exit, 1);
    const std::string bad = path("bad.cfg");
    // A target without names is a warning of --all, so not an error here.
    QCOMPARE(r.out, bad + ": Please specify a username\n" + bad + ": Please specify a password\n" +
                        bad + ": Please specify a source server for package First\n");

    r = cli({"check", path("bad.cfg"), path("missing.cfg")});
    QCOMPARE(r.exit, 2);
    QVERIFY(r.err.find("missing.cfg") != std::string::npos);
}

void TestCli::scrambleAndNew() {
    Run r = cli({"scramble", "secret"});
    QCOMPARE(r.exit, 0);
    QCOMPARE(r.out, Scramble("secret") + "\n");
    // The argument is UTF-8; the password is scrambled in the ANSI code page.
    QCOMPARE(cli({"scramble", "\u00FC"}).out, Scramble("\xFC") + "\n");

    QCOMPARE(cli({"new", "cfg", path("n.cfg")}).exit, 0);
    QCOMPARE(cli({"new", "ini", path("n.ini")}).exit, 0);
    std::string bytes;
    QVERIFY(FileStore::read(path("n.cfg"), bytes).ok);
    QCOMPARE(bytes, dataFile("new.expected.cfg"));
    QVERIFY(FileStore::read(path("n.ini"), bytes).ok);
    QCOMPARE(bytes, dataFile("new.expected.ini"));
    QCOMPARE(QFile::permissions(QString::fromStdString(path("n.cfg"))),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser);
}

void TestCli::failedSaveKeepsTheOldFile() {
    // The file system refuses the write after 100 bytes.
    writeFile(path("keep.cfg"), "old content");
    struct rlimit saved {};
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    struct rlimit limited = saved;
    limited.rlim_cur = 100;
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    QCOMPARE(::setrlimit(RLIMIT_FSIZE, &limited), 0);
    const Run r = cli({"new", "cfg", path("keep.cfg")});
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);

    QCOMPARE(r.exit, 2);
    QVERIFY(r.err.find("keep.cfg") != std::string::npos);
    std::string bytes;
    QVERIFY(FileStore::read(path("keep.cfg"), bytes).ok);
    QCOMPARE(bytes, std::string("old content"));
    // No temporary file is left behind.
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files).filter(QStringLiteral("keep")).size(), 1);
}

void TestCli::skippedLinesThroughTheBinary_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("err");
    QTest::addColumn<QString>("out");
    QTest::addColumn<bool>("written");
    const auto row = [](const char* name, QStringList args, int exit, const char* err,
                        const char* out, bool written) {
        QTest::newRow(name) << args << exit << QString::fromUtf8(err) << QString::fromUtf8(out)
                            << written;
    };
    row("normalize warns and writes", {"normalize", "typo.cfg", "out.cfg"}, 0,
        "typo.cfg:2: warning: MAXTHRAEDS 20 (unknown keyword, kept)\n", "", true);
    row("strict writes what it keeps", {"normalize", "--strict", "typo.cfg", "out.cfg"}, 0,
        "typo.cfg:2: warning: MAXTHRAEDS 20 (unknown keyword, kept)\n", "", true);
    row("strict canonical writes nothing",
        {"normalize", "--strict", "--canonical", "typo.cfg", "out.cfg"}, 1,
        "typo.cfg:2: warning: MAXTHRAEDS 20 (unknown keyword)\n"
        "typo.cfg: warning: 2 lines kept as written by the editor left out\n",
        "", false);
    row("strict passes a clean file", {"normalize", "clean.cfg", "out.cfg", "--strict"}, 0, "", "",
        true);
    row("dump lists skipped lines", {"dump", "typo.cfg"}, 0, "",
        "\"skipped\":[{\"line\":2,\"text\":\"MAXTHRAEDS 20\",\"reason\":\"unknown keyword\","
        "\"kept\":true}],\"kept\":[{\"block\":\"global\",\"before\":\"user\",\"lines\":"
        "[\"MAXTHRAEDS 20\",\"# my note\"]}]}",
        false);
    row("check refuses junk", {"check", "junk.cfg"}, 2,
        "pallworth-cli: junk.cfg does not look like a configuration (none of its 2 lines was "
        "understood).\n",
        "", false);
    row("check refuses junk of one line", {"check", "one.cfg"}, 2,
        "pallworth-cli: one.cfg does not look like a configuration (its one line was not "
        "understood).\n",
        "", false);
    row("check refuses a task file named .cfg", {"check", "tasks.cfg"}, 2,
        "pallworth-cli: tasks.cfg looks like a task file, not a configuration.\n", "", false);
    row("check refuses a configuration named .ini", {"check", "clean.ini"}, 2,
        "pallworth-cli: clean.ini looks like a configuration, not a task file.\n", "", false);
    row("check keeps to the save rules", {"check", "typo.cfg", "clean.cfg"}, 1, "",
        "typo.cfg: Please specify a password", false);
    row("check --all lists every problem", {"check", "--all", "typo.cfg", "clean.cfg"}, 1, "",
        "typo.cfg: error: Please specify a password\n"
        "typo.cfg:2: warning: MAXTHRAEDS 20 (unknown keyword)\n"
        "clean.cfg:3: warning: The stored password is not 80 lower-case hexadecimal digits",
        false);
    row("warnings alone pass", {"check", "--all", "clean.cfg", "local.ini"}, 0, "",
        "clean.cfg:3: warning: The stored password is not 80 lower-case hexadecimal digits\n"
        "local.ini:1: warning: Both paths of the task are on workstation drives",
        false);
    row("an unreadable file is an error", {"check", "--all", "junk.cfg", "clean.cfg"}, 2,
        "pallworth-cli: junk.cfg does not look like a configuration (none of its 2 lines was "
        "understood).\n",
        "clean.cfg:3: warning: The stored password is not 80 lower-case hexadecimal digits", false);
    row("json", {"check", "--json", "--all", "typo.cfg", "local.ini"}, 1, "",
        "{\"file\":\"typo.cfg\",\"problems\":[{\"line\":null,\"severity\":\"error\","
        "\"message\":\"Please specify a password\",\"node\":\"Default settings\","
        "\"row\":\"Password\"},{\"line\":2,\"severity\":\"warning\",\"message\":"
        "\"MAXTHRAEDS 20 (unknown "
        "keyword)\",\"node\":\"\",\"row\":\"\"}]}\n{\"file\":\"local.ini\",\"problems\":[{\"line\":"
        "1,"
        "\"severity\":\"warning\",\"message\":\"Both paths of the task are on workstation "
        "drives\",\"node\":\"Tasks\",\"row\":\"row 1\"}]}",
        false);
}

void TestCli::skippedLinesThroughTheBinary() {
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QFETCH(QString, err);
    QFETCH(QString, out);
    QFETCH(bool, written);
    const std::string clean = "VERSION 1.30\r\nUSER u\r\nPWD p\r\nMAXTHREADS 20\r\n";
    writeFile(path("typo.cfg"), "VERSION 1.30\r\nMAXTHRAEDS 20\r\n# my note\r\nUSER u\r\n");
    writeFile(path("clean.cfg"), clean);
    writeFile(path("clean.ini"), clean);
    writeFile(path("junk.cfg"), "\x01\x02\x7f\xff\nPK\x03\x04\r\n");
    writeFile(path("one.cfg"), "PK\x03\x04\r\n");
    writeFile(path("tasks.cfg"), dataFile("tasks.ini"));
    writeFile(path("local.ini"), "task C:\\A D:\\B 1 0 1\n");
    QFile::remove(dir_.filePath(QStringLiteral("out.cfg")));

    QProcess cli;
    cli.setWorkingDirectory(dir_.path());
    cli.start(QStringLiteral(PALLWORTH_CLI), args);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), exit);
    QCOMPARE(QString::fromUtf8(cli.readAllStandardError()), err);
    const QString printed = QString::fromUtf8(cli.readAllStandardOutput()).trimmed();
    QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.endsWith(out), qPrintable(printed));
    QCOMPARE(exists(path("out.cfg")), written);
}

void TestCli::helpVersionAndUsage_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out"); // what standard output starts with
    QTest::addColumn<QString>("err");
    // With the offscreen platform for a display; without one by default.
    QTest::addColumn<bool>("display");
    const QString cli = QStringLiteral(PALLWORTH_CLI);
    const QString editor = QStringLiteral(PALLWORTH_EDITOR);
    const QString usage = QStringLiteral(
        " (usage: pallworth-cli normalize [--strict] [--canonical] IN OUT | dump FILE | check "
        "[--all [--json]] "
        "FILE... | diff [--json] A B | schedule FILE | "
        "scramble TEXT | new cfg|ini OUT | resolve PATH... | help [COMMAND] | --help | "
        "--version)\n");
    const auto row = [](const char* name, const QString& program, QStringList args, int exit,
                        const QString& out, const QString& err, bool display = false) {
        QTest::newRow(name) << program << args << exit << out << err << display;
    };
    row("cli --version", cli, {"--version"}, 0,
        QStringLiteral("pallworth-cli " PALLWORTH_VERSION "\n"), {});
    row("cli --help", cli, {"--help"}, 0, QStringLiteral("usage: pallworth-cli COMMAND"), {});
    row("cli -h", cli, {"-h"}, 0, QStringLiteral("usage: pallworth-cli COMMAND"), {});
    row("cli help", cli, {"help"}, 0, QStringLiteral("usage: pallworth-cli COMMAND"), {});
    row("cli help check", cli, {"help", "check"}, 0,
        QStringLiteral("  pallworth-cli check [--all [--json]] FILE...\n"
                       "      Prints each problem that would stop a save of a changed "
                       "configuration (the errors of\n"
                       "      --all) as FILE: MESSAGE; the exit status is 1 when there is one. "
                       "Task files always\n"),
        {});
    row("cli help of no command", cli, {"help", "frob"}, 2, {},
        QStringLiteral("pallworth-cli: no such command: frob") + usage);
    row("cli unknown option", cli, {"--frob"}, 2, {},
        QStringLiteral("pallworth-cli: unknown option: --frob") + usage);
    row("cli unknown option of a command without options", cli, {"scramble", "--frob"}, 2, {},
        QStringLiteral("pallworth-cli: unknown option of scramble: --frob") + usage);
    row("cli a dash operand after --", cli, {"scramble", "--", "--frob"}, 0,
        QString::fromStdString(Scramble("--frob")) + '\n', {});
    row("cli --version with more", cli, {"--version", "x"}, 2, {},
        QStringLiteral("pallworth-cli: --version takes no arguments") + usage);
    row("editor --version", editor, {"--version"}, 0,
        QStringLiteral("pallworth " PALLWORTH_VERSION "\n"), {});
    row("editor --help", editor, {"--help"}, 0, QStringLiteral("usage: pallworth [--help"), {});
    row("editor -h after Qt's options", editor, {"-style", "fusion", "--reverse", "-h"}, 0,
        QStringLiteral("usage: pallworth [--help"), {});
    row("editor --version after a file", editor, {"sync.cfg", "--version"}, 0,
        QStringLiteral("pallworth " PALLWORTH_VERSION "\n"), {});
    const QString editorUsage =
        QStringLiteral(" (usage: pallworth [--help | --version] [QT-OPTION]...)\n");
    row("editor unknown option", editor, {"--bogus"}, 2, {},
        QStringLiteral("pallworth: unknown option: --bogus") + editorUsage);
    row("editor unknown option, with a display", editor, {"--bogus"}, 2, {},
        QStringLiteral("pallworth: unknown option: --bogus") + editorUsage, true);
    row("editor unknown short option after a file", editor, {"sync.cfg", "-x"}, 2, {},
        QStringLiteral("pallworth: unknown option: -x") + editorUsage);
    row("editor Qt's option with a value it does not take", editor, {"-reverse=1"}, 2, {},
        QStringLiteral("pallworth: unknown option: -reverse=1") + editorUsage);
    // A value of Qt's option is no option of its own.
    row("editor Qt's option taking --version", editor, {"-qwindowtitle", "--version", "--frob"}, 2,
        {}, QStringLiteral("pallworth: unknown option: --frob") + editorUsage);
}

void TestCli::helpVersionAndUsage() {
    QFETCH(QString, program);
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QFETCH(bool, display);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), QString());
    env.insert(QStringLiteral("WAYLAND_DISPLAY"), QString());
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (display)
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(program, args);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), exit);
    QCOMPARE(QString::fromUtf8(process.readAllStandardError()), err);
    const QString printed = QString::fromUtf8(process.readAllStandardOutput());
    QVERIFY2(out.isEmpty() ? printed.isEmpty() : printed.startsWith(out), qPrintable(printed));
    if (out.startsWith(QLatin1String("usage: pallworth-cli COMMAND")))
        for (const char* command :
             {"normalize [--strict] [--canonical] IN OUT", "dump FILE",
              "check [--all [--json]] FILE...", "diff [--json] A B", "schedule FILE",
              "scramble TEXT", "new cfg|ini OUT", "resolve PATH...", "help [COMMAND]"})
            QVERIFY2(printed.contains(QLatin1String("\n  pallworth-cli ") + QLatin1String(command) +
                                      QLatin1Char('\n')),
                     command);
}

void TestCli::scheduleThroughTheBinary_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("week")
        << QStringLiteral("week.cfg") << 0
        << QString::fromUtf8(
               "{\"threads\":3,\"window\":{\"start\":\"22:00\",\"end\":\"06:00\"},"
               "\"packages\":[{\"name\":\"Caf\u00e9\",\"days\":[\"MON\",\"FRI\"],"
               "\"daily\":\"02:00\",\"every_hours\":null,\"outside_window\":false,"
               "\"unplaced\":null,\"targets\":[{\"server\":\"B\",\"daily\":\"18:00\","
               "\"every_hours\":null,\"outside_window\":true,\"unplaced\":null}]},"
               "{\"name\":\"Q\",\"days\":[\"SUN\"],\"daily\":null,\"every_hours\":4,"
               "\"outside_window\":false,\"unplaced\":null,\"targets\":[]},"
               "{\"name\":\"R\",\"days\":[\"MON\"],\"daily\":null,\"every_hours\":null,"
               "\"outside_window\":false,\"unplaced\":\"25:99\",\"targets\":[]}],"
               "\"busiest\":[{\"day\":\"MON\",\"hour\":2,\"starts\":1},"
               "{\"day\":\"MON\",\"hour\":18,\"starts\":1},"
               "{\"day\":\"FRI\",\"hour\":2,\"starts\":1},"
               "{\"day\":\"FRI\",\"hour\":18,\"starts\":1}]}\n")
        << QString();
    QTest::newRow("missing file") << QStringLiteral("gone.cfg") << 2 << QString()
                                  << QStringLiteral("pallworth-cli: ");
    QTest::newRow("task file") << QStringLiteral("t.ini") << 2 << QString()
                               << QStringLiteral("pallworth-cli: schedule reads a configuration");
    // What check refuses has no week either.
    QTest::newRow("task file named .cfg")
        << QStringLiteral("t.cfg") << 2 << QString()
        << QStringLiteral("pallworth-cli: t.cfg looks like a task file");
    QTest::newRow("random bytes") << QStringLiteral("noise.cfg") << 2 << QString()
                                  << QStringLiteral("pallworth-cli: noise.cfg does not look like");
}

void TestCli::scheduleThroughTheBinary() {
    QFETCH(QString, file);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QFETCH(QString, err);
    writeFile(path("week.cfg"), "VERSION 1.30\r\nMAXTHREADS 3\r\nSTARTJOB 22:00\r\n"
                                "ENDJOB 06:00\r\nPACKAGE Caf\xe9\r\nSCHEDULE 02:00 FRI MON\r\n"
                                "DEST A V MSGON 0\r\nDEST B V MSGON 0 18:00\r\nPACKAGE END\r\n"
                                "PACKAGE Q\r\nSCHEDULE 4 SUN\r\nPACKAGE END\r\n"
                                "PACKAGE R\r\nSCHEDULE 25:99 MON\r\nPACKAGE END\r\n");
    writeFile(path("t.ini"), dataFile("tasks.ini"));
    writeFile(path("t.cfg"), dataFile("tasks.ini"));
    writeFile(path("noise.cfg"), "\x8f\x11Z\xa0\xe3q\n\x05\xff\x90k\x1b\x7f\n");
    QProcess cli;
    cli.setWorkingDirectory(dir_.path());
    cli.start(QStringLiteral(PALLWORTH_CLI), {QStringLiteral("schedule"), file});
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), exit);
    QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()), out);
    QVERIFY(QString::fromUtf8(cli.readAllStandardError()).startsWith(err));
}

void TestCli::diffThroughTheBinary_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QStringList ab{"diff", "a.cfg", "b.cfg"};
    QTest::newRow("text")
        << ab << 1
        << QString::fromUtf8("Default settings \u203a Max. threads: 12 \u2192 16\n"
                             "package \"Caf\u00e9\" \u203a Target Server(s) \u203a SRV-B2 \u203a "
                             "Bandwidth Limit: 0 \u2192 128\n"
                             "package \"Caf\u00e9\" \u203a line kept as written: added \"# slow "
                             "link\"\n")
        << "";
    QTest::newRow("json")
        << QStringList{"diff", "--json", "a.cfg", "b.cfg"} << 1
        << QString::fromUtf8(
               "{\"kind\":\"changed\",\"place\":\"Default settings \u203a Max. "
               "threads\",\"old\":\"12\",\"new\":\"16\"}\n"
               "{\"kind\":\"changed\",\"place\":\"package \\\"Caf\u00e9\\\" \u203a "
               "Target Server(s) \u203a SRV-B2 \u203a Bandwidth Limit\",\"old\":\"0\","
               "\"new\":\"128\"}\n"
               "{\"kind\":\"kept line\",\"place\":\"package \\\"Caf\u00e9\\\" \u203a "
               "line kept as written\",\"old\":null,\"new\":\"# slow link\"}\n")
        << "";
    QTest::newRow("same file") << QStringList{"diff", "a.cfg", "a.cfg"} << 0 << ""
                               << "";
    QTest::newRow("task files") << QStringList{"diff", "t.ini", "u.ini"} << 1
                                << QString::fromUtf8(
                                       "Default settings \u203a Polling interval: 120 "
                                       "\u2192 300\n")
                                << "";
    QTest::newRow("missing file") << QStringList{"diff", "a.cfg", "gone.cfg"} << 2 << ""
                                  << "pallworth-cli: ";
    QTest::newRow("different kinds") << QStringList{"diff", "a.cfg", "t.ini"} << 2 << ""
                                     << "pallworth-cli: a.cfg and t.ini are not of the same kind\n";
    QTest::newRow("task file named .cfg") << QStringList{"diff", "a.cfg", "t.cfg"} << 2 << ""
                                          << "pallworth-cli: t.cfg looks like a task file";
    QTest::newRow("one file") << QStringList{"diff", "a.cfg"} << 2 << ""
                              << "pallworth-cli: diff takes A and B";
}

void TestCli::diffThroughTheBinary() {
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QFETCH(QString, err);
    const std::string a = "VERSION 1.30\r\nMAXTHREADS 12\r\n\r\nPACKAGE Caf\xe9\r\n"
                          "  SOURCE SRV-MAIN\r\n  DEST SRV-B2 VOL1 MSGOFF 0 TCP 8:00\r\n"
                          "PACKAGE END\r\n";
    std::string b = a;
    b.replace(b.find("12"), 2, "16");
    b.replace(b.find("  DEST"), 0, "# slow link\r\n");
    b.replace(b.find("OFF 0"), 5, "OFF 128");
    writeFile(path("a.cfg"), a);
    writeFile(path("b.cfg"), b);
    const std::string tasks = dataFile("tasks.ini");
    std::string other = tasks;
    other.replace(other.find("pollinterval 120"), 16, "pollinterval 300");
    writeFile(path("t.ini"), tasks);
    writeFile(path("u.ini"), other);
    writeFile(path("t.cfg"), tasks);
    QProcess cli;
    cli.setWorkingDirectory(dir_.path());
    cli.start(QStringLiteral(PALLWORTH_CLI), args);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()), out);
    QCOMPARE(cli.exitCode(), exit);
    const QString printed = QString::fromUtf8(cli.readAllStandardError());
    QVERIFY2(err.isEmpty() ? printed.isEmpty() : printed.startsWith(err), qPrintable(printed));
}

void TestCli::resolveThroughTheBinary_data() {
    QTest::addColumn<QString>("table");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    const QString info = QString::fromStdString(testsupport::dataPath("netbrowse/mountinfo.txt"));
    QTest::newRow("share and bind mount")
        << info << QStringList{"resolve", "/mnt/vol1/Q", "/srv/app/data/Q"} << 0
        << "/mnt/vol1/Q\tsrv1\tvol1:Q\n/srv/app/data/Q\tsrv1\tvol1:sub\\Q\n"
        << "";
    QTest::newRow("a local path") << info << QStringList{"resolve", "/home/alice", "/mnt/vol1"} << 1
                                  << "/home/alice\tlocal\n/mnt/vol1\tsrv1\tvol1:\n"
                                  << "";
    QTest::newRow("network path") << info << QStringList{"resolve", "\\\\srv9\\vol\\A\\B"} << 0
                                  << "\\\\srv9\\vol\\A\\B\tsrv9\tvol:A\\B\n"
                                  << "";
    QTest::newRow("no server to read")
        << info << QStringList{"resolve", "/mnt/9p/A", "/home"} << 2 << "/home\tlocal\n"
        << "pallworth-cli: /mnt/9p/A: The server and share of this network folder cannot be read. "
           "Pick it on a share mounted by server and share name, or under Network.\n";
    QTest::newRow("no mount table")
        << "/nonexistent/mountinfo" << QStringList{"resolve", "/mnt/vol1"} << 2 << ""
        << "pallworth-cli: cannot read the mount table /nonexistent/mountinfo\n";
    QTest::newRow("mount table is a folder")
        << QDir::tempPath() << QStringList{"resolve", "/mnt/vol1"} << 2 << ""
        << "pallworth-cli: cannot read the mount table " + QDir::tempPath() + "\n";
    QTest::newRow("share subfolder, its bind, an nfs bind")
        << info << QStringList{"resolve", "/mnt/sub/Q", "/srv/deeper/Q", "/srv/films/Q"} << 0
        << "/mnt/sub/Q\tfs1\tapps:sub\\Q\n/srv/deeper/Q\tfs1\tapps:sub\\deeper\\Q\n"
           "/srv/films/Q\tnas2\tmedia:Films\\Q\n"
        << "";
    QTest::newRow("non-Western mount point")
        << info << QStringList{"resolve", QStringLiteral("/tmp/Общий/A")} << 0
        << QStringLiteral("/tmp/Общий/A\tfs2\tcommon:A\n") << "";
    QTest::newRow("tab and newline in names")
        << info << QStringList{"resolve", "/mnt/vol1/a\tb", "/mnt/vol1/c\nd"} << 0
        << "/mnt/vol1/a\\tb\tsrv1\tvol1:a\\tb\n/mnt/vol1/c\\nd\tsrv1\tvol1:c\\nd\n"
        << "";
    QTest::newRow("empty argument") << info << QStringList{"resolve", ""} << 2 << ""
                                    << "pallworth-cli: No path was given.\n";
    QTest::newRow("network paths without a server")
        << info << QStringList{"resolve", "\\\\", "\\\\\\x", "\\\\s\\v"} << 2 << "\\\\s\\v\ts\tv:\n"
        << "pallworth-cli: \\\\: The network path \\\\ names no server.\n"
           "pallworth-cli: \\\\\\x: The network path \\\\\\x names no server.\n";
    QTest::newRow("names the engine cannot hold")
        << info << QStringList{"resolve", QStringLiteral("/mnt/vol1/Отчёты"), "/mnt/vol1/x:y"} << 2
        << ""
        << QStringLiteral("pallworth-cli: /mnt/vol1/Отчёты: The path cannot hold the character "
                          "\"О\": Windows-1252 has no such character.\n"
                          "pallworth-cli: /mnt/vol1/x:y: The name \"x:y\" cannot be used: the "
                          "engine reads \":\" in a path as a separator.\n");
}

void TestCli::resolveThroughTheBinary() {
    QFETCH(QString, table);
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QProcess cli;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("PALLWORTH_MOUNTINFO"), table);
    cli.setProcessEnvironment(environment);
    cli.start(QStringLiteral(PALLWORTH_CLI), args);
    QVERIFY(cli.waitForFinished(10000));
    QCOMPARE(cli.exitCode(), exit);
    QCOMPARE(QString::fromUtf8(cli.readAllStandardOutput()), out);
    QCOMPARE(QString::fromUtf8(cli.readAllStandardError()), err);
}

void TestCli::normalizeRefusesTheWrongKind_data() {
    QTest::addColumn<QString>("in");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("refusal"); // empty when it is written
    QTest::newRow("task file named .cfg") << "tasks.cfg"
                                          << "out.cfg"
                                          << "looks like a task file";
    QTest::newRow("in place") << "tasks.cfg"
                              << "tasks.cfg"
                              << "looks like a task file";
    QTest::newRow("junk in place") << "junk.cfg"
                                   << "junk.cfg"
                                   << "does not look like a config";
    QTest::newRow("configuration named .ini") << "conf.ini"
                                              << "conf.ini"
                                              << "looks like a configuration, not a task file";
    QTest::newRow("a .cfg link to a task file") << "link.cfg"
                                                << "link.cfg"
                                                << "";
}

void TestCli::normalizeRefusesTheWrongKind() {
    QFETCH(QString, in);
    QFETCH(QString, out);
    QFETCH(QString, refusal);
    const QStringList files = {"tasks.cfg", "junk.cfg", "conf.ini", "real.ini"};
    for (const QString& name : files)
        QFile::remove(dir_.filePath(name));
    writeFile(path("tasks.cfg"), dataFile("tasks.ini"));
    writeFile(path("junk.cfg"), "\x01\x02\x7f\xff\nPK\x03\x04\r\n");
    writeFile(path("conf.ini"), "VERSION 1.30\r\nUSER u\r\nPWD p\r\n");
    writeFile(path("real.ini"), dataFile("tasks.ini"));
    QFile::link(QStringLiteral("real.ini"), dir_.filePath(QStringLiteral("link.cfg")));
    QHash<QString, QByteArray> before;
    for (const QString& name : files)
        before.insert(name, fileBytes(dir_.filePath(name)));

    const Run r = cli({"normalize", path(qPrintable(in)), path(qPrintable(out))});
    if (refusal.isEmpty()) {
        QCOMPARE(r.exit, 0);
        QVERIFY(QFileInfo(dir_.filePath(out)).isSymLink());
        QCOMPARE(cli({"normalize", dataPath("tasks.ini"), path("expected.ini")}).exit, 0);
        QCOMPARE(fileBytes(dir_.filePath(QStringLiteral("real.ini"))),
                 fileBytes(dir_.filePath(QStringLiteral("expected.ini"))));
        // Every command takes the link for a task file.
        QCOMPARE(cli({"check", "--all", path("link.cfg")}).exit, 0);
        QVERIFY(cli({"dump", path("link.cfg")}).out.starts_with("{\"kind\":\"ini\""));
        return;
    }
    QCOMPARE(r.exit, 2);
    QCOMPARE(std::count(r.err.begin(), r.err.end(), '\n'), 1L);
    QVERIFY2(QString::fromStdString(r.err).contains(refusal), r.err.c_str());
    QVERIFY(!exists(path("out.cfg")));
    for (const QString& name : files)
        QCOMPARE(fileBytes(dir_.filePath(name)), before.value(name));
}

void TestCli::jsonNamesStayValid_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("escaped");
    QTest::addColumn<QString>("decoded");
    const QString bad(QChar(0xFFFD));
    QTest::newRow("Windows-1252") << QByteArray("caf\xe9.cfg") << QByteArray("caf\\ufffd.cfg")
                                  << "caf" + bad + ".cfg";
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9.cfg") << QByteArray("caf\xc3\xa9.cfg")
                           << QString::fromUtf8("caf\u00e9.cfg");
    QTest::newRow("four bytes") << QByteArray("\xf0\x9f\x98\x80.cfg")
                                << QByteArray("\xf0\x9f\x98\x80.cfg")
                                << QString::fromUtf8("\U0001F600.cfg");
    QTest::newRow("cut sequence") << QByteArray("\xe2\x82.cfg") << QByteArray("\\ufffd\\ufffd.cfg")
                                  << bad + bad + ".cfg";
    QTest::newRow("overlong") << QByteArray("\xc0\xaf.cfg") << QByteArray("\\ufffd\\ufffd.cfg")
                              << bad + bad + ".cfg";
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80.cfg")
                               << QByteArray("\\ufffd\\ufffd\\ufffd.cfg")
                               << bad + bad + bad + ".cfg";
}

void TestCli::jsonNamesStayValid() {
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, escaped);
    QFETCH(QString, decoded);
    const std::string folder = QFile::encodeName(dir_.path()).toStdString() + '/';
    const std::string file = folder + name.toStdString();
    // QTemporaryDir cannot remove a name that is not UTF-8.
    const auto removed = qScopeGuard([&] { ::unlink(file.c_str()); });
    writeFile(file, "VERSION 1.30\r\nUSER u\r\nPWD p\r\n");
    const Run r = cli({"check", "--all", "--json", file});
    QCOMPARE(r.exit, 0);
    QVERIFY2(r.out.starts_with("{\"file\":\"" + folder + escaped.toStdString() + "\","),
             r.out.c_str());
    QCOMPARE(parseJson(r.out).value(QLatin1String("file")).toString(),
             QString::fromStdString(folder) + decoded);
}

void TestCli::newFilesHonourTheUmask_data() {
    QTest::addColumn<bool>("normalize"); // or new
    QTest::addColumn<uint>("inMode");
    QTest::addColumn<uint>("mask");
    QTest::addColumn<uint>("outMode");
    QTest::newRow("normalize, open to all") << true << 0777u << 022u << 0755u;
    QTest::newRow("normalize, group") << true << 0640u << 022u << 0640u;
    QTest::newRow("normalize, private umask") << true << 0666u << 077u << 0600u;
    QTest::newRow("new") << false << 0600u << 022u << 0600u;
    QTest::newRow("new, read-only umask") << false << 0600u << 0277u << 0400u;
}

void TestCli::newFilesHonourTheUmask() {
    QFETCH(bool, normalize);
    QFETCH(uint, inMode);
    QFETCH(uint, mask);
    QFETCH(uint, outMode);
    QFile::remove(dir_.filePath(QStringLiteral("out.cfg")));
    QFile::remove(dir_.filePath(QStringLiteral("in.cfg")));
    writeFile(path("in.cfg"), "VERSION 1.30\r\nUSER u\r\nPWD p\r\n");
    QCOMPARE(::chmod(path("in.cfg").c_str(), inMode), 0);
    const mode_t old = ::umask(mask);
    const Run r = normalize ? cli({"normalize", path("in.cfg"), path("out.cfg")})
                            : cli({"new", "cfg", path("out.cfg")});
    ::umask(old);
    QCOMPARE(r.exit, 0);
    struct stat info {};
    QCOMPARE(::stat(path("out.cfg").c_str(), &info), 0);
    QCOMPARE(uint(info.st_mode & 07777), outMode);
}

void TestCli::limitsAndOptionsThroughTheBinary_data() {
    QTest::addColumn<QString>("sizeLimit"); // for ulimit -f
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exit");
    QTest::addColumn<QString>("out"); // what standard output starts with
    QTest::addColumn<QString>("err"); // what standard error starts with; empty for nothing
    const QString unlimited = QStringLiteral("unlimited");
    QTest::newRow("output past the file-size limit")
        << "1" << QStringList{"dump", "rich.cfg"} << 2 << ""
        << "pallworth-cli: cannot write to standard output\n";
    QTest::newRow("1 GiB of NUL bytes")
        << unlimited << QStringList{"dump", "zeros.cfg"} << 2 << ""
        << "pallworth-cli: Cannot read \"zeros.cfg\": it is not a text file\n";
    QTest::newRow("-- before a file named --all.cfg")
        << unlimited << QStringList{"check", "--all", "--", "--all.cfg"} << 0
        << "--all.cfg:3: warning: The stored password"
        << "";
    QTest::newRow("an option after -- is a file")
        << unlimited << QStringList{"check", "--", "--all"} << 2 << ""
        << "pallworth-cli: the file kind of --all is not known";
    QTest::newRow("-- before -x.cfg")
        << unlimited << QStringList{"dump", "--", "-x.cfg"} << 0 << "{\"kind\":\"cfg\""
        << "";
    QTest::newRow("normalize --strict --")
        << unlimited << QStringList{"normalize", "--strict", "--", "-x.cfg", "--strict.cfg"} << 0
        << ""
        << "";
    QTest::newRow("new --") << unlimited << QStringList{"new", "--", "cfg", "-n.cfg"} << 0 << ""
                            << "";
}

void TestCli::limitsAndOptionsThroughTheBinary() {
    QFETCH(QString, sizeLimit);
    QFETCH(QStringList, args);
    QFETCH(int, exit);
    QFETCH(QString, out);
    QFETCH(QString, err);
    writeFile(path("rich.cfg"), dataFile("rich-1.10.cfg"));
    writeFile(path("--all.cfg"), "VERSION 1.30\r\nUSER u\r\nPWD p\r\n");
    writeFile(path("-x.cfg"), "VERSION 1.30\r\nUSER u\r\nPWD p\r\n");
    QFile zeros(dir_.filePath(QStringLiteral("zeros.cfg")));
    QVERIFY(zeros.open(QIODevice::WriteOnly) && zeros.resize(qint64(1) << 30));
    zeros.close();
    QProcess cli;
    cli.setWorkingDirectory(dir_.path());
    cli.setStandardOutputFile(dir_.filePath(QStringLiteral("stdout.txt")));
    QElapsedTimer clock;
    clock.start();
    cli.start(QStringLiteral("/bin/sh"),
              QStringList{"-c", "ulimit -f \"$0\" && exec \"$@\"", sizeLimit, PALLWORTH_CLI} +
                  args);
    QVERIFY(cli.waitForFinished(10000));
    qInfo("ended in %lld ms", clock.elapsed());
    QCOMPARE(cli.exitStatus(), QProcess::NormalExit);
    QCOMPARE(cli.exitCode(), exit);
    const QString printed = QString::fromUtf8(cli.readAllStandardError());
    QVERIFY2(err.isEmpty() ? printed.isEmpty() : printed.startsWith(err), qPrintable(printed));
    const QByteArray written = fileBytes(dir_.filePath(QStringLiteral("stdout.txt")));
    QVERIFY2(written.startsWith(out.toUtf8()), written.constData());
    if (args.contains(QStringLiteral("zeros.cfg")))
        QVERIFY(clock.elapsed() < 1000);
    if (args.size() == 5 || args.contains(QStringLiteral("-n.cfg")))
        QVERIFY(exists(path(qPrintable(args.last()))));
}

void TestCli::stoppedSaveWarnsUntilDealtWith() {
    const std::string target = path("stopped.cfg");
    writeFile(target, dataFile("rich-1.30.expected.cfg"));
    QCOMPARE(::link(target.c_str(), path("twin.cfg").c_str()), 0);
    const Run before = cli({"check", target});
    QVERIFY(saveKilledAt(target, dataFile("rich-1.10.expected.cfg"), FileStore::Stage::Writing, 1));
    const std::string backup = StoppedSave::find(target);
    QVERIFY(!backup.empty());
    const std::string warning = target +
                                ": warning: the file was being saved when the save was stopped; "
                                "the old content is in \"" +
                                backup + "\" (move it over the file to restore it, or remove it)\n";
    for (const std::vector<std::string>& args : {std::vector<std::string>{"check", target},
                                                 {"check", "--all", target},
                                                 {"check", "--all", "--json", target},
                                                 {"dump", target}}) {
        const Run r = cli(args);
        QCOMPARE(r.exit, args[0] == "dump" ? 0 : 1);
        QCOMPARE(r.err, warning);
    }
    // A save through the other name neither hides nor removes it.
    const Run over = cli({"normalize", target, target});
    QCOMPARE(over.exit, 0);
    QCOMPARE(over.err, warning);
    QCOMPARE(cli({"check", target}).exit, 1);

    QCOMPARE(::rename(backup.c_str(), target.c_str()), 0);
    const Run after = cli({"check", target});
    QCOMPARE(after.exit, before.exit);
    QCOMPARE(after.err, before.err);
}

namespace {

// What `schedule` could not place, as "PACKAGE: WORD", from its JSON.
QStringList unplacedWords(const QJsonObject& week) {
    QStringList words;
    for (const QJsonValue package : week[QLatin1String("packages")].toArray()) {
        const QJsonObject p = package.toObject();
        const QString name = p[QLatin1String("name")].toString();
        QList<QJsonObject> timings{p};
        for (const QJsonValue target : p[QLatin1String("targets")].toArray())
            timings << target.toObject();
        for (const QJsonObject& t : timings)
            if (!t[QLatin1String("unplaced")].isNull())
                words << name + QLatin1String(": ") + t[QLatin1String("unplaced")].toString();
    }
    return words;
}

// The schedule words `check --all` warns about, in the same form.
QStringList warnedWords(const QJsonObject& checked) {
    static const QRegularExpression word(
        QStringLiteral("^(?:Schedule|Start) \"(.*)\" is neither a time|^Package .* has no "
                       "schedule()"));
    QStringList words;
    for (const QJsonValue problem : checked[QLatin1String("problems")].toArray()) {
        const QJsonObject p = problem.toObject();
        const QRegularExpressionMatch m = word.match(p[QLatin1String("message")].toString());
        if (!m.hasMatch())
            continue;
        const QString node = p[QLatin1String("node")].toString();
        const QString package = node.mid(8, node.indexOf(QStringLiteral(" \u203a")) - 8);
        words << package + QLatin1String(": ") + m.captured(1) + m.captured(2);
    }
    return words;
}

} // namespace

// One rule set: check fails on exactly the errors of --all, and --all warns
// about exactly the schedule words the week cannot place.
void TestCli::checksAndScheduleAgree_data() {
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray head = "# Sync for the branch offices\r\nVERSION 1.30\r\nUSER admin\r\n"
                            "PWD " +
                            QByteArray(80, 'c') + "\r\nMAXTHREADS 20\r\n";
    const auto package = [](const char* name, const QByteArray& lines) {
        return "\r\nPACKAGE " + QByteArray(name) + "\r\n  SOURCE FS1\r\n" + lines +
               "PACKAGE END\r\n";
    };
    const QByteArray dest = "  DEST SRV2 VOL1 MSGON 0\r\n";
    QTest::newRow("clean") << head + package("Daily", "  SCHEDULE 22:30 MON FRI\r\n" + dest);
    QTest::newRow("target without volume")
        << head + package("P", "  SCHEDULE 4 SUN\r\n  DEST SRV3\r\n");
    QTest::newRow("target names that split")
        << head + package("P", "  SCHEDULE 4 SUN\r\n  DEST SRV3 VOL1,X MSGON 0\r\n");
    QTest::newRow("no SCHEDULE line") << head + package("P", dest);
    QTest::newRow("schedule words") << head + package("Plus", "  SCHEDULE +4 MON\r\n" + dest) +
                                           package("Big", "  SCHEDULE 10000 MON\r\n" + dest) +
                                           package("Most", "  SCHEDULE 9999 MON\r\n" + dest) +
                                           package("Zero", "  SCHEDULE 0 MON\r\n" + dest) +
                                           package("Late", "  SCHEDULE 24:00 MON\r\n" + dest) +
                                           package("Short", "  SCHEDULE 8:00 MON\r\n" + dest) +
                                           package("Lead", "  SCHEDULE 0012 MON\r\n" + dest) +
                                           package("Words", "  SCHEDULE abc MON\r\n" + dest);
    QTest::newRow("target schedules")
        << head + package("T", "  SCHEDULE 08:00 MON\r\n  DEST A VOL1 MSGON 0 TCP 25:99\r\n"
                               "  DEST B VOL1 MSGON 0 06:00\r\n  DEST C VOL1 MSGON 0 -2\r\n");
    QTest::newRow("no user, no source")
        << "VERSION 1.30\r\nPACKAGE P\r\n  SCHEDULE 12 MON\r\n" + dest + "PACKAGE END\r\n";
    QTest::newRow("newer version")
        << "VERSION 1.40\r\nUSER a\r\nPWD x\r\nPACKAGE P\r\n  SOURCE S\r\n" + dest +
               "PACKAGE END\r\n";
    QTest::newRow("old targets under 1.25")
        << "VERSION 1.25\r\nUSER a\r\nPWD x\r\nPACKAGE P\r\n  SOURCE S\r\n  SCHEDULE 2 SUN\r\n" +
               dest + "PACKAGE END\r\n";
    QTest::newRow("rich") << QByteArray::fromStdString(dataFile("rich-1.30.cfg"));
    QTest::newRow("hand-written") << QByteArray::fromStdString(dataFile("handwritten-1.30.cfg"));
}

void TestCli::checksAndScheduleAgree() {
    QFETCH(QByteArray, bytes);
    const std::string file = path("sync.cfg");
    writeFile(file, bytes.toStdString());
    const Run check = cli({"check", file});
    const Run all = cli({"check", "--all", "--json", file});
    QCOMPARE(check.exit, all.exit);
    QStringList errors;
    const QJsonObject checked = parseJson(all.out);
    for (const QJsonValue problem : checked[QLatin1String("problems")].toArray())
        if (problem[QLatin1String("severity")].toString() == QLatin1String("error"))
            errors << QString::fromStdString(file) + QLatin1String(": ") +
                          problem[QLatin1String("message")].toString() + QLatin1Char('\n');
    QCOMPARE(QString::fromStdString(check.out), errors.join(QString()));

    const Run week = cli({"schedule", file});
    QCOMPARE(week.exit, 0);
    QStringList unplaced = unplacedWords(parseJson(week.out));
    QStringList warned = warnedWords(checked);
    unplaced.sort();
    warned.sort();
    QCOMPARE(warned, unplaced);
}

// The README's hook, on a real repository: the staged content counts, a
// name with a blank included.
void TestCli::preCommitHookChecksWhatIsStaged() {
    const QString hook = QStringLiteral(PALLWORTH_SOURCE "/scripts/pre-commit");
    const QByteArray script = fileBytes(hook);
    QVERIFY(!script.isEmpty());
    QVERIFY2(fileBytes(QStringLiteral(PALLWORTH_SOURCE "/README.md")).contains(script),
             "the README shows the hook as it is shipped");
    QTemporaryDir repo;
    const auto git = [&](const QStringList& args, int* exit = nullptr) {
        QProcess p;
        p.setWorkingDirectory(repo.path());
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("PATH"), QFileInfo(QStringLiteral(PALLWORTH_CLI)).path() +
                                               QLatin1Char(':') +
                                               env.value(QStringLiteral("PATH")));
        for (const char* name : {"GIT_AUTHOR_NAME", "GIT_COMMITTER_NAME"})
            env.insert(QLatin1String(name), QStringLiteral("T"));
        for (const char* name : {"GIT_AUTHOR_EMAIL", "GIT_COMMITTER_EMAIL"})
            env.insert(QLatin1String(name), QStringLiteral("t@example.org"));
        p.setProcessEnvironment(env);
        p.start(QStringLiteral("git"), args);
        p.waitForFinished(30000);
        if (exit != nullptr)
            *exit = p.exitCode();
        return QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    };
    git({QStringLiteral("init"), QStringLiteral("-q")});
    QVERIFY(QFile::copy(hook, repo.filePath(QStringLiteral(".git/hooks/pre-commit"))));
    QVERIFY(QDir(repo.path()).mkpath(QStringLiteral("sites/north east")));
    const std::string name = "sites/north east/branch sync.cfg";
    const std::string file = repo.filePath(QString::fromStdString(name)).toStdString();
    const std::string good = "VERSION 1.30\r\nUSER admin\r\nPWD " + std::string(80, 'c') +
                             "\r\nMAXTHREADS 500\r\nPACKAGE P\r\n  SOURCE FS1\r\n"
                             "  SCHEDULE 4 SUN\r\n  DEST SRV2 VOL1 MSGON 0\r\nPACKAGE END\r\n";
    writeFile(file, "VERSION 1.30\r\nPACKAGE P\r\nPACKAGE END\r\n");
    git({QStringLiteral("add"), QStringLiteral(".")});
    // The working copy is fine, what is staged is not: the commit is refused.
    writeFile(file, good);
    int exit = 0;
    QString out =
        git({QStringLiteral("commit"), QStringLiteral("-qm"), QStringLiteral("x")}, &exit);
    QCOMPARE(exit, 1);
    QVERIFY2(out.contains(QString::fromStdString(name + ": error: Please specify a username")),
             qPrintable(out));
    // Staged and fine but for a warning, named by its place in the repository.
    git({QStringLiteral("add"), QStringLiteral(".")});
    out = git({QStringLiteral("commit"), QStringLiteral("-qm"), QStringLiteral("x")}, &exit);
    QCOMPARE(exit, 0);
    QVERIFY2(out.contains(QString::fromStdString(
                 name + ":4: warning: Max. threads \"500\" is outside 1-100")),
             qPrintable(out));
}

QTEST_GUILESS_MAIN(TestCli)
#include "tst_cli.moc"
