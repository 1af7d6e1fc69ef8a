#include "TestSupport.h"

#include "taskfile/TaskClip.h"
#include "taskfile/TaskFileFormat.h"

#include <QTest>

using namespace testsupport;

namespace {

TaskFileModel readTasks(std::string_view bytes) {
    TaskFileModel m;
    const ReadStatus status = TaskFileFormat::read(bytes, m);
    if (!status.ok)
        qWarning("read failed: %s", status.error.c_str());
    return m;
}

} // namespace

class TestTaskFile : public QObject {
    Q_OBJECT

private slots:
    void emptyFileGivesDefaultsAndTheFixedLines();
    void taskLinesReadAndWritten_data();
    void taskLinesReadAndWritten();
    void settingsAndComments();
    void orderAndRoundTrip();
    void moreThan999TasksRefused();
    void junkAndLongLines();
    void pastedTextReadAsTasks_data();
    void pastedTextReadAsTasks();
};

void TestTaskFile::emptyFileGivesDefaultsAndTheFixedLines() {
    const TaskFileModel m = readTasks("");
    QCOMPARE(m.logFilePath, std::string("sys:\\etc\\quorrel.log"));
    QCOMPARE(m.pollInterval, std::string("300"));
    QCOMPARE(m.logSeverity, std::string("0"));
    QCOMPARE(m.maxLogSize, std::string("256000"));
    QCOMPARE(m.tasks.count(), 0);
    const std::string written = TaskFileFormat::write(m);
    QCOMPARE(written, dataFile("new.expected.ini"));
    QCOMPARE(std::count(written.begin(), written.end(), '\n'), 28L);
    QVERIFY(written.starts_with("# Quorrel config file \r\n"));
    QVERIFY(written.ends_with("# 1 - remove these files\r\n\r\n"));
}

void TestTaskFile::taskLinesReadAndWritten_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("task");
    QTest::addColumn<QString>("written");
    QTest::newRow("upper keyword") << QStringLiteral("TASK c:\\data sys:data 1 0 1")
                                   << QStringLiteral("c:\\data sys:data 1 0 1")
                                   << QStringLiteral("task c:\\data sys:data 1 0 1 \r\n");
    QTest::newRow("two values") << QStringLiteral("task a,b") << QStringLiteral("a b   ")
                                << QStringLiteral("task a b    \r\n");
    QTest::newRow("mixed case, extra words")
        << QStringLiteral("  Task\ta b 0 0 0 extra") << QStringLiteral("a b 0 0 0")
        << QStringLiteral("task a b 0 0 0 \r\n");
}

void TestTaskFile::taskLinesReadAndWritten() {
    QFETCH(QString, line);
    QFETCH(QString, task);
    QFETCH(QString, written);
    const TaskFileModel m = readTasks(line.toStdString() + "\r\n");
    QCOMPARE(m.tasks.count(), 1);
    QCOMPARE(m.tasks.at(1), task.toStdString());
    const std::string out = TaskFileFormat::write(m);
    QVERIFY(out.ends_with(written.toStdString()));
    QCOMPARE(readTasks(out), m);
}

void TestTaskFile::settingsAndComments() {
    const TaskFileModel m = readTasks("  ;logsize 10\n#logsize 11\nlogsize 12 # note\n"
                                      "pollinterval 5\npollinterval 6\nlogseverity\n"
                                      "LOGFILE c:\\q.log;x\n,,,\nunknown 1\n");
    QCOMPARE(m.maxLogSize, std::string("12"));
    QCOMPARE(m.pollInterval, std::string("6"));
    QCOMPARE(m.logSeverity, std::string());
    QCOMPARE(m.logFilePath, std::string("c:\\q.log;x"));
    const std::string out = TaskFileFormat::write(m);
    QVERIFY(out.find("\r\nlogfile c:\\q.log;x\r\n") != std::string::npos);
    QVERIFY(out.find("\r\nlogseverity \r\n") != std::string::npos);
}

void TestTaskFile::orderAndRoundTrip() {
    TaskFileModel m;
    m.resetToNew();
    for (const char* t : {"c:\\b x:b 0 0 0", "c:\\a x:a 1 1 1", "c:\\c x:c 2 0 1"})
        m.tasks.append(t);
    m.maxLogSize = "1000";
    const TaskFileModel back = readTasks(TaskFileFormat::write(m));
    QCOMPARE(back, m);
    QCOMPARE(back.tasks.at(1), std::string("c:\\b x:b 0 0 0"));
    QCOMPARE(back.tasks.at(3), std::string("c:\\c x:c 2 0 1"));
}

