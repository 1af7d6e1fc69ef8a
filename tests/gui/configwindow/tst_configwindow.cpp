#include "TestSupport.h"
#include "gui/app/AppFixture.h"
#include "gui/app/MouseDriver.h"

#include "app/AboutDialog.h"
#include "app/HelpWindow.h"
#include "config/Scramble.h"
#include "configwindow/CPallworthDoc.h"
#include "configwindow/CPallworthTreeView.h"
#include "configwindow/CSplitterFrame.h"
#include "configwindow/CSyncView.h"
#include "configwindow/TreeFilter.h"
#include "framework/CommandIds.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenuBar>
#include <QProcess>
#include <QSplitter>
#include <QStatusBar>
#include <QTextBrowser>
#include <QToolBar>
#include <csignal>
#include <sys/resource.h>

using namespace testsupport;
using namespace mousedriver;

namespace {

QStringList menuTitles(const CMainFrame& frame) {
    QStringList titles;
    for (QAction* a : frame.menuBar()->actions())
        titles << a->text();
    return titles;
}

QStringList labels(const QTreeWidgetItem* parent) {
    QStringList list;
    for (int i = 0; i < parent->childCount(); ++i)
        list << parent->child(i)->text(0);
    return list;
}

// Titles with their widths; the last column takes the room left, so it
// carries no width.
QStringList headers(const CSyncView& list) {
    QStringList titles;
    for (int c = 0; c < list.columnCount(); ++c)
        titles << list.headerItem()->text(c) +
                      (c + 1 < list.columnCount()
                           ? QLatin1Char('/') + QString::number(list.columnWidth(c))
                           : QString());
    return titles;
}

QStringList row(const CSyncView& list, int r) {
    QStringList cells;
    for (int c = 0; c < list.columnCount(); ++c)
        cells << list.topLevelItem(r)->text(c);
    return cells;
}

QString fileText(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
}

} // namespace

class TestConfigWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsEmptyAndShutsDownTheClient();
    void openShowsMaximisedSplitWindow();
    void treeShape();
    void everyNodeKindInTheList();
    void newPackageCancelledMarksModifiedOnly();
    void newApplicationAndPackageAddNodes();
    void newRecordTakesTheFocus_data();
    void newRecordTakesTheFocus();
    void changedNodeClearsTheFilter_data();
    void changedNodeClearsTheFilter();
    void insertOnGroupsAndContextMenus();
    void deleteFirstOfThreePackages();
    void saveRefusedWithEachMessage();
    void failedSaveKeepsTheOldFile_data();
    void failedSaveKeepsTheOldFile();
    void readOnlyFileOffersSaveAs_data();
    void readOnlyFileOffersSaveAs();
    void newEditSaveReopen();
    void closePromptsWhenModified();
    void fileChangedOnDiskAsksBeforeOverwrite();
    void newerVersionShowsNothingAndIsNotSaved();
    void neverSavableOpensReadOnly_data();
    void neverSavableOpensReadOnly();
    void unreadableFileReported();
    void recentFilesKeepFour();
    void windowsOnOneDocumentStayInStep();
    void tabMovesBetweenPanes();
    void aboutAndHelp();
    void windowRendersForTheScreenshot();
    void fileNewOffersTheKindsInOrder();
    void nextPaneMovesFocus();
    void openingSelectsNothing();
    void lockKeyIndicators();

