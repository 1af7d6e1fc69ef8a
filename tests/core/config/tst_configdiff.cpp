#include "TestSupport.h"
#include "config/ConfigDiff.h"
#include "taskfile/TaskFileDiff.h"
#include "taskfile/TaskFileFormat.h"
#include "text/AnsiText.h"

#include <QStringList>

using namespace testsupport;

namespace {

// A configuration as an administrator keeps it: CR LF lines, an indented
// package body, a comment above the threads.
const char* const kConfig = "VERSION 1.30\r\n"
                            "USER admin.corp\r\n"
                            "# twelve is plenty for the branch line\r\n"
                            "MAXTHREADS 12\r\n"
                            "SYNCMODE MIRROR\r\n"
                            "\r\n"
                            "APPLICATION Office Suite\r\n"
                            "  APP_SERVER srv-apps\r\n"
                            "  APP_PATH \"APPS:\\OFFICE\\SETUP.EXE\"\r\n"
                            "APPLICATION END\r\n"
                            "\r\n"
                            "PACKAGE Sales\r\n"
                            "  SCHEDULE 22:00 MON,TUE\r\n"
                            "  SOURCE SRV-MAIN\r\n"
                            "  DEST SRV-B1 VOL1 MSGON 64 TCP 5\r\n"
                            "  DEST SRV-B2 VOL1 MSGOFF 0 TCP 8:00\r\n"
                            "  SYNCDIR ALL DEL \"SYS:\\DATA\" \"VOL1:\\DATA\"\r\n"
                            "  EXCLUDE \"SYS:\\DATA\\TEMP\"\r\n"
                            "  EXCLUDE \"SYS:\\DATA\\CACHE\"\r\n"
                            "PACKAGE END\r\n"
                            "\r\n"
                            "PACKAGE Nightly\r\n"
                            "  SCHEDULE 5 SUN\r\n"
                            "  SOURCE SRV-MAIN\r\n"
                            "  DEST SRV-N VOL1 MSGON 0\r\n"
                            "PACKAGE END\r\n";

const char* const kTasks = "# Quorrel task file of the sales office\r\n"
                           "logfile sys:\\logs\\quorrel.log\r\n"
                           "pollinterval 120\r\n"
                           "\r\n"
                           "task c:\\data sys:data 1 0 1\r\n"
                           "task c:\\reports sales:reports 0 1 0\r\n";

// The base with each `from` replaced by the `to` after it.
std::string edited(const char* base, const QStringList& edits) {
    std::string text = base;
    for (qsizetype i = 0; i + 1 < edits.size(); i += 2) {
        const std::string from = edits[i].toStdString();
        const std::size_t at = text.find(from);
        if (at == std::string::npos)
            qFatal("no \"%s\" to edit", from.c_str());
        text.replace(at, from.size(), AnsiText::fromUtf8(edits[i + 1].toStdString()));
    }
    return text;
}

template <typename Model> ReadReport readInto(const std::string& bytes, Model& model) {
    ReadStatus status;
    if constexpr (std::is_same_v<Model, ConfigModel>)
        status = ConfigReader(OemCodePage(437)).read(bytes, model);
    else
        status = TaskFileFormat::read(bytes, model);
    if (!status.ok)
        qFatal("%s", status.error.c_str());
    return status.report;
}

QStringList lines(const std::vector<Difference>& differences) {
    QStringList out;
    for (const Difference& d : differences)
        out << QString::fromStdString(d.text(AnsiText::toUtf8, "→", " › "));
    return out;
}

template <typename Model, typename Diff>
QStringList compared(const char* base, const QStringList& from, const QStringList& to, Diff diff) {
    Model a, b;
    const ReadReport ra = readInto(edited(base, from), a);
    const ReadReport rb = readInto(edited(base, to), b);
    return lines(diff(a, b, &ra, &rb));
}

} // namespace

class TestConfigDiff : public QObject {
    Q_OBJECT

private slots:
    void differences_data();
    void differences();
    void reversedListIsMovesAlone();
    void windowSwitchedOffIsWhatASaveWrites();
};

