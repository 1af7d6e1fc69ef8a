#include "TestSupport.h"
#include "gui/app/AppFixture.h"
#include "gui/app/MouseDriver.h"

#include "browse/PathBrowser.h"
#include "framework/AnsiQt.h"
#include "framework/CommandIds.h"
#include "framework/ModalSeam.h"
#include "taskfile/TaskFields.h"
#include "taskfile/TaskFileFormat.h"
#include "taskfile/TaskFileTable.h"
#include "taskwindow/CPallworthDoc2.h"
#include "taskwindow/CPallworthDosView.h"
#include "taskwindow/CPallworthTreeDosView.h"
#include "taskwindow/CSplitterFrameDos.h"
#include "taskwindow/CTaskEdit.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>

using namespace testsupport;

namespace {

constexpr int kSettings = CPallworthTreeDosView::kSettingsImage;
constexpr int kTasks = CPallworthTreeDosView::kTasksImage;

QStringList cells(const QTreeWidget& list, int r) {
    QStringList texts;
    for (int c = 0; c < list.columnCount(); ++c)
        texts << list.topLevelItem(r)->text(c);
    return texts;
}

QStringList headers(const QTreeWidget& list) {
    QStringList titles;
    for (int c = 0; c < list.columnCount(); ++c)
        titles << list.headerItem()->text(c);
    return titles;
}

QStringList actionTexts(const QMenu* menu) {
    QStringList texts;
    if (menu != nullptr)
        for (const QAction* a : menu->actions())
            texts << a->text();
    return texts;
}

std::vector<std::string> tasksOf(const TaskFileModel& model) {
    return {model.tasks.begin(), model.tasks.end()};
}

// Drives the task dialog: what it showed, then new values and OK.
struct TaskEntry {
    QString source;
    QString target;
    bool flags[3] = {false, false, false};
};

const char* const kFlagIds[3] = {"1014", "1015", "1017"};

TaskEntry shown(const QDialog& d) {
    TaskEntry e;
    e.source = d.findChild<QLineEdit*>(QStringLiteral("1024"))->text();
    e.target = d.findChild<QLineEdit*>(QStringLiteral("1026"))->text();
    for (int i = 0; i < 3; ++i)
        e.flags[i] = d.findChild<QCheckBox*>(QString::fromLatin1(kFlagIds[i]))->isChecked();
    return e;
}

int enterTask(QDialog& d, const TaskEntry& e) {
    d.findChild<QLineEdit*>(QStringLiteral("1024"))->setText(e.source);
    d.findChild<QLineEdit*>(QStringLiteral("1026"))->setText(e.target);
    for (int i = 0; i < 3; ++i)
        d.findChild<QCheckBox*>(QString::fromLatin1(kFlagIds[i]))->setChecked(e.flags[i]);
    d.accept();
    return d.result();
}

// Types each text in turn into a value dialog and presses OK, until one is
// taken or the texts run out.
std::function<int(QDialog&)> typeEach(const QStringList& texts) {
    return [texts](QDialog& d) {
        for (const QString& text : texts) {
            d.findChild<QLineEdit*>(QStringLiteral("1006"))->setText(text);
            d.accept();
            if (d.result() == QDialog::Accepted)
                return d.result();
        }
        return int(QDialog::Rejected);
    };
}

int cancel(QDialog& d) {
    d.reject();
    return d.result();
}

void sendMouse(QWidget* target, QEvent::Type type, QPoint pos, Qt::MouseButton button,
               Qt::MouseButtons held) {
    QMouseEvent event(type, pos, target->mapToGlobal(pos), button, held, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &event);
}

} // namespace

class TestTaskWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void opensInANormalWindowWithBothNodes();
    void listsSettingsAndTasks();
    void numberSettingsAtTheirLimits_data();
    void numberSettingsAtTheirLimits();
    void logFilePathIsOneWord();
    void settingRowsByMouseAndKeys_data();
    void settingRowsByMouseAndKeys();
    void editTaskFromRowAndKeys();
    void commandsMarkModifiedFirst();
    void insertPutsTaskAndRowAtOnePlace();
    void popupMenus();
    void menusActOnTheirRow_data();
    void menusActOnTheirRow();
    void insertBeyond999Refused();
    void taskDialogChecks_data();
    void taskDialogChecks();
    void missingFlagsStayMissing_data();
    void missingFlagsStayMissing();
    void deleteTasks();
    void dragByMouseAndDrop();
    void editSaveReopen();
    void fileNewOffersBothKinds();
    void tabAndPanes();
    void windowsOnOneDocumentStayInStep();
    void undoRedoEveryChange();
    void maximisedFillsTheArea_data();
    void maximisedFillsTheArea();
    void cascadeKeepsTitleBarsInside_data();
    void cascadeKeepsTitleBarsInside();
    void copyAndPasteBetweenFiles_data();
    void copyAndPasteBetweenFiles();
    void pasteFromPlainText_data();
    void pasteFromPlainText();
    void clipboardCommandsGreyed_data();
    void clipboardCommandsGreyed();
    void secondWindowSeesThePaste();

private:
    CSplitterFrameDos* content() const {
        return qobject_cast<CSplitterFrameDos*>(fixture_->documents().activeFrame()->widget());
    }
    CPallworthTreeDosView* tree() const { return content()->treeView(); }
    CPallworthDosView* list() const { return content()->listView(); }
    CPallworthDoc2* open() {
        const QString path = work_->filePath(QStringLiteral("tasks.ini"));
        QFile::remove(path);
        QFile::copy(QString::fromStdString(dataPath("tasks.ini")), path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        auto* doc = qobject_cast<CPallworthDoc2*>(fixture_->openKnown(path));
        fixture_->documents().activeFrame()->resize(900, 500);
        return doc;
    }
    // A copy of a data file in the work folder, opened as it is.
    Document* openCopy(const char* name, int number) {
        const QString path =
            work_->filePath(QStringLiteral("%1-%2").arg(number).arg(QString::fromLatin1(name)));
        QFile::copy(QString::fromStdString(dataPath(name)), path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return fixture_->openKnown(path);
    }
    void showTasks() { tree()->setCurrentItem(tree()->tasksNode()); }
    void showSettings() { tree()->setCurrentItem(tree()->settingsNode()); }
    void selectRow(int r) { list()->setCurrentItem(list()->topLevelItem(r)); }
    // The active window and a second one on its document, both showing the
    // tasks.
    std::pair<CSplitterFrameDos*, ChildFrame*> twoTaskWindows(CPallworthDoc2& doc) {
        CSplitterFrameDos* first = content();
        first->treeView()->setCurrentItem(first->treeView()->tasksNode());
        ChildFrame* second = fixture_->documents().newWindow(doc);
        auto* frame = qobject_cast<CSplitterFrameDos*>(second->widget());
        frame->treeView()->setCurrentItem(frame->treeView()->tasksNode());
        return {first, second};
    }
    // A task file as a user writes it, opened in its own window.
    CPallworthDoc2* openWritten(const char* name, const QByteArray& bytes) {
        const QString path = work_->filePath(QString::fromLatin1(name));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return nullptr;
        file.close();
        auto* doc = qobject_cast<CPallworthDoc2*>(fixture_->openKnown(path));
        fixture_->documents().activeFrame()->resize(900, 500);
        return doc;
    }
    // A key pressed on the focused list of the active window, as the user
    // presses it.
    void press(const QKeySequence& keys) {
        fixture_->frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture_->frame()));
        list()->setFocus();
        QTest::keyClick(list(), keys[0].key(), keys[0].keyboardModifiers());
    }
    void activate(ChildFrame* frame) {
        fixture_->frame().mdiArea()->setActiveSubWindow(frame);
        QCOMPARE(fixture_->documents().activeFrame(), frame);
    }
    QList<int> selectedRows() const {
        QList<int> rows;
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            if (list()->topLevelItem(r)->isSelected())
                rows << r;
        return rows;
    }
    // The rows as a fresh fill shows them.
    QList<QStringList> allRows() const {
        QList<QStringList> rows;
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            rows << cells(*list(), r);
        return rows;
    }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
    std::unique_ptr<QTemporaryDir> work_;
};

void TestTaskWindow::init() {
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
    work_ = std::make_unique<QTemporaryDir>();
}

void TestTaskWindow::cleanup() {
    fixture_->answer = QMessageBox::No;
    seam_.reset();
    fixture_.reset();
    work_.reset();
}

