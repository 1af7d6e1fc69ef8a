#include "TestSupport.h"
#include "gui/app/AppFixture.h"

#include "framework/CommandIds.h"
#include "framework/DiskWatcher.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QGuiApplication>
#include <QMdiArea>
#include <QPalette>
#include <QScreen>
#include <QTreeWidget>

using namespace testsupport;

namespace {

// Every message the seam was asked to show, with the buttons it offered.
struct Asked {
    QList<ModalSeam::Message> messages;
    QStringList texts() const {
        QStringList all;
        for (const ModalSeam::Message& m : messages)
            all << m.text;
        return all;
    }
};

double luminance(QColor c) {
    return 0.2126 * c.redF() + 0.7152 * c.greenF() + 0.0722 * c.blueF();
}

QPalette themed(bool dark) {
    QPalette palette;
    const QColor base = dark ? QColor(30, 30, 34) : QColor(255, 255, 255);
    const QColor text = dark ? QColor(225, 225, 225) : QColor(20, 20, 20);
    for (auto role : {QPalette::Base, QPalette::Window})
        palette.setColor(role, base);
    for (auto role : {QPalette::Text, QPalette::WindowText})
        palette.setColor(role, text);
    return palette;
}

} // namespace

class TestMainWindow : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void startsFittingTheScreenAndRemembers();
    void exitOffersDiscardAll_data();
    void exitOffersDiscardAll();
    void reloadRereadsTheFile_data();
    void reloadRereadsTheFile();
    void changeOnDiskOffersReload_data();
    void changeOnDiskOffersReload();
    void treeIconsReadOnTheTheme_data();
    void treeIconsReadOnTheTheme();

private:
    QString copyOf(const char* name, const QString& as) {
        const QString path = work_->filePath(as);
        QFile::copy(QString::fromStdString(dataPath(name)), path);
        QFile(path).setPermissions(QFile::ReadOwner | QFile::WriteOwner);
        return path;
    }
    Document* openCopy(const QString& as = QStringLiteral("a.cfg")) {
        return fixture_->documents().openFile(copyOf("rich-1.30.expected.cfg", as));
    }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
    std::unique_ptr<QTemporaryDir> work_;
    Asked asked_;
};

void TestMainWindow::init() {
    fixture_ = std::make_unique<AppFixture>();
    ModalSeam::Hooks hooks = fixture_->answerAll();
    hooks.message = [this, record = hooks.message](const ModalSeam::Message& m) {
        asked_.messages << m;
        return record(m);
    };
    seam_ = std::make_unique<ModalSeam::Scope>(hooks);
    work_ = std::make_unique<QTemporaryDir>();
    asked_ = {};
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
    QTest::addColumn<int>("questions");
    QTest::addColumn<bool>("offered");
    QTest::addColumn<bool>("closed");
    QTest::newRow("two modified, Discard All") << 2 << QMessageBox::NoToAll << 1 << true << true;
    QTest::newRow("two modified, Cancel") << 2 << QMessageBox::Cancel << 1 << true << false;
    QTest::newRow("one modified") << 1 << QMessageBox::No << 1 << false << true;
}

void TestMainWindow::exitOffersDiscardAll() {
    QFETCH(int, modified);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(int, questions);
    QFETCH(bool, offered);
    QFETCH(bool, closed);
    for (int i = 0; i < 3; ++i)
        openCopy(QStringLiteral("%1.cfg").arg(i))->setModifiedFlag(i < modified);
    fixture_->answer = answer;

    QCOMPARE(fixture_->frame().close(), closed);
    QCOMPARE(asked_.messages.size(), questions);
    QCOMPARE(asked_.messages[0].buttons.testFlag(QMessageBox::NoToAll), offered);
    QCOMPARE(fixture_->documents().documents().isEmpty(), closed);
}

void TestMainWindow::reloadRereadsTheFile_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("reloaded");
    QTest::newRow("unmodified") << false << QMessageBox::No << false << true;
    QTest::newRow("modified, discard") << true << QMessageBox::Yes << true << true;
    QTest::newRow("modified, keep") << true << QMessageBox::No << true << false;
}

