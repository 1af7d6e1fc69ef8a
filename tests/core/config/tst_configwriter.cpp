#include "TestSupport.h"

#include <QTest>
#include <algorithm>
#include <vector>

using namespace testsupport;

namespace {

ConfigModel newModel() {
    ConfigModel m;
    m.resetToNew();
    return m;
}

// The lines of a written file that start with `prefix`.
std::string linesStartingWith(const std::string& file, std::string_view prefix) {
    std::string found;
    std::size_t pos = 0;
    while (pos < file.size()) {
        std::size_t end = file.find("\r\n", pos);
        if (end == std::string::npos)
            end = file.size();
        const std::string_view line(file.data() + pos, end - pos);
        if (line.substr(0, prefix.size()) == prefix)
            found.append(line).append("|");
        pos = end + 2;
    }
    return found;
}

} // namespace

class TestConfigWriter : public QObject {
    Q_OBJECT

private slots:
    void newDocumentIsByteExact();
    void richFilesInEveryVersion_data();
    void richFilesInEveryVersion();
    void progressCountsAndStops_data();
    void progressCountsAndStops();
    void timeWindow();
    void packageProtocolBlock();
    void destLines_data();
    void destLines();
    void openFileHandlerLine();
    void destinationNameLists_data();
    void destinationNameLists();
    void pathLinesOnlyAreConverted();
    void longNamesWrittenWhole();
    void longWordListsSpreadOverLines();
    void roundTripKeepsTheModel();
};

void TestConfigWriter::newDocumentIsByteExact() {
    const std::string written = writeConfig(newModel());
    QCOMPARE(written, dataFile("new.expected.cfg"));
    QVERIFY(written.find("USER \r\nPWD \r\n") != std::string::npos);
    QVERIFY(written.find("STARTJOB 00:00 \r\nENDJOB 00:00 \r\n") != std::string::npos);
    QVERIFY(written.find("DEBUG") == std::string::npos);
    // Two empty lines after the globals and one for the empty package table.
    QVERIFY(written.ends_with("DISPLAY THREAD\r\n\r\n\r\n\r\n"));
}

void TestConfigWriter::richFilesInEveryVersion_data() {
    QTest::addColumn<QString>("version");
    for (const char* v : {"1.10", "1.20", "1.22", "1.30"})
        QTest::newRow(v) << QString::fromLatin1(v);
}

void TestConfigWriter::richFilesInEveryVersion() {
    QFETCH(QString, version);
    const std::string base = "rich-" + version.toStdString();
    const ConfigModel m = readConfig(dataFile((base + ".cfg").c_str()));
    // The canonical form: the file's own comment line is not written.
    const std::string written =
        ConfigWriter(OemCodePage(437), ConfigWriter::Form::Canonical).write(m);
    QCOMPARE(written, dataFile((base + ".expected.cfg").c_str()));
    // The current format is a fixed point of read and write.
    QCOMPARE(writeConfig(readConfig(written)), written);
    // Read a line at a time and written a package at a time, the same; a
    // sink that refuses is offered nothing more.
    const OemCodePage oem(437);
    const std::string input = dataFile((base + ".cfg").c_str());
    ConfigModel byLines;
    ConfigReader reader(oem);
    reader.begin(byLines);
    for (std::size_t at = 0; at < input.size();) {
        const std::size_t end = std::min(input.find('\n', at), input.size() - 1) + 1;
        QVERIFY(reader.readLines(std::string_view(input).substr(at, end - at)));
        at = end;
    }
    QVERIFY(reader.finish().ok);
    QVERIFY(byLines == m);
    std::string pieces;
    int offered = 0;
    const auto keep = [&](std::string_view piece) {
        pieces.append(piece);
        return ++offered > 0;
    };
    QVERIFY(ConfigWriter(oem).write(m, keep, 1));
    QCOMPARE(pieces, writeConfig(m));
    QVERIFY(offered > m.packages.count());
    offered = 0;
    QVERIFY(!ConfigWriter(oem).write(
        m, [&](std::string_view) { return ++offered, false; }, 1));
    QCOMPARE(offered, 1);
}

void TestConfigWriter::progressCountsAndStops_data() {
    QTest::addColumn<int>("answers"); // reports answered "go on" before a "stop"; -1: never stop
    QTest::newRow("to the end") << -1;
    QTest::newRow("stopped at once") << 0;
    QTest::newRow("stopped later") << 1;
}

