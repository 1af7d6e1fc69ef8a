#include "ConfigWindowAccess.h"
#include "TestSupport.h"
#include "gui/app/AppFixture.h"
#include "gui/app/MouseDriver.h"

#include "config/SettingTable.h"
#include "configwindow/CPallworthDoc.h"
#include "configwindow/CPallworthTreeView.h"
#include "configwindow/CSplitterFrame.h"
#include "configwindow/CSyncView.h"
#include "configwindow/ClipEditor.h"
#include "framework/CommandIds.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMdiArea>
#include <QMimeData>
#include <QTemporaryDir>

using namespace testsupport;
using namespace mousedriver;

namespace {

// The bytes of a file from the line starting `first` through the next
// "PACKAGE END" line.
QByteArray block(const QByteArray& file, const QByteArray& first) {
    const qsizetype start = file.indexOf(first);
    const qsizetype end = file.indexOf("PACKAGE END\r\n", start);
    return start < 0 || end < 0 ? QByteArray() : file.mid(start, end + 13 - start);
}

// Text as another program puts it on the clipboard.
void setClipboardText(const QByteArray& utf8) {
    QGuiApplication::clipboard()->setText(QString::fromUtf8(utf8));
}

} // namespace

class TestClipboard : public QObject, private ConfigWindowAccess {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void packageTravelsToAnotherDocument_data();
    void packageTravelsToAnotherDocument();
    void entriesFromPlainText_data();
    void entriesFromPlainText();
    void nameClash_data();
    void nameClash();
    void pastePastTheLimitIsRefused_data();
    void pastePastTheLimitIsRefused();
    void undoRestoresTheBytes_data();
    void undoRestoresTheBytes();
    void greyedStates_data();
    void greyedStates();
    void settingsTravelToAnotherPackage_data();
    void settingsTravelToAnotherPackage();
    void severalAtOnce_data();
    void severalAtOnce();
    void rightClickActsOnTheSelection_data();
    void rightClickActsOnTheSelection();

private:
    CPallworthDoc* open(const QString& path) {
        auto* opened = static_cast<CPallworthDoc*>(fixture_->openKnown(path));
        tree()->expandAll();
        return opened;
    }
    CPallworthDoc* openData(const char* name) {
        return open(QString::fromStdString(dataPath(name)));
    }
    // A file of `text` in the test's folder, opened.
    CPallworthDoc* openText(const QByteArray& text) {
        const QString path = dir_.filePath(QStringLiteral("typed%1.cfg").arg(++files_));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size())
            qWarning("cannot write %s", qPrintable(path));
        file.close();
        return open(path);
    }
    // Ctrl and a key on `view` of the active main window.
    void press(QWidget* view, Qt::Key key) {
        fixture_->frame().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&fixture_->frame()));
        view->setFocus(Qt::OtherFocusReason);
        QTest::keyClick(view, key, Qt::ControlModifier);
    }
    bool isOn(int command) const { return fixture_->frame().action(command)->isEnabled(); }
    // The Edit commands enabled while `view` has the focus: "cut copy".
    QString enabledOn(QWidget* view) {
        fixture_->frame().activateWindow();
        if (!QTest::qWaitForWindowActive(&fixture_->frame()))
            return QStringLiteral("no active window");
        view->setFocus(Qt::OtherFocusReason);
        QCoreApplication::processEvents();
        QStringList got;
        const std::pair<int, const char*> commands[] = {{CommandIds::EditCut, "cut"},
                                                        {CommandIds::EditCopy, "copy"},
                                                        {CommandIds::EditPaste, "paste"},
                                                        {CommandIds::EditDuplicate, "duplicate"}};
        for (const auto& [id, name] : commands)
            if (isOn(id))
                got << QLatin1String(name);
        return got.join(u' ');
    }
    // Selects list rows as a user does: "2" clicks row 2, "^0" Ctrl+clicks
    // row 0, "+3" Shift+clicks row 3, "A" is Ctrl+A and "v" Shift+Down.
    void selectRows(const QString& steps) {
        for (const QString& step : steps.split(u' ', Qt::SkipEmptyParts)) {
            if (step == u'A' || step == u'v') {
                QTest::keyClick(list(), step == u'A' ? Qt::Key_A : Qt::Key_Down,
                                step == u'A' ? Qt::ControlModifier : Qt::ShiftModifier);
                continue;
            }
            const Qt::KeyboardModifiers held = step.startsWith(u'^')   ? Qt::ControlModifier
                                               : step.startsWith(u'+') ? Qt::ShiftModifier
                                                                       : Qt::NoModifier;
            const int row = (held == Qt::NoModifier ? step : step.mid(1)).toInt();
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, held,
                              at(list(), list()->topLevelItem(row)));
        }
    }
    // The document saved under a new name in the test's folder, as written.
    QByteArray savedBytes() {
        fixture_->fileName = dir_.filePath(QStringLiteral("saved%1.cfg").arg(++files_));
        fixture_->frame().action(CommandIds::FileSaveAs)->trigger();
        return fileBytes(fixture_->fileName);
    }

    QTemporaryDir dir_;
    int files_ = 0;
};