void TestTaskWindow::opensInANormalWindowWithBothNodes() {
    CPallworthDoc2* doc = open();
    QVERIFY(doc != nullptr);
    ChildFrame* child = fixture_->documents().activeFrame();
    QVERIFY(!child->isMaximized());
    // The file's own comment is kept as written: nothing is marked as lost.
    QCOMPARE(child->windowTitle(), QStringLiteral("tasks.ini[*]"));
    CMainFrame& frame = fixture_->frame();
    QCOMPARE(frame.menuId(), 167);
    QStringList menus;
    for (QAction* a : frame.menuBar()->actions())
        menus << a->text();
    QCOMPARE(menus, (QStringList{QStringLiteral("&File"), QStringLiteral("&Edit"),
                                 QStringLiteral("&Data"), QStringLiteral("&View"),
                                 QStringLiteral("&Window"), QStringLiteral("&Help")}));
    QVERIFY(!frame.action(CommandIds::NewApplication)->isEnabled());
    QVERIFY(!frame.action(CommandIds::NewPackage)->isEnabled());
    QVERIFY(frame.action(CommandIds::FileSave)->isEnabled());
    QCOMPARE(content()->splitter()->sizes().value(0), 250);
    QVERIFY(content()->focusProxy() == tree());

    QCOMPARE(tree()->topLevelItemCount(), 2);
    QCOMPARE(tree()->topLevelItem(0)->text(0), QStringLiteral("Default settings"));
    QCOMPARE(tree()->topLevelItem(1)->text(0), QStringLiteral("Tasks"));
    QCOMPARE(CPallworthTreeDosView::imageOf(tree()->settingsNode()), 6);
    QCOMPARE(CPallworthTreeDosView::imageOf(tree()->tasksNode()), 14);
    QCOMPARE(doc->treeView.data(), tree());
    QCOMPARE(doc->listView.data(), list());
    QVERIFY(!doc->isModified());

    const auto& kinds = fixture_->documents().templates();
    QCOMPARE(kinds.size(), std::size_t(2));
    QCOMPARE(kinds[0]->resourceId(), 129);
    QCOMPARE(kinds[1]->resourceId(), 167);
    QCOMPARE(kinds[1]->filter(), QStringLiteral("Quorrel Files (*.ini)"));
    QCOMPARE(kinds[1]->field(DocTemplate::FileTypeId), QStringLiteral("Pallworth.Document"));
}

void TestTaskWindow::listsSettingsAndTasks() {
    CPallworthDoc2* doc = open();
    showSettings();
    QCOMPARE(doc->selectedNode.item, tree()->settingsNode());
    QCOMPARE(headers(*list()),
             (QStringList{QStringLiteral("Properties"), QStringLiteral("Value")}));
    QCOMPARE(allRows(),
             (QList<QStringList>{
                 {QStringLiteral("Path of the logfile"), QStringLiteral("sys:\\logs\\quorrel.log")},
                 {QStringLiteral("Polling interval"), QStringLiteral("120")},
                 {QStringLiteral("Logging severity"), QStringLiteral("1")},
                 {QStringLiteral("Maximum log file size"), QStringLiteral("512000")}}));
    QVERIFY(list()->columnWidth(1) >= 200);

    showTasks();
    QCOMPARE(doc->selectedNode.item, tree()->tasksNode());
    QCOMPARE(headers(*list()),
             (QStringList{QStringLiteral("Source path"), QStringLiteral("Destination Path"),
                          QStringLiteral("Overwrite Newer"), QStringLiteral("Overwrite readonly"),
                          QStringLiteral("Remove Stale")}));
    const QString yes = QStringLiteral("YES"), no = QStringLiteral("NO");
    QCOMPARE(allRows(), (QList<QStringList>{
                            {QStringLiteral("c:\\data"), QStringLiteral("sys:data"), yes, no, yes},
                            {QStringLiteral("C:\\REPORTS"), QStringLiteral("SALES:REPORTS\\WEEKLY"),
                             no, yes, no},
                            // a flag of 2 counts as set; the Windows-1252 byte shows as its letter
                            {QString::fromUtf8("d:\\m\u00FCller"),
                             QString::fromUtf8("vol1:archive\\m\u00FCller"), yes, no, no},
                            // a task line with only two words: its flags are Quorrel's to decide
                            {QStringLiteral("c:\\stale"), QStringLiteral("sys:stale"), QString(),
                             QString(), QString()}}));
    // Each column is its widest cell, at least 150, plus 50.
    doc->model().tasks.at(2) =
        "C:\\REPORTS SALES:REPORTS\\WEEKLY\\A\\VERY\\LONG\\PATH\\THAT\\IS\\WIDE 0 1 0";
    showSettings();
    showTasks();
    const int wide = list()->fontMetrics().horizontalAdvance(list()->topLevelItem(1)->text(1));
    QVERIFY(wide > 150);
    QCOMPARE(list()->columnWidth(1), wide + 50);
    QCOMPARE(list()->columnWidth(2), 200);
}

void TestTaskWindow::numberSettingsAtTheirLimits_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("shownFirst");
    QTest::addColumn<int>("lower");
    QTest::addColumn<int>("upper");
    QTest::addColumn<QString>("message");
    QTest::newRow("polling interval") << 1 << QStringLiteral("120") << 60 << 1440
                                      << QStringLiteral("Invalid interval! (60-1440) Default:300");
    QTest::newRow("logging severity") << 2 << QStringLiteral("1") << 0 << 1
                                      << QStringLiteral("Invalid interval! (0-1) Default:0");
    QTest::newRow("maximum log file size")
        << 3 << QStringLiteral("512000") << 8192 << 8388608
        << QStringLiteral("Invalid interval! (8192-8388608) Default:256000");
}

void TestTaskWindow::numberSettingsAtTheirLimits() {
    QFETCH(int, row);
    QFETCH(QString, shownFirst);
    QFETCH(int, lower);
    QFETCH(int, upper);
    QFETCH(QString, message);
    CPallworthDoc2* doc = open();
    showSettings();
    const QString label = list()->topLevelItem(row)->text(0);
    std::string TaskFileModel::*const fields[] = {nullptr, &TaskFileModel::pollInterval,
                                                  &TaskFileModel::logSeverity,
                                                  &TaskFileModel::maxLogSize};
    const std::string& value = doc->model().*fields[row];

    for (const auto& limits : {std::pair{lower - 1, lower}, std::pair{upper + 1, upper}}) {
        const int refused = limits.first;
        const int taken = limits.second;
        fixture_->messages.clear();
        QString caption, opened;
        fixture_->onDialog = [&](QDialog& d) {
            caption = d.windowTitle();
            opened = d.findChild<QLineEdit*>(QStringLiteral("1006"))->text();
            return typeEach({QString::number(refused), QString::number(taken)})(d);
        };
        selectRow(row);
        list()->Edit();
        QCOMPARE(caption, label);
        QCOMPARE(opened, shownFirst);
        QCOMPARE(fixture_->messages, QStringList{message});
        QCOMPARE(value, std::to_string(taken));
        QCOMPARE(list()->topLevelItem(row)->text(1), QString::number(taken));
        shownFirst = QString::number(taken);
    }
    // A value that is not a plain number opens as it stands, and OK on it is
    // refused rather than storing its leading digits.
    doc->model().*fields[row] = "  -7 seconds";
    showTasks();
    showSettings();
    QString opened;
    fixture_->messages.clear();
    fixture_->onDialog = [&](QDialog& d) {
        opened = d.findChild<QLineEdit*>(QStringLiteral("1006"))->text();
        d.accept();
        return cancel(d);
    };
    selectRow(row);
    list()->Edit();
    QCOMPARE(opened, QStringLiteral("  -7 seconds"));
    QCOMPARE(fixture_->messages, QStringList{QStringLiteral("Please enter an integer.")});
    QCOMPARE(value, std::string("  -7 seconds"));
}

void TestTaskWindow::logFilePathIsOneWord() {
    CPallworthDoc2* doc = open();
    showSettings();
    selectRow(0);
    fixture_->onDialog = typeEach({QStringLiteral("c:\\my logs\\q.log"),
                                   QStringLiteral("c:\\logs,q.log"), QStringLiteral("c:\\q.log")});
    list()->Edit();
    QCOMPARE(fixture_->messages.size(), 2);
    QCOMPARE(doc->model().logFilePath, std::string("c:\\q.log"));
    QCOMPARE(list()->topLevelItem(0)->text(1), QStringLiteral("c:\\q.log"));
    // Cancel keeps the old path.
    fixture_->onDialog = cancel;
    list()->Edit();
    QCOMPARE(doc->model().logFilePath, std::string("c:\\q.log"));
}

