#include "TestSupport.h"
#include "gui/app/AppFixture.h"
#include "gui/app/MouseDriver.h"

#include "configwindow/CPallworthDoc.h"
#include "configwindow/CSplitterFrame.h"
#include "framework/CommandIds.h"
#include "framework/LocalPath.h"
#include "io/StoppedSave.h"

#include <QDir>
#include <QLabel>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <filesystem>
#include <sys/stat.h>

using namespace testsupport;

namespace {

// A configuration as an administrator keeps it: comments of their own, a
// mistyped keyword and an exclude whose quotes were forgotten.
const char* const kHandWritten = "VERSION 1.30\r\n"
                                 "# Nightly mirror of the sales volumes\r\n"
                                 "USER admin.corp\r\n"
                                 "PWD 2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f"
                                 "2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f\r\n"
                                 "MAXTHRAEDS 30\r\n"
                                 "PACKAGE Sales\r\n"
                                 "  SOURCE SALES1\r\n"
                                 "  ; until the new server is in\r\n"
                                 "  DEST SRV7 VOL1 MSGON 0\r\n"
                                 "  EXCLUDE SYS:\\NOQUOTE\r\n"
                                 "  SYNCDIR ALL NODEL \"VOL1:\\DATA\" \"VOL1:\\DATA\"\r\n"
                                 "PACKAGE END\r\n";

// A protocol typed into a file of a version that had none: read as a start.
const char* const kOldWithProtocol =
    "VERSION 1.22\r\n"
    "USER admin.corp\r\n"
    "PWD 2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f2f\r\n"
    "PACKAGE Sales\r\n"
    "  SOURCE SALES1\r\n"
    "  DEST SRV7 VOL1 MSGON 0 TCP\r\n"
    "PACKAGE END\r\n";

// The bytes of a file under any name.
QByteArray bytesOf(const std::string& path) {
    std::string bytes;
    return FileStore::read(path, bytes).ok ? QByteArray::fromStdString(bytes) : QByteArray();
}

// The names in a folder, as bytes.
QList<QByteArray> namesIn(const std::string& folder) {
    QList<QByteArray> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names << QByteArray::fromStdString(entry.path().filename().native());
    return names;
}

std::string unknownLines(int count) {
    std::string bytes = "VERSION 1.30\r\n";
    for (int i = 0; i < count; ++i)
        bytes += "BOGUS" + std::to_string(i) + "\r\n";
    return bytes;
}

std::string unquotedExcludes(int count) {
    std::string bytes = "VERSION 1.30\r\nPACKAGE P\r\n";
    for (int i = 0; i < count; ++i)
        bytes += "EXCLUDE X" + std::to_string(i) + "\r\n";
    return bytes;
}

} // namespace

// Opening files that the readers do not wholly understand.
class TestOpenFile : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void openTellsWhatIsNotKept_data();
    void openTellsWhatIsNotKept();
    void titlesShowModifiedAndMark();
    void firstSaveThatDropsLinesAsks_data();
    void firstSaveThatDropsLinesAsks();
    void saveAsAsksBeforeReplacingWithTheSuffix_data();
    void saveAsAsksBeforeReplacingWithTheSuffix();
    void windowMenuListsWindows();
    void droppedFilesOpenAsFileOpen_data();
    void droppedFilesOpenAsFileOpen();
    void namesNotUtf8OpenSaveAndReload_data();
    void namesNotUtf8OpenSaveAndReload();
    void stoppedSaveOffersTheBackup_data();
    void stoppedSaveOffersTheBackup();

private:
    QString write(const QString& name, const std::string& bytes) {
        const QString path = work_->filePath(name);
        if (const Status written = FileStore::writeAtomically(path.toStdString(), bytes);
            !written.ok)
            qFatal("%s", written.error.c_str());
        return path;
    }
    // Drags `data` over the middle of the window area and drops it there, as
    // the platform delivers a file manager's drag; false when the drag is
    // refused.
    bool dropOnWindowArea(const QMimeData& data);

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
    std::unique_ptr<QTemporaryDir> work_;
    // Windows open when each message was shown.
    QList<int> windowsAtMessage_;
    // The button Return would press in each message.
    QList<QMessageBox::StandardButton> defaults_;
    // Answers to the next messages, before the fixture's one answer.
    QList<QMessageBox::StandardButton> answers_;
};

