#include "TestSupport.h"

#include "config/ReadBackChecks.h"
#include "config/Scramble.h"

#include <QTest>

using namespace testsupport;

class TestConfigReader : public QObject {
    Q_OBJECT

private slots:
    void commentsOnlyGiveReadDefaults();
    void packageAndApplicationBlocks();
    void packageKeywordFlipsWhateverFollows();
    void passwordByVersion_data();
    void passwordByVersion();
    void destLayouts_data();
    void destLayouts();
    void destUnderUnknownVersionIsSkippedAndNoted();
    void newerVersionFlag();
    void quotedValues();
    void commandFilesBySide();
    void openFileHandler();
    void jobModesBeforeQuotes_data();
    void jobModesBeforeQuotes();
    void jobWindowFromTimes_data();
    void jobWindowFromTimes();
    void wordListsAccumulate();
    void packageDefaultsIgnoreGlobals();
    void tokenising();
    void lineEndings();
    void longLinesReadWhole();
    void binaryJunkDoesNotCrash();
    void capacityRefusedWithMessage_data();
    void capacityRefusedWithMessage();
    void pathsConvertedFromOem();
    void applicationKeywordInsidePackage();
};

void TestConfigReader::commentsOnlyGiveReadDefaults() {
    const ConfigModel m = readConfig("# a comment\r\n\r\n   ; another\r\n\t\r\n");
    QCOMPARE(m.packages.count(), 0);
    QCOMPARE(m.applications.count(), 0);
    QCOMPARE(m.global.version, std::string("1.30"));
    QCOMPARE(m.global.jobWindow, std::string("DISABLED"));
    QCOMPARE(m.global.logEvent, std::string());
    QCOMPARE(m.global.maxThreads, std::string("12"));
    QCOMPARE(m.global.skipReadOnly, std::string("YES"));
    QCOMPARE(m.global.debug, std::string("NO"));
    QCOMPARE(m.global.passwordMask, std::string());
    QVERIFY(!m.newerVersion);
}

void TestConfigReader::packageAndApplicationBlocks() {
    const ConfigModel m = readConfig(cfg("1.30", "package  Sales Servers \r\n"
                                                 "  SOURCE srv1\r\n"
                                                 "PACKAGE END\r\n"
                                                 "APPLICATION   Word Pro  \r\n"
                                                 "  APP_SERVER srv2\r\n"
                                                 "  DST_SERVER srv3\r\n"
                                                 "  DST_PACKAGE Sales\r\n"
                                                 "  SOURCE ignored\r\n"
                                                 "APPLICATION END\r\n"
                                                 "USER admin other\r\n"));
    QCOMPARE(m.packages.count(), 1);
    QCOMPARE(m.packages.at(1).name, std::string("Sales Servers"));
    QCOMPARE(m.packages.at(1).source, std::string("SRV1"));
    QCOMPARE(m.applications.count(), 1);
    const ApplicationDesc& app = m.applications.at(1);
    QCOMPARE(app.name, std::string("Word Pro"));
    QCOMPARE(app.appServer, std::string("SRV2"));
    QCOMPARE(app.dstServers, std::string("srv3 "));
    QCOMPARE(app.dstPackages, std::string("Sales "));
    QCOMPARE(m.global.user, std::string("admin"));
    QVERIFY(m.packages.at(1).id != app.id);
}

void TestConfigReader::packageKeywordFlipsWhateverFollows() {
    // A PACKAGE line while none is open opens one, whatever its text; any
    // PACKAGE line while one is open closes it. A file may end inside a block.
    const ConfigModel m = readConfig("PACKAGE END\r\nSOURCE a\r\nPACKAGE Next\r\nSOURCE b\r\n"
                                     "PACKAGE\r\nSOURCE c\r\n");
    QCOMPARE(m.packages.count(), 2);
    QCOMPARE(m.packages.at(1).name, std::string("END"));
    QCOMPARE(m.packages.at(1).source, std::string("A"));
    QCOMPARE(m.packages.at(2).name, std::string());
    QCOMPARE(m.packages.at(2).source, std::string("C"));
}