void TestClipboard::init() {
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
    QGuiApplication::clipboard()->clear();
}

void TestClipboard::cleanup() {
    fixture_->answer = QMessageBox::No;
    seam_.reset();
    fixture_.reset();
}

void TestClipboard::packageTravelsToAnotherDocument_data() {
    QTest::addColumn<bool>("menus");
    QTest::newRow("keys") << false;
    QTest::newRow("context menus") << true;
}

// A package copied in one document pastes into another, shows in its second
// window, and is saved as the very block it was, comments included.
void TestClipboard::packageTravelsToAnotherDocument() {
    QFETCH(bool, menus);
    const QByteArray source = fileBytes(QString::fromStdString(dataPath("commented-1.30.cfg")));
    const QByteArray sales = block(source, "# Sales: moved");
    QVERIFY(sales.contains("  # B3 is retired"));
    openData("commented-1.30.cfg");
    QTreeWidgetItem* package = tree()->packagesNode()->child(0);
    click(tree(), menus ? tree()->applicationsNode() : package);
    if (menus)
        rightClick(tree(), at(tree(), package), QStringLiteral("copy"));
    else
        press(tree(), Qt::Key_C);
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(
        QStringLiteral("application/x-pallworth-package")));
    // Paths read as they show, in Windows-1252, by an editor beside.
    const QString text = QGuiApplication::clipboard()->text();
    QVERIFY(text.startsWith(QStringLiteral("# Sales: moved")));
    QVERIFY(text.endsWith(QStringLiteral("PACKAGE END\r\n\r\n")));
    QVERIFY(text.contains(QStringLiteral("EXCLUDE \"SYS:\\DATA\\M\u00fcLL\"")));

    CPallworthDoc* target = openText("VERSION 1.30\r\nUSER admin.branch\r\nPWD 2f2f2f2f\r\n"
                                     "PACKAGE Branch\r\n  SOURCE BR-FS1\r\n"
                                     "  DEST BR-FS2 VOL1 MSGOFF 0\r\nPACKAGE END\r\n");
    fixture_->fileName = dir_.filePath(QStringLiteral("target.cfg"));
    fixture_->frame().action(CommandIds::FileSaveAs)->trigger();
    CSyncView* firstList = list();
    click(tree(), tree()->packagesNode());
    fixture_->frame().action(CommandIds::WindowNew)->trigger();
    tree()->expandAll();
    click(tree(), tree()->packagesNode());
    const int before = model().packages.count();
    if (menus)
        rightClick(list(), below(list(), list()->topLevelItem(before - 1)),
                   QStringLiteral("paste"));
    else
        press(tree(), Qt::Key_V);
    QCOMPARE(target->model().packages.count(), before + 1);
    QCOMPARE(firstList->topLevelItemCount(), before + 1);
    QCOMPARE(firstList->topLevelItem(before)->text(0), QStringLiteral("Sales Servers"));
    const QTreeWidgetItem* pasted = tree()->packagesNode()->child(before);
    QCOMPARE(pasted->text(0), QStringLiteral("Sales Servers"));
    QCOMPARE(menus ? list()->selectedRow() : tree()->indexOfTopLevelItem(tree()->currentItem()),
             menus ? before : -1);
    if (!menus)
        QCOMPARE(tree()->currentItem(), pasted);
    press(tree(), Qt::Key_S);
    QVERIFY2(!target->isModified(), qPrintable(fixture_->messages.join(u'|')));
    const QByteArray saved = fileBytes(fixture_->fileName);
    QCOMPARE(block(saved, "# Sales: moved"), sales);
    QCOMPARE(doc()->undoStack().undoText(), QStringLiteral("Paste package Sales Servers"));
}

