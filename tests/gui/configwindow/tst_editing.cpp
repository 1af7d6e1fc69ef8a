#include "ConfigWindowAccess.h"
#include "TestSupport.h"
#include "gui/app/AppFixture.h"
#include "gui/app/MouseDriver.h"

#include "browse/PathBrowser.h"
#include "config/Scramble.h"
#include "configwindow/CPallworthDoc.h"
#include "configwindow/CPallworthTreeView.h"
#include "configwindow/CSplitterFrame.h"
#include "configwindow/CSyncView.h"
#include "framework/CommandIds.h"
#include "io/FileStore.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QMdiArea>
#include <QTimeEdit>
#include <QTreeWidget>

using namespace testsupport;
using namespace mousedriver;

namespace {

using Driver = std::function<int(QDialog&)>;

template <typename W> W* control(QDialog& d, int id) {
    W* w = d.findChild<W*>(QString::number(id));
    if (w == nullptr)
        qWarning("no control %d in %s", id, d.metaObject()->className());
    return w;
}

void setLine(QDialog& d, int id, const QString& text) {
    control<QLineEdit>(d, id)->setText(text);
}

void setCombo(QDialog& d, int id, const QString& text) {
    auto* combo = control<QComboBox>(d, id);
    const int index = combo->findText(text);
    if (index >= 0)
        combo->setCurrentIndex(index);
    else
        combo->setEditText(text);
}

void setCheck(QDialog& d, int id, bool on) {
    control<QAbstractButton>(d, id)->setChecked(on);
}

int pressOk(QDialog& d) {
    d.accept();
    return d.result();
}

// A driver that does `fill`, then presses OK.
Driver filling(std::function<void(QDialog&)> fill) {
    return [fill](QDialog& d) {
        fill(d);
        return pressOk(d);
    };
}

Driver cancelling() {
    return [](QDialog& d) {
        d.reject();
        return d.result();
    };
}

Driver typing(const QString& text) {
    return filling([text](QDialog& d) { setLine(d, 1006, text); });
}

Driver choosing(const QString& item) {
    return filling([item](QDialog& d) { setCombo(d, 1018, item); });
}

// Fills whichever dialog opens for a new entry or record.
Driver fillNew(const QString& name) {
    return filling([name](QDialog& d) {
        if (auto* server = d.findChild<QLineEdit*>(QStringLiteral("1019"))) {
            server->setText(name);
            setLine(d, 1020, QStringLiteral("VOL"));
        } else if (auto* source = d.findChild<QLineEdit*>(QStringLiteral("1024"))) {
            source->setText(QStringLiteral("SYS:") + name);
        } else {
            setLine(d, 1006, QStringLiteral("SYS:") + name);
        }
    });
}

} // namespace

class TestEditing : public QObject, private ConfigWindowAccess {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void emptySelectionOnlyMarksModified();
    void choiceRowsWriteGlobalOrPackage_data();
    void choiceRowsWriteGlobalOrPackage();
    void numberAndTextRows_data();
    void numberAndTextRows();
    void dialogRowsOfDefaultSettings();
    void dialogRowsOfAPackage();
    void nodeLevelEdits();
    void applicationRows();
    void cancelChangesNothing();
    void textThatWouldNotReadBackIsRefused();
    void insertDeleteInPackageLists_data();
    void insertDeleteInPackageLists();
    void groupListsInsertDeleteReorder();
    void dragReordersTargetsAndJobs();
    void insertIntoAFullListIsRefused();
    void editEverythingSaveReopen();
    void rightClicks_data();
    void rightClicks();
    void insertFromTheTreeAfterTheLastRow();
    void recordNames_data();
    void recordNames();
    void renameKeepsTheSelection();
    void drags_data();
    void drags();
    void undoRedoEveryChange();
    void undoFollowsInEveryWindow();
    void treeMenusActOnTheirNode_data();
    void treeMenusActOnTheirNode();
    void listMenuActsOnTheRowUnderTheMouse_data();
    void listMenuActsOnTheRowUnderTheMouse();
    void oneSelectedNodePerTree_data();
    void oneSelectedNodePerTree();
    void undoneDeletionBringsKeptLinesBack_data();
    void undoneDeletionBringsKeptLinesBack();

private:
    void openRich() { fixture_->openKnown(QString::fromStdString(dataPath("rich-1.30.cfg"))); }
    void show(QTreeWidgetItem* node) { tree()->setCurrentItem(node); }
    // "Archive/Exclude" names a package's child, anything else a node by its label.
    QTreeWidgetItem* nodeAt(const QString& path) const {
        const QStringList parts = path.split(QLatin1Char('/'));
        QTreeWidgetItem* found = item(tree(), parts[0]);
        for (int i = 0; found != nullptr && parts.size() > 1 && i < found->childCount(); ++i)
            if (found->child(i)->text(0) == parts[1])
                return found->child(i);
        return parts.size() > 1 ? nullptr : found;
    }
    // The names of the records and the sizes of the packages' lists.
    QStringList outline() const {
        QStringList lines;
        QStringList names;
        for (const ApplicationDesc& a : model().applications)
            names << QString::fromStdString(a.name);
        lines << QStringLiteral("Application descriptions: ") + names.join(QStringLiteral(", "));
        names.clear();
        for (const PackageDesc& p : model().packages) {
            names << QString::fromStdString(p.name);
            lines << QStringLiteral("%1: t%2 d%3 f%4 x%5")
                         .arg(names.last())
                         .arg(p.targets.count())
                         .arg(p.dirJobs.count())
                         .arg(p.fileJobs.count())
                         .arg(p.excludes.count());
        }
        lines << QStringLiteral("Package descriptions: ") + names.join(QStringLiteral(", "));
        return lines;
    }
    // The outline lines that a change brought.
    QStringList changedSince(const QStringList& before) const {
        QStringList lines = outline();
        lines.removeIf([&before](const QString& line) { return before.contains(line); });
        return lines;
    }
    CSplitterFrame* window(int index) const {
        return qobject_cast<CSplitterFrame*>(
            fixture_->documents().framesOf(*doc()).value(index)->widget());
    }
    void activate(int index) {
        QMdiSubWindow* frame = fixture_->documents().framesOf(*doc()).value(index);
        frame->mdiArea()->setActiveSubWindow(frame);
    }
    int rowOf(const QString& label) const {
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            if (list()->topLevelItem(r)->text(0) == label)
                return r;
        return -1;
    }
    QString cell(int row, int column) const { return list()->topLevelItem(row)->text(column); }
    // Selects a row and edits it with Enter, `driver` answering the dialog.
    void edit(int row, const Driver& driver) {
        fixture_->onDialog = driver;
        list()->setCurrentItem(list()->topLevelItem(row));
        QTest::keyClick(list(), Qt::Key_Return);
    }
    void editLabel(const QString& label, const Driver& driver) {
        const int row = rowOf(label);
        QVERIFY2(row >= 0, qPrintable(label));
        edit(row, driver);
    }

    QTreeWidgetItem* node(const char* label) const {
        return item(tree(), QString::fromLatin1(label));
    }
    void clickRow(int row) const { click(list(), list()->topLevelItem(row)); }
    std::string& nameOf(bool packages, int index) const {
        return packages ? model().packages.at(index).name : model().applications.at(index).name;
    }

    // Ctrl and a key, as the user types it into the active main window.
    void press(Qt::Key key, int times = 1) {
        fixture_->frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture_->frame()));
        for (int i = 0; i < times; ++i)
            QTest::keyClick(tree(), key, Qt::ControlModifier);
    }
};

void TestEditing::init() {
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
    openRich();
    tree()->expandAll();
}

void TestEditing::cleanup() {
    fixture_->answer = QMessageBox::No;
    seam_.reset();
    fixture_.reset();
}

