#include "TestSupport.h"
#include "gui/app/AppFixture.h"
#include "gui/app/MouseDriver.h"

#include "configwindow/CPallworthDoc.h"
#include "framework/CommandIds.h"
#include "framework/DiskWatcher.h"
#include "framework/NodeTree.h"
#include "framework/TreeListFrame.h"

#include <QApplication>
#include <QFile>
#include <QMdiArea>
#include <QMenuBar>
#include <QPointer>
#include <QScopeGuard>
#include <QScreen>
#include <QSignalSpy>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>

using namespace testsupport;

// The main window's size, its Exit, Reload and the change of a file on disk,
// and the tree on a dark desktop theme.
class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsFittingTheScreenAndRemembers();
    void exitOffersDiscardAll_data();
    void exitOffersDiscardAll();
    void exitBringsEachDocumentToTheFront();
    void closeKeysCloseTheWindow_data();
    void closeKeysCloseTheWindow();
    void reloadKeepsWindowsAndNodes_data();
    void reloadKeepsWindowsAndNodes();
    void reloadRereadsTheFile_data();
    void reloadRereadsTheFile();
    void reloadQuestionKeepsChangesOnReturn_data();
    void reloadQuestionKeepsChangesOnReturn();
    void treeIconsReadOnTheTheme_data();
    void treeIconsReadOnTheTheme();
    void fileKeys_data();
    void fileKeys();
    void answersHaveAccessKeys_data();
    void answersHaveAccessKeys();
    void toolbarIconsWithoutTheme_data();
    void toolbarIconsWithoutTheme();

private:
    Document* openCopy(const QString& name = QStringLiteral("a.cfg")) {
        const QString path = work_->filePath(name);
        QFile::copy(QString::fromStdString(dataPath("rich-1.30.expected.cfg")), path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return fixture_->documents().openFile(path);
    }
    // Opens a menu of the menu bar and presses a key in it, as the user does.
    void pressInMenu(const QString& title, Qt::Key key) {
        for (QAction* entry : fixture_->frame().menuBar()->actions())
            if (entry->text() == title) {
                entry->menu()->popup(QPoint());
                QTest::keyClick(entry->menu(), key);
            }
    }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
    std::unique_ptr<QTemporaryDir> work_;
    QList<QMessageBox::StandardButtons> offered_;
};

void TestMainWindow::init() {
    fixture_ = std::make_unique<AppFixture>();
    ModalSeam::Hooks hooks = fixture_->answerAll();
    hooks.message = [this, record = hooks.message](const ModalSeam::Message& m) {
        offered_ << m.buttons;
        return record(m);
    };
    seam_ = std::make_unique<ModalSeam::Scope>(hooks);
    work_ = std::make_unique<QTemporaryDir>();
    offered_.clear();
}

void TestMainWindow::cleanup() {
    fixture_->answer = QMessageBox::No;
    seam_.reset();
    fixture_.reset();
    work_.reset();
}

void TestMainWindow::startsFittingTheScreenAndRemembers() {
    CMainFrame& frame = fixture_->frame();
    const QSize available = QGuiApplication::primaryScreen()->availableGeometry().size();
    QVERIFY(frame.width() <= available.width() * 0.8 + 1);
    QVERIFY(frame.height() <= available.height() * 0.8 + 1);

    frame.resize(frame.size() - QSize(100, 50));
    const QSize set = frame.size();
    QVERIFY(frame.close());
    CMainFrame again;
    QCOMPARE(again.size(), set);
}

void TestMainWindow::exitOffersDiscardAll_data() {
    QTest::addColumn<int>("modified");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<bool>("closed");
    QTest::newRow("two modified, Discard All") << 2 << QMessageBox::NoToAll << true << true;
    QTest::newRow("two modified, Cancel") << 2 << QMessageBox::Cancel << true << false;
    QTest::newRow("one modified") << 1 << QMessageBox::No << false << true;
}

