#include "DialogDriver.h"
#include "TestSupport.h"

#include "browse/BrowseButton.h"
#include "browse/CFolderBrowser.h"
#include "browse/PathBrowser.h"
#include "config/PackageDesc.h"
#include "dialogs/CJob.h"
#include "dialogs/CNcf.h"
#include "dialogs/CPath.h"
#include "dialogs/CTargetServer.h"
#include "dialogs/CText.h"
#include "framework/AnsiQt.h"
#include "framework/ModalSeam.h"
#include "gui/app/AppFixture.h"
#include "netbrowse/MemoryDirectoryClient.h"
#include "taskwindow/CTaskEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <functional>
#include <memory>
#include <vector>

namespace {

const QString kInvalid = QStringLiteral("Invalid path!");
const QString kValidation = QStringLiteral("Validation");
const QString kLocal = QStringLiteral("Local resources are not allowed here");
const QString kQuote = QStringLiteral("The value must not contain a double quote (\").");
const QString kLineBreak = QStringLiteral("The value must not contain a line break.");
const QString kOneWord =
    QStringLiteral("The value must be one word, without blanks, commas or tabs.");
const QString kEmptyMode = QStringLiteral("The copy mode must not be empty.");

using dialogtest::Run;

// Answers the folder browser: walks its tree down from the file-system root
// to `pick` and presses OK, or cancels when `pick` is empty; on the way it
// notes whether the folder of `probe` lists that file.
struct BrowserScript {
    QString pick;
    QString probe;
    int opened = 0;
    QString title;
    bool listedProbe = false;

    int answer(CFolderBrowser& browser) {
        ++opened;
        title = browser.windowTitle();
        if (!probe.isEmpty())
            listedProbe = find(browser, probe) != nullptr;
        if (pick.isEmpty())
            return QDialog::Rejected;
        QTreeWidgetItem* item = find(browser, pick);
        if (item == nullptr)
            return QDialog::Rejected;
        browser.folderTree()->setCurrentItem(item);
        browser.accept();
        return browser.result();
    }

    // The item a local path is listed under, opening folders on the way.
    static QTreeWidgetItem* find(CFolderBrowser& browser, const QString& path) {
        QTreeWidget* tree = browser.folderTree();
        QTreeWidgetItem* item = nullptr;
        for (int i = 0; i < tree->topLevelItemCount() && item == nullptr; ++i)
            if (tree->topLevelItem(i)->data(0, Qt::UserRole).toString() == QDir::rootPath())
                item = tree->topLevelItem(i);
        QString walked = QDir::rootPath();
        for (const QString& part : path.split(QLatin1Char('/'), Qt::SkipEmptyParts)) {
            if (item == nullptr)
                return nullptr;
            item->setExpanded(true);
            if (!QTest::qWaitFor([&browser] { return !browser.listing(); }))
                return nullptr;
            walked = QDir(walked).filePath(part);
            QTreeWidgetItem* next = nullptr;
            for (int i = 0; i < item->childCount() && next == nullptr; ++i)
                if (item->child(i)->data(0, Qt::UserRole).toString() == walked)
                    next = item->child(i);
            item = next;
        }
        return item;
    }
};

dialogtest::Run drive(QDialog& dialog, const std::function<void(QDialog&)>& work,
                      BrowserScript* browser = nullptr) {
    return dialogtest::drive(dialog, work, [browser](QDialog& d) {
        auto* folders = qobject_cast<CFolderBrowser*>(&d);
        return folders != nullptr && browser != nullptr ? browser->answer(*folders)
                                                        : int(QDialog::Rejected);
    });
}

template <typename T> T* control(QDialog& d, int id) {
    return d.findChild<T*>(QString::number(id));
}

QLineEdit* edit(QDialog& d, int id) {
    return control<QLineEdit>(d, id);
}

QStringList itemsOf(QComboBox* combo) {
    QStringList items;
    for (int i = 0; i < combo->count(); ++i)
        items << combo->itemText(i);
    return items;
}

QStringList labelsOf(QDialog& d) {
    QStringList texts;
    for (const QLabel* label : d.findChildren<QLabel*>())
        texts << label->text();
    return texts;
}

// A refused run with its one message; the caller returns when it failed.
void checkRefused(const Run& run, const QString& message, const QString& caption) {
    QCOMPARE(run.accepted, 0);
    QVERIFY(run.code != QDialog::Accepted);
    QCOMPARE(run.messages.size(), std::size_t(1));
    QCOMPARE(run.messages[0].text, message);
    QCOMPARE(run.messages[0].caption, caption);
}

ModalSeam::Icon iconFor(const QString& caption) {
    return caption == kValidation ? ModalSeam::Icon::None : ModalSeam::Icon::Warning;
}

} // namespace

class TestPathDialogs : public QObject {
    Q_OBJECT

private slots:
    void controlsAndIds();
    void pathOk_data();
    void pathOk();
    void pathRefusalKeepsDialogOpen();
    void pathShowsValueAndCaption();
    void logDirectory_data();
    void logDirectory();
    void jobCopyModeShown_data();
    void jobCopyModeShown();
    void charactersTheFileCannotHold_data();
    void charactersTheFileCannotHold();
    void jobOk_data();
    void jobOk();
    void jobControlsRoundTrip();
    void jobFromAndToSyncJob_data();
    void jobFromAndToSyncJob();
    void jobSourceShowsFiles_data();
    void jobSourceShowsFiles();
    void ncfOk_data();
    void ncfOk();
    void ncfMoments_data();
    void ncfMoments();
    void captionCutTo199Characters();
    void cancelLeavesMembersUnchanged();
    void longPathNotCut();
    void browseButtons_data();
    void browseButtons();
    void browsedLocalCommandFileRefusedOnOk();
    void browseButtonsShowTheBrowseIcon();
};