void TestEditing::emptySelectionOnlyMarksModified() {
    show(tree()->defaultSettingsNode());
    list()->clearSelection();
    QVERIFY(!doc()->isModified());
    QTest::mouseDClick(list()->viewport(), Qt::LeftButton, {},
                       QPoint(10, list()->viewport()->height() - 5));
    QVERIFY(doc()->isModified());
    QCOMPARE(fixture_->dialogsRun, 0);
}

void TestEditing::choiceRowsWriteGlobalOrPackage_data() {
    QTest::addColumn<bool>("inPackage");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("choice");
    // Every choice differs from what the file holds, so an edit that lands
    // nowhere is caught.
    const auto row = [](bool pkg, const char* label, const char* choice, const char*) {
        QTest::newRow((std::string(pkg ? "package " : "global ") + label).c_str())
            << pkg << QString::fromLatin1(label) << QString::fromLatin1(choice);
    };
    row(false, "Transfer IRMs (Inherited Rights Mask)", "NO", "transferIrm");
    row(false, "Transfer file owner", "YES", "transferOwner");
    row(false, "Transfer file system rights", "NO", "transferTrustee");
    row(false, "Protect read-only files", "YES", "skipReadOnly");
    row(false, "Transfer file system attributes", "NO", "transferAttrs");
    row(false, "Namespace", "DOS", "nameSpace");
    row(false, "Sync mode", "OVERWRITE", "syncMode");
    row(false, "Display type", "THREAD", "display");
    row(false, "Debug", "NO", "debug");
    row(true, "Sync mode", "REPLACE", "syncMode");
    row(true, "Transfer IRMs (Inherited Rights Mask)", "YES", "transferIrm");
    row(true, "Transfer file owner", "NO", "transferOwner");
    row(true, "Transfer file system rights", "YES", "transferTrustee");
    row(true, "Protect read-only files", "NO", "skipReadOnly");
    row(true, "Scan directories in advance", "NO", "preStat");
    row(true, "Transport protocol", "UDP", "protocol");
    row(true, "Transfer file system attributes", "NO", "transferAttrs");
    row(true, "Log files based on ...", "THREAD", "logMethod");
}

void TestEditing::choiceRowsWriteGlobalOrPackage() {
    QFETCH(bool, inPackage);
    QFETCH(QString, label);
    QFETCH(QString, choice);
    show(inPackage ? packageChild(1, "Settings") : tree()->defaultSettingsNode());
    const ConfigModel before = model();
    editLabel(label, choosing(choice));
    QCOMPARE(cell(rowOf(label), 1), choice);
    // The edit lands in the package under "Settings", in the globals under
    // "Default settings", and nowhere else.
    QVERIFY(inPackage ? !(model().packages.at(1) == before.packages.at(1))
                      : !(model().global == before.global));
    if (inPackage) {
        QVERIFY(model().global == before.global);
        QVERIFY(model().packages.at(2) == before.packages.at(2));
    } else {
        QVERIFY(model().packages.at(1) == before.packages.at(1));
    }
    // A rebuild shows what the model holds.
    show(tree()->applicationsNode());
    show(inPackage ? packageChild(1, "Settings") : tree()->defaultSettingsNode());
    QCOMPARE(cell(rowOf(label), 1), choice);
}

void TestEditing::numberAndTextRows_data() {
    QTest::addColumn<bool>("inPackage");
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    // Typed first and refused: a number just outside the range.
    QTest::addColumn<QString>("refused");
    const auto row = [](bool pkg, const char* node, const char* label, const char* typed,
                        const char* shown, const char* refused = "") {
        QTest::addRow("%s %s", label, typed) << pkg << node << label << typed << shown << refused;
    };
    for (const bool low : {true, false}) { // both limits of every range
        row(false, "", "Failed job retry interval", low ? "60" : " 14400", low ? "60" : "14400",
            low ? "59" : "14401");
        row(false, "", "Max. threads", low ? "1" : "100", low ? "1" : "100", low ? "0" : "101");
        row(false, "", "Number of times a failed job can be retried", low ? "0" : "1440",
            low ? "0" : "1440", low ? "-1" : "1441");
        row(false, "", "Log size limit", low ? "32" : "32768", low ? "32" : "32768",
            low ? "31" : "32769");
        row(false, "", "Debug log size limit", low ? "+32" : "32768", low ? "32" : "32768",
            low ? "31" : "32769");
    }
    row(false, "", "Username", "new.admin", "new.admin");
    row(true, "Source Server", "Source Server", "fs-new", "FS-NEW");
    row(true, "Messages", "Start Message", "Going down, save now", "Going down, save now");
    row(true, "Messages", "End Message", "", "");
    row(true, "Messages", "Error Message", "Failed!", "Failed!");
    row(true, "Messages", "Suspend Message", "Later", "Later");
}

void TestEditing::numberAndTextRows() {
    QFETCH(bool, inPackage);
    QFETCH(QString, node);
    QFETCH(QString, label);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(QString, refused);
    show(inPackage ? packageChild(1, node.toLatin1().constData()) : tree()->defaultSettingsNode());
    QString caption;
    editLabel(label, [&](QDialog& d) {
        caption = d.windowTitle(); // it names the range
        if (!refused.isEmpty() && typing(refused)(d) == QDialog::Accepted)
            return int(QDialog::Accepted);
        return typing(typed)(d);
    });
    QCOMPARE(caption, label);
    QCOMPARE(fixture_->messages.size(), refused.isEmpty() ? 0 : 1);
    if (!refused.isEmpty())
        QVERIFY(fixture_->messages[0].startsWith(QStringLiteral("Invalid interval!")));
    QCOMPARE(cell(rowOf(label), 1), shown);
    show(tree()->applicationsNode());
    show(inPackage ? packageChild(1, node.toLatin1().constData()) : tree()->defaultSettingsNode());
    QCOMPARE(cell(rowOf(label), 1), shown); // the model holds it
}

void TestEditing::dialogRowsOfDefaultSettings() {
    show(tree()->defaultSettingsNode());
    editLabel(QStringLiteral("Password"), filling([](QDialog& d) {
                  setLine(d, 1006, QStringLiteral("s3cret"));
                  setLine(d, 1007, QStringLiteral("s3cret"));
              }));
    QCOMPARE(cell(rowOf(QStringLiteral("Password")), 1), QStringLiteral("******"));
    QCOMPARE(model().password, Scramble("s3cret"));
    QCOMPARE(model().global.passwordMask, std::string("****"));

    editLabel(QStringLiteral("Log directory"), typing(QStringLiteral("SYS:\\NEWLOGS")));
    QCOMPARE(model().global.logDir, std::string("SYS:\\NEWLOGS\\"));
    QCOMPARE(cell(rowOf(QStringLiteral("Log directory")), 1), QStringLiteral("SYS:\\NEWLOGS\\"));

    editLabel(QStringLiteral("Log event types"), filling([](QDialog& d) {
                  setCheck(d, 1003, false);
                  setCheck(d, 1004, true);
                  setCheck(d, 1005, false);
                  setCheck(d, 1007, true);
              }));
    QCOMPARE(model().global.logEvent, std::string("IDENTICAL DELETED "));
    QCOMPARE(model().packages.at(1).logEvent, std::string("COPIED IDENTICAL "));

    editLabel(QStringLiteral("Time restriction"),
              filling([](QDialog& d) { setCheck(d, 1028, false); }));
    QCOMPARE(model().global.jobWindow, std::string("DISABLED"));
    QCOMPARE(cell(rowOf(QStringLiteral("Time restriction")), 1), QStringLiteral("DISABLED"));
    editLabel(QStringLiteral("Time restriction"),
              filling([](QDialog& d) { setCheck(d, 1028, true); }));
    QCOMPARE(model().global.jobWindow, std::string("ENABLE"));
    QCOMPARE(cell(rowOf(QStringLiteral("Time restriction")), 1), QStringLiteral("22:00-06:00"));
    QCOMPARE(model().global.startJob, std::string("22:00"));

    // A label without a dialog opens nothing.
    const int before = fixture_->dialogsRun;
    editLabel(QStringLiteral("Version"), cancelling());
    QCOMPARE(fixture_->dialogsRun, before);
}

