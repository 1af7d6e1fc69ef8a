#include "TestSupport.h"
#include "gui/app/AppFixture.h"

#include "app/ProblemsPanel.h"
#include "framework/TreeListDocument.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTreeWidget>

using namespace testsupport;

// The Problems panel over a real main window: it opens on a file with
// errors, leads to the node and row of a problem, and follows an edit.
class TestProblemsPanel : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void activatingSelectsNodeAndRow_data();
    void activatingSelectsNodeAndRow();
    void activatingLeadsToPackageAndTaskRows_data();
    void activatingLeadsToPackageAndTaskRows();
    void fixingAValueRemovesItsProblem();
    void linesFollowSavesAndUndo();

private:
    ProblemsPanel& panel() const { return *fixture_->frame().problemsPanel(); }
    TreeListDocument& document() const {
        return *qobject_cast<TreeListDocument*>(fixture_->documents().activeDocument());
    }
    // Selects the problem with this message in the panel and presses Enter,
    // or double-clicks it.
    void activate(const QString& message, bool doubleClick = false) {
        QTreeWidget* list = panel().list();
        const QList<QTreeWidgetItem*> found = list->findItems(message, Qt::MatchExactly);
        QVERIFY2(found.size() == 1, qPrintable(message));
        if (doubleClick) {
            const QPoint at = list->visualItemRect(found.front()).center();
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
            return;
        }
        list->setCurrentItem(found.front());
        QTest::keyClick(list, Qt::Key_Return);
    }
    // The place column of the problem with this message.
    QString placeOf(const QString& message) const {
        const QList<QTreeWidgetItem*> found = panel().list()->findItems(message, Qt::MatchExactly);
        return found.size() == 1 ? found.front()->text(1) : QString();
    }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
    QTemporaryDir work_;
};

void TestProblemsPanel::init() {
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
    const QString path = work_.filePath(QStringLiteral("problems.cfg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("VERSION 1.30\nPWD " + QByteArray(80, 'a') +
               "\nMAXTHREADS 500\nPACKAGE P\n  SCHEDULE 08:00 MON\n  SOURCE S\n"
               "  DEST T1 V MSGON 0\n  DEST T2 V MSGON 2000000\nPACKAGE END\nFOO\n"
               "APPLICATION Office\n  APP_PATH \"C:\\APPS\"\n  DST_PACKAGE Q\n"
               "APPLICATION END\n");
    file.close();
    // Its unknown keyword is kept as written: nothing to warn of on open, but
    // the panel lists it.
    QVERIFY(fixture_->documents().openFile(path) != nullptr);
    QCOMPARE(fixture_->messages.size(), 0);
    QVERIFY(panel().isVisible());
}

void TestProblemsPanel::cleanup() {
    seam_.reset();
    fixture_.reset();
}

void TestProblemsPanel::activatingSelectsNodeAndRow_data() {
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("location");
    QTest::addColumn<bool>("doubleClick");
    QTest::newRow("setting") << "Max. threads \"500\" is outside 1-100"
                             << "Default settings"
                             << "Max. threads"
                             << "Default settings, Max. threads, line 3" << false;
    QTest::newRow("entry") << "Bandwidth limit \"2000000\" is outside 0-1000000"
                           << "Target Server(s)"
                           << "T2"
                           << "Package P › Target Server(s), row 2, line 8" << true;
    QTest::newRow("save rule") << "Please specify a username"
                               << "Default settings"
                               << "Username"
                               << "Default settings, Username" << false;
    QTest::newRow("application") << "Destination package \"Q\" names no package of this file"
                                 << "Office"
                                 << "Destination packages"
                                 << "Application Office, Destination packages, line 13" << false;
    QTest::newRow("application path") << "Path \"C:\\APPS\" is not in the volume form (VOLUME:path)"
                                      << "Office"
                                      << "Path"
                                      << "Application Office, Path, line 12" << true;
}

void TestProblemsPanel::activatingSelectsNodeAndRow() {
    QFETCH(QString, message);
    QFETCH(QString, node);
    QFETCH(QString, row);
    QFETCH(QString, location);
    QFETCH(bool, doubleClick);
    QTRY_COMPARE(panel().countLabel()->text(), QStringLiteral("1 error, 5 warnings"));
    // A filter that hides the package must not hide the node a problem leads to.
    auto* filter = fixture_->frame().findChild<QLineEdit*>(QStringLiteral("treeFilter"));
    QVERIFY(filter != nullptr);
    QTest::keyClicks(filter, QStringLiteral("zzz"));
    activate(message, doubleClick);
    QCOMPARE(panel().list()->currentItem()->text(1), location);
    QCOMPARE(document().treeView->currentItem()->text(0), node);
    for (auto* shown = document().treeView->currentItem(); shown != nullptr;
         shown = shown->parent())
        QVERIFY2(!shown->isHidden(), qPrintable(shown->text(0)));
    QTreeWidget* list = document().listView;
    QVERIFY(list->currentItem() != nullptr);
    QCOMPARE(list->currentItem()->text(0), row);
}

void TestProblemsPanel::activatingLeadsToPackageAndTaskRows_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("row");
    const QByteArray package = "VERSION 1.30\nUSER admin\nPWD " + QByteArray(80, 'a') +
                               "\nPACKAGE P\n  SOURCE S\n  DEST T V MSGON 0\n";
    QTest::newRow("package setting")
        << "setting.cfg" << package + "  SCHEDULE 08:00 MON\n  SYNCMODE COPY\nPACKAGE END\n"
        << "Sync mode \"COPY\" is not one of OVERWRITE, REPLACE"
        << "Settings"
        << "Sync mode";
    QTest::newRow("package schedule")
        << "schedule.cfg" << package + "  SCHEDULE 08:00\nPACKAGE END\n"
        << "Days to run names no day"
        << "Schedule"
        << "Days to run";
    const QByteArray tasks = "logfile sys:\\logs\\q.log\npollinterval 300\nlogseverity 2\n"
                             "logsize 512000\ntask c:\\data sys:data 1 0 1\n";
    QTest::newRow("task setting") << "setting.ini" << tasks
                                  << "Logging severity \"2\" is outside 0-1"
                                  << "Default settings"
                                  << "Logging severity";
    QTest::newRow("task") << "task.ini" << tasks + "task c:\\a d:\\b 1 0 1\n"
                          << "Both paths of the task are on workstation drives"
                          << "Tasks"
                          << "c:\\a";
}