namespace {

// A folder mapped as a remote drive on VOL1 of SRV1, and a plain local one.
class BrowseWorld {
public:
    BrowseWorld() {
        QDir root(dir_.path());
        root.mkpath(QStringLiteral("mapped/DATA"));
        root.mkpath(QStringLiteral("local/LOGS"));
        for (const char* file : {"mapped/DATA/PRE.NCF", "local/LOGS/RUN.NCF"}) {
            QFile f(root.filePath(QLatin1String(file)));
            f.open(QIODevice::WriteOnly);
        }
        const std::string description =
            "drive \"" + root.filePath(QStringLiteral("mapped")).toStdString() + "\" SRV1 VOL1\n";
        if (const Status loaded = client_->load(description); !loaded.ok)
            qWarning("description: %s", loaded.error.c_str());
    }

    QString path(const QString& relative) const {
        return relative.isEmpty() ? QString() : QDir(dir_.path()).filePath(relative);
    }
    // What the dialogs browse with.
    const PathBrowser* browser() const { return &browser_; }

private:
    QTemporaryDir dir_;
    std::shared_ptr<MemoryDirectoryClient> client_ = std::make_shared<MemoryDirectoryClient>();
    PathBrowser browser_{client_, QIcon()};
};

} // namespace

void TestPathDialogs::controlsAndIds() {
    CPath path;
    CJob job;
    CNcf ncf;
    const std::vector<std::pair<QDialog*, int>> dialogs{{&path, 157}, {&job, 161}, {&ncf, 172}};
    for (const auto& [dialog, templateId] : dialogs) {
        QCOMPARE(dialog->property("resourceId").toInt(), templateId);
        QCOMPARE(dialog->windowTitle(), QStringLiteral("Dialog"));
        auto* ok = control<QPushButton>(*dialog, 1);
        auto* cancel = control<QPushButton>(*dialog, 2);
        QVERIFY(ok && cancel);
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QCOMPARE(cancel->text(), QStringLiteral("Cancel"));
        QVERIFY(ok->isDefault());
    }

    const std::vector<std::pair<QDialog*, std::vector<int>>> edits{
        {&path, {1006}}, {&job, {1024, 1026}}, {&ncf, {1033, 1034}}};
    for (const auto& [dialog, ids] : edits)
        for (const int id : ids) {
            QVERIFY2(edit(*dialog, id), qPrintable(QString::number(id)));
            QCOMPARE(edit(*dialog, id)->property("resourceId").toInt(), id);
        }

    // Browse buttons: no text, the browse picture (none without the
    // application), and Enter never presses them in place of OK.
    const std::vector<std::pair<QDialog*, std::vector<int>>> browse{
        {&path, {1012}}, {&job, {1022, 1023}}, {&ncf, {1035, 1013}}};
    for (const auto& [dialog, ids] : browse)
        for (const int id : ids) {
            auto* button = control<QPushButton>(*dialog, id);
            QVERIFY2(button, qPrintable(QString::number(id)));
            QCOMPARE(button->property("resourceId").toInt(), id);
            QVERIFY(button->text().isEmpty());
            QVERIFY(button->icon().isNull());
            QVERIFY(!button->autoDefault() && !button->isDefault());
        }

    auto* mode = control<QComboBox>(job, 1016);
    QVERIFY(mode);
    QVERIFY(mode->isEditable());
    auto* propagate = control<QCheckBox>(job, 1018);
    QVERIFY(propagate);
    QCOMPARE(propagate->text(), QStringLiteral("Propagate deletions"));
    auto* group = job.findChild<QGroupBox*>();
    QVERIFY(group);
    QCOMPARE(group->title(), QStringLiteral("Transfer Mode:"));
    QVERIFY(group->isAncestorOf(mode));
    const QStringList jobLabels = labelsOf(job);
    for (const char* text : {"Source Path:", "Target Path:", "Copy", "files"})
        QVERIFY2(jobLabels.contains(QLatin1String(text)), text);
    const QStringList ncfLabels = labelsOf(ncf);
    QVERIFY(ncfLabels.contains(QStringLiteral("Run on source:")));
    QVERIFY(ncfLabels.contains(QStringLiteral("Run on target:")));

    QVERIFY(path.caption.empty() && path.path.empty());
    QVERIFY(job.caption.empty() && job.copyMode.empty() && job.sourcePath.empty() &&
            job.targetPath.empty());
    QCOMPARE(job.propagate, 0);
    QVERIFY(ncf.caption.empty() && ncf.runOnSource.empty() && ncf.runOnTarget.empty());
}

void TestPathDialogs::pathOk_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted as typed
    QTest::addColumn<QString>("caption");

    const QString invalid = kInvalid;
    const QString validation = kValidation;
    const QString pallworth = QStringLiteral("Pallworth");
    QTest::newRow("SYS:\\LOGS\\") << QStringLiteral("SYS:\\LOGS\\") << QString() << QString();
    QTest::newRow("DATA:") << QStringLiteral("DATA:") << QString() << QString();
    QTest::newRow("two leading blanks") << QStringLiteral("  SYS:\\X") << QString() << QString();
    QTest::newRow("trailing blanks") << QStringLiteral("VOL1:\\A  ") << QString() << QString();
    QTest::newRow("second colon early is fine")
        << QStringLiteral("VOL:A:B") << QString() << QString();
    QTest::newRow("C:\\LOGS") << QStringLiteral("C:\\LOGS") << invalid << validation;
    QTest::newRow("UNC") << QStringLiteral("\\\\SERVER\\SHARE") << invalid << validation;
    QTest::newRow("empty") << QString() << invalid << validation;
    QTest::newRow("blanks only") << QStringLiteral("   ") << invalid << validation;
    QTest::newRow("two-letter volume") << QStringLiteral("XY:\\DIR") << invalid << validation;
    QTest::newRow("colon first") << QStringLiteral(":SYS") << invalid << validation;
    // Judged after trimming: the blanks do not lengthen the volume name.
    QTest::newRow("blanks before a drive") << QStringLiteral("   C:\\X") << invalid << validation;
    QTest::newRow("tabs before XY:") << QStringLiteral("\t\tXY:") << invalid << validation;
    QTest::newRow("quote") << QStringLiteral("SYS:\\A\"B") << kQuote << pallworth;
    QTest::newRow("line break") << QStringLiteral("SYS:\\A\nB") << kLineBreak << pallworth;
    QTest::newRow("quote in a local path") << QStringLiteral("C:\\\"") << invalid << validation;
    QTest::newRow("linux path with a colon")
        << QStringLiteral("/srv/data:2024/x") << invalid << validation;
    QTest::newRow("home path with a colon")
        << QStringLiteral(" ~/logs/old:1") << invalid << validation;
}