void TestEditing::dialogRowsOfAPackage() {
    show(packageChild(1, "Schedule"));
    editLabel(QStringLiteral("Schedule"), filling([](QDialog& d) {
                  setCheck(d, 1044, true);
                  setCombo(d, 1045, QStringLiteral("6"));
              }));
    QCOMPARE(model().packages.at(1).scheduleWhen, std::string("6"));
    QCOMPARE(cell(0, 1), QStringLiteral("every 6 hours"));
    editLabel(QStringLiteral("Schedule"), filling([](QDialog& d) {
                  setCheck(d, 1043, true);
                  control<QTimeEdit>(d, 1042)->setTime(QTime(7, 5));
              }));
    QCOMPARE(model().packages.at(1).scheduleWhen, std::string("07:05"));
    QCOMPARE(cell(0, 1), QStringLiteral("daily at 07:05"));
    editLabel(QStringLiteral("Days to run"), filling([](QDialog& d) {
                  for (int id : {1030, 1021, 1025, 1026, 1027, 1028, 1029})
                      setCheck(d, id, id == 1021 || id == 1026);
              }));
    QCOMPARE(model().packages.at(1).scheduleDays, std::string("MON WED "));

    show(packageChild(1, "Settings"));
    editLabel(QStringLiteral("Log event types"), filling([](QDialog& d) {
                  for (int id : {1003, 1004, 1005, 1007})
                      setCheck(d, id, id == 1005);
              }));
    QCOMPARE(model().packages.at(1).logEvent, std::string("SKIPPED "));
    QCOMPARE(model().global.logEvent, std::string("COPIED SKIPPED DELETED "));

    editLabel(QStringLiteral("NCF to execute after"), filling([](QDialog& d) {
                  setLine(d, 1033, QStringLiteral("SYS:\\A\\POST.NCF"));
                  setLine(d, 1034, QString());
              }));
    QCOMPARE(model().packages.at(1).postNcfSrc, std::string("SYS:\\A\\POST.NCF"));
    QCOMPARE(model().packages.at(1).postNcfDst, std::string());
    QCOMPARE(cell(rowOf(QStringLiteral("NCF to execute after")), 1),
             QStringLiteral("Source: POST.NCF"));

    editLabel(QStringLiteral("Open file handling method"), filling([](QDialog& d) {
                  setCombo(d, 1041, QStringLiteral("CLEAR"));
                  setLine(d, 1040, QStringLiteral("30"));
              }));
    QCOMPARE(model().packages.at(1).ofHandler, std::string("CLEAR"));
    QCOMPARE(model().packages.at(1).ofHandlerDelay, 30);
    QCOMPARE(cell(rowOf(QStringLiteral("Open file handling method")), 1),
             QStringLiteral("CLEAR 30"));
}

void TestEditing::nodeLevelEdits() {
    show(packageChild(1, "Target Server(s)"));
    edit(1, filling([](QDialog& d) {
             setLine(d, 1019, QStringLiteral("fs9"));
             setLine(d, 1020, QStringLiteral("DATA2"));
             setCombo(d, 1014, QStringLiteral("IPX"));
             setLine(d, 1029, QStringLiteral("0"));
             setCheck(d, 1021, true);
             setCheck(d, 1047, true);
         }));
    const TargetServer& t = model().packages.at(1).targets.at(2);
    QCOMPARE(t.server(), std::string_view("FS9"));
    QCOMPARE(t.volume(), std::string_view("DATA2"));
    QCOMPARE(t.protocol(), std::string_view("IPX"));
    QCOMPARE(t.bandwidth(), std::string_view("0"));
    QCOMPARE(t.msg(), std::string_view("ON"));
    QCOMPARE(t.schedule(), std::string_view());
    QCOMPARE(cell(1, 0), QStringLiteral("FS9"));
    QCOMPARE(cell(1, 4), QStringLiteral("daily at 08:00")); // the package's schedule

    show(packageChild(1, "Directories"));
    qint64 browseIcon = 0;
    edit(0, filling([&browseIcon](QDialog& d) {
             browseIcon = control<QAbstractButton>(d, 1022)->icon().cacheKey();
             setLine(d, 1024, QStringLiteral("SYS:\\NEW SRC"));
             setLine(d, 1026, QStringLiteral("VOL1:\\NEW"));
             setCombo(d, 1016, QStringLiteral("NEW"));
             setCheck(d, 1018, false);
         }));
    // The window hands its dialogs the application's browser.
    QCOMPARE(browseIcon, fixture_->app->browser().icon().cacheKey());
    const SyncJob& job = model().packages.at(1).dirJobs.at(1);
    QCOMPARE(job.sourcePath(), std::string_view("SYS:\\NEW SRC"));
    QCOMPARE(job.transferMode(), std::string_view("NEW"));
    QCOMPARE(job.deletions(), std::string_view("NODEL"));
    QCOMPARE(cell(0, 3), QStringLiteral("NODEL"));

    show(packageChild(1, "Files"));
    edit(0, filling([](QDialog& d) { setCheck(d, 1018, true); }));
    QCOMPARE(model().packages.at(1).fileJobs.at(1).deletions(), std::string_view("DEL"));
    QCOMPARE(model().packages.at(1).fileJobs.at(1).sourcePath(),
             std::string_view("SYS:\\DATA\\INDEX.DAT"));

    show(packageChild(1, "Exclude"));
    edit(1, typing(QStringLiteral("SYS:\\OTHER")));
    QCOMPARE(model().packages.at(1).excludes.at(2), std::string("SYS:\\OTHER"));
    QCOMPARE(model().packages.at(1).excludes.at(1), std::string("SYS:\\DATA\\TEMP"));

    show(tree()->packagesNode());
    edit(1, typing(QStringLiteral("Archive 2")));
    QCOMPARE(model().packages.at(2).name, std::string("Archive 2"));
    QCOMPARE(tree()->packagesNode()->child(1)->text(0), QStringLiteral("Archive 2"));
    QCOMPARE(tree()->packagesNode()->text(0), QStringLiteral("Package descriptions"));
}

void TestEditing::applicationRows() {
    // Two applications with the same name: the row edited is the one renamed.
    model().applications.at(1).name = "Bare";
    show(tree()->applicationsNode());
    edit(1, typing(QStringLiteral("Second")));
    QCOMPARE(model().applications.at(1).name, std::string("Bare"));
    QCOMPARE(model().applications.at(2).name, std::string("Second"));
    QCOMPARE(tree()->applicationsNode()->child(1)->text(0), QStringLiteral("Second"));

    show(tree()->applicationsNode()->child(0));
    editLabel(QStringLiteral("Server"), typing(QStringLiteral("fs-apps")));
    QCOMPARE(model().applications.at(1).appServer, std::string("FS-APPS"));
    editLabel(QStringLiteral("Destination servers"), typing(QStringLiteral("fs1 fs2")));
    QCOMPARE(model().applications.at(1).dstServers, std::string("FS1 FS2"));
    editLabel(QStringLiteral("Path"), typing(QStringLiteral("APPS:\\NEW.EXE")));
    QCOMPARE(model().applications.at(1).appPath, std::string("APPS:\\NEW.EXE"));
    editLabel(QStringLiteral("Destination packages"), filling([](QDialog& d) {
                  auto* packages = control<QTreeWidget>(d, 1024);
                  for (int i = 0; i < packages->topLevelItemCount(); ++i) {
                      QTreeWidgetItem* item = packages->topLevelItem(i);
                      item->setCheckState(0, item->text(0) == QStringLiteral("Archive")
                                                 ? Qt::Checked
                                                 : Qt::Unchecked);
                  }
              }));
    QCOMPARE(model().applications.at(1).dstPackages, std::string("Archive "));
    QCOMPARE(cell(rowOf(QStringLiteral("Destination packages")), 1), QStringLiteral("Archive "));
}