void TestTaskWindow::settingRowsByMouseAndKeys_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("byMouse");      // a double click, else a click and Enter
    QTest::addColumn<QStringList>("typed"); // each typed and OK'd until one is taken
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QStringList>("messages");
    const QString path = QStringLiteral("sys:\\logs\\quorrel.log");
    QTest::newRow("interval changed by Enter") << 1 << false << QStringList{QStringLiteral("600")}
                                               << QStringLiteral("600") << QStringList();
    QTest::newRow("severity OK unchanged by double click")
        << 2 << true << QStringList{QStringLiteral("1")} << QStringLiteral("1") << QStringList();
    QTest::newRow("log size below its range, then at its lower end")
        << 3 << true << QStringList{QStringLiteral("8191"), QStringLiteral("8192")}
        << QStringLiteral("8192")
        << QStringList{QStringLiteral("Invalid interval! (8192-8388608) Default:256000")};
    QTest::newRow("log size above its range, then cancelled")
        << 3 << false << QStringList{QStringLiteral("8388609")} << QStringLiteral("512000")
        << QStringList{QStringLiteral("Invalid interval! (8192-8388608) Default:256000")};
    QTest::newRow("log file OK unchanged")
        << 0 << false << QStringList{path} << path << QStringList();
    QTest::newRow("log file with a character Windows-1252 lacks")
        << 0 << true
        << QStringList{QString::fromUtf8("c:\\\u0141.log"), QStringLiteral("c:\\q.log")}
        << QStringLiteral("c:\\q.log")
        << QStringList{QString::fromUtf8("The text cannot hold the character \"\u0141\": the "
                                         "file's code page Windows-1252 has no such character.")};
}

// The settings open their value dialog through the row they stand on: a
// changed value is one undoable change, shown in every window; OK on an
// unchanged value or Cancel changes nothing.
void TestTaskWindow::settingRowsByMouseAndKeys() {
    QFETCH(int, row);
    QFETCH(bool, byMouse);
    QFETCH(QStringList, typed);
    QFETCH(QString, stored);
    QFETCH(QStringList, messages);
    CPallworthDoc2* doc = open();
    CPallworthDosView* edited = list();
    showSettings();
    ChildFrame* secondFrame = fixture_->documents().newWindow(*doc);
    auto* second = qobject_cast<CSplitterFrameDos*>(secondFrame->widget());
    second->treeView()->setCurrentItem(second->treeView()->settingsNode());
    CPallworthDosView* other = second->listView();
    const TaskFileModel before = doc->model();
    const QString shownBefore = edited->topLevelItem(row)->text(1);
    doc->setModifiedFlag(false);

    QString caption;
    fixture_->onDialog = [&](QDialog& d) {
        caption = d.windowTitle();
        return typeEach(typed)(d);
    };
    QWidget* viewport = edited->viewport();
    const QPoint centre = edited->visualItemRect(edited->topLevelItem(row)).center();
    if (byMouse) {
        QTest::mouseDClick(viewport, Qt::LeftButton, {}, centre);
    } else {
        QTest::mouseClick(viewport, Qt::LeftButton, {}, centre);
        QTest::keyClick(edited, Qt::Key_Return);
    }
    QCOMPARE(fixture_->dialogsRun, 1);
    QCOMPARE(caption, edited->topLevelItem(row)->text(0));
    QCOMPARE(fixture_->messages, messages);
    QVERIFY(doc->isModified());
    const std::string TaskFileModel::*field = TaskFileTable::kSettings[row].member;
    QCOMPARE(doc->model().*field, AnsiQt::fromQString(stored));
    QCOMPARE(edited->topLevelItem(row)->text(1), stored);
    QCOMPARE(other->topLevelItem(row)->text(1), stored);

    const bool changed = stored != shownBefore;
    QCOMPARE(doc->undoStack().count(), changed ? 1 : 0);
    if (!changed) {
        QCOMPARE(doc->model(), before);
        QCOMPARE(TaskFileFormat::write(doc->model()), TaskFileFormat::write(before));
        return;
    }
    fixture_->frame().action(CommandIds::EditUndo)->trigger();
    QCOMPARE(doc->model(), before);
    QCOMPARE(other->topLevelItem(row)->text(1), shownBefore);
    fixture_->frame().action(CommandIds::EditRedo)->trigger();
    QCOMPARE(doc->model().*field, AnsiQt::fromQString(stored));
}

void TestTaskWindow::editTaskFromRowAndKeys() {
    CPallworthDoc2* doc = open();
    showTasks();
    TaskEntry before;
    QString title;
    fixture_->onDialog = [&](QDialog& d) {
        before = shown(d);
        title = d.windowTitle();
        return enterTask(d, {before.source, before.target, {false, false, false}});
    };
    selectRow(0);
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Return);
    QCOMPARE(title, QStringLiteral("Task"));
    QCOMPARE(before.source, QStringLiteral("c:\\data"));
    QCOMPARE(before.target, QStringLiteral("sys:data"));
    QVERIFY(before.flags[0] && !before.flags[1] && before.flags[2]);
    QCOMPARE(doc->model().tasks.at(1), std::string("c:\\data sys:data 0 0 0"));
    QCOMPARE(cells(*list(), 0).mid(2),
             (QStringList{QStringLiteral("NO"), QStringLiteral("NO"), QStringLiteral("NO")}));

    // Double click on the row with the flag 2 and the Windows-1252 paths.
    fixture_->onDialog = [&](QDialog& d) {
        before = shown(d);
        return enterTask(d, {QStringLiteral("C:\\NEU"), before.target, {true, true, true}});
    };
    const QPoint third = list()->visualItemRect(list()->topLevelItem(2)).center();
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {}, third);
    QCOMPARE(before.source, QString::fromUtf8("d:\\m\u00FCller"));
    QVERIFY(before.flags[0] && !before.flags[1] && !before.flags[2]);
    // The flag "2" was set and stays set: its word is kept.
    QCOMPARE(doc->model().tasks.at(3), std::string("C:\\NEU vol1:archive\\m\xFCller 2 1 1"));
    QCOMPARE(cells(*list(), 2).value(0), QStringLiteral("C:\\NEU"));
    QCOMPARE(fixture_->dialogsRun, 2);
}

void TestTaskWindow::commandsMarkModifiedFirst() {
    CPallworthDoc2* doc = open();
    showTasks();
    const std::vector<std::string> tasks = tasksOf(doc->model());
    fixture_->onDialog = cancel;
    const std::function<void()> commands[] = {
        [&] { list()->Edit(); },
        [&] { list()->Insert(); },
        [&] { list()->Delete(); },
        [&] { list()->DropTask(0, 2); },
        [&] {
            // a double click on the empty space below the rows
            QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {},
                               QPoint(20, list()->viewport()->height() - 5));
        },
    };
    for (const auto& run : commands) {
        list()->clearSelection();
        doc->setModifiedFlag(false);
        run();
        QVERIFY(doc->isModified());
    }
    // Edit, Delete and the double click found no row; Insert was cancelled;
    // only the drop moved something.
    QCOMPARE(fixture_->dialogsRun, 1);
    QCOMPARE(doc->model().tasks.count(), 4);
    QCOMPARE(doc->model().tasks.at(3), tasks[0]);

    // A cancelled edit of a selected row leaves the task but still marks.
    doc->setModifiedFlag(false);
    selectRow(1);
    list()->Edit();
    QVERIFY(doc->isModified());
    QCOMPARE(doc->model().tasks.at(2), tasks[2]);
}

void TestTaskWindow::insertPutsTaskAndRowAtOnePlace() {
    CPallworthDoc2* doc = open();
    showTasks();
    const TaskFileModel& m = doc->model();
    qint64 browseIcon = 0;
    fixture_->onDialog = [&browseIcon](QDialog& d) {
        browseIcon = d.findChild<QPushButton*>(QStringLiteral("1022"))->icon().cacheKey();
        return enterTask(d, {QStringLiteral("C:\\END"), QStringLiteral("SYS:END"), {true}});
    };
    list()->clearSelection();
    list()->Insert();
    // The window hands its dialog the application's browser.
    QCOMPARE(browseIcon, fixture_->app->browser().icon().cacheKey());
    QCOMPARE(m.tasks.count(), 5);
    QCOMPARE(m.tasks.at(5), std::string("C:\\END SYS:END 1 0 0"));
    QCOMPARE(cells(*list(), 4).value(0), QStringLiteral("C:\\END"));

    // After the first row: entry 2 and row 1, the others one place on.
    fixture_->onDialog = [](QDialog& d) {
        return enterTask(d, {QStringLiteral("C:\\SECOND"), QStringLiteral("SYS:2"), {}});
    };
    selectRow(0);
    list()->Insert();
    QCOMPARE(m.tasks.at(2), std::string("C:\\SECOND SYS:2 0 0 0"));
    QCOMPARE(m.tasks.at(3).substr(0, 10), std::string("C:\\REPORTS"));
    // After the last row is the end.
    selectRow(5);
    list()->Insert();
    QCOMPARE(m.tasks.count(), 7);
    QCOMPARE(m.tasks.at(7), std::string("C:\\SECOND SYS:2 0 0 0"));

    const QList<QStringList> rows = allRows();
    showSettings();
    showTasks();
    QCOMPARE(allRows(), rows);
}

