#include "WeekPicture.h"

#include "config/ScheduleText.h"
#include "framework/AnsiQt.h"
#include "framework/CountText.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolTip>
#include <algorithm>
#include <cmath>

namespace {

constexpr int kMinutesInDay = 24 * 60;
const QColor kWindowShade(90, 170, 90, 60);
const QColor kOutside(200, 40, 40);
const QColor kBand(70, 130, 200, 110);
const QColor kWarning(230, 120, 30);
// A legend entry: its sample, a gap, its text; entries apart by kLegendGap.
constexpr double kSampleWidth = 18;
constexpr double kLegendGap = 14;
constexpr double kLegendMargin = 4;

QString dayName(int day) {
    return QString::fromLatin1(ScheduleText::kDays[static_cast<std::size_t>(day)].data(), 3);
}

QString clock(int minute) {
    return QStringLiteral("%1:%2")
        .arg(minute / 60, 2, 10, QLatin1Char('0'))
        .arg(minute % 60, 2, 10, QLatin1Char('0'));
}

QString scheduleLine(const WeekSchedule::Timing& t) {
    if (!t.placed())
        return WeekPicture::tr("cannot be placed: %1").arg(AnsiQt::toQString(t.word));
    QString line = AnsiQt::toQString(ScheduleText::display(t.word));
    if (t.outsideWindow)
        line += WeekPicture::tr(" (outside the time window)");
    return line;
}

} // namespace

WeekPicture::WeekPicture(QWidget* parent) : QAbstractScrollArea(parent) {
    setObjectName(QStringLiteral("weekPicture"));
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
    verticalScrollBar()->setSingleStep(kLaneHeight);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, viewport(),
            qOverload<>(&QWidget::update));
}

void WeekPicture::setWeek(WeekSchedule week) {
    week_ = std::move(week);
    updateScrollBar();
    viewport()->update();
}

double WeekPicture::hourWidthFor(int width) {
    return std::max(3.0, double(width - kNameWidth) / WeekSchedule::kHoursInWeek);
}

int WeekPicture::labelStepFor(double hourWidth, const QFontMetrics& metrics) {
    const int room = metrics.horizontalAdvance(QStringLiteral("00")) + 6;
    for (int step : {1, 2, 3, 4, 6, 12})
        if (step * hourWidth >= room)
            return step;
    return 24;
}

QList<WeekPicture::LegendItem> WeekPicture::legendFor(int width) const {
    static const struct {
        Sample sample;
        const char* text;
    } kEntries[] = {{Sample::Daily, "daily run"},
                    {Sample::Every, "every N hours"},
                    {Sample::Target, "target's own run"},
                    {Sample::Outside, "outside the time window"},
                    {Sample::Window, "time window"},
                    {Sample::Threads, "threads"},
                    {Sample::Busy, "more daily starts than threads"},
                    {Sample::Unplaced, "schedule cannot be placed"}};
    // Left to right, on as many rows as the width needs.
    QList<LegendItem> items;
    double x = kLegendMargin;
    int row = 0;
    for (const auto& entry : kEntries) {
        const QString text = tr(entry.text);
        const double entryWidth = kSampleWidth + 4 + fontMetrics().horizontalAdvance(text);
        if (x > kLegendMargin && x + entryWidth > width - kLegendMargin) {
            x = kLegendMargin;
            ++row;
        }
        items.append(
            {entry.sample, text, QRectF(x, row * kLegendRowHeight, entryWidth, kLegendRowHeight)});
        x += entryWidth + kLegendGap;
    }
    return items;
}

WeekPicture::Frame WeekPicture::frameFor(int width, int scroll, int height) const {
    const QList<LegendItem> legend = legendFor(width);
    const int top = legend.isEmpty() ? 0 : int(legend.last().box.bottom());
    return {hourWidthFor(width), scroll, height, top};
}

WeekPicture::Frame WeekPicture::viewFrame() const {
    return frameFor(viewport()->width(), verticalScrollBar()->value(), viewport()->height());
}

int WeekPicture::lanesTop() const {
    return viewFrame().lanesTop();
}

int WeekPicture::axisTop() const {
    return viewFrame().axisTop();
}