void TestEditing::cancelChangesNothing() {
    const ConfigModel before = model();
    QList<QTreeWidgetItem*> nodes = {tree()->defaultSettingsNode(), tree()->applicationsNode(),
                                     tree()->applicationsNode()->child(0), tree()->packagesNode()};
    for (const QString& child : CPallworthTreeView::packageChildren())
        nodes << packageChild(1, child.toLatin1().constData());
    for (QTreeWidgetItem* node : nodes) {
        show(node);
        for (int r = 0; r < list()->topLevelItemCount(); ++r) {
            const QString text = cell(r, list()->columnCount() - 1);
            edit(r, cancelling());
            QCOMPARE(cell(r, list()->columnCount() - 1), text);
        }
    }
    QVERIFY(model() == before);
    QVERIFY(fixture_->dialogsRun > 40);
    QVERIFY(doc()->isModified());
    QCOMPARE(doc()->undoStack().count(), 0);
}

void TestEditing::textThatWouldNotReadBackIsRefused() {
    show(tree()->defaultSettingsNode());
    bool retried = false;
    editLabel(QStringLiteral("Username"), [&](QDialog& d) {
        setLine(d, 1006, QStringLiteral("two words"));
        if (pressOk(d) == QDialog::Accepted)
            return int(QDialog::Accepted);
        retried = true;
        setLine(d, 1006, QStringLiteral("oneword"));
        return pressOk(d);
    });
    QVERIFY(retried);
    QCOMPARE(fixture_->messages.value(0),
             QStringLiteral("The value must be one word, without blanks, commas or tabs."));
    QCOMPARE(model().global.user, std::string("oneword"));

    show(packageChild(1, "Messages"));
    fixture_->messages.clear();
    editLabel(QStringLiteral("Start Message"), [&](QDialog& d) {
        setLine(d, 1006, QStringLiteral("say \"hi\""));
        pressOk(d);
        return d.result() == QDialog::Accepted ? int(QDialog::Accepted) : int(QDialog::Rejected);
    });
    QCOMPARE(fixture_->messages.value(0),
             QStringLiteral("The value must not contain a double quote (\")."));
    QCOMPARE(model().packages.at(1).preMsg,
             std::string("Sync starts in 5 minutes, please save your work"));
    // Only the user name the dialog took is a change.
    QCOMPARE(doc()->undoStack().count(), 1);
}

void TestEditing::insertDeleteInPackageLists_data() {
    QTest::addColumn<QString>("node");
    QTest::newRow("targets") << QStringLiteral("Target Server(s)");
    QTest::newRow("directories") << QStringLiteral("Directories");
    QTest::newRow("files") << QStringLiteral("Files");
    QTest::newRow("excludes") << QStringLiteral("Exclude");
}

void TestEditing::insertDeleteInPackageLists() {
    QFETCH(QString, node);
    QTreeWidgetItem* item = packageChild(1, node.toLatin1().constData());
    show(item);
    const int n = list()->topLevelItemCount();
    list()->clearSelection();
    fixture_->onDialog = fillNew(QStringLiteral("LAST"));
    list()->InsertEntry();
    QCOMPARE(list()->topLevelItemCount(), n + 1);
    QVERIFY(cell(n, 0).endsWith(QStringLiteral("LAST")));

    list()->setCurrentItem(list()->topLevelItem(0));
    fixture_->onDialog = fillNew(QStringLiteral("SECOND"));
    list()->InsertEntry();
    QVERIFY(cell(1, 0).endsWith(QStringLiteral("SECOND")));
    // Rows and entries agree after a rebuild.
    QStringList rows;
    for (int r = 0; r < list()->topLevelItemCount(); ++r)
        rows << cell(r, 0);
    show(tree()->defaultSettingsNode());
    show(item);
    QStringList rebuilt;
    for (int r = 0; r < list()->topLevelItemCount(); ++r)
        rebuilt << cell(r, 0);
    QCOMPARE(rebuilt, rows);

    // Delete the second entry, then all the others.
    list()->setCurrentItem(list()->topLevelItem(1));
    list()->DeleteEntry();
    QCOMPARE(list()->topLevelItemCount(), n + 1);
    QVERIFY(!cell(1, 0).endsWith(QStringLiteral("SECOND")));
    while (list()->topLevelItemCount() > 0) {
        list()->setCurrentItem(list()->topLevelItem(0));
        list()->DeleteEntry();
    }
    const PackageDesc& p = model().packages.at(1);
    const int left = node == QLatin1String("Target Server(s)") ? p.targets.count()
                     : node == QLatin1String("Directories")    ? p.dirJobs.count()
                     : node == QLatin1String("Files")          ? p.fileJobs.count()
                                                               : p.excludes.count();
    QCOMPARE(left, 0);
    QCOMPARE(model().packages.at(2).targets.count(), 1); // the other package is untouched
}

void TestEditing::groupListsInsertDeleteReorder() {
    show(tree()->packagesNode());
    fixture_->onDialog = typing(QStringLiteral("Third"));
    list()->InsertEntry();
    QCOMPARE(model().packages.count(), 3);
    QCOMPARE(tree()->packagesNode()->childCount(), 3);
    show(tree()->packagesNode());
    QCOMPARE(list()->topLevelItemCount(), 3);

    // Drag the last package onto the first: it moves to the start.
    list()->MoveEntry(2, 0);
    QCOMPARE(model().packages.at(1).name, std::string("Third"));
    QCOMPARE(model().packages.at(2).name, std::string("Sales Servers"));
    QCOMPARE(cell(0, 0), QStringLiteral("Third"));
    // The tree follows, and its nodes still find their records.
    QCOMPARE(tree()->packagesNode()->child(0)->text(0), QStringLiteral("Third"));
    show(tree()->packagesNode()->child(1)->child(2));
    QCOMPARE(cell(0, 1), QStringLiteral("SRV-MAIN"));

    show(tree()->packagesNode());
    list()->setCurrentItem(list()->topLevelItem(0));
    list()->DeleteEntry();
    QCOMPARE(model().packages.count(), 2);
    QCOMPARE(tree()->packagesNode()->childCount(), 2);
    QCOMPARE(tree()->currentItem(), tree()->packagesNode());
    QCOMPARE(list()->topLevelItemCount(), 2);

    show(tree()->applicationsNode());
    list()->setCurrentItem(list()->topLevelItem(1));
    list()->DeleteEntry();
    QCOMPARE(model().applications.count(), 1);
    QCOMPARE(tree()->applicationsNode()->childCount(), 1);
    // Dropping a row on itself changes nothing but marks the document.
    doc()->setModifiedFlag(false);
    const ConfigModel before = model();
    list()->MoveEntry(0, 0);
    QVERIFY(model() == before);
    QVERIFY(doc()->isModified());
}