void TestClipboard::entriesFromPlainText_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<bool>("agree");
    QTest::addColumn<QStringList>("pasted");
    QTest::addColumn<QString>("message");
    const QByteArray valid = "EXCLUDE \"SYS:\\CACHE\"\r\n  EXCLUDE \"VOL1:\\Caf\xc3\xa9\"\r\n";
    QTest::newRow("a valid block")
        << valid << false << QStringList{"SYS:\\CACHE", "VOL1:\\Caf\u00e9"} << QString();
    // The reader keeps an unknown line, before the entry after it.
    QTest::newRow("an unknown line")
        << QByteArray("EXCLUDE \"SYS:\\CACHE\"\r\nFROBNICATE 3\r\nEXCLUDE \"SYS:\\OLD\"\r\n")
        << false << QStringList{"SYS:\\CACHE", "SYS:\\OLD"} << QString();
    const QByteArray surplus = "EXCLUDE \"SYS:\\CACHE\"\r\nEXCLUDE \"SYS:\\OLD\" NOW\r\n";
    const QString dropped = "line 2: EXCLUDE \"SYS:\\OLD\" NOW (surplus argument)";
    QTest::newRow("a dropped word, pasted")
        << surplus << true << QStringList{"SYS:\\CACHE", "SYS:\\OLD"} << dropped;
    QTest::newRow("a dropped word, not pasted") << surplus << false << QStringList{} << dropped;
    QTest::newRow("a letter the code page lacks")
        << QByteArray("EXCLUDE \"SYS:\\\xce\xa9MEGA\"\r\n") << true << QStringList{}
        << "holds \"\u03a9\", which a configuration cannot hold";
    QTest::newRow("no configuration") << QByteArray("Lunch at noon?\r\n") << true << QStringList{}
                                      << "The clipboard holds no excluded paths";
    QTest::newRow("targets into excludes")
        << QByteArray("DEST SRV-A VOL1 MSGON 0\r\n") << true << QStringList{}
        << "The clipboard holds no excluded paths";
}

// Entries typed in any editor paste after the selected row, and a text the
// reader does not wholly take is named line by line before it pastes.
void TestClipboard::entriesFromPlainText() {
    QFETCH(QByteArray, text);
    QFETCH(bool, agree);
    QFETCH(QStringList, pasted);
    QFETCH(QString, message);
    openData("commented-1.30.cfg");
    click(tree(), packageChild(1, "Exclude"));
    const QStringList rows = column0(list());
    QCOMPARE(rows.size(), 2);
    click(list(), list()->topLevelItem(0));
    setClipboardText(text);
    const std::string bytes = doc()->writeBytes();
    fixture_->answer = agree ? QMessageBox::Yes : QMessageBox::No;
    press(list(), Qt::Key_V);
    QCOMPARE(fixture_->messages.size(), message.isEmpty() ? 0 : 1);
    if (!message.isEmpty())
        QVERIFY2(fixture_->messages.first().contains(message),
                 qPrintable(fixture_->messages.first()));
    QStringList expected = rows;
    for (int i = 0; i < pasted.size(); ++i)
        expected.insert(1 + i, pasted[i]);
    QCOMPARE(column0(list()), expected);
    if (pasted.isEmpty()) {
        QCOMPARE(doc()->writeBytes(), bytes);
        return;
    }
    QCOMPARE(list()->selectedRow(), 1);
    if (text.contains("FROBNICATE"))
        QVERIFY(doc()->writeBytes().find("FROBNICATE 3\r\n  EXCLUDE \"SYS:\\OLD\"") !=
                std::string::npos);
    QCOMPARE(QString::fromStdString(model().packages.at(1).excludes.at(2)).size(),
             pasted.first().size());
    press(list(), Qt::Key_Z);
    QCOMPARE(doc()->writeBytes(), bytes);
}