private:
    CSplitterFrame* activeContent() const {
        return qobject_cast<CSplitterFrame*>(fixture_->documents().activeFrame()->widget());
    }
    CPallworthTreeView* tree() const { return activeContent()->treeView(); }
    CSyncView* list() const { return activeContent()->listView(); }
    CPallworthDoc* document() const {
        return static_cast<CPallworthDoc*>(fixture_->documents().activeDocument());
    }
    CPallworthDoc* open(const char* name) {
        return static_cast<CPallworthDoc*>(
            fixture_->openKnown(QString::fromStdString(dataPath(name))));
    }
    QString copyOf(const char* name) {
        const QString path = work_->filePath(QString::fromLatin1(name));
        QFile::remove(path);
        QFile::copy(QString::fromStdString(dataPath(name)), path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    void select(QTreeWidgetItem* node) { tree()->setCurrentItem(node); }
    // Opens the rich file and types `filter` into the tree's filter box.
    bool openFiltered(const QString& filter) {
        open("rich-1.30.cfg");
        fixture_->frame().activateWindow();
        if (!QTest::qWaitForWindowActive(&fixture_->frame()))
            return false;
        QTest::keyClick(tree(), Qt::Key_F, Qt::ControlModifier);
        QTest::keyClicks(activeContent()->filter(), filter);
        return activeContent()->filter()->text() == filter;
    }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
    std::unique_ptr<QTemporaryDir> work_;
};

void TestConfigWindow::init() {
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
    work_ = std::make_unique<QTemporaryDir>();
}

void TestConfigWindow::cleanup() {
    fixture_->answer = QMessageBox::No;
    seam_.reset();
    fixture_.reset();
    work_.reset();
}

void TestConfigWindow::startsEmptyAndShutsDownTheClient() {
    CMainFrame& frame = fixture_->frame();
    QVERIFY(frame.isVisible());
    QCOMPARE(frame.menuId(), 128);
    QCOMPARE(menuTitles(frame), (QStringList{QStringLiteral("&File"), QStringLiteral("&View"),
                                             QStringLiteral("&Help")}));
    QVERIFY(
        frame.mdiArea()->subWindowList().isEmpty()); // the file on the command line is not opened
    QCOMPARE(fixture_->app->commandLine().value(1), QStringLiteral("ignored.cfg"));
    auto* toolbar = frame.findChild<QToolBar*>(QStringLiteral("toolbar128"));
    QVERIFY(toolbar != nullptr);
    // New, Open, Save, a separator, Undo and Redo, a separator, Cut, Copy and Paste.
    QCOMPARE(toolbar->actions().size(), 10);
    for (const char* name : {"CAP", "NUM", "SCRL"})
        QVERIFY(frame.statusBar()->findChild<QLabel*>(QString::fromLatin1(name)) != nullptr);
    QVERIFY(!frame.action(CommandIds::FileSave)->isEnabled());
    QCOMPARE(frame.action(CommandIds::FileSave)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    QCOMPARE(fixture_->network->initialized, 1);
    QCOMPARE(fixture_->network->shutDown, 0);
    fixture_->app->ExitInstance();
    QCOMPARE(fixture_->network->shutDown, 1);
}

void TestConfigWindow::openShowsMaximisedSplitWindow() {
    QVERIFY(open("rich-1.30.cfg") != nullptr);
    ChildFrame* child = fixture_->documents().activeFrame();
    QVERIFY(child->isMaximized());
    QCOMPARE(child->windowTitle(), QStringLiteral("rich-1.30.cfg[*] [lines not kept]"));
    QCOMPARE(activeContent()->splitter()->sizes().value(0), 250);
    QCOMPARE(fixture_->frame().menuId(), 129);
    QCOMPARE(
        menuTitles(fixture_->frame()),
        (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"), QStringLiteral("&Data"),
                     QStringLiteral("&View"), QStringLiteral("&Window"), QStringLiteral("&Help")}));
    QVERIFY(fixture_->frame().action(CommandIds::NewPackage)->isEnabled());
    QVERIFY(activeContent()->focusProxy() == tree());
    QVERIFY(!document()->isModified());
    QCOMPARE(fixture_->documents().templates().front()->filter(),
             QStringLiteral("Sync Files (*.cfg)"));
}

void TestConfigWindow::treeShape() {
    open("rich-1.30.cfg");
    CPallworthTreeView* t = tree();
    QCOMPARE(t->topLevelItemCount(), 3);
    QCOMPARE(t->topLevelItem(0)->text(0), QStringLiteral("Default settings"));
    QCOMPARE(labels(t->applicationsNode()),
             (QStringList{QStringLiteral("Office Suite"), QStringLiteral("Bare")}));
    QCOMPARE(labels(t->packagesNode()),
             (QStringList{QStringLiteral("Sales Servers"), QStringLiteral("Archive")}));
    const QStringList children = {
        QStringLiteral("Settings"),      QStringLiteral("Schedule"),
        QStringLiteral("Source Server"), QStringLiteral("Target Server(s)"),
        QStringLiteral("Directories"),   QStringLiteral("Files"),
        QStringLiteral("Exclude"),       QStringLiteral("Messages")};
    QCOMPARE(CPallworthTreeView::packageChildren(), children);
    for (int i = 0; i < 2; ++i)
        QCOMPARE(labels(t->packagesNode()->child(i)), children);
    QCOMPARE(CPallworthTreeView::kindOf(t->packagesNode()), GroupNode);
    QCOMPARE(CPallworthTreeView::kindOf(t->packagesNode()->child(0)), PackageNode);
    QCOMPARE(CPallworthTreeView::kindOf(t->applicationsNode()->child(0)), ApplicationNode);
    QCOMPARE(CPallworthTreeView::kindOf(t->packagesNode()->child(0)->child(3)), DetailNode);
    // Each node carries what its list shows beside its kind and record.
    QCOMPARE(CPallworthTreeView::detailOf(t->packagesNode()->child(0)->child(3)),
             DetailKind::Targets);
    QCOMPARE(CPallworthTreeView::recordOf(t->packagesNode()->child(1)->child(3)),
             document()->model().packages.at(2).id);
    QCOMPARE(CPallworthTreeView::detailOf(t->defaultSettingsNode()), DetailKind::DefaultSettings);
    QCOMPARE(CPallworthTreeView::detailOf(t->applicationsNode()->child(1)),
             DetailKind::Application);
    QCOMPARE(CPallworthTreeView::detailOf(t->packagesNode()->child(0)), DetailKind::None);
    QVERIFY(!t->packagesNode()->isExpanded());

    fixture_->documents().newDocument(*fixture_->documents().templates().front());
    QCOMPARE(tree()->topLevelItemCount(), 3);
    QCOMPARE(tree()->applicationsNode()->childCount(), 0);
    QCOMPARE(tree()->packagesNode()->childCount(), 0);
    QCOMPARE(fixture_->documents().activeDocument()->title(), QStringLiteral("Sync1"));
}

void TestConfigWindow::everyNodeKindInTheList() {
    open("rich-1.30.cfg");
    CPallworthTreeView* t = tree();
    select(t->defaultSettingsNode());
    QCOMPARE(headers(*list()),
             (QStringList{QStringLiteral("Properties/250"), QStringLiteral("Value")}));
    QCOMPARE(list()->topLevelItemCount(), 20);
    QCOMPARE(row(*list(), 2), (QStringList{QStringLiteral("Password"), QStringLiteral("****")}));
    QCOMPARE(row(*list(), 13),
             (QStringList{QStringLiteral("Time restriction"), QStringLiteral("22:00-06:00")}));
    QCOMPARE(row(*list(), 14), (QStringList{QStringLiteral("Log directory"),
                                            QString::fromUtf8("SYS:\\LOGS\\M\u00FCLLER\\")}));
    QCOMPARE(document()->selectedNode.item, t->defaultSettingsNode());
    QCOMPARE(document()->treeView.data(), t);
    QCOMPARE(document()->listView.data(), list());

    select(t->packagesNode());
    QCOMPARE(headers(*list()), QStringList{QStringLiteral("Packages")});
    QCOMPARE(row(*list(), 1), QStringList{QStringLiteral("Archive")});

    select(t->applicationsNode()->child(0));
    QCOMPARE(headers(*list()),
             (QStringList{QStringLiteral("Properties/150"), QStringLiteral("Value")}));
    QCOMPARE(row(*list(), 2), (QStringList{QStringLiteral("Destination packages"),
                                           QStringLiteral("Sales Archive ")}));

    QTreeWidgetItem* sales = t->packagesNode()->child(0);
    select(sales);
    QCOMPARE(list()->columnCount(), 0);
    QCOMPARE(list()->topLevelItemCount(), 0);

    select(sales->child(3)); // Target Server(s)
    QCOMPARE(list()->columnCount(), 6);
    QCOMPARE(list()->topLevelItemCount(), 4);
    QCOMPARE(row(*list(), 0),
             (QStringList{QStringLiteral("SRV-B1"), QStringLiteral("VOL1"), QStringLiteral("ON"),
                          QStringLiteral("0"), QStringLiteral("daily at 08:00"),
                          QStringLiteral("TCP")}));
    QCOMPARE(row(*list(), 3).value(4), QStringLiteral("daily at 08:00")); // package schedule

    select(sales->child(4)); // Directories
    QCOMPARE(row(*list(), 0).value(0), QStringLiteral("SYS:\\DATA\\SALES REPORTS"));
    select(sales->child(0)); // Settings
    QCOMPARE(list()->topLevelItemCount(), 14);
    QCOMPARE(row(*list(), 13), (QStringList{QStringLiteral("Open file handling method"),
                                            QStringLiteral("ALERT 60")}));
    select(t->packagesNode()->child(1)->child(1)); // Archive's Schedule
    QCOMPARE(row(*list(), 0),
             (QStringList{QStringLiteral("Schedule"), QStringLiteral("every 4 hours")}));
}

void TestConfigWindow::newPackageCancelledMarksModifiedOnly() {
    open("rich-1.30.cfg");
    fixture_->onDialog = [](QDialog& d) {
        d.reject();
        return d.result();
    };
    fixture_->frame().action(CommandIds::NewPackage)->trigger();
    QCOMPARE(fixture_->dialogsRun, 1);
    QVERIFY(document()->isModified());
    QCOMPARE(document()->model().packages.count(), 2);
    QCOMPARE(tree()->packagesNode()->childCount(), 2);
}

void TestConfigWindow::newApplicationAndPackageAddNodes() {
    open("rich-1.30.cfg");
    fixture_->onDialog = AppFixture::typeAndOk(QString::fromUtf8("Caf\u00E9 \u20AC"));
    fixture_->frame().action(CommandIds::NewPackage)->trigger();
    const ConfigModel& m = document()->model();
    QCOMPARE(m.packages.count(), 3);
    QCOMPARE(m.packages.at(3).name, std::string("Caf\xE9 \x80"));
    QTreeWidgetItem* node = tree()->packagesNode()->child(2);
    QCOMPARE(node->text(0), QString::fromUtf8("Caf\u00E9 \u20AC"));
    QCOMPARE(labels(node), CPallworthTreeView::packageChildren());
    QVERIFY(node->isExpanded());
    QCOMPARE(tree()->currentItem(), node);

    fixture_->onDialog = AppFixture::typeAndOk(QString());
    fixture_->frame().action(CommandIds::NewApplication)->trigger();
    QCOMPARE(m.applications.count(), 3);
    QCOMPARE(m.applications.at(3).name, std::string());
    QCOMPARE(tree()->currentItem(), tree()->applicationsNode()->child(2));
    QCOMPARE(list()->headerItem()->text(0), QStringLiteral("Properties"));
}

void TestConfigWindow::newRecordTakesTheFocus_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("filterAfter");
    QTest::addColumn<QString>("below"); // the node Down goes to
    const int package = CommandIds::NewPackage;
    const int application = CommandIds::NewApplication;
    const auto row = [](const char* name, int command, const char* filter, const char* typed,
                        const char* filterAfter, const char* below) {
        QTest::newRow(name) << command << QString::fromLatin1(filter) << QString::fromLatin1(typed)
                            << QString::fromLatin1(filterAfter) << QString::fromLatin1(below);
    };
    row("package", package, "", "Zeta", "", "Settings");
    row("package, filter hides it", package, "arch", "Zeta", "", "Settings");
    row("package, filter shows it", package, "arch", "Arches", "arch", "Settings");
    row("application", application, "", "Tools", "", "Package descriptions");
    row("application, filter hides it", application, "arch", "Tools", "", "Package descriptions");
    row("application, filter shows it", application, "e", "Offline", "e", "Package descriptions");
}

