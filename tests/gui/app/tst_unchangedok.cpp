#include "TestSupport.h"
#include "gui/app/AppFixture.h"
#include "gui/app/MouseDriver.h"

#include "configwindow/CPallworthTreeView.h"
#include "configwindow/CSplitterFrame.h"
#include "configwindow/CSyncView.h"
#include "framework/Document.h"
#include "taskwindow/CPallworthDosView.h"
#include "taskwindow/CPallworthTreeDosView.h"
#include "taskwindow/CSplitterFrameDos.h"

#include <QPushButton>
#include <QTemporaryDir>

using namespace testsupport;
using namespace mousedriver;

// Opens every row of every node of a file through the real window and
// presses OK without touching the dialog; the saved file must be the bytes a
// save of the untouched document writes.
class TestUnchangedOk : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void okOnEveryRowKeepsTheBytes_data();
    void okOnEveryRowKeepsTheBytes();

private:
    QString copyOf(const QString& name, const QString& as) const {
        const QString path = work_->filePath(as + QLatin1Char('-') + name);
        QFile::copy(QString::fromStdString(dataPath(name.toLatin1().constData())), path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    // The tree and list of the active window, of either document kind.
    std::pair<QTreeWidget*, QTreeWidget*> panes() const {
        QWidget* content = fixture_->documents().activeFrame()->widget();
        if (auto* cfg = qobject_cast<CSplitterFrame*>(content))
            return {cfg->treeView(), cfg->listView()};
        auto* ini = qobject_cast<CSplitterFrameDos*>(content);
        return {ini->treeView(), ini->listView()};
    }
    void saveWithKeys() {
        fixture_->frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture_->frame()));
        QTest::keyClick(panes().first, Qt::Key_S, Qt::ControlModifier);
    }
    void openEveryRow(QTreeWidgetItem* node);

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
    std::unique_ptr<QTemporaryDir> work_;
};

void TestUnchangedOk::init() {
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
    work_ = std::make_unique<QTemporaryDir>();
    // OK through the dialog's own button; a refused OK leaves it open, and
    // the user then cancels.
    fixture_->onDialog = [this](QDialog& d) {
        d.findChild<QPushButton*>(QStringLiteral("1"))->click();
        if (d.result() != QDialog::Accepted)
            d.reject();
        return d.result();
    };
}

void TestUnchangedOk::cleanup() {
    fixture_->answer = QMessageBox::No;
    seam_.reset();
    fixture_.reset();
    work_.reset();
}

void TestUnchangedOk::openEveryRow(QTreeWidgetItem* node) {
    auto [tree, list] = panes();
    tree->scrollToItem(node);
    click(tree, node);
    QCOMPARE(tree->currentItem(), node);
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
        QTreeWidgetItem* row = list->topLevelItem(r);
        list->scrollToItem(row);
        click(list, row);
        QTest::keyClick(list, Qt::Key_Return);
    }
    for (int i = 0; i < node->childCount(); ++i)
        openEveryRow(node->child(i));
}

void TestUnchangedOk::okOnEveryRowKeepsTheBytes_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("dialogs");
    // The least number of dialogs each file opens: every row of it.
    QTest::newRow("1.10") << QStringLiteral("rich-1.10.cfg") << 60;
    QTest::newRow("1.20") << QStringLiteral("rich-1.20.cfg") << 60;
    QTest::newRow("1.22") << QStringLiteral("rich-1.22.cfg") << 60;
    QTest::newRow("1.30") << QStringLiteral("rich-1.30.cfg") << 60;
    QTest::newRow("typed by hand") << QStringLiteral("handwritten-1.30.cfg") << 50;
    QTest::newRow("task file") << QStringLiteral("tasks.ini") << 8;
}

void TestUnchangedOk::okOnEveryRowKeepsTheBytes() {
    QFETCH(QString, name);
    QFETCH(int, dialogs);
    const QString plain = copyOf(name, QStringLiteral("plain"));
    const QString touched = copyOf(name, QStringLiteral("touched"));
    // A question before a save that drops lines is answered with Save.
    fixture_->answer = QMessageBox::Save;

    Document* untouched = fixture_->openKnown(plain);
    QVERIFY(untouched != nullptr);
    saveWithKeys();
    const QByteArray expected = fileBytes(plain);
    QVERIFY(expected != fileBytes(touched)); // the save did write
    QVERIFY(fixture_->documents().closeDocument(*untouched));

    QVERIFY(fixture_->openKnown(touched) != nullptr);
    // A task window opens in its normal size, its list pane closed.
    fixture_->documents().activeFrame()->resize(900, 500);
    QTreeWidget* tree = panes().first;
    tree->expandAll();
    for (int i = 0; i < tree->topLevelItemCount(); ++i)
        openEveryRow(tree->topLevelItem(i));
    QVERIFY2(fixture_->dialogsRun >= dialogs, qPrintable(QString::number(fixture_->dialogsRun)));
    saveWithKeys();
    // Line by line, so that a failure names the line.
    QCOMPARE(fileBytes(touched).split('\n'), expected.split('\n'));
}

QTEST_MAIN(TestUnchangedOk)
#include "tst_unchangedok.moc"