void TestConfigReader::passwordByVersion_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<bool>("scrambled");
    QTest::newRow("1.10 plain") << QStringLiteral("1.10") << true;
    QTest::newRow("1.20 plain") << QStringLiteral("1.20") << true;
    QTest::newRow("1.22 stored") << QStringLiteral("1.22") << false;
    QTest::newRow("1.30 stored") << QStringLiteral("1.30") << false;
}

void TestConfigReader::passwordByVersion() {
    QFETCH(QString, version);
    QFETCH(bool, scrambled);
    const ConfigModel m = readConfig(cfg(version.toStdString(), "PWD secret\r\n"));
    QCOMPARE(m.password, scrambled ? Scramble("secret") : std::string("secret"));
    QCOMPARE(m.global.passwordMask, std::string("****"));
    QCOMPARE(m.global.version, std::string("1.30"));
    // "PWD " is how a missing password is written: nothing to mask, unless
    // an old file's empty plain password was scrambled.
    QCOMPARE(readConfig(cfg(version.toStdString(), "PWD \r\n")).global.passwordMask,
             std::string(scrambled ? "****" : ""));
}

void TestConfigReader::destLayouts_data() {
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("expected"); // server volume msg schedule bandwidth protocol
    const auto row = [](const char* name, const char* v, const char* line, QStringList e) {
        QTest::newRow(name) << QString::fromLatin1(v) << QString::fromLatin1(line) << e;
    };
    row("1.30 protocol and schedule", "1.30", "DEST srv1 VOL1 MSGON 0 TCP 08:00",
        {"SRV1", "VOL1", "ON", "08:00", "0", "TCP"});
    row("1.30 schedule only", "1.30", "DEST srv1 VOL1 MSGOFF 64 4",
        {"SRV1", "VOL1", "OFF", "4", "64", "(default)"});
    row("1.30 protocol is case-sensitive", "1.30", "DEST srv1 VOL1 MSGOFF 64 tcp",
        {"SRV1", "VOL1", "OFF", "tcp", "64", "(default)"});
    row("1.30 protocol only", "1.30", "DEST srv1 VOL1 MSGON 0 IPX",
        {"SRV1", "VOL1", "ON", "", "0", "IPX"});
    row("1.30 bare", "1.30", "DEST srv1 VOL1 MSGON 0",
        {"SRV1", "VOL1", "ON", "", "0", "(default)"});
    row("1.22 no protocol", "1.22", "DEST s v MSGON 16 UDP",
        {"S", "v", "ON", "UDP", "16", "(default)"});
    row("1.20", "1.20", "DEST s v MSGOFF 16 12:00", {"S", "v", "OFF", "12:00", "16", "(default)"});
    row("1.10 schedule only", "1.10", "DEST SRV1 VOL1 MSGON 12:30",
        {"SRV1", "VOL1", "ON", "12:30", "0", "(default)"});
    row("short flag gives empty msg", "1.30", "DEST s v MS 5",
        {"S", "v", "", "", "5", "(default)"});
    row("no arguments", "1.30", "DEST", {"", "", "", "", "", "(default)"});
    // An empty volume is written as nothing before the flag.
    row("1.30 empty volume as written", "1.30", "DEST SRV7  MSGON 0 TCP",
        {"SRV7", "", "ON", "", "0", "TCP"});
    row("empty volume and flag as written", "1.30", "DEST SRV7  MSG ",
        {"SRV7", "", "", "", "", "(default)"});
    row("1.10 empty volume", "1.10", "DEST S MSGON 12:30",
        {"S", "", "ON", "12:30", "0", "(default)"});
    row("volume that starts like a flag", "1.30", "DEST s MSGVOL MSGOFF 8 4",
        {"S", "MSGVOL", "OFF", "4", "8", "(default)"});
}

