#include "TestSupport.h"

#include "configwindow/DetailContent.h"

#include <QList>
#include <QStringList>
#include <QTest>

using namespace testsupport;

namespace {

using Rows = std::vector<std::vector<std::string>>;
using Texts = std::vector<std::string>;

const char* const kRichBody = "PACKAGE Sales\r\n"
                              "  SCHEDULE 6 MON WED\r\n"
                              "  SOURCE srv-main\r\n"
                              "  DEST SRV-B1 VOL1 MSGON 0\r\n"
                              "  DEST srv-b2 DATA MSGOFF 64 TCP\r\n"
                              "  DEST SRV-B3 VOL1 MSGON 128 IPX 18:00\r\n"
                              "  EXCLUDE \"SYS:\\DATA\\TEMP\"\r\n"
                              "  EXCLUDE \"SYS:\\DATA\\OLD\"\r\n"
                              "  SYNCDIR ALL DEL \"SYS:\\A\" \"VOL1:\\A\"\r\n"
                              "  SYNCDIR NEW NODEL \"SYS:\\B\" \"VOL1:\\B\"\r\n"
                              "  SYNCFILE ALL NODEL \"SYS:\\I.DAT\" \"VOL1:\\I.DAT\"\r\n"
                              "  PREMSG \"Sync starts\"\r\n"
                              "  POSTMSG \"Sync done\"\r\n"
                              "  SUSPENDMSG \"Suspended\"\r\n"
                              "  LOGEVENT COPIED IDENTICAL\r\n"
                              "  OFHANDLER clear 60\r\n"
                              "  PRENCF SRC \"SYS:\\SYSTEM\\PRE.NCF\"\r\n"
                              "  PRENCF DST \"SYS:\\SYSTEM\\PRED.NCF\"\r\n"
                              "  POSTNCF DST \"SYS:\\SYSTEM\\POST.NCF\"\r\n"
                              "  SUSPENDNCF SRC \"SUS.NCF\"\r\n"
                              "PACKAGE END\r\n"
                              "PACKAGE Bare\r\n"
                              "  DEST SRV-X VOL2 MSGON 0\r\n"
                              "PACKAGE END\r\n"
                              "APPLICATION Office\r\n"
                              "  APP_SERVER srv-apps\r\n"
                              "  APP_PATH \"APPS:\\OFFICE\\SETUP.EXE\"\r\n"
                              "  DST_PACKAGE Sales\r\n"
                              "  DST_SERVER SRV-B1\r\n"
                              "APPLICATION END\r\n"
                              "APPLICATION Tools\r\n"
                              "APPLICATION END\r\n";

ConfigModel richModel() {
    return readConfig(cfg("1.30", kRichBody));
}

// Column `c` of every row.
Texts column(const DetailTable& t, std::size_t c) {
    Texts texts;
    for (const auto& row : t.rows)
        texts.push_back(c < row.size() ? row[c] : std::string("<missing>"));
    return texts;
}

// The value shown beside a row label; "<none>" when no row has that label.
std::string valueOf(const DetailTable& t, std::string_view label) {
    for (const auto& row : t.rows)
        if (row.size() == 2 && row[0] == label)
            return row[1];
    return "<none>";
}

DetailTable packageChild(const ConfigModel& m, DetailKind kind, int packageIndex) {
    return DetailContent::build(m, kind, packageIndex, 0);
}

std::vector<DetailColumn> columnsFrom(const QStringList& titles, const QList<int>& widths) {
    std::vector<DetailColumn> columns;
    for (qsizetype i = 0; i < titles.size(); ++i)
        columns.push_back({titles[i].toStdString(), widths.value(i, -1)});
    return columns;
}

std::string describe(const std::vector<DetailColumn>& columns) {
    std::string text;
    for (const DetailColumn& c : columns)
        text += c.title + "/" + std::to_string(c.width) + ";";
    return text;
}

} // namespace

