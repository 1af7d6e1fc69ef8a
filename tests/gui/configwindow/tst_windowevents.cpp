#include "TestSupport.h"
#include "gui/app/AppFixture.h"
#include "gui/app/MouseDriver.h"

#include "configwindow/CPallworthDoc.h"
#include "configwindow/CPallworthTreeView.h"
#include "configwindow/CSplitterFrame.h"
#include "configwindow/CSyncView.h"
#include "framework/CommandIds.h"

#include <QLabel>

using namespace testsupport;
using namespace mousedriver;

// The configuration window driven by real mouse and key events: what a right
// click shows and leaves alone, the focus, drags, and the refusals that come
// before any dialog.
class TestWindowEvents : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openingSelectsNothing();
    void treeRightClickKeepsTheSelection_data();
    void treeRightClickKeepsTheSelection();
    void listContextMenu_data();
    void listContextMenu();
    void insertWithTheLastRowSelected();
    void numberRowsAtTheirLimits_data();
    void numberRowsAtTheirLimits();
    void namesWithOuterBlanksRefused_data();
    void namesWithOuterBlanksRefused();
    void renameKeepsTheSelection_data();
    void renameKeepsTheSelection();
    void fullTablesRefuseBeforeAsking_data();
    void fullTablesRefuseBeforeAsking();
    void groupListDrags_data();
    void groupListDrags();
    void propertyListsOfRecordsNamedLikeGroupsDoNotDrag_data();
    void propertyListsOfRecordsNamedLikeGroupsDoNotDrag();
    void newerVersionIsReadOnly();
    void goneRecentFileIsDropped();
    void lockKeyIndicatorsShowTheRealState();

private:
    CSplitterFrame* content() const {
        return qobject_cast<CSplitterFrame*>(fixture_->documents().activeFrame()->widget());
    }
    CPallworthTreeView* tree() const { return content()->treeView(); }
    CSyncView* list() const { return content()->listView(); }
    CPallworthDoc* doc() const {
        return static_cast<CPallworthDoc*>(fixture_->documents().activeDocument());
    }
    ConfigModel& model() const { return doc()->model(); }
    void openRich() {
        fixture_->openKnown(QString::fromStdString(dataPath("rich-1.30.cfg")));
        tree()->expandAll();
    }
    // A node by its path of labels from the root, "/"-separated.
    QTreeWidgetItem* node(const QString& path) const {
        QTreeWidgetItem* found = nullptr;
        for (const QString& label : path.split(QLatin1Char('/'))) {
            const int count = found ? found->childCount() : tree()->topLevelItemCount();
            QTreeWidgetItem* next = nullptr;
            for (int i = 0; i < count && next == nullptr; ++i) {
                QTreeWidgetItem* c = found ? found->child(i) : tree()->topLevelItem(i);
                if (c->text(0) == label)
                    next = c;
            }
            found = next;
        }
        return found;
    }
    QPoint at(QTreeWidget* view, QTreeWidgetItem* item) const {
        return view->visualItemRect(item).center();
    }
    void click(QTreeWidget* view, QTreeWidgetItem* item) const {
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at(view, item));
    }
    void clickRow(int row) const { click(list(), list()->topLevelItem(row)); }
    QStringList column0() const {
        QStringList cells;
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            cells << list()->topLevelItem(r)->text(0);
        return cells;
    }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
};

void TestWindowEvents::init() {
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
}

void TestWindowEvents::cleanup() {
    fixture_->answer = QMessageBox::No;
    seam_.reset();
    fixture_.reset();
}