void TestTaskWindow::popupMenus() {
    CPallworthDoc2* doc = open();
    QVERIFY(tree()->popupMenu(tree()->settingsNode()) == nullptr);
    QVERIFY(tree()->popupMenu(nullptr) == nullptr);
    const std::unique_ptr<QMenu> treeMenu = tree()->popupMenu(tree()->tasksNode());
    QCOMPARE(treeMenu->objectName(), QStringLiteral("163"));
    QCOMPARE(actionTexts(treeMenu.get()), QStringList{QStringLiteral("Insert")});

    showSettings();
    QVERIFY(list()->popupMenu() == nullptr);
    // The tree's Insert while the settings are shown: the list turns to the
    // tasks and the new one goes at the end, with its row.
    fixture_->onDialog = [](QDialog& d) {
        return enterTask(d, {QStringLiteral("C:\\T"), QStringLiteral("SYS:T"), {}});
    };
    selectRow(1);
    treeMenu->actions().value(0)->trigger();
    QCOMPARE(list()->shownImage(), kTasks);
    QCOMPARE(doc->model().tasks.count(), 5);
    QCOMPARE(doc->model().tasks.at(5), std::string("C:\\T SYS:T 0 0 0"));
    QCOMPARE(cells(*list(), 4).value(0), QStringLiteral("C:\\T"));

    const std::unique_ptr<QMenu> listMenu = list()->popupMenu();
    QCOMPARE(listMenu->objectName(), QStringLiteral("159"));
    QCOMPARE(actionTexts(listMenu.get()),
             (QStringList{QStringLiteral("Insert"), QStringLiteral("Delete"), QString(),
                          QStringLiteral("Cut"), QStringLiteral("Copy"), QStringLiteral("Paste")}));
    selectRow(0);
    listMenu->actions().value(1)->trigger();
    QCOMPARE(doc->model().tasks.count(), 4);
    QCOMPARE(cells(*list(), 0).value(0), QStringLiteral("C:\\REPORTS"));

    // A real right click on another row: Delete acts on the row under the mouse.
    selectRow(0);
    const QString first = cells(*list(), 0).value(0);
    const QPoint last = list()->visualItemRect(list()->topLevelItem(3)).center();
    QCOMPARE(mousedriver::rightClick(list(), last, QStringLiteral("delete")).name,
             QStringLiteral("159"));
    QCOMPARE(doc->model().tasks.count(), 3);
    QCOMPARE(cells(*list(), 0).value(0), first);
}

void TestTaskWindow::menusActOnTheirRow_data() {
    QTest::addColumn<QString>("command");
    QTest::addColumn<int>("selected");
    QTest::addColumn<int>("clicked"); // -1: the tree's "Tasks" node, the settings shown
    QTest::addColumn<bool>("menuKey");
    QTest::addColumn<int>("acted"); // the row deleted, or the row the new task follows
    QTest::newRow("delete another row") << "delete" << 0 << 2 << false << 2;
    QTest::newRow("insert after another row") << "insert" << 3 << 1 << false << 1;
    // The dismissed menu's row stays selected, so Shift+F10 acts on it too.
    QTest::newRow("menu key after a dismissed right click") << "delete" << 0 << 2 << true << 2;
    QTest::newRow("tree insert while a setting is selected") << "insert" << 1 << -1 << false << 3;
}

// The list's menu acts on the row under the mouse, Shift+F10's on the
// selected row, whatever was right-clicked before.
void TestTaskWindow::menusActOnTheirRow() {
    QFETCH(QString, command);
    QFETCH(int, selected);
    QFETCH(int, clicked);
    QFETCH(bool, menuKey);
    QFETCH(int, acted);
    using namespace mousedriver;
    CPallworthDoc2* doc = open();
    std::vector<std::string> tasks = tasksOf(doc->model());
    click(tree(), clicked < 0 ? tree()->settingsNode() : tree()->tasksNode());
    click(list(), list()->topLevelItem(selected));
    fixture_->onDialog = [](QDialog& d) {
        return enterTask(d, {QStringLiteral("C:\\NEW"), QStringLiteral("SYS:NEW"), {}});
    };
    if (clicked < 0)
        rightClick(tree(), at(tree(), tree()->tasksNode()), command);
    else
        rightClick(list(), at(list(), list()->topLevelItem(clicked)),
                   menuKey ? QString() : command);
    if (menuKey) {
        QVERIFY(tasksOf(doc->model()) == tasks);
        mousedriver::menuKey(list(), command);
    }
    const auto place = tasks.begin() + acted;
    if (command == QLatin1String("delete"))
        tasks.erase(place);
    else
        tasks.insert(place + 1, "C:\\NEW SYS:NEW 0 0 0");
    QCOMPARE(tasksOf(doc->model()), tasks);
    QCOMPARE(list()->topLevelItemCount(), int(tasks.size()));
    QCOMPARE(tree()->selectedItems(), QList<QTreeWidgetItem*>{tree()->tasksNode()});
}

void TestTaskWindow::insertBeyond999Refused() {
    CPallworthDoc2* doc = open();
    EntryList<std::string>& tasks = doc->model().tasks;
    while (!tasks.full())
        tasks.append("C:\\A SYS:A 0 0 0");
    showTasks();
    QCOMPARE(list()->topLevelItemCount(), 999);
    fixture_->onDialog = [](QDialog& d) {
        return enterTask(d, {QStringLiteral("C:\\B"), QStringLiteral("SYS:B"), {}});
    };
    list()->Insert();
    QCOMPARE(fixture_->dialogsRun, 0);
    QCOMPARE(fixture_->messages.size(), 1);
    QVERIFY(fixture_->messages[0].contains(QStringLiteral("999 tasks")));
    QCOMPARE(tasks.count(), 999);
    QCOMPARE(list()->topLevelItemCount(), 999);
    // One place freed, one task fits again.
    selectRow(0);
    list()->Delete();
    list()->Insert();
    QCOMPARE(tasks.count(), 999);
    QCOMPARE(tasks.at(2), std::string("C:\\B SYS:B 0 0 0"));
}

void TestTaskWindow::taskDialogChecks_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message"); // empty: accepted
    const QString invalid = QStringLiteral("Invalid path!");
    const QString separators = QStringLiteral(
        "cannot contain a blank, a comma, a tab or a line break: the task file has no way to "
        "store them.");
    QTest::newRow("drive to volume")
        << QStringLiteral("C:\\DATA") << QStringLiteral("SYS:DATA") << QString();
    QTest::newRow("volume to drive")
        << QStringLiteral("SYS:DATA") << QStringLiteral("C:\\DATA") << QString();
    QTest::newRow("two volumes") << QStringLiteral("SYS:A") << QStringLiteral("VOL1:B") << invalid;
    QTest::newRow("colon at 2") << QStringLiteral("SYS:A") << QStringLiteral("XY:B") << QString();
    QTest::newRow("no colon") << QStringLiteral("VOL1:A") << QStringLiteral("\\\\SRV\\B")
                              << QString();
    QTest::newRow("blank in source") << QStringLiteral("C:\\MY DATA") << QStringLiteral("SYS:X")
                                     << QStringLiteral("The source path ") + separators;
    QTest::newRow("comma in target") << QStringLiteral("C:\\X") << QStringLiteral("SYS:A,B")
                                     << QStringLiteral("The target path ") + separators;
    QTest::newRow("tab") << QStringLiteral("C:\\A\tB") << QStringLiteral("SYS:X")
                         << QStringLiteral("The source path ") + separators;
    QTest::newRow("line break") << QStringLiteral("C:\\X") << QStringLiteral("SYS:A\nTASK")
                                << QStringLiteral("The target path ") + separators;
    QTest::newRow("leading blank") << QStringLiteral(" C:\\X") << QStringLiteral("SYS:X")
                                   << QStringLiteral("The source path ") + separators;
    QTest::newRow("empty source") << QString() << QStringLiteral("C:\\X")
                                  << QStringLiteral("Please enter the source path.");
    QTest::newRow("empty target") << QStringLiteral("C:\\X") << QString()
                                  << QStringLiteral("Please enter the target path.");
}