void TestConfigDiff::differences_data() {
    QTest::addColumn<bool>("config");
    QTest::addColumn<QStringList>("from");
    QTest::addColumn<QStringList>("to");
    QTest::addColumn<QStringList>("expected");
    // Each edit replaces a text of the base file.
    const QString b2 = "DEST SRV-B2 VOL1 MSGOFF 0 TCP 8:00\r\n";
    const QString b1 = "  DEST SRV-B1 VOL1 MSGON 64 TCP 5\r\n";
    const QString nightly = "PACKAGE Nightly\r\n";
    QTest::newRow("same content, other spelling")
        << true << QStringList{}
        << QStringList{"  SOURCE SRV-MAIN", "SOURCE   SRV-MAIN", "MAXTHREADS 12\r\n",
                       "MAXTHREADS 12\n"}
        << QStringList{};
    QTest::newRow("setting") << true << QStringList{}
                             << QStringList{"MAXTHREADS 12", "MAXTHREADS 16"}
                             << QStringList{"Default settings › Max. threads: 12 → 16"};
    QTest::newRow("password, not shown")
        << true << QStringList{}
        << QStringList{"USER admin.corp\r\n", "USER admin.corp\r\nPWD " + QString(80, '2') + "\r\n"}
        << QStringList{"Default settings › Password: \"\" → (set)"};
    QTest::newRow("setting of a package, emptied")
        << true << QStringList{} << QStringList{"SCHEDULE 22:00 MON,TUE", "SCHEDULE 22:00"}
        << QStringList{"package \"Sales\" › Schedule › Days to run: MON TUE  → \"\""};
    QTest::newRow("field of an entry")
        << true << QStringList{} << QStringList{b2, "DEST SRV-B2 VOL1 MSGOFF 128 TCP 8:00\r\n"}
        << QStringList{"package \"Sales\" › Target Server(s) › SRV-B2 › Bandwidth Limit: 0 → 128"};
    QTest::newRow("application field")
        << true << QStringList{} << QStringList{"srv-apps", "srv-apps2"}
        << QStringList{"application \"Office Suite\" › Server: SRV-APPS → SRV-APPS2"};
    QTest::newRow("record added")
        << true << QStringList{}
        << QStringList{nightly, "PACKAGE Audit\r\n  SOURCE SRV-A\r\nPACKAGE END\r\n" + nightly}
        << QStringList{"package \"Audit\": added"};
    QTest::newRow("record removed")
        << true << QStringList{}
        << QStringList{"PACKAGE Nightly\r\n  SCHEDULE 5 SUN\r\n  SOURCE SRV-MAIN\r\n  DEST SRV-N "
                       "VOL1 MSGON 0\r\nPACKAGE END\r\n",
                       ""}
        << QStringList{"package \"Nightly\": removed"};
    QTest::newRow("record renamed")
        << true << QStringList{} << QStringList{nightly, "PACKAGE Weekly\r\n"}
        << QStringList{"package \"Nightly\": renamed Nightly → Weekly"};
    QTest::newRow("renamed and changed is removed and added")
        << true << QStringList{} << QStringList{nightly, "PACKAGE Weekly\r\n", "5 SUN", "6 SUN"}
        << QStringList{"package \"Nightly\": removed", "package \"Weekly\": added"};
    QTest::newRow("record moved")
        << true << QStringList{}
        << QStringList{"PACKAGE Sales",
                       "PACKAGE Nightly",
                       "SCHEDULE 22:00 MON,TUE\r\n  SOURCE SRV-MAIN\r\n  DEST SRV-B1",
                       "SCHEDULE 5 SUN\r\n  SOURCE SRV-MAIN\r\n  DEST SRV-N VOL1 MSGON "
                       "0\r\nPACKAGE END\r\n\r\nPACKAGE Sales\r\n  SCHEDULE 22:00 MON,TUE\r\n  "
                       "SOURCE SRV-MAIN\r\n  DEST SRV-B1",
                       "PACKAGE END\r\n\r\nPACKAGE Nightly\r\n  SCHEDULE 5 SUN\r\n  SOURCE "
                       "SRV-MAIN\r\n  DEST SRV-N VOL1 MSGON 0\r\nPACKAGE END\r\n",
                       "PACKAGE END\r\n"}
        << QStringList{"package \"Sales\": moved 1 → 2"};
    QTest::newRow("entry added")
        << true << QStringList{} << QStringList{b2, b2 + "  DEST SRV-B3 VOL2 MSGON 0\r\n"}
        << QStringList{
               "package \"Sales\" › Target Server(s) › SRV-B3: added VOL2, ON, 0, (default)"};
    QTest::newRow("entry removed")
        << true << QStringList{} << QStringList{"  EXCLUDE \"SYS:\\DATA\\CACHE\"\r\n", ""}
        << QStringList{"package \"Sales\" › Exclude › SYS:\\DATA\\CACHE: removed"};
    QTest::newRow("entry moved")
        << true << QStringList{} << QStringList{b1, "", b2, b2 + b1}
        << QStringList{"package \"Sales\" › Target Server(s) › SRV-B1: moved 1 → 2"};
    QTest::newRow("kept line")
        << true << QStringList{}
        << QStringList{"# twelve is plenty for the branch line", "# sixteen since the new link"}
        << QStringList{
               "Default settings › line kept as written: removed \"# twelve is plenty for the "
               "branch line\"",
               "Default settings › line kept as written: added \"# sixteen since the new link\""};
    QTest::newRow("kept line of an entry")
        << true << QStringList{} << QStringList{b1, "  ; old branch\r\n" + b1}
        << QStringList{"package \"Sales\" › line kept as written: added \"  ; old branch\""};
    QTest::newRow("skipped line") << true << QStringList{}
                                  << QStringList{"MAXTHREADS 12", "MAXTHREADS 12 14"}
                                  << QStringList{"line passed over: added \"MAXTHREADS 12 14\""};
    QTest::newRow("name outside ASCII")
        << true << QStringList{} << QStringList{nightly, "PACKAGE Müller\r\n"}
        << QStringList{"package \"Nightly\": renamed Nightly → Müller"};
    QTest::newRow("task setting") << false << QStringList{}
                                  << QStringList{"pollinterval 120", "pollinterval 300"}
                                  << QStringList{"Default settings › Polling interval: 120 → 300"};
    QTest::newRow("task added, changed, moved")
        << false << QStringList{}
        << QStringList{"task c:\\data sys:data 1 0 1\r\n", "", "sales:reports 0 1 0\r\n",
                       "sales:weekly 0 1 0\r\ntask c:\\data sys:data 1 0 1\r\ntask c:\\new "
                       "sys:new\r\n"}
        << QStringList{"Tasks › c:\\data: moved 1 → 2",
                       "Tasks › c:\\reports: c:\\reports sales:reports 0 1 0 → c:\\reports "
                       "sales:weekly 0 1 0",
                       "Tasks › c:\\new: added c:\\new sys:new   "};
}