void TestClipboard::nameClash_data() {
    QTest::addColumn<bool>("duplicate");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("names");
    const QStringList both{"Sales Servers", "Archive"};
    QTest::newRow("paste, renamed")
        << false << "Sales East" << QStringList{"Sales Servers", "Sales East", "Archive"};
    QTest::newRow("paste, cancelled") << false << QString() << both;
    QTest::newRow("duplicate, suggested")
        << true << "*" << QStringList{"Sales Servers", "Sales Servers 2", "Archive"};
    QTest::newRow("duplicate, case aside, then renamed")
        << true << "sales servers|Sales West"
        << QStringList{"Sales Servers", "Sales West", "Archive"};
    QTest::newRow("duplicate, cancelled") << true << QString() << both;
}

// A pasted or duplicated package whose name is taken asks for a new one;
// Cancel changes nothing.
void TestClipboard::nameClash() {
    QFETCH(bool, duplicate);
    QFETCH(QString, typed);
    QFETCH(QStringList, names);
    openData("commented-1.30.cfg");
    QTreeWidgetItem* sales = tree()->packagesNode()->child(0);
    click(tree(), sales);
    if (!duplicate)
        press(tree(), Qt::Key_C);
    QStringList answers = typed.split(u'|', Qt::SkipEmptyParts);
    QStringList suggested;
    fixture_->onDialog = [&](QDialog& d) {
        auto* edit = d.findChild<QLineEdit*>(QStringLiteral("1006"));
        suggested << edit->text();
        if (answers.isEmpty()) {
            d.reject();
            return d.result();
        }
        const QString answer = answers.takeFirst();
        if (answer != u'*')
            edit->setText(answer);
        d.accept();
        return d.result();
    };
    const int steps = doc()->undoStack().count();
    const std::string bytes = doc()->writeBytes();
    press(tree(), duplicate ? Qt::Key_D : Qt::Key_V);
    QCOMPARE(suggested.value(0), QStringLiteral("Sales Servers 2"));
    QStringList got;
    for (const PackageDesc& p : model().packages)
        got << QString::fromLatin1(p.name);
    QCOMPARE(got, names);
    QCOMPARE(doc()->undoStack().count(), steps + (names.size() > 2 ? 1 : 0));
    if (names.size() > 2) {
        QCOMPARE(tree()->currentItem()->text(0), names[1]);
        // The copy holds what the package holds, its kept lines included.
        PackageDesc copy = model().packages.at(2);
        copy.name = model().packages.at(1).name;
        copy.id = model().packages.at(1).id;
        QVERIFY(copy.kept == model().packages.at(1).kept);
        QCOMPARE(copy.targets.count(), model().packages.at(1).targets.count());
    }
    press(tree(), Qt::Key_Z);
    QCOMPARE(doc()->writeBytes(), bytes);
}

void TestClipboard::pastePastTheLimitIsRefused_data() {
    QTest::addColumn<int>("held");
    QTest::addColumn<int>("pasted");
    QTest::addColumn<bool>("refused");
    QTest::newRow("997 and 2") << 997 << 2 << false;
    QTest::newRow("998 and 2") << 998 << 2 << true;
    QTest::newRow("999 and 1") << 999 << 1 << true;
}