void TestPathDialogs::pathOk() {
    QFETCH(QString, typed);
    QFETCH(QString, message);
    QFETCH(QString, caption);

    CPath d;
    d.caption = "Exclude";
    d.path = "OLD:\\";
    const Run run = drive(d, [&](QDialog& dialog) {
        edit(dialog, 1006)->setText(typed);
        dialog.accept();
    });
    if (message.isEmpty()) {
        QCOMPARE(run.code, int(QDialog::Accepted));
        QCOMPARE(run.accepted, 1);
        QVERIFY(run.messages.empty());
        QCOMPARE(d.path, typed.toStdString());
        return;
    }
    checkRefused(run, message, caption);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(run.messages[0].icon == iconFor(caption));
    QCOMPARE(edit(d, 1006)->text(), typed);
    QCOMPARE(d.focusWidget(), edit(d, 1006));
}

void TestPathDialogs::pathRefusalKeepsDialogOpen() {
    CPath d;
    d.caption = "Path";
    const Run run = drive(d, [](QDialog& dialog) {
        edit(dialog, 1006)->setText(QStringLiteral("C:\\APPS"));
        dialog.accept();
        edit(dialog, 1006)->setText(QStringLiteral("APPS:\"X\""));
        dialog.accept();
        edit(dialog, 1006)->setText(QStringLiteral("APPS:\\X"));
        dialog.accept();
    });
    QCOMPARE(run.code, int(QDialog::Accepted));
    QCOMPARE(run.accepted, 1);
    QCOMPARE(run.messages.size(), std::size_t(2));
    QCOMPARE(run.messages[0].text, kInvalid);
    QCOMPARE(run.messages[1].text, kQuote);
    QCOMPARE(d.path, std::string("APPS:\\X"));
}

void TestPathDialogs::pathShowsValueAndCaption() {
    CPath d;
    d.caption = "Log directory";
    d.path = "SYS:\\\xC4RGER\\";
    QString shown, title;
    const Run run = drive(d, [&](QDialog& dialog) {
        shown = edit(dialog, 1006)->text();
        title = dialog.windowTitle();
        dialog.accept();
    });
    QCOMPARE(shown, QStringLiteral(u"SYS:\\\u00C4RGER\\"));
    QCOMPARE(title, QStringLiteral("Log directory"));
    QCOMPARE(run.code, int(QDialog::Accepted));
    QCOMPARE(d.path, std::string("SYS:\\\xC4RGER\\"));
}

void TestPathDialogs::logDirectory_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("stored");
    QTest::newRow("without backslash")
        << QStringLiteral("SYS:\\LOGS") << QStringLiteral("SYS:\\LOGS\\");
    QTest::newRow("with backslash")
        << QStringLiteral("SYS:\\LOGS\\") << QStringLiteral("SYS:\\LOGS\\");
    QTest::newRow("volume only") << QStringLiteral("SYS:") << QStringLiteral("SYS:\\");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("trailing blank") << QStringLiteral("SYS:\\ ") << QStringLiteral("SYS:\\ \\");
}

void TestPathDialogs::logDirectory() {
    QFETCH(QString, path);
    QFETCH(QString, stored);
    CPath d;
    d.path = path.toStdString();
    QCOMPARE(d.logDirectory(), stored.toStdString());
    QCOMPARE(d.path, path.toStdString());
}

void TestPathDialogs::jobCopyModeShown_data() {
    QTest::addColumn<QString>("copyMode");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("NEW") << QStringLiteral("NEW") << QStringLiteral("NEW") << true;
    QTest::newRow("ALL") << QStringLiteral("ALL") << QStringLiteral("ALL") << true;
    // A new job starts on ALL; any other word is shown as it stands, not
    // replaced by ALL, and OK judges it as typed.
    QTest::newRow("empty") << QString() << QStringLiteral("ALL") << true;
    QTest::newRow("other word") << QStringLiteral("MIRROR") << QStringLiteral("MIRROR") << true;
    QTest::newRow("new lower case") << QStringLiteral("new") << QStringLiteral("new") << true;
    QTest::newRow("NEW with blank") << QStringLiteral("NEW ") << QStringLiteral("NEW ") << false;
}

void TestPathDialogs::jobCopyModeShown() {
    QFETCH(QString, copyMode);
    QFETCH(QString, shown);
    QFETCH(bool, accepted);
    CJob d;
    d.caption = "Directories";
    d.copyMode = copyMode.toStdString();
    d.sourcePath = "SYS:\\DATA";
    QString text;
    QStringList items;
    const Run run = drive(d, [&](QDialog& dialog) {
        text = control<QComboBox>(dialog, 1016)->currentText();
        items = itemsOf(control<QComboBox>(dialog, 1016));
        dialog.accept();
    });
    QCOMPARE(text, shown);
    QCOMPARE(items, (QStringList{"ALL", "NEW"}));
    QCOMPARE(run.accepted, accepted ? 1 : 0);
    QCOMPARE(d.copyMode, shown.toStdString());

    // Opened again, the list is not doubled.
    d.copyMode = "NEW";
    d.exchangeIn();
    QCOMPARE(itemsOf(control<QComboBox>(d, 1016)), (QStringList{"ALL", "NEW"}));
    QCOMPARE(control<QComboBox>(d, 1016)->currentText(), QStringLiteral("NEW"));
}