void TestConfigReader::destLayouts() {
    QFETCH(QString, version);
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    const ConfigModel m =
        readConfig(cfg(version.toStdString(), "PACKAGE P\r\n  " + line.toStdString() + "\r\n"));
    QCOMPARE(m.packages.at(1).targets.count(), 1);
    const TargetServer& t = m.packages.at(1).targets.at(1);
    QCOMPARE(t.server(), expected[0].toStdString());
    QCOMPARE(t.volume(), expected[1].toStdString());
    QCOMPARE(t.msg(), expected[2].toStdString());
    QCOMPARE(t.schedule(), expected[3].toStdString());
    QCOMPARE(t.bandwidth(), expected[4].toStdString());
    QCOMPARE(t.protocol(), expected[5].toStdString());
    QCOMPARE(m.skippedDestLines, 0);
}

void TestConfigReader::destUnderUnknownVersionIsSkippedAndNoted() {
    const ConfigModel m =
        readConfig(cfg("2.0", "PACKAGE P\r\nDEST a b MSGON 0\r\nDEST c d MSGON 0\r\n"
                              "PACKAGE END\r\nVERSION 1.30\r\nPACKAGE Q\r\n"
                              "DEST e f MSGON 0\r\n"));
    QCOMPARE(m.packages.at(1).targets.count(), 0);
    QCOMPARE(m.packages.at(2).targets.count(), 1);
    QCOMPARE(m.skippedDestLines, 2);
    QCOMPARE(m.skippedDestVersion, std::string("2.0"));
    QVERIFY(!m.newerVersion); // no PWD line
}

void TestConfigReader::newerVersionFlag() {
    const ConfigModel newer = readConfig(cfg("1.40", "PWD x\r\nPACKAGE P\r\nDEST a b MSGON 0\r\n"));
    QVERIFY(newer.newerVersion);
    QCOMPARE(newer.packages.at(1).targets.count(), 0);
    QCOMPARE(newer.global.version, std::string("1.30"));
    // The flag depends on the version in force when PWD is read.
    QVERIFY(!readConfig("PWD x\r\nVERSION 1.40\r\n").newerVersion);
    QVERIFY(!readConfig(cfg("1.30", "PWD x\r\n")).newerVersion);
}

void TestConfigReader::quotedValues() {
    const ConfigModel m = readConfig(cfg("1.30", "LOGDIR \"SYS:\\LOG DIR\\\" trailing\r\n"
                                                 "PACKAGE P\r\n"
                                                 "SYNCDIR ALL NODEL \"SYS:\\A B\" \"VOL1:\\C\"\r\n"
                                                 "SYNCFILE NEW DEL \"SYS:\\F.TXT\"\r\n"
                                                 "PREMSG \"Going down, save now\r\n"
                                                 "POSTMSG \"done\" \"ignored\"\r\n"
                                                 "EXCLUDE SYS:\\NOQUOTES\r\n"));
    QCOMPARE(m.global.logDir, std::string("SYS:\\LOG DIR\\"));
    const PackageDesc& p = m.packages.at(1);
    QCOMPARE(p.dirJobs.count(), 1);
    QCOMPARE(p.dirJobs.at(1).transferMode(), std::string_view("ALL"));
    QCOMPARE(p.dirJobs.at(1).deletions(), std::string_view("NODEL"));
    QCOMPARE(p.dirJobs.at(1).sourcePath(), std::string_view("SYS:\\A B"));
    QCOMPARE(p.dirJobs.at(1).targetPath(), std::string_view("VOL1:\\C"));
    QCOMPARE(p.fileJobs.at(1).sourcePath(), std::string_view("SYS:\\F.TXT"));
    QCOMPARE(p.fileJobs.at(1).targetPath(), std::string_view());
    QCOMPARE(p.preMsg, std::string()); // no closing quote
    QCOMPARE(p.postMsg, std::string("done"));
    QCOMPARE(p.excludes.count(), 1);
    QCOMPARE(p.excludes.at(1), std::string());
}