void TestOpenFile::init() {
    fixture_ = std::make_unique<AppFixture>();
    ModalSeam::Hooks hooks = fixture_->answerAll();
    hooks.message = [this, record = hooks.message](const ModalSeam::Message& m) {
        windowsAtMessage_ << int(fixture_->frame().mdiArea()->subWindowList().size());
        defaults_ << m.defaultButton;
        const QMessageBox::StandardButton answer = record(m);
        return answers_.isEmpty() ? answer : answers_.takeFirst();
    };
    seam_ = std::make_unique<ModalSeam::Scope>(hooks);
    work_ = std::make_unique<QTemporaryDir>();
    windowsAtMessage_.clear();
    defaults_.clear();
    answers_.clear();
}

void TestOpenFile::cleanup() {
    fixture_->answer = QMessageBox::No;
    seam_.reset();
    fixture_.reset();
    work_.reset();
}

void TestOpenFile::openTellsWhatIsNotKept_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QString>("opensAs");      // kind of the opened document, empty: none
    QTest::addColumn<QStringList>("messages"); // %1 stands for the file's native path
    QTest::addColumn<QString>("status");       // on the status bar after the open
    const auto row = [](const char* name, const char* file, const std::string& bytes, bool yes,
                        const char* opensAs, QStringList messages, const char* status = "") {
        QTest::newRow(name) << QString::fromLatin1(file) << QByteArray::fromStdString(bytes) << yes
                            << QString::fromLatin1(opensAs) << messages
                            << QString::fromLatin1(status);
    };
    // Typos and comments are kept as written: only the surplus word is told.
    row("typos and comments", "typo.cfg",
        "VERSION 1.30\r\nMAXTHRAEDS 20\r\nFOO bar\r\n# my note\r\n  ; two\r\nUSER u x\r\n", false,
        "configuration",
        {"1 line of %1 will not be kept on save:\n"
         "line 6: USER u x (surplus argument)\n\n"
         "Saving the file will drop it."},
        "4 lines kept as written");
    row("only kept lines", "kept.cfg", unknownLines(12), false, "configuration", {},
        "12 lines kept as written");
    row("first ten shown", "many.cfg", unquotedExcludes(12), false, "configuration",
        {"12 lines of %1 will not be kept on save:\nline 3: EXCLUDE X0 (missing quotes)\n"
         "line 4: EXCLUDE X1 (missing quotes)\nline 5: EXCLUDE X2 (missing quotes)\n"
         "line 6: EXCLUDE X3 (missing quotes)\nline 7: EXCLUDE X4 (missing quotes)\n"
         "line 8: EXCLUDE X5 (missing quotes)\nline 9: EXCLUDE X6 (missing quotes)\n"
         "line 10: EXCLUDE X7 (missing quotes)\nline 11: EXCLUDE X8 (missing quotes)\n"
         "line 12: EXCLUDE X9 (missing quotes)\n... and 2 more.\n\n"
         "Saving the file will drop them."});
    row("one comment", "note.ini", "# mine\r\nlogsize 10\r\n", false, "task file", {},
        "1 line kept as written");
    row("one line", "typo.ini", "logsize 10 20\r\n", false, "task file",
        {"1 line of %1 will not be kept on save:\nline 1: logsize 10 20 (surplus argument)\n\n"
         "Saving the file will drop it."});
    row("one line dropped, two kept", "both.ini", "logsize 10 20\r\nBOGUS 1\r\n# mine\r\n", false,
        "task file",
        {"1 line of %1 will not be kept on save:\nline 1: logsize 10 20 (surplus argument)\n\n"
         "Saving the file will drop it."},
        "2 lines kept as written");
    row("empty file", "empty.cfg", "", false, "configuration", {});
    row("a file the editor saved", "saved.cfg", dataFile("rich-1.30.expected.cfg"), false,
        "configuration", {});
    row("random bytes", "junk.cfg", randomBytes(200000, 99), false, "", {});
    row("junk task file", "junk.ini", "\x01\x02\r\nMZ\x90\r\n", false, "",
        {"%1 does not look like a task file (none of its 2 lines was understood)."});
    row("junk task file of one line", "one.ini", "\x01\x02\r\n", false, "",
        {"%1 does not look like a task file (its one line was not understood)."});
    row("task file named .cfg, declined", "tasks.cfg", dataFile("tasks.ini"), false, "",
        {"%1 looks like a task file, not a configuration.\nOpen it as a task file?"});
    row("task file named .cfg, accepted", "tasks.cfg", dataFile("tasks.ini"), true, "task file",
        {"%1 looks like a task file, not a configuration.\nOpen it as a task file?"},
        "1 line kept as written");
    row("configuration named .ini, accepted", "sync.ini", dataFile("rich-1.30.expected.cfg"), true,
        "configuration",
        {"%1 looks like a configuration, not a task file.\nOpen it as a configuration?"});
}

