#include "TestSupport.h"
#include "gui/app/AppFixture.h"
#include "gui/app/MouseDriver.h"

#include "configwindow/CPallworthTreeView.h"
#include "configwindow/CSplitterFrame.h"
#include "configwindow/CSyncView.h"
#include "framework/Catalogue.h"
#include "framework/Document.h"
#include "framework/NodeTree.h"
#include "taskwindow/CPallworthDosView.h"
#include "taskwindow/CPallworthTreeDosView.h"
#include "taskwindow/CSplitterFrameDos.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <map>
#include <tuple>

using namespace testsupport;
using namespace mousedriver;

// Opens every row of every node of a file through the real window and
// presses OK without touching the dialog; the saved file must be the bytes a
// save of the untouched document writes. Every number row's dialog refuses
// what lies outside that row's range.
class TestUnchangedOk : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void okOnEveryRowKeepsTheBytes_data();
    void okOnEveryRowKeepsTheBytes();
    void numberRowsRefuseOutsideTheirRange_data();
    void numberRowsRefuseOutsideTheirRange();

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

void TestUnchangedOk::numberRowsRefuseOutsideTheirRange_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("node");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<QString>("message"); // empty: no range written out here
    // Written out, not taken from where the dialogs take them.
    const std::map<std::string_view, std::tuple<int, int, const char*>> ranges{
        {"Failed job retry interval", {60, 14400, "Invalid interval! (60-14400) Default:300"}},
        {"Max. threads", {1, 100, "Invalid interval! (1-100) Default:12"}},
        {"Number of times a failed job can be retried",
         {0, 1440, "Invalid interval! (0-1440) Default:3"}},
        {"Log size limit", {32, 32768, "Invalid interval! (32-32768) Default:256"}},
        {"Debug log size limit", {32, 32768, "Invalid interval! (32-32768) Default:256"}},
        {"Polling interval", {60, 1440, "Invalid interval! (60-1440) Default:300"}},
        {"Logging severity", {0, 1, "Invalid interval! (0-1) Default:0"}},
        {"Maximum log file size",
         {8192, 8388608, "Invalid interval! (8192-8388608) Default:256000"}},
    };
    // Every number row of every node, as the catalogue lists them.
    for (int node = 0; node <= static_cast<int>(DetailKind::Tasks); ++node) {
        const NodeSpec& spec = Catalogue::node(static_cast<DetailKind>(node));
        const QString file = spec.record == RecordKind::TaskFile ? QStringLiteral("tasks.ini")
                                                                 : QStringLiteral("rich-1.30.cfg");
        for (std::size_t row = 0; row < spec.rows.size(); ++row) {
            if (spec.rows[row]->dialog != RowDialog::Number)
                continue;
            const std::string label(spec.rows[row]->label());
            const auto found = ranges.find(label);
            const auto [lower, upper, message] =
                found != ranges.end() ? found->second : std::tuple(0, 0, "");
            QTest::addRow("%s", label.c_str()) << file << node << static_cast<int>(row) << lower
                                               << upper << QString::fromLatin1(message);
        }
    }
}

void TestUnchangedOk::numberRowsRefuseOutsideTheirRange() {
    QFETCH(QString, file);
    QFETCH(int, node);
    QFETCH(int, row);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(QString, message);
    QVERIFY2(!message.isEmpty(), "a number row whose range this test does not know");
    QVERIFY(fixture_->openKnown(copyOf(file, QStringLiteral("ranges"))) != nullptr);
    fixture_->documents().activeFrame()->resize(900, 500);
    auto [tree, list] = panes();
    QTreeWidgetItem* shown =
        qobject_cast<NodeTree*>(tree)->nodeShowing(static_cast<DetailKind>(node), 0);
    QVERIFY(shown != nullptr);
    click(tree, shown);
    click(list, list->topLevelItem(row));
    // Below, above, then the lower limit, each typed and entered.
    fixture_->onDialog = [&](QDialog& d) {
        d.show();
        auto* edit = d.findChild<QLineEdit*>(QStringLiteral("1006"));
        for (const int typed : {lower - 1, upper + 1, lower}) {
            QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(edit, QString::number(typed));
            QTest::keyClick(edit, Qt::Key_Return);
        }
        return d.result();
    };
    fixture_->messages.clear();
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(fixture_->dialogsRun, 1);
    QCOMPARE(fixture_->messages, QStringList({message, message}));
    QCOMPARE(list->topLevelItem(row)->text(1), QString::number(lower));
}

QTEST_MAIN(TestUnchangedOk)
#include "tst_unchangedok.moc"