void TestMainWindow::exitOffersDiscardAll() {
    QFETCH(int, modified);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, offered);
    QFETCH(bool, closed);
    for (int i = 0; i < 3; ++i)
        openCopy(QStringLiteral("%1.cfg").arg(i))->setModifiedFlag(i < modified);
    fixture_->answer = answer;

    pressInMenu(QStringLiteral("&File"), Qt::Key_X);
    QCOMPARE(fixture_->frame().isHidden(), closed);
    QCOMPARE(offered_.size(), 1);
    QCOMPARE(offered_[0].testFlag(QMessageBox::NoToAll), offered);
    QCOMPARE(fixture_->documents().documents().isEmpty(), closed);
}

void TestMainWindow::exitBringsEachDocumentToTheFront() {
    for (int i = 0; i < 3; ++i)
        openCopy(QStringLiteral("%1.cfg").arg(i))->setModifiedFlag(i != 1);
    DocumentManager& documents = fixture_->documents();
    QStringList frontWhenAsked;
    ModalSeam::Hooks hooks = fixture_->answerAll();
    hooks.message = [&, record = hooks.message](const ModalSeam::Message& m) {
        frontWhenAsked << documents.activeDocument()->title();
        return record(m);
    };
    ModalSeam::Scope seen(hooks);
    fixture_->answer = QMessageBox::No;
    CMainFrame& frame = fixture_->frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keySequence(QApplication::focusWidget(), QKeySequence(Qt::CTRL | Qt::Key_Q));
    QCOMPARE(fixture_->messages, (QStringList{QStringLiteral("Save changes to 0.cfg?"),
                                              QStringLiteral("Save changes to 2.cfg?")}));
    QCOMPARE(frontWhenAsked, (QStringList{QStringLiteral("0.cfg"), QStringLiteral("2.cfg")}));
    QVERIFY(frame.isHidden());
}

void TestMainWindow::closeKeysCloseTheWindow_data() {
    QTest::addColumn<QKeySequence>("key");
    QTest::newRow("Ctrl+W") << QKeySequence(Qt::CTRL | Qt::Key_W);
    QTest::newRow("Ctrl+F4") << QKeySequence(Qt::CTRL | Qt::Key_F4);
}

void TestMainWindow::closeKeysCloseTheWindow() {
    QFETCH(QKeySequence, key);
    Document* document = openCopy();
    fixture_->documents().newWindow(*document);
    CMainFrame& frame = fixture_->frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keySequence(QApplication::focusWidget(), key);
    QTRY_COMPARE(fixture_->documents().framesOf(*document).size(), 1);
    // The last window of a modified document asks first.
    document->setModifiedFlag();
    fixture_->answer = QMessageBox::Cancel;
    QTest::keySequence(QApplication::focusWidget(), key);
    QCOMPARE(fixture_->messages, QStringList{QStringLiteral("Save changes to a.cfg?")});
    QTest::qWait(50);
    QCOMPARE(fixture_->documents().framesOf(*document).size(), 1);
}

void TestMainWindow::reloadKeepsWindowsAndNodes_data() {
    QTest::addColumn<bool>("renamed"); // the package shown is renamed on disk
    QTest::newRow("same file") << false;
    QTest::newRow("shown package renamed") << true;
}