void TestWindowEvents::openingSelectsNothing() {
    CMainFrame& frame = fixture_->frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    openRich();
    QCOMPARE(frame.focusWidget(), tree());
    QVERIFY(tree()->selectedItems().isEmpty());
    QVERIFY(tree()->currentNode() == nullptr);
    QCOMPARE(list()->topLevelItemCount(), 0);
    // Tab to the empty list gives it the focus; the first key in the tree
    // then chooses the first node.
    QTest::keyClick(tree(), Qt::Key_Tab);
    QCOMPARE(frame.focusWidget(), list());
    QTest::keyClick(list(), Qt::Key_Tab);
    QTest::keyClick(tree(), Qt::Key_Down);
    QCOMPARE(tree()->selectedItems().value(0), tree()->defaultSettingsNode());
    QVERIFY(list()->topLevelItemCount() > 0);
}

void TestWindowEvents::treeRightClickKeepsTheSelection_data() {
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("menu");
    QTest::newRow("default settings") << "Default settings"
                                      << "";
    QTest::newRow("applications") << "Application descriptions"
                                  << "163";
    QTest::newRow("application") << "Application descriptions/Office Suite"
                                 << "147";
    QTest::newRow("package") << "Package descriptions/Archive"
                             << "147";
    QTest::newRow("settings") << "Package descriptions/Archive/Settings"
                              << "";
    QTest::newRow("exclude") << "Package descriptions/Archive/Exclude"
                             << "163";
    QTest::newRow("messages") << "Package descriptions/Archive/Messages"
                              << "";
}

void TestWindowEvents::treeRightClickKeepsTheSelection() {
    QFETCH(QString, node);
    QFETCH(QString, menu);
    openRich();
    QTreeWidgetItem* target = this->node(node);
    QVERIFY(target != nullptr);
    click(tree(), tree()->defaultSettingsNode());
    const QStringList rows = column0();
    const Popup popup = rightClick(tree(), at(tree(), target));
    QCOMPARE(popup.name, menu);
    QCOMPARE(tree()->currentNode(), target);
    QCOMPARE(tree()->selectedItems(), QList<QTreeWidgetItem*>{tree()->defaultSettingsNode()});
    QCOMPARE(column0(), rows);
}

void TestWindowEvents::listContextMenu_data() {
    QTest::addColumn<QString>("node");
    QTest::addColumn<bool>("hasMenu");
    QTest::newRow("default settings") << "Default settings" << false;
    QTest::newRow("applications") << "Application descriptions" << true;
    QTest::newRow("application") << "Application descriptions/Office Suite" << false;
    QTest::newRow("packages") << "Package descriptions" << true;
    for (const char* child : {"Settings", "Schedule", "Source Server", "Messages"})
        QTest::newRow(child)
            << QStringLiteral("Package descriptions/Sales Servers/%1").arg(QLatin1String(child))
            << false;
    for (const char* child : {"Target Server(s)", "Directories", "Files", "Exclude"})
        QTest::newRow(child)
            << QStringLiteral("Package descriptions/Sales Servers/%1").arg(QLatin1String(child))
            << true;
}

void TestWindowEvents::listContextMenu() {
    QFETCH(QString, node);
    QFETCH(bool, hasMenu);
    openRich();
    click(tree(), this->node(node));
    QVERIFY(list()->topLevelItemCount() > 0);
    clickRow(0);
    const QStringList rows = column0();
    // A right click below the rows (where a left press would clear the
    // selection) leaves the first row selected; the menu's Delete removes it.
    const QRect last = list()->visualItemRect(list()->topLevelItem(rows.size() - 1));
    const Popup popup =
        rightClick(list(), QPoint(10, last.bottom() + 20), QStringLiteral("delete"));
    QCOMPARE(popup.name, hasMenu ? QStringLiteral("159") : QString());
    QCOMPARE(popup.commands, hasMenu
                                 ? (QStringList{QStringLiteral("insert"), QStringLiteral("delete")})
                                 : QStringList());
    QCOMPARE(column0(), hasMenu ? rows.mid(1) : rows);
    if (!hasMenu)
        QCOMPARE(list()->selectedRow(), 0);
}