void TestConfigWindow::newRecordTakesTheFocus() {
    QFETCH(int, command);
    QFETCH(QString, filter);
    QFETCH(QString, name);
    QFETCH(QString, filterAfter);
    QFETCH(QString, below);
    QVERIFY(openFiltered(filter));
    // Then the user clicked a row of the list.
    click(tree(), tree()->defaultSettingsNode());
    click(list(), list()->topLevelItem(2));
    QCOMPARE(QApplication::focusWidget(), list());

    fixture_->onDialog = AppFixture::typeAndOk(name);
    fixture_->frame().action(command)->trigger();
    QTreeWidgetItem* node = item(tree(), name);
    QVERIFY(node != nullptr);
    QCOMPARE(tree()->currentItem(), node);
    QVERIFY(!node->isHidden() && !node->parent()->isHidden());
    QCOMPARE(activeContent()->filter()->text(), filterAfter);
    QCOMPARE(QApplication::focusWidget(), tree());
    // A package shows no rows; an application's first row waits for Enter.
    QCOMPARE(list()->selectedRow(), list()->topLevelItemCount() > 0 ? 0 : -1);
    if (list()->topLevelItemCount() > 0) {
        const QString firstRow = list()->topLevelItem(0)->text(0);
        QString asked;
        fixture_->onDialog = [&](QDialog& d) {
            asked = d.windowTitle();
            d.reject();
            return d.result();
        };
        QTest::keyClick(tree(), Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(asked, firstRow);
        QTest::keyClick(list(), Qt::Key_Tab);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(tree()->currentItem()->text(0), below);
}

void TestConfigWindow::changedNodeClearsTheFilter_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<int>("row"); // of the packages' list
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("name"); // typed when the key opens the name's dialog
    QTest::addColumn<QString>("filterAfter");
    const auto row = [](const char* name, const char* filter, int r, Qt::Key key, const char* typed,
                        const char* filterAfter) {
        QTest::newRow(name) << QString::fromLatin1(filter) << r << key << QString::fromLatin1(typed)
                            << QString::fromLatin1(filterAfter);
    };
    // Sales Servers, the first package, is hidden by "arch" and shown by "a".
    row("hidden, moved down", "arch", 0, Qt::Key_Down, "", "");
    row("shown, moved down", "a", 0, Qt::Key_Down, "", "a");
    row("hidden, cannot move up", "arch", 0, Qt::Key_Up, "", "arch");
    row("renamed out of the filter", "arch", 1, Qt::Key_Return, "Vault", "");
    row("renamed within the filter", "arch", 1, Qt::Key_Return, "Archive 2", "arch");
}

void TestConfigWindow::changedNodeClearsTheFilter() {
    QFETCH(QString, filter);
    QFETCH(int, row);
    QFETCH(Qt::Key, key);
    QFETCH(QString, name);
    QFETCH(QString, filterAfter);
    QVERIFY(openFiltered(filter));
    click(tree(), tree()->packagesNode());
    click(list(), list()->topLevelItem(row));
    fixture_->onDialog = AppFixture::typeAndOk(name);
    QTest::keyClick(list(), key, key == Qt::Key_Return ? Qt::NoModifier : Qt::AltModifier);
    QCOMPARE(activeContent()->filter()->text(), filterAfter);
    const QStringList packages = {QString::fromLatin1("Sales Servers"),
                                  name.isEmpty() ? QStringLiteral("Archive") : name};
    QStringList nodes;
    for (int i = 0; i < tree()->packagesNode()->childCount(); ++i)
        nodes << tree()->packagesNode()->child(i)->text(0);
    const QStringList expected =
        key == Qt::Key_Down ? QStringList{packages[1], packages[0]} : packages;
    QCOMPARE(nodes, expected);
    // The group the list shows stays current.
    QCOMPARE(tree()->currentItem(), tree()->packagesNode());
}

void TestConfigWindow::insertOnGroupsAndContextMenus() {
    open("rich-1.30.cfg");
    // The menus of each node kind: test_editing, by right clicks.
    CPallworthTreeView* t = tree();
    fixture_->onDialog = AppFixture::typeAndOk(QStringLiteral("Inserted"));
    t->setCurrentNode(t->packagesNode());
    t->Insert();
    QCOMPARE(document()->model().packages.last().name, std::string("Inserted"));
    t->setCurrentNode(t->applicationsNode());
    t->Insert();
    QCOMPARE(document()->model().applications.last().name, std::string("Inserted"));
    QCOMPARE(fixture_->dialogsRun, 2);
}

void TestConfigWindow::deleteFirstOfThreePackages() {
    CPallworthDoc* doc = open("rich-1.30.cfg");
    fixture_->onDialog = AppFixture::typeAndOk(QStringLiteral("Third"));
    fixture_->frame().action(CommandIds::NewPackage)->trigger();
    doc->setModifiedFlag(false);
    CPallworthTreeView* t = tree();
    t->setCurrentNode(t->packagesNode()->child(0));
    t->DeleteNode();
    QVERIFY(doc->isModified());
    QCOMPARE(doc->model().packages.count(), 2);
    QCOMPARE(labels(t->packagesNode()),
             (QStringList{QStringLiteral("Archive"), QStringLiteral("Third")}));
    select(t->packagesNode()->child(0)->child(2)); // Archive's Source Server
    QCOMPARE(row(*list(), 0),
             (QStringList{QStringLiteral("Source Server"), QStringLiteral("SRV-ARCH")}));
    select(t->packagesNode()->child(0)->child(3));
    QCOMPARE(row(*list(), 0).value(0), QStringLiteral("SRV-X"));
    select(t->packagesNode()->child(1)->child(1));
    QCOMPARE(row(*list(), 0).value(1), QStringLiteral("daily at 00:00"));
    // Delete on a node that is not a record does nothing.
    t->setCurrentNode(t->defaultSettingsNode());
    t->DeleteNode();
    QCOMPARE(doc->model().packages.count(), 2);
    QCOMPARE(doc->model().applications.count(), 2);
}

void TestConfigWindow::saveRefusedWithEachMessage() {
    const QString path = copyOf("rich-1.30.cfg");
    CPallworthDoc* doc = static_cast<CPallworthDoc*>(fixture_->openKnown(path));
    const QString before = fileText(path);
    ConfigModel& m = doc->model();
    m.packages.at(2).source.clear();
    m.global.user.clear();
    m.password.clear();
    doc->setModifiedFlag();
    const QStringList expected = {
        QStringLiteral("Please specify a source server for package Archive"),
        QStringLiteral("Please specify a username"), QStringLiteral("Please specify a password")};
    for (const QString& message : expected) {
        fixture_->messages.clear();
        fixture_->frame().action(CommandIds::FileSave)->trigger();
        QCOMPARE(fixture_->messages, QStringList{message});
        QCOMPARE(fixture_->captions, QStringList{QStringLiteral("Pallworth")});
        QCOMPARE(fixture_->icons, QList<ModalSeam::Icon>{ModalSeam::Icon::Warning});
        fixture_->captions.clear();
        fixture_->icons.clear();
        QCOMPARE(fileText(path), before);
        QVERIFY(doc->isModified());
        if (m.packages.at(2).source.empty())
            m.packages.at(2).source = "SRV";
        else if (m.global.user.empty())
            m.global.user = "admin";
    }
    m.password = Scramble("pw");
    fixture_->messages.clear();
    fixture_->frame().action(CommandIds::FileSave)->trigger();
    QCOMPARE(fixture_->messages, QStringList());
    QVERIFY(!doc->isModified());
    QVERIFY(fileText(path) != before);
}

void TestConfigWindow::failedSaveKeepsTheOldFile_data() {
    QTest::addColumn<bool>("restoreFails");
    QTest::newRow("file left as it was") << false;
    QTest::newRow("old content kept beside it") << true;
}

void TestConfigWindow::failedSaveKeepsTheOldFile() {
    QFETCH(bool, restoreFails);
    const QString path = copyOf("rich-1.30.cfg");
    CPallworthDoc* doc = static_cast<CPallworthDoc*>(fixture_->openKnown(path));
    const QString before = fileText(path);
    doc->model().global.maxThreads = "99";
    doc->setModifiedFlag();
    struct rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    struct rlimit limited = saved;
    // The file system takes no more than 100 bytes; or, for a file saved in
    // place (a second name), fewer than its old content once it is backed up.
    limited.rlim_cur = 100;
    if (restoreFails) {
        QCOMPARE(::link(QFile::encodeName(path).constData(),
                        QFile::encodeName(path + QStringLiteral("2")).constData()),
                 0);
        limited = saved;
        FileStore::setStageHook([](FileStore::Stage stage) {
            struct rlimit tight {};
            ::getrlimit(RLIMIT_FSIZE, &tight);
            tight.rlim_cur = 4;
            if (stage == FileStore::Stage::BackedUp)
                ::setrlimit(RLIMIT_FSIZE, &tight);
        });
    }
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &limited);
    fixture_->frame().action(CommandIds::FileSave)->trigger();
    FileStore::setStageHook(nullptr);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    QCOMPARE(fixture_->messages.size(), 1);
    const QString& message = fixture_->messages[0];
    QCOMPARE(message.contains(QStringLiteral("left as it was")), !restoreFails);
    QCOMPARE(message.contains(QStringLiteral("the old content is in")), restoreFails);
    QVERIFY(doc->isModified());
    const QStringList kept =
        QDir(work_->path()).entryList({QStringLiteral("*.old")}, QDir::Files | QDir::Hidden);
    if (!restoreFails) {
        QCOMPARE(fileText(path), before);
        QCOMPARE(QDir(work_->path()).entryList(QDir::Files).size(), 1);
        QCOMPARE(kept, QStringList());
        return;
    }
    QCOMPARE(kept.size(), 1);
    QVERIFY2(message.contains(kept[0]), qPrintable(message));
    QCOMPARE(fileText(QDir(work_->path()).filePath(kept[0])), before);
}