void TestConfigWriter::progressCountsAndStops() {
    QFETCH(int, answers);
    const OemCodePage oem(437);
    const std::string input = dataFile("rich-1.30.cfg");
    std::vector<std::uint64_t> reports;
    const auto report = [&](std::uint64_t done) {
        reports.push_back(done);
        return answers < 0 || int(reports.size()) <= answers;
    };
    const auto rising = [&] { return std::is_sorted(reports.begin(), reports.end()); };

    Progress reading(report, 64);
    ConfigModel model;
    ConfigReader reader(oem);
    reader.setProgress(&reading);
    const ReadStatus read = reader.read(input, model);
    QCOMPARE(read.ok, answers < 0);
    QVERIFY(rising());
    if (answers < 0) {
        // Line ends, CR included, are counted.
        QCOMPARE(reading.done(), std::uint64_t(input.size()));
        QVERIFY(reports.size() > 2 && reports.back() <= input.size());
    } else {
        QCOMPARE(read.error, std::string(ConfigReader::kStopped));
        QCOMPARE(int(reports.size()), answers + 1);
    }

    reports.clear();
    const ConfigModel whole = readConfig(input);
    const std::string expected = writeConfig(whole);
    Progress writing(report, 64);
    std::string pieces;
    const bool written = ConfigWriter(oem).write(
        whole,
        [&](std::string_view piece) {
            pieces.append(piece);
            return true;
        },
        1, &writing);
    QCOMPARE(written, answers < 0);
    QVERIFY(rising());
    if (answers < 0) {
        QCOMPARE(pieces, expected);
        QCOMPARE(writing.done(), std::uint64_t(expected.size()));
    } else {
        // Nothing is written after the stop.
        QCOMPARE(std::uint64_t(pieces.size()), writing.done());
        QVERIFY(pieces.size() < expected.size());
        QCOMPARE(int(reports.size()), answers + 1);
    }
}

void TestConfigWriter::timeWindow() {
    ConfigModel m = newModel();
    m.global.startJob = "22:00";
    m.global.endJob = "06:00";
    QCOMPARE(linesStartingWith(writeConfig(m), "STARTJOB"), std::string("STARTJOB 00:00 |"));
    m.global.jobWindow = "ENABLE";
    const std::string written = writeConfig(m);
    QCOMPARE(linesStartingWith(written, "STARTJOB"), std::string("STARTJOB 22:00|"));
    QCOMPARE(linesStartingWith(written, "ENDJOB"), std::string("ENDJOB 06:00|"));
    // A disabled window read from a file keeps its texts: they read back
    // as disabled.
    const ConfigModel odd = readConfig("STARTJOB 100:00\r\nENDJOB 00:00x\r\n");
    QCOMPARE(odd.global.jobWindow, std::string("DISABLED"));
    QCOMPARE(linesStartingWith(writeConfig(odd), "STARTJOB"), std::string("STARTJOB 100:00 |"));
    QCOMPARE(linesStartingWith(writeConfig(odd), "ENDJOB"), std::string("ENDJOB 00:00X |"));
}

void TestConfigWriter::packageProtocolBlock() {
    ConfigModel m = newModel();
    m.addPackage("P");
    QVERIFY(writeConfig(m).find("PROTOCOL") == std::string::npos);
    m.packages.at(1).protocol = "TCP";
    const std::string written = writeConfig(m);
    const auto protocol = written.find("# Transport protocol to use below NCP\r\n"
                                       "# Possible values: TCP, UDP or IPX\r\n"
                                       "# Comment out this keyword to let the OS decide\r\n"
                                       "  PROTOCOL TCP\r\n\r\n"
                                       "# Same settings as above");
    QVERIFY(protocol != std::string::npos);
    QVERIFY(written.find("  SCHEDULE 00:00 SUN MON TUE WED THU FRI SAT \r\n\r\n") < protocol);
}

void TestConfigWriter::destLines_data() {
    QTest::addColumn<QStringList>("target"); // server volume msg schedule bandwidth protocol
    QTest::addColumn<QString>("line");
    QTest::newRow("plain") << QStringList{"S", "V", "ON", "", "0", "(default)"}
                           << QStringLiteral("  DEST S V MSGON 0|");
    QTest::newRow("protocol and schedule") << QStringList{"S", "V", "OFF", "4", "64", "IPX"}
                                           << QStringLiteral("  DEST S V MSGOFF 64 IPX 4|");
    QTest::newRow("schedule only") << QStringList{"S", "V", "ON", "08:00", "0", "(default)"}
                                   << QStringLiteral("  DEST S V MSGON 0 08:00|");
}