void TestEditing::dragReordersTargetsAndJobs() {
    show(packageChild(1, "Target Server(s)"));
    // A real drag with the mouse: the last row onto the first.
    QWidget* viewport = list()->viewport();
    const QPoint from = list()->visualItemRect(list()->topLevelItem(3)).center();
    const QPoint to = list()->visualItemRect(list()->topLevelItem(0)).center();
    QTest::mousePress(viewport, Qt::LeftButton, {}, from);
    QMouseEvent move(QEvent::MouseMove, QPointF(from + QPoint(0, -20)),
                     viewport->mapToGlobal(QPointF(from)), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(viewport, &move);
    QVERIFY(list()->dragging());
    QMouseEvent over(QEvent::MouseMove, QPointF(to), viewport->mapToGlobal(QPointF(to)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &over);
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
    QVERIFY(!list()->dragging());
    const PackageDesc& p = model().packages.at(1);
    QCOMPARE(p.targets.at(1).server(), std::string_view("SRV-B4"));
    QCOMPARE(p.targets.at(2).server(), std::string_view("SRV-B1"));
    QCOMPARE(cell(0, 0), QStringLiteral("SRV-B4"));

    // Downwards: the first directory job to the end.
    show(packageChild(1, "Directories"));
    list()->MoveEntry(0, 99);
    QCOMPARE(p.dirJobs.at(2).sourcePath(), std::string_view("SYS:\\DATA\\SALES REPORTS"));
    QCOMPARE(cell(1, 0), QStringLiteral("SYS:\\DATA\\SALES REPORTS"));

    // Excludes and property lists cannot be dragged.
    show(packageChild(1, "Exclude"));
    const ConfigModel before = model();
    list()->MoveEntry(1, 0);
    QVERIFY(model() == before);
    show(tree()->defaultSettingsNode());
    list()->MoveEntry(1, 0);
    QCOMPARE(cell(0, 0), QStringLiteral("Version"));
}

void TestEditing::insertIntoAFullListIsRefused() {
    PackageDesc& p = model().packages.at(2);
    while (!p.excludes.full())
        p.excludes.append("SYS:X");
    show(packageChild(2, "Exclude"));
    const int dialogs = fixture_->dialogsRun;
    list()->InsertEntry();
    QCOMPARE(fixture_->dialogsRun, dialogs);
    QCOMPARE(p.excludes.count(), 999);
    QCOMPARE(fixture_->messages.size(), 1);
    QVERIFY(fixture_->messages[0].contains(QStringLiteral("999")));
}

void TestEditing::editEverythingSaveReopen() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("edited.cfg"));
    show(tree()->defaultSettingsNode());
    editLabel(QStringLiteral("Max. threads"), typing(QStringLiteral("42")));
    editLabel(QStringLiteral("Sync mode"), choosing(QStringLiteral("OVERWRITE")));
    editLabel(QStringLiteral("Username"), typing(QStringLiteral("ops")));
    show(packageChild(2, "Source Server"));
    editLabel(QStringLiteral("Source Server"), typing(QStringLiteral("fs-arch2")));
    show(packageChild(2, "Exclude"));
    fixture_->onDialog = typing(QStringLiteral("SYS:\\SKIP ME"));
    list()->InsertEntry();
    show(packageChild(1, "Target Server(s)"));
    list()->MoveEntry(0, 3);
    list()->setCurrentItem(list()->topLevelItem(0));
    list()->DeleteEntry();
    show(packageChild(1, "Messages"));
    editLabel(QStringLiteral("Error Message"), typing(QStringLiteral("Sync failed")));
    const ConfigModel edited = model();

    fixture_->fileName = path;
    fixture_->frame().action(CommandIds::FileSaveAs)->trigger();
    QCOMPARE(fixture_->messages, QStringList());
    QVERIFY(fixture_->documents().closeDocument(*doc()));
    fixture_->openKnown(path);
    const ConfigModel& back = model();
    QCOMPARE(back.global.maxThreads, std::string("42"));
    QCOMPARE(back.global.syncMode, std::string("OVERWRITE"));
    QCOMPARE(back.global.user, std::string("ops"));
    QCOMPARE(back.packages.at(2).source, std::string("FS-ARCH2"));
    QCOMPARE(back.packages.at(2).excludes.at(1), std::string("SYS:\\SKIP ME"));
    QCOMPARE(back.packages.at(1).targets.count(), 3);
    QCOMPARE(back.packages.at(1).targets.at(3).server(), std::string_view("SRV-B1"));
    QCOMPARE(back.packages.at(1).targets.at(1).server(), std::string_view("SRV-B3"));
    QCOMPARE(back.packages.at(1).errorMsg, std::string("Sync failed"));
    QCOMPARE(back.packages.at(1).targets.at(3).schedule(),
             edited.packages.at(1).targets.at(3).schedule());
}

void TestEditing::rightClicks_data() {
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("treeMenu");
    QTest::addColumn<bool>("listMenu");
    const auto row = [](const char* node, const char* treeMenu, bool listMenu) {
        QTest::newRow(*node ? node : "below the nodes") << node << treeMenu << listMenu;
    };
    row("", "", false);
    row("Default settings", "", false);
    row("Application descriptions", "163", true);
    row("Office Suite", "147", false);
    row("Package descriptions", "163", true);
    row("Archive", "147", false);
    for (const char* child : {"Settings", "Schedule", "Source Server", "Messages"})
        row(child, "", false);
    for (const char* child : {"Target Server(s)", "Directories", "Files", "Exclude"})
        row(child, "163", true);
}

// A right click opens the menu of the node or list under the mouse and
// leaves the selection alone, so the list's Delete removes the selected row.
void TestEditing::rightClicks() {
    QFETCH(QString, node);
    QFETCH(QString, treeMenu);
    QFETCH(bool, listMenu);
    click(tree(), tree()->defaultSettingsNode());
    const QStringList settings = column0(list());
    QTreeWidgetItem* target = item(tree(), node);
    const QTreeWidgetItem* last = tree()->packagesNode()->child(1)->child(7);
    QCOMPARE(rightClick(tree(), target ? at(tree(), target) : below(tree(), last)).name, treeMenu);
    QCOMPARE(tree()->currentNode(), target);
    QCOMPARE(tree()->selectedItems(), QList<QTreeWidgetItem*>{tree()->defaultSettingsNode()});
    QCOMPARE(column0(list()), settings);
    if (target != nullptr)
        click(tree(), target);
    if (target == nullptr || list()->topLevelItemCount() == 0)
        return;
    clickRow(0);
    const QStringList rows = column0(list());
    // Below the rows, where a left press would clear the selection.
    const QPoint pos = below(list(), list()->topLevelItem(rows.size() - 1));
    const Popup popup = rightClick(list(), pos, QStringLiteral("delete"));
    // Messages and command files have the clipboard's commands alone.
    const QStringList clip{QStringLiteral("cut"), QStringLiteral("copy"), QStringLiteral("paste")};
    const bool ownRows = node == QLatin1String("Settings") || node == QLatin1String("Messages");
    QCOMPARE(popup.name, listMenu || ownRows ? QStringLiteral("159") : QString());
    // Insert and Delete, then the clipboard's commands; Duplicate for records.
    QStringList commands{
        QStringLiteral("insert"), QStringLiteral("delete"), QString(),
        QStringLiteral("cut"),    QStringLiteral("copy"),   QStringLiteral("paste")};
    if (node.endsWith(QLatin1String("descriptions")))
        commands << QStringLiteral("duplicate");
    QCOMPARE(popup.commands, listMenu ? commands : ownRows ? clip : QStringList());
    QCOMPARE(column0(list()), listMenu ? rows.mid(1) : rows);
    if (!listMenu)
        QCOMPARE(list()->selectedRow(), 0);
}

void TestEditing::insertFromTheTreeAfterTheLastRow() {
    QTreeWidgetItem* exclude = node("Exclude");
    click(tree(), exclude);
    const int n = list()->topLevelItemCount();
    clickRow(n - 1);
    QString caption;
    fixture_->onDialog = [&caption](QDialog& d) {
        caption = d.windowTitle();
        return typing(QStringLiteral("SYS:\\LAST"))(d);
    };
    rightClick(tree(), at(tree(), exclude), QStringLiteral("insert"));
    QCOMPARE(caption, QStringLiteral("Exclude"));
    QCOMPARE(column0(list()).value(n), QStringLiteral("SYS:\\LAST"));
    QCOMPARE(model().packages.at(1).excludes.at(n + 1), std::string("SYS:\\LAST"));
}

void TestEditing::recordNames_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("packages");
    QTest::addColumn<bool>("full");
    for (const bool full : {false, true}) {
        const char* kind = full ? "full" : "blanks";
        QTest::addRow("%s, new application", kind) << "newApplication" << false << full;
        QTest::addRow("%s, new package", kind) << "newPackage" << true << full;
        QTest::addRow("%s, applications", kind) << "Application descriptions" << false << full;
        QTest::addRow("%s, packages", kind) << "Package descriptions" << true << full;
    }
}