class TestDetailContent : public QObject {
    Q_OBJECT

private slots:
    void columnsOfEveryNode_data();
    void columnsOfEveryNode();
    void nodesWithoutContentShowNothing_data();
    void nodesWithoutContentShowNothing();
    void missingRecordGivesColumnsOnly_data();
    void missingRecordGivesColumnsOnly();
    void settingsRowsInOrder();
    void settingsValuesComeFromTheirFields();
    void settingsOfReadPackage();
    void defaultSettingsOfNewDocument();
    void defaultSettingsValuesComeFromTheirFields();
    void passwordShownOnlyAsMask();
    void groupListsInTableOrder();
    void applicationRows();
    void targetRows();
    void targetsWithoutScheduleFollowPackage();
    void emptyPackageScheduleWord();
    void scheduleTexts_data();
    void scheduleTexts();
    void jobAndExcludeRows();
    void messageScheduleAndSourceRows();
    void ncfSummary_data();
    void ncfSummary();
    void ncfRowsUseTheirOwnPair();
    void openFileText_data();
    void openFileText();
    void ansiBytesPassThrough();
    void rowCellsMatchBuild_data();
    void rowCellsMatchBuild();
    void rowCellsFollowModelChanges();
};

void TestDetailContent::columnsOfEveryNode_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QList<int>>("widths");
    const QStringList property = {QStringLiteral("Properties"), QStringLiteral("Value")};
    const QStringList jobs = {QStringLiteral("Source Path"), QStringLiteral("Target Path"),
                              QStringLiteral("Transfer Mode"),
                              QStringLiteral("Propagate Deletions")};
    QTest::newRow("applications") << int(DetailKind::Applications)
                                  << QStringList{QStringLiteral("Applications")} << QList<int>{150};
    QTest::newRow("packages") << int(DetailKind::Packages)
                              << QStringList{QStringLiteral("Packages")} << QList<int>{150};
    QTest::newRow("application") << int(DetailKind::Application) << property
                                 << QList<int>{150, 150};
    QTest::newRow("schedule") << int(DetailKind::Schedule) << property << QList<int>{200, 250};
    QTest::newRow("source") << int(DetailKind::SourceServer) << property << QList<int>{100, 250};
    QTest::newRow("targets") << int(DetailKind::Targets)
                             << QStringList{QStringLiteral("Target Servers"),
                                            QStringLiteral("Volume"),
                                            QStringLiteral("Message"),
                                            QStringLiteral("Bandwidth Limit"),
                                            QStringLiteral("Start"),
                                            QStringLiteral("Protocol")}
                             << QList<int>{100, 100, 100, 100, 100, 100};
    QTest::newRow("directories") << int(DetailKind::Directories) << jobs
                                 << QList<int>{100, 100, 100, 100};
    QTest::newRow("files") << int(DetailKind::Files) << jobs << QList<int>{100, 100, 100, 100};
    QTest::newRow("exclude") << int(DetailKind::Exclude)
                             << QStringList{QStringLiteral("Exclude Directories")}
                             << QList<int>{200};
    QTest::newRow("settings") << int(DetailKind::Settings) << property << QList<int>{200, 200};
    QTest::newRow("messages") << int(DetailKind::Messages) << property << QList<int>{100, 200};
    QTest::newRow("defaults") << int(DetailKind::DefaultSettings) << property
                              << QList<int>{250, 250};
}

void TestDetailContent::columnsOfEveryNode() {
    QFETCH(int, kind);
    QFETCH(QStringList, titles);
    QFETCH(QList<int>, widths);
    const ConfigModel m = richModel();
    const DetailTable t =
        DetailContent::build(m, DetailKind(kind), 1, kind == int(DetailKind::Application));
    QCOMPARE(describe(t.columns), describe(columnsFrom(titles, widths)));
    QVERIFY(!t.rows.empty());
    for (const auto& row : t.rows)
        QCOMPARE(row.size(), t.columns.size());
}

void TestDetailContent::nodesWithoutContentShowNothing_data() {
    QTest::addColumn<int>("kind");
    // A package node carries no detail kind; the task file's nodes are not
    // the detail list's.
    QTest::newRow("package node") << int(DetailKind::None);
    QTest::newRow("task settings") << int(DetailKind::TaskSettings);
    QTest::newRow("tasks") << int(DetailKind::Tasks);
    QTest::newRow("no such kind") << 99;
}

void TestDetailContent::nodesWithoutContentShowNothing() {
    QFETCH(int, kind);
    const ConfigModel m = richModel();
    const DetailTable t = DetailContent::build(m, DetailKind(kind), 1, 1);
    QVERIFY(t.columns.empty());
    QVERIFY(t.rows.empty());
    QVERIFY(DetailContent::rowCells(m, DetailKind(kind), 1, 1, 0).empty());
}