void TestConfigReader::commandFilesBySide() {
    const ConfigModel m = readConfig(cfg("1.30", "PACKAGE P\r\n"
                                                 "PRENCF dSt \"pre-dst\"\r\n"
                                                 "PRENCF SRC \"pre-src\"\r\n"
                                                 "POSTNCF DST \"post-dst\"\r\n"
                                                 "POSTNCF whatever \"post-src\"\r\n"
                                                 "SUSPENDNCF dst \"sus-dst\"\r\n"
                                                 "SUSPENDNCF \"sus-src\"\r\n"));
    const PackageDesc& p = m.packages.at(1);
    QCOMPARE(p.preNcfDst, std::string("pre-dst"));
    QCOMPARE(p.preNcfSrc, std::string("pre-src"));
    QCOMPARE(p.postNcfDst, std::string("post-dst"));
    QCOMPARE(p.postNcfSrc, std::string("post-src"));
    QCOMPARE(p.suspendNcfDst, std::string("sus-dst"));
    QCOMPARE(p.suspendNcfSrc, std::string("sus-src"));
}

void TestConfigReader::openFileHandler() {
    const auto delayOf = [](const char* line) {
        const ConfigModel m = readConfig(std::string("PACKAGE P\r\n") + line + "\r\n");
        return m.packages.at(1).ofHandlerDelay;
    };
    const ConfigModel m = readConfig("PACKAGE P\r\nOFHANDLER alert 60\r\n");
    QCOMPARE(m.packages.at(1).ofHandler, std::string("ALERT"));
    QCOMPARE(delayOf("OFHANDLER alert 60"), 60);
    QCOMPARE(delayOf("OFHANDLER SKIP"), 0);
    // OFF and SKIP are written without a delay, so they hold none.
    QCOMPARE(delayOf("OFHANDLER CLEAR 60\r\nOFHANDLER SKIP"), 0);
    QCOMPARE(delayOf("OFHANDLER OFF 60"), 0);
    QCOMPARE(delayOf("OFHANDLER CLEAR 60\r\nOFHANDLER ALERT"), 60); // no second argument: kept
    QCOMPARE(delayOf("OFHANDLER CLEAR -15s"), -15);
    QCOMPARE(delayOf("OFHANDLER CLEAR +7"), 7);
    QCOMPARE(delayOf("OFHANDLER CLEAR x5"), 0);
    QCOMPARE(delayOf("OFHANDLER CLEAR 99999999999999999999"), 2147483647);
    QCOMPARE(delayOf("OFHANDLER CLEAR -99999999999999999999"), -2147483647 - 1);
    // The delay alone is how an empty method is written.
    const auto methodOf = [](const char* line) {
        const ConfigModel m = readConfig(std::string("PACKAGE P\r\n") + line + "\r\n");
        return m.packages.at(1).ofHandler;
    };
    QCOMPARE(methodOf("  OFHANDLER  0"), std::string());
    QCOMPARE(delayOf("  OFHANDLER  -5"), -5);
    QCOMPARE(methodOf("OFHANDLER ALERT 60\r\nOFHANDLER 45"), std::string());
    QCOMPARE(delayOf("OFHANDLER ALERT 60\r\nOFHANDLER 45"), 45);
    QCOMPARE(methodOf("OFHANDLER 60 5"), std::string("60")); // a method with a delay stays one
    QCOMPARE(methodOf("OFHANDLER 99999999999"), std::string("99999999999"));
}

void TestConfigReader::jobModesBeforeQuotes_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("expected"); // mode, deletions, source, target
    QTest::newRow("both") << QStringLiteral("SYNCDIR all NODEL \"S:\\A B\" \"V:\\C\"")
                          << QStringList({"all", "NODEL", "S:\\A B", "V:\\C"});
    QTest::newRow("empty modes as written")
        << QStringLiteral("  SYNCDIR   \"\" \"\"") << QStringList({"", "", "", ""});
    QTest::newRow("no modes") << QStringLiteral("SYNCFILE \"S:\\A\" \"V:\\B\"")
                              << QStringList({"", "", "S:\\A", "V:\\B"});
    QTest::newRow("mode only") << QStringLiteral("SYNCDIR ALL  \"S:A\" \"V:B\"")
                               << QStringList({"ALL", "", "S:A", "V:B"});
    QTest::newRow("quote inside a mode") << QStringLiteral("SYNCDIR ALL NO\"DEL \"S:A\" \"V\"")
                                         << QStringList({"ALL", "", "DEL ", " "});
    QTest::newRow("no quotes") << QStringLiteral("SYNCDIR NEW DEL")
                               << QStringList({"NEW", "DEL", "", ""});
}