void TestMainWindow::reloadKeepsWindowsAndNodes() {
    QFETCH(bool, renamed);
    using namespace mousedriver;
    Document* document = openCopy();
    DocumentManager& documents = fixture_->documents();
    documents.newWindow(*document);
    CMainFrame& frame = fixture_->frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    frame.action(CommandIds::WindowTile)->trigger();
    const auto treeOf = [](ChildFrame* f) {
        return qobject_cast<TreeListFrame*>(f->widget())->nodeTree();
    };
    // The user opens and picks nodes in each window with mouse and keys.
    const auto pick = [&](ChildFrame* f, const QStringList& opened, const QString& chosen) {
        frame.mdiArea()->setActiveSubWindow(f);
        NodeTree* tree = treeOf(f);
        for (const QString& label : opened) {
            QVERIFY(item(tree, label) != nullptr);
            click(tree, item(tree, label));
            QTest::keyClick(tree, Qt::Key_Right);
        }
        tree->scrollToItem(item(tree, chosen));
        click(tree, item(tree, chosen));
        QCOMPARE(tree->currentItem()->text(0), chosen);
    };
    const QList<ChildFrame*> before = documents.framesOf(*document);
    pick(before[1], {QStringLiteral("Application descriptions")}, QStringLiteral("Bare"));
    pick(before[0], {QStringLiteral("Package descriptions"), QStringLiteral("Sales Servers")},
         QStringLiteral("Files"));
    const QRect first = before[0]->geometry();
    const QRect second = before[1]->geometry();
    QVERIFY(first.width() < frame.mdiArea()->width());
    if (renamed) {
        QByteArray bytes = fileBytes(document->filePath());
        bytes.replace("PACKAGE Sales Servers", "PACKAGE Retail");
        QFile file(document->filePath());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(bytes);
    }

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
    Document* now = documents.activeDocument();
    QVERIFY(now != document);
    const QList<ChildFrame*> after = documents.framesOf(*now);
    QCOMPARE(after.size(), 2);
    QCOMPARE(documents.activeFrame(), after[0]);
    QCOMPARE(after[0]->geometry(), first);
    QCOMPARE(after[1]->geometry(), second);
    QVERIFY(!after[0]->isMaximized() && !after[1]->isMaximized());
    const auto expanded = [&](ChildFrame* f) {
        QStringList labels;
        for (QTreeWidgetItemIterator it(treeOf(f)); *it != nullptr; ++it)
            if ((*it)->isExpanded())
                labels << (*it)->text(0);
        return labels;
    };
    const auto current = [&](ChildFrame* f) {
        const QTreeWidgetItem* node = treeOf(f)->currentItem();
        return node != nullptr ? node->parent()->text(0) + u'/' + node->text(0) : QString();
    };
    QCOMPARE(expanded(after[0]), renamed ? QStringList{QStringLiteral("Package descriptions")}
                                         : (QStringList{QStringLiteral("Package descriptions"),
                                                        QStringLiteral("Sales Servers")}));
    QCOMPARE(current(after[0]), renamed ? QString() : QStringLiteral("Sales Servers/Files"));
    QCOMPARE(expanded(after[1]), QStringList{QStringLiteral("Application descriptions")});
    QCOMPARE(current(after[1]), QStringLiteral("Application descriptions/Bare"));
}

void TestMainWindow::reloadRereadsTheFile_data() {
    QTest::addColumn<bool>("onDisk"); // the change is noticed, not File Reload
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("reloaded");
    QTest::newRow("Reload, unmodified") << false << false << QMessageBox::No << true;
    QTest::newRow("Reload, discard changes") << false << true << QMessageBox::Yes << true;
    QTest::newRow("Reload, keep changes") << false << true << QMessageBox::No << false;
    QTest::newRow("changed on disk, reload") << true << false << QMessageBox::Yes << true;
    QTest::newRow("changed on disk, modified, reload") << true << true << QMessageBox::Yes << true;
    QTest::newRow("changed on disk, modified, keep") << true << true << QMessageBox::No << false;
}

void TestMainWindow::reloadRereadsTheFile() {
    QFETCH(bool, onDisk);
    QFETCH(bool, modified);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, reloaded);
    Document* document = openCopy();
    fixture_->documents().newWindow(*document);
    // Our own save asks nothing.
    document->setModifiedFlag();
    QVERIFY(fixture_->documents().save(*document));
    QTest::qWait(200);
    QVERIFY(fixture_->messages.isEmpty());

    document->setModifiedFlag(modified);
    fixture_->answer = answer;
    const std::string before = document->writeBytes();
    const QString asked = DiskWatcher::question(*document);
    QFile file(document->filePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(dataFile("new.expected.cfg").c_str());
    file.close();
    if (onDisk)
        QTRY_COMPARE(fixture_->messages, QStringList{asked});
    else
        pressInMenu(QStringLiteral("&File"), Qt::Key_R);

    QCOMPARE(fixture_->messages.size(), int(modified || onDisk));
    Document* now = fixture_->documents().activeDocument();
    QCOMPARE(fixture_->documents().framesOf(*now).size(), 2);
    QCOMPARE(now->writeBytes() != before, reloaded);
    QCOMPARE(now->isModified(), modified && !reloaded);
}