void TestOpenFile::openTellsWhatIsNotKept() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, yes);
    QFETCH(QString, opensAs);
    QFETCH(QStringList, messages);
    QFETCH(QString, status);
    const QString path = write(name, bytes.toStdString());
    fixture_->answer = yes ? QMessageBox::Yes : QMessageBox::No;
    fixture_->frame().statusBar()->clearMessage();

    Document* document = fixture_->documents().openFile(path);
    QCOMPARE(fixture_->frame().statusBar()->currentMessage(), status);

    QCOMPARE(document != nullptr ? document->kindName() : QString(), opensAs);
    QCOMPARE(fixture_->frame().mdiArea()->subWindowList().size(), document != nullptr ? 1 : 0);
    if (name == QLatin1String("junk.cfg")) {
        QCOMPARE(fixture_->messages.size(), 1);
        QVERIFY(fixture_->messages[0].startsWith(
            QDir::toNativeSeparators(path) +
            QStringLiteral(" does not look like a configuration (none of its ")));
        return;
    }
    for (QString& m : messages)
        m.replace(QStringLiteral("%1"), QDir::toNativeSeparators(path));
    QCOMPARE(fixture_->messages, messages);
    // Everything is said before the window appears.
    QCOMPARE(windowsAtMessage_, QList<int>(messages.size(), 0));
    if (document != nullptr)
        QCOMPARE(fixture_->documents().activeFrame()->windowTitle().endsWith(
                     QStringLiteral(" [lines not kept]")),
                 !messages.isEmpty() && !messages.last().contains(QStringLiteral("Open it")));
}