int WeekPicture::hourLabelStep() const {
    return labelStepFor(viewFrame().hourWidth, fontMetrics());
}

QList<WeekPicture::LegendEntry> WeekPicture::legend() const {
    QList<LegendEntry> entries;
    for (const LegendItem& item : legendFor(viewport()->width()))
        entries.append(
            {item.text, QPointF(item.box.left() + kSampleWidth / 2, item.box.center().y())});
    return entries;
}

QRectF WeekPicture::signIn(int laneTop) {
    return {kNameWidth - kSignSize - 3.0, laneTop + (kLaneHeight - kSignSize) / 2.0,
            double(kSignSize), double(kSignSize)};
}

QPointF WeekPicture::signCentre(int lane) const {
    return signIn(laneTopIn(viewFrame(), lane)).center();
}

bool WeekPicture::hasUnplaced(const WeekSchedule::Package& package) {
    return !package.timing.placed() ||
           std::any_of(package.targets.begin(), package.targets.end(),
                       [](const WeekSchedule::Target& t) { return !t.timing.placed(); });
}

double WeekPicture::xIn(const Frame& f, int day, int minute) const {
    return kNameWidth + (day * kMinutesInDay + minute) * f.hourWidth / 60.0;
}

int WeekPicture::laneTopIn(const Frame& f, int lane) const {
    return f.lanesTop() + lane * kLaneHeight - f.scroll;
}

double WeekPicture::xOf(int day, int minute) const {
    return xIn(viewFrame(), day, minute);
}

double WeekPicture::laneMiddle(int lane) const {
    return laneTopIn(viewFrame(), lane) + kLaneHeight / 2.0;
}

int WeekPicture::laneAt(QPoint point) const {
    const int offset = point.y() - lanesTop();
    if (offset < 0 || point.x() < 0)
        return -1;
    const int lane = (offset + verticalScrollBar()->value()) / kLaneHeight;
    return lane < static_cast<int>(week_.packages.size()) ? lane : -1;
}

QSize WeekPicture::fullSize(int width) const {
    return {width, frameFor(width, 0, 0).lanesTop() +
                       static_cast<int>(week_.packages.size()) * kLaneHeight};
}

void WeekPicture::paintAll(QPainter& painter, int width) const {
    const QSize size = fullSize(width);
    painter.fillRect(QRect(QPoint(), size), palette().base());
    paint(painter, frameFor(width, 0, size.height()), width);
}

void WeekPicture::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().base());
    paint(painter, viewFrame(), viewport()->width());
}

void WeekPicture::paint(QPainter& p, const Frame& f, int width) const {
    const int count = static_cast<int>(week_.packages.size());
    const int first = std::max(0, f.scroll / kLaneHeight);
    const int last = std::min(count - 1, (f.scroll + f.height - f.lanesTop()) / kLaneHeight);
    p.save();
    p.setClipRect(QRect(0, f.lanesTop(), int(xIn(f, 7, 0)) + 1, f.height - f.lanesTop()));
    // Every other lane a shade darker: the first odd lane, then each second.
    for (int lane = first | 1; lane <= last; lane += 2)
        p.fillRect(QRectF(0, laneTopIn(f, lane), xIn(f, 7, 0), kLaneHeight),
                   palette().alternateBase());
    // Under the marks: the window, then the day and hour lines.
    paintWindow(p, f);
    paintDays(p, f);
    for (int lane = first; lane <= last; ++lane)
        paintLane(p, f, lane);
    p.restore();
    paintStrip(p, f);
    paintAxis(p, f);
    paintHeader(p, f);
    paintLegend(p, width);
}

