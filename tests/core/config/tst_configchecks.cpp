#include "TestSupport.h"

#include "config/ConfigChecks.h"
#include "taskfile/TaskFileChecks.h"
#include "taskfile/TaskFileFormat.h"
#include "text/AnsiText.h"

#include <QTest>

using namespace testsupport;

namespace {

const std::string kPwd = "PWD " + std::string(80, 'a') + "\n";

// A configuration without a problem; a row replaces or adds lines of it.
std::string clean(std::string_view global = "USER admin\n" + kPwd,
                  std::string_view package = "  SCHEDULE 08:00 MON\n  SOURCE SRC\n"
                                             "  DEST SRV VOL MSGON 0\n",
                  std::string_view rest = {}) {
    return "VERSION 1.30\n" + std::string(global) + "PACKAGE P\n" + std::string(package) +
           "PACKAGE END\n" + std::string(rest);
}

std::vector<Problem> checkConfig(const std::string& bytes) {
    ConfigModel model;
    const ReadStatus status = ConfigReader(OemCodePage(437)).read(bytes, model);
    return ConfigChecks::run(model, &status.report);
}

// As pallworth-cli checks: each package as it is read, its lists then dropped.
std::vector<Problem> checkConfigByPackage(const std::string& bytes) {
    ConfigModel model;
    ConfigChecks::PackageProblems packages;
    const OemCodePage oem(437);
    ConfigReader reader(oem);
    reader.setPackageRead([&](int index) {
        ConfigChecks::addPackage(model, index, packages);
        model.packages.at(index).dropLists();
    });
    const ReadStatus status = reader.read(bytes, model);
    return ConfigChecks::run(model, &status.report, std::move(packages));
}

std::vector<Problem> checkTasks(const std::string& bytes) {
    TaskFileModel model;
    const ReadStatus status = TaskFileFormat::read(bytes, model);
    return TaskFileChecks::run(model, &status.report);
}

// "LINE severity MESSAGE @ NODE, ROW" for each problem.
QStringList described(const std::vector<Problem>& problems) {
    QStringList lines;
    for (const Problem& p : problems)
        lines << QString::fromStdString(AnsiText::toUtf8(
            std::to_string(p.line) + " " + std::string(Problem::severityText(p.severity)) + " " +
            p.message + " @ " + p.nodeText() + ", " + p.rowText()));
    return lines;
}

} // namespace

class TestConfigChecks : public QObject {
    Q_OBJECT

private slots:
    void eachCheck_data();
    void eachCheck();
    void richFile();
    void linesFollowEdits();
    void linesAfterASave_data();
    void linesAfterASave();
    void taskLinesAfterASave();
    void editedValuesThatWouldNotReadBack();
};

