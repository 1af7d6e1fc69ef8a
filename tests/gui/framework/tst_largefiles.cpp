#include "TestSupport.h"
#include "gui/app/AppFixture.h"

#include "LargeDocuments.h"
#include "configwindow/CPallworthDoc.h"
#include "configwindow/CPallworthTreeView.h"
#include "configwindow/CSplitterFrame.h"
#include "framework/BackgroundWork.h"

#include <QCryptographicHash>
#include <QDir>
#include <QMdiArea>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <malloc.h>

using namespace testsupport;

namespace {

// A figure of /proc/self/status in MiB: "VmRSS:" the resident memory of this
// process, "VmHWM:" its peak.
qint64 statusMiB(const QByteArray& figure = "VmRSS:") {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(figure))
            return line.mid(figure.size()).trimmed().split(' ').first().toLongLong() / 1024;
    return -1;
}

qint64 residentMiB() {
    return statusMiB();
}

// Starts the peak over from the resident size now; false when it cannot, or
// when the peak would say nothing of the open (the address sanitizer's
// quarantine holds what the open freed).
bool resetPeak() {
#ifdef __SANITIZE_ADDRESS__
    return false;
#else
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
#endif
}

QByteArray digest(const QString& path) {
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : QByteArray();
}

// Counts the paints and timer ticks a window gets while a test waits on it.
class Liveness : public QObject {
public:
    explicit Liveness(QWidget& watched) : watched_(watched) {
        watched.installEventFilter(this);
        connect(&tick_, &QTimer::timeout, this, [this] {
            ++ticks;
            watched_.update();
        });
        tick_.start(20);
    }
    int ticks = 0;
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }

private:
    QWidget& watched_;
    QTimer tick_;
};

} // namespace

// Opening and saving the largest configuration the model allows: off the
// window's thread, with progress and Cancel in the status bar.
class TestLargeFiles : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void cancelledOpenOpensNothing();
    void saveShowsProgressAndCanBeCancelled_data();
    void saveShowsProgressAndCanBeCancelled();
    void closingGivesTheMemoryBack();

private:
    QProgressBar* bar() const {
        return fixture_->frame().statusBar()->findChild<QProgressBar*>(
            QStringLiteral("workProgress"));
    }
    // Once the progress bar shows, notes what it says, with `cancel` clicks
    // Cancel, and runs `meanwhile` (the work has not ended yet either way).
    void whenProgressShows(bool cancel, const std::function<void()>& meanwhile = {}) {
        barText_.clear();
        auto* poll = new QTimer(this);
        connect(poll, &QTimer::timeout, this, [this, poll, cancel, meanwhile] {
            QProgressBar* shown = bar();
            // Cancel can stop a save only while it still writes bytes.
            if (shown == nullptr || !shown->isVisible() || shown->value() <= 0 ||
                shown->value() >= shown->maximum() - 1)
                return;
            barText_ = shown->text();
            if (cancel)
                QTest::mouseClick(fixture_->frame().statusBar()->findChild<QPushButton*>(
                                      QStringLiteral("workCancel")),
                                  Qt::LeftButton);
            if (meanwhile)
                meanwhile();
            poll->deleteLater();
            poll->stop();
        });
        poll->start(10);
    }
    CPallworthDoc* doc() const {
        return static_cast<CPallworthDoc*>(fixture_->documents().activeDocument());
    }
    CPallworthTreeView* tree() const {
        return qobject_cast<CSplitterFrame*>(fixture_->documents().activeFrame()->widget())
            ->treeView();
    }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
    QTemporaryDir work_;
    QString path_;
    QString barText_;
    qint64 beforeOpen_ = 0;
    qint64 afterOpen_ = 0;
};

void TestLargeFiles::initTestCase() {
    QVERIFY(work_.isValid());
    path_ = work_.filePath(QStringLiteral("full.cfg"));
    {
        const ConfigModel full = LargeDocuments::fullConfig();
        const Status written =
            FileStore::writeAtomically(path_.toStdString(), [&full](const FileStore::Pieces& put) {
                return ConfigWriter(OemCodePage(437)).write(full, put, FileStore::kPiece);
            });
        QVERIFY2(written.ok, written.error.c_str());
    }
    // What the generated model left behind must not hide what the open takes.
    malloc_trim(0);
    QVERIFY(QFileInfo(path_).size() > 200 * 1024 * 1024);
    // A quiet machine saves the file in less than the half second after
    // which progress shows.
    BackgroundWork::setQuietMs(0);
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
    fixture_->frame().show();
    QVERIFY(QTest::qWaitForWindowExposed(&fixture_->frame()));
}

void TestLargeFiles::cleanupTestCase() {
    seam_.reset();
    fixture_.reset();
}