void TestWindowEvents::insertWithTheLastRowSelected() {
    openRich();
    // The tree's Insert on "Exclude" goes to the list, which shows it.
    QTreeWidgetItem* exclude = node(QStringLiteral("Package descriptions/Sales Servers/Exclude"));
    click(tree(), exclude);
    const int n = list()->topLevelItemCount();
    clickRow(n - 1);
    QString caption;
    fixture_->onDialog = [&caption](QDialog& d) {
        caption = d.windowTitle();
        return AppFixture::typeAndOk(QStringLiteral("SYS:\\LAST"))(d);
    };
    QCOMPARE(rightClick(tree(), at(tree(), exclude), QStringLiteral("insert")).name,
             QStringLiteral("163"));
    QCOMPARE(caption, QStringLiteral("Exclude"));
    QCOMPARE(list()->topLevelItemCount(), n + 1);
    QCOMPARE(column0().last(), QStringLiteral("SYS:\\LAST"));
    const PackageDesc& p = model().packages.at(1);
    QCOMPARE(p.excludes.at(n + 1), std::string("SYS:\\LAST"));
}

void TestWindowEvents::numberRowsAtTheirLimits_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("retry interval")
        << "Failed job retry interval" << 60 << 14400 << "Invalid interval! (60-14400) Default:533";
    QTest::newRow("threads") << "Max. threads" << 1 << 100
                             << "Invalid interval! (1-100) Default:12";
    QTest::newRow("retries") << "Number of times a failed job can be retried" << 0 << 1440
                             << "Invalid interval! (0-1440) Default:3";
    QTest::newRow("log size") << "Log size limit" << 32 << 32768
                              << "Invalid interval! (32-32768) Default:256";
    QTest::newRow("debug log size")
        << "Debug log size limit" << 32 << 32768 << "Invalid interval! (32-32768) Default:256";
}

void TestWindowEvents::numberRowsAtTheirLimits() {
    QFETCH(QString, label);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(QString, refusal);
    openRich();
    click(tree(), tree()->defaultSettingsNode());
    const int row = column0().indexOf(label);
    QVERIFY(row >= 0);
    for (const auto& [outside, limit] :
         {std::pair{lower - 1, lower}, std::pair{upper + 1, upper}}) {
        QStringList captions;
        fixture_->messages.clear();
        fixture_->onDialog = [&, outside = outside, limit = limit](QDialog& d) {
            captions << d.windowTitle();
            auto* edit = d.findChild<QLineEdit*>(QStringLiteral("1006"));
            edit->setText(QString::number(outside));
            d.accept(); // refused: the dialog stays open
            edit->setText(QString::number(limit));
            d.accept();
            return d.result();
        };
        clickRow(row);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(captions, QStringList{label});
        QCOMPARE(fixture_->messages, QStringList{refusal});
        QCOMPARE(list()->topLevelItem(row)->text(1), QString::number(limit));
    }
}

void TestWindowEvents::namesWithOuterBlanksRefused_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("new application") << "newApplication";
    QTest::newRow("new package") << "newPackage";
    QTest::newRow("rename application") << "Application descriptions";
    QTest::newRow("rename package") << "Package descriptions";
}

void TestWindowEvents::namesWithOuterBlanksRefused() {
    QFETCH(QString, how);
    openRich();
    fixture_->onDialog = [](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>(QStringLiteral("1006"));
        edit->setText(QStringLiteral(" Padded "));
        d.accept();
        if (d.result() == QDialog::Accepted)
            return int(QDialog::Accepted);
        edit->setText(QStringLiteral("Trimmed"));
        d.accept();
        return d.result();
    };
    if (QAction* action = fixture_->frame().findChild<QAction*>(how)) {
        action->trigger();
    } else {
        click(tree(), node(how));
        clickRow(0);
        QTest::keyClick(list(), Qt::Key_Return);
    }
    QCOMPARE(fixture_->messages.size(), 1);
    const bool packages = how.contains(QStringLiteral("ackage"));
    const int index = how.startsWith(QStringLiteral("new")) ? 3 : 1;
    QCOMPARE(packages ? model().packages.at(index).name : model().applications.at(index).name,
             std::string("Trimmed"));
}