void TestConfigDiff::differences() {
    QFETCH(bool, config);
    QFETCH(QStringList, from);
    QFETCH(QStringList, to);
    QFETCH(QStringList, expected);
    const QStringList found =
        config ? compared<ConfigModel>(kConfig, from, to, ConfigDiff::compare)
               : compared<TaskFileModel>(kTasks, from, to, TaskFileDiff::compare);
    QCOMPARE(found, expected);
    // The other way round every difference is still found, once.
    const QStringList back = config
                                 ? compared<ConfigModel>(kConfig, to, from, ConfigDiff::compare)
                                 : compared<TaskFileModel>(kTasks, to, from, TaskFileDiff::compare);
    QCOMPARE(back.size(), expected.size());
}

// A list read in reverse: the fewest moves, not a removal and an addition.
void TestConfigDiff::reversedListIsMovesAlone() {
    std::string a = "VERSION 1.30\r\nPACKAGE Big\r\n  SOURCE S\r\n";
    std::string b = a;
    std::string rest;
    for (int i = 0; i < 999; ++i) {
        a += "  DEST SRV-" + std::to_string(i) + " VOL1 MSGON 0\r\n";
        rest.insert(0, "  DEST SRV-" + std::to_string(i) + " VOL1 MSGON 0\r\n");
    }
    a += "PACKAGE END\r\n";
    b += rest + "PACKAGE END\r\n";
    ConfigModel x, y;
    readInto(a, x);
    readInto(b, y);
    const std::vector<Difference> d = ConfigDiff::compare(x, y);
    // Reversed, all but one entry moved.
    QCOMPARE(int(d.size()), 998);
    QCOMPARE(int(std::ranges::count(d, Difference::Kind::Moved, &Difference::kind)), 998);
}

// The editor switches a time window off and keeps its times; the
// difference is what a save of it writes.
void TestConfigDiff::windowSwitchedOffIsWhatASaveWrites() {
    ConfigModel saved;
    readInto(edited(kConfig,
                    {"MAXTHREADS 12\r\n", "MAXTHREADS 12\r\nSTARTJOB 22:00\r\nENDJOB 06:00\r\n"}),
             saved);
    ConfigModel off = saved;
    off.global.jobWindow = "DISABLED";
    ConfigModel written;
    readInto(ConfigWriter(OemCodePage(437)).write(off), written);
    const QStringList expected{"Default settings › Time restriction: 22:00 → 00:00",
                               "Default settings › ENDJOB: 06:00 → 00:00"};
    QCOMPARE(lines(ConfigDiff::compare(saved, off)), expected);
    QCOMPARE(lines(ConfigDiff::compare(saved, written)), expected);
}

QTEST_APPLESS_MAIN(TestConfigDiff)
#include "tst_configdiff.moc"