void TestOpenFile::titlesShowModifiedAndMark() {
    const QString path = write(QStringLiteral("typo.ini"), "logsize 1 2\r\nfoo\r\n");
    Document* document = fixture_->documents().openFile(path);
    QVERIFY(document != nullptr);
    ChildFrame* child = fixture_->documents().activeFrame();
    CMainFrame& frame = fixture_->frame();
    QCOMPARE(child->windowTitle(), QStringLiteral("typo.ini[*] [lines not kept]"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Pallworth - typo.ini[*] [lines not kept]"));
    QVERIFY(!child->isWindowModified() && !frame.isWindowModified());

    document->setModifiedFlag(true);
    QVERIFY(child->isWindowModified());
    QVERIFY(frame.isWindowModified());

    // Ctrl+S writes the file; what was dropped is gone, and so is the mark.
    fixture_->answer = QMessageBox::Save;
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QVERIFY(!document->isModified());
    QVERIFY(!child->isWindowModified() && !frame.isWindowModified());
    QCOMPARE(child->windowTitle(), QStringLiteral("typo.ini[*]"));
    QCOMPARE(frame.windowTitle(), QStringLiteral("Pallworth - typo.ini[*]"));

    // A maximised window puts its name in brackets after the application's,
    // so the name stands once, whichever window is active.
    child->showMaximized();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Pallworth - [typo.ini[*]]"));
    Document* other = fixture_->documents().openFile(write(QStringLiteral("b.ini"), "logsize 2"));
    fixture_->documents().activeFrame()->showMaximized();
    other->setModifiedFlag(true);
    QCOMPARE(frame.windowTitle(), QStringLiteral("Pallworth - [b.ini[*]]"));
    QVERIFY(frame.isWindowModified());
    frame.mdiArea()->setActiveSubWindow(child);
    QCOMPARE(frame.windowTitle(), QStringLiteral("Pallworth - [typo.ini[*]]"));
    QVERIFY(!frame.isWindowModified());
    child->showNormal();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Pallworth - typo.ini[*]"));
}

void TestOpenFile::firstSaveThatDropsLinesAsks_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<int>("command"); // File menu command that saves
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<QString>("question"); // %1 stands for the file's native path
    QTest::addColumn<QString>("written");  // "same", "other" (the Save As name) or none
    const QString configuration = QStringLiteral("Saving drops 1 line of %1\n\n"
                                                 "line 10: EXCLUDE SYS:\\NOQUOTE (missing quotes)");
    const auto row = [&](const char* name, const char* file, const std::string& bytes, int command,
                         QMessageBox::StandardButton answer, const QString& question,
                         const char* written) {
        QTest::newRow(name) << QString::fromLatin1(file) << QByteArray::fromStdString(bytes)
                            << command << answer << question << QString::fromLatin1(written);
    };
    row("Ctrl+S, Save", "sync.cfg", kHandWritten, CommandIds::FileSave, QMessageBox::Save,
        configuration, "same");
    row("Ctrl+S, Save As", "sync.cfg", kHandWritten, CommandIds::FileSave, QMessageBox::SaveAll,
        configuration, "other");
    row("Ctrl+S, Cancel", "sync.cfg", kHandWritten, CommandIds::FileSave, QMessageBox::Cancel,
        configuration, "");
    row("Save As, Save", "sync.cfg", kHandWritten, CommandIds::FileSaveAs, QMessageBox::Save,
        configuration, "other");
    row("Save As, Cancel", "sync.cfg", kHandWritten, CommandIds::FileSaveAs, QMessageBox::Cancel,
        configuration, "");
    row("Close, Save", "sync.cfg", kHandWritten, CommandIds::FileClose, QMessageBox::Save,
        configuration, "same");
    row("Close, Cancel", "sync.cfg", kHandWritten, CommandIds::FileClose, QMessageBox::Cancel,
        configuration, "");
    const QString readsBack = QStringLiteral(
        "Saving writes 1 value of %1 in a form that reads back as something else:\n"
        "Package Sales \u203a Target Server(s), row 1: Target server \"SRV7\": Start \"TCP\" is "
        "a protocol word, so a save would make it the protocol");
    row("value that reads back otherwise, Save", "old.cfg", kOldWithProtocol, CommandIds::FileSave,
        QMessageBox::Save, readsBack, "same");
    row("value that reads back otherwise, Cancel", "old.cfg", kOldWithProtocol,
        CommandIds::FileSave, QMessageBox::Cancel, readsBack, "");
    row("task file, Ctrl+S, Save", "tasks.ini", dataFile("tasks.ini") + "task a b 1 0 1 extra\r\n",
        CommandIds::FileSave, QMessageBox::Save,
        QStringLiteral(
            "Saving drops 1 line of %1\n\nline 11: task a b 1 0 1 extra (surplus argument)"),
        "same");
}

void TestOpenFile::firstSaveThatDropsLinesAsks() {
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);
    QFETCH(int, command);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(QString, question);
    QFETCH(QString, written);
    const QString path = write(name, bytes.toStdString());
    const QString other = work_->filePath(QStringLiteral("other.") + QFileInfo(name).suffix());
    fixture_->fileName = other;
    Document* document = fixture_->documents().openFile(path);
    QVERIFY(document != nullptr);
    question = question.arg(QDir::toNativeSeparators(document->filePath()));
    CMainFrame& frame = fixture_->frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));
    // Closing asks to save only a changed document; Ctrl+S saves one unchanged.
    const bool closing = command == CommandIds::FileClose;
    document->setModifiedFlag(closing);
    answers_ = closing ? QList{QMessageBox::Yes, answer} : QList{answer};
    fixture_->messages.clear();
    defaults_.clear();

    if (command == CommandIds::FileSave)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    else
        frame.action(command)->trigger();

    QCOMPARE(fixture_->messages.size(), closing ? 2 : 1);
    QCOMPARE(fixture_->messages.last(), question);
    QCOMPARE(defaults_.last(), QMessageBox::Cancel);
    QCOMPARE(fileBytes(path) == bytes, written != QLatin1String("same"));
    QCOMPARE(QFileInfo::exists(other), written == QLatin1String("other"));
    if (!written.isEmpty()) {
        // What could not be kept is gone; the typo and the comments are kept.
        const QByteArray saved = fileBytes(written == QLatin1String("same") ? path : other);
        QVERIFY(!saved.contains("EXCLUDE SYS:\\NOQUOTE"));
        for (const char* kept : {"MAXTHRAEDS 30", "# Nightly mirror", "; until the new server"})
            QCOMPARE(saved.contains(kept), bytes.contains(kept));
    }
    QCOMPARE(fixture_->documents().documents().size(), closing && !written.isEmpty() ? 0 : 1);
    if (fixture_->documents().documents().isEmpty())
        return;

    // The next save asks again only when nothing was written.
    fixture_->messages.clear();
    fixture_->answer = QMessageBox::Cancel;
    answers_.clear();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(fixture_->messages, written.isEmpty() ? QStringList{question} : QStringList());
}