void TestPathDialogs::charactersTheFileCannotHold_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<int>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: taken
    const auto refused = [](const char* what, const QString& character, bool path) {
        return QStringLiteral("The %1 cannot hold the character \"%2\": %3 has no such character.")
            .arg(QLatin1String(what), character,
                 path ? QStringLiteral("the OEM code page 437 of paths in the file")
                      : QStringLiteral("the file's code page Windows-1252"));
    };
    const QString euro = QStringLiteral(u"\u20AC");
    const QString ogonek = QStringLiteral(u"\u0105");
    // Paths go to the file in the OEM code page: the euro sign would come
    // back as another character.
    QTest::newRow("path euro") << "path" << CPath::kPathId << "SYS:\\PREIS" + euro
                               << refused("path", euro, true);
    QTest::newRow("path umlaut") << "path" << CPath::kPathId << QStringLiteral(u"SYS:\\M\u00DCLLER")
                                 << QString();
    QTest::newRow("job target") << "job" << CJob::kTargetId << "VOL1:\\" + ogonek
                                << refused("target path", ogonek, true);
    QTest::newRow("name") << "name" << CText::kEditId << "Z" + ogonek
                          << refused("name", ogonek, false);
    QTest::newRow("text euro") << "text" << CText::kEditId << "Preis " + euro << QString();
    QTest::newRow("text emoji") << "text" << CText::kEditId << QStringLiteral(u"ok \U0001F600")
                                << refused("text", QStringLiteral(u"\U0001F600"), false);
    QTest::newRow("server") << "server" << CTargetServer::kServerId << "FS" + ogonek
                            << refused("server name", ogonek, false);
    // The task file keeps Windows-1252 bytes: the euro sign is one of them.
    QTest::newRow("task euro") << "task" << CTaskEdit::kSourceId << "c:\\" + euro << QString();
    QTest::newRow("task source") << "task" << CTaskEdit::kSourceId << "c:\\" + ogonek
                                 << refused("source path", ogonek, false);
}

void TestPathDialogs::charactersTheFileCannotHold() {
    QFETCH(QString, dialog);
    QFETCH(int, box);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    std::unique_ptr<QDialog> d;
    if (dialog == QLatin1String("path")) {
        d = std::make_unique<CPath>();
    } else if (dialog == QLatin1String("job")) {
        auto job = std::make_unique<CJob>();
        job->sourcePath = "SYS:\\A";
        d = std::move(job);
    } else if (dialog == QLatin1String("server")) {
        auto target = std::make_unique<CTargetServer>();
        target->startNew();
        target->volume = "VOL1";
        d = std::move(target);
    } else if (dialog == QLatin1String("task")) {
        auto task = std::make_unique<CTaskEdit>();
        task->targetPath = "sys:x";
        d = std::move(task);
    } else {
        auto text = std::make_unique<CText>();
        text->rule =
            dialog == QLatin1String("name") ? ValueRules::Rule::Name : ValueRules::Rule::Line;
        d = std::move(text);
    }
    const Run run = drive(*d, [&](QDialog& shown) {
        edit(shown, box)->setText(typed);
        shown.accept();
    });
    if (message.isEmpty()) {
        QCOMPARE(run.code, int(QDialog::Accepted));
        return;
    }
    checkRefused(run, message, QStringLiteral("Pallworth"));
}

void TestPathDialogs::jobOk_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("focusId");

    const QString all = QStringLiteral("ALL");
    const QString invalid = kInvalid;
    const QString validation = kValidation;
    const QString pallworth = QStringLiteral("Pallworth");
    QTest::newRow("source volume, target drive")
        << QStringLiteral("SYS:\\DATA") << QStringLiteral("C:\\TEMP") << all << QString()
        << QString() << 0;
    QTest::newRow("target volume, source drive")
        << QStringLiteral("C:\\TEMP") << QStringLiteral("VOL1:\\X") << all << QString() << QString()
        << 0;
    QTest::newRow("target volume, source empty")
        << QString() << QStringLiteral("VOL1:") << all << QString() << QString() << 0;
    QTest::newRow("target with blanks around")
        << QString() << QStringLiteral(" VOL1:\\X ") << all << QString() << QString() << 0;
    QTest::newRow("typed copy mode") << QStringLiteral("SYS:\\A") << QStringLiteral("SYS:\\B")
                                     << QStringLiteral("MIRROR") << QString() << QString() << 0;
    QTest::newRow("both drives") << QStringLiteral("C:\\A") << QStringLiteral("D:\\B") << all
                                 << invalid << validation << 1024;
    QTest::newRow("both empty") << QString() << QString() << all << invalid << validation << 1024;
    QTest::newRow("linux paths with colons")
        << QStringLiteral("/srv/data:2024/x") << QStringLiteral("~alice/in:box") << all << invalid
        << validation << 1024;
    QTest::newRow("two-letter volumes") << QStringLiteral("AB:\\X") << QStringLiteral(" CD:") << all
                                        << invalid << validation << 1024;
    QTest::newRow("blanks do not make a volume")
        << QStringLiteral("  C:\\X") << QStringLiteral("\tD:") << all << invalid << validation
        << 1024;
    // The untested path must still read back from between its quotes.
    QTest::newRow("quote in the untested source")
        << QStringLiteral("C:\\\"A") << QStringLiteral("SYS:\\B") << all << kQuote << pallworth
        << 1024;
    QTest::newRow("quote in the target")
        << QStringLiteral("SYS:\\A") << QStringLiteral("SYS:\\\"B\"") << all << kQuote << pallworth
        << 1026;
    QTest::newRow("line break in the source")
        << QStringLiteral("SYS:\\A\r\nB") << QStringLiteral("SYS:\\B") << all << kLineBreak
        << pallworth << 1024;
    QTest::newRow("copy mode of two words")
        << QStringLiteral("SYS:\\A") << QStringLiteral("SYS:\\B") << QStringLiteral("ALL NEW")
        << kOneWord << pallworth << 1016;
    QTest::newRow("copy mode with comma")
        << QStringLiteral("SYS:\\A") << QString() << QStringLiteral("ALL,") << kOneWord << pallworth
        << 1016;
    QTest::newRow("copy mode with quote") << QStringLiteral("SYS:\\A") << QString()
                                          << QStringLiteral("A\"L") << kQuote << pallworth << 1016;
    QTest::newRow("copy mode cleared")
        << QStringLiteral("SYS:\\A") << QString() << QString() << kEmptyMode << pallworth << 1016;
}

