#include "TestSupport.h"
#include "gui/app/AppFixture.h"

#include "configwindow/CPallworthDoc.h"
#include "configwindow/CPallworthTreeView.h"
#include "configwindow/WeekPicture.h"
#include "configwindow/WeekScheduleWindow.h"
#include "framework/CommandIds.h"

#include <QAction>
#include <QHelpEvent>
#include <QImage>
#include <QToolTip>

using namespace testsupport;

// The week picture of a small configuration, drawn offscreen and read back
// pixel by pixel at the places the picture's own mapping gives.
class TestWeekPicture : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void marksStandAtDayAndHour_data();
    void marksStandAtDayAndHour();
    void clickSelectsAndEditsFollow();
    void exportsPngAndSvg();

private:
    static constexpr int kWidth = WeekPicture::kNameWidth + 7 * 24 * 6;
    WeekScheduleWindow* openWeek(const std::string& text) {
        const QString path = work_->filePath(QStringLiteral("week.cfg"));
        writeFile(path, text);
        auto* doc = static_cast<CPallworthDoc*>(fixture_->openKnown(path));
        fixture_->frame().action(CommandIds::ViewWeekSchedule)->trigger();
        auto* window = fixture_->frame().findChild<WeekScheduleWindow*>();
        if (window == nullptr || &window->document() != doc)
            return nullptr;
        // An hour six pixels wide: every mark on a whole pixel.
        window->resize(kWidth, 400);
        QCoreApplication::processEvents();
        return window->picture()->viewport()->width() == kWidth ? window : nullptr;
    }
    static void writeFile(const QString& path, const std::string& text) {
        const Status written = FileStore::writeAtomically(path.toStdString(), text);
        QVERIFY2(written.ok, written.error.c_str());
    }

    std::unique_ptr<AppFixture> fixture_;
    std::unique_ptr<ModalSeam::Scope> seam_;
    std::unique_ptr<QTemporaryDir> work_;
};

void TestWeekPicture::init() {
    fixture_ = std::make_unique<AppFixture>();
    seam_ = std::make_unique<ModalSeam::Scope>(fixture_->answerAll());
    work_ = std::make_unique<QTemporaryDir>();
}

void TestWeekPicture::cleanup() {
    seam_.reset();
    fixture_.reset();
    work_.reset();
}

namespace {

const std::string kWeek = "VERSION 1.30\r\nUSER u\r\nPWD p\r\nMAXTHREADS 1\r\n"
                          "STARTJOB 22:00\r\nENDJOB 06:00\r\n"
                          "PACKAGE Nightly\r\nSCHEDULE 02:00 WED MON\r\n"
                          "DEST A V MSGON 0 TCP 23:00\r\nPACKAGE END\r\n"
                          "PACKAGE Daytime\r\nSCHEDULE 12:00 TUE\r\nPACKAGE END\r\n"
                          "PACKAGE Often\r\nSCHEDULE 4 SUN\r\nPACKAGE END\r\n";

} // namespace

void TestWeekPicture::marksStandAtDayAndHour_data() {
    QTest::addColumn<int>("lane");
    QTest::addColumn<int>("day");
    QTest::addColumn<int>("minute");
    QTest::addColumn<QString>("seen");
    const auto row = [](const char* name, int lane, int day, int minute, const char* seen) {
        QTest::newRow(name) << lane << day << minute << QString::fromLatin1(seen);
    };
    row("daily run on Monday", 0, 1, 120, "mark");
    row("daily run on Wednesday", 0, 3, 120, "mark");
    row("no run on Tuesday", 0, 2, 120, "shaded");
    row("target's own run, on the package's days", 0, 1, 23 * 60, "target");
    row("no target run on Sunday", 0, 0, 23 * 60, "shaded");
    row("run outside the window", 1, 2, 12 * 60, "outside");
    row("no run beside it", 1, 2, 13 * 60, "plain");
    row("every 4 hours is a band", 2, 0, 9 * 60, "band");
    row("no band on Monday", 2, 1, 9 * 60, "plain");
    row("window shaded in the evening", 1, 4, 23 * 60, "shaded");
    row("window shaded across midnight", 1, 5, 5 * 60, "shaded");
    row("window ends at six", 1, 5, 6 * 60 + 30, "plain");
}