void TestConfigReader::jobModesBeforeQuotes() {
    QFETCH(QString, line);
    QFETCH(QStringList, expected);
    const ConfigModel m = readConfig("PACKAGE P\r\n" + line.toStdString() + "\r\n");
    const PackageDesc& p = m.packages.at(1);
    const SyncJob& job = p.dirJobs.empty() ? p.fileJobs.at(1) : p.dirJobs.at(1);
    QCOMPARE(QStringList({QString::fromStdString(std::string(job.transferMode())),
                          QString::fromStdString(std::string(job.deletions())),
                          QString::fromStdString(std::string(job.sourcePath())),
                          QString::fromStdString(std::string(job.targetPath()))}),
             expected);
}

void TestConfigReader::jobWindowFromTimes_data() {
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("window");
    QTest::newRow("start only") << QStringLiteral("08:00") << QStringLiteral("00:00")
                                << QStringLiteral("08:00-00:00");
    QTest::newRow("both midnight")
        << QStringLiteral("00:00") << QStringLiteral("00:00") << QStringLiteral("DISABLED");
    QTest::newRow("window") << QStringLiteral("08:00") << QStringLiteral("17:00")
                            << QStringLiteral("08:00-17:00");
}

void TestConfigReader::jobWindowFromTimes() {
    QFETCH(QString, start);
    QFETCH(QString, end);
    QFETCH(QString, window);
    const ConfigModel m =
        readConfig("STARTJOB " + start.toStdString() + "\r\nENDJOB " + end.toStdString() + "\r\n");
    QCOMPARE(m.global.jobWindow, window.toStdString());
    QCOMPARE(m.global.startJob, start.toStdString());
}

void TestConfigReader::wordListsAccumulate() {
    const ConfigModel m = readConfig("LOGEVENT COPIED\r\nLOGEVENT DELETED\r\n"
                                     "PACKAGE P\r\nSCHEDULE 08:00 MON,WED\r\nSCHEDULE 4 FRI\r\n"
                                     "LOGEVENT skipped\r\n");
    QCOMPARE(m.global.logEvent, std::string("COPIED DELETED "));
    const PackageDesc& p = m.packages.at(1);
    QCOMPARE(p.scheduleWhen, std::string("4"));
    QCOMPARE(p.scheduleDays, std::string("MON WED FRI "));
    QCOMPARE(p.logEvent, std::string("skipped "));
}

void TestConfigReader::packageDefaultsIgnoreGlobals() {
    const ConfigModel m = readConfig("SYNCMODE replace\r\nSKIPREADONLY yes\r\nPACKAGE P\r\n"
                                     "PACKAGE END\r\nPACKAGE Q\r\nSYNCMODE replace\r\n");
    QCOMPARE(m.global.syncMode, std::string("REPLACE"));
    const PackageDesc& p = m.packages.at(1);
    QCOMPARE(p.syncMode, std::string("OVERWRITE"));
    QCOMPARE(p.skipReadOnly, std::string("NO"));
    QCOMPARE(p.transferIrm, std::string());
    QCOMPARE(p.logMethod, std::string());
    QCOMPARE(p.protocol, std::string("(default)"));
    QCOMPARE(p.preStat, std::string("NO"));
    QCOMPARE(m.packages.at(2).syncMode, std::string("REPLACE"));
}

