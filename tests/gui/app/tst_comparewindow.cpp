#include "TestSupport.h"
#include "gui/app/AppFixture.h"

#include "app/CompareWindow.h"
#include "config/SettingTable.h"
#include "framework/LocalPath.h"
#include "framework/TreeListDocument.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>

using namespace testsupport;

// The Compare window over a real main window: File > Compare With... and
// Compare with Saved list the differences, a double-click leads to the
// node and row, a setting is copied into the document and undone.
class TestCompareWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void compareCopyAndUndo_data();
    void compareCopyAndUndo();
    void copyEachKind_data();
    void copyEachKind();
    void rightClickCopiesTheClickedDifference();
    void copyRefused_data();
    void copyRefused();
    void showChangesFromTheQuestions_data();
    void showChangesFromTheQuestions();
    void unreadableFileIsTold_data();
    void unreadableFileIsTold();

private:
    TreeListDocument& document() const {
        return *qobject_cast<TreeListDocument*>(fixture_->documents().activeDocument());
    }
    QString write(const char* name, const QByteArray& bytes) {
        const QString path = work_.filePath(QLatin1String(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", name);
        return path;
    }
    // Runs a File menu command and gives the Compare window it opened.
    CompareWindow* run(const char* action) {
        fixture_->frame().findChild<QAction*>(QLatin1String(action))->trigger();
        const auto windows = fixture_->frame().findChildren<CompareWindow*>();
        return windows.isEmpty() ? nullptr : windows.last();
    }
    static QStringList shown(const CompareWindow& window) {
        QStringList lines;
        for (int g = 0; g < window.tree()->topLevelItemCount(); ++g) {
            const QTreeWidgetItem* group = window.tree()->topLevelItem(g);
            for (int i = 0; i < group->childCount(); ++i)
                lines << group->text(0) + QStringLiteral(" | ") + group->child(i)->text(0);
        }
        return lines;
    }
    static QTreeWidgetItem* item(const CompareWindow& window, const QString& line) {
        const QString text = line.section(QStringLiteral(" | "), 1);
        const auto found = window.tree()->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 ? found.front() : nullptr;
    }
    void click(const CompareWindow& window, QTreeWidgetItem* at, bool twice = false) {
        QTreeWidget* tree = window.tree();
        tree->scrollToItem(at);
        const QPoint point = tree->visualItemRect(at).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, point);
        if (twice)
            QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, point);
    }

    // Opens `mine` and compares it with `theirs` through File > Compare With...
    CompareWindow* compare(const QByteArray& mine, const QByteArray& theirs, bool config) {
        const QString path = write(config ? "mine.cfg" : "mine.ini", mine);
        fixture_->fileName = write(config ? "theirs.cfg" : "theirs.ini", theirs);
        if (fixture_->openKnown(path) == nullptr)
            return nullptr;
        return run("fileCompareWith");
    }
    void copyDifference(const CompareWindow& window, QTreeWidgetItem* difference) {
        QVERIFY(difference != nullptr);
        click(window, difference);
        QVERIFY(window.copyButton()->isEnabled());
        QTest::mouseClick(window.copyButton(), Qt::LeftButton);
    }
    // A key of the document's window, as the user presses it there.
    void press(QWidget* widget, Qt::Key key) {
        fixture_->frame().activateWindow();
        QTRY_VERIFY(fixture_->frame().isActiveWindow());
        QTest::keyClick(widget, key, Qt::ControlModifier);
    }
    void save() { press(&fixture_->frame(), Qt::Key_S); }
    void undo() { press(document().listView, Qt::Key_Z); }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
    QTemporaryDir work_;
};

void TestCompareWindow::init() {
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
}

void TestCompareWindow::cleanup() {
    seam_.reset();
    fixture_.reset();
}