void TestWindowEvents::renameKeepsTheSelection_data() {
    QTest::addColumn<QString>("group");
    QTest::newRow("applications") << "Application descriptions";
    QTest::newRow("packages") << "Package descriptions";
}

void TestWindowEvents::renameKeepsTheSelection() {
    QFETCH(QString, group);
    openRich();
    click(tree(), node(group));
    clickRow(1);
    for (const QString& name : {QStringLiteral("First"), QStringLiteral("Second")}) {
        fixture_->onDialog = AppFixture::typeAndOk(name);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(list()->topLevelItem(1)->text(0), name);
        QCOMPARE(list()->selectedRow(), 1);
    }
    QCOMPARE(fixture_->dialogsRun, 2);
    const bool packages = group.startsWith(QLatin1Char('P'));
    QCOMPARE(packages ? model().packages.at(2).name : model().applications.at(2).name,
             std::string("Second"));
    QCOMPARE(node(group)->child(1)->text(0), QStringLiteral("Second"));
}

void TestWindowEvents::fullTablesRefuseBeforeAsking_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("new application") << "newApplication";
    QTest::newRow("new package") << "newPackage";
    QTest::newRow("insert application") << "Application descriptions";
    QTest::newRow("insert package") << "Package descriptions";
}

void TestWindowEvents::fullTablesRefuseBeforeAsking() {
    QFETCH(QString, how);
    openRich();
    const bool packages = how.contains(QStringLiteral("ackage"));
    while (packages && !model().packages.full())
        model().addPackage("P");
    while (!packages && !model().applications.full())
        model().addApplication("A");
    if (QAction* action = fixture_->frame().findChild<QAction*>(how)) {
        action->trigger();
    } else {
        click(tree(), node(how));
        rightClick(list(), QPoint(5, 5), QStringLiteral("insert"));
    }
    QCOMPARE(fixture_->dialogsRun, 0);
    QCOMPARE(fixture_->messages.size(), 1);
    QVERIFY(fixture_->messages[0].contains(QStringLiteral("999")));
    QCOMPARE(packages ? model().packages.count() : model().applications.count(), 999);
}

void TestWindowEvents::groupListDrags_data() {
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("overRows");
    QTest::newRow("applications below the last") << "Application descriptions" << true;
    QTest::newRow("packages below the last") << "Package descriptions" << true;
    QTest::newRow("packages over no row") << "Package descriptions" << false;
}

void TestWindowEvents::groupListDrags() {
    QFETCH(QString, group);
    QFETCH(bool, overRows);
    openRich();
    click(tree(), node(group));
    const QStringList rows = column0();
    QCOMPARE(rows.size(), 2);
    doc()->setModifiedFlag(false);
    const QPoint from = at(list(), list()->topLevelItem(0));
    const QRect last = list()->visualItemRect(list()->topLevelItem(1));
    // Below the last row, or out of the list above it without touching a row.
    const QPoint end = overRows ? QPoint(from.x(), last.bottom() + 40) : QPoint(from.x(), -30);
    drag(list(), from, {end});
    QVERIFY(!list()->dragging());
    QVERIFY(doc()->isModified());
    const QStringList expected = overRows ? QStringList{rows[1], rows[0]} : rows;
    QCOMPARE(column0(), expected);
    const bool packages = group.startsWith(QLatin1Char('P'));
    QCOMPARE(packages ? model().packages.at(1).name : model().applications.at(1).name,
             expected[0].toStdString());
}

void TestWindowEvents::propertyListsOfRecordsNamedLikeGroupsDoNotDrag_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("packages") << "Package descriptions";
    QTest::newRow("applications") << "Application descriptions";
}