void TestConfigWindow::readOnlyFileOffersSaveAs_data() {
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::newRow("Save As") << QMessageBox::Yes;
    QTest::newRow("keep editing") << QMessageBox::No;
}

void TestConfigWindow::readOnlyFileOffersSaveAs() {
    QFETCH(QMessageBox::StandardButton, answer);
    const QString path = copyOf("rich-1.30.cfg");
    CPallworthDoc* doc = static_cast<CPallworthDoc*>(fixture_->openKnown(path));
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    const QString before = fileText(path);
    const QString shown = QDir::toNativeSeparators(doc->filePath());
    doc->model().global.maxThreads = "50";
    doc->setModifiedFlag();
    fixture_->answer = answer;
    fixture_->fileName = work_->filePath(QStringLiteral("copy.cfg"));
    fixture_->frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture_->frame()));
    QTest::keyClick(tree(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fixture_->messages,
             QStringList{shown + QStringLiteral(" is read-only.\nDo you want to save it under "
                                                "another name?")});
    QCOMPARE(fileText(path), before);
    QCOMPARE(doc->isModified(), answer == QMessageBox::No);
    QCOMPARE(fileText(fixture_->fileName).contains(QStringLiteral("MAXTHREADS 50")),
             answer == QMessageBox::Yes);
}