void TestMainWindow::reloadRereadsTheFile() {
    QFETCH(bool, modified);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, asked);
    QFETCH(bool, reloaded);
    Document* document = openCopy();
    fixture_->documents().newWindow(*document);
    document->setModifiedFlag(modified);
    const std::string before = document->writeBytes();
    QVERIFY(
        FileStore::writeAtomically(document->filePath().toStdString(), dataFile("new.expected.cfg"))
            .ok);
    fixture_->answer = answer;

    fixture_->frame().action(CommandIds::FileReload)->trigger();
    QCOMPARE(!asked_.messages.isEmpty(), asked);
    Document* now = fixture_->documents().activeDocument();
    QCOMPARE(fixture_->documents().documents().size(), 1);
    QCOMPARE(fixture_->documents().framesOf(*now).size(), 2);
    QCOMPARE(now->writeBytes() != before, reloaded);
    QCOMPARE(now->isModified(), !reloaded);
}

void TestMainWindow::changeOnDiskOffersReload_data() {
    QTest::addColumn<bool>("modified");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("reloaded");
    QTest::newRow("unmodified, reload") << false << QMessageBox::Yes << true;
    QTest::newRow("modified, reload") << true << QMessageBox::Yes << true;
    QTest::newRow("modified, keep") << true << QMessageBox::No << false;
}

void TestMainWindow::changeOnDiskOffersReload() {
    QFETCH(bool, modified);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, reloaded);
    Document* document = openCopy();
    const QString title = document->title();
    // Our own save asks nothing.
    document->setModifiedFlag();
    QVERIFY(fixture_->documents().save(*document));
    QTest::qWait(300);
    QVERIFY(asked_.messages.isEmpty());

    document->setModifiedFlag(modified);
    fixture_->answer = answer;
    const std::string before = document->writeBytes();
    const std::string other = dataFile("new.expected.cfg");
    QFile file(document->filePath());
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(other.data(), qint64(other.size()));
    file.close();

    QTRY_COMPARE(asked_.texts(), QStringList{DiskWatcher::question(title, modified)});
    Document* now = fixture_->documents().activeDocument();
    QCOMPARE(now->writeBytes() != before, reloaded);
    QCOMPARE(now->isModified(), modified && !reloaded);
    // The same change is not asked about twice.
    QTest::qWait(300);
    QCOMPARE(asked_.messages.size(), 1);
}

void TestMainWindow::treeIconsReadOnTheTheme_data() {
    QTest::addColumn<bool>("dark");
    QTest::newRow("light") << false;
    QTest::newRow("dark") << true;
}

void TestMainWindow::treeIconsReadOnTheTheme() {
    QFETCH(bool, dark);
    // A desktop theme colours the item views as the rest.
    const char* const kViews = "QAbstractItemView";
    const QPalette before = QApplication::palette();
    const QPalette views = QApplication::palette(kViews);
    QApplication::setPalette(themed(dark));
    QApplication::setPalette(themed(dark), kViews);
    openCopy();
    auto* tree = fixture_->frame().findChild<QTreeWidget*>(QStringLiteral("configTree"));
    QVERIFY(tree != nullptr);
    const QColor base = tree->palette().color(QPalette::Base);
    for (int i = 0; i < tree->topLevelItemCount(); ++i) {
        const QImage icon = tree->topLevelItem(i)->icon(0).pixmap(QSize(16, 16)).toImage();
        // The outline: the first drawn pixel from the left on each row.
        double contrast = 0;
        int rows = 0;
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x) {
                const QColor c = icon.pixelColor(x, y);
                if (c.alpha() < 128)
                    continue;
                contrast += std::abs(luminance(c) - luminance(base));
                ++rows;
                break;
            }
        }
        QVERIFY(rows > 0);
        QVERIFY2(contrast / rows > 0.5, qPrintable(tree->topLevelItem(i)->text(0)));
    }
    QApplication::setPalette(before);
    QApplication::setPalette(views, kViews);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