void TestPathDialogs::jobOk() {
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, mode);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    QFETCH(int, focusId);

    CJob d;
    d.caption = "Directories";
    const Run run = drive(d, [&](QDialog& dialog) {
        edit(dialog, 1024)->setText(source);
        edit(dialog, 1026)->setText(target);
        control<QComboBox>(dialog, 1016)->setEditText(mode);
        dialog.accept();
    });
    if (message.isEmpty()) {
        QCOMPARE(run.code, int(QDialog::Accepted));
        QVERIFY(run.messages.empty());
        QCOMPARE(d.sourcePath, source.toStdString());
        QCOMPARE(d.targetPath, target.toStdString());
        QCOMPARE(d.copyMode, mode.toStdString());
        return;
    }
    checkRefused(run, message, caption);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(run.messages[0].icon == iconFor(caption));
    QWidget* focus = control<QWidget>(d, focusId);
    QVERIFY(focus);
    QVERIFY(d.focusWidget() == focus || focus->isAncestorOf(d.focusWidget()));
}

void TestPathDialogs::jobControlsRoundTrip() {
    CJob d;
    d.caption = "Files";
    d.sourcePath = "SYS:\\S\xE9";
    d.targetPath = "  T:";
    d.copyMode = "NEW";
    d.propagate = 1;
    const Run run = drive(d, [](QDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), QStringLiteral("Files"));
        QCOMPARE(edit(dialog, 1024)->text(), QStringLiteral(u"SYS:\\S\u00E9"));
        QCOMPARE(edit(dialog, 1026)->text(), QStringLiteral("  T:"));
        QVERIFY(control<QCheckBox>(dialog, 1018)->isChecked());
        control<QCheckBox>(dialog, 1018)->setChecked(false);
        QComboBox* mode = control<QComboBox>(dialog, 1016);
        mode->setCurrentIndex(mode->findText(QStringLiteral("ALL")));
        dialog.accept();
    });
    QCOMPARE(run.code, int(QDialog::Accepted));
    QCOMPARE(d.sourcePath, std::string("SYS:\\S\xE9"));
    QCOMPARE(d.targetPath, std::string("  T:"));
    QCOMPARE(d.copyMode, std::string("ALL"));
    QCOMPARE(d.propagate, 0);
    QCOMPARE(d.deletions(), std::string_view("NODEL"));

    // Any non-zero flag ticks the box; OK gives 1 back.
    d.propagate = 7;
    drive(d, [](QDialog& dialog) {
        QVERIFY(control<QCheckBox>(dialog, 1018)->isChecked());
        dialog.accept();
    });
    QCOMPARE(d.propagate, 1);
    QCOMPARE(d.deletions(), std::string_view("DEL"));
}

void TestPathDialogs::jobFromAndToSyncJob_data() {
    QTest::addColumn<QString>("deletions");
    QTest::addColumn<int>("propagate");
    QTest::addColumn<QString>("written");
    QTest::newRow("DEL") << QStringLiteral("DEL") << 1 << QStringLiteral("DEL");
    QTest::newRow("NODEL") << QStringLiteral("NODEL") << 0 << QStringLiteral("NODEL");
    // Untouched, a word the box cannot show stays as the file has it.
    QTest::newRow("del lower case") << QStringLiteral("del") << 0 << QStringLiteral("del");
    QTest::newRow("empty") << QString() << 0 << QString();
    QTest::newRow("DEL with blank") << QStringLiteral("DEL ") << 0 << QStringLiteral("DEL ");
}

void TestPathDialogs::jobFromAndToSyncJob() {
    QFETCH(QString, deletions);
    QFETCH(int, propagate);
    QFETCH(QString, written);

    const SyncJob original("SYS:\\FROM", "DATA:\\TO", "NEW", deletions.toStdString());
    CJob d;
    d.caption = "Files";
    d.loadFrom(original);
    QCOMPARE(d.sourcePath, std::string("SYS:\\FROM"));
    QCOMPARE(d.targetPath, std::string("DATA:\\TO"));
    QCOMPARE(d.copyMode, std::string("NEW"));
    QCOMPARE(d.propagate, propagate);
    QCOMPARE(CJob::propagateOf(deletions.toStdString()), propagate);

    // Through the dialog untouched and back into a job.
    const Run run = drive(d, [](QDialog& dialog) { dialog.accept(); });
    QCOMPARE(run.code, int(QDialog::Accepted));
    SyncJob job("x", "y", "z", "w");
    d.applyTo(job);
    QCOMPARE(job, SyncJob("SYS:\\FROM", "DATA:\\TO", "NEW", written.toStdString()));
}