void TestOpenFile::saveAsAsksBeforeReplacingWithTheSuffix_data() {
    QTest::addColumn<QString>("typed"); // the name given in the dialog
    QTest::addColumn<bool>("exists");   // old.cfg is there before
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("replaced");
    QTest::newRow("new name") << "fresh" << false << QMessageBox::No << false << true;
    QTest::newRow("taken, No") << "old" << true << QMessageBox::No << true << false;
    QTest::newRow("taken, Yes") << "old" << true << QMessageBox::Yes << true << true;
    // The dialog itself asked about a name typed whole.
    QTest::newRow("typed whole") << "old.cfg" << true << QMessageBox::No << false << true;
}

void TestOpenFile::saveAsAsksBeforeReplacingWithTheSuffix() {
    QFETCH(QString, typed);
    QFETCH(bool, exists);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, asked);
    QFETCH(bool, replaced);
    const std::string saved = dataFile("rich-1.30.expected.cfg");
    const QString path = write(QStringLiteral("a.cfg"), saved);
    const QString target = work_->filePath(QFileInfo(typed).completeBaseName() + ".cfg");
    if (exists)
        write(QFileInfo(target).fileName(), "keep me\r\n");
    Document* document = fixture_->documents().openFile(path);
    QVERIFY(document != nullptr);
    fixture_->fileName = work_->filePath(typed);
    answers_ = {answer};
    fixture_->messages.clear();

    fixture_->frame().action(CommandIds::FileSaveAs)->trigger();

    const QString question = QStringLiteral("%1 already exists.\nDo you want to replace it?");
    QCOMPARE(fixture_->messages, asked ? QStringList{question.arg(target)} : QStringList{});
    QCOMPARE(fileBytes(target), QByteArray::fromStdString(replaced ? saved : "keep me\r\n"));
    QCOMPARE(document->filePath(), replaced ? target : path);
}