void TestWindowEvents::propertyListsOfRecordsNamedLikeGroupsDoNotDrag() {
    QFETCH(QString, name);
    openRich();
    doc()->RenameRecord(model().applications.at(1).id, name.toStdString());
    click(tree(), tree()->applicationsNode()->child(0));
    const QStringList rows = column0();
    const ConfigModel before = model();
    const QPoint top = at(list(), list()->topLevelItem(0));
    drag(list(), at(list(), list()->topLevelItem(2)), {top + QPoint(0, 3), top});
    QVERIFY(!list()->dragging());
    QCOMPARE(column0(), rows);
    QVERIFY(model() == before);
}

void TestWindowEvents::newerVersionIsReadOnly() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("newer.cfg"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("VERSION 1.40\r\nUSER u\r\nPWD p\r\nPACKAGE P\r\nSOURCE S\r\n");
    file.close();
    fixture_->documents().openFile(path);
    CMainFrame& frame = fixture_->frame();
    QLabel* status = frame.readOnlyIndicator();
    QVERIFY(!status->isHidden());
    QCOMPARE(status->text(), QStringLiteral("Written by a newer version; read only"));
    for (int id : {CommandIds::NewApplication, CommandIds::NewPackage}) {
        QVERIFY(!frame.action(id)->isEnabled());
        content()->newPackage(); // reached even without the menu
        content()->newApplication();
    }
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(list(), Qt::Key_Return);
    rightClick(list(), QPoint(10, 10));
    QCOMPARE(fixture_->dialogsRun, 0);
    QVERIFY(!doc()->isModified());
    QCOMPARE(model().packages.count(), 1);
}

void TestWindowEvents::goneRecentFileIsDropped() {
    QTemporaryDir dir;
    QStringList paths;
    for (const char* name : {"kept.cfg", "gone.cfg"}) {
        paths << dir.filePath(QString::fromLatin1(name));
        QFile::copy(QString::fromStdString(dataPath("rich-1.30.cfg")), paths.last());
        QVERIFY(fixture_->openKnown(paths.last()) != nullptr);
        QVERIFY(fixture_->documents().closeDocument(*doc()));
    }
    const QString kept = QFileInfo(paths[0]).canonicalFilePath();
    const QString gone = QFileInfo(paths[1]).canonicalFilePath();
    QFile::remove(paths[1]);
    fixture_->frame().action(CommandIds::FileMru1)->trigger(); // gone.cfg, the latest
    QCOMPARE(fixture_->messages.size(), 1);
    QVERIFY(!fixture_->documents().recentFiles().contains(gone));
    QCOMPARE(fixture_->documents().recentFiles().value(0), kept);
    QVERIFY(fixture_->frame()
                .action(CommandIds::FileMru1)
                ->text()
                .endsWith(QStringLiteral("kept.cfg")));
}

void TestWindowEvents::lockKeyIndicatorsShowTheRealState() {
    CMainFrame& frame = fixture_->frame();
    // The offscreen platform cannot tell: no indicator rather than a guess.
    for (int i = 0; i < 3; ++i)
        QVERIFY(frame.indicator(i)->isHidden());
    std::optional<LockKeys::State> state = LockKeys::State{true, false, true};
    frame.setLockKeyReader([&state] { return state; });
    const auto shown = [&frame] {
        QString text;
        for (int i = 0; i < 3; ++i)
            text += frame.indicator(i)->isHidden()    ? QLatin1Char('-')
                    : frame.indicator(i)->isEnabled() ? QLatin1Char('1')
                                                      : QLatin1Char('0');
        return text;
    };
    QCOMPARE(shown(), QStringLiteral("101"));
    state = LockKeys::State{false, true, true};
    QTest::keyClick(frame.windowHandle(), Qt::Key_CapsLock);
    QCOMPARE(shown(), QStringLiteral("011"));
    state.reset();
    QTest::keyClick(frame.windowHandle(), Qt::Key_NumLock);
    QCOMPARE(shown(), QStringLiteral("---"));
    frame.setLockKeyReader(LockKeys::read); // `state` ends here
}

QTEST_MAIN(TestWindowEvents)
#include "tst_windowevents.moc"
