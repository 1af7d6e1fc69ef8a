#include "TestSupport.h"

#include "taskfile/TaskFileFormat.h"

#include <QTest>

using namespace testsupport;

// The lines a user adds to a file the editor wrote (comments, commented-out
// settings, a setting given twice, keywords the reader does not know) come
// out again where they stood, through a value edit and a second save.
class TestKeptLines : public QObject {
    Q_OBJECT
private slots:
    void valueEditKeepsTheUsersLines_data();
    void valueEditKeepsTheUsersLines();
    void entriesTakeTheirLinesAlong();
    void settingsOutOfTheWritersOrderSettle();
    void taskFileKeepsTheUsersLines_data();
    void taskFileKeepsTheUsersLines();
};

namespace {

// `base` with each "ANCHOR|TEXT" of `inserts` put before the first line that
// starts with ANCHOR (an empty ANCHOR: at the end); TEXT's lines end in CR LF.
std::string withLines(std::string base, const QStringList& inserts) {
    for (const QString& insert : inserts) {
        const qsizetype bar = insert.indexOf(u'|');
        const std::string anchor = insert.left(bar).toStdString();
        std::string text = insert.mid(bar + 1).toStdString();
        for (std::size_t at = 0; (at = text.find('\n', at)) != std::string::npos; at += 2)
            text.replace(at, 1, "\r\n");
        if (anchor.empty()) {
            base += text;
            continue;
        }
        const std::size_t at = base.find("\n" + anchor);
        if (at == std::string::npos)
            QTest::qFail(anchor.c_str(), __FILE__, __LINE__);
        base.insert(at + 1, text);
    }
    return base;
}

std::string lf(std::string crlf) {
    std::string out;
    for (const char c : crlf)
        if (c != '\r')
            out += c;
    return out;
}

} // namespace

void TestKeptLines::valueEditKeepsTheUsersLines_data() {
    QTest::addColumn<QStringList>("inserts");
    QTest::addColumn<bool>("lf");
    const QStringList comments = {
        "VERSION 1.30|; edited by hand since 2019\n",
        "MAXTHREADS 20|# 20 threads: the night window is short\n",
        "PACKAGE Sales|# Sales first\n\n# (the branches wait for it)\n",
        "  SOURCE SRV-MAIN|  # main office\n",
        "APPLICATION Office|# suite rollout\n",
    };
    const QStringList disabled = {
        "NAMESPACE LONG|#NAMESPACE DOS\n",
        "  PROTOCOL TCP|;  PROTOCOL IPX\n",
        "  DEST SRV-B2|#  DEST SRV-B9 VOL1 MSGON 0\n",
    };
    const QStringList doubled = {
        "MAXTHREADS 20|# was 8\nMAXTHREADS 8\n",
        "  OFHANDLER ALERT|  OFHANDLER CLEAR 30\n",
        "  PRENCF DST|  PRENCF DST \"SYS:\\OLD.NCF\"\n",
    };
    const QStringList unknown = {
        "DISPLAY SERVER|COMPRESS YES\n",           "  SYNCMODE OVERWRITE|  BANDWIDTH 5\n",
        "  APP_SERVER SRV-APPS|  APP_VERSION 4\n", "PACKAGE Archive|SOURCE SRV-STRAY\n",
        "  SOURCE SRV-ARCH|  USER bob\n",
    };
    const QStringList entriesAndEnds = {
        "  EXCLUDE|  # temp files change all day\n",
        "  SYNCDIR NEW|  # prices: new files only\n",
        "  SYNCFILE ALL|  ; the index last\n",
        "  DST_PACKAGE Archive|  # archive too\n",
        "PACKAGE END|  # end of Sales\n",
        "APPLICATION END|# end of the suite\n",
        "|# end of file\n",
    };
    QTest::newRow("comments") << comments << false;
    QTest::newRow("commented-out settings") << disabled << false;
    QTest::newRow("a setting given twice") << doubled << false;
    QTest::newRow("unknown and misplaced keywords") << unknown << false;
    QTest::newRow("entries, block ends, end of file") << entriesAndEnds << false;
    QTest::newRow("all, LF") << comments + disabled + doubled + unknown + entriesAndEnds << true;
}

void TestKeptLines::valueEditKeepsTheUsersLines() {
    QFETCH(QStringList, inserts);
    QFETCH(bool, lf);
    const std::string base = dataFile("rich-1.30.expected.cfg");
    const std::string crlfInput = withLines(base, inserts);
    const std::string input = lf ? ::lf(crlfInput) : crlfInput;
    ConfigModel model;
    const ReadStatus status = ConfigReader(OemCodePage(437)).read(input, model);
    QVERIFY(status.ok);
    QCOMPARE(status.report.droppedLines(), 0);
    QCOMPARE(status.report.commentLines(), 0);
    QCOMPARE(status.report.keptLines(), int(std::count(crlfInput.begin(), crlfInput.end(), '\n') -
                                            std::count(base.begin(), base.end(), '\n')));

    model.global.maxThreads = "21";
    const auto edited = [](std::string bytes) {
        const std::size_t at = bytes.find("MAXTHREADS 20\r\n");
        return bytes.replace(at, 15, "MAXTHREADS 21\r\n");
    };
    const std::string saved = writeConfig(model);
    QCOMPARE(saved, edited(crlfInput));
    QCOMPARE(writeConfig(readConfig(saved)), saved);
    const OemCodePage oem(437);
    QCOMPARE(ConfigWriter(oem, ConfigWriter::Form::Canonical).write(model), edited(base));
}