// A paste that would pass 999 entries changes nothing and says why.
void TestClipboard::pastePastTheLimitIsRefused() {
    QFETCH(int, held);
    QFETCH(int, pasted);
    QFETCH(bool, refused);
    QByteArray file = "VERSION 1.30\r\nUSER admin\r\nPACKAGE Big\r\n  SOURCE SRV\r\n";
    for (int i = 1; i <= held; ++i)
        file += "  EXCLUDE \"SYS:\\DIR" + QByteArray::number(i) + "\"\r\n";
    file += "PACKAGE END\r\n";
    openText(file);
    click(tree(), packageChild(1, "Exclude"));
    click(list(), list()->topLevelItem(held - 1));
    QByteArray text;
    for (int i = 1; i <= pasted; ++i)
        text += "EXCLUDE \"SYS:\\NEW" + QByteArray::number(i) + "\"\r\n";
    setClipboardText(text);
    press(list(), Qt::Key_V);
    QCOMPARE(model().packages.at(1).excludes.count(), refused ? held : held + pasted);
    QCOMPARE(list()->topLevelItemCount(), model().packages.at(1).excludes.count());
    QCOMPARE(fixture_->messages.size(), refused ? 1 : 0);
    if (refused)
        QVERIFY(fixture_->messages.first().contains(QStringLiteral("999 excluded paths")));
}

void TestClipboard::undoRestoresTheBytes_data() {
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("mimeType");
    QTest::newRow("a package in the tree") << "Packages" << -1 << "package";
    QTest::newRow("an application in the group list")
        << "Application descriptions" << 0 << "application";
    QTest::newRow("a target") << "Target Server(s)" << 2 << "targets";
    QTest::newRow("a file job") << "Files" << 0 << "filejobs";
}

// Cut is one step: undoing it gives back every byte, kept lines included,
// and the cut lines paste back where they were.
void TestClipboard::undoRestoresTheBytes() {
    QFETCH(QString, node);
    QFETCH(int, row);
    QFETCH(QString, mimeType);
    openData("commented-1.30.cfg");
    const std::string bytes = doc()->writeBytes();
    QTreeWidgetItem* shown = node == QLatin1String("Packages") ? tree()->packagesNode()->child(0)
                             : node.startsWith(QLatin1String("Application"))
                                 ? tree()->applicationsNode()
                                 : packageChild(1, node.toLatin1().constData());
    QVERIFY(shown != nullptr);
    click(tree(), shown);
    QWidget* view = tree();
    if (row >= 0) {
        click(list(), list()->topLevelItem(row));
        view = list();
    }
    const int steps = doc()->undoStack().count();
    press(view, Qt::Key_X);
    QCOMPARE(doc()->undoStack().count(), steps + 1);
    if (node == QLatin1String("Packages"))
        QCOMPARE(doc()->undoStack().undoText(), QStringLiteral("Cut package Sales Servers"));
    QVERIFY(doc()->writeBytes() != bytes);
    QVERIFY(QGuiApplication::clipboard()->mimeData()->hasFormat(
        QStringLiteral("application/x-pallworth-") + mimeType));
    press(view, Qt::Key_Z);
    QCOMPARE(doc()->writeBytes(), bytes);
    if (row <= 0)
        return;
    // Cut again, and pasted after the row before: the same file.
    press(list(), Qt::Key_Y);
    click(list(), list()->topLevelItem(row - 1));
    press(list(), Qt::Key_V);
    QCOMPARE(doc()->writeBytes(), bytes);
}

void TestClipboard::greyedStates_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("enabled");
    const QByteArray rich = "commented-1.30.cfg";
    QTest::newRow("nothing selected") << rich << QString() << -1 << "targets"
                                      << "";
    QTest::newRow("the packages group, a package copied")
        << rich << "Package descriptions" << -1 << "package"
        << "paste";
    QTest::newRow("the packages group, targets copied")
        << rich << "Package descriptions" << -1 << "targets"
        << "";
    QTest::newRow("a package") << rich << "Sales Servers" << -1 << ""
                               << "cut copy duplicate";
    QTest::newRow("a row of the packages list") << rich << "Package descriptions" << 1 << ""
                                                << "cut copy duplicate";
    QTest::newRow("excludes, a row, targets copied") << rich << "Exclude" << 0 << "targets"
                                                     << "cut copy";
    QTest::newRow("excludes, a row, excludes copied") << rich << "Exclude" << 0 << "excludes"
                                                      << "cut copy paste";
    QTest::newRow("excludes, plain text") << rich << "Exclude" << -1 << "plain"
                                          << "paste";
    QTest::newRow("package settings, plain text") << rich << "Settings" << 0 << "plain"
                                                  << "paste";
    QTest::newRow("a message, messages copied") << rich << "Messages" << 0 << "messages"
                                                << "copy paste";
    QTest::newRow("a message, command files copied") << rich << "Messages" << 1 << "commandfiles"
                                                     << "copy";
    QTest::newRow("read only") << QByteArray("read only") << "Sales" << -1 << "package"
                               << "copy";
}