void TestTaskWindow::taskDialogChecks() {
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, message);
    CTaskEdit dialog(nullptr, &fixture_->app->browser());
    QCOMPARE(dialog.property("resourceId").toInt(), 168);
    dialog.exchangeIn();
    const bool accepted =
        enterTask(dialog, {source, target, {false, true, false}}) == QDialog::Accepted;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Task"));
    QCOMPARE(accepted, message.isEmpty());
    QCOMPARE(fixture_->messages, message.isEmpty() ? QStringList() : QStringList{message});
    if (!message.isEmpty())
        QCOMPARE(fixture_->captions, QStringList{QStringLiteral("Validation")});
    else
        QCOMPARE(dialog.taskText(),
                 AnsiQt::fromQString(source + QLatin1Char(' ') + target) + " 0 1 0");
    for (const char* id : {"1022", "1023"})
        QVERIFY(!dialog.findChild<QPushButton*>(QString::fromLatin1(id))->icon().isNull());
}

void TestTaskWindow::missingFlagsStayMissing_data() {
    QTest::addColumn<QString>("clicks"); // clicks on each box, newer to stale
    QTest::addColumn<QString>("task");   // stored after OK, or left after a refusal
    QTest::addColumn<QStringList>("flagCells");
    QTest::addColumn<QString>("message");
    const QString none;
    QTest::newRow("untouched") << "000"
                               << "c:\\stale sys:stale   " << QStringList{none, none, none} << none;
    QTest::newRow("newer ticked") << "100"
                                  << "c:\\stale sys:stale 1  "
                                  << QStringList{QStringLiteral("YES"), none, none} << none;
    QTest::newRow("newer cleared")
        << "200"
        << "c:\\stale sys:stale 0  " << QStringList{QStringLiteral("NO"), none, none} << none;
    QTest::newRow("all given") << "121"
                               << "c:\\stale sys:stale 1 0 1"
                               << QStringList{QStringLiteral("YES"), QStringLiteral("NO"),
                                              QStringLiteral("YES")}
                               << none;
    QTest::newRow("stale alone") << "001"
                                 << "c:\\stale sys:stale   " << QStringList{none, none, none}
                                 << QStringLiteral(
                                        "Please tick or clear \"Overwrite newer\" too: the task "
                                        "file keeps the flags in order and cannot leave out one "
                                        "before a flag that is given.");
}

void TestTaskWindow::missingFlagsStayMissing() {
    QFETCH(QString, clicks);
    QFETCH(QString, task);
    QFETCH(QStringList, flagCells);
    QFETCH(QString, message);
    CPallworthDoc2* doc = open();
    mousedriver::click(tree(), tree()->tasksNode());
    QList<Qt::CheckState> opened;
    fixture_->onDialog = [&](QDialog& d) {
        for (int i = 0; i < 3; ++i) {
            auto* box = d.findChild<QCheckBox*>(QString::fromLatin1(kFlagIds[i]));
            opened << box->checkState();
            for (int n = 0; n < clicks[i].digitValue(); ++n)
                box->click();
        }
        d.findChild<QPushButton*>(QStringLiteral("1"))->click();
        return d.result() == QDialog::Accepted ? d.result() : cancel(d);
    };
    mousedriver::click(list(), list()->topLevelItem(3));
    QTest::keyClick(list(), Qt::Key_Return);
    QCOMPARE(opened, QList<Qt::CheckState>(3, Qt::PartiallyChecked));
    QCOMPARE(doc->model().tasks.at(4), task.toStdString());
    QCOMPARE(cells(*list(), 3).mid(2), flagCells);
    QCOMPARE(fixture_->messages, message.isEmpty() ? QStringList() : QStringList{message});
    // Written, the line reads back as the same task.
    TaskFileModel back;
    QVERIFY(TaskFileFormat::read(TaskFileFormat::write(doc->model()), back).ok);
    QCOMPARE(back.tasks.at(4), task.toStdString());
}

void TestTaskWindow::deleteTasks() {
    CPallworthDoc2* doc = open();
    showTasks();
    const std::vector<std::string> before = tasksOf(doc->model());
    selectRow(1);
    list()->Delete();
    QCOMPARE(tasksOf(doc->model()), (std::vector<std::string>{before[0], before[2], before[3]}));
    QCOMPARE(cells(*list(), 1).value(0), QString::fromUtf8("d:\\m\u00FCller"));
    // Two rows selected by Ctrl+click go at one key, as one undo step.
    mousedriver::click(list(), list()->topLevelItem(0));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      mousedriver::at(list(), list()->topLevelItem(2)));
    const int steps = doc->undoStack().count();
    QTest::keyClick(list(), Qt::Key_Delete);
    QCOMPARE(tasksOf(doc->model()), std::vector<std::string>{before[2]});
    QCOMPARE(doc->undoStack().count(), steps + 1);
    QCOMPARE(list()->selectedItems(), QList<QTreeWidgetItem*>{list()->topLevelItem(0)});
    while (list()->topLevelItemCount() > 0) {
        selectRow(0);
        list()->Delete();
    }
    QCOMPARE(doc->model().tasks.count(), 0);
    QCOMPARE(list()->topLevelItemCount(), 0);
}

void TestTaskWindow::dragByMouseAndDrop() {
    CPallworthDoc2* doc = open();
    showTasks();
    const std::vector<std::string> t = tasksOf(doc->model());
    QWidget* viewport = list()->viewport();
    auto rowCentre = [&](int r) {
        return list()->visualItemRect(list()->topLevelItem(r)).center();
    };

    // Press on the first row, pass over the others, let go below the last.
    const QPoint below(rowCentre(3).x(),
                       list()->visualItemRect(list()->topLevelItem(3)).bottom() + 30);
    QVERIFY(below.y() < viewport->height());
    sendMouse(viewport, QEvent::MouseButtonPress, rowCentre(0), Qt::LeftButton, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, rowCentre(1), Qt::NoButton, Qt::LeftButton);
    QVERIFY(list()->drag().dragging());
    QVERIFY(list()->drag().image() != nullptr && list()->drag().image()->isVisible());
    QCOMPARE(list()->drag().dropRow(), std::optional<int>(1));
    sendMouse(viewport, QEvent::MouseMove, rowCentre(3), Qt::NoButton, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, below, Qt::NoButton, Qt::LeftButton);
    QCOMPARE(list()->drag().dropRow(), std::optional<int>(4));
    doc->setModifiedFlag(false);
    sendMouse(viewport, QEvent::MouseButtonRelease, below, Qt::LeftButton, Qt::NoButton);
    QVERIFY(!list()->drag().dragging());
    QVERIFY(list()->drag().image() == nullptr);
    QVERIFY(doc->isModified());
    QCOMPARE(tasksOf(doc->model()), (std::vector<std::string>{t[1], t[2], t[3], t[0]}));
    QCOMPARE(cells(*list(), 3).value(0), QStringLiteral("c:\\data"));

    // The last row dropped on the first: the others move one place down.
    list()->DropTask(3, 0);
    QCOMPARE(tasksOf(doc->model()), t);
    QCOMPARE(cells(*list(), 0).value(0), QStringLiteral("c:\\data"));

    // A drag ended before the mouse passed over any row moves nothing; a
    // later drag does not inherit an earlier drop row.
    QVERIFY(list()->BeginDrag(2, QPoint(-10, -10)));
    QVERIFY(!list()->BeginDrag(1, rowCentre(1))); // one drag at a time
    sendMouse(viewport, QEvent::MouseButtonRelease, QPoint(-10, -10), Qt::RightButton,
              Qt::NoButton);
    QVERIFY(!list()->drag().dragging());
    QCOMPARE(tasksOf(doc->model()), t);

    // A press and a move shorter than the drag distance are a click.
    sendMouse(viewport, QEvent::MouseButtonPress, rowCentre(1), Qt::LeftButton, Qt::LeftButton);
    sendMouse(viewport, QEvent::MouseMove, rowCentre(1) + QPoint(1, 0), Qt::NoButton,
              Qt::LeftButton);
    QVERIFY(!list()->drag().dragging());
    sendMouse(viewport, QEvent::MouseButtonRelease, rowCentre(1), Qt::LeftButton, Qt::NoButton);
    QCOMPARE(list()->selectedRow(), 1);

    // Settings rows cannot be dragged.
    showSettings();
    QVERIFY(!list()->BeginDrag(0, rowCentre(0)));
    QCOMPARE(RowDrag::targetRow(-1, 4), 3);
    QCOMPARE(RowDrag::targetRow(2, 4), 2);
}