// The list that opened the dialog decides, never its caption.
void TestPathDialogs::jobSourceShowsFiles_data() {
    QTest::addColumn<QString>("caption");
    QTest::addColumn<bool>("files");
    QTest::newRow("file job") << QStringLiteral("Directories") << true;
    QTest::newRow("directory job") << QStringLiteral("Files") << false;
    QTest::newRow("no caption") << QString() << false;
}

void TestPathDialogs::jobSourceShowsFiles() {
    QFETCH(QString, caption);
    QFETCH(bool, files);
    CJob d;
    d.caption = caption.toStdString();
    d.forFiles = files;
    QCOMPARE(d.sourceShowsFiles(), files);
}

void TestPathDialogs::ncfOk_data() {
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("message"); // empty: accepted
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("focusId");

    const QString local = kLocal;
    const QString onSource = QStringLiteral("Run on source");
    const QString onTarget = QStringLiteral("Run on target");
    const QString pallworth = QStringLiteral("Pallworth");
    QTest::newRow("both empty") << QString() << QString() << QString() << QString() << 0;
    QTest::newRow("source only") << QStringLiteral("SYS:\\SYSTEM\\PRE.NCF") << QString()
                                 << QString() << QString() << 0;
    QTest::newRow("target only") << QString() << QStringLiteral("SYS:\\POST.NCF") << QString()
                                 << QString() << 0;
    // Judged as typed: leading blanks count towards the volume name.
    QTest::newRow("blanks before a drive")
        << QStringLiteral("  C:\\PRE.NCF") << QString() << QString() << QString() << 0;
    QTest::newRow("drive source") << QStringLiteral("C:\\PRE.NCF") << QString() << local << onSource
                                  << 1033;
    QTest::newRow("bare name") << QStringLiteral("PRE.NCF") << QString() << local << onSource
                               << 1033;
    QTest::newRow("one blank before a drive")
        << QStringLiteral(" C:\\PRE.NCF") << QString() << local << onSource << 1033;
    QTest::newRow("blank only") << QStringLiteral(" ") << QString() << local << onSource << 1033;
    QTest::newRow("two-letter volume")
        << QStringLiteral("XY:PRE.NCF") << QString() << local << onSource << 1033;
    QTest::newRow("linux path with a colon") << QStringLiteral("/home/alice/backup:old/PRE.NCF")
                                             << QString() << local << onSource << 1033;
    QTest::newRow("blanks before a home path")
        << QString() << QStringLiteral("   ~/x:y/POST.NCF") << local << onTarget << 1034;
    QTest::newRow("drive target") << QStringLiteral("SYS:\\PRE.NCF")
                                  << QStringLiteral("C:\\POST.NCF") << local << onTarget << 1034;
    QTest::newRow("both bad: source first")
        << QStringLiteral("PRE.NCF") << QStringLiteral("C:\\POST.NCF") << local << onSource << 1033;
    QTest::newRow("quote in source")
        << QStringLiteral("SYS:\"PRE.NCF\"") << QString() << kQuote << pallworth << 1033;
    QTest::newRow("line break in target")
        << QString() << QStringLiteral("SYS:\\A\nB.NCF") << kLineBreak << pallworth << 1034;
    QTest::newRow("local before quote")
        << QStringLiteral("SYS:\"A") << QStringLiteral("C:\\B") << local << onTarget << 1034;
}

void TestPathDialogs::ncfOk() {
    QFETCH(QString, source);
    QFETCH(QString, target);
    QFETCH(QString, message);
    QFETCH(QString, caption);
    QFETCH(int, focusId);

    CNcf d;
    d.caption = "NCF to execute before";
    d.runOnSource = "OLD:SRC.NCF";
    d.runOnTarget = "OLD:DST.NCF";
    const Run run = drive(d, [&](QDialog& dialog) {
        edit(dialog, 1033)->setText(source);
        edit(dialog, 1034)->setText(target);
        dialog.accept();
    });
    if (message.isEmpty()) {
        QCOMPARE(run.code, int(QDialog::Accepted));
        QVERIFY(run.messages.empty());
        QCOMPARE(d.runOnSource, source.toStdString());
        QCOMPARE(d.runOnTarget, target.toStdString());
        return;
    }
    checkRefused(run, message, caption);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(run.messages[0].icon == ModalSeam::Icon::Warning);
    QCOMPARE(d.focusWidget(), edit(d, focusId));
}

void TestPathDialogs::ncfMoments_data() {
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("moment");
    QTest::newRow("before") << QStringLiteral("NCF to execute before") << int(CNcf::Moment::Before);
    QTest::newRow("after") << QStringLiteral("NCF to execute after") << int(CNcf::Moment::After);
    QTest::newRow("suspended") << QStringLiteral("NCF to execute when suspended")
                               << int(CNcf::Moment::Suspended);
}