// A problem of a package's property node or of a task file leads to its node
// and row as well.
void TestProblemsPanel::activatingLeadsToPackageAndTaskRows() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(QString, message);
    QFETCH(QString, node);
    QFETCH(QString, row);
    const QString path = work_.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
    file.close();
    QVERIFY(fixture_->documents().openFile(path) != nullptr);
    QTRY_VERIFY(!panel().list()->findItems(message, Qt::MatchExactly).isEmpty());
    activate(message);
    QCOMPARE(document().treeView->currentItem()->text(0), node);
    QTreeWidget* list = document().listView;
    QVERIFY(list->currentItem() != nullptr);
    QCOMPARE(list->currentItem()->text(0), row);
}

void TestProblemsPanel::fixingAValueRemovesItsProblem() {
    // The line the reader passed over is listed too.
    QTRY_COMPARE(panel().countLabel()->text(), QStringLiteral("1 error, 5 warnings"));
    const QList<QTreeWidgetItem*> skipped =
        panel().list()->findItems(QStringLiteral("FOO (unknown keyword)"), Qt::MatchExactly);
    QCOMPARE(skipped.size(), 1);
    QCOMPARE(skipped.front()->text(1), QStringLiteral("line 10"));
    activate(QStringLiteral("Max. threads \"500\" is outside 1-100"));
    fixture_->onDialog = AppFixture::typeAndOk(QStringLiteral("50"));
    QTest::keyClick(document().listView, Qt::Key_Return);
    QCOMPARE(fixture_->dialogsRun, 1);
    QTRY_COMPARE(panel().countLabel()->text(), QStringLiteral("1 error, 4 warnings"));
    QCOMPARE(panel().list()->findItems(QStringLiteral("Max. threads \"500\" is outside 1-100"),
                                       Qt::MatchExactly),
             QList<QTreeWidgetItem*>());
}