// The Edit commands are greyed where they do not apply.
void TestClipboard::greyedStates() {
    QFETCH(QByteArray, file);
    QFETCH(QString, node);
    QFETCH(int, row);
    QFETCH(QString, clipboard);
    QFETCH(QString, enabled);
    if (file == "read only")
        openText("VERSION 1.25\r\nUSER admin\r\nPACKAGE Sales\r\n  SOURCE SRV\r\n"
                 "  DEST SRV-B VOL1 MSGON 0\r\nPACKAGE END\r\n");
    else
        openData(file.constData());
    QVERIFY(file != "read only" || doc()->readOnly());
    if (clipboard == QLatin1String("plain")) {
        setClipboardText("EXCLUDE \"SYS:\\X\"\r\n");
    } else if (!clipboard.isEmpty()) {
        auto* data = new QMimeData;
        data->setData(QStringLiteral("application/x-pallworth-") + clipboard, "x");
        data->setText(QStringLiteral("x"));
        QGuiApplication::clipboard()->setMimeData(data);
    }
    QWidget* view = tree();
    if (!node.isEmpty()) {
        QTreeWidgetItem* shown = item(tree(), node);
        QVERIFY(shown != nullptr);
        click(tree(), shown);
        if (row >= 0) {
            click(list(), list()->topLevelItem(row));
            view = list();
        }
    }
    QCOMPARE(enabledOn(view), enabled);
}

void TestClipboard::settingsTravelToAnotherPackage_data() {
    QTest::addColumn<QString>("node");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("field");
    QTest::newRow("a message") << "Messages" << 0 << "preMsg";
    QTest::newRow("a command file") << "Settings" << 10 << "preNcfSrc";
}

// A message or command file copied from one package's list is that setting
// of another package once pasted over any of its rows; one undo takes it back.
void TestClipboard::settingsTravelToAnotherPackage() {
    QFETCH(QString, node);
    QFETCH(int, row);
    QFETCH(QString, field);
    openData("commented-1.30.cfg");
    const std::string bytes = doc()->writeBytes();
    const QByteArray label = node.toLatin1();
    click(tree(), packageChild(1, label.constData()));
    click(list(), list()->topLevelItem(row));
    const QString value = list()->topLevelItem(row)->text(1);
    press(list(), Qt::Key_C);
    click(tree(), packageChild(2, label.constData()));
    QVERIFY(list()->topLevelItem(row)->text(1) != value);
    click(list(), list()->topLevelItem(row == 0 ? 2 : 0));
    press(list(), Qt::Key_V);
    QCOMPARE(list()->topLevelItem(row)->text(1), value);
    QCOMPARE(list()->selectedRow(), row);
    const SettingRow& setting = *std::ranges::find_if(
        SettingTable::kRows, [&](const SettingRow& r) { return QLatin1String(r.field) == field; });
    QCOMPARE(model().packages.at(2).*setting.package, model().packages.at(1).*setting.package);
    if (setting.second != nullptr)
        QCOMPARE(model().packages.at(2).*setting.second, model().packages.at(1).*setting.second);
    press(list(), Qt::Key_Z);
    QCOMPARE(doc()->writeBytes(), bytes);
}