void WeekPicture::paintLegend(QPainter& p, int width) const {
    for (const LegendItem& item : legendFor(width)) {
        paintSample(
            p, item.sample,
            QRectF(item.box.left(), item.box.top() + 3, kSampleWidth, item.box.height() - 6));
        p.setPen(palette().color(QPalette::Text));
        p.drawText(item.box.adjusted(kSampleWidth + 4, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft,
                   item.text);
    }
}

void WeekPicture::paintSample(QPainter& p, Sample sample, const QRectF& box) const {
    const QPointF c = box.center();
    const QColor highlight = palette().color(QPalette::Highlight);
    const auto bar = [&](double width, double inset, const QColor& colour) {
        p.fillRect(QRectF(c.x() - width / 2, box.top() + inset, width, box.height() - 2 * inset),
                   colour);
    };
    switch (sample) {
    case Sample::Daily:
        return bar(3, 0, highlight);
    case Sample::Target:
        return bar(1.5, 2, highlight.darker(140));
    case Sample::Outside:
        return bar(3, 0, kOutside);
    case Sample::Every:
        p.fillRect(QRectF(box.left(), c.y() - 3, box.width(), 6), kBand);
        return;
    case Sample::Window:
        p.fillRect(box, kWindowShade);
        return;
    case Sample::Threads:
        p.setPen(QPen(kOutside, 1, Qt::DashLine));
        p.drawLine(QPointF(box.left(), c.y()), QPointF(box.right(), c.y()));
        return;
    case Sample::Busy:
        p.fillRect(QRectF(box.left() + 4, box.top(), box.width() - 8, box.height()), kWarning);
        return;
    case Sample::Unplaced:
        paintSign(p,
                  QRectF(c.x() - kSignSize / 2.0, c.y() - kSignSize / 2.0, kSignSize, kSignSize));
        return;
    }
}

void WeekPicture::paintSign(QPainter& p, const QRectF& box) const {
    // A diamond: no mark of the week looks like it.
    const QPointF c = box.center();
    const QPointF corners[4] = {
        {c.x(), box.top()}, {box.right(), c.y()}, {c.x(), box.bottom()}, {box.left(), c.y()}};
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(kOutside);
    p.drawPolygon(corners, 4);
    p.restore();
}

void WeekPicture::paintHeader(QPainter& p, const Frame& f) const {
    p.fillRect(QRectF(0, f.top, xIn(f, 7, 0), kHeaderHeight), palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::Text));
    for (int day = 0; day < 7; ++day) {
        const double left = xIn(f, day, 0);
        p.drawText(QRectF(left, f.top, xIn(f, day + 1, 0) - left, kHeaderHeight), Qt::AlignCenter,
                   dayName(day));
    }
    p.setPen(palette().color(QPalette::Mid));
    for (int day = 0; day <= 7; ++day)
        p.drawLine(QPointF(xIn(f, day, 0), f.top), QPointF(xIn(f, day, 0), f.lanesTop()));
    p.drawLine(QPointF(0, f.top), QPointF(xIn(f, 7, 0), f.top));
    p.drawLine(QPointF(0, f.lanesTop()), QPointF(xIn(f, 7, 0), f.lanesTop()));
}