void TestKeptLines::entriesTakeTheirLinesAlong() {
    const std::string input =
        withLines(dataFile("rich-1.30.expected.cfg"), {"  DEST SRV-B2|  # B2 is on the slow line\n",
                                                       "  SCHEDULE 08:00|  # weekdays only\n"});
    ConfigModel model = readConfig(input);
    PackageDesc& sales = model.packages.at(1);
    QCOMPARE(sales.targets.kept(2), std::string_view("  # B2 is on the slow line\r\n"));
    // Moved to the end, the target's comment goes with it.
    QVERIFY(sales.targets.move(2, 4));
    std::string saved = writeConfig(model);
    QVERIFY(
        saved.find("  DEST SRV-B4 VOL1 MSGOFF 0\r\n  # B2 is on the slow line\r\n  DEST SRV-B2") !=
        std::string::npos);
    // Removed, it goes; put back, it comes back.
    std::string run = sales.targets.takeKept(4);
    TargetServer b2 = sales.targets.at(4);
    QVERIFY(sales.targets.remove(4));
    QVERIFY(writeConfig(model).find("slow line") == std::string::npos);
    QVERIFY(sales.targets.insertAfter(3, b2));
    sales.targets.setKept(4, std::move(run));
    QCOMPARE(writeConfig(model), saved);
    // A deleted package takes its lines along.
    model.packages.remove(1);
    saved = writeConfig(model);
    QVERIFY(saved.find("weekdays only") == std::string::npos);
    QVERIFY(saved.find("slow line") == std::string::npos);
}

// A file that gives its settings in another order than the writer reads
// back, once written, to the same model: the runs belong to their anchors,
// not to the order they were met in.
void TestKeptLines::settingsOutOfTheWritersOrderSettle() {
    const ConfigModel first = readConfig("VERSION 1.30\r\nRETRYINTERVAL 300\r\nREVRYCOUNT 3\r\n"
                                         "TRANSFERIRM NO\r\n# who runs it\r\nUSER u\r\n");
    const std::string saved = writeConfig(first);
    QVERIFY(saved.find("# who runs it\r\nUSER u\r\n") < saved.find("REVRYCOUNT 3\r\nTRANSFERIRM"));
    const ConfigModel second = readConfig(saved);
    QVERIFY(second == first);
    QCOMPARE(writeConfig(second), saved);
}

void TestKeptLines::taskFileKeepsTheUsersLines_data() {
    QTest::addColumn<QStringList>("inserts");
    QTest::addColumn<bool>("lf");
    const QStringList lines = {
        "logfile|# Quorrel task file of the sales office\n",
        "pollinterval|pollinterval 60\n",
        "logsize|; was 1 MB\nRETRIES 3\n",
        "task C:\\REPORTS|# weekly\n\n; reports\n",
        "|# end\n",
    };
    QTest::newRow("CRLF") << lines << false;
    QTest::newRow("LF") << lines << true;
}

void TestKeptLines::taskFileKeepsTheUsersLines() {
    QFETCH(QStringList, inserts);
    QFETCH(bool, lf);
    TaskFileModel model;
    QVERIFY(TaskFileFormat::read(dataFile("tasks.ini"), model).ok);
    const std::string base = TaskFileFormat::write(model, KeptLines::Form::Canonical);
    const std::string crlfInput = withLines(base, inserts);
    QVERIFY(TaskFileFormat::read(lf ? ::lf(crlfInput) : crlfInput, model).ok);
    model.logSeverity = "0";
    const auto edited = [](std::string bytes) {
        return bytes.replace(bytes.find("logseverity 1\r\n"), 15, "logseverity 0\r\n");
    };
    const std::string saved = TaskFileFormat::write(model);
    QCOMPARE(saved, edited(crlfInput));
    TaskFileModel again;
    const ReadStatus status = TaskFileFormat::read(saved, again);
    QCOMPARE(status.report.droppedLines(), 0);
    QCOMPARE(status.report.keptLines(), 8);
    QCOMPARE(TaskFileFormat::write(again), saved);
    QCOMPARE(TaskFileFormat::write(model, KeptLines::Form::Canonical), edited(base));
    // A deleted task takes its lines along.
    QVERIFY(model.tasks.remove(2));
    QVERIFY(TaskFileFormat::write(model).find("weekly") == std::string::npos);
}

QTEST_APPLESS_MAIN(TestKeptLines)
#include "tst_keptlines.moc"