void TestDetailContent::missingRecordGivesColumnsOnly_data() {
    QTest::addColumn<int>("kind");
    QTest::addColumn<int>("index");
    for (const DetailKind kind : Catalogue::packageChildren()) {
        for (int index : {0, 3, -1})
            QTest::addRow("%s %d", Catalogue::label(kind).data(), index) << int(kind) << index;
    }
    for (int index : {0, 3, -1})
        QTest::addRow("application %d", index) << int(DetailKind::Application) << index;
}

void TestDetailContent::missingRecordGivesColumnsOnly() {
    QFETCH(int, kind);
    QFETCH(int, index);
    const ConfigModel m = richModel();
    const DetailTable present = DetailContent::build(m, DetailKind(kind), 1, 1);
    const DetailTable missing = DetailContent::build(m, DetailKind(kind), index, index);
    QVERIFY(!present.columns.empty());
    QVERIFY(!present.rows.empty());
    QCOMPARE(describe(missing.columns), describe(present.columns));
    QVERIFY(missing.rows.empty());
    QVERIFY(DetailContent::rowCells(m, DetailKind(kind), index, index, 0).empty());
}

void TestDetailContent::settingsRowsInOrder() {
    ConfigModel m;
    m.resetToNew();
    m.addPackage("P");
    const DetailTable t = packageChild(m, DetailKind::Settings, 1);
    const Texts expected = {"Sync mode",
                            "Transfer IRMs (Inherited Rights Mask)",
                            "Transfer file owner",
                            "Transfer file system rights",
                            "Protect read-only files",
                            "Scan directories in advance",
                            "Transport protocol",
                            "Transfer file system attributes",
                            "Log event types",
                            "Log files based on ...",
                            "NCF to execute before",
                            "NCF to execute after",
                            "NCF to execute when suspended",
                            "Open file handling method"};
    QCOMPARE(column(t, 0), expected);
    // A fresh package from the editor.
    const Texts values = {"OVERWRITE",      "NO",     "NO", "NO", "YES", "NO", "(default)", "NO",
                          "COPIED DELETED", "THREAD", "",   "",   "",    "OFF"};
    QCOMPARE(column(t, 1), values);
}

void TestDetailContent::settingsValuesComeFromTheirFields() {
    ConfigModel m;
    m.resetToNew();
    PackageDesc& p = *m.addPackage("P");
    p.syncMode = "v-sync";
    p.transferIrm = "v-irm";
    p.transferOwner = "v-owner";
    p.transferTrustee = "v-trustee";
    p.skipReadOnly = "v-ro";
    p.preStat = "v-prestat";
    p.protocol = "v-proto";
    p.transferAttrs = "v-attrs";
    p.logEvent = "v-events ";
    p.logMethod = "v-method";
    p.preNcfSrc = "A:\\pre-src";
    p.postNcfDst = "B:\\post-dst";
    p.suspendNcfSrc = "C:\\sus-src";
    p.suspendNcfDst = "D:\\sus-dst";
    p.ofHandler = "ALERT";
    p.ofHandlerDelay = 15;
    const Texts values = {"v-sync",
                          "v-irm",
                          "v-owner",
                          "v-trustee",
                          "v-ro",
                          "v-prestat",
                          "v-proto",
                          "v-attrs",
                          "v-events ",
                          "v-method",
                          "Source: pre-src",
                          "Target: post-dst",
                          "Source: sus-src, Target: sus-dst",
                          "ALERT 15"};
    QCOMPARE(column(packageChild(m, DetailKind::Settings, 1), 1), values);
}

void TestDetailContent::settingsOfReadPackage() {
    const ConfigModel m = richModel();
    // A read package states only what its file says.
    const DetailTable bare = packageChild(m, DetailKind::Settings, 2);
    QCOMPARE(valueOf(bare, "Transfer IRMs (Inherited Rights Mask)"), std::string());
    QCOMPARE(valueOf(bare, "Log files based on ..."), std::string());
    QCOMPARE(valueOf(bare, "Protect read-only files"), std::string("NO"));
    QCOMPARE(valueOf(bare, "Open file handling method"), std::string(" 0"));
    const DetailTable sales = packageChild(m, DetailKind::Settings, 1);
    QCOMPARE(valueOf(sales, "Log event types"), std::string("COPIED IDENTICAL "));
    QCOMPARE(valueOf(sales, "Open file handling method"), std::string("CLEAR 60"));
}