void TestConfigChecks::eachCheck_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("bytes");
    QTest::addColumn<QStringList>("expected");
    const auto row = [](const char* name, const std::string& bytes, QStringList expected,
                        const char* kind = "cfg") {
        QTest::newRow(name) << QString::fromLatin1(kind) << QString::fromLatin1(bytes) << expected;
    };
    const std::string user = "USER admin\n";
    row("clean", clean(), {});
    row("every package without source",
        clean(user + kPwd, "  SCHEDULE 1 MON\n  DEST S V MSGON 0\n",
              "PACKAGE Q\n  DEST S V MSGON 0\nPACKAGE END\n"),
        {"4 error Please specify a source server for package P @ Package P › Source Server, "
         "Source Server",
         "8 error Please specify a source server for package Q @ Package Q › Source Server, "
         "Source Server",
         "8 warning Package Q has no schedule, so it has no time to run @ Package Q › Schedule, "
         "Schedule"});
    row("no user or password", clean(""),
        {"0 error Please specify a username @ Default settings, Username",
         "0 error Please specify a password @ Default settings, Password"});
    row("password not stored form", clean(user + "PWD abc\n"),
        {"3 warning The stored password is not 80 lower-case hexadecimal digits @ Default "
         "settings, Password"});
    row("number above range", clean(user + kPwd + "MAXTHREADS 101\n"),
        {"4 warning Max. threads \"101\" is outside 1-100 @ Default settings, Max. threads"});
    row("number at limits", clean(user + kPwd + "RETRYINTERVAL 60\nRETRYCOUNT 1440\n"), {});
    row("not a number", clean(user + kPwd + "LOGSIZE 1k\n"),
        {"4 warning Log size limit \"1K\" is not a whole number @ Default settings, Log size "
         "limit"});
    row("global choice", clean(user + kPwd + "NAMESPACE mac\n"),
        {"4 warning Namespace \"MAC\" is not one of DOS, LONG @ Default settings, Namespace"});
    row("package choice",
        clean(user + kPwd, "  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\n  SYNCMODE x\n"),
        {"8 warning Sync mode \"X\" is not one of OVERWRITE, REPLACE @ Package P › Settings, "
         "Sync mode"});
    row("open-file delay",
        clean(user + kPwd, "  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\n  OFHANDLER "
                           "CLEAR 601\n"),
        {"8 warning Open file handling method \"601\" is outside 0-600 @ Package P › "
         "Settings, Open file handling method"});
    row("command file not on a volume",
        clean(user + kPwd, "  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\n  PRENCF DST "
                           "\"C:\\X.NCF\"\n"),
        {"8 warning NCF to execute before \"C:\\X.NCF\" is not in the volume form (VOLUME:path) "
         "@ Package P › Settings, NCF to execute before"});
    for (const char* word : {"24:00", "0", "8:00"})
        row((std::string("schedule ") + word).c_str(),
            clean(user + kPwd,
                  "  SCHEDULE " + std::string(word) + " MON\n  SOURCE S\n  DEST S V MSGON 0\n"),
            {"5 warning Schedule \"" + QString::fromLatin1(word) +
             "\" is neither a time (HH:MM) nor a number of hours from 1 to 9999 @ Package P › "
             "Schedule, Schedule"});
    row("no day", clean(user + kPwd, "  SCHEDULE 23:59\n  SOURCE S\n  DEST S V MSGON 0\n"),
        {"5 warning Days to run names no day @ Package P › Schedule, Days to run"});
    row("not a day",
        clean(user + kPwd, "  SCHEDULE 12 SUN SUNDAY\n  SOURCE S\n  DEST S V MSGON 0\n"),
        {"5 warning Days to run holds \"SUNDAY\", which is no day @ Package P › Schedule, "
         "Days to run"});
    row("log events",
        clean(user + kPwd + "LOGEVENT COPIED NOISE\n",
              "  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\n  LOGEVENT SKIPPED DELETE\n"),
        {"4 warning Log event types holds \"NOISE\", which is no event type @ Default settings, "
         "Log event types",
         "9 warning Log event types holds \"DELETE\", which is no event type @ Package P › "
         "Settings, Log event types"});
    row("time window", clean(user + kPwd + "STARTJOB 08:60\n"),
        {"4 warning Time restriction \"08:60\" is not a valid time (HH:MM) @ Default settings, "
         "Time restriction"});
    row("target values",
        clean(user + kPwd, "  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\n  DEST T V "
                           "MSGMAYBE 1000001 TCP 7\n"),
        {"8 warning Message flag \"MAYBE\" is not one of ON, OFF @ Package P › Target "
         "Server(s), row 2",
         "8 warning Bandwidth limit \"1000001\" is outside 0-1000000 @ Package P › Target "
         "Server(s), row 2"});
    row("target start",
        clean(user + kPwd, "  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0 1:00\n"),
        {"7 warning Start \"1:00\" is neither a time (HH:MM) nor a number of hours from 1 to "
         "9999 @ Package P › Target Server(s), row 1"});
    row("target that does not read back",
        clean(user + kPwd, "  SCHEDULE 1 MON\n  SOURCE S\n  DEST SRV\n"),
        {"7 warning Target server \"SRV\": The volume name is empty. @ Package P › Target "
         "Server(s), row 1",
         "7 warning Message flag \"\" is not one of ON, OFF @ Package P › Target Server(s), row 1",
         "7 warning Bandwidth limit \"\" is not a whole number @ Package P › Target Server(s), "
         "row 1",
         "7 warning DEST SRV (missing argument) @ , "});
    row("days without a start",
        clean(user + kPwd, "  SCHEDULE 08:00 MON\n  SCHEDULE\n  SOURCE S\n  DEST S V MSGON 0\n"),
        {"5 warning Days to run \"MON\" have no start time before them, so a save would make "
         "the first day the start @ Package P › Schedule, Days to run",
         "6 warning Package P has no schedule, so it has no time to run @ Package P › Schedule, "
         "Schedule"});
    row("start that is a protocol word",
        "VERSION 1.22\nUSER u\n" + kPwd +
            "PACKAGE P\n  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 16 UDP\nPACKAGE END\n",
        {"7 warning Start \"UDP\" is neither a time (HH:MM) nor a number of hours from 1 to "
         "9999 @ Package P › Target Server(s), row 1",
         "7 warning Target server \"S\": Start \"UDP\" is a protocol word, so a save would make "
         "it the protocol @ Package P › Target Server(s), row 1"});
    row("no target", clean(user + kPwd, "  SCHEDULE 1 MON\n  SOURCE S\n"),
        {"4 warning Package P has no target server @ Package P › Target Server(s), "});
    row("jobs",
        clean(user + kPwd, "  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\n  SYNCDIR ALL DEL "
                           "\"C:\\A\" \"VOL:B\"\n  SYNCFILE ALL DEL \"C:\\A\" \"/B\"\n  SYNCDIR "
                           "SOME ALL \"SYS:A\" \"VOL:B\"\n"),
        {"9 warning Neither path \"C:\\A\" nor \"/B\" is in the volume form (VOLUME:path) @ "
         "Package P › Files, row 1",
         "10 warning Transfer mode \"SOME\" is not one of ALL, NEW @ Package P › Directories, "
         "row 2",
         "10 warning Propagate deletions \"ALL\" is not one of DEL, NODEL @ Package P › "
         "Directories, row 2"});
    row("exclude",
        clean(user + kPwd, "  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\n  EXCLUDE "
                           "\"SYS:A\"\n  EXCLUDE \"D:\\TEMP\"\n"),
        {"9 warning Excluded path \"D:\\TEMP\" is not in the volume form (VOLUME:path) @ "
         "Package P › Exclude, row 2"});
    row("names",
        clean(user + kPwd, "  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\n",
              "PACKAGE P\n  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\nPACKAGE END\n"
              "APPLICATION A\n  DST_PACKAGE P\n  DST_PACKAGE Q\nAPPLICATION END\n"
              "APPLICATION A\nAPPLICATION END\n"),
        {"9 warning Two packages are named \"P\" @ Package P › Settings, ",
         "16 warning Destination package \"Q\" names no package of this file @ Application A, "
         "Destination packages",
         "18 warning Two applications are named \"A\" @ Application A, "});
    row("name with a blank",
        "VERSION 1.30\nUSER u\n" + kPwd +
            "PACKAGE Sales Servers\n  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\n"
            "PACKAGE END\nAPPLICATION A\n  DST_PACKAGE Sales\nAPPLICATION END\n",
        {"4 warning Package name \"Sales Servers\" holds a blank, so no application can name it "
         "as a destination @ Package Sales Servers › Settings, ",
         "10 warning Destination package \"Sales\" names no package of this file @ Application A, "
         "Destination packages"});
    row("skipped line", clean() + "FOO BAR\n", {"9 warning FOO BAR (unknown keyword) @ , "});
    row("application lines",
        clean(user + kPwd + "LOGDIR \"C:\\LOGS\\\"\n",
              "  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\n",
              "APPLICATION A\n  DST_PACKAGE P\n  APP_SERVER a,b\n  APP_PATH \"C:\\APPS\"\n"
              "  DST_PACKAGE Q\nAPPLICATION END\n"),
        {"4 warning Log directory \"C:\\LOGS\\\" is not in the volume form (VOLUME:path) @ "
         "Default settings, Log directory",
         "12 warning APP_SERVER a,b (surplus argument) @ , ",
         "13 warning Path \"C:\\APPS\" is not in the volume form (VOLUME:path) @ Application A, "
         "Path",
         "14 warning Destination package \"Q\" names no package of this file @ Application A, "
         "Destination packages"});
    row("schedules the week cannot place",
        clean(user + kPwd, "  SOURCE S\n  DEST S V MSGON 0\n",
              "PACKAGE Q\n  SCHEDULE +4 MON\n  SOURCE S\n  DEST S V MSGON 0 10000\n"
              "  DEST T V MSGON 0 9999\nPACKAGE END\n"),
        {"4 warning Package P has no schedule, so it has no time to run @ Package P › Schedule, "
         "Schedule",
         "9 warning Schedule \"+4\" is neither a time (HH:MM) nor a number of hours from 1 to "
         "9999 @ Package Q › Schedule, Schedule",
         "11 warning Start \"10000\" is neither a time (HH:MM) nor a number of hours from 1 to "
         "9999 @ Package Q › Target Server(s), row 1"});
    row("newer version",
        "VERSION 1.40\nUSER u\n" + kPwd +
            "PACKAGE P\n  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\nPACKAGE END\n",
        // One error at the version; the targets that were not read are not missing.
        {"1 error This configuration was written in a format newer than version 1.30. Its "
         "target servers could not be read, so Pallworth does not save it. @ , ",
         "7 warning DEST S V MSGON 0 (target under an unknown format version) @ , "});
    // Only at the second package is the file known not to be read whole.
    row("no target before an unknown target",
        "VERSION 1.25\nUSER u\n" + kPwd +
            "PACKAGE P\n  SCHEDULE 1 MON\n  SOURCE S\nPACKAGE END\n"
            "PACKAGE Q\n  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\nPACKAGE END\n",
        {"1 error This configuration declares the unknown format version \"1.25\". 1 DEST "
         "line(s) could not be read, so Pallworth does not save it. @ , ",
         "11 warning DEST S V MSGON 0 (target under an unknown format version) @ , "});
    row("old targets under 1.25",
        "VERSION 1.25\nUSER u\n" + kPwd +
            "PACKAGE P\n  SCHEDULE 1 MON\n  SOURCE S\n  DEST S V MSGON 0\nPACKAGE END\n",
        {"1 error This configuration declares the unknown format version \"1.25\". 1 DEST "
         "line(s) could not be read, so Pallworth does not save it. @ , ",
         "7 warning DEST S V MSGON 0 (target under an unknown format version) @ , "});
    const std::string tasks = "logfile C:\\Q.LOG\npollinterval 300\nlogseverity 0\n"
                              "logsize 256000\ntask C:\\A SYS:B 1 0 1\n";
    row("tasks clean", tasks, {}, "ini");
    row("task settings", tasks + "pollinterval 59\nlogseverity x\nlogsize 8388608\n",
        {"6 warning Polling interval \"59\" is outside 60-1440 @ Default settings, Polling "
         "interval",
         "7 warning Logging severity \"x\" is not a whole number @ Default settings, Logging "
         "severity"},
        "ini");
    row("task lines",
        tasks + "task C:\\A D:\\B 1 0 1\ntask SYS:A VOL:B 0 0 0\ntask C:\\A SYS:B 1 2 0\n"
                "task C:\\A\nbogus\ntask C:\\A,SYS:B\ntask C:\\A SYS:B 1\n",
        {"6 warning Both paths of the task are on workstation drives @ Tasks, row 2",
         "7 warning Both paths of the task are on network volumes @ Tasks, row 3",
         "8 warning The task \"C:\\A SYS:B 1 2 0\" has the flag \"2\" where 0 or 1 belongs @ "
         "Tasks, row 4",
         "9 warning The task \"C:\\A    \" does not read back as its five words: source, "
         "target and three flags @ Tasks, row 5",
         "10 warning bogus (unknown keyword) @ , ",
         // Flags a line leaves out stay out, so the warning names Quorrel's choice.
         "11 warning The task \"C:\\A SYS:B\" gives 0 of its three flags; Quorrel decides the "
         "others @ Tasks, row 6",
         "12 warning The task \"C:\\A SYS:B 1\" gives 1 of its three flags; Quorrel decides the "
         "others @ Tasks, row 7"},
        "ini");
}