void TestTaskWindow::editSaveReopen() {
    CPallworthDoc2* doc = open();
    showSettings();
    const QStringList values = {QStringLiteral("c:\\quorrel.log"), QStringLiteral("1440"),
                                QStringLiteral("0"), QStringLiteral("8192")};
    for (int row = 0; row < 4; ++row) {
        fixture_->onDialog = typeEach({values[row]});
        selectRow(row);
        list()->Edit();
    }
    showTasks();
    selectRow(0);
    fixture_->onDialog = [](QDialog& d) {
        return enterTask(
            d, {QStringLiteral("C:\\EDITED"), QStringLiteral("SYS:EDITED"), {false, true, false}});
    };
    list()->Edit();
    selectRow(1);
    fixture_->onDialog = [](QDialog& d) {
        return enterTask(d, {QStringLiteral("SYS:NEW"), QStringLiteral("E:\\NEW"), {true}});
    };
    list()->Insert(); // after C:\REPORTS
    selectRow(3);     // d:\müller
    list()->Delete();
    list()->DropTask(3, 0); // c:\stale to the top
    const TaskFileModel edited = doc->model();
    QCOMPARE(tasksOf(edited),
             (std::vector<std::string>{"c:\\stale sys:stale   ", "C:\\EDITED SYS:EDITED 0 1 0",
                                       "C:\\REPORTS SALES:REPORTS\\WEEKLY 0 1 0",
                                       "SYS:NEW E:\\NEW 1 0 0"}));

    fixture_->frame().action(CommandIds::FileSave)->trigger();
    QCOMPARE(fixture_->messages, QStringList());
    QVERIFY(!doc->isModified());
    const QString path = doc->filePath();
    QVERIFY(fixture_->documents().closeDocument(*doc));

    auto* back = qobject_cast<CPallworthDoc2*>(fixture_->openKnown(path));
    QVERIFY(back != nullptr);
    QCOMPARE(back->model(), edited);
    QCOMPARE(back->model().logFilePath, std::string("c:\\quorrel.log"));
    QCOMPARE(back->model().pollInterval, std::string("1440"));
    QCOMPARE(back->model().logSeverity, std::string("0"));
    QCOMPARE(back->model().maxLogSize, std::string("8192"));
    std::string bytes;
    QVERIFY(FileStore::read(QFile::encodeName(path).toStdString(), bytes).ok);
    QCOMPARE(bytes, TaskFileFormat::write(edited));
    QVERIFY(bytes.ends_with("task SYS:NEW E:\\NEW 1 0 0 \r\n"));
    showTasks();
    QCOMPARE(cells(*list(), 0),
             (QStringList{QStringLiteral("c:\\stale"), QStringLiteral("sys:stale"), QString(),
                          QString(), QString()}));
}

void TestTaskWindow::fileNewOffersBothKinds() {
    QStringList offered;
    fixture_->onDialog = [&](QDialog& d) {
        auto* kinds = d.findChild<QListWidget*>(QStringLiteral("kinds"));
        for (int i = 0; i < kinds->count(); ++i)
            offered << kinds->item(i)->text();
        kinds->setCurrentRow(1);
        d.accept();
        return d.result();
    };
    fixture_->frame().action(CommandIds::FileNew)->trigger();
    auto* doc = qobject_cast<CPallworthDoc2*>(fixture_->documents().activeDocument());
    QCOMPARE(offered, (QStringList{QStringLiteral("Sync"), QStringLiteral("Quorrel")}));
    QVERIFY(doc != nullptr);
    QCOMPARE(doc->title(), QStringLiteral("Quorrel1"));
    QCOMPARE(fixture_->frame().menuId(), 167);
    QVERIFY(!fixture_->documents().activeFrame()->isMaximized());
    showSettings();
    QCOMPARE(cells(*list(), 1).value(1), QStringLiteral("300"));
    showTasks();
    QCOMPARE(list()->topLevelItemCount(), 0);

    fixture_->fileName = work_->filePath(QStringLiteral("fresh"));
    fixture_->frame().action(CommandIds::FileSave)->trigger();
    std::string bytes;
    QVERIFY(
        FileStore::read(
            QFile::encodeName(work_->filePath(QStringLiteral("fresh.ini"))).toStdString(), bytes)
            .ok);
    QCOMPARE(bytes, dataFile("new.expected.ini"));
}

void TestTaskWindow::tabAndPanes() {
    open();
    fixture_->frame().activateWindow();
    showTasks();
    list()->clearSelection();
    list()->setCurrentItem(nullptr);
    tree()->setFocus();
    QTest::keyClick(tree(), Qt::Key_Tab);
    QCOMPARE(fixture_->frame().focusWidget(), list());
    QCOMPARE(list()->selectedRow(), 0);
    QTest::keyClick(list(), Qt::Key_Tab);
    QCOMPARE(fixture_->frame().focusWidget(), tree());
    // Enter edits, then the list keeps the focus.
    fixture_->onDialog = cancel;
    list()->setFocus();
    QTest::keyClick(list(), Qt::Key_Enter);
    QCOMPARE(fixture_->dialogsRun, 1);
    QCOMPARE(fixture_->frame().focusWidget(), list());
    fixture_->frame().action(CommandIds::NextPane)->trigger();
    QCOMPARE(fixture_->frame().focusWidget(), tree());
    fixture_->frame().action(CommandIds::PrevPane)->trigger();
    QCOMPARE(fixture_->frame().focusWidget(), list());
}

void TestTaskWindow::windowsOnOneDocumentStayInStep() {
    CPallworthDoc2* doc = open();
    const auto [first, second] = twoTaskWindows(*doc);
    auto* other = qobject_cast<CSplitterFrameDos*>(second->widget());
    first->listView()->setCurrentItem(first->listView()->topLevelItem(0));
    first->listView()->Delete();
    QCOMPARE(other->listView()->topLevelItemCount(), 3);
    QCOMPARE(other->listView()->topLevelItem(0)->text(0), QStringLiteral("C:\\REPORTS"));
    // A row deleted in the second window is the task it shows.
    other->listView()->setCurrentItem(other->listView()->topLevelItem(0));
    other->listView()->Delete();
    QCOMPARE(doc->model().tasks.at(1).substr(0, 2), std::string("d:"));
    QCOMPARE(first->listView()->topLevelItemCount(), 2);
}

void TestTaskWindow::maximisedFillsTheArea_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("opened over a maximised configuration") << QStringLiteral("after");
    QTest::newRow("title bar double-clicked") << QStringLiteral("double-click");
    QTest::newRow("opened so, then the main window grows") << QStringLiteral("grow");
}

void TestTaskWindow::maximisedFillsTheArea() {
    QFETCH(QString, how);
    CMainFrame& frame = fixture_->frame();
    frame.resize(700, 520);
    if (how != QLatin1String("double-click"))
        QVERIFY(openCopy("rich-1.30.cfg", 1) != nullptr);
    QVERIFY(openCopy("tasks.ini", 2) != nullptr);
    ChildFrame* child = fixture_->documents().activeFrame();
    QVERIFY(qobject_cast<CSplitterFrameDos*>(child->widget()) != nullptr);
    if (how == QLatin1String("double-click")) {
        QVERIFY(!child->isMaximized());
        // The middle of the title bar, above the window's contents.
        const QPoint title(child->width() / 2, child->widget()->geometry().top() / 2);
        // Hovered first: the title bar knows which of its parts is under the
        // pointer from the moves it saw.
        QTest::mouseMove(child, title - QPoint(10, 0));
        QTest::mouseMove(child, title);
        QTest::mouseDClick(child, Qt::LeftButton, {}, title);
    }
    if (how == QLatin1String("grow"))
        frame.resize(780, 580);
    QCoreApplication::processEvents();
    QVERIFY(child->isMaximized());
    QCOMPARE(child->size(), frame.mdiArea()->viewport()->size());
}