void TestPathDialogs::ncfMoments() {
    QFETCH(QString, label);
    QFETCH(int, moment);

    // The window opens the dialog for the moment of the row it was opened on.
    const RowSpec* row = &Catalogue::commandFiles(static_cast<NcfMoment>(moment));
    QVERIFY(row->dialog == RowDialog::CommandFiles);
    QCOMPARE(QString::fromLatin1(row->label()), label);
    QCOMPARE(int(row->moment), moment);

    PackageDesc p;
    p.preNcfSrc = "PRE:S";
    p.preNcfDst = "PRE:D";
    p.postNcfSrc = "POST:S";
    p.postNcfDst = "POST:D";
    p.suspendNcfSrc = "SUSP:S";
    p.suspendNcfDst = "SUSP:D";
    const PackageDesc before = p;
    std::string PackageDesc::*const sources[] = {&PackageDesc::preNcfSrc, &PackageDesc::postNcfSrc,
                                                 &PackageDesc::suspendNcfSrc};
    std::string PackageDesc::*const targets[] = {&PackageDesc::preNcfDst, &PackageDesc::postNcfDst,
                                                 &PackageDesc::suspendNcfDst};

    CNcf d;
    d.caption = label.toStdString();
    d.loadFrom(p, row->moment);
    QCOMPARE(d.runOnSource, p.*sources[moment]);
    QCOMPARE(d.runOnTarget, p.*targets[moment]);

    const Run run = drive(d, [&](QDialog& dialog) {
        QCOMPARE(dialog.windowTitle(), label);
        QCOMPARE(edit(dialog, 1033)->text(), AnsiQt::toQString(p.*sources[moment]));
        QCOMPARE(edit(dialog, 1034)->text(), AnsiQt::toQString(p.*targets[moment]));
        edit(dialog, 1033)->setText(QStringLiteral("NEW:SRC.NCF"));
        edit(dialog, 1034)->clear();
        dialog.accept();
    });
    QCOMPARE(run.code, int(QDialog::Accepted));
    d.applyTo(p, row->moment);

    // Only the pair of this moment changed.
    PackageDesc expected = before;
    expected.*sources[moment] = "NEW:SRC.NCF";
    expected.*targets[moment] = "";
    QCOMPARE(p == expected, true);
    QVERIFY(!(p == before));
}

void TestPathDialogs::captionCutTo199Characters() {
    std::string longCaption;
    for (int i = 0; i < 230; ++i)
        longCaption += static_cast<char>('A' + i % 26);
    CPath path;
    CJob job;
    CNcf ncf;
    for (ValueDialog* d : {static_cast<ValueDialog*>(&path), static_cast<ValueDialog*>(&job),
                           static_cast<ValueDialog*>(&ncf)}) {
        d->caption = longCaption;
        QString title;
        drive(*d, [&](QDialog& dialog) {
            title = dialog.windowTitle();
            dialog.reject();
        });
        QCOMPARE(title, QString::fromLatin1(longCaption.substr(0, 199)));
    }
}

void TestPathDialogs::cancelLeavesMembersUnchanged() {
    CPath path;
    path.path = "SYS:\\KEPT";
    Run run = drive(path, [](QDialog& dialog) {
        edit(dialog, 1006)->setText(QStringLiteral("VOL:\\CHANGED"));
        dialog.reject();
    });
    QCOMPARE(run.code, int(QDialog::Rejected));
    QCOMPARE(path.path, std::string("SYS:\\KEPT"));

    CJob job;
    job.sourcePath = "SYS:\\A";
    job.copyMode = "NEW";
    job.propagate = 1;
    run = drive(job, [](QDialog& dialog) {
        edit(dialog, 1024)->setText(QStringLiteral("VOL:\\B"));
        control<QCheckBox>(dialog, 1018)->setChecked(false);
        control<QComboBox>(dialog, 1016)->setEditText(QStringLiteral("ALL"));
        dialog.reject();
    });
    QCOMPARE(run.code, int(QDialog::Rejected));
    QCOMPARE(job.sourcePath, std::string("SYS:\\A"));
    QCOMPARE(job.copyMode, std::string("NEW"));
    QCOMPARE(job.propagate, 1);

    CNcf ncf;
    ncf.runOnSource = "SYS:PRE.NCF";
    run = drive(ncf, [](QDialog& dialog) {
        edit(dialog, 1033)->clear();
        dialog.reject();
    });
    QCOMPARE(run.code, int(QDialog::Rejected));
    QCOMPARE(ncf.runOnSource, std::string("SYS:PRE.NCF"));
    QVERIFY(run.messages.empty());
}

void TestPathDialogs::longPathNotCut() {
    const std::string longPath = "SYS:\\" + std::string(40000, 'D');
    CPath d;
    d.path = longPath;
    const Run run = drive(d, [](QDialog& dialog) { dialog.accept(); });
    QCOMPARE(run.code, int(QDialog::Accepted));
    QCOMPARE(d.path.size(), longPath.size());
    QCOMPARE(d.path, longPath);
}

void TestPathDialogs::browseButtons_data() {
    QTest::addColumn<QString>("dialog"); // "path", "ncf", or the caption of a job
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("pick");   // below the test folder; empty: Cancel
    QTest::addColumn<QString>("filled"); // "=": the picked path itself
    QTest::addColumn<bool>("listsFiles");

    const QString folder = QStringLiteral("mapped/DATA");
    const QString file = QStringLiteral("mapped/DATA/PRE.NCF");
    const QString local = QStringLiteral("local/LOGS");
    const QString localFile = QStringLiteral("local/LOGS/RUN.NCF");
    const QString old = QStringLiteral("OLD:\\X");
    const QString volumeFolder = QStringLiteral("VOL1:DATA");
    const QString volumeFile = QStringLiteral("VOL1:DATA\\PRE.NCF");
    const QString path = QStringLiteral("path");
    const QString ncf = QStringLiteral("ncf");
    const QString files = QStringLiteral("Files");
    const QString dirs = QStringLiteral("Directories");

    QTest::newRow("path: mapped folder") << path << 1012 << 1006 << folder << volumeFolder << false;
    QTest::newRow("path: drive root")
        << path << 1012 << 1006 << QStringLiteral("mapped") << QStringLiteral("VOL1:") << false;
    QTest::newRow("path: local ignored") << path << 1012 << 1006 << local << old << false;
    QTest::newRow("path: cancel") << path << 1012 << 1006 << QString() << old << false;
    QTest::newRow("Files: source file") << files << 1022 << 1024 << file << volumeFile << true;
    QTest::newRow("Files: source local ignored")
        << files << 1022 << 1024 << localFile << old << true;
    QTest::newRow("Files: target folders only")
        << files << 1023 << 1026 << folder << volumeFolder << false;
    QTest::newRow("Directories: source folders only")
        << dirs << 1022 << 1024 << folder << volumeFolder << false;
    QTest::newRow("Directories: target") << dirs << 1023 << 1026 << folder << volumeFolder << false;
    QTest::newRow("Directories: target local ignored")
        << dirs << 1023 << 1026 << local << old << false;
    QTest::newRow("ncf: source file") << ncf << 1035 << 1033 << file << volumeFile << true;
    QTest::newRow("ncf: target file") << ncf << 1013 << 1034 << file << volumeFile << true;
    QTest::newRow("ncf: source local kept")
        << ncf << 1035 << 1033 << localFile << QStringLiteral("=") << true;
    QTest::newRow("ncf: target local folder kept")
        << ncf << 1013 << 1034 << local << QStringLiteral("=") << true;
    QTest::newRow("ncf: cancel") << ncf << 1013 << 1034 << QString() << old << true;
}