void TestConfigWindow::newEditSaveReopen() {
    fixture_->documents().newDocument(*fixture_->documents().templates().front());
    CPallworthDoc* doc = document();
    // Unchanged, it saves without a user or password: the lines stay empty.
    fixture_->fileName = work_->filePath(QStringLiteral("empty.cfg"));
    fixture_->frame().action(CommandIds::FileSave)->trigger();
    QCOMPARE(fixture_->messages, QStringList());
    const QString empty = fileText(fixture_->fileName);
    QVERIFY(empty.contains(QStringLiteral("\r\nUSER \r\n")));
    QVERIFY(empty.contains(QStringLiteral("\r\nPWD \r\n")));
    fixture_->onDialog = AppFixture::typeAndOk(QStringLiteral("Nightly"));
    fixture_->frame().action(CommandIds::NewPackage)->trigger();
    ConfigModel& m = doc->model();
    m.packages.at(1).source = "SRC1";
    m.packages.at(1).targets.append(TargetServer("T1", "VOL1", "ON", "", "0", "(default)"));
    m.global.user = "admin";
    m.password = Scramble("pw");
    fixture_->fileName = work_->filePath(QStringLiteral("saved"));
    fixture_->frame().action(CommandIds::FileSaveAs)->trigger();
    QCOMPARE(fixture_->messages, QStringList());
    const QString saved = work_->filePath(QStringLiteral("saved.cfg"));
    QCOMPARE(doc->filePath(), QFileInfo(saved).canonicalFilePath());
    QCOMPARE(doc->title(), QStringLiteral("saved.cfg"));
    QCOMPARE(QFile::permissions(saved) & 0x7077, QFile::ReadOwner | QFile::WriteOwner);
    const ConfigModel edited = m;
    QVERIFY(fixture_->documents().closeDocument(*doc));

    auto* reopened = static_cast<CPallworthDoc*>(fixture_->openKnown(saved));
    const ConfigModel& back = reopened->model();
    QCOMPARE(back.packages.count(), 1);
    QCOMPARE(back.packages.at(1).name, std::string("Nightly"));
    QCOMPARE(back.packages.at(1).targets.at(1).volume(), std::string_view("VOL1"));
    QCOMPARE(back.global.user, edited.global.user);
    QCOMPARE(back.password, edited.password);
    QCOMPARE(back.global.logEvent, std::string("COPIED DELETED "));
    QCOMPARE(labels(tree()->packagesNode()), QStringList{QStringLiteral("Nightly")});
}

void TestConfigWindow::closePromptsWhenModified() {
    CPallworthDoc* doc = open("rich-1.30.cfg");
    doc->setModifiedFlag();
    ChildFrame* child = fixture_->documents().activeFrame();
    fixture_->answer = QMessageBox::Cancel;
    QVERIFY(!child->close());
    QCOMPARE(fixture_->messages, QStringList{QStringLiteral("Save changes to rich-1.30.cfg?")});
    QCOMPARE(fixture_->documents().documents().size(), 1);
    fixture_->answer = QMessageBox::No;
    QVERIFY(child->close());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(fixture_->documents().documents().size(), 0);
    QCOMPARE(fixture_->frame().menuId(), 128);

    // An unchanged document closes without a question.
    fixture_->messages.clear();
    open("rich-1.30.cfg");
    fixture_->frame().action(CommandIds::FileClose)->trigger();
    QCOMPARE(fixture_->messages, QStringList());
    QVERIFY(fixture_->documents().documents().isEmpty());
}

