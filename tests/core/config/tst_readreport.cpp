#include "TestSupport.h"

#include "taskfile/TaskFileFormat.h"

#include <QRegularExpression>
#include <QTest>

using namespace testsupport;

namespace {

ReadStatus readAs(const QString& kind, std::string_view bytes,
                  ReadReport::Mode mode = ReadReport::Mode::Record) {
    if (kind == QLatin1String("ini")) {
        TaskFileModel tasks;
        return TaskFileFormat::read(bytes, tasks, mode);
    }
    ConfigModel model;
    return ConfigReader(OemCodePage(437)).read(bytes, model, mode);
}

// "LINE:REASON" for every skipped line, in order; ", kept" when a save
// writes it back as it stands.
QStringList describe(const ReadReport& report) {
    QStringList out;
    for (const SkippedLine& s : report.skipped())
        out << QStringLiteral("%1:%2%3").arg(s.line).arg(
            QString::fromLatin1(ReadReport::reasonText(s.reason)),
            s.kept ? QStringLiteral(", kept") : QString());
    return out;
}

} // namespace

class TestReadReport : public QObject {
    Q_OBJECT

private slots:
    void skippedLines_data();
    void skippedLines();
    void recordsTextAndCounts();
    void writersOwnOutputReadsClean_data();
    void writersOwnOutputReadsClean();
    void whatEachReaderUnderstood_data();
    void whatEachReaderUnderstood();
};

void TestReadReport::skippedLines_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("body");
    QTest::addColumn<QStringList>("expected");
    const auto cfgRow = [](const char* name, const char* body, QStringList expected) {
        QTest::newRow(name) << QStringLiteral("cfg") << QString::fromLatin1(body) << expected;
    };
    const auto iniRow = [](const char* name, const char* body, QStringList expected) {
        QTest::newRow(name) << QStringLiteral("ini") << QString::fromLatin1(body) << expected;
    };
    cfgRow("typo and unknown keywords", "VERSION 1.30\nMAXTHRAEDS 20\nFOO bar\r\nBOGUS 1\n",
           {"2:unknown keyword, kept", "3:unknown keyword, kept", "4:unknown keyword, kept"});
    // Comments are kept as they stand and are no problem.
    cfgRow("comments of one's own", "# my note\n  ; another\n# Sync.cfg file\n#\n", {});
    cfgRow("package keyword at top level", "SOURCE srv1\nSYNCDIR ALL DEL \"a\" \"b\"\n",
           {"1:belongs inside a package, kept", "2:belongs inside a package, kept"});
    cfgRow("application keyword in a package", "PACKAGE P\nAPP_SERVER s\nMAXTHREADS 3\n",
           {"2:belongs inside an application, kept", "3:not valid inside a package, kept"});
    cfgRow("keyword in an application", "APPLICATION A\nSOURCE s\nDST_SERVER a b\n",
           {"2:not valid inside an application, kept", "3:surplus argument"});
    cfgRow(
        "surplus words", "USER admin other\nMAXTHREADS 20 # twenty\nDEBUG NO\nPWD a b\n",
        {"1:surplus argument", "2:surplus argument", "3:surplus argument", "4:surplus argument"});
    // A setting given again keeps its earlier line whole, surplus words and all.
    cfgRow("a setting given again", "USER a b\nUSER c d\nMAXTHREADS 2 x\nMAXTHREADS 3\n",
           {"1:surplus argument, kept", "2:surplus argument", "3:surplus argument, kept"});
    // Each LOGDIR but the last is given again, so kept whole.
    cfgRow("quotes", "LOGDIR sys:log\nLOGDIR \"sys:log\" more\nLOGDIR\nLOGDIR \"\"\n",
           {"1:missing quotes, kept", "2:surplus argument, kept"});
    cfgRow("quotes of the last LOGDIR", "LOGDIR sys:log\n", {"1:missing quotes"});
    cfgRow("jobs",
           "PACKAGE P\nSYNCDIR ALL \"a\" \"b\"\nSYNCFILE ALL DEL \"a\"\n"
           "SYNCDIR ALL DEL X \"a\" \"b\"\nSYNCDIR ALL DEL \"a b\" \"c\"\n",
           {"2:missing argument", "3:missing quotes", "4:surplus argument"});
    cfgRow("targets",
           "VERSION 1.30\nPACKAGE P\nDEST s v\nDEST s v MSGON 0 TCP 08:00 x\n"
           "DEST s v ON 0\nDEST s v MSGON 0 4\n",
           {"3:missing argument", "4:surplus argument", "5:value the model cannot hold"});
    cfgRow("targets of an unknown version", "VERSION 1.40\nPACKAGE P\nDEST s v MSGON 0\n",
           {"3:target under an unknown format version"});
    cfgRow("open file handler",
           "PACKAGE P\nOFHANDLER\nPACKAGE END\nPACKAGE Q\nOFHANDLER OFF 60\nPACKAGE END\n"
           "PACKAGE R\nOFHANDLER ALERT 6x\nPACKAGE END\nPACKAGE S\nOFHANDLER ALERT 99999999999\n"
           "PACKAGE END\nPACKAGE T\nOFHANDLER ALERT +60\n",
           {"2:missing argument", "5:surplus argument", "8:value the model cannot hold",
            "11:value the model cannot hold"});
    cfgRow("block ends", "PACKAGE P\nPACKAGE Sales\nAPPLICATION A\napplication end\n",
           {"2:ends the open block; the name is not kept"});
    std::string words = "PACKAGE P\nLOGEVENT";
    for (int i = 0; i < 51; ++i)
        words += " W";
    cfgRow("more than fifty words", words.c_str(), {"2:more than 50 words on one line"});
    iniRow("unknown keyword and surplus", "logfile a b\nTASK a b 1 0 1 extra\nfoo\n# mine\n",
           {"1:surplus argument", "2:surplus argument", "3:unknown keyword, kept"});
    iniRow("a setting given again", "logsize 1 2\nlogsize 3\n", {"1:surplus argument, kept"});
    iniRow("short task and trailing comment kept as text", "task a,b\nlogsize 10#x\n", {});
}