// A name with outer blanks is refused on adding and on renaming (Enter on a
// group's row); a full table refuses the menu's and the list's Insert before
// any dialog.
void TestEditing::recordNames() {
    QFETCH(QString, how);
    QFETCH(bool, packages);
    QFETCH(bool, full);
    while (full && !(packages ? model().packages.full() : model().applications.full()))
        packages ? void(model().addPackage("P")) : void(model().addApplication("A"));
    fixture_->onDialog = [](QDialog& d) {
        typing(QStringLiteral(" Padded "))(d);
        return typing(QStringLiteral("Trimmed"))(d);
    };
    if (QAction* action = fixture_->frame().findChild<QAction*>(how)) {
        action->trigger();
    } else {
        click(tree(), item(tree(), how));
        clickRow(0);
        if (full)
            rightClick(list(), at(list(), list()->topLevelItem(0)), QStringLiteral("insert"));
        else
            QTest::keyClick(list(), Qt::Key_Return);
    }
    QCOMPARE(fixture_->messages.size(), 1);
    QCOMPARE(fixture_->dialogsRun, full ? 0 : 1);
    const int index = full ? 999 : how.startsWith(QStringLiteral("new")) ? 3 : 1;
    QCOMPARE(nameOf(packages, index), full ? std::string(1, packages ? 'P' : 'A') : "Trimmed");
}

void TestEditing::renameKeepsTheSelection() {
    for (const bool packages : {false, true}) {
        click(tree(), packages ? tree()->packagesNode() : tree()->applicationsNode());
        clickRow(1);
        for (const QString& name : {QStringLiteral("First"), QStringLiteral("Second")}) {
            fixture_->onDialog = typing(name);
            QTest::keyClick(list(), Qt::Key_Return);
            QCOMPARE(cell(1, 0), name);
            QCOMPARE(list()->selectedRow(), 1);
        }
        QCOMPARE(nameOf(packages, 2), std::string("Second"));
    }
    QCOMPARE(fixture_->dialogsRun, 4);
}

void TestEditing::drags_data() {
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("appName");
    QTest::addColumn<bool>("belowRows");
    QTest::addColumn<bool>("moves");
    QTest::newRow("applications") << "Application descriptions"
                                  << "" << true << true;
    QTest::newRow("packages") << "Package descriptions"
                              << "" << true << true;
    QTest::newRow("over no row") << "Package descriptions"
                                 << "" << false << false;
    // Property lists of records named like the groups stay as they are.
    for (const char* name : {"Package descriptions", "Application descriptions"})
        QTest::newRow(name) << "Office Suite" << name << true << false;
}

// A mouse drag of the first row to below the last, or out of the list
// without passing over a row.
void TestEditing::drags() {
    QFETCH(QString, node);
    QFETCH(QString, appName);
    QFETCH(bool, belowRows);
    QFETCH(bool, moves);
    click(tree(), item(tree(), node));
    if (!appName.isEmpty())
        doc()->RenameRecord(model().applications.at(1).id, appName.toStdString());
    const QStringList rows = column0(list());
    const ConfigModel before = model();
    doc()->setModifiedFlag(false);
    drag(list(), at(list(), list()->topLevelItem(0)),
         {belowRows ? below(list(), list()->topLevelItem(rows.size() - 1)) : QPoint(10, -30)});
    QVERIFY(!list()->dragging());
    QCOMPARE(doc()->isModified(), appName.isEmpty()); // a refused drag is no edit
    QCOMPARE(column0(list()), moves ? rows.mid(1) << rows[0] : rows);
    if (moves)
        QCOMPARE(nameOf(node.startsWith(QLatin1Char('P')), 1), rows[1].toStdString());
    else
        QVERIFY(model() == before);
}

void TestEditing::undoneDeletionBringsKeptLinesBack_data() {
    QTest::addColumn<QString>("deleted"); // the record in the tree, or a target row
    QTest::addColumn<bool>("saved");      // between the deletion and the undo
    for (const bool saved : {false, true}) {
        const char* const when = saved ? ", saved between" : "";
        QTest::newRow(qPrintable(QStringLiteral("package%1").arg(QLatin1String(when))))
            << QStringLiteral("package") << saved;
        QTest::newRow(qPrintable(QStringLiteral("target%1").arg(QLatin1String(when))))
            << QStringLiteral("target") << saved;
    }
}

// Comments the administrator wrote go with the package or target they stand
// before, and come back with it on undo, even after a save in between.
void TestEditing::undoneDeletionBringsKeptLinesBack() {
    QFETCH(QString, deleted);
    QFETCH(bool, saved);
    std::string bytes = dataFile("rich-1.30.expected.cfg");
    const auto before = [&bytes](const char* anchor, const char* text) {
        bytes.insert(bytes.find(anchor), text);
    };
    before("PACKAGE Sales", "# Sales first\r\n");
    before("  SOURCE SRV-MAIN", "  # main office\r\n");
    before("  DEST SRV-B2", "  # B2 is on the slow line\r\n");
    before("PACKAGE END", "  # end of Sales\r\n");
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("kept.cfg"));
    QVERIFY(FileStore::writeAtomically(path.toStdString(), bytes).ok);
    QVERIFY(fixture_->documents().openFile(path) != nullptr);
    QCOMPARE(fixture_->messages, QStringList());
    tree()->expandAll();
    QCOMPARE(node("Sales Servers")->toolTip(0),
             QStringLiteral("# Sales first\n  # main office\n  # end of Sales"));
    QCOMPARE(writeConfig(model()), bytes);

    const bool package = deleted == QLatin1String("package");
    if (package) {
        click(tree(), node("Sales Servers"));
        QTest::keyClick(tree(), Qt::Key_Delete);
    } else {
        click(tree(), packageChild(1, "Target Server(s)"));
        clickRow(1);
        QTest::keyClick(list(), Qt::Key_Delete);
    }
    const std::string without = writeConfig(model());
    QVERIFY(without.find("slow line") == std::string::npos);
    QCOMPARE(without.find("Sales first") == std::string::npos, package);
    if (saved) {
        press(Qt::Key_S);
        QCOMPARE(fileBytes(path).toStdString(), without);
    }
    press(Qt::Key_Z);
    QCOMPARE(writeConfig(model()), bytes);
    press(Qt::Key_S);
    QCOMPARE(fileBytes(path).toStdString(), bytes);
    QCOMPARE(fixture_->messages, QStringList());
}

QTEST_MAIN(TestEditing)
#include "tst_editing.moc"