void TestClipboard::severalAtOnce_data() {
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<QByteArray>("copied");
    // The saved file is the one read with `from` replaced by `to`, once the
    // copied rows are pasted after the last row.
    QTest::addColumn<QByteArray>("from");
    QTest::addColumn<QByteArray>("to");
    const QByteArray source = fileBytes(QString::fromStdString(dataPath("commented-1.30.cfg")));
    const QByteArray b1 = "  DEST SRV-B1 VOL1 MSGON 0 TCP 08:00\r\n";
    const QByteArray b2 = "  DEST SRV-B2 DATA MSGOFF 64 4\r\n";
    const QByteArray b3 = "  # B3 is retired at year end\r\n  DEST SRV-B3 VOL1 MSGON 128 IPX\r\n";
    const QByteArray b4 = "  DEST SRV-B4 VOL1 MSGOFF 0\r\n";
    const QStringList targets{"SRV-B1", "SRV-B2", "SRV-B3", "SRV-B4"};
    QTest::newRow("targets, Ctrl+click upwards, copy")
        << "Target Server(s)"
        << "2 ^0"
        << "copy" << targets << b1 + b3 << b4 << b4 + b1 + b3;
    QTest::newRow("targets, Ctrl+click, cut") << "Target Server(s)"
                                              << "0 ^2"
                                              << "cut" << QStringList{"SRV-B2", "SRV-B4"} << b1 + b3
                                              << b1 + b2 + b3 + b4 << b2 + b4 + b1 + b3;
    QTest::newRow("targets, Shift+Down twice, Delete")
        << "Target Server(s)"
        << "1 v v"
        << "delete" << QStringList{"SRV-B1"} << QByteArray() << b1 + b2 + b3 + b4 << b1;
    const QByteArray excludes = "  ; temporary files are rebuilt nightly\r\n"
                                "  EXCLUDE \"SYS:\\DATA\\TEMP\"\r\n"
                                "  EXCLUDE \"SYS:\\DATA\\M\xfcLL\"\r\n";
    // Cut and pasted into the emptied list: back as they were.
    QTest::newRow("excludes, Shift+click upwards, cut")
        << "Exclude"
        << "1 +0"
        << "cut" << QStringList{} << excludes << QByteArray() << QByteArray();
    QTest::newRow("directories, Ctrl+A, Delete")
        << "Directories"
        << "0 A"
        << "delete" << QStringList{} << QByteArray()
        << QByteArray("  SYNCDIR ALL DEL \"SYS:\\DATA\\SALES REPORTS\" \"VOL1:\\SALES\"\r\n"
                      "  SYNCDIR NEW NODEL \"SYS:\\DATA\\PRICES\" \"VOL1:\\PRICES\"\r\n")
        << QByteArray();
    // The file's paths are in the OEM code page, the clipboard's in Windows-1252.
    QByteArray packages =
        block(source, "# Sales: moved") + "\r\n" + block(source, "PACKAGE Archive") + "\r\n";
    packages.replace("M\x81LL", "M\xfcLL");
    QTest::newRow("packages, Ctrl+click, cut")
        << "Package descriptions"
        << "0 ^1"
        << "cut" << QStringList{} << packages << QByteArray() << QByteArray();
}