void TestOpenFile::windowMenuListsWindows() {
    const QString first = write(QStringLiteral("a.ini"), "logsize 1\r\n");
    const QString second = write(QStringLiteral("b.ini"), "logsize 2\r\n");
    Document* a = fixture_->documents().openFile(first);
    QVERIFY(fixture_->documents().openFile(second) != nullptr);
    a->setModifiedFlag(true);

    QMenu* window = fixture_->frame().menuBar()->findChild<QMenu*>(QStringLiteral("windowMenu"));
    QVERIFY(window != nullptr);
    emit window->aboutToShow();
    QStringList entries;
    for (QAction* action : window->actions())
        if (action->property("windowEntry").toBool() && !action->isSeparator())
            entries << action->text() +
                           (action->isChecked() ? QStringLiteral(" (active)") : QString());
    QCOMPARE(entries,
             (QStringList{QStringLiteral("&1 a.ini*"), QStringLiteral("&2 b.ini (active)")}));
    // Its number in the open menu brings a window to the front.
    window->popup(QPoint());
    QTest::keyClick(window, Qt::Key_1);
    QCOMPARE(fixture_->documents().activeDocument(), a);
}

void TestOpenFile::droppedFilesOpenAsFileOpen_data() {
    QTest::addColumn<QString>("openFirst");   // a window the drop lands on, maximised
    QTest::addColumn<QStringList>("dropped"); // names in the work folder, or web addresses
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("opened"); // titles of the windows after the drop
    QTest::addColumn<QStringList>("messages");
    const auto row = [](const char* name, const char* openFirst, QStringList dropped, bool accepted,
                        QStringList opened, QStringList messages) {
        QTest::newRow(name) << QString::fromLatin1(openFirst) << dropped << accepted << opened
                            << messages;
    };
    row("a task file", "", {"tasks.ini"}, true, {"tasks.ini"}, {});
    row("a configuration", "", {"sync.cfg"}, true, {"sync.cfg"}, {});
    row("both kinds at once", "", {"sync.cfg", "tasks.ini"}, true, {"sync.cfg", "tasks.ini"}, {});
    row("onto the list of an open file", "sync.cfg", {"tasks.ini"}, true, {"sync.cfg", "tasks.ini"},
        {});
    row("the same checks", "", {"tasks.cfg"}, true, {},
        {"%1/tasks.cfg looks like a task file, not a configuration.\nOpen it as a task file?"});
    row("a file that is gone", "", {"gone.ini"}, true, {},
        {"Cannot open \"%1/gone.ini\": No such file or directory"});
    row("a web address", "", {"https://host/sync.cfg"}, false, {}, {});
}

void TestOpenFile::droppedFilesOpenAsFileOpen() {
    QFETCH(QString, openFirst);
    QFETCH(QStringList, dropped);
    QFETCH(bool, accepted);
    QFETCH(QStringList, opened);
    QFETCH(QStringList, messages);
    write(QStringLiteral("tasks.ini"), "logsize 1\r\n");
    write(QStringLiteral("sync.cfg"), dataFile("rich-1.30.expected.cfg"));
    write(QStringLiteral("tasks.cfg"), dataFile("tasks.ini"));
    CMainFrame& frame = fixture_->frame();
    if (!openFirst.isEmpty()) {
        QVERIFY(fixture_->documents().openFile(work_->filePath(openFirst)) != nullptr);
        fixture_->documents().activeFrame()->showMaximized();
    }
    QList<QUrl> urls;
    for (const QString& name : dropped)
        urls << (name.contains(QLatin1Char(':')) ? QUrl(name)
                                                 : QUrl::fromLocalFile(work_->filePath(name)));
    QMimeData data;
    data.setUrls(urls);
    QCOMPARE(frame.mdiArea()->viewport()->childAt(frame.mdiArea()->viewport()->rect().center()) !=
                 nullptr,
             !openFirst.isEmpty());
    QCOMPARE(dropOnWindowArea(data), accepted);

    QStringList titles;
    for (QMdiSubWindow* window : frame.mdiArea()->subWindowList())
        titles << window->windowTitle().remove(QStringLiteral("[*]"));
    QCOMPARE(titles, opened);
    for (QString& m : messages)
        m.replace(QStringLiteral("%1"), QDir::toNativeSeparators(work_->path()));
    QCOMPARE(fixture_->messages, messages);
}