void TestConfigChecks::eachCheck() {
    QFETCH(QString, kind);
    QFETCH(QString, bytes);
    QFETCH(QStringList, expected);
    const std::string text = bytes.toLatin1().toStdString();
    QCOMPARE(described(kind == QLatin1String("cfg") ? checkConfig(text) : checkTasks(text)),
             expected);
    if (kind == QLatin1String("cfg"))
        QCOMPARE(described(checkConfigByPackage(text)), expected);
}

void TestConfigChecks::richFile() {
    const std::vector<Problem> problems = checkConfig(dataFile("rich-1.30.cfg"));
    QCOMPARE(described(problems),
             QStringList({
                 "25 warning Package name \"Sales Servers\" holds a blank, so no application "
                 "can name it as a destination @ Package Sales Servers › Settings, ",
                 "61 warning Days to run names no day @ Package Archive › Schedule, Days to run",
                 "62 warning OFHANDLER SKIP 30 (surplus argument) @ , ",
                 "70 warning Destination package \"Sales\" names no package of this file @ "
                 "Application Office Suite, Destination packages",
             }));
    const Problem::Count count = Problem::count(problems);
    QCOMPARE(count.errors, 0);
    QCOMPARE(count.warnings, 4);
}

// Edits keep each entry's line with it; what the editor adds has none.
void TestConfigChecks::linesFollowEdits() {
    ConfigModel model = readConfig(clean({}, "  EXCLUDE \"A:1\"\n  EXCLUDE \"A:2\"\n  EXCLUDE "
                                             "\"A:3\"\n"));
    EntryList<std::string>& list = model.packages.at(1).excludes;
    list.move(3, 1);
    list.insertAfter(1, "NEW:x");
    list.remove(3);
    QCOMPARE(QList<quint32>({list.line(1), list.line(2), list.line(3)}), QList<quint32>({5, 0, 4}));
    QCOMPARE(model.packages.line(1), 2u);
    model.addPackage("Q");
    QCOMPARE(model.packages.line(2), 0u);
}