void TestDetailContent::defaultSettingsOfNewDocument() {
    ConfigModel m;
    m.resetToNew();
    const DetailTable t = DetailContent::build(m, DetailKind::DefaultSettings, 0, 0);
    QCOMPARE(describe(t.columns), std::string("Properties/250;Value/250;"));
    const Texts labels = {"Version",
                          "Username",
                          "Password",
                          "Max. threads",
                          "Namespace",
                          "Failed job retry interval",
                          "Number of times a failed job can be retried",
                          "Sync mode",
                          "Transfer IRMs (Inherited Rights Mask)",
                          "Transfer file owner",
                          "Transfer file system rights",
                          "Protect read-only files",
                          "Transfer file system attributes",
                          "Time restriction",
                          "Log directory",
                          "Log event types",
                          "Display type",
                          "Log size limit",
                          "Debug",
                          "Debug log size limit"};
    QCOMPARE(column(t, 0), labels);
    const Texts values = {"1.30",   "",    "",   "12",  "DOS", "300",      "3", "OVERWRITE",
                          "NO",     "NO",  "NO", "YES", "NO",  "DISABLED", "",  "COPIED DELETED",
                          "THREAD", "256", "NO", "256"};
    QCOMPARE(column(t, 1), values);
    QCOMPARE(valueOf(t, "Password"), std::string());
}

void TestDetailContent::defaultSettingsValuesComeFromTheirFields() {
    ConfigModel m;
    GlobalSettings& g = m.global;
    g.version = "g-version";
    g.user = "g-user";
    g.passwordMask = "g-mask";
    g.maxThreads = "g-threads";
    g.nameSpace = "g-ns";
    g.retryInterval = "g-interval";
    g.retryCount = "g-count";
    g.syncMode = "g-sync";
    g.transferIrm = "g-irm";
    g.transferOwner = "g-owner";
    g.transferTrustee = "g-trustee";
    g.skipReadOnly = "g-ro";
    g.transferAttrs = "g-attrs";
    g.startJob = "g-start";
    g.endJob = "g-end";
    g.logDir = "g-logdir";
    g.logEvent = "g-events";
    g.display = "g-display";
    g.logSize = "g-logsize";
    g.dbgLogSize = "g-dbgsize";
    g.debug = "g-debug";
    g.jobWindow = "g-window";
    // Shown whatever package or application the caller names.
    const DetailTable t = DetailContent::build(m, DetailKind::DefaultSettings, 7, 7);
    const Texts values = {"g-version",  "g-user",    "g-mask",    "g-threads", "g-ns",
                          "g-interval", "g-count",   "g-sync",    "g-irm",     "g-owner",
                          "g-trustee",  "g-ro",      "g-attrs",   "g-window",  "g-logdir",
                          "g-events",   "g-display", "g-logsize", "g-debug",   "g-dbgsize"};
    QCOMPARE(column(t, 1), values);
}

void TestDetailContent::passwordShownOnlyAsMask() {
    const ConfigModel m = readConfig(cfg("1.30", "USER admin\r\nPWD secret\r\n"));
    QVERIFY(!m.password.empty());
    const DetailTable t = DetailContent::build(m, DetailKind::DefaultSettings, 0, 0);
    QCOMPARE(valueOf(t, "Password"), std::string("****"));
    QCOMPARE(valueOf(t, "Username"), std::string("admin"));
    for (const auto& row : t.rows)
        QVERIFY(row[1].find(m.password) == std::string::npos);
}

void TestDetailContent::groupListsInTableOrder() {
    ConfigModel m = richModel();
    const DetailTable apps = DetailContent::build(m, DetailKind::Applications, 0, 0);
    QCOMPARE(apps.rows, (Rows{{"Office"}, {"Tools"}}));
    QCOMPARE(DetailContent::build(m, DetailKind::Packages, 0, 0).rows, (Rows{{"Sales"}, {"Bare"}}));
    m.packages.move(2, 1);
    m.addPackage("Third");
    QCOMPARE(DetailContent::build(m, DetailKind::Packages, 0, 0).rows,
             (Rows{{"Bare"}, {"Sales"}, {"Third"}}));

    ConfigModel empty;
    empty.resetToNew();
    const DetailTable none = DetailContent::build(empty, DetailKind::Packages, 0, 0);
    QCOMPARE(none.columns.size(), std::size_t(1));
    QVERIFY(none.rows.empty());
}

