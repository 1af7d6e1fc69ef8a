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
#include <QMdiArea>
#include <QScreen>
#include <QToolTip>
#include <sys/stat.h>

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
    void unplacedScheduleSignsItsLane_data();
    void unplacedScheduleSignsItsLane();
    void hoursAndLegendDrawn_data();
    void hoursAndLegendDrawn();
    void exportsPngAndSvg();
    void exportNamedByTypeUnderUmask_data();
    void exportNamedByTypeUnderUmask();
    void exportAsksAboutTheFileItWrites();
    void windowOnScreenAboveMainWindow_data();
    void windowOnScreenAboveMainWindow();

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

// Schedules as hands write them wrong: a target's hour 25, a package's "+4",
// and a package whose second target is wrong but its first right.
const std::string kUnplaced = kWeek + "PACKAGE BadTarget\r\nSCHEDULE 03:00 MON\r\n"
                                      "DEST B V MSGON 0 TCP 25:00\r\nPACKAGE END\r\n"
                                      "PACKAGE BadPackage\r\nSCHEDULE +4 MON\r\nPACKAGE END\r\n"
                                      "PACKAGE SecondTarget\r\nSCHEDULE 6 MON\r\n"
                                      "DEST C V MSGON 0 TCP 08:00\r\nDEST D V MSGON 0 TCP 8:00\r\n"
                                      "PACKAGE END\r\n";

const QColor kRed(200, 40, 40);

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

    // The strip's counts, one and none.
    const auto strip = [&](int day, int minute) {
        return picture->describe(QPoint(int(picture->xOf(day, minute)), picture->lanesTop() - 10));
    };
    QCOMPARE(strip(1, 2 * 60 + 20), QStringLiteral("MON 02:00: 1 daily start, 1 thread"));
    QCOMPARE(strip(2, 5 * 60 + 20), QStringLiteral("TUE 05:00: 0 daily starts, 1 thread"));

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

void TestWeekPicture::unplacedScheduleSignsItsLane_data() {
    QTest::addColumn<int>("lane");
    QTest::addColumn<QString>("word"); // the word named on hover; empty: no sign
    QTest::newRow("package and target placed") << 0 << QString();
    QTest::newRow("every N hours placed") << 2 << QString();
    QTest::newRow("target at hour 25") << 3 << QStringLiteral("25:00");
    QTest::newRow("package every +4 hours") << 4 << QStringLiteral("+4");
    QTest::newRow("second target wrong") << 5 << QStringLiteral("8:00");
}

void TestWeekPicture::unplacedScheduleSignsItsLane() {
    QFETCH(int, lane);
    QFETCH(QString, word);
    WeekScheduleWindow* window = openWeek(kUnplaced);
    QVERIFY(window != nullptr);
    WeekPicture* picture = window->picture();
    const QPoint sign = picture->signCentre(lane).toPoint();
    // Seen without hovering: the picture as drawn.
    const QColor pixel = picture->viewport()->grab().toImage().pixelColor(sign);
    QCOMPARE(pixel.rgb() == kRed.rgb(), !word.isEmpty());
    const QString described = picture->describe(sign);
    if (!word.isEmpty())
        QVERIFY2(described.contains(QStringLiteral("cannot be placed: ") + word),
                 qPrintable(described));
}

void TestWeekPicture::hoursAndLegendDrawn_data() {
    QTest::addColumn<int>("width");
    QTest::newRow("six pixels an hour") << kWidth;
    QTest::newRow("narrowest") << WeekPicture::kNameWidth + 7 * 24 * 3;
}