void TestPathDialogs::browseButtons() {
    QFETCH(QString, dialog);
    QFETCH(int, button);
    QFETCH(int, field);
    QFETCH(QString, pick);
    QFETCH(QString, filled);
    QFETCH(bool, listsFiles);

    BrowseWorld world;
    std::unique_ptr<PathDialog> d;
    std::vector<int> fields;
    if (dialog == QLatin1String("path")) {
        d = std::make_unique<CPath>(nullptr, world.browser());
        fields = {1006};
    } else if (dialog == QLatin1String("ncf")) {
        d = std::make_unique<CNcf>(nullptr, world.browser());
        fields = {1033, 1034};
    } else {
        auto job = std::make_unique<CJob>(nullptr, world.browser());
        // As the Files list opens it.
        job->forFiles = dialog == QLatin1String("Files");
        d = std::move(job);
        fields = {1024, 1026};
    }
    d->caption = dialog.toStdString();

    BrowserScript browser;
    browser.pick = world.path(pick);
    browser.probe = world.path(QStringLiteral("mapped/DATA/PRE.NCF"));
    std::vector<QString> after;
    // A local pick the dialog leaves out is told in a line under its box,
    // which goes when the box changes.
    std::vector<QString> notes;
    bool noteGoes = true;
    const auto noteOf = [](QDialog& opened, int id) {
        const auto* note = opened.findChild<QLabel*>(QString::number(id) + QStringLiteral("Note"));
        return note != nullptr && note->isVisible() ? note->text() : QString();
    };
    const Run run = drive(
        *d,
        [&](QDialog& opened) {
            opened.show();
            for (const int id : fields)
                edit(opened, id)->setText(QStringLiteral("OLD:\\X"));
            QTest::mouseClick(control<QPushButton>(opened, button), Qt::LeftButton);
            for (const int id : fields) {
                after.push_back(edit(opened, id)->text());
                notes.push_back(noteOf(opened, id));
            }
            QTest::keyClick(edit(opened, field), Qt::Key_End);
            QTest::keyClicks(edit(opened, field), QStringLiteral("Y"));
            noteGoes = noteOf(opened, field).isEmpty();
            opened.reject();
        },
        &browser);

    QCOMPARE(browser.opened, 1);
    QCOMPARE(browser.title, QStringLiteral("Browsing"));
    QCOMPARE(browser.listedProbe, listsFiles);
    QCOMPARE(run.messages.size(), std::size_t(0));
    QVERIFY(noteGoes);
    const QString expected = filled == QLatin1String("=") ? world.path(pick) : filled;
    const bool ignoredLocal = !pick.isEmpty() && filled == QStringLiteral("OLD:\\X");
    for (std::size_t i = 0; i < fields.size(); ++i) {
        QCOMPARE(after[i], fields[i] == field ? expected : QStringLiteral("OLD:\\X"));
        QCOMPARE(notes[i], fields[i] == field && ignoredLocal
                               ? QString::fromLatin1(BrowseButton::kLocalPickIgnored)
                               : QString());
    }
}

void TestPathDialogs::browsedLocalCommandFileRefusedOnOk() {
    BrowseWorld world;
    BrowserScript browser;
    browser.pick = world.path(QStringLiteral("local/LOGS/RUN.NCF"));
    CNcf d(nullptr, world.browser());
    d.caption = "NCF to execute after";
    d.runOnSource = "SYS:KEPT.NCF";
    const Run run = drive(
        d,
        [](QDialog& opened) {
            control<QPushButton>(opened, 1013)->click();
            opened.accept();
        },
        &browser);
    checkRefused(run, kLocal, QStringLiteral("Run on target"));
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(edit(d, 1034)->text(), browser.pick);
    QCOMPARE(d.runOnTarget, browser.pick.toStdString());
}

void TestPathDialogs::browseButtonsShowTheBrowseIcon() {
    AppFixture fixture;
    const QIcon& browse = fixture.app->browser().icon();
    QVERIFY(!browse.isNull());
    const PathBrowser* browser = &fixture.app->browser();
    CPath path(nullptr, browser);
    CJob job(nullptr, browser);
    CNcf ncf(nullptr, browser);
    const std::vector<std::pair<QDialog*, std::vector<int>>> buttons{
        {&path, {1012}}, {&job, {1022, 1023}}, {&ncf, {1035, 1013}}};
    for (const auto& [dialog, ids] : buttons)
        for (const int id : ids) {
            const QIcon shown = control<QPushButton>(*dialog, id)->icon();
            QVERIFY2(!shown.isNull(), qPrintable(QString::number(id)));
            QCOMPARE(shown.cacheKey(), browse.cacheKey());
        }
}

QTEST_MAIN(TestPathDialogs)
#include "tst_pathdialogs.moc"