void TestTaskWindow::cascadeKeepsTitleBarsInside_data() {
    QTest::addColumn<int>("windows");
    QTest::addColumn<QSize>("mainSize");
    QTest::newRow("three in a usual window") << 3 << QSize(700, 520);
    QTest::newRow("eight in a small window") << 8 << QSize(480, 360);
    QTest::newRow("one, maximised before") << 1 << QSize(600, 450);
}

void TestTaskWindow::cascadeKeepsTitleBarsInside() {
    QFETCH(int, windows);
    QFETCH(QSize, mainSize);
    CMainFrame& frame = fixture_->frame();
    frame.resize(mainSize);
    for (int i = 0; i < windows; ++i)
        QVERIFY(openCopy(i % 2 == 0 ? "rich-1.30.cfg" : "tasks.ini", i) != nullptr);
    QCoreApplication::processEvents();
    frame.action(CommandIds::WindowCascade)->trigger();
    QCoreApplication::processEvents();
    const QRect area = frame.mdiArea()->viewport()->rect();
    QSet<int> corners;
    for (QMdiSubWindow* child : frame.mdiArea()->subWindowList()) {
        // The whole window: its title bar and the close button at its end.
        QVERIFY(area.contains(child->geometry()));
        QVERIFY(!child->isMaximized());
        corners.insert(child->y() * 10000 + child->x());
    }
    // Still a cascade: no two windows on the same corner.
    QCOMPARE(corners.size(), windows);
}

namespace {

const QByteArray kSourceFile = "logfile sys:\\logs\\quorrel.log\r\n"
                               "task c:\\data sys:data 1 0 1\r\n"
                               "; weekly reports for sales\r\n"
                               "TASK C:\\REPORTS SALES:REPORTS\\WEEKLY 0 1 0\r\n"
                               "task d:\\m\xFCller vol1:archive\\m\xFCller 1 0 0\r\n";

} // namespace

void TestTaskWindow::copyAndPasteBetweenFiles_data() {
    QTest::addColumn<QList<int>>("rows");      // clicked in the source, the later ones with Ctrl
    QTest::addColumn<QKeySequence>("copyKey"); // none: the menu's Copy
    QTest::addColumn<int>("target");           // the row selected in the target; -1 none
    QTest::addColumn<QKeySequence>("pasteKey");
    QTest::addColumn<QByteArray>("block"); // the lines the target's save gains
    const QByteArray reports =
        "; weekly reports for sales\r\ntask C:\\REPORTS SALES:REPORTS\\WEEKLY 0 1 0 \r\n";
    const QByteArray data = "task c:\\data sys:data 1 0 1 \r\n";
    const QByteArray mueller = "task d:\\m\xFCller vol1:archive\\m\xFCller 1 0 0 \r\n";
    QTest::newRow("a row with its comment, Ctrl+C, Ctrl+V after the first")
        << QList<int>{1} << QKeySequence("Ctrl+C") << 0 << QKeySequence("Ctrl+V") << reports;
    QTest::newRow("two rows apart, Ctrl+Insert, Shift+Insert with none selected")
        << QList<int>{2, 0} << QKeySequence("Ctrl+Insert") << -1 << QKeySequence("Shift+Insert")
        << data + mueller;
    QTest::newRow("two rows, by the menu of one of them")
        << QList<int>{0, 2} << QKeySequence() << 2 << QKeySequence("Ctrl+V") << data + mueller;
    QTest::newRow("cut of all rows, Ctrl+X, after the last")
        << QList<int>{0, 1, 2} << QKeySequence("Ctrl+X") << 3 << QKeySequence("Ctrl+V")
        << data + reports + mueller;
    QTest::newRow("cut by Shift+Delete") << QList<int>{2} << QKeySequence("Shift+Delete") << 1
                                         << QKeySequence("Shift+Insert") << mueller;
}

// The target's save gains the source's task lines byte for byte, after the
// selected row; undoing the paste, and the cut, gives the files back.
void TestTaskWindow::copyAndPasteBetweenFiles() {
    QFETCH(QList<int>, rows);
    QFETCH(QKeySequence, copyKey);
    QFETCH(int, target);
    QFETCH(QKeySequence, pasteKey);
    QFETCH(QByteArray, block);
    CPallworthDoc2* source = openWritten("source.ini", kSourceFile);
    QVERIFY(source != nullptr);
    ChildFrame* sourceFrame = fixture_->documents().activeFrame();
    const std::string sourceBytes = source->writeBytes();
    showTasks();
    for (int i = 0; i < rows.size(); ++i)
        QTest::mouseClick(list()->viewport(), Qt::LeftButton,
                          i == 0 ? Qt::NoModifier : Qt::ControlModifier,
                          mousedriver::at(list(), list()->topLevelItem(rows[i])));
    if (copyKey.isEmpty())
        mousedriver::rightClick(list(), mousedriver::at(list(), list()->topLevelItem(rows.last())),
                                QStringLiteral("copy"));
    else
        press(copyKey);
    const bool cut =
        !copyKey.isEmpty() && copyKey[0].key() != Qt::Key_C && copyKey[0].key() != Qt::Key_Insert;
    QCOMPARE(source->model().tasks.count(), cut ? 3 - int(rows.size()) : 3);
    QCOMPARE(source->undoStack().count(), cut ? 1 : 0);
    QCOMPARE(source->isModified(), cut);

    CPallworthDoc2* doc = open();
    const std::string before = doc->writeBytes();
    showTasks();
    if (target >= 0)
        mousedriver::click(list(), list()->topLevelItem(target));
    press(pasteKey);
    QCOMPARE(fixture_->messages, QStringList());
    QCOMPARE(doc->undoStack().count(), 1);
    const int first = target >= 0 ? target + 1 : 4;
    QList<int> pasted;
    for (int r = first; r < first + rows.size(); ++r)
        pasted << r;
    QCOMPARE(selectedRows(), pasted);
    press(QKeySequence::Save);
    // The line of the task the paste follows ends where the block begins.
    std::string expected = before;
    const std::size_t at =
        target >= 0
            ? expected.find(" \r\n", expected.find("task " + doc->model().tasks.at(target + 1))) + 3
            : expected.size();
    expected.insert(at, block.toStdString());
    QCOMPARE(fileBytes(doc->filePath()).toStdString(), expected);

    press(QKeySequence::Undo);
    // The rows are filled again and none is selected: nothing to copy.
    QVERIFY(!fixture_->frame().action(CommandIds::EditCopy)->isEnabled());
    press(QKeySequence::Save);
    QCOMPARE(fileBytes(doc->filePath()).toStdString(), before);
    activate(sourceFrame);
    press(QKeySequence::Undo);
    QCOMPARE(source->writeBytes(), sourceBytes);
}

void TestTaskWindow::pasteFromPlainText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("generated"); // task lines added to the text
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("pasted");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QByteArray>("written"); // the start of what is pasted
    const QString unknown = QStringLiteral("rem nightly\r\ntask c:\\n sys:n 1 1 1\r\n");
    const QString asked = QStringLiteral(
        "1 line of the text on the clipboard will not go in as plain tasks:\n"
        "line 1: rem nightly (kept as written before the next task)\n\nPaste 1 task?");
    QTest::newRow("task lines from an editor")
        << QStringLiteral("task c:\\new sys:new 1 1 1\ntask e:\\x vol1:x 0 0 0\n") << 0
        << int(QMessageBox::Yes) << 2 << QString()
        << QByteArray("task c:\\new sys:new 1 1 1 \r\ntask e:\\x vol1:x 0 0 0 \r\n");
    QTest::newRow("unknown keyword, pasted")
        << unknown << 0 << int(QMessageBox::Yes) << 1 << asked
        << QByteArray("rem nightly\r\ntask c:\\n sys:n 1 1 1 \r\n");
    QTest::newRow("unknown keyword, declined")
        << unknown << 0 << int(QMessageBox::No) << 0 << asked << QByteArray();
    QTest::newRow("no task file") << QStringLiteral("Dear admin,\nplease copy the reports.\n") << 0
                                  << int(QMessageBox::Yes) << 0
                                  << QStringLiteral("The text on the clipboard holds no task "
                                                    "lines. Nothing was pasted.")
                                  << QByteArray();
    QTest::newRow("outside Windows-1252")
        << QStringLiteral("task c:\\caf\u00E9\u0100 sys:a 1 1 1") << 0 << int(QMessageBox::Yes) << 0
        << QStringLiteral("The text on the clipboard holds \"\u0100\", a character a task file "
                          "cannot hold. Nothing was pasted.")
        << QByteArray();
    QTest::newRow("995 tasks fill the file")
        << QString() << 995 << int(QMessageBox::Yes) << 995 << QString()
        << QByteArray("task c:\\in0 sys:out0 1 0 0 \r\ntask c:\\in1 sys:out1 1 0 0 \r\n");
    QTest::newRow("996 tasks pass the limit")
        << QString() << 996 << int(QMessageBox::Yes) << 0
        << QStringLiteral("Pasting 996 tasks would pass 999 tasks, the most a task file holds; it "
                          "holds 4. Nothing was pasted.")
        << QByteArray();
}