void TestMainWindow::reloadQuestionKeepsChangesOnReturn_data() {
    QTest::addColumn<bool>("onDisk"); // the change is noticed, not File Reload
    QTest::newRow("changed on disk") << true;
    QTest::newRow("File Reload") << false;
}

void TestMainWindow::reloadQuestionKeepsChangesOnReturn() {
    QFETCH(bool, onDisk);
    auto* document = static_cast<CPallworthDoc*>(openCopy());
    QVERIFY(document->AddPackage("Added").has_value());
    const std::string edited = document->writeBytes();
    const QPointer<Document> kept(document);
    // Real message boxes, answered with Return as they appear.
    ModalSeam::Hooks hooks = fixture_->answerAll();
    hooks.message = nullptr;
    ModalSeam::Scope realBoxes(hooks);
    QStringList shown;
    QTimer press;
    connect(&press, &QTimer::timeout, this, [&shown] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            shown << box->text();
            QTest::keyClick(box, Qt::Key_Return);
        }
    });
    press.start(20);
    QFile file(document->filePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(dataFile("new.expected.cfg").c_str());
    file.close();
    if (onDisk)
        QTRY_COMPARE(shown.size(), 1);
    else
        pressInMenu(QStringLiteral("&File"), Qt::Key_R);

    QCOMPARE(shown.size(), 1);
    QVERIFY2(shown[0].endsWith(QStringLiteral("?\nReloading also clears the undo history.")),
             qPrintable(shown[0]));
    // Kept: the same document, not one read again.
    QVERIFY(!kept.isNull());
    QVERIFY(document->isModified());
    QCOMPARE(document->writeBytes(), edited);
}

void TestMainWindow::treeIconsReadOnTheTheme_data() {
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QColor>("text");
    QTest::newRow("light") << QColor(Qt::white) << QColor(20, 20, 20);
    QTest::newRow("dark") << QColor(30, 30, 34) << QColor(225, 225, 225);
}

void TestMainWindow::treeIconsReadOnTheTheme() {
    QFETCH(QColor, base);
    QFETCH(QColor, text);
    // A desktop theme colours the item views as the rest.
    const char* const kViews = "QAbstractItemView";
    const QPalette before = QApplication::palette(kViews);
    QPalette theme = before;
    theme.setColor(QPalette::Base, base);
    theme.setColor(QPalette::Text, text);
    QApplication::setPalette(theme, kViews);
    openCopy();
    auto* tree = fixture_->frame().findChild<QTreeWidget*>(QStringLiteral("configTree"));
    const auto lightness = [](QColor c) { return c.lightnessF(); };
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QImage icon = tree->topLevelItem(i)->icon(0).pixmap(QSize(16, 16)).toImage();
        // The outline: the first drawn pixel from the left on each row.
        double contrast = 0;
        int rows = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                if (icon.pixelColor(x, y).alpha() >= 128) {
                    contrast += std::abs(lightness(icon.pixelColor(x, y)) - lightness(base));
                    ++rows;
                    break;
                }
        QVERIFY2(rows > 0 && contrast / rows > 0.5, qPrintable(tree->topLevelItem(i)->text(0)));
    }
    QApplication::setPalette(before, kViews);
}

void TestMainWindow::fileKeys_data() {
    QTest::addColumn<int>("command");
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<QString>("shown");
    QTest::newRow("Reload") << int(CommandIds::FileReload) << QKeySequence(Qt::Key_F5) << "F5";
    QTest::newRow("Reload, second key")
        << int(CommandIds::FileReload) << QKeySequence(Qt::CTRL | Qt::Key_R) << "F5";
    QTest::newRow("Exit") << int(CommandIds::AppExit) << QKeySequence(Qt::CTRL | Qt::Key_Q)
                          << "Ctrl+Q";
}