void TestCompareWindow::compareCopyAndUndo_data() {
    QTest::addColumn<QByteArray>("mine");
    QTest::addColumn<QByteArray>("theirs");
    QTest::addColumn<QStringList>("differences");
    // Double-clicked: the node and the row it selects in the document.
    QTest::addColumn<QString>("visit");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("row");
    // Copied into the document, then undone.
    QTest::addColumn<QString>("copy");
    const QByteArray config =
        "VERSION 1.30\r\nUSER admin\r\nPWD " + QByteArray(80, 'a') +
        "\r\nMAXTHREADS 12\r\n\r\n"
        "PACKAGE Caf\xe9\r\n  SCHEDULE 22:00 MON\r\n  SOURCE SRV-MAIN\r\n"
        "  DEST SRV-B1 VOL1 MSGON 0\r\n  DEST SRV-B2 VOL1 MSGOFF 0 TCP 8:00\r\n"
        "PACKAGE END\r\n";
    QByteArray other = config;
    other.replace("MAXTHREADS 12", "MAXTHREADS 16")
        .replace("SCHEDULE 22:00", "SCHEDULE 23:30")
        .replace("MSGOFF 0", "MSGOFF 128");
    QTest::newRow("configuration")
        << config << other
        << QStringList{"Default settings | Max. threads: 12 → 16",
                       "package \"Café\" | Schedule › Schedule: 22:00 → 23:30",
                       "package \"Café\" | Target Server(s) › SRV-B2 › Bandwidth Limit: 0 → 128"}
        << "package \"Café\" | Target Server(s) › SRV-B2 › Bandwidth Limit: 0 → 128"
        << "Target Server(s)"
        << "SRV-B2"
        << "package \"Café\" | Schedule › Schedule: 22:00 → 23:30";
    const QByteArray application = config + "\r\nAPPLICATION Office\r\n  APP_SERVER SRV-APPS\r\n"
                                            "  APP_PATH \"APPS:\\OFFICE\"\r\nAPPLICATION END\r\n";
    QByteArray otherApplication = application;
    otherApplication.replace("APP_SERVER SRV-APPS", "APP_SERVER SRV-APPS2");
    QTest::newRow("application")
        << application << otherApplication
        << QStringList{"application \"Office\" | Server: SRV-APPS → SRV-APPS2"}
        << "application \"Office\" | Server: SRV-APPS → SRV-APPS2"
        << "Office"
        << "Server"
        << "application \"Office\" | Server: SRV-APPS → SRV-APPS2";
    QByteArray added = other;
    added.replace("MAXTHREADS 16", "MAXTHREADS 12")
        .replace("SCHEDULE 23:30", "SCHEDULE 22:00")
        .replace("MSGOFF 128", "MSGOFF 0")
        .replace("PACKAGE END", "  DEST SRV-B3 VOL2 MSGON 0\r\n  DEST SRV-B4 VOL2 MSGON 0\r\n"
                                "PACKAGE END");
    QTest::newRow("target added")
        << config << added
        << QStringList{"package \"Café\" | Target Server(s) › SRV-B3: added VOL2, ON, 0, (default)",
                       "package \"Café\" | Target Server(s) › SRV-B4: added VOL2, ON, 0, (default)"}
        << "package \"Café\" | Target Server(s) › SRV-B4: added VOL2, ON, 0, (default)"
        << "Target Server(s)"
        << ""
        << "package \"Café\" | Target Server(s) › SRV-B4: added VOL2, ON, 0, (default)";
    QTest::newRow("target field")
        << config << other
        << QStringList{"Default settings | Max. threads: 12 → 16",
                       "package \"Café\" | Schedule › Schedule: 22:00 → 23:30",
                       "package \"Café\" | Target Server(s) › SRV-B2 › "
                       "Bandwidth Limit: 0 → 128"}
        << "Default settings | Max. threads: 12 → 16"
        << "Default settings"
        << "Max. threads"
        << "package \"Café\" | Target Server(s) › SRV-B2 › Bandwidth Limit: 0 → 128";
    const QByteArray tasks = "logfile sys:\\logs\\q.log\r\npollinterval 120\r\n\r\n"
                             "task c:\\data sys:data 1 0 1\r\ntask c:\\web sys:web 1 0 0\r\n";
    QByteArray otherTasks = tasks;
    otherTasks.replace("pollinterval 120", "pollinterval 300").replace("sys:web 1", "sys:www 1");
    QTest::newRow("task file")
        << tasks << otherTasks
        << QStringList{"Default settings | Polling interval: 120 → 300",
                       "Tasks | c:\\web: c:\\web sys:web 1 0 0 → c:\\web sys:www 1 0 0"}
        << "Tasks | c:\\web: c:\\web sys:web 1 0 0 → c:\\web sys:www 1 0 0"
        << "Tasks"
        << "c:\\web"
        << "Default settings | Polling interval: 120 → 300";
    QByteArray fewerTasks = tasks;
    fewerTasks.replace("task c:\\data sys:data 1 0 1\r\n", "");
    QTest::newRow("task removed")
        << tasks << fewerTasks << QStringList{"Tasks | c:\\data: removed c:\\data sys:data 1 0 1"}
        << "Tasks | c:\\data: removed c:\\data sys:data 1 0 1"
        << "Tasks"
        << "c:\\data"
        << "Tasks | c:\\data: removed c:\\data sys:data 1 0 1";
}

