#include "TestSupport.h"
#include "gui/app/AppFixture.h"

#include "configwindow/CPallworthTreeView.h"
#include "configwindow/TreeFilter.h"
#include "framework/ReportList.h"
#include "taskwindow/CPallworthTreeDosView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QTimer>
#include <QToolTip>

using namespace testsupport;

// The lists' columns, tooltips and keys and the tree's filter box, driven by
// real key and mouse events.
class TestListComfort : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void columnsKeepTheUsersWidths_data();
    void columnsKeepTheUsersWidths();
    void cutTextShowsWholeAsTooltip_data();
    void cutTextShowsWholeAsTooltip();
    void keys_data();
    void keys();
    void treesFollowADragOfPackages();
    void filterNarrowsTheTree_data();
    void filterNarrowsTheTree();
    void filterKeepsUpWith999Packages();

private:
    void open(const QString& path) {
        fixture_->openKnown(path.contains(QLatin1Char('/'))
                                ? path
                                : QString::fromStdString(dataPath(qPrintable(path))));
    }
    QWidget* content() const { return fixture_->documents().activeFrame()->widget(); }
    NodeTree* tree() const { return content()->findChild<NodeTree*>(); }
    ReportList* list() const { return content()->findChild<ReportList*>(); }
    CPallworthTreeView* configTree() const { return qobject_cast<CPallworthTreeView*>(tree()); }
    // "tasks", "settings", "packages", "p0" (package 0) or "p0/4" (its child 4).
    QTreeWidgetItem* node(const QString& path) const {
        if (auto* dos = qobject_cast<CPallworthTreeDosView*>(tree()))
            return path == QStringLiteral("tasks") ? dos->tasksNode() : dos->settingsNode();
        QTreeWidgetItem* packages = configTree()->packagesNode();
        const QStringList parts = path.mid(1).split(QLatin1Char('/'));
        QTreeWidgetItem* package = packages->child(parts[0].toInt());
        return path == QStringLiteral("packages") ? packages
               : parts.size() == 1                ? package
                                                  : package->child(parts[1].toInt());
    }
    void show(const QString& path, int row = -1) {
        tree()->setCurrentItem(node(path));
        list()->setCurrentItem(list()->topLevelItem(row));
    }
    QWidget* filterBox() {
        fixture_->frame().activateWindow();
        [&] { QVERIFY(QTest::qWaitForWindowActive(&fixture_->frame())); }();
        QTest::keyClick(tree(), Qt::Key_F, Qt::ControlModifier);
        return qobject_cast<TreeFilter*>(QApplication::focusWidget());
    }
    static void drag(QWidget* viewport, QPoint from, QPoint to) {
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        for (const QPoint& at : {from + (to - from) / 2, to}) {
            QMouseEvent move(QEvent::MouseMove, QPointF(at), viewport->mapToGlobal(QPointF(at)),
                             Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(viewport, &move);
        }
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    }
    static QStringList labels(const QTreeWidgetItem* group, bool visibleOnly = false) {
        QStringList texts;
        for (int i = 0; i < group->childCount(); ++i)
            if (!visibleOnly || !group->child(i)->isHidden())
                texts << group->child(i)->text(0);
        return texts;
    }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
};

void TestListComfort::init() {
    fixture_ = std::make_unique<AppFixture>();
    // A drive path and a volume path pass every path dialog's checks.
    fixture_->onDialog = [](QDialog& d) {
        const QList<QLineEdit*> boxes = d.findChildren<QLineEdit*>();
        for (int i = 0; i < boxes.size(); ++i)
            boxes[i]->setText(i == 0 ? QStringLiteral("C:\\NEW") : QStringLiteral("SYS:\\NEW"));
        d.accept();
        return d.result();
    };
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
}

void TestListComfort::cleanup() {
    fixture_->answer = QMessageBox::No;
    seam_.reset();
    fixture_.reset();
}