void WeekPicture::paintAxis(QPainter& p, const Frame& f) const {
    const double bottom = f.axisTop() + kAxisHeight;
    p.fillRect(QRectF(0, f.axisTop(), xIn(f, 7, 0), kAxisHeight),
               palette().color(QPalette::Window));
    const int step = labelStepFor(f.hourWidth, fontMetrics());
    const double labelWidth = step * f.hourWidth;
    for (int day = 0; day < 7; ++day) {
        for (int hour = 0; hour < 24; ++hour) {
            const double x = xIn(f, day, hour * 60);
            const bool labelled = hour % step == 0;
            p.setPen(palette().color(QPalette::Mid));
            p.drawLine(QPointF(x, bottom - (labelled ? 5 : 2)), QPointF(x, bottom));
            if (!labelled)
                continue;
            p.setPen(palette().color(QPalette::Text));
            p.drawText(QRectF(x - labelWidth / 2, f.axisTop(), labelWidth, kAxisHeight - 4),
                       Qt::AlignCenter, QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')));
        }
    }
}

void WeekPicture::paintDays(QPainter& p, const Frame& f) const {
    const QColor line = palette().color(QPalette::Mid);
    const double top = f.lanesTop();
    for (int day = 0; day < 7; ++day) {
        const double left = xIn(f, day, 0);
        p.setPen(QPen(line, 0, Qt::DotLine));
        for (int hour = 6; hour < 24; hour += 6)
            p.drawLine(QPointF(xIn(f, day, hour * 60), top),
                       QPointF(xIn(f, day, hour * 60), f.height));
        p.setPen(line);
        p.drawLine(QPointF(left, top), QPointF(left, f.height));
    }
    p.drawLine(QPointF(xIn(f, 7, 0), top), QPointF(xIn(f, 7, 0), f.height));
}

void WeekPicture::paintWindow(QPainter& p, const Frame& f) const {
    if (!week_.window)
        return;
    const WeekSchedule::Window& w = *week_.window;
    const auto shade = [&](int day, int from, int to) {
        p.fillRect(
            QRectF(QPointF(xIn(f, day, from), f.lanesTop()), QPointF(xIn(f, day, to), f.height)),
            kWindowShade);
    };
    for (int day = 0; day < 7; ++day) {
        if (w.startMinute == w.endMinute) {
            shade(day, 0, kMinutesInDay);
        } else if (w.startMinute < w.endMinute) {
            shade(day, w.startMinute, w.endMinute);
        } else {
            // Across midnight: the evening of one day runs on into the
            // morning of the next, so every day shows both ends.
            shade(day, w.startMinute, kMinutesInDay);
            shade(day, 0, w.endMinute);
        }
    }
}

void WeekPicture::paintLane(QPainter& p, const Frame& f, int lane) const {
    const WeekSchedule::Package& package = week_.packages[static_cast<std::size_t>(lane)];
    const int top = laneTopIn(f, lane);
    const bool sign = hasUnplaced(package);
    if (sign)
        paintSign(p, signIn(top));
    p.setPen(package.timing.placed() ? palette().color(QPalette::Text) : kOutside);
    const QRect name(4, top, kNameWidth - 8 - (sign ? kSignSize + 4 : 0), kLaneHeight);
    p.drawText(
        name, Qt::AlignVCenter | Qt::AlignLeft,
        fontMetrics().elidedText(AnsiQt::toQString(package.name), Qt::ElideRight, name.width()));
    paintTiming(p, f, top, package, package.timing, false);
    for (const WeekSchedule::Target& target : package.targets)
        paintTiming(p, f, top, package, target.timing, true);
}

void WeekPicture::paintTiming(QPainter& p, const Frame& f, int top,
                              const WeekSchedule::Package& package,
                              const WeekSchedule::Timing& timing, bool target) const {
    if (!timing.placed())
        return;
    const QColor mark = timing.outsideWindow ? kOutside : palette().color(QPalette::Highlight);
    for (int day = 0; day < 7; ++day) {
        if (!package.days[static_cast<std::size_t>(day)])
            continue;
        if (timing.daily()) {
            const double x = xIn(f, day, timing.dailyMinute);
            const double inset = target ? 4 : 2;
            const double width = target ? 1.5 : 3.0;
            p.fillRect(QRectF(x - width / 2, top + inset, width, kLaneHeight - 2 * inset),
                       target ? mark.darker(140) : mark);
            continue;
        }
        // "Every N hours" repeats all day from an hour the file does not
        // give: a band across the day with its interval.
        const double left = xIn(f, day, 0);
        const double right = xIn(f, day + 1, 0);
        const double height = target ? 2 : 6;
        const QRectF band(left + 1, top + (kLaneHeight - height) / 2, right - left - 2, height);
        p.fillRect(band, target ? kBand.darker(150) : kBand);
        if (!target && right - left > 30) {
            p.setPen(palette().color(QPalette::Text));
            p.drawText(QRectF(left, top, right - left, kLaneHeight), Qt::AlignCenter,
                       tr("%1 h").arg(timing.everyHours));
        }
    }
}

void WeekPicture::paintStrip(QPainter& p, const Frame& f) const {
    const QRectF strip(kNameWidth, f.stripTop() + 4, xIn(f, 7, 0) - kNameWidth, kStripHeight - 8);
    p.fillRect(QRectF(0, f.stripTop(), xIn(f, 7, 0), kStripHeight),
               palette().color(QPalette::Window));
    const int most = *std::max_element(week_.startsPerHour.begin(), week_.startsPerHour.end());
    const int scale = std::max({most, week_.threads, 1});
    const auto y = [&](int starts) { return strip.bottom() - strip.height() * starts / scale; };
    for (int h = 0; h < WeekSchedule::kHoursInWeek; ++h) {
        const int starts = week_.startsPerHour[static_cast<std::size_t>(h)];
        if (starts == 0)
            continue;
        const double left = xIn(f, h / 24, (h % 24) * 60);
        p.fillRect(QRectF(QPointF(left, y(starts)), QPointF(left + f.hourWidth, strip.bottom())),
                   starts > week_.threads ? kWarning : palette().color(QPalette::Dark));
    }
    p.setPen(QPen(kOutside, 1, Qt::DashLine));
    p.drawLine(QPointF(strip.left(), y(week_.threads)), QPointF(strip.right(), y(week_.threads)));
    p.setPen(palette().color(QPalette::Text));
    p.drawText(QRectF(4, f.stripTop(), kNameWidth - 8, kStripHeight),
               Qt::AlignVCenter | Qt::AlignLeft,
               tr("Starts per hour\n%1").arg(CountText::of(week_.threads, "thread", "threads")));
}

void WeekPicture::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    updateScrollBar();
}