// One change of every kind, each one command; undoing them all saves the
// original bytes, redoing them all the changed ones.
void TestEditing::undoRedoEveryChange() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("undo.cfg"));
    QVERIFY(QFile::copy(QString::fromStdString(dataPath("rich-1.30.expected.cfg")), path));
    fixture_->openKnown(path);
    tree()->expandAll();
    const QByteArray original = fileBytes(path);
    const auto at = [this](QTreeWidgetItem* node, const char* label, const Driver& driver) {
        return [=, this] {
            show(node);
            editLabel(QString::fromLatin1(label), driver);
        };
    };
    const auto row = [this](QTreeWidgetItem* node, int r, const Driver& driver,
                            void (CSyncView::*command)()) {
        return [=, this] {
            show(node);
            fixture_->onDialog = driver;
            list()->setCurrentItem(list()->topLevelItem(r));
            (list()->*command)();
        };
    };
    const auto drag = [this](QTreeWidgetItem* node, int from, int to) {
        return [=, this] {
            show(node);
            list()->MoveEntry(from, to);
        };
    };
    const auto job = filling([](QDialog& d) {
        setLine(d, 1024, QStringLiteral("SYS:\\U"));
        setLine(d, 1026, QStringLiteral("VOL1:\\U"));
    });
    const auto target = filling([](QDialog& d) {
        setLine(d, 1019, QStringLiteral("fs9"));
        setLine(d, 1020, QStringLiteral("DATA2"));
    });
    QTreeWidgetItem* global = tree()->defaultSettingsNode();
    QTreeWidgetItem* app = tree()->applicationsNode()->child(0);
    QTreeWidgetItem* targets = packageChild(1, "Target Server(s)");
    QTreeWidgetItem* dirs = packageChild(1, "Directories");
    QTreeWidgetItem* files = packageChild(1, "Files");
    QTreeWidgetItem* excludes = packageChild(1, "Exclude");
    const std::vector<std::function<void()>> changes = {
        at(global, "Max. threads", typing(QStringLiteral("42"))),
        at(global, "Sync mode", choosing(QStringLiteral("OVERWRITE"))),
        at(global, "Username", typing(QStringLiteral("ops"))),
        at(global, "Password", filling([](QDialog& d) {
               setLine(d, 1006, QStringLiteral("s3cret"));
               setLine(d, 1007, QStringLiteral("s3cret"));
           })),
        at(global, "Log directory", typing(QStringLiteral("SYS:\\NEWLOGS"))),
        at(global, "Log event types",
           filling([](QDialog& d) { control<QAbstractButton>(d, 1004)->toggle(); })),
        at(global, "Time restriction", filling([](QDialog& d) { setCheck(d, 1028, false); })),
        at(packageChild(1, "Schedule"), "Schedule", filling([](QDialog& d) {
               setCheck(d, 1044, true);
               setCombo(d, 1045, QStringLiteral("6"));
           })),
        at(packageChild(1, "Schedule"), "Days to run",
           filling([](QDialog& d) { setCheck(d, 1030, true); })),
        at(packageChild(1, "Settings"), "NCF to execute after",
           filling([](QDialog& d) { setLine(d, 1033, QStringLiteral("SYS:\\A\\POST.NCF")); })),
        at(packageChild(1, "Settings"), "Open file handling method", filling([](QDialog& d) {
               setCombo(d, 1041, QStringLiteral("CLEAR"));
               setLine(d, 1040, QStringLiteral("30"));
           })),
        at(app, "Path", typing(QStringLiteral("APPS:\\NEW.EXE"))),
        at(app, "Destination packages", filling([](QDialog& d) {
               control<QTreeWidget>(d, 1024)->topLevelItem(0)->setCheckState(0, Qt::Checked);
           })),
        row(targets, 1, target, &CSyncView::EditRow),
        row(targets, 0, target, &CSyncView::InsertEntry),
        row(targets, 2, cancelling(), &CSyncView::DeleteEntry),
        drag(targets, 0, 3),
        row(dirs, 0, job, &CSyncView::EditRow),
        row(dirs, 1, job, &CSyncView::InsertEntry),
        row(dirs, 0, cancelling(), &CSyncView::DeleteEntry),
        drag(dirs, 1, 0),
        row(files, 0, job, &CSyncView::InsertEntry),
        drag(files, 0, 1),
        row(files, 1, cancelling(), &CSyncView::DeleteEntry),
        row(excludes, 0, typing(QStringLiteral("SYS:\\X")), &CSyncView::EditRow),
        row(excludes, 1, typing(QStringLiteral("SYS:\\Y")), &CSyncView::InsertEntry),
        row(excludes, 0, cancelling(), &CSyncView::DeleteEntry),
        row(tree()->packagesNode(), 1, typing(QStringLiteral("Vault")), &CSyncView::EditRow),
        drag(tree()->applicationsNode(), 1, 0),
        row(tree()->applicationsNode(), 1, cancelling(), &CSyncView::DeleteEntry),
        drag(tree()->packagesNode(), 0, 1),
        [this] {
            fixture_->onDialog = typing(QStringLiteral("Extra"));
            fixture_->frame().action(CommandIds::NewPackage)->trigger();
        },
        [&, this] {
            at(packageChild(3, "Source Server"), "Source Server", typing(QStringLiteral("fs-x")))();
        },
        [this] {
            fixture_->onDialog = typing(QStringLiteral("Tools"));
            fixture_->frame().action(CommandIds::NewApplication)->trigger();
        },
        [this] {
            tree()->setCurrentNode(tree()->packagesNode()->child(0));
            tree()->DeleteNode();
        },
    };
    for (const auto& change : changes) {
        const int before = doc()->undoStack().count();
        change();
        QCOMPARE(doc()->undoStack().count(), before + 1);
    }
    QCOMPARE(fixture_->frame().action(CommandIds::EditUndo)->text(),
             QStringLiteral("Undo Delete package Vault"));
    const auto saved = [&] {
        press(Qt::Key_S);
        return fileBytes(path);
    };
    const QByteArray changed = saved();
    QVERIFY(changed != original);
    press(Qt::Key_Z, static_cast<int>(changes.size()));
    QVERIFY(!fixture_->frame().action(CommandIds::EditUndo)->isEnabled());
    QCOMPARE(saved(), original);
    press(Qt::Key_Y, static_cast<int>(changes.size()));
    QVERIFY(!fixture_->frame().action(CommandIds::EditRedo)->isEnabled());
    QCOMPARE(saved(), changed);
    QCOMPARE(fixture_->messages, QStringList());
}

// Undo in one window shows in the other, and the modified mark follows the
// state last saved.
void TestEditing::undoFollowsInEveryWindow() {
    QTemporaryDir dir;
    fixture_->fileName = dir.filePath(QStringLiteral("two.cfg"));
    fixture_->frame().action(CommandIds::FileSaveAs)->trigger();
    show(tree()->packagesNode());
    CSyncView* first = list();
    fixture_->frame().action(CommandIds::WindowNew)->trigger();
    tree()->expandAll();
    show(tree()->packagesNode()->child(1));
    tree()->setCurrentNode(tree()->packagesNode()->child(1));
    tree()->DeleteNode();
    QCOMPARE(first->topLevelItemCount(), 1);
    QVERIFY(doc()->isModified());
    press(Qt::Key_Z);
    QVERIFY(!doc()->isModified());
    QCOMPARE(first->topLevelItemCount(), 2);
    QCOMPARE(first->topLevelItem(1)->text(0), QStringLiteral("Archive"));
    // The restored package is back in its place, with its nodes, and shown.
    QCOMPARE(tree()->packagesNode()->child(1)->childCount(), 8);
    QCOMPARE(tree()->currentItem(), tree()->packagesNode()->child(1));
    QCOMPARE(model().packages.at(2).targets.count(), 1);
    press(Qt::Key_Y);
    QVERIFY(doc()->isModified());
    QCOMPARE(first->topLevelItemCount(), 1);
    // Undoing after a save marks the document again.
    press(Qt::Key_S);
    QVERIFY(!doc()->isModified());
    press(Qt::Key_Z);
    QVERIFY(doc()->isModified());
    press(Qt::Key_Y);
    QVERIFY(!doc()->isModified());
}

