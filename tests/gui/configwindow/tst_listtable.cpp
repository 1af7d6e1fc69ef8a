#include "TestSupport.h"
#include "gui/app/AppFixture.h"

#include "config/ListTable.h"
#include "configwindow/CPallworthDoc.h"
#include "configwindow/CPallworthTreeView.h"
#include "configwindow/CSplitterFrame.h"
#include "configwindow/CSyncView.h"
#include "configwindow/DetailContent.h"
#include "dialogs/CJob.h"
#include "dialogs/CPath.h"
#include "dialogs/CTargetServer.h"
#include "framework/CommandIds.h"

#include <QLineEdit>
#include <QMdiArea>
#include <QTemporaryDir>

using namespace testsupport;

namespace {

// Two entries of each list, as the engine's users write them.
struct Sample {
    std::string_view keyword;
    std::string_view first;
    std::string_view second;
};
constexpr Sample kSamples[] = {
    {"DEST", "  DEST SRV-A VOL1 MSGON 0 TCP 08:00\r\n", "  DEST SRV-B DATA MSGOFF 64 4\r\n"},
    {"EXCLUDE", "  EXCLUDE \"SYS:\\TEMP\"\r\n", "  EXCLUDE \"DATA:\\CACHE\"\r\n"},
    {"SYNCDIR", "  SYNCDIR ALL DEL \"SYS:\\DATA\" \"VOL1:\\DATA\"\r\n",
     "  SYNCDIR NEW NODEL \"SYS:\\HOME\" \"VOL1:\\HOME\"\r\n"},
    {"SYNCFILE", "  SYNCFILE ALL NODEL \"SYS:\\ETC\\HOSTS\" \"VOL1:\\ETC\\HOSTS\"\r\n",
     "  SYNCFILE NEW DEL \"SYS:\\ETC\\NET.CFG\" \"VOL1:\\ETC\\NET.CFG\"\r\n"},
};

std::string fileWith(const Sample& s) {
    return "VERSION 1.30\r\nUSER admin.branch\r\nPWD " + std::string(40, 'a') +
           std::string(40, '5') + "\r\n\r\nPACKAGE Branch\r\n  SOURCE SRV-MAIN\r\n" +
           std::string(s.first) + std::string(s.second) + "PACKAGE END\r\n";
}

std::string written(const std::string& bytes, ConfigModel& model) {
    const OemCodePage oem;
    if (!ConfigReader(oem).read(bytes, model).ok)
        return {};
    return ConfigWriter(oem).write(model);
}

// Types `text` into the first field of whichever entry dialog opens.
std::function<int(QDialog&)> firstField(const QString& text, bool* filesBrowsed = nullptr) {
    return [text, filesBrowsed](QDialog& d) {
        int id = CPath::kPathId;
        if (qobject_cast<CTargetServer*>(&d) != nullptr) {
            id = CTargetServer::kServerId;
            auto* volume = d.findChild<QLineEdit*>(QString::number(CTargetServer::kVolumeId));
            if (volume->text().isEmpty())
                volume->setText(QStringLiteral("VOL1"));
        } else if (auto* job = qobject_cast<CJob*>(&d)) {
            id = CJob::kSourceId;
            if (filesBrowsed != nullptr)
                *filesBrowsed = job->sourceShowsFiles();
        }
        d.findChild<QLineEdit*>(QString::number(id))->setText(text);
        d.accept();
        return d.result();
    };
}

} // namespace

class TestListTable : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyListReadsWritesAndEdits_data();
    void everyListReadsWritesAndEdits();

private:
    CSplitterFrame* content() const {
        return qobject_cast<CSplitterFrame*>(fixture_->documents().activeFrame()->widget());
    }
    CSyncView* list() const { return content()->listView(); }
    QStringList firstColumn() const {
        QStringList cells;
        for (int r = 0; r < list()->topLevelItemCount(); ++r)
            cells << list()->topLevelItem(r)->text(0);
        return cells;
    }
    void key(int row, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        list()->setCurrentItem(list()->topLevelItem(row));
        QTest::keyClick(list(), key, modifiers);
    }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
};

void TestListTable::init() {
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
}

void TestListTable::cleanup() {
    seam_.reset();
    fixture_.reset();
}