void TestWeekPicture::hoursAndLegendDrawn() {
    QFETCH(int, width);
    WeekScheduleWindow* window = openWeek(kWeek);
    QVERIFY(window != nullptr);
    WeekPicture* picture = window->picture();
    window->resize(width, 400);
    QCoreApplication::processEvents();
    QCOMPARE(picture->viewport()->width(), width);
    const QImage image = picture->viewport()->grab().toImage();
    const QPalette& palette = picture->palette();
    const auto colourAt = [&](QPointF at) { return image.pixelColor(at.toPoint()).rgb(); };

    // A tick at every hour at the foot of the axis, none between.
    const int foot = picture->axisTop() + WeekPicture::kAxisHeight - 1;
    const int step = picture->hourLabelStep();
    QCOMPARE(24 % step, 0);
    for (int hour = 1; hour < 24; ++hour) {
        QCOMPARE(colourAt(QPointF(picture->xOf(2, hour * 60), foot)),
                 palette.color(QPalette::Mid).rgb());
        QVERIFY(colourAt(QPointF(picture->xOf(2, hour * 60 + 30), foot)) !=
                palette.color(QPalette::Mid).rgb());
    }
    // Each labelled hour has its label above its tick.
    const auto inked = [&](int hour) {
        const int x = int(picture->xOf(3, hour * 60));
        for (int y = picture->axisTop(); y < foot - 5; ++y)
            for (int dx = -3; dx <= 3; ++dx)
                if (image.pixelColor(x + dx, y).rgb() != palette.color(QPalette::Window).rgb())
                    return true;
        return false;
    };
    for (int hour = step; hour < 24; hour += step)
        QVERIFY2(inked(hour), qPrintable(QString::number(hour)));

    // Every kind of mark in the legend, its sample drawn as the mark is,
    // inside the picture however narrow.
    const QColor highlight = palette.color(QPalette::Highlight);
    const QList<WeekPicture::LegendEntry> legend = picture->legend();
    QStringList texts;
    for (const WeekPicture::LegendEntry& entry : legend) {
        texts << entry.text;
        QVERIFY(entry.sample.x() < width && entry.sample.y() < picture->axisTop());
    }
    QCOMPARE(texts, (QStringList{QStringLiteral("daily run"), QStringLiteral("every N hours"),
                                 QStringLiteral("target's own run"),
                                 QStringLiteral("outside the time window"),
                                 QStringLiteral("time window"), QStringLiteral("threads"),
                                 QStringLiteral("more daily starts than threads"),
                                 QStringLiteral("schedule cannot be placed")}));
    QCOMPARE(colourAt(legend[0].sample), highlight.rgb());
    QCOMPARE(colourAt(legend[2].sample), highlight.darker(140).rgb());
    QCOMPARE(colourAt(legend[3].sample), kRed.rgb());
    QCOMPARE(colourAt(legend[7].sample), kRed.rgb());
    for (int i : {1, 4, 6})
        QVERIFY(colourAt(legend[i].sample) != palette.color(QPalette::Base).rgb());
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

void TestWeekPicture::exportNamedByTypeUnderUmask_data() {
    QTest::addColumn<bool>("png");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("written");
    QTest::addColumn<int>("umask");
    QTest::addColumn<int>("mode");
    const auto row = [](const char* name, bool png, const char* typed, const char* written,
                        int mask, int mode) {
        QTest::newRow(name) << png << QString::fromLatin1(typed) << QString::fromLatin1(written)
                            << mask << mode;
    };
    row("png without extension, umask 022", true, "week", "week.png", 022, 0644);
    row("svg without extension, umask 077", false, "week", "week.svg", 077, 0600);
    row("png named so", true, "week.png", "week.png", 022, 0644);
    row("upper-case extension", true, "WEEK.PNG", "WEEK.PNG", 077, 0600);
    row("svg named .png", false, "week.png", "week.png.svg", 022, 0644);
    row("a dot in the name", true, "week.v2", "week.v2.png", 022, 0644);
    row("ends in a dot", false, "week.", "week.svg", 002, 0664);
}

void TestWeekPicture::exportNamedByTypeUnderUmask() {
    QFETCH(bool, png);
    QFETCH(QString, typed);
    QFETCH(QString, written);
    QFETCH(int, umask);
    QFETCH(int, mode);
    WeekScheduleWindow* window = openWeek(kWeek);
    QVERIFY(window != nullptr);
    fixture_->fileName = work_->filePath(typed);
    const mode_t previous = ::umask(static_cast<mode_t>(umask));
    window->findChild<QAction*>(png ? QStringLiteral("exportPng") : QStringLiteral("exportSvg"))
        ->trigger();
    ::umask(previous);
    QVERIFY(fixture_->messages.isEmpty());
    QStringList files = QDir(work_->path()).entryList(QDir::Files);
    files.removeOne(QStringLiteral("week.cfg"));
    QCOMPARE(files, QStringList{written});
    struct stat info {};
    QCOMPARE(::stat(QFile::encodeName(work_->filePath(written)).constData(), &info), 0);
    QCOMPARE(int(info.st_mode & 0777), mode);
    QFile file(work_->filePath(written));
    QVERIFY(file.open(QIODevice::ReadOnly));
    QVERIFY(file.read(8).startsWith(png ? QByteArray("\x89PNG") : QByteArray("<?xml")));
}

void TestWeekPicture::exportAsksAboutTheFileItWrites() {
    WeekScheduleWindow* window = openWeek(kWeek);
    QVERIFY(window != nullptr);
    fixture_->fileName = work_->filePath(QStringLiteral("week"));
    window->exportPng();
    // The SVG of the same name is a file of its own: no question.
    window->exportSvg();
    QVERIFY(fixture_->messages.isEmpty());
    QVERIFY(QFile::exists(work_->filePath(QStringLiteral("week.svg"))));
    // The PNG again: the question names it, and No leaves it as it was.
    QFile png(work_->filePath(QStringLiteral("week.png")));
    QVERIFY(png.open(QIODevice::ReadWrite));
    png.write("kept");
    png.close();
    fixture_->answer = QMessageBox::No;
    window->exportPng();
    QCOMPARE(fixture_->messages,
             QStringList{QDir::toNativeSeparators(png.fileName()) +
                         QStringLiteral(" already exists.\nDo you want to replace it?")});
    QVERIFY(png.open(QIODevice::ReadOnly));
    QCOMPARE(png.readAll().left(4), QByteArray("kept"));
    png.close();
    fixture_->answer = QMessageBox::Yes;
    window->exportPng();
    QVERIFY(png.open(QIODevice::ReadOnly));
    QVERIFY(png.readAll().startsWith("\x89PNG"));
}

void TestWeekPicture::windowOnScreenAboveMainWindow_data() {
    QTest::addColumn<QString>("document"); // the document window's state
    QTest::addColumn<QPoint>("mainAt");    // where the main window stands
    QTest::newRow("maximised") << QStringLiteral("maximised") << QPoint(0, 0);
    QTest::newRow("narrow, room on its right") << QStringLiteral("narrow") << QPoint(0, 0);
    QTest::newRow("main window low on the screen") << QStringLiteral("maximised") << QPoint(0, 500);
    QTest::newRow("main window past the right") << QStringLiteral("narrow") << QPoint(700, 100);
}

void TestWeekPicture::windowOnScreenAboveMainWindow() {
    QFETCH(QString, document);
    QFETCH(QPoint, mainAt);
    CMainFrame& frame = fixture_->frame();
    frame.move(mainAt);
    const QString path = work_->filePath(QStringLiteral("week.cfg"));
    writeFile(path, kWeek);
    QVERIFY(fixture_->openKnown(path) != nullptr);
    QMdiSubWindow* child = frame.mdiArea()->activeSubWindow();
    if (document == QLatin1String("narrow")) {
        child->showNormal();
        child->setGeometry(0, 0, 120, 200);
    }
    QCoreApplication::processEvents();
    frame.action(CommandIds::ViewWeekSchedule)->trigger();
    auto* window = frame.findChild<WeekScheduleWindow*>();
    QVERIFY(window != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // A tool window of the main window: kept above it by the window manager.
    QCOMPARE(window->parentWidget(), &frame);
    QCOMPARE(window->windowType(), Qt::Tool);
    QCOMPARE(window->windowHandle()->transientParent(), frame.windowHandle());
    const QRect screen = frame.screen()->availableGeometry();
    QVERIFY(screen.contains(window->frameGeometry()));
    const QRect doc(child->mapToGlobal(QPoint(0, 0)), child->size());
    // Beside the document where there is room, not over it.
    if (document == QLatin1String("narrow") && mainAt.x() == 0)
        QCOMPARE(window->frameGeometry().left(), doc.right() + 1);
    else if (document == QLatin1String("narrow"))
        QCOMPARE(window->frameGeometry().right(), doc.left() - 1);
}

QTEST_MAIN(TestWeekPicture)
#include "tst_weekpicture.moc"