void TestConfigWriter::destLines() {
    QFETCH(QStringList, target);
    QFETCH(QString, line);
    ConfigModel m = newModel();
    m.addPackage("P")->targets.append(
        TargetServer(target[0].toStdString(), target[1].toStdString(), target[2].toStdString(),
                     target[3].toStdString(), target[4].toStdString(), target[5].toStdString()));
    QCOMPARE(linesStartingWith(writeConfig(m), "  DEST"), line.toStdString());
}

void TestConfigWriter::openFileHandlerLine() {
    ConfigModel m = newModel();
    PackageDesc& p = *m.addPackage("P");
    p.ofHandlerDelay = 60;
    const auto line = [&](const char* method) {
        p.ofHandler = method;
        return linesStartingWith(writeConfig(m), "  OFHANDLER");
    };
    QCOMPARE(line("ALERT"), std::string("  OFHANDLER ALERT 60|"));
    QCOMPARE(line("OFF"), std::string("  OFHANDLER OFF |"));
    QCOMPARE(line("SKIP"), std::string("  OFHANDLER SKIP |"));
    QCOMPARE(line(""), std::string("  OFHANDLER  60|"));
    p.ofHandlerDelay = -5;
    QCOMPARE(line("CLEAR"), std::string("  OFHANDLER CLEAR -5|"));
}

void TestConfigWriter::destinationNameLists_data() {
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("lines");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("two names") << QStringLiteral("A B")
                               << QStringLiteral("  DST_PACKAGE A|  DST_PACKAGE B|");
    QTest::newRow("as read") << QStringLiteral("A B ")
                             << QStringLiteral("  DST_PACKAGE A|  DST_PACKAGE B|");
    QTest::newRow("empty name inside")
        << QStringLiteral("A  B ")
        << QStringLiteral("  DST_PACKAGE A|  DST_PACKAGE |  DST_PACKAGE B|");
    // A list read from a DST_PACKAGE line without a name starts with a blank;
    // the names after it must not be dropped.
    QTest::newRow("leading empty name")
        << QStringLiteral(" A B ")
        << QStringLiteral("  DST_PACKAGE |  DST_PACKAGE A|  DST_PACKAGE B|");
    QTest::newRow("only an empty name") << QStringLiteral(" ") << QStringLiteral("  DST_PACKAGE |");
}

void TestConfigWriter::destinationNameLists() {
    QFETCH(QString, list);
    QFETCH(QString, lines);
    ConfigModel m = newModel();
    m.addApplication("App")->dstPackages = list.toStdString();
    m.applications.at(1).dstServers = list.toStdString();
    const std::string written = writeConfig(m);
    QCOMPARE(linesStartingWith(written, "  DST_PACKAGE"), lines.toStdString());
    QCOMPARE(
        linesStartingWith(written, "  DST_SERVER"),
        lines.replace(QStringLiteral("DST_PACKAGE"), QStringLiteral("DST_SERVER")).toStdString());
    // What the reader makes of it writes out the same lines again.
    const ConfigModel back = readConfig(written);
    QCOMPARE(linesStartingWith(writeConfig(back), "  DST_"), linesStartingWith(written, "  DST_"));
    if (list.endsWith(QLatin1Char(' ')))
        QCOMPARE(back.applications.at(1).dstPackages, list.toStdString());
}

void TestConfigWriter::pathLinesOnlyAreConverted() {
    ConfigModel m = newModel();
    m.global.logDir = "\xFC";
    m.global.user = "\xFC";
    PackageDesc& p = *m.addPackage("\xFC");
    p.preMsg = "\xFC";
    p.preNcfSrc = "\xFC";
    p.excludes.append("\xFC");
    p.dirJobs.append(SyncJob("\xFC", "\xFC", "ALL", "DEL"));
    p.fileJobs.append(SyncJob("\xFC", "\xE9", "ALL", "DEL"));
    m.addApplication("A")->appPath = "\xFC";
    const std::string w = writeConfig(m);
    QCOMPARE(linesStartingWith(w, "LOGDIR"), std::string("LOGDIR \"\x81\"|"));
    QCOMPARE(linesStartingWith(w, "USER"), std::string("USER \xFC|"));
    QCOMPARE(linesStartingWith(w, "PACKAGE \xFC"), std::string("PACKAGE \xFC |"));
    QCOMPARE(linesStartingWith(w, "  PREMSG"), std::string("  PREMSG \"\xFC\"|"));
    QCOMPARE(linesStartingWith(w, "  PRENCF SRC"), std::string("  PRENCF SRC \"\x81\"|"));
    QCOMPARE(linesStartingWith(w, "  EXCLUDE"), std::string("  EXCLUDE \"\x81\"|"));
    QCOMPARE(linesStartingWith(w, "  SYNCDIR"),
             std::string("  SYNCDIR ALL DEL \"\x81\" \"\x81\"|"));
    QCOMPARE(linesStartingWith(w, "  SYNCFILE"),
             std::string("  SYNCFILE ALL DEL \"\x81\" \"\x82\"|"));
    QCOMPARE(linesStartingWith(w, "  APP_PATH"), std::string("  APP_PATH \"\x81\"|"));
}