void TestConfigWindow::fileChangedOnDiskAsksBeforeOverwrite() {
    const QString path = copyOf("rich-1.30.cfg");
    CPallworthDoc* doc = static_cast<CPallworthDoc*>(fixture_->openKnown(path));
    QTest::qWait(20);
    {
        QFile other(path);
        QVERIFY(other.open(QIODevice::Append));
        other.write("# another administrator\r\n");
    }
    doc->model().global.maxThreads = "50";
    doc->setModifiedFlag();
    fixture_->answer = QMessageBox::No;
    fixture_->frame().action(CommandIds::FileSave)->trigger();
    QCOMPARE(fixture_->messages.size(), 1);
    QVERIFY(fixture_->messages[0].contains(QStringLiteral("changed by another program")));
    QVERIFY(fileText(path).endsWith(QStringLiteral("# another administrator\r\n")));
    fixture_->answer = QMessageBox::Yes;
    fixture_->frame().action(CommandIds::FileSave)->trigger();
    QVERIFY(fileText(path).contains(QStringLiteral("MAXTHREADS 50")));
    QVERIFY(!doc->isModified());
}

void TestConfigWindow::newerVersionShowsNothingAndIsNotSaved() {
    const QString path = work_->filePath(QStringLiteral("newer.cfg"));
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "VERSION 1.40\r\nUSER u\r\nPWD p\r\nPACKAGE P\r\nSOURCE S\r\nDEST A B MSGON 0\r\n");
    }
    CPallworthDoc* doc = static_cast<CPallworthDoc*>(fixture_->documents().openFile(path));
    QVERIFY(doc->model().newerVersion);
    QCOMPARE(tree()->topLevelItemCount(), 0);
    QCOMPARE(list()->columnCount(), 0);
    QVERIFY(doc->listView.isNull());
    // Said on opening, and shown while the window is active.
    QCOMPARE(fixture_->messages.size(), 1);
    QVERIFY(fixture_->messages[0].contains(QStringLiteral("newer than version 1.30")));
    QVERIFY(fixture_->frame().readOnlyIndicator()->isVisible());
    QVERIFY(
        fixture_->documents().activeFrame()->windowTitle().endsWith(QStringLiteral("[read only]")));
    QCOMPARE(fixture_->frame().readOnlyIndicator()->text(),
             QStringLiteral("Written by a newer version; read only"));
    // No edit reaches it: the Data commands are off and do nothing anyway.
    QVERIFY(!fixture_->frame().action(CommandIds::NewApplication)->isEnabled());
    QVERIFY(!fixture_->frame().action(CommandIds::NewPackage)->isEnabled());
    activeContent()->newPackage();
    activeContent()->newApplication();
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    QTest::keyClick(list(), Qt::Key_Return);
    QCOMPARE(fixture_->dialogsRun, 0);
    QVERIFY(!doc->isModified());
    const QString before = fileText(path);
    // Save is off: it neither asks nor writes.
    fixture_->frame().action(CommandIds::FileSave)->trigger();
    QCOMPARE(fixture_->messages.size(), 1);
    QCOMPARE(fileText(path), before);
}

void TestConfigWindow::neverSavableOpensReadOnly_data() {
    QTest::addColumn<QString>("sample");
    QTest::addColumn<QString>("version"); // put in place of the sample's own
    QTest::addColumn<QString>("message"); // part of the message at open and on save
    QTest::addColumn<QString>("status");
    QTest::newRow("newer format") << "rich-1.30.cfg"
                                  << "1.40"
                                  << "newer than version 1.30"
                                  << "Written by a newer version; read only";
    QTest::newRow("targets of version 1.25") << "rich-1.22.cfg"
                                             << "1.25"
                                             << "unknown format version \"1.25\". 3 DEST line(s)"
                                             << "DEST lines of version 1.25 cannot be kept";
}

void TestConfigWindow::neverSavableOpensReadOnly() {
    QFETCH(QString, sample);
    QFETCH(QString, version);
    QFETCH(QString, message);
    QFETCH(QString, status);
    const QString path = copyOf(sample.toLatin1().constData());
    QByteArray bytes = fileBytes(path);
    QVERIFY(bytes.startsWith("VERSION 1."));
    bytes.replace(0, 12, "VERSION " + version.toLatin1());
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }
    auto* doc = static_cast<CPallworthDoc*>(fixture_->documents().openFile(path));
    QVERIFY(doc != nullptr);
    QCOMPARE(fixture_->messages.size(), 1);
    QVERIFY2(fixture_->messages[0].contains(message), qPrintable(fixture_->messages[0]));
    QVERIFY(fixture_->frame().readOnlyIndicator()->isVisible());
    QCOMPARE(fixture_->frame().readOnlyIndicator()->text(), status);
    QVERIFY(
        fixture_->documents().activeFrame()->windowTitle().endsWith(QStringLiteral("[read only]")));
    for (int id : {CommandIds::FileSave, CommandIds::FileSaveAs, CommandIds::NewApplication,
                   CommandIds::NewPackage})
        QVERIFY2(!fixture_->frame().action(id)->isEnabled(), qPrintable(QString::number(id)));
    const int packages = doc->model().packages.count();

    // Every way to edit, where the tree shows something to edit.
    if (QTreeWidgetItem* group = tree()->packagesNode()) {
        click(tree(), group);
        // The menus show their commands greyed, but Copy, which changes nothing.
        for (const auto& menu : {tree()->popupMenu(group->child(0)), list()->popupMenu()})
            for (const QAction* command : menu->actions())
                QVERIFY2(!command->isEnabled() || command->isSeparator() ||
                             command->objectName() == QLatin1String("copy"),
                         qPrintable(command->objectName()));
        QTreeWidgetItem* first = list()->topLevelItem(0);
        click(list(), first);
        for (int key : {Qt::Key_Return, Qt::Key_Insert, Qt::Key_Delete})
            QTest::keyClick(list(), Qt::Key(key));
        QTest::keyClick(list(), Qt::Key_Down, Qt::AltModifier);
        QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, at(list(), first));
        rightClick(list(), at(list(), first), QStringLiteral("delete"));
        click(tree(), group->child(0)->child(4)); // Directories
        QVERIFY(list()->topLevelItemCount() > 0);
        click(list(), list()->topLevelItem(0));
        QTest::keyClick(list(), Qt::Key_Return);
        rightClick(list(), at(list(), list()->topLevelItem(0)), QStringLiteral("insert"));
        click(tree(), group->child(0));
        QTest::keyClick(tree(), Qt::Key_Delete);
        rightClick(tree(), at(tree(), group), QStringLiteral("insert"));
    }
    QTest::keyClick(tree(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fixture_->dialogsRun, 0);
    QCOMPARE(fixture_->messages.size(), 1);
    QCOMPARE(doc->model().packages.count(), packages);
    QCOMPARE(doc->undoStack().count(), 0);
    QVERIFY(!doc->isModified());

    // Save As refuses before it asks for a name.
    int named = 0;
    ModalSeam::Hooks hooks = fixture_->answerAll();
    hooks.fileName = [&named](const QString&) {
        ++named;
        return QString();
    };
    ModalSeam::Scope counting(hooks);
    QVERIFY(!fixture_->documents().saveAs(*doc));
    QCOMPARE(named, 0);
    QCOMPARE(fixture_->messages.size(), 2);
    QCOMPARE(fixture_->messages[1], fixture_->messages[0]);
    QCOMPARE(fileBytes(path), bytes);
}