void TestListTable::everyListReadsWritesAndEdits_data() {
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("edited");
    QTest::addColumn<QString>("added");
    for (const ListRow& row : ListTable::packageLists()) {
        const bool target = row.dialog == EntryDialog::TargetServer;
        QTest::newRow(std::string(row.keyword).c_str())
            << static_cast<int>(&row - ListTable::packageLists().data())
            << (target ? QStringLiteral("SRV-EDITED") : QStringLiteral("SYS:\\EDITED"))
            << (target ? QStringLiteral("SRV-NEW") : QStringLiteral("SYS:\\NEW"));
    }
}

void TestListTable::everyListReadsWritesAndEdits() {
    QFETCH(int, index);
    QFETCH(QString, edited);
    QFETCH(QString, added);
    const ListRow& row = ListTable::packageLists()[static_cast<std::size_t>(index)];
    const Sample* sample = std::find_if(std::begin(kSamples), std::end(kSamples),
                                        [&](const Sample& s) { return s.keyword == row.keyword; });
    QVERIFY2(sample != std::end(kSamples), "a list without sample lines");

    // Both lines come out as they stand, and a second save changes nothing.
    ConfigModel model;
    const std::string bytes = written(fileWith(*sample), model);
    QVERIFY(bytes.find(std::string(sample->first) + std::string(sample->second)) !=
            std::string::npos);
    ConfigModel again;
    QCOMPARE(written(bytes, again), bytes);
    QVERIFY(again == model);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("lists.cfg"));
    QVERIFY(FileStore::writeAtomically(path.toStdString(), bytes).ok);
    fixture_->openKnown(path);
    auto* doc = static_cast<CPallworthDoc*>(fixture_->documents().activeDocument());
    QVERIFY(doc != nullptr);
    content()->treeView()->setCurrentItem(
        content()->treeView()->nodeShowing(row.node, doc->model().packages.at(1).id));
    QCOMPARE(list()->columnCount(), static_cast<int>(row.columns.size()));
    for (int c = 0; c < list()->columnCount(); ++c)
        QCOMPARE(list()->headerItem()->text(c),
                 QString::fromLatin1(row.columns[static_cast<std::size_t>(c)].title));
    const QStringList read = firstColumn();
    QCOMPARE(read.size(), 2);

    // Enter edits the second entry only; the Files list's source browses files.
    bool filesBrowsed = false;
    fixture_->onDialog = firstField(edited, &filesBrowsed);
    key(1, Qt::Key_Return);
    QCOMPARE(firstColumn(), QStringList({read[0], edited}));
    QCOMPARE(filesBrowsed, row.node == DetailKind::Files);
    // Insert puts the new entry after the selected one.
    fixture_->onDialog = firstField(added);
    key(0, Qt::Key_Insert);
    QCOMPARE(firstColumn(), QStringList({read[0], added, edited}));
    // Alt+Down moves a row only in a list that can be dragged.
    key(0, Qt::Key_Down, Qt::AltModifier);
    const QStringList moved = row.draggable ? QStringList({added, read[0], edited})
                                            : QStringList({read[0], added, edited});
    QCOMPARE(firstColumn(), moved);
    key(static_cast<int>(moved.indexOf(added)), Qt::Key_Delete);
    QCOMPARE(firstColumn(), QStringList({read[0], edited}));

    // The saved file holds what the list shows; the entry nobody touched
    // keeps its line byte for byte.
    fixture_->frame().action(CommandIds::FileSave)->trigger();
    QCOMPARE(fixture_->messages.join(QLatin1Char('|')), QString());
    QVERIFY(!doc->isModified());
    ConfigModel saved;
    const std::string savedBytes = fileBytes(path).toStdString();
    QCOMPARE(written(savedBytes, saved), savedBytes);
    QVERIFY(savedBytes.find(sample->first) != std::string::npos);
    QStringList shown;
    for (const auto& cells : DetailContent::build(saved, row.node, 1, 0).rows)
        shown << QString::fromStdString(cells.front());
    QCOMPARE(shown, QStringList({read[0], edited}));
}

QTEST_MAIN(TestListTable)
#include "tst_listtable.moc"