void TestLargeFiles::cancelledOpenOpensNothing() {
    whenProgressShows(true);
    QCOMPARE(fixture_->documents().openFile(path_), nullptr);
    QVERIFY2(barText_.endsWith(QStringLiteral(" MB")), qPrintable(barText_));
    QVERIFY(fixture_->documents().documents().isEmpty());
    QVERIFY(fixture_->frame().mdiArea()->subWindowList().isEmpty());
    QCOMPARE(fixture_->messages, QStringList());
    // The bar and its button go with the work.
    QCOMPARE(bar(), nullptr);
}

void TestLargeFiles::saveShowsProgressAndCanBeCancelled_data() {
    QTest::addColumn<bool>("cancel");
    QTest::newRow("cancelled") << true;
    QTest::newRow("saved") << false;
    QTest::newRow("saved again") << false;
}

void TestLargeFiles::saveShowsProgressAndCanBeCancelled() {
    QFETCH(bool, cancel);
    if (fixture_->documents().documents().isEmpty()) {
        beforeOpen_ = residentMiB();
        const bool peakReset = resetPeak();
        whenProgressShows(false);
        QVERIFY(fixture_->documents().openFile(path_) != nullptr);
        QVERIFY2(barText_.contains(QStringLiteral(" of ")), qPrintable(barText_));
        afterOpen_ = residentMiB();
        // The file is read in pieces: no copy of it is held beside the model
        // (1.3 times the file).
        const qint64 fileMiB = QFileInfo(path_).size() >> 20;
        const qint64 peak = statusMiB("VmHWM:") - beforeOpen_;
        if (peakReset)
            QVERIFY2(peak < fileMiB * 16 / 10,
                     qPrintable(QString("the open peaked at %1 MiB").arg(peak)));
        fixture_->documents().newWindow(*doc());
    }
    CPallworthDoc& document = *doc();
    const int packages = document.model().packages.count();
    tree()->setCurrentItem(tree()->packagesNode()->child(0));
    QTest::keyClick(tree(), Qt::Key_Delete);
    QCOMPARE(document.model().packages.count(), packages - 1);
    QVERIFY(document.isModified());
    // The problems panel checks the edit as soon as events run, as it would
    // before a user could press a key.
    QCoreApplication::processEvents();
    const QByteArray before = digest(path_);

    fixture_->frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&fixture_->frame()));
    Liveness live(fixture_->frame());
    // Keys pressed while the save runs must not edit the document.
    whenProgressShows(cancel, [this] {
        tree()->setCurrentItem(tree()->packagesNode()->child(0));
        QTest::keyClick(tree(), Qt::Key_Delete);
    });
    QTest::keyClick(tree(), Qt::Key_S, Qt::ControlModifier);

    QCOMPARE(fixture_->messages, QStringList());
    QVERIFY2(!barText_.isEmpty(), "no progress shown");
    // A whole save takes some hundred ms; a cancelled one ends soon after Cancel.
    const int least = cancel ? 1 : 10;
    QVERIFY2(live.ticks >= least && live.paints >= (least + 1) / 2,
             qPrintable(QStringLiteral("%1 ticks, %2 paints").arg(live.ticks).arg(live.paints)));
    QCOMPARE(document.model().packages.count(), packages - 1);
    QCOMPARE(document.isModified(), cancel);
    QCOMPARE(digest(path_) == before, cancel);
    // Nothing is left beside the file.
    QCOMPARE(QDir(work_.path()).entryList(QDir::Files), QStringList{QStringLiteral("full.cfg")});
    if (!cancel)
        QCOMPARE(QFileInfo(path_).size(), qint64(document.writeBytes().size()));
    for (ChildFrame* frame : fixture_->documents().framesOf(document))
        QCOMPARE(frame->isWindowModified(), cancel);
}

void TestLargeFiles::closingGivesTheMemoryBack() {
#ifdef __SANITIZE_ADDRESS__
    QSKIP("the address sanitizer's allocator holds freed memory in quarantine");
#endif
    Document* document = fixture_->documents().activeDocument();
    QVERIFY(document != nullptr);
    QVERIFY(fixture_->documents().closeDocument(*document));
    const qint64 afterClose = residentMiB();
    qInfo("resident memory: %lld MiB before the open, %lld MiB open, %lld MiB after closing",
          beforeOpen_, afterOpen_, afterClose);
    // Nine tenths of what the document took, at least, is given back.
    QVERIFY(afterOpen_ - beforeOpen_ > 100);
    QVERIFY(afterClose - beforeOpen_ < (afterOpen_ - beforeOpen_) / 10);
}

QTEST_MAIN(TestLargeFiles)
#include "tst_largefiles.moc"