void TestListComfort::columnsKeepTheUsersWidths_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("sameKind");
    QTest::addColumn<QString>("otherKind");
    QTest::addColumn<int>("designed");
    QTest::newRow("directories") << "rich-1.30.cfg"
                                 << "p0/4"
                                 << "p1/4"
                                 << "p0/5" << 100;
    QTest::newRow("tasks") << "tasks.ini"
                           << "tasks"
                           << "tasks"
                           << "settings" << 200;
}

void TestListComfort::columnsKeepTheUsersWidths() {
    QFETCH(QString, file);
    QFETCH(QString, node);
    QFETCH(QString, sameKind);
    QFETCH(QString, otherKind);
    QFETCH(int, designed);
    fixture_->frame().resize(1600, 900);
    open(file);
    show(node);
    QHeaderView* header = list()->header();
    QCOMPARE(list()->columnWidth(0), designed);
    // With room for them, the last column shows and reaches the right edge.
    const int last = list()->columnCount() - 1;
    QVERIFY(header->sectionViewportPosition(last) < header->viewport()->width());
    QCOMPARE(header->sectionViewportPosition(last) + header->sectionSize(last),
             header->viewport()->width());

    // The user drags the right edge of the first column 60 pixels on.
    const QPoint edge(header->sectionSize(0) - 1, header->height() / 2);
    drag(header->viewport(), edge, edge + QPoint(60, 0));
    QCOMPARE(list()->columnWidth(0), designed + 60);
    show(otherKind);
    QVERIFY(list()->columnWidth(0) != designed + 60);
    show(sameKind);
    QCOMPARE(list()->columnWidth(0), designed + 60);
    // Opened again, the list reads the width from the settings.
    fixture_->documents().closeDocument(*fixture_->documents().activeDocument());
    open(file);
    show(node);
    QCOMPARE(list()->columnWidth(0), designed + 60);
}

void TestListComfort::cutTextShowsWholeAsTooltip_data() {
    QTest::addColumn<bool>("title");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("tip");
    QTest::newRow("cut path") << false << 60 << "SYS:\\DATA\\SALES REPORTS";
    QTest::newRow("whole path") << false << 400 << "";
    QTest::newRow("cut title") << true << 30 << "Source Path";
    QTest::newRow("whole title") << true << 400 << "";
}

void TestListComfort::cutTextShowsWholeAsTooltip() {
    QFETCH(bool, title);
    QFETCH(int, width);
    QFETCH(QString, tip);
    open(QStringLiteral("rich-1.30.cfg"));
    show(QStringLiteral("p0/4"));
    list()->setColumnWidth(0, width);
    QToolTip::hideText();
    QTRY_VERIFY(!QToolTip::isVisible());
    QWidget* viewport = title ? list()->header()->viewport() : list()->viewport();
    const QPoint at(width / 2, title ? 4 : list()->visualItemRect(list()->topLevelItem(0)).y() + 4);
    QHelpEvent help(QEvent::ToolTip, at, viewport->mapToGlobal(at));
    QApplication::sendEvent(viewport, &help);
    QCOMPARE(QToolTip::isVisible() ? QToolTip::text() : QString(), tip);
}