void TestDetailContent::applicationRows() {
    const ConfigModel m = richModel();
    QCOMPARE(DetailContent::build(m, DetailKind::Application, 0, 1).rows,
             (Rows{{"Server", "SRV-APPS"},
                   {"Path", "APPS:\\OFFICE\\SETUP.EXE"},
                   {"Destination packages", "Sales "},
                   {"Destination servers", "SRV-B1 "}}));
    // The index picks the record; the label is only the node's text.
    QCOMPARE(DetailContent::build(m, DetailKind::Application, 0, 2).rows,
             (Rows{{"Server", ""},
                   {"Path", ""},
                   {"Destination packages", ""},
                   {"Destination servers", ""}}));
}

void TestDetailContent::targetRows() {
    const ConfigModel m = richModel();
    QCOMPARE(packageChild(m, DetailKind::Targets, 1).rows,
             (Rows{{"SRV-B1", "VOL1", "ON", "0", "every 6 hours", "(default)"},
                   {"SRV-B2", "DATA", "OFF", "64", "every 6 hours", "TCP"},
                   {"SRV-B3", "VOL1", "ON", "128", "daily at 18:00", "IPX"}}));
}

void TestDetailContent::targetsWithoutScheduleFollowPackage() {
    ConfigModel m;
    m.resetToNew();
    PackageDesc& p = *m.addPackage("P");
    p.scheduleWhen = "4";
    for (const char* server : {"A", "B", "C"})
        p.targets.append(TargetServer(server, "V", "ON", "", "0", "(default)"));
    QCOMPARE(column(packageChild(m, DetailKind::Targets, 1), 4),
             (Texts{"every 4 hours", "every 4 hours", "every 4 hours"}));
    p.targets.at(2).setSchedule("1");
    QCOMPARE(column(packageChild(m, DetailKind::Targets, 1), 4),
             (Texts{"every 4 hours", "every hour", "every 4 hours"}));
}

void TestDetailContent::emptyPackageScheduleWord() {
    const ConfigModel m = richModel();
    QCOMPARE(m.packages.at(2).scheduleWhen, std::string());
    QCOMPARE(valueOf(packageChild(m, DetailKind::Schedule, 2), "Schedule"),
             std::string("every  hours"));
    QCOMPARE(column(packageChild(m, DetailKind::Targets, 2), 4), Texts{"every  hours"});
}

void TestDetailContent::scheduleTexts_data() {
    QTest::addColumn<QString>("word");
    QTest::addColumn<QString>("text");
    QTest::newRow("1") << QStringLiteral("1") << QStringLiteral("every hour");
    QTest::newRow("12") << QStringLiteral("12") << QStringLiteral("every 12 hours");
    QTest::newRow("06:30") << QStringLiteral("06:30") << QStringLiteral("daily at 06:30");
    QTest::newRow("00:00") << QStringLiteral("00:00") << QStringLiteral("daily at 00:00");
    QTest::newRow("01") << QStringLiteral("01") << QStringLiteral("every 01 hours");
}

void TestDetailContent::scheduleTexts() {
    QFETCH(QString, word);
    QFETCH(QString, text);
    ConfigModel m;
    m.resetToNew();
    PackageDesc& p = *m.addPackage("P");
    p.scheduleWhen = word.toStdString();
    p.targets.append(TargetServer("A", "V", "ON", "", "0", "(default)"));
    p.targets.append(TargetServer("B", "V", "ON", word.toStdString(), "0", "(default)"));
    p.targets.append(TargetServer("C", "V", "ON", "3", "0", "(default)"));
    const std::string expected = text.toStdString();
    QCOMPARE(valueOf(packageChild(m, DetailKind::Schedule, 1), "Schedule"), expected);
    QCOMPARE(column(packageChild(m, DetailKind::Targets, 1), 4),
             (Texts{expected, expected, "every 3 hours"}));
}