void TestWeekPicture::marksStandAtDayAndHour() {
    QFETCH(int, lane);
    QFETCH(int, day);
    QFETCH(int, minute);
    QFETCH(QString, seen);
    WeekScheduleWindow* window = openWeek(kWeek);
    QVERIFY(window != nullptr);
    WeekPicture* picture = window->picture();
    // Six pixels an hour after the names: the mapping itself, checked once.
    QCOMPARE(picture->xOf(day, minute), WeekPicture::kNameWidth + (day * 1440 + minute) / 10.0);
    const QImage image = picture->viewport()->grab().toImage();
    const auto at = [&](int d, int m) {
        return image.pixelColor(int(picture->xOf(d, m)), int(picture->laneMiddle(lane)));
    };
    const QColor highlight = picture->palette().color(QPalette::Highlight);
    // The same lane at 13:30 on Thursday: nothing runs, no window.
    const QColor plain = at(4, 13 * 60 + 30);
    const QColor pixel = at(day, minute);
    if (seen == QLatin1String("mark"))
        QCOMPARE(pixel.rgb(), highlight.rgb());
    else if (seen == QLatin1String("target"))
        QCOMPARE(pixel.rgb(), highlight.darker(140).rgb());
    else if (seen == QLatin1String("outside"))
        QCOMPARE(pixel.rgb(), QColor(200, 40, 40).rgb());
    else if (seen == QLatin1String("plain"))
        QCOMPARE(pixel.rgb(), plain.rgb());
    else // a band or the window: a tint of the lane, no mark
        QVERIFY(pixel.rgb() != plain.rgb() && pixel.rgb() != highlight.rgb());
    QCOMPARE(
        picture->laneAt(QPoint(int(picture->xOf(day, minute)), int(picture->laneMiddle(lane)))),
        lane);
}

void TestWeekPicture::clickSelectsAndEditsFollow() {
    WeekScheduleWindow* window = openWeek(kWeek);
    QVERIFY(window != nullptr);
    WeekPicture* picture = window->picture();
    CPallworthDoc& doc = window->document();
    auto* tree = fixture_->frame().findChild<CPallworthTreeView*>();
    QVERIFY(tree != nullptr);
    QTest::mouseClick(picture->viewport(), Qt::LeftButton, {},
                      QPoint(int(picture->xOf(3, 600)), int(picture->laneMiddle(1))));
    QCOMPARE(tree->currentItem(), tree->nodeOf(doc.model().packages.at(2).id));
    // Hovering: the tooltip the viewport shows for a target's mark.
    const QPoint mark(int(picture->xOf(1, 23 * 60)), int(picture->laneMiddle(0)));
    QHelpEvent help(QEvent::ToolTip, mark, picture->viewport()->mapToGlobal(mark));
    QCoreApplication::sendEvent(picture->viewport(), &help);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(),
             QStringLiteral("Nightly\nTarget A, on its package's days\nMON 23:00\ndaily at 23:00"));

    // Edits reach the picture: a new package, then a removed one.
    const auto id = doc.AddPackage("Added");
    QVERIFY(id.has_value());
    QCOMPARE(picture->week().packages.size(), std::size_t(4));
    doc.RemoveRecord(doc.model().packages.at(1).id);
    QCOMPARE(picture->week().packages.size(), std::size_t(3));
    QCOMPARE(picture->week().packages[0].name, std::string("Daytime"));
    // One window per document.
    fixture_->frame().action(CommandIds::ViewWeekSchedule)->trigger();
    QCOMPARE(fixture_->frame().findChildren<WeekScheduleWindow*>().size(), 1);
}

void TestWeekPicture::exportsPngAndSvg() {
    WeekScheduleWindow* window = openWeek(kWeek);
    QVERIFY(window != nullptr);
    const QString png = work_->filePath(QStringLiteral("week.png"));
    const QString svg = work_->filePath(QStringLiteral("week.svg"));
    fixture_->fileName = png;
    window->exportPng();
    fixture_->fileName = svg;
    window->exportSvg();
    const QImage image(png);
    QCOMPARE(image.size(), window->picture()->fullSize(kWidth));
    QFile file(svg);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.readAll().contains("<svg"));
    QVERIFY(fixture_->messages.isEmpty());
    // Set PALLWORTH_WEEK_SCREENSHOT to a file name to keep a picture of the
    // window, on the configuration PALLWORTH_WEEK_SOURCE names if set.
    const QString target = qEnvironmentVariable("PALLWORTH_WEEK_SCREENSHOT");
    const QString source = qEnvironmentVariable("PALLWORTH_WEEK_SOURCE");
    if (!target.isEmpty() && !source.isEmpty())
        WeekScheduleWindow::showFor(*static_cast<CPallworthDoc*>(fixture_->openKnown(source)),
                                    &fixture_->frame())
            ->resize(1200, 620);
    if (!target.isEmpty())
        QVERIFY(fixture_->frame().findChildren<WeekScheduleWindow*>().last()->grab().save(target));
}

QTEST_MAIN(TestWeekPicture)
#include "tst_weekpicture.moc"