void TestConfigReader::tokenising() {
    const ConfigModel m = readConfig(",,,,\r\nMAXTHREADS,20\r\nmaxthreads\t\t30 40\r\n"
                                     "RETRYCOUNT\r\nSOURCE top-level-ignored\r\nDEBUG NO\r\n"
                                     "nameSpace long\r\n");
    QCOMPARE(m.global.maxThreads, std::string("30"));
    QCOMPARE(m.global.retryCount, std::string()); // missing argument reads empty
    QCOMPARE(m.global.debug, std::string("YES"));
    QCOMPARE(m.global.nameSpace, std::string("LONG"));
    QCOMPARE(m.packages.count(), 0);
}

void TestConfigReader::lineEndings() {
    const std::string lf = "USER a\nMAXTHREADS 5\nRETRYCOUNT 7";
    const std::string crlf = "USER a\r\nMAXTHREADS 5\r\nRETRYCOUNT 7\r\n";
    QCOMPARE(readConfig(lf), readConfig(crlf));
    QCOMPARE(readConfig(lf).global.retryCount, std::string("7"));
    // A lone CR separates tokens but does not end the line.
    const ConfigModel lone = readConfig("USER a\rMAXTHREADS 5\r\n");
    QCOMPARE(lone.global.user, std::string("a"));
    QCOMPARE(lone.global.maxThreads, std::string("12"));
}

void TestConfigReader::longLinesReadWhole() {
    const std::string name(5000, 'N');
    const std::string path = "SYS:\\" + std::string(100000, 'p');
    const std::string words = [] {
        std::string w;
        for (int i = 0; i < 60; ++i)
            w += " W" + std::to_string(i);
        return w;
    }();
    const ConfigModel m = readConfig("PACKAGE " + name + "\r\nEXCLUDE \"" + path +
                                     "\"\r\nLOGEVENT" + words + "\r\nSCHEDULE 1" + words + "\r\n");
    QCOMPARE(m.packages.at(1).name, name);
    QCOMPARE(m.packages.at(1).excludes.at(1), path);
    // Fifty arguments at most; the rest of the line is dropped.
    QVERIFY(m.packages.at(1).logEvent.find("W49 ") != std::string::npos);
    QVERIFY(m.packages.at(1).logEvent.find("W50") == std::string::npos);
    QVERIFY(m.packages.at(1).scheduleDays.find("W48 ") != std::string::npos);
    QVERIFY(m.packages.at(1).scheduleDays.find("W49") == std::string::npos);
}

void TestConfigReader::binaryJunkDoesNotCrash() {
    const std::string junk = randomBytes(200000, 12345);
    const std::string withNul = std::string("USER a\0b\r\nPACKAGE P\0Q\r\nDEST \0 v", 31);
    for (const std::string& bytes : {junk, withNul, std::string("\"\"\"\r\n\r\n\n\r")}) {
        ConfigModel m;
        QVERIFY(ConfigReader(OemCodePage(437)).read(bytes, m).ok);
        // What was read writes out and settles; what would not read back
        // was warned about and changes once.
        std::vector<Problem> readBack;
        ReadBackChecks::run(m, readBack);
        const std::string once = writeConfig(m);
        const std::string twice = writeConfig(readConfig(once));
        if (readBack.empty())
            QCOMPARE(twice, once);
        QCOMPARE(writeConfig(readConfig(twice)), twice);
    }
    const ConfigModel nul = readConfig(withNul);
    QCOMPARE(nul.global.user, std::string("a\0b", 3));
    QCOMPARE(nul.packages.at(1).name, std::string("P\0Q", 3));
}