void TestDetailContent::jobAndExcludeRows() {
    const ConfigModel m = richModel();
    QCOMPARE(
        packageChild(m, DetailKind::Directories, 1).rows,
        (Rows{{"SYS:\\A", "VOL1:\\A", "ALL", "DEL"}, {"SYS:\\B", "VOL1:\\B", "NEW", "NODEL"}}));
    QCOMPARE(packageChild(m, DetailKind::Files, 1).rows,
             (Rows{{"SYS:\\I.DAT", "VOL1:\\I.DAT", "ALL", "NODEL"}}));
    QCOMPARE(packageChild(m, DetailKind::Exclude, 1).rows,
             (Rows{{"SYS:\\DATA\\TEMP"}, {"SYS:\\DATA\\OLD"}}));
    // The second package has none of them.
    QVERIFY(packageChild(m, DetailKind::Directories, 2).rows.empty());
    QVERIFY(packageChild(m, DetailKind::Files, 2).rows.empty());
    QVERIFY(packageChild(m, DetailKind::Exclude, 2).rows.empty());
}

void TestDetailContent::messageScheduleAndSourceRows() {
    const ConfigModel m = richModel();
    QCOMPARE(packageChild(m, DetailKind::Messages, 1).rows,
             (Rows{{"Start Message", "Sync starts"},
                   {"End Message", "Sync done"},
                   {"Error Message", ""},
                   {"Suspend Message", "Suspended"}}));
    QCOMPARE(packageChild(m, DetailKind::Schedule, 1).rows,
             (Rows{{"Schedule", "every 6 hours"}, {"Days to run", "MON WED "}}));
    QCOMPARE(packageChild(m, DetailKind::SourceServer, 1).rows,
             (Rows{{"Source Server", "SRV-MAIN"}}));
    QCOMPARE(packageChild(m, DetailKind::SourceServer, 2).rows, (Rows{{"Source Server", ""}}));
}

void TestDetailContent::ncfSummary_data() {
    QTest::addColumn<QString>("src");
    QTest::addColumn<QString>("dst");
    QTest::addColumn<QString>("text");
    QTest::newRow("only target") << QString() << QStringLiteral("SYS:\\SYSTEM\\POST.NCF")
                                 << QStringLiteral("Target: POST.NCF");
    QTest::newRow("target without backslash")
        << QString() << QStringLiteral("SYS:POST.NCF") << QStringLiteral("Target: SYS:POST.NCF");
    QTest::newRow("both") << QStringLiteral("SYS:\\A\\PRE.NCF") << QStringLiteral("VOL1:\\PRED.NCF")
                          << QStringLiteral("Source: PRE.NCF, Target: PRED.NCF");
    QTest::newRow("only source") << QStringLiteral("SYS:\\X\\Y\\S.NCF") << QString()
                                 << QStringLiteral("Source: S.NCF");
    QTest::newRow("source without backslash")
        << QStringLiteral("S.NCF") << QString() << QStringLiteral("Source: S.NCF");
    QTest::newRow("none") << QString() << QString() << QString();
    QTest::newRow("ends in backslash") << QStringLiteral("SYS:\\DIR\\") << QStringLiteral("\\")
                                       << QStringLiteral("Source: , Target: ");
    QTest::newRow("blank is not empty")
        << QStringLiteral(" ") << QString() << QStringLiteral("Source:  ");
}

void TestDetailContent::ncfSummary() {
    QFETCH(QString, src);
    QFETCH(QString, dst);
    QFETCH(QString, text);
    QCOMPARE(DetailContent::ncfSummary(src.toStdString(), dst.toStdString()), text.toStdString());
}

void TestDetailContent::ncfRowsUseTheirOwnPair() {
    const DetailTable t = packageChild(richModel(), DetailKind::Settings, 1);
    QCOMPARE(valueOf(t, "NCF to execute before"), std::string("Source: PRE.NCF, Target: PRED.NCF"));
    QCOMPARE(valueOf(t, "NCF to execute after"), std::string("Target: POST.NCF"));
    QCOMPARE(valueOf(t, "NCF to execute when suspended"), std::string("Source: SUS.NCF"));
}