// Entries and records selected together copy, cut and delete as one undo
// step, in list order; pasted, they are selected; a second window follows;
// undone after a save, the next save gives the file back.
void TestClipboard::severalAtOnce() {
    QFETCH(QString, node);
    QFETCH(QString, clicks);
    QFETCH(QString, key);
    QFETCH(QStringList, left);
    QFETCH(QByteArray, copied);
    QFETCH(QByteArray, from);
    QFETCH(QByteArray, to);
    openData("commented-1.30.cfg");
    QByteArray expected = QByteArray::fromStdString(doc()->writeBytes());
    QVERIFY(expected.count(from) == 1 || from.isEmpty());
    if (!from.isEmpty())
        expected.replace(from, to);
    const std::string bytes = doc()->writeBytes();
    click(tree(), item(tree(), node));
    const CSyncView* other = list();
    fixture_->frame().action(CommandIds::WindowNew)->trigger();
    tree()->expandAll();
    click(tree(), item(tree(), node));
    const QStringList rows = column0(list());
    selectRows(clicks);
    const int chosen = static_cast<int>(list()->selectedRows().size());
    QVERIFY(chosen > 1);
    QCOMPARE(enabledOn(list()), QStringLiteral("cut copy"));
    const int steps = doc()->undoStack().count();
    if (key == QLatin1String("delete"))
        QTest::keyClick(list(), Qt::Key_Delete);
    else
        press(list(), key == QLatin1String("cut") ? Qt::Key_X : Qt::Key_C);
    QCOMPARE(column0(list()), left);
    QCOMPARE(column0(other), left);
    QCOMPARE(doc()->undoStack().count(), steps + (key == QLatin1String("copy") ? 0 : 1));
    const QString type = ClipEditor::mimeType(CPallworthTreeView::detailOf(tree()->currentItem()));
    const QMimeData* clipboard = QGuiApplication::clipboard()->mimeData();
    QCOMPARE(clipboard != nullptr ? clipboard->data(type) : QByteArray(), copied);
    if (key != QLatin1String("copy")) {
        press(list(), Qt::Key_Z);
        QCOMPARE(doc()->writeBytes(), bytes);
        QCOMPARE(column0(other), rows);
        press(list(), Qt::Key_Y);
        QCOMPARE(column0(list()), left);
    }
    if (!copied.isEmpty()) {
        const int before = list()->topLevelItemCount();
        if (before > 0)
            click(list(), list()->topLevelItem(before - 1));
        const int done = doc()->undoStack().index();
        press(list(), Qt::Key_V);
        QCOMPARE(doc()->undoStack().index(), done + 1);
        std::vector<int> selected;
        for (int r = before; r < before + chosen; ++r)
            selected.push_back(r);
        QCOMPARE(list()->selectedRows(), selected);
        QCOMPARE(column0(other), column0(list()));
    }
    QCOMPARE(savedBytes(), expected);
    // Undone after that save, and saved again: the file as it was read.
    for (int done = doc()->undoStack().index(); done > steps; --done)
        press(list(), Qt::Key_Z);
    press(list(), Qt::Key_S);
    QCOMPARE(fileBytes(fixture_->fileName).toStdString(), bytes);
}

void TestClipboard::rightClickActsOnTheSelection_data() {
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("command");
    QTest::addColumn<QStringList>("left");
    QTest::newRow("a selected row: all of them")
        << "Target Server(s)"
        << "0 ^2" << 2 << "cut" << QStringList{"SRV-B2", "SRV-B4"};
    QTest::newRow("a row outside: that row alone")
        << "Target Server(s)"
        << "0 ^2" << 3 << "cut" << QStringList{"SRV-B1", "SRV-B2", "SRV-B3"};
    QTest::newRow("below the rows: the selection") << "Package descriptions"
                                                   << "1 +0" << -1 << "delete" << QStringList{};
}

// The context menu acts on the selection when the right click is on one of
// its rows or below the rows, and on the clicked row alone otherwise.
void TestClipboard::rightClickActsOnTheSelection() {
    QFETCH(QString, node);
    QFETCH(QString, clicks);
    QFETCH(int, row);
    QFETCH(QString, command);
    QFETCH(QStringList, left);
    openData("commented-1.30.cfg");
    const std::string bytes = doc()->writeBytes();
    click(tree(), item(tree(), node));
    selectRows(clicks);
    const int steps = doc()->undoStack().count();
    const QTreeWidgetItem* last = list()->topLevelItem(list()->topLevelItemCount() - 1);
    const QPoint pos = row >= 0 ? at(list(), list()->topLevelItem(row)) : below(list(), last);
    QCOMPARE(rightClick(list(), pos, command).name, QStringLiteral("159"));
    QCOMPARE(column0(list()), left);
    QCOMPARE(doc()->undoStack().count(), steps + 1);
    press(list(), Qt::Key_Z);
    QCOMPARE(doc()->writeBytes(), bytes);
}

QTEST_MAIN(TestClipboard)
#include "tst_clipboard.moc"