// After a save the problems point into the written file: each line is the
// one a read of that file gives.
void TestConfigChecks::linesAfterASave_data() {
    QTest::addColumn<QString>("file");
    for (const char* name : {"rich-1.30.cfg", "handwritten-1.30.cfg", "rich-1.10.cfg"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

void TestConfigChecks::linesAfterASave() {
    QFETCH(QString, file);
    ConfigModel model = readConfig(dataFile(file.toLatin1().constData()));
    // An edit moves later lines: a target removed, one added.
    PackageDesc& first = model.packages.at(1);
    first.targets.remove(1);
    first.targets.append(TargetServer("NEW", "VOL", "ON", "25:99", "0", "(default)"));
    const std::string written = ConfigWriter(OemCodePage(437)).write(model);
    const ConfigModel reread = readConfig(written);
    QVERIFY(described(ConfigChecks::run(model)) != described(ConfigChecks::run(reread)));
    model.takeLines(reread);
    QCOMPARE(described(ConfigChecks::run(model)), described(ConfigChecks::run(reread)));
}

void TestConfigChecks::taskLinesAfterASave() {
    TaskFileModel model;
    QVERIFY(TaskFileFormat::read(dataFile("tasks.ini"), model).ok);
    model.pollInterval = "30";
    model.tasks.remove(1);
    TaskFileModel reread;
    QVERIFY(TaskFileFormat::read(TaskFileFormat::write(model), reread).ok);
    QVERIFY(described(TaskFileChecks::run(model)) != described(TaskFileChecks::run(reread)));
    model.takeLines(reread);
    QCOMPARE(described(TaskFileChecks::run(model)), described(TaskFileChecks::run(reread)));
}

// Values only the editor can make: each is named before a save.
void TestConfigChecks::editedValuesThatWouldNotReadBack() {
    ConfigModel model = readConfig(clean());
    model.global.user = "an admin";
    PackageDesc& p = model.packages.at(1);
    p.name = "P ";
    p.preMsg = "say \"hi\"";
    p.targets.append(TargetServer("T", "V", "ON", "4", "", "(default)"));
    p.dirJobs.append(SyncJob("SYS:A", "VOL:B", "", "DEL"));
    model.addApplication("A")->dstServers = "S1,S2";
    QStringList problems = described(ConfigChecks::run(model));
    problems = problems.filter(QStringLiteral("save"));
    QCOMPARE(
        problems,
        QStringList({
            "0 warning Destination servers \"S1,S2\" hold a comma, a tab or a line break, so "
            "a save would not keep them @ Application A, Destination servers",
            // The edited user name goes on the line that holds it.
            "2 warning Username \"an admin\" holds a blank, a comma, a tab or a line break, "
            "so a save would split it @ Default settings, Username",
            "4 warning Package name \"P \" begins or ends with white space or holds a line "
            "break, so a save would not keep it @ Package P  › Settings, ",
            "4 warning Message \"say \"hi\"\" holds a double quote or a line break, so a save "
            "would cut it short @ Package P  › Messages, ",
            "4 warning Target server \"T\": The bandwidth limit is empty, so the word after "
            "it would be read as the limit after a save @ Package P  › Target Server(s), row 2",
            "4 warning Transfer mode is empty, so propagate deletions \"DEL\" would be read "
            "as the transfer mode after a save @ Package P  › Directories, row 1",
        }));
}

QTEST_APPLESS_MAIN(TestConfigChecks)
#include "tst_configchecks.moc"