bool TestOpenFile::dropOnWindowArea(const QMimeData& data) {
    // The widget under the middle of the window area, as the platform picks it.
    QWidget* viewport = fixture_->frame().mdiArea()->viewport();
    const QPoint centre = viewport->rect().center();
    QWidget* target = viewport->childAt(centre);
    if (target == nullptr)
        target = viewport;
    const QPoint at = target->mapFrom(viewport, centre);
    // As a file manager's drag arrives: enter, then drop.
    QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton,
                          Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    QCoreApplication::processEvents();
    return drop.isAccepted();
}

void TestOpenFile::namesNotUtf8OpenSaveAndReload_data() {
    QTest::addColumn<QByteArray>("name"); // under the test's folder
    QTest::addColumn<QString>("title");
    // Whether a file replaced by another program is noticed before a save:
    // Qt's watcher takes UTF-8 names only, and a folder that is not UTF-8
    // leaves nothing to watch.
    QTest::addColumn<bool>("watched");
    QTest::newRow("byte 0xE9") << QByteArray("caf\xe9.cfg") << QStringLiteral("caf\\xE9.cfg")
                               << true;
    QTest::newRow("Cyrillic") << QByteArray("\xd0\x9e\xd1\x82\xd1\x87\xd1\x91\xd1\x82\xd1\x8b.cfg")
                              << QString::fromUtf8("\u041e\u0442\u0447\u0451\u0442\u044b.cfg")
                              << true;
    QTest::newRow("folder 0xE9") << QByteArray("d\xe9/sync.cfg") << QStringLiteral("sync.cfg")
                                 << false;
}

void TestOpenFile::namesNotUtf8OpenSaveAndReload() {
    QFETCH(QByteArray, name);
    QFETCH(QString, title);
    QFETCH(bool, watched);
    const std::string file =
        QFileInfo(work_->path()).canonicalFilePath().toStdString() + '/' + name.toStdString();
    const std::string folder = std::filesystem::path(file).parent_path().native();
    std::filesystem::create_directories(folder);
    QVERIFY(FileStore::writeAtomically(file, dataFile("rich-1.30.expected.cfg")).ok);
    CMainFrame& frame = fixture_->frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));

    // Dropped from a file manager, which percent-encodes the name's bytes.
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"),
                 "file://" + QByteArray::fromStdString(file).toPercentEncoding("/") + "\r\n");
    QVERIFY(dropOnWindowArea(data));
    QCOMPARE(fixture_->messages, QStringList());
    auto* doc = static_cast<CPallworthDoc*>(fixture_->documents().activeDocument());
    QVERIFY(doc != nullptr);
    QCOMPARE(LocalPath::toBytes(doc->filePath()), file);
    QCOMPARE(doc->title(), title);

    // Edited through the list, saved twice with Ctrl+S.
    auto* content = qobject_cast<CSplitterFrame*>(fixture_->documents().activeFrame()->widget());
    mousedriver::click(content->treeView(),
                       mousedriver::item(content->treeView(), QStringLiteral("Default settings")));
    QTreeWidgetItem* row = mousedriver::item(content->listView(), QStringLiteral("Max. threads"));
    QVERIFY(row != nullptr);
    mousedriver::click(content->listView(), row);
    fixture_->onDialog = AppFixture::typeAndOk(QStringLiteral("50"));
    QTest::keyClick(content->listView(), Qt::Key_Return);
    QCOMPARE(doc->model().global.maxThreads, "50");
    for (int save = 0; save < 2; ++save) {
        QTest::keyClick(&frame, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(fixture_->messages, QStringList());
        QVERIFY(!doc->isModified());
        QCOMPARE(bytesOf(file), QByteArray::fromStdString(doc->writeBytes()));
        // No twin under the name with U+FFFD, no temporary file left.
        QCOMPARE(namesIn(folder), QList<QByteArray>{name.mid(name.lastIndexOf('/') + 1)});
    }
    QVERIFY(bytesOf(file).contains("MAXTHREADS 50\r\n"));

    // Read again with F5, then replaced by another program as editors save.
    QTest::keyClick(&frame, Qt::Key_F5);
    doc = static_cast<CPallworthDoc*>(fixture_->documents().activeDocument());
    QCOMPARE(LocalPath::toBytes(doc->filePath()), file);
    QCOMPARE(doc->model().global.maxThreads, "50");
    fixture_->answer = QMessageBox::No;
    QTest::qWait(20);
    std::string other = bytesOf(file).toStdString();
    other.replace(other.find("MAXTHREADS 50"), 13, "MAXTHREADS 40");
    QVERIFY(FileStore::writeAtomically(file, other).ok);
    if (watched)
        QTRY_COMPARE(fixture_->messages,
                     QStringList{title + " was changed by another program.\nReload it?"});

    // Closed and opened again from the recent files.
    fixture_->messages.clear();
    QVERIFY(fixture_->documents().closeAll());
    QAction* recent = frame.action(CommandIds::FileMru1);
    QCOMPARE(recent->text(), "&1 " + LocalPath::displayName(LocalPath::fromBytes(file)));
    recent->trigger();
    QCOMPARE(fixture_->messages, QStringList());
    doc = static_cast<CPallworthDoc*>(fixture_->documents().activeDocument());
    QVERIFY(doc != nullptr);
    QCOMPARE(LocalPath::toBytes(doc->filePath()), file);
    QCOMPARE(doc->model().global.maxThreads, "40");
    QCOMPARE(QSettings().value(QStringLiteral("Recent File List/File1")).toByteArray(),
             QByteArray::fromStdString(file));
}