void TestConfigReader::capacityRefusedWithMessage_data() {
    QTest::addColumn<QString>("block");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("what");
    QTest::newRow("packages") << QString() << QStringLiteral("PACKAGE P\r\nPACKAGE END\r\n")
                              << QStringLiteral("packages");
    QTest::newRow("applications") << QString()
                                  << QStringLiteral("APPLICATION A\r\nAPPLICATION END\r\n")
                                  << QStringLiteral("applications");
    QTest::newRow("targets") << QStringLiteral("PACKAGE P\r\n")
                             << QStringLiteral("DEST S V MSGON 0\r\n")
                             << QStringLiteral("target servers in package P");
    QTest::newRow("excludes") << QStringLiteral("PACKAGE P\r\n")
                              << QStringLiteral("EXCLUDE \"x\"\r\n")
                              << QStringLiteral("excluded paths in package P");
    QTest::newRow("dir jobs") << QStringLiteral("PACKAGE P\r\n")
                              << QStringLiteral("SYNCDIR ALL DEL \"a\" \"b\"\r\n")
                              << QStringLiteral("directory jobs in package P");
    QTest::newRow("file jobs") << QStringLiteral("PACKAGE P\r\n")
                               << QStringLiteral("SYNCFILE ALL DEL \"a\" \"b\"\r\n")
                               << QStringLiteral("file jobs in package P");
}

void TestConfigReader::capacityRefusedWithMessage() {
    QFETCH(QString, block);
    QFETCH(QString, entry);
    QFETCH(QString, what);
    std::string bytes = block.toStdString();
    for (int i = 0; i < 999; ++i)
        bytes += entry.toStdString();
    ConfigModel full;
    QVERIFY(ConfigReader(OemCodePage(437)).read(bytes, full).ok);

    bytes += entry.toStdString();
    ConfigModel over;
    const ReadStatus status = ConfigReader(OemCodePage(437)).read(bytes, over);
    QVERIFY(!status.ok);
    QCOMPARE(status.error, "The file has more than 999 " + what.toStdString() +
                               "; a configuration holds at most 999.");
}

void TestConfigReader::pathsConvertedFromOem() {
    // 0x81 is u-umlaut in both OEM code pages; 0xEC is y-acute in 850 only.
    // Messages are taken byte for byte.
    const std::string bytes = "LOGDIR \"SYS:\\\x81\xEC\"\r\nPACKAGE P\r\nPREMSG \"\x81\"\r\n"
                              "EXCLUDE \"\x81\"\r\nSYNCDIR ALL DEL \"\x81\" \"\x81\"\r\n"
                              "SYNCFILE \x81 DEL \"a\" \"b\"\r\n"
                              "PACKAGE END\r\nAPPLICATION A\r\nAPP_PATH \"\x81\"\r\n";
    const ConfigModel m437 = readConfig(bytes, OemCodePage(437));
    QCOMPARE(m437.global.logDir.substr(0, 6), std::string("SYS:\\\xFC"));
    QCOMPARE(m437.packages.at(1).preMsg, std::string("\x81"));
    QCOMPARE(m437.packages.at(1).excludes.at(1), std::string("\xFC"));
    QCOMPARE(m437.packages.at(1).dirJobs.at(1).sourcePath(), std::string_view("\xFC"));
    QCOMPARE(m437.packages.at(1).dirJobs.at(1).targetPath(), std::string_view("\xFC"));
    // The writer converts a job's whole line, so its modes too.
    QCOMPARE(m437.packages.at(1).fileJobs.at(1).transferMode(), std::string_view("\xFC"));
    QCOMPARE(m437.applications.at(1).appPath, std::string("\xFC"));
    const ConfigModel m850 = readConfig(bytes, OemCodePage(850));
    QCOMPARE(m850.global.logDir, std::string("SYS:\\\xFC\xFD"));
    QVERIFY(m437.global.logDir != m850.global.logDir);
}

void TestConfigReader::applicationKeywordInsidePackage() {
    // Both block keywords count everywhere; the package context wins while
    // a package is open.
    const ConfigModel m = readConfig("PACKAGE P\r\nAPPLICATION A\r\nAPP_SERVER s\r\n"
                                     "SOURCE src\r\nPACKAGE END\r\nAPP_SERVER t\r\n");
    QCOMPARE(m.applications.count(), 1);
    QCOMPARE(m.applications.at(1).name, std::string("A"));
    QCOMPARE(m.packages.at(1).source, std::string("SRC"));
    QCOMPARE(m.applications.at(1).appServer, std::string("T"));
}

QTEST_APPLESS_MAIN(TestConfigReader)
#include "tst_configreader.moc"
