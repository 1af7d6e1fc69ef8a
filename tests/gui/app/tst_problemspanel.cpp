#include "TestSupport.h"
#include "gui/app/AppFixture.h"

#include "app/ProblemsPanel.h"
#include "framework/TreeListDocument.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
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
    void fixingAValueRemovesItsProblem();

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
    // Its skipped line stays reported, for the panel to list.
    QVERIFY(fixture_->documents().openFile(path) != nullptr);
    QCOMPARE(fixture_->messages.size(), 1);
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

void TestProblemsPanel::fixingAValueRemovesItsProblem() {
    // The line the reader passed over is listed too, until a save.
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

QTEST_MAIN(TestProblemsPanel)
#include "tst_problemspanel.moc"