void TestOpenFile::stoppedSaveOffersTheBackup_data() {
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("opens");
    QTest::addColumn<bool>("restored");
    QTest::newRow("restore") << QByteArray("stopped.cfg") << QMessageBox::Yes << true << true;
    QTest::newRow("open as it is") << QByteArray("stopped.cfg") << QMessageBox::No << true << false;
    QTest::newRow("cancel") << QByteArray("stopped.cfg") << QMessageBox::Cancel << false << false;
    QTest::newRow("restore, name not UTF-8") << QByteArray("stopp\xe9"
                                                           "d.cfg")
                                             << QMessageBox::Yes << true << true;
}

void TestOpenFile::stoppedSaveOffersTheBackup() {
    QFETCH(QByteArray, name);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, opens);
    QFETCH(bool, restored);
    const std::string old = dataFile("rich-1.30.expected.cfg");
    const std::string file = work_->path().toStdString() + '/' + name.toStdString();
    const std::string twin = file + ".twin";
    QVERIFY(FileStore::writeAtomically(file, old).ok);
    QCOMPARE(::link(file.c_str(), twin.c_str()), 0);
    QVERIFY(saveKilledAt(file, dataFile("rich-1.10.expected.cfg"), FileStore::Stage::Writing, 1));
    const std::string backup = StoppedSave::find(file);
    QVERIFY(!backup.empty());
    const QByteArray mixed = bytesOf(file);
    struct stat backupState {};
    QCOMPARE(::stat(backup.c_str(), &backupState), 0);
    const QString time = QLocale().toString(QDateTime::fromSecsSinceEpoch(backupState.st_mtime),
                                            QLocale::ShortFormat);
    const QString path = LocalPath::fromBytes(file);
    fixture_->fileName = path;
    answers_ = {answer};
    CMainFrame& frame = fixture_->frame();
    frame.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame));

    QTest::keyClick(&frame, Qt::Key_O, Qt::ControlModifier);

    QCOMPARE(fixture_->messages.value(0),
             LocalPath::displayName(path) + " was being saved when the save was stopped; a " +
                 "backup from " + time + " is beside it. Restore the backup?");
    QCOMPARE(defaults_.value(0), QMessageBox::Yes);
    QCOMPARE(fixture_->documents().documents().size(), opens ? 1 : 0);
    QCOMPARE(bytesOf(file), restored ? QByteArray::fromStdString(old) : mixed);
    QCOMPARE(bytesOf(twin), bytesOf(file));
    QCOMPARE(std::filesystem::exists(backup), !restored);
}

QTEST_MAIN(TestOpenFile)
#include "tst_openfile.moc"