void TestReadReport::skippedLines() {
    QFETCH(QString, kind);
    QFETCH(QString, body);
    QFETCH(QStringList, expected);
    const ReadStatus status = readAs(kind, body.toStdString());
    QVERIFY(status.ok);
    QCOMPARE(describe(status.report), expected);
    QCOMPARE(status.report.keepsEverything(),
             expected.filter(QRegularExpression(QStringLiteral(", kept$"))).size() ==
                 expected.size());
}

void TestReadReport::recordsTextAndCounts() {
    std::string body = "VERSION 1.30\n\n   MAXTHRAEDS 20  \r\n# mine\n";
    body += "X" + std::string(500, 'y') + "\n";
    const ReadStatus status = readAs(QStringLiteral("cfg"), body);
    const ReadReport& report = status.report;
    // The unknown keywords are noted; they and the comment are kept.
    QCOMPARE(report.skipped().size(), std::size_t(2));
    QCOMPARE(report.skipped()[0].text, std::string("MAXTHRAEDS 20"));
    QCOMPARE(report.skipped()[0].line, 3);
    QCOMPARE(report.skipped()[1].text.size(), ReadReport::kMaxText + 3);
    QCOMPARE(report.droppedLines(), 0);
    QCOMPARE(report.commentLines(), 0);
    QCOMPARE(report.keptLines(), 3);
    QCOMPARE(report.contentLines(), 3);
    QCOMPARE(report.understoodLines(), 1);

    const ReadStatus counted = readAs(QStringLiteral("cfg"), body, ReadReport::Mode::CountOnly);
    QVERIFY(counted.report.skipped().empty());
    QCOMPARE(counted.report.keptLines(), 3);
    QCOMPARE(counted.report.understoodLines(), 1);
}

void TestReadReport::writersOwnOutputReadsClean_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("file");
    for (const char* file : {"new.expected.cfg", "rich-1.10.expected.cfg", "rich-1.22.expected.cfg",
                             "rich-1.30.expected.cfg"})
        QTest::newRow(file) << QStringLiteral("cfg") << QString::fromLatin1(file);
    for (const char* file : {"new.expected.ini"})
        QTest::newRow(file) << QStringLiteral("ini") << QString::fromLatin1(file);
}

void TestReadReport::writersOwnOutputReadsClean() {
    QFETCH(QString, kind);
    QFETCH(QString, file);
    const ReadStatus status = readAs(kind, dataFile(file.toLatin1().constData()));
    QVERIFY(status.ok);
    QCOMPARE(describe(status.report), QStringList());
    QVERIFY(!status.report.understoodNothing());
}

void TestReadReport::whatEachReaderUnderstood_data() {
    QTest::addColumn<QString>("bytes");
    QTest::addColumn<bool>("cfgUnderstoodNothing");
    QTest::addColumn<bool>("iniUnderstoodNothing");
    QTest::addColumn<QString>("fitsBetter"); // which reader fits much better, if either
    QTest::newRow("empty") << QString() << false << false << QString();
    QTest::newRow("comments only") << QStringLiteral("# a\n;b\n\n") << false << false << QString();
    QTest::newRow("junk") << QString::fromLatin1(randomBytes(20000, 4711).c_str(), 20000) << true
                          << true << QString();
    QTest::newRow("task file") << QString::fromLatin1(dataFile("tasks.ini").c_str()) << false
                               << false << QStringLiteral("ini");
    QTest::newRow("configuration") << QString::fromLatin1(dataFile("rich-1.30.cfg").c_str())
                                   << false << false << QStringLiteral("cfg");
}

void TestReadReport::whatEachReaderUnderstood() {
    QFETCH(QString, bytes);
    QFETCH(bool, cfgUnderstoodNothing);
    QFETCH(bool, iniUnderstoodNothing);
    QFETCH(QString, fitsBetter);
    const std::string raw = bytes.toLatin1().toStdString();
    const ReadReport cfg = readAs(QStringLiteral("cfg"), raw, ReadReport::Mode::CountOnly).report;
    const ReadReport ini = readAs(QStringLiteral("ini"), raw, ReadReport::Mode::CountOnly).report;
    QCOMPARE(cfg.understoodNothing(), cfgUnderstoodNothing);
    QCOMPARE(ini.understoodNothing(), iniUnderstoodNothing);
    QCOMPARE(ini.fitsMuchBetterThan(cfg), fitsBetter == QLatin1String("ini"));
    QCOMPARE(cfg.fitsMuchBetterThan(ini), fitsBetter == QLatin1String("cfg"));
}

QTEST_APPLESS_MAIN(TestReadReport)
#include "tst_readreport.moc"