void TestTaskWindow::pasteFromPlainText() {
    QFETCH(QString, text);
    QFETCH(int, generated);
    QFETCH(int, answer);
    QFETCH(int, pasted);
    QFETCH(QString, message);
    QFETCH(QByteArray, written);
    CPallworthDoc2* doc = open();
    const std::string before = doc->writeBytes();
    for (int i = 0; i < generated; ++i)
        text += QStringLiteral("task c:\\in%1 sys:out%1 1 0 0\r\n").arg(i);
    QGuiApplication::clipboard()->setText(text);
    showTasks();
    mousedriver::click(list(), list()->topLevelItem(1));
    fixture_->answer = static_cast<QMessageBox::StandardButton>(answer);
    press(QKeySequence::Paste);
    QCOMPARE(fixture_->messages, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(doc->model().tasks.count(), 4 + pasted);
    QCOMPARE(doc->undoStack().count(), pasted > 0 ? 1 : 0);
    QCOMPARE(doc->isModified(), pasted > 0);
    if (pasted == 0) {
        QCOMPARE(doc->writeBytes(), before);
        QCOMPARE(selectedRows(), QList<int>{1});
        return;
    }
    QCOMPARE(selectedRows().size(), pasted);
    QCOMPARE(selectedRows().value(0), 2);
    QCOMPARE(list()->topLevelItemCount(), 4 + pasted);
    // After the second task of the file, as the writer writes a task.
    const std::string tasksTwo = "task C:\\REPORTS SALES:REPORTS\\WEEKLY 0 1 0 \r\n";
    QVERIFY(doc->writeBytes().find(tasksTwo + written.toStdString()) != std::string::npos);
}

void TestTaskWindow::clipboardCommandsGreyed_data() {
    QTest::addColumn<bool>("tasks");
    QTest::addColumn<int>("row"); // -1: none selected
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QList<bool>>("enabled"); // Cut, Copy, Paste, Duplicate
    const QString line = QStringLiteral("task c:\\a sys:a 1 1 1");
    QTest::newRow("settings") << false << 0 << line << QList<bool>{false, false, false, false};
    QTest::newRow("tasks, none selected, text")
        << true << -1 << line << QList<bool>{false, false, true, false};
    QTest::newRow("tasks, a row, empty clipboard")
        << true << 2 << QString() << QList<bool>{true, true, false, false};
    QTest::newRow("tasks, a row, blank text")
        << true << 0 << QStringLiteral(" \r\n") << QList<bool>{true, true, false, false};
}

// The Edit menu and the list's menu grey what does not apply.
void TestTaskWindow::clipboardCommandsGreyed() {
    QFETCH(bool, tasks);
    QFETCH(int, row);
    QFETCH(QString, clipboard);
    QFETCH(QList<bool>, enabled);
    open();
    QGuiApplication::clipboard()->setText(clipboard);
    mousedriver::click(tree(), tasks ? tree()->tasksNode() : tree()->settingsNode());
    if (row >= 0)
        mousedriver::click(list(), list()->topLevelItem(row));
    QList<bool> menu;
    for (int id : {CommandIds::EditCut, CommandIds::EditCopy, CommandIds::EditPaste,
                   CommandIds::EditDuplicate})
        menu << fixture_->frame().action(id)->isEnabled();
    QCOMPARE(menu, enabled);
    const std::unique_ptr<QMenu> popup = list()->popupMenu();
    QCOMPARE(popup != nullptr, tasks);
    if (popup == nullptr)
        return;
    QList<bool> items;
    for (const char* name : {"cut", "copy", "paste"})
        items << popup->findChild<QAction*>(QLatin1String(name))->isEnabled();
    QCOMPARE(items, enabled.mid(0, 3));
}

// Copied and pasted by the lists' menus: the paste goes after the row
// right-clicked, and the other window of the document shows it.
void TestTaskWindow::secondWindowSeesThePaste() {
    CPallworthDoc2* doc = open();
    const auto [first, secondFrame] = twoTaskWindows(*doc);
    CPallworthDosView* other = qobject_cast<CSplitterFrameDos*>(secondFrame->widget())->listView();
    using namespace mousedriver;
    rightClick(first->listView(), at(first->listView(), first->listView()->topLevelItem(3)),
               QStringLiteral("copy"));
    click(other, other->topLevelItem(0));
    rightClick(other, at(other, other->topLevelItem(1)), QStringLiteral("paste"));
    QCOMPARE(doc->model().tasks.count(), 5);
    QCOMPARE(doc->model().tasks.at(3), doc->model().tasks.at(5));
    QCOMPARE(column0(first->listView()).value(2), QStringLiteral("c:\\stale"));
    QCOMPARE(column0(other).value(2), QStringLiteral("c:\\stale"));
    QCOMPARE(other->selectedItems(), QList<QTreeWidgetItem*>{other->topLevelItem(2)});
    // An undo the focus does not see fills the rows again: Copy greys.
    fixture_->frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture_->frame()));
    activate(secondFrame);
    QAction* copy = fixture_->frame().action(CommandIds::EditCopy);
    QVERIFY(copy->isEnabled());
    doc->undoStack().undo();
    QCOMPARE(other->topLevelItemCount(), 4);
    QVERIFY(!copy->isEnabled());
}

QTEST_MAIN(TestTaskWindow)
#include "tst_taskwindow.moc"

// Each change is one command; undoing all of them saves the bytes the file
// was saved with, redoing them the changed ones, in every window.
void TestTaskWindow::undoRedoEveryChange() {
    CPallworthDoc2* doc = open();
    CMainFrame& frame = fixture_->frame();
    const auto press = [&](Qt::Key key, int times) {
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        for (int i = 0; i < times; ++i)
            QTest::keyClick(tree(), key, Qt::ControlModifier);
    };
    const auto saved = [&] {
        press(Qt::Key_S, 1);
        return fileBytes(doc->filePath());
    };
    const QByteArray original = saved();
    // The changes are made in a second window; the first shows the tasks.
    CSplitterFrameDos* other = content();
    other->treeView()->setCurrentItem(other->treeView()->tasksNode());
    fixture_->documents().newWindow(*doc);
    const auto otherSources = [&] {
        QStringList sources;
        for (int r = 0; r < other->listView()->topLevelItemCount(); ++r)
            sources << other->listView()->topLevelItem(r)->text(0);
        return sources;
    };
    const QStringList sourcesBefore = otherSources();
    const auto setting = [this](int row, const QString& text) {
        return [=, this] {
            showSettings();
            fixture_->onDialog = typeEach({text});
            selectRow(row);
            list()->Edit();
        };
    };
    const auto task = [this](int row, void (CPallworthDosView::*command)()) {
        return [=, this] {
            showTasks();
            fixture_->onDialog = [](QDialog& d) {
                return enterTask(d, {QStringLiteral("C:\\NEW"), QStringLiteral("SYS:NEW")});
            };
            selectRow(row);
            (list()->*command)();
        };
    };
    const std::vector<std::function<void()>> changes = {
        setting(0, QStringLiteral("sys:\\logs\\other.log")),
        setting(1, QStringLiteral("600")),
        task(1, &CPallworthDosView::Edit),
        task(0, &CPallworthDosView::Insert),
        task(2, &CPallworthDosView::Delete),
        [this] {
            showTasks();
            list()->DropTask(0, 2);
        },
    };
    for (const auto& change : changes) {
        const int before = doc->undoStack().count();
        change();
        QCOMPARE(doc->undoStack().count(), before + 1);
    }
    const QByteArray changed = saved();
    QVERIFY(changed != original);
    press(Qt::Key_Z, static_cast<int>(changes.size()));
    QVERIFY(doc->isModified());
    QCOMPARE(saved(), original);
    QCOMPARE(otherSources(), sourcesBefore);
    press(Qt::Key_Y, static_cast<int>(changes.size()));
    QCOMPARE(frame.action(CommandIds::EditUndo)->text(), QStringLiteral("Undo Move task"));
    QCOMPARE(saved(), changed);
    QCOMPARE(fixture_->messages, QStringList());
}