void TestConfigWindow::unreadableFileReported() {
    QVERIFY(fixture_->openKnown(work_->filePath(QStringLiteral("missing.cfg"))) == nullptr);
    QCOMPARE(fixture_->messages.size(), 1);
    QVERIFY(fixture_->messages[0].contains(QStringLiteral("missing.cfg")));
    const QString big = work_->filePath(QStringLiteral("big.cfg"));
    {
        QFile file(big);
        QVERIFY(file.open(QIODevice::WriteOnly));
        for (int i = 0; i < 1000; ++i)
            file.write("PACKAGE P\r\nPACKAGE END\r\n");
    }
    QVERIFY(fixture_->openKnown(big) == nullptr);
    QVERIFY(fixture_->messages.last().contains(QStringLiteral("more than 999 packages")));
    // The reason names the package in the model's code page.
    {
        QFile file(big);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("PACKAGE Pr\x80is\r\n");
        for (int i = 0; i < 1000; ++i)
            file.write("EXCLUDE \"SYS:\\X\"\r\n");
    }
    QVERIFY(fixture_->openKnown(big) == nullptr);
    QVERIFY(fixture_->messages.last().contains(QStringLiteral("in package Pr\u20ACis")));
    QVERIFY(fixture_->documents().documents().isEmpty());
}

void TestConfigWindow::recentFilesKeepFour() {
    QStringList paths;
    for (int i = 0; i < 5; ++i) {
        const QString path = work_->filePath(QStringLiteral("f%1.cfg").arg(i));
        QFile::copy(QString::fromStdString(dataPath("rich-1.30.cfg")), path);
        paths.prepend(QFileInfo(path).canonicalFilePath());
        QVERIFY(fixture_->openKnown(path) != nullptr);
    }
    const QStringList recent = fixture_->documents().recentFiles();
    QCOMPARE(recent, paths.mid(0, 4));
    QAction* first = fixture_->frame().action(CommandIds::FileMru1);
    QVERIFY(first->isVisible());
    QVERIFY(first->text().endsWith(QStringLiteral("f4.cfg")));
    // Opening one again moves it to the top without a second window.
    fixture_->openKnown(paths[2]);
    QCOMPARE(fixture_->documents().recentFiles().value(0), paths[2]);
    QCOMPARE(fixture_->documents().documents().size(), 5);
    // An entry whose file has gone is dropped once its open has failed.
    for (Document* d : fixture_->documents().documents())
        if (d->filePath() == paths[3])
            QVERIFY(fixture_->documents().closeDocument(*d));
    QFile::remove(paths[3]);
    fixture_->frame().action(CommandIds::FileMru1 + 3)->trigger();
    QCOMPARE(fixture_->documents().recentFiles(), (QStringList{paths[2], paths[0], paths[1]}));
}

void TestConfigWindow::windowsOnOneDocumentStayInStep() {
    CPallworthDoc* doc = open("rich-1.30.cfg");
    CSplitterFrame* first = activeContent();
    ChildFrame* second = fixture_->documents().newWindow(*doc);
    QVERIFY(second != nullptr);
    auto* other = qobject_cast<CSplitterFrame*>(second->widget());
    QCOMPARE(second->windowTitle(), QStringLiteral("rich-1.30.cfg:2[*] [lines not kept]"));

    fixture_->onDialog = AppFixture::typeAndOk(QStringLiteral("From window two"));
    other->treeView()->NewPackage();
    QCOMPARE(labels(first->treeView()->packagesNode()).last(), QStringLiteral("From window two"));
    // Deleting in the first window removes the record the second one shows.
    other->treeView()->setCurrentItem(other->treeView()->packagesNode()->child(0)->child(2));
    QCOMPARE(other->listView()->topLevelItem(0)->text(1), QStringLiteral("SRV-MAIN"));
    first->treeView()->setCurrentNode(first->treeView()->packagesNode()->child(0));
    first->treeView()->DeleteNode();
    QCOMPARE(labels(other->treeView()->packagesNode()),
             (QStringList{QStringLiteral("Archive"), QStringLiteral("From window two")}));
    other->treeView()->setCurrentItem(other->treeView()->packagesNode()->child(0)->child(2));
    QCOMPARE(other->listView()->topLevelItem(0)->text(1), QStringLiteral("SRV-ARCH"));
    first->treeView()->setCurrentItem(first->treeView()->packagesNode()->child(1)->child(2));
    QCOMPARE(first->listView()->topLevelItem(0)->text(0), QStringLiteral("Source Server"));
    QCOMPARE(first->listView()->topLevelItem(0)->text(1), QString());
    // A group list in the other window follows an addition.
    other->treeView()->setCurrentItem(other->treeView()->applicationsNode());
    first->treeView()->NewApplication();
    QCOMPARE(other->listView()->topLevelItemCount(), 3);
}

void TestConfigWindow::tabMovesBetweenPanes() {
    open("rich-1.30.cfg");
    fixture_->frame().activateWindow();
    tree()->setFocus();
    select(tree()->defaultSettingsNode());
    list()->clearSelection();
    list()->setCurrentItem(nullptr);
    QTest::keyClick(tree(), Qt::Key_Tab);
    QCOMPARE(list()->currentItem(), list()->topLevelItem(0));
    QTest::keyClick(list(), Qt::Key_Tab);
    QCOMPARE(fixture_->frame().focusWidget(), tree());
    select(tree()->packagesNode()->child(0)); // a package: empty list
    QTest::keyClick(tree(), Qt::Key_Tab);
    QCOMPARE(list()->topLevelItemCount(), 0);
}