void TestListComfort::keys_data() {
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("node");
    QTest::addColumn<bool>("inTree");
    QTest::addColumn<int>("row");
    QTest::addColumn<QKeyCombination>("key");
    // Rows (list or tree) and the selected row after the key, whether the
    // selected entry is still the one selected before, dialogs run, menu shown.
    QTest::addColumn<QString>("after");
    const QString cfg = QStringLiteral("rich-1.30.cfg");
    const QString ini = QStringLiteral("tasks.ini");
    const QKeyCombination del(Qt::Key_Delete), ins(Qt::Key_Insert), menu(Qt::Key_Menu);
    const QKeyCombination f10(Qt::ShiftModifier, Qt::Key_F10);
    const QKeyCombination up(Qt::AltModifier, Qt::Key_Up), down(Qt::AltModifier, Qt::Key_Down);
    // Delete leaves the row that took the deleted one's place selected.
    QTest::newRow("delete job") << cfg << "p0/4" << false << 0 << del << "1 0 - 0 ";
    QTest::newRow("insert job after") << cfg << "p0/4" << false << 0 << ins << "3 1 - 1 ";
    QTest::newRow("insert job at end") << cfg << "p0/4" << false << -1 << ins << "3 2 - 1 ";
    QTest::newRow("no delete of a property") << cfg << "p0/0" << false << 0 << del << "14 0 = 0 ";
    QTest::newRow("delete package") << cfg << "packages" << false << 1 << del << "1 -1 - 0 ";
    QTest::newRow("tree: new package") << cfg << "packages" << true << -1 << ins << "3 -1 - 1 ";
    QTest::newRow("tree: delete package") << cfg << "p1" << true << -1 << del << "1 -1 - 0 ";
    QTest::newRow("delete task") << ini << "tasks" << false << 2 << del << "3 2 - 0 ";
    QTest::newRow("insert task") << ini << "tasks" << false << 2 << ins << "5 3 - 1 ";
    QTest::newRow("no insert of a setting") << ini << "settings" << false << 0 << ins << "4 0 = 0 ";
    QTest::newRow("list: Shift+F10") << cfg << "p0/3" << false << 0 << f10 << "4 0 = 0 159";
    QTest::newRow("list: Menu key") << ini << "tasks" << false << 0 << menu << "4 0 = 0 159";
    QTest::newRow("property list: no menu") << cfg << "p0/1" << false << 0 << f10 << "2 0 = 0 ";
    // Its messages and command files copy, so Settings has the clipboard's menu.
    QTest::newRow("settings: clipboard menu")
        << cfg << "p0/0" << false << 0 << f10 << "14 0 = 0 159";
    QTest::newRow("tree: group menu") << cfg << "packages" << true << -1 << f10 << "2 -1 - 0 163";
    QTest::newRow("tree: package menu") << cfg << "p0" << true << -1 << menu << "2 -1 - 0 147";
    QTest::newRow("job down") << cfg << "p0/4" << false << 0 << down << "2 1 = 0 ";
    QTest::newRow("target up") << cfg << "p0/3" << false << 2 << up << "4 1 = 0 ";
    QTest::newRow("first target stays") << cfg << "p0/3" << false << 0 << up << "4 0 = 0 ";
    QTest::newRow("property stays") << cfg << "p0/0" << false << 0 << down << "14 0 = 0 ";
    QTest::newRow("task down") << ini << "tasks" << false << 1 << down << "4 2 = 0 ";
    QTest::newRow("last task stays") << ini << "tasks" << false << 3 << down << "4 3 = 0 ";
}

void TestListComfort::keys() {
    QFETCH(QString, file);
    QFETCH(QString, node);
    QFETCH(bool, inTree);
    QFETCH(int, row);
    QFETCH(QKeyCombination, key);
    QFETCH(QString, after);
    open(file);
    show(node, row);
    const QString selected = row >= 0 ? list()->topLevelItem(row)->text(0) : QString();
    QString menu;
    QTimer::singleShot(0, this, [&menu] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            menu = popup->objectName();
            popup->close();
        }
    });
    QTest::keyClick(inTree ? static_cast<QWidget*>(tree()) : list(), key.key(),
                    key.keyboardModifiers());
    QCoreApplication::processEvents();
    const int now = list()->selectedRow();
    const int rows =
        inTree ? configTree()->packagesNode()->childCount() : list()->topLevelItemCount();
    const bool same = now >= 0 && list()->topLevelItem(now)->text(0) == selected;
    QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5")
                 .arg(rows)
                 .arg(now)
                 .arg(same ? QLatin1Char('=') : QLatin1Char('-'))
                 .arg(fixture_->dialogsRun)
                 .arg(menu),
             after);
    // The model changed with the rows: a rebuilt list agrees.
    const QStringList shown = labels(list()->invisibleRootItem());
    if (!inTree)
        show(node);
    QCOMPARE(labels(list()->invisibleRootItem()), shown);
}