void TestConfigWriter::longNamesWrittenWhole() {
    ConfigModel m = newModel();
    const std::string name(4000, 'x');
    m.addPackage(name)->source = "S";
    m.addApplication(name);
    const ConfigModel back = readConfig(writeConfig(m));
    QCOMPARE(back.packages.at(1).name, name);
    QCOMPARE(back.applications.at(1).name, name);
}

void TestConfigWriter::longWordListsSpreadOverLines() {
    // The reader takes 50 arguments a line; LOGEVENT and SCHEDULE lines add
    // up, so a longer list is written over several lines and nothing is lost.
    std::string words;
    for (int i = 0; i < 120; ++i)
        words += "W" + std::to_string(i) + " ";
    ConfigModel m = newModel();
    m.global.logEvent = words;
    PackageDesc& p = *m.addPackage("P");
    p.logEvent = words;
    p.scheduleDays = words;
    const std::string written = writeConfig(m);
    const std::string logLines = linesStartingWith(written, "LOGEVENT ");
    QCOMPARE(std::count(logLines.begin(), logLines.end(), '|'), 3L); // 50 + 50 + 20
    const ConfigModel back = readConfig(written);
    QCOMPARE(back.global.logEvent, words);
    QCOMPARE(back.packages.at(1).logEvent, words);
    QCOMPARE(back.packages.at(1).scheduleDays, words);
    QCOMPARE(back.packages.at(1).scheduleWhen, std::string("00:00"));
    const std::string scheduleLines = linesStartingWith(written, "  SCHEDULE 00:00 ");
    QCOMPARE(std::count(scheduleLines.begin(), scheduleLines.end(), '|'), 3L); // 49 + 49 + 22
    // Each word goes out with the blank the reader stores after it, so the
    // list reads back as written and a second save writes the same line.
    m.global.logEvent = "COPIED,DELETED";
    QCOMPARE(linesStartingWith(writeConfig(m), "LOGEVENT"),
             std::string("LOGEVENT COPIED DELETED |"));
}

void TestConfigWriter::roundTripKeepsTheModel() {
    // Read, write, read again gives what was read, for every rich file.
    for (const char* file : {"rich-1.10.cfg", "rich-1.20.cfg", "rich-1.22.cfg", "rich-1.30.cfg"}) {
        const ConfigModel first = readConfig(dataFile(file));
        const ConfigModel second = readConfig(writeConfig(first));
        QCOMPARE(second.global, first.global);
        QCOMPARE(second.password, first.password);
        QCOMPARE(second.applications.count(), first.applications.count());
        QCOMPARE(second.packages.count(), first.packages.count());
        for (int i = 1; i <= first.packages.count(); ++i) {
            QVERIFY2(second.packages.at(i) == first.packages.at(i), file);
        }
        QVERIFY(second.applications == first.applications);
    }
    // An edited model differs only as the format allows.
    ConfigModel edited = newModel();
    PackageDesc& p = *edited.addPackage("P");
    p.targets.append(TargetServer("lower", "v", "ON", "", "0", "(default)"));
    edited.global.startJob = "08:00";
    edited.global.endJob = "17:00";
    edited.global.jobWindow = "ENABLE";
    const ConfigModel back = readConfig(writeConfig(edited));
    QCOMPARE(back.packages.at(1).targets.at(1).server(), std::string_view("LOWER"));
    QCOMPARE(back.global.jobWindow, std::string("08:00-17:00"));
    QCOMPARE(back.global.logEvent, std::string("COPIED DELETED "));
    QCOMPARE(back.packages.at(1).scheduleDays, std::string("SUN MON TUE WED THU FRI SAT "));
    // A new file with a new package saves, reads and saves to the same bytes.
    ConfigModel fresh = newModel();
    fresh.addPackage("P");
    QCOMPARE(writeConfig(readConfig(writeConfig(fresh))), writeConfig(fresh));
}

QTEST_APPLESS_MAIN(TestConfigWriter)
#include "tst_configwriter.moc"