void TestConfigWindow::aboutAndHelp() {
    QString caption, version, program;
    bool wide = false;
    fixture_->onDialog = [&](QDialog& d) {
        caption = d.windowTitle();
        version = d.findChild<QLabel*>(QStringLiteral("version"))->text();
        program = d.findChild<QLabel*>(QStringLiteral("programVersion"))->text();
        // Wide enough for its caption beside the title bar's icon and buttons.
        QFont bold = d.font();
        bold.setBold(true);
        wide = d.width() >= QFontMetrics(bold).horizontalAdvance(d.windowTitle()) + 4 * 24 + 16;
        return int(QDialog::Accepted);
    };
    fixture_->frame().action(CommandIds::AppAbout)->trigger();
    QCOMPARE(caption, QStringLiteral("About Pallworth"));
    QCOMPARE(version, QStringLiteral("Version 1.30 Build 07/14/2003"));
    QVERIFY(wide);
    // The program's own version, as the built editor prints it.
    QProcess editor;
    editor.start(QStringLiteral(PALLWORTH_EDITOR), {QStringLiteral("--version")});
    QVERIFY(editor.waitForFinished());
    const QString printed = QString::fromUtf8(editor.readAllStandardOutput()).trimmed();
    QVERIFY2(printed.startsWith(QStringLiteral("pallworth ")), qPrintable(printed));
    QCOMPARE(program, QStringLiteral("Program version ") + printed.section(QLatin1Char(' '), 1));
    fixture_->frame().action(CommandIds::Help)->trigger();
    HelpWindow* help = fixture_->app->helpWindow();
    QVERIFY(help != nullptr && help->isVisible());
    QVERIFY(help->browser()->toPlainText().contains(QStringLiteral("Saving")));
}

void TestConfigWindow::windowRendersForTheScreenshot() {
    open("rich-1.30.cfg");
    CMainFrame& frame = fixture_->frame();
    frame.resize(1100, 640);
    tree()->expandItem(tree()->applicationsNode());
    tree()->expandItem(tree()->packagesNode());
    tree()->expandItem(tree()->packagesNode()->child(0));
    select(tree()->packagesNode()->child(0)->child(0));
    const QImage image = frame.grab().toImage();
    QCOMPARE(image.size(), frame.size() * image.devicePixelRatio());
    // Set PALLWORTH_SCREENSHOT to a file name to keep the picture.
    const QString target = qEnvironmentVariable("PALLWORTH_SCREENSHOT");
    if (!target.isEmpty())
        QVERIFY(image.save(target));
}

void TestConfigWindow::fileNewOffersTheKindsInOrder() {
    DocumentManager& documents = fixture_->documents();
    QStringList offered;
    fixture_->onDialog = [&](QDialog& d) {
        auto* kinds = d.findChild<QListWidget*>(QStringLiteral("kinds"));
        for (int i = 0; i < kinds->count(); ++i)
            offered << kinds->item(i)->text();
        kinds->setCurrentRow(0);
        d.accept();
        return d.result();
    };
    Document* created = documents.fileNew();
    QCOMPARE(offered, (QStringList{QStringLiteral("Sync"), QStringLiteral("Quorrel")}));
    QVERIFY(created != nullptr);
    QCOMPARE(created->docTemplate().resourceId(), 129);
    fixture_->onDialog = [](QDialog& d) {
        d.reject();
        return d.result();
    };
    QVERIFY(documents.fileNew() == nullptr);
    QCOMPARE(documents.documents().size(), 1);
}

void TestConfigWindow::nextPaneMovesFocus() {
    open("rich-1.30.cfg");
    tree()->setFocus();
    fixture_->frame().action(CommandIds::NextPane)->trigger();
    QCOMPARE(fixture_->frame().focusWidget(), list());
    fixture_->frame().action(CommandIds::PrevPane)->trigger();
    QCOMPARE(fixture_->frame().focusWidget(), tree());
}

void TestConfigWindow::openingSelectsNothing() {
    CMainFrame& frame = fixture_->frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    open("rich-1.30.cfg");
    QCOMPARE(frame.focusWidget(), tree());
    QVERIFY(tree()->selectedItems().isEmpty() && tree()->currentNode() == nullptr);
    QCOMPARE(list()->topLevelItemCount(), 0);
    // Tab gives the empty list the focus; a key in the tree chooses a node.
    QTest::keyClick(tree(), Qt::Key_Tab);
    QCOMPARE(frame.focusWidget(), list());
    QTest::keyClick(list(), Qt::Key_Tab);
    QTest::keyClick(tree(), Qt::Key_Down);
    QCOMPARE(tree()->selectedItems().value(0), tree()->defaultSettingsNode());
    QVERIFY(list()->topLevelItemCount() > 0);
}

void TestConfigWindow::lockKeyIndicators() {
    CMainFrame& frame = fixture_->frame();
    std::optional<LockKeys::State> state;
    const auto shown = [&frame] {
        QString text;
        for (int i = 0; i < 3; ++i) {
            const QLabel* label = frame.indicator(i);
            text += QLatin1Char(label->isHidden() ? '-' : label->isEnabled() ? '1' : '0');
        }
        return text;
    };
    // The offscreen platform cannot tell: no indicator rather than a guess.
    QCOMPARE(shown(), QStringLiteral("---"));
    frame.setLockKeyReader([&state] { return state; });
    for (const auto& [now, text] : {std::pair{LockKeys::State{true, false, true}, "101"},
                                    std::pair{LockKeys::State{false, true, true}, "011"}}) {
        state = now;
        QTest::keyClick(frame.windowHandle(), Qt::Key_CapsLock);
        QCOMPARE(shown(), QString::fromLatin1(text));
    }
    state.reset();
    QTest::keyClick(frame.windowHandle(), Qt::Key_NumLock);
    QCOMPARE(shown(), QStringLiteral("---"));
    frame.setLockKeyReader(LockKeys::read); // `state` ends here
}

QTEST_MAIN(TestConfigWindow)
#include "tst_configwindow.moc"