void TestMainWindow::fileKeys() {
    QFETCH(int, command);
    QFETCH(QKeySequence, key);
    QFETCH(QString, shown);
    QVERIFY(openCopy() != nullptr);
    CMainFrame& frame = fixture_->frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QSignalSpy triggered(frame.action(command), &QAction::triggered);
    QTest::keySequence(QApplication::focusWidget(), key);
    QCOMPARE(triggered.size(), 1);
    QVERIFY(frame.action(command)->text().endsWith(u'\t' + shown));
    // The menu shows the key the guide names for Redo.
    QCOMPARE(frame.action(CommandIds::EditRedo)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Y));
}

void TestMainWindow::answersHaveAccessKeys_data() {
    QTest::addColumn<QMessageBox::StandardButtons>("buttons");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    const auto exit =
        QMessageBox::Yes | QMessageBox::No | QMessageBox::NoToAll | QMessageBox::Cancel;
    const auto dropping = QMessageBox::Save | QMessageBox::SaveAll | QMessageBox::Cancel;
    QTest::newRow("Discard All") << exit << Qt::Key_D << QMessageBox::NoToAll;
    QTest::newRow("Save As...") << dropping << Qt::Key_A << QMessageBox::SaveAll;
    QTest::newRow("Show changes") << (exit | QMessageBox::Apply) << Qt::Key_H << QMessageBox::Apply;
}

void TestMainWindow::answersHaveAccessKeys() {
    QFETCH(QMessageBox::StandardButtons, buttons);
    QFETCH(Qt::Key, key);
    QFETCH(QMessageBox::StandardButton, answer);
    ModalSeam::Hooks hooks = fixture_->answerAll();
    hooks.message = nullptr;
    ModalSeam::Scope realBoxes(hooks);
    QTimer press;
    connect(&press, &QTimer::timeout, this, [key] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget()))
            QTest::keyClick(box, key, Qt::AltModifier);
    });
    press.start(20);
    QCOMPARE(ModalSeam::ask(&fixture_->frame(), QStringLiteral("Save changes?"),
                            QStringLiteral("Pallworth"), buttons, QMessageBox::Cancel,
                            ModalSeam::Icon::Warning),
             answer);
}

void TestMainWindow::toolbarIconsWithoutTheme_data() {
    QTest::addColumn<QString>("theme");
    QTest::newRow("no icon theme") << QString();
    QTest::newRow("a theme without these icons") << QStringLiteral("hicolor");
}

void TestMainWindow::toolbarIconsWithoutTheme() {
    QFETCH(QString, theme);
    const auto restore = qScopeGuard([paths = QIcon::themeSearchPaths(), name = QIcon::themeName(),
                                      fallback = QIcon::fallbackThemeName()] {
        QIcon::setThemeSearchPaths(paths);
        QIcon::setThemeName(name);
        QIcon::setFallbackThemeName(fallback);
    });
    QIcon::setThemeSearchPaths({work_->path()});
    QIcon::setThemeName(theme);
    QIcon::setFallbackThemeName(theme);
    // A main window made under that theme.
    seam_.reset();
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
    CMainFrame& frame = fixture_->frame();
    auto* toolBar = frame.findChild<QToolBar*>(QStringLiteral("toolbar128"));
    QList<int> widths;
    for (int id : {CommandIds::EditUndo, CommandIds::EditRedo}) {
        QAction* action = frame.action(id);
        QVERIFY(!action->icon().isNull());
        QVERIFY(!action->icon().pixmap(24).isNull());
        widths << toolBar->widgetForAction(action)->width();
    }
    // Named after the next command, the buttons keep their width.
    Document* document = openCopy();
    QVERIFY(document != nullptr);
    document->undoStack().push(new QUndoCommand(QStringLiteral("Edit Max. threads")));
    document->undoStack().undo();
    QCoreApplication::processEvents();
    QCOMPARE(frame.action(CommandIds::EditUndo)->text(), QStringLiteral("Undo"));
    QCOMPARE(frame.action(CommandIds::EditRedo)->text(), QStringLiteral("Redo Edit Max. threads"));
    QCOMPARE(toolBar->widgetForAction(frame.action(CommandIds::EditUndo))->width(), widths[0]);
    QCOMPARE(toolBar->widgetForAction(frame.action(CommandIds::EditRedo))->width(), widths[1]);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