void TestEditing::treeMenusActOnTheirNode_data() {
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("clicked");
    QTest::addColumn<bool>("menuKey");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QStringList>("changed");
    QTest::addColumn<QString>("after");
    const auto row = [](const char* name, const char* selected, const char* clicked, bool key,
                        const char* command, const char* dialog, QStringList changed,
                        const char* after) {
        QTest::newRow(name) << selected << clicked << key << command << dialog << changed << after;
    };
    // The right click names the node; an insert shows it first.
    row("exclude of another package", "Sales Servers/Directories", "Archive/Exclude", false,
        "insert", "Exclude", {"Archive: t1 d0 f0 x1"}, "Archive/Exclude");
    row("targets while a group is selected", "Package descriptions",
        "Sales Servers/Target Server(s)", false, "insert", "Target Server",
        {"Sales Servers: t5 d2 f1 x2"}, "Sales Servers/Target Server(s)");
    row("directories while an application is selected", "Office Suite", "Archive/Directories",
        false, "insert", "Directories", {"Archive: t1 d1 f0 x0"}, "Archive/Directories");
    row("files while default settings are selected", "Default settings", "Sales Servers/Files",
        false, "insert", "Files", {"Sales Servers: t4 d2 f2 x2"}, "Sales Servers/Files");
    row("packages group while a detail is selected", "Archive/Exclude", "Package descriptions",
        false, "insert", "New Package",
        {"SYS:FRESH: t0 d0 f0 x0", "Package descriptions: Sales Servers, Archive, SYS:FRESH"},
        "SYS:FRESH");
    row("applications group while a package is selected", "Sales Servers",
        "Application descriptions", false, "insert", "New Application",
        {"Application descriptions: Office Suite, Bare, SYS:FRESH"}, "SYS:FRESH");
    // A delete leaves the selection where it was.
    row("package while another is selected", "Sales Servers", "Archive", false, "delete", "",
        {"Package descriptions: Sales Servers"}, "Sales Servers");
    row("package while another's child is selected", "Archive/Files", "Sales Servers", false,
        "delete", "", {"Package descriptions: Archive"}, "Archive/Files");
    row("application while another is selected", "Bare", "Office Suite", false, "delete", "",
        {"Application descriptions: Bare"}, "Bare");
    row("application while its group is selected", "Application descriptions", "Bare", false,
        "delete", "", {"Application descriptions: Office Suite"}, "Application descriptions");
    // Shift+F10 after a right click whose menu was dismissed: the selected
    // node's menu.
    row("menu key on a detail", "Archive/Exclude", "Sales Servers/Directories", true, "insert",
        "Exclude", {"Archive: t1 d0 f0 x1"}, "Archive/Exclude");
    row("menu key on a package", "Archive", "Sales Servers", true, "delete", "",
        {"Package descriptions: Sales Servers"}, "Sales Servers");
}

// Every item of the tree's menus acts on the node the menu was opened on,
// whatever node is selected.
void TestEditing::treeMenusActOnTheirNode() {
    QFETCH(QString, selected);
    QFETCH(QString, clicked);
    QFETCH(bool, menuKey);
    QFETCH(QString, command);
    QFETCH(QString, dialog);
    QFETCH(QStringList, changed);
    QFETCH(QString, after);
    click(tree(), nodeAt(selected));
    const QStringList before = outline();
    QString title;
    fixture_->onDialog = [&title](QDialog& d) {
        title = d.windowTitle();
        return fillNew(QStringLiteral("FRESH"))(d);
    };
    Popup popup = rightClick(tree(), at(tree(), nodeAt(clicked)), menuKey ? QString() : command);
    if (menuKey) {
        QCOMPARE(fixture_->dialogsRun, 0);
        // Its row need not be drawn: the selected node's parent is collapsed.
        nodeAt(selected)->parent()->setExpanded(false);
        QCOMPARE(tree()->currentItem(), nodeAt(selected));
        popup = mousedriver::menuKey(tree(), command);
    }
    QVERIFY2(popup.commands.contains(command), qPrintable(popup.commands.join(' ')));
    QCOMPARE(title, dialog);
    QCOMPARE(changedSince(before), changed);
    QTreeWidgetItem* shown = nodeAt(after);
    QVERIFY(shown != nullptr);
    QCOMPARE(tree()->selectedItems(), QList<QTreeWidgetItem*>{shown});
    QCOMPARE(tree()->currentItem(), shown);
    QCOMPARE(list()->shownItem(), shown);
}

void TestEditing::listMenuActsOnTheRowUnderTheMouse_data() {
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("command");
    for (const char* node :
         {"Sales Servers/Target Server(s)", "Sales Servers/Directories", "Sales Servers/Exclude"})
        for (const char* command : {"insert", "delete"})
            QTest::addRow("%s, %s", node, command) << node << command;
    QTest::newRow("packages, delete") << "Package descriptions"
                                      << "delete";
    QTest::newRow("applications, delete") << "Application descriptions"
                                          << "delete";
}

// With row 0 selected, the menu of row 1 deletes row 1, or inserts after it.
void TestEditing::listMenuActsOnTheRowUnderTheMouse() {
    QFETCH(QString, node);
    QFETCH(QString, command);
    click(tree(), nodeAt(node));
    clickRow(0);
    const QStringList rows = column0(list());
    fixture_->onDialog = fillNew(QStringLiteral("FRESH"));
    rightClick(list(), at(list(), list()->topLevelItem(1)), command);
    QStringList now = column0(list());
    if (command == QLatin1String("insert")) {
        QCOMPARE(list()->selectedRow(), 2);
        QCOMPARE(now.size(), rows.size() + 1);
        now.removeAt(2);
    }
    QCOMPARE(now, command == QLatin1String("delete") ? rows.mid(0, 1) + rows.mid(2) : rows);
    // The model holds what the rows show.
    const QStringList shown = column0(list());
    click(tree(), tree()->defaultSettingsNode());
    click(tree(), nodeAt(node));
    QCOMPARE(column0(list()), shown);
}

void TestEditing::oneSelectedNodePerTree_data() {
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("watched"); // the package selected in window 2
    for (const char* change : {"Alt+Down", "Alt+Up", "drag", "undo", "redo"})
        for (const char* watched : {"Sales Servers", "Archive"})
            QTest::addRow("%s, %s", change, watched) << change << watched;
    for (const char* change : {"New Package", "list Delete", "tree Delete"})
        QTest::newRow(change) << change << "Archive";
}

// A change in window 1 leaves window 2's tree with its one node selected, so
// Delete there removes the package it shows.
void TestEditing::oneSelectedNodePerTree() {
    QFETCH(QString, change);
    QFETCH(QString, watched);
    fixture_->frame().action(CommandIds::WindowNew)->trigger();
    tree()->expandAll();
    click(tree(), item(tree(), watched));
    activate(0);
    click(tree(), tree()->packagesNode());
    const QStringList before = outline();
    const auto altKey = [this](int row, Qt::Key key) {
        clickRow(row);
        QTest::keyClick(list(), key, Qt::AltModifier);
    };
    if (change == QLatin1String("Alt+Down") || change == QLatin1String("undo") ||
        change == QLatin1String("redo"))
        altKey(0, Qt::Key_Down);
    else if (change == QLatin1String("Alt+Up"))
        altKey(1, Qt::Key_Up);
    else if (change == QLatin1String("drag"))
        drag(list(), at(list(), list()->topLevelItem(0)), {at(list(), list()->topLevelItem(1))});
    if (change == QLatin1String("New Package")) {
        fixture_->onDialog = typing(QStringLiteral("Fresh"));
        fixture_->frame().action(CommandIds::NewPackage)->trigger();
    } else if (change == QLatin1String("list Delete")) {
        clickRow(0);
        QTest::keyClick(list(), Qt::Key_Delete);
    } else if (change == QLatin1String("tree Delete")) {
        click(tree(), item(tree(), QStringLiteral("Sales Servers")));
        QTest::keyClick(tree(), Qt::Key_Delete);
    }
    if (change == QLatin1String("undo") || change == QLatin1String("redo"))
        press(Qt::Key_Z);
    if (change == QLatin1String("redo"))
        press(Qt::Key_Y);
    QCOMPARE(changedSince(before).isEmpty(), change == QLatin1String("undo"));
    for (int w = 0; w < 2; ++w) {
        const CPallworthTreeView* t = window(w)->treeView();
        const QList<QTreeWidgetItem*> selected = t->selectedItems();
        QVERIFY2(selected.size() <= 1, qPrintable(QString::number(selected.size())));
        if (!selected.isEmpty())
            QCOMPARE(selected.first(), t->currentItem());
        QCOMPARE(window(w)->listView()->shownItem(), t->currentItem());
    }
    QCOMPARE(window(1)->treeView()->currentItem()->text(0), watched);
    activate(1);
    const int packages = model().packages.count();
    QTest::keyClick(tree(), Qt::Key_Delete);
    QCOMPARE(model().packages.count(), packages - 1);
    QVERIFY(!outline().last().contains(watched));
}