void TestListComfort::treesFollowADragOfPackages() {
    open(QStringLiteral("rich-1.30.cfg"));
    CPallworthTreeView* first = configTree();
    QTreeWidgetItem* archiveFiles = node(QStringLiteral("p1/5"));
    first->setCurrentItem(archiveFiles);
    fixture_->documents().newWindow(*fixture_->documents().activeDocument());
    CPallworthTreeView* second = configTree();
    show(QStringLiteral("packages"));
    // "Archive" dragged onto "Sales Servers" with the mouse.
    drag(list()->viewport(), list()->visualItemRect(list()->topLevelItem(1)).center(),
         list()->visualItemRect(list()->topLevelItem(0)).center());
    const QStringList order{QStringLiteral("Archive"), QStringLiteral("Sales Servers")};
    QCOMPARE(labels(list()->invisibleRootItem()), order);
    QCOMPARE(labels(second->packagesNode()), order);
    QCOMPARE(labels(first->packagesNode()), order);
    // The other window's node moved with its children and stays selected.
    QCOMPARE(first->packagesNode()->child(0)->child(5), archiveFiles);
    QCOMPARE(first->currentItem(), archiveFiles);
    QVERIFY(archiveFiles->isSelected());
    QVERIFY(first->packagesNode()->child(0)->isExpanded());
}

void TestListComfort::filterNarrowsTheTree_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("applications");
    QTest::addColumn<QStringList>("packages");
    const QStringList all{QStringLiteral("Sales Servers"), QStringLiteral("Archive")};
    QTest::newRow("nothing") << "" << QStringList{"Office Suite", "Bare"} << all;
    QTest::newRow("any case") << "aR" << QStringList{"Bare"} << QStringList{"Archive"};
    QTest::newRow("inside a name") << "s s" << QStringList{} << QStringList{"Sales Servers"};
    QTest::newRow("in every name") << "E" << QStringList{"Office Suite", "Bare"} << all;
    QTest::newRow("in none") << "zz" << QStringList{} << QStringList{};
}

void TestListComfort::filterNarrowsTheTree() {
    QFETCH(QString, typed);
    QFETCH(QStringList, applications);
    QFETCH(QStringList, packages);
    open(QStringLiteral("rich-1.30.cfg"));
    CPallworthTreeView* t = configTree();
    QWidget* box = filterBox();
    QVERIFY(box != nullptr);
    QTest::keyClicks(box, typed);
    QCOMPARE(labels(t->applicationsNode(), true), applications);
    QCOMPARE(labels(t->packagesNode(), true), packages);
    // A group stays while one of its records does.
    QCOMPARE(t->applicationsNode()->isHidden(), applications.isEmpty());
    QCOMPARE(t->packagesNode()->isHidden(), packages.isEmpty());
    QTest::keyClick(box, Qt::Key_Escape);
    QCOMPARE(labels(t->packagesNode(), true), labels(t->packagesNode()));
    QVERIFY(!t->applicationsNode()->isHidden());
}

void TestListComfort::filterKeepsUpWith999Packages() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("large.cfg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    for (int i = 1; i <= 999; ++i)
        file.write(QByteArray("PACKAGE Package ") + QByteArray::number(1000 + i).mid(1) +
                   "\r\nPACKAGE END\r\n");
    file.close();
    open(path);
    configTree()->packagesNode()->setExpanded(true);
    QWidget* box = filterBox();
    qint64 slowest = 0;
    for (const char c : {'G', 'E', ' ', '1', '2'}) {
        QElapsedTimer timer;
        timer.start();
        QTest::keyClick(box, c);
        QCoreApplication::processEvents();
        slowest = std::max(slowest, timer.elapsed());
    }
    qInfo("slowest keystroke on 999 packages: %lld ms", slowest);
    // "Package 120" to "Package 129".
    QCOMPARE(labels(configTree()->packagesNode(), true).size(), 10);
    QVERIFY2(slowest < 250, "far slower than the 50 ms a keystroke may take");
}

QTEST_MAIN(TestListComfort)
#include "tst_listcomfort.moc"