void TestDetailContent::openFileText_data() {
    QTest::addColumn<QString>("method");
    QTest::addColumn<int>("delay");
    QTest::addColumn<QString>("text");
    QTest::newRow("CLEAR 60") << QStringLiteral("CLEAR") << 60 << QStringLiteral("CLEAR 60");
    QTest::newRow("ALERT 0") << QStringLiteral("ALERT") << 0 << QStringLiteral("ALERT 0");
    QTest::newRow("DISABLECLEAR negative")
        << QStringLiteral("DISABLECLEAR") << -5 << QStringLiteral("DISABLECLEAR -5");
    QTest::newRow("OFF with a delay") << QStringLiteral("OFF") << 30 << QStringLiteral("OFF");
    QTest::newRow("SKIP with a delay") << QStringLiteral("SKIP") << 30 << QStringLiteral("SKIP");
    QTest::newRow("lower-case off is not OFF")
        << QStringLiteral("off") << 5 << QStringLiteral("off 5");
    QTest::newRow("OFF with a blank") << QStringLiteral("OFF ") << 5 << QStringLiteral("OFF  5");
    QTest::newRow("empty method") << QString() << 0 << QStringLiteral(" 0");
    QTest::newRow("largest delay")
        << QStringLiteral("ALERT") << 2147483647 << QStringLiteral("ALERT 2147483647");
}

void TestDetailContent::openFileText() {
    QFETCH(QString, method);
    QFETCH(int, delay);
    QFETCH(QString, text);
    PackageDesc p;
    p.ofHandler = method.toStdString();
    p.ofHandlerDelay = delay;
    QCOMPARE(DetailContent::openFileText(p), text.toStdString());
}

void TestDetailContent::ansiBytesPassThrough() {
    ConfigModel m;
    m.resetToNew();
    PackageDesc& p = *m.addPackage("M\xFCller \x80");
    p.source = "S\xE9RVER";
    p.excludes.append("SYS:\\M\xDC"
                      "LL");
    QCOMPARE(DetailContent::build(m, DetailKind::Packages, 0, 0).rows, (Rows{{"M\xFCller \x80"}}));
    QCOMPARE(valueOf(packageChild(m, DetailKind::SourceServer, 1), "Source Server"),
             std::string("S\xE9RVER"));
    QCOMPARE(packageChild(m, DetailKind::Exclude, 1).rows, (Rows{{"SYS:\\M\xDCLL"}}));
}

void TestDetailContent::rowCellsMatchBuild_data() {
    QTest::addColumn<int>("kind");
    QTest::newRow("applications") << int(DetailKind::Applications);
    QTest::newRow("packages") << int(DetailKind::Packages);
    QTest::newRow("application") << int(DetailKind::Application);
    QTest::newRow("default settings") << int(DetailKind::DefaultSettings);
    for (const DetailKind kind : Catalogue::packageChildren())
        QTest::newRow(Catalogue::label(kind).data()) << int(kind);
}

void TestDetailContent::rowCellsMatchBuild() {
    QFETCH(int, kind);
    const ConfigModel m = richModel();
    const DetailTable t = DetailContent::build(m, DetailKind(kind), 1, 1);
    QVERIFY(!t.rows.empty());
    for (std::size_t r = 0; r < t.rows.size(); ++r)
        QCOMPARE(DetailContent::rowCells(m, DetailKind(kind), 1, 1, int(r)), t.rows[r]);
    QVERIFY(DetailContent::rowCells(m, DetailKind(kind), 1, 1, -1).empty());
    QVERIFY(DetailContent::rowCells(m, DetailKind(kind), 1, 1, int(t.rows.size())).empty());
}

void TestDetailContent::rowCellsFollowModelChanges() {
    ConfigModel m = richModel();
    PackageDesc& p = m.packages.at(1);
    p.targets.at(3).setSchedule("");
    p.scheduleWhen = "12:15";
    QCOMPARE(DetailContent::rowCells(m, DetailKind::Targets, 1, 0, 2),
             (Texts{"SRV-B3", "VOL1", "ON", "128", "daily at 12:15", "IPX"}));
    p.ofHandler = "SKIP";
    QCOMPARE(DetailContent::rowCells(m, DetailKind::Settings, 1, 0, 13),
             (Texts{"Open file handling method", "SKIP"}));
    QCOMPARE(DetailContent::targetStartText(p.targets.at(1), p), std::string("daily at 12:15"));
}

QTEST_APPLESS_MAIN(TestDetailContent)
#include "tst_detailcontent.moc"