void WeekPicture::updateScrollBar() {
    const int lanes = static_cast<int>(week_.packages.size()) * kLaneHeight;
    const int room = viewport()->height() - lanesTop();
    verticalScrollBar()->setRange(0, std::max(0, lanes - room));
    verticalScrollBar()->setPageStep(std::max(kLaneHeight, room));
}

void WeekPicture::mousePressEvent(QMouseEvent* event) {
    const int lane = laneAt(event->position().toPoint());
    if (event->button() == Qt::LeftButton && lane >= 0)
        emit packageClicked(week_.packages[static_cast<std::size_t>(lane)].id);
    QAbstractScrollArea::mousePressEvent(event);
}

bool WeekPicture::viewportEvent(QEvent* event) {
    if (event->type() != QEvent::ToolTip)
        return QAbstractScrollArea::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const QString text = describe(help->pos());
    if (text.isEmpty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), text, viewport());
    return true;
}

QString WeekPicture::describe(QPoint point) const {
    const Frame f = viewFrame();
    const double minuteOfWeek = (point.x() - kNameWidth) * 60.0 / f.hourWidth;
    if (point.y() >= f.stripTop() && point.y() < f.lanesTop() && minuteOfWeek >= 0) {
        const int hour = static_cast<int>(minuteOfWeek / 60);
        if (hour >= WeekSchedule::kHoursInWeek)
            return {};
        return tr("%1 %2: %3, %4")
            .arg(dayName(hour / 24), clock((hour % 24) * 60),
                 CountText::of(week_.startsPerHour[static_cast<std::size_t>(hour)], "daily start",
                               "daily starts"),
                 CountText::of(week_.threads, "thread", "threads"));
    }
    const int lane = laneAt(point);
    return lane < 0 ? QString() : describeLane(lane, point.x());
}

QString WeekPicture::describeLane(int lane, double x) const {
    const WeekSchedule::Package& package = week_.packages[static_cast<std::size_t>(lane)];
    QStringList lines{AnsiQt::toQString(package.name)};
    // The daily mark nearest the pointer, a few pixels either way.
    double nearest = 5;
    QString hit;
    const auto consider = [&](const WeekSchedule::Timing& t, const QString& who) {
        for (int day = 0; t.daily() && day < 7; ++day) {
            const double distance = std::abs(xOf(day, t.dailyMinute) - x);
            if (package.days[static_cast<std::size_t>(day)] && distance < nearest) {
                nearest = distance;
                hit = who + dayName(day) + QLatin1Char(' ') + clock(t.dailyMinute) +
                      QLatin1Char('\n') + scheduleLine(t);
            }
        }
    };
    consider(package.timing, QString());
    for (const WeekSchedule::Target& target : package.targets)
        consider(target.timing,
                 tr("Target %1, on its package's days\n").arg(AnsiQt::toQString(target.server)));
    if (!hit.isEmpty()) {
        lines << hit;
    } else {
        lines << scheduleLine(package.timing);
        for (const WeekSchedule::Target& target : package.targets)
            lines << tr("Target %1 (on its package's days): %2")
                         .arg(AnsiQt::toQString(target.server), scheduleLine(target.timing));
    }
    return lines.join(QLatin1Char('\n'));
}