void TestCompareWindow::compareCopyAndUndo() {
    QFETCH(QByteArray, mine);
    QFETCH(QByteArray, theirs);
    QFETCH(QStringList, differences);
    QFETCH(QString, visit);
    QFETCH(QString, node);
    QFETCH(QString, row);
    QFETCH(QString, copy);
    const bool config = node != QLatin1String("Tasks");
    const QString path = write(config ? "mine.cfg" : "mine.ini", mine);
    fixture_->fileName = write(config ? "theirs.cfg" : "theirs.ini", theirs);
    QVERIFY(fixture_->openKnown(path) != nullptr);

    // Nothing changed since the file was read.
    CompareWindow* saved = run("fileCompareSaved");
    QVERIFY(saved != nullptr);
    QCOMPARE(saved->findChild<QLabel*>(QStringLiteral("compareSummary"))->text(),
             QStringLiteral("No differences."));
    saved->close();

    CompareWindow* window = run("fileCompareWith");
    QVERIFY(window != nullptr);
    QCOMPARE(shown(*window), differences);
    // Set PALLWORTH_COMPARE_SCREENSHOT to a file name to keep a picture of
    // the window.
    const QString screenshot = qEnvironmentVariable("PALLWORTH_COMPARE_SCREENSHOT");
    if (QTest::currentDataTag() == QLatin1String("configuration") && !screenshot.isEmpty())
        QVERIFY(window->grab().save(screenshot));

    // A double-click leads to the node and row in the document's window.
    QTreeWidgetItem* visited = item(*window, visit);
    QVERIFY(visited != nullptr);
    click(*window, visited, true);
    QCOMPARE(document().treeView->currentItem()->text(0), node);
    // An entry the document lacks selects no row.
    const QTreeWidgetItem* current = document().listView->currentItem();
    QCOMPARE(current != nullptr ? current->text(0) : QString(), row);
    // A group is no difference to copy.
    click(*window, window->tree()->topLevelItem(0));
    QVERIFY(!window->copyButton()->isEnabled());
    click(*window, item(*window, copy));
    QVERIFY(window->copyButton()->isEnabled());
    QTest::mouseClick(window->copyButton(), Qt::LeftButton);
    QStringList left = differences;
    left.removeOne(copy);
    QCOMPARE(shown(*window), left);
    QVERIFY(document().isModified());
    QVERIFY(fixture_->frame()
                .findChild<QAction*>(QStringLiteral("editUndo"))
                ->text()
                .startsWith(QStringLiteral("Undo Copy")));

    // The document now differs from its saved file by that value alone.
    CompareWindow* changes = run("fileCompareSaved");
    QCOMPARE(shown(*changes).size(), 1);

    // One undo in the document's window takes the copy back, and both
    // Compare windows follow.
    fixture_->frame().activateWindow();
    QTRY_VERIFY(fixture_->frame().isActiveWindow());
    QTest::keyClick(document().listView, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(shown(*window), differences);
    QCOMPARE(shown(*changes), QStringList());
    QVERIFY(!document().isModified());

    // Copied again and saved: the saved file is what the document holds, and
    // nothing else of it changed.
    click(*window, item(*window, copy));
    QTest::mouseClick(window->copyButton(), Qt::LeftButton);
    QTest::keyClick(&fixture_->frame(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fixture_->messages, QStringList());
    QVERIFY(!document().isModified());
    QCOMPARE(shown(*changes), QStringList());
    const QStringList afterSave =
        run("fileCompareWith") != nullptr
            ? shown(*fixture_->frame().findChildren<CompareWindow*>().last())
            : QStringList();
    QCOMPARE(afterSave, left);
}

namespace {

// The bytes from the line that starts with `first` to the end of the first
// `last` after it.
QByteArray block(const QByteArray& bytes, const char* first, const char* last) {
    const qsizetype from = bytes.indexOf(first);
    const qsizetype to = bytes.indexOf(last, from);
    return from < 0 || to < 0 ? QByteArray() : bytes.mid(from, to - from + qstrlen(last));
}

// `bytes` with the one place of `before` replaced.
QByteArray replaced(QByteArray bytes, const QByteArray& before, const QByteArray& after) {
    if (bytes.count(before) != 1)
        qFatal("test data holds %s not once", before.constData());
    return bytes.replace(before, after);
}

} // namespace

void TestCompareWindow::copyEachKind_data() {
    QTest::addColumn<QByteArray>("mine");
    QTest::addColumn<QByteArray>("theirs");
    QTest::addColumn<QStringList>("differences");
    // The difference copied; all of `differences` go with it.
    QTest::addColumn<QString>("copy");
    // A configuration as the editor writes it, comments and all.
    const QByteArray rich = QByteArray::fromStdString(dataFile("rich-1.30.expected.cfg"));
    const QByteArray sales = block(rich, "PACKAGE Sales Servers", "PACKAGE END\r\n\r\n");
    const QByteArray archive = block(rich, "PACKAGE Archive", "PACKAGE END\r\n\r\n");
    const QByteArray office = block(rich, "APPLICATION Office", "APPLICATION END\r\n\r\n");
    const QByteArray bare = block(rich, "APPLICATION Bare", "APPLICATION END\r\n\r\n");
    const QByteArray noArchive = replaced(rich, archive, {});
    const auto row = [](const char* name, const QByteArray& mine, const QByteArray& theirs,
                        const QStringList& differences) {
        QTest::newRow(name) << mine << theirs << differences << differences.front();
    };
    row("package added", noArchive, rich, {"package \"Archive\" | added"});
    row("package removed", rich, noArchive, {"package \"Archive\" | removed"});
    // A record and an entry go in with the comments written before them.
    const QByteArray noted = replaced(rich, "  SOURCE SRV-ARCH\r\n",
                                      "; tapes go off-site on Fridays\r\n  SOURCE SRV-ARCH\r\n");
    row("package added with a comment",
        replaced(noted, block(noted, "PACKAGE Archive", "PACKAGE END\r\n\r\n"), {}), noted,
        {"package \"Archive\" | added"});
    row("target added with a comment", rich,
        replaced(
            rich, "  DEST SRV-B4 VOL1 MSGOFF 0\r\n",
            "  DEST SRV-B4 VOL1 MSGOFF 0\r\n; spare, from May\r\n  DEST SRV-B5 VOL1 MSGON 0\r\n"),
        {"package \"Sales Servers\" | Target Server(s) › SRV-B5: added VOL1, ON, 0, (default)",
         "package \"Sales Servers\" | line kept as written: added \"; spare, from May\""});
    row("application added", replaced(rich, bare, {}), rich, {"application \"Bare\" | added"});
    row("package renamed", rich, replaced(rich, "PACKAGE Archive \r\n", "PACKAGE B\xfcro \r\n"),
        {"package \"Archive\" | renamed Archive → Büro"});
    row("package moved", rich, replaced(rich, sales + archive, archive + sales),
        {"package \"Sales Servers\" | moved 1 → 2"});
    row("application moved", rich, replaced(rich, office + bare, bare + office),
        {"application \"Office Suite\" | moved 1 → 2"});
    row("password", rich, replaced(rich, "PWD 2f2f", "PWD 3a2f"),
        {"Default settings | Password: (set) → (another)"});
    // The window's start, its end and whether it applies are one setting.
    row("time restriction", rich,
        replaced(replaced(rich, "STARTJOB 22:00", "STARTJOB 21:30"), "ENDJOB 06:00",
                 "ENDJOB 05:00"),
        {"Default settings | Time restriction: 22:00 → 21:30",
         "Default settings | ENDJOB: 06:00 → 05:00"});
    row("open files", rich, replaced(rich, "  OFHANDLER ALERT 60", "  OFHANDLER CLEAR 90"),
        {"package \"Sales Servers\" | Settings › Open file handling method: ALERT 60 → CLEAR 90"});
    const QByteArray firstTarget = "  DEST SRV-B1 VOL1 MSGON 0 TCP 08:00\r\n";
    const QByteArray lastTarget = "  DEST SRV-B4 VOL1 MSGOFF 0\r\n";
    row("target moved", rich,
        replaced(replaced(rich, firstTarget, {}), lastTarget, lastTarget + firstTarget),
        {"package \"Sales Servers\" | Target Server(s) › SRV-B1: moved 1 → 4"});
    // A task file as the editor writes it.
    const QByteArray firstTask = "task c:\\data sys:data 1 0 1 \r\n";
    const QByteArray otherTasks =
        "task c:\\web sys:web 1 0 0 \r\ntask c:\\reports sys:reports 0 1 0 \r\n";
    const QByteArray tasks = QByteArray::fromStdString(dataFile("new.expected.ini"));
    row("task moved", tasks + firstTask + otherTasks, tasks + otherTasks + firstTask,
        {"Tasks | c:\\data: moved 1 → 3"});
}

// A copy makes the document's file what the other file is, as one undo step
// that Ctrl+Z takes back whole; copied back from Compare with Saved, where
// the document is the newer side, it makes the document what it was read.
void TestCompareWindow::copyEachKind() {
    QFETCH(QByteArray, mine);
    QFETCH(QByteArray, theirs);
    QFETCH(QStringList, differences);
    QFETCH(QString, copy);
    const bool config = !QByteArray(QTest::currentDataTag()).startsWith("task");
    CompareWindow* window = compare(mine, theirs, config);
    QVERIFY(window != nullptr);
    QCOMPARE(shown(*window), differences);
    QCOMPARE(fixture_->messages, QStringList());
    copyDifference(*window, item(*window, copy));
    QCOMPARE(shown(*window), QStringList());
    QCOMPARE(document().undoStack().count(), 1);

    CompareWindow* saved = run("fileCompareSaved");
    QCOMPARE(shown(*saved).size(), differences.size());
    copyDifference(*saved, saved->tree()->topLevelItem(0)->child(0));
    QCOMPARE(shown(*saved), QStringList());
    QCOMPARE(shown(*window), differences);
    QCOMPARE(document().undoStack().count(), 2);

    // Each Ctrl+Z takes one copy back; each save writes what the document
    // holds then.
    undo();
    QCOMPARE(shown(*window), QStringList());
    save();
    QCOMPARE(fixture_->messages, QStringList());
    QCOMPARE(fileBytes(document().filePath()), theirs);
    undo();
    QCOMPARE(shown(*window), differences);
    QVERIFY(document().isModified());
    save();
    QCOMPARE(fileBytes(document().filePath()), mine);
}

// The context menu copies the difference right-clicked, not the one
// selected before.
void TestCompareWindow::rightClickCopiesTheClickedDifference() {
    const QByteArray mine = "VERSION 1.30\r\nUSER admin\r\nPWD " + QByteArray(80, 'a') +
                            "\r\nMAXTHREADS 12\r\nRETRYCOUNT 3\r\n";
    CompareWindow* window = compare(
        mine,
        replaced(replaced(mine, "MAXTHREADS 12", "MAXTHREADS 16"), "RETRYCOUNT 3", "RETRYCOUNT 5"),
        true);
    QVERIFY(window != nullptr);
    const QString threads = "Default settings | Max. threads: 12 → 16";
    const QString retries = "Default settings | Number of times a failed job can be retried: 3 → 5";
    QCOMPARE(shown(*window), (QStringList{threads, retries}));
    click(*window, item(*window, threads));
    QWidget* viewport = window->tree()->viewport();
    const QPoint point = window->tree()->visualItemRect(item(*window, retries)).center();
    QTest::mousePress(viewport, Qt::RightButton, {}, point);
    QTest::mouseRelease(viewport, Qt::RightButton, {}, point);
    QTimer::singleShot(0, [] {
        if (QWidget* menu = QApplication::activePopupWidget()) {
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        }
    });
    QContextMenuEvent menu(QContextMenuEvent::Mouse, point, viewport->mapToGlobal(point));
    QApplication::sendEvent(viewport, &menu);
    QCOMPARE(shown(*window), QStringList{threads});
}

void TestCompareWindow::copyRefused_data() {
    QTest::addColumn<QByteArray>("mine");
    QTest::addColumn<QByteArray>("theirs");
    // Empty: the button is greyed.
    QTest::addColumn<QString>("message");
    const QByteArray rich = QByteArray::fromStdString(dataFile("rich-1.30.expected.cfg"));
    QTest::newRow("kept line") << rich
                               << replaced(rich, "  SOURCE SRV-MAIN\r\n",
                                           "; moved from SRV-OLD in May\r\n  SOURCE SRV-MAIN\r\n")
                               << QString();
    const QByteArray newer =
        "VERSION 1.40\r\nUSER admin\r\nPWD " + QByteArray(80, 'a') + "\r\nMAXTHREADS 12\r\n";
    QTest::newRow("read-only document")
        << newer << replaced(newer, "MAXTHREADS 12", "MAXTHREADS 16") << QString();
    // The document holds the name twice; renaming its other package to it
    // would make three.
    const QByteArray twice = replaced(rich, "PACKAGE Sales Servers \r\n", "PACKAGE Backup \r\n");
    QTest::newRow("name taken")
        << twice << replaced(twice, "PACKAGE Archive \r\n", "PACKAGE Backup \r\n")
        << "\"Backup\" is the name of another record. Rename that one first.";
}

// What a copy cannot take leaves the document as it is, and says why.
void TestCompareWindow::copyRefused() {
    QFETCH(QByteArray, mine);
    QFETCH(QByteArray, theirs);
    QFETCH(QString, message);
    CompareWindow* window = compare(mine, theirs, true);
    QVERIFY(window != nullptr);
    fixture_->messages.clear();
    const QStringList differences = shown(*window);
    QCOMPARE(differences.size(), 1);
    click(*window, window->tree()->topLevelItem(0)->child(0));
    QCOMPARE(window->copyButton()->isEnabled(), !message.isEmpty());
    QCOMPARE(window->findChild<QAction*>(QStringLiteral("copyToDocumentAction"))->isEnabled(),
             !message.isEmpty());
    QTest::mouseClick(window->copyButton(), Qt::LeftButton);
    QCOMPARE(fixture_->messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(document().undoStack().count(), 0);
    QCOMPARE(shown(*window), differences);
}

void TestCompareWindow::showChangesFromTheQuestions_data() {
    QTest::addColumn<bool>("onDisk");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QStringList>("differences");
    QTest::newRow("save question") << false << "Save changes to mine.cfg?"
                                   << QStringList{"Default settings | Max. threads: 12 → 16"};
    QTest::newRow("file changed on disk")
        << true << "mine.cfg was changed by another program.\nReload it?"
        << QStringList{"Default settings | Max. threads: 12 → 20"};
}

// "Show changes" answers either question with the Compare window, and the
// document stays as it is.
void TestCompareWindow::showChangesFromTheQuestions() {
    QFETCH(bool, onDisk);
    QFETCH(QString, question);
    QFETCH(QStringList, differences);
    const QString path = write("mine.cfg", "VERSION 1.30\r\nUSER admin\r\nMAXTHREADS 12\r\n");
    QVERIFY(fixture_->openKnown(path) != nullptr);
    fixture_->answer = QMessageBox::Apply;
    if (onDisk) {
        QTest::qWait(20);
        QVERIFY(FileStore::writeAtomically(LocalPath::toBytes(path),
                                           "VERSION 1.30\r\nUSER admin\r\nMAXTHREADS 20\r\n")
                    .ok);
        QTRY_VERIFY(!fixture_->frame().findChildren<CompareWindow*>().isEmpty());
    } else {
        QVERIFY(document().showPlace(DetailKind::DefaultSettings, 0,
                                     &SettingTable::of(GlobalSettings::Key::MaxThreads).label, 0));
        fixture_->onDialog = AppFixture::typeAndOk(QStringLiteral("16"));
        QTest::keyClick(document().listView, Qt::Key_Return);
        QVERIFY(document().isModified());
        fixture_->frame().findChild<QAction*>(QStringLiteral("fileClose"))->trigger();
    }
    QCOMPARE(fixture_->messages, QStringList{question});
    const auto windows = fixture_->frame().findChildren<CompareWindow*>();
    QCOMPARE(windows.size(), 1);
    QCOMPARE(shown(*windows.front()), differences);
    QCOMPARE(fixture_->documents().documents().size(), 1);
    QCOMPARE(document().isModified(), !onDisk);
}

void TestCompareWindow::unreadableFileIsTold_data() {
    QTest::addColumn<QString>("other");
    QTest::addColumn<QString>("message");
    QTest::newRow("missing") << "gone.cfg"
                             << "gone.cfg";
    QTest::newRow("a task file") << "tasks.cfg"
                                 << "does not look like a configuration";
}

void TestCompareWindow::unreadableFileIsTold() {
    QFETCH(QString, other);
    QFETCH(QString, message);
    write("tasks.cfg", "logfile sys:\\q.log\r\npollinterval 120\r\ntask c:\\a sys:a\r\n");
    QVERIFY(fixture_->openKnown(write("mine.cfg", "VERSION 1.30\r\nUSER admin\r\n")) != nullptr);
    fixture_->fileName = work_.filePath(other);
    QCOMPARE(run("fileCompareWith"), nullptr);
    QCOMPARE(fixture_->messages.size(), 1);
    QVERIFY2(fixture_->messages.front().contains(message), qPrintable(fixture_->messages.front()));
}

QTEST_MAIN(TestCompareWindow)
#include "tst_comparewindow.moc"