void TestTaskFile::moreThan999TasksRefused() {
    std::string bytes;
    for (int i = 0; i < 999; ++i)
        bytes += "task a b 0 0 0\n";
    QCOMPARE(readTasks(bytes).tasks.count(), 999);
    bytes += "task a b 0 0 0\n";
    TaskFileModel m;
    const ReadStatus status = TaskFileFormat::read(bytes, m);
    QVERIFY(!status.ok);
    QCOMPARE(status.error,
             std::string("The file has more than 999 tasks; a task file holds at most 999."));
    QCOMPARE(TaskClip::read(bytes).error, status.error);
}

void TestTaskFile::junkAndLongLines() {
    const std::string longPath(70000, 'p');
    const TaskFileModel m =
        readTasks("task " + longPath + " d 1 1 1\r\n" + std::string("\0\xFF\r\rtask\0 x\n", 12));
    QCOMPARE(m.tasks.count(), 1);
    QCOMPARE(m.tasks.at(1), longPath + " d 1 1 1");
    QCOMPARE(readTasks(TaskFileFormat::write(m)), m);
}

// The lines of a read that do not go in as plain tasks, "number:fate:text".
QStringList othersOf(const TaskClip::Read& read) {
    QStringList lines;
    for (const TaskClip::Line& line : read.others)
        lines << QStringLiteral("%1:%2:%3")
                     .arg(line.number)
                     .arg("LCK"[static_cast<int>(line.fate)])
                     .arg(QString::fromLatin1(line.text));
    return lines;
}

void TestTaskFile::pastedTextReadAsTasks_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("tasks");
    QTest::addColumn<QStringList>("others");
    QTest::newRow("task lines, LF")
        << QByteArray("task c:\\a sys:a 1 0 1\ntask d:\\b v:b 0 0 0") << 2 << QStringList();
    QTest::newRow("unknown keyword between, comment after")
        << QByteArray("task c:\\a s:a 1 1 1\r\nhello there\r\ntask c:\\b s:b 1 1 1\r\n"
                      "# bye\r\n\r\n")
        << 2 << QStringList{"2:K:hello there", "4:L:# bye"};
    QTest::newRow("settings and surplus words")
        << QByteArray("; note\nlogfile c:\\q.log\ntask c:\\a s:a 1 1 1 more\nlogsize 9000\n") << 1
        << QStringList{"1:L:; note", "2:L:logfile c:\\q.log", "3:C:task c:\\a s:a 1 1 1 more",
                       "4:L:logsize 9000"};
    QTest::newRow("a whole file: the writer's comments are no loss")
        << QByteArray::fromStdString(dataFile("new.expected.ini") + "task c:\\a s:a 0 0 0 \r\n")
        << 1
        << QStringList{"5:L:logfile sys:\\etc\\quorrel.log", "8:L:pollinterval 300",
                       "11:L:logseverity 0", "14:L:logsize 256000"};
    QTest::newRow("no task file") << QByteArray("Dear admin,\n  please copy the reports.\n") << 0
                                  << QStringList{"1:L:Dear admin,", "2:L:please copy the reports."};
    QTest::newRow("Windows-1252 path")
        << QByteArray("task d:\\m\xFCller v:m\xFCller 1 1 1\r\n") << 1 << QStringList();
}

void TestTaskFile::pastedTextReadAsTasks() {
    QFETCH(QByteArray, text);
    QFETCH(int, tasks);
    QFETCH(QStringList, others);
    const TaskClip::Read read = TaskClip::read(text.toStdString());
    QVERIFY(read.error.empty());
    QCOMPARE(read.tasks.count(), tasks);
    QCOMPARE(othersOf(read), others);
    // What goes in is written back as the same task lines.
    std::vector<int> all;
    for (int i = 1; i <= tasks; ++i)
        all.push_back(i);
    QCOMPARE(TaskClip::read(TaskClip::write(read.tasks, all)).tasks, read.tasks);
}

QTEST_APPLESS_MAIN(TestTaskFile)
#include "tst_taskfile.moc"