namespace {

// Each problem with a line and a quoted value: that value stands on its line
// of the file on disk. Returns how many were compared.
int compareWithDisk(const QTreeWidget& list, const QString& path) {
    const QList<QByteArray> lines = fileBytes(path).split('\n');
    static const QRegularExpression lineNumber(QStringLiteral("line (\\d+)$"));
    static const QRegularExpression quoted(QStringLiteral("\"([^\"]+)\""));
    int compared = 0;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list.topLevelItem(i);
        const QRegularExpressionMatch at = lineNumber.match(item->text(1));
        const QRegularExpressionMatch value = quoted.match(item->text(0));
        if (!at.hasMatch() || !value.hasMatch())
            continue;
        const int line = at.captured(1).toInt();
        if (line < 1 || line > lines.size() ||
            !QString::fromLatin1(lines[line - 1]).contains(value.captured(1))) {
            qWarning("%s at %s", qPrintable(item->text(0)), qPrintable(item->text(1)));
            return -1;
        }
        ++compared;
    }
    return compared;
}

} // namespace

// The panel's lines point into the file as it is on disk: after a save they
// are those of the written file, and an undone deletion brings its lines back.
void TestProblemsPanel::linesFollowSavesAndUndo() {
    const QString path = work_.filePath(QStringLiteral("branch sync.cfg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("# Branch office sync\r\nVERSION 1.30\r\nUSER admin\r\nPWD " + QByteArray(80, 'a') +
               "\r\nMAXTHREADS 500\r\n\r\nPACKAGE P\r\n  SCHEDULE 08:00 MON\r\n  SOURCE S\r\n"
               "  DEST T1 V MSGON 0\r\n  DEST T2 V MSGON 2000000\r\n  SYNCMODE COPY\r\n"
               "PACKAGE END\r\nFOO\r\n");
    file.close();
    QVERIFY(fixture_->documents().openFile(path) != nullptr);
    const QString bandwidth = QStringLiteral("Bandwidth limit \"2000000\" is outside 0-1000000");
    QTRY_COMPARE(placeOf(bandwidth),
                 QStringLiteral("Package P › Target Server(s), row 2, line 11"));
    QCOMPARE(compareWithDisk(*panel().list(), path), 3);

    // The package deleted in the tree and brought back keeps its lines.
    QTreeWidget* tree = document().treeView;
    tree->setCurrentItem(
        tree->findItems(QStringLiteral("P"), Qt::MatchExactly | Qt::MatchRecursive).front());
    QTest::keyClick(tree, Qt::Key_Delete);
    QTRY_COMPARE(placeOf(bandwidth), QString());
    QTest::keyClick(tree, Qt::Key_Z, Qt::ControlModifier);
    QTRY_COMPARE(placeOf(bandwidth),
                 QStringLiteral("Package P › Target Server(s), row 2, line 11"));
    QCOMPARE(compareWithDisk(*panel().list(), path), 3);

    // Delete the first target, then save: the lines are the written file's.
    tree = document().treeView;
    tree->setCurrentItem(
        tree->findItems(QStringLiteral("Target Server(s)"), Qt::MatchExactly | Qt::MatchRecursive)
            .front());
    QTreeWidget* rows = document().listView;
    rows->setCurrentItem(rows->topLevelItem(0));
    QTest::keyClick(rows, Qt::Key_Delete);
    QTRY_VERIFY(
        placeOf(bandwidth).startsWith(QStringLiteral("Package P › Target Server(s), row 1")));
    fixture_->answer = QMessageBox::Save;
    QTest::keyClick(rows, Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!document().isModified());
    // The unknown keyword is kept, and listed at its line in the written file.
    const auto fooOnDisk = [this, &path] {
        const QList<QTreeWidgetItem*> foo =
            panel().list()->findItems(QStringLiteral("FOO (unknown keyword)"), Qt::MatchExactly);
        const int line = foo.size() == 1 ? foo.front()->text(1).mid(5).toInt() : 0;
        return fileBytes(path).split('\n').value(line - 1);
    };
    QTRY_COMPARE(fooOnDisk(), QByteArray("FOO\r"));
    QVERIFY(!placeOf(bandwidth).endsWith(QStringLiteral("line 11")));
    QCOMPARE(compareWithDisk(*panel().list(), path), 3);

    // Undone after the save, the target is back; the lines still match the disk.
    QTest::keyClick(rows, Qt::Key_Z, Qt::ControlModifier);
    QTRY_VERIFY(
        placeOf(bandwidth).startsWith(QStringLiteral("Package P › Target Server(s), row 2")));
    QCOMPARE(compareWithDisk(*panel().list(), path), 3);
    // A second save renumbers again.
    QTest::keyClick(rows, Qt::Key_S, Qt::ControlModifier);
    QTRY_COMPARE(compareWithDisk(*panel().list(), path), 3);
}

QTEST_MAIN(TestProblemsPanel)
#include "tst_problemspanel.moc"
