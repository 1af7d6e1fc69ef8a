#pragma once

#include "config/WeekSchedule.h"
#include "text/RecordId.h"

#include <QAbstractScrollArea>

class QFontMetrics;

// The week at a glance: seven day columns of 24 hours with the hours marked
// and labelled, one lane per package with a mark at each daily run, a band
// for "every N hours" and thinner marks for targets with a schedule of their
// own, and a warning sign in the lane of a package or target whose schedule
// cannot be placed; the daily time window shaded on every day, above the
// lanes the daily starts per hour against the thread count, and at the top a
// legend of all these. Only the lanes in view are drawn.
class WeekPicture : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int kNameWidth = 150;
    static constexpr int kLegendRowHeight = 18;
    static constexpr int kHeaderHeight = 18;
    static constexpr int kAxisHeight = 16;
    static constexpr int kStripHeight = 48;
    static constexpr int kLaneHeight = 14;
    static constexpr int kSignSize = 10;

    explicit WeekPicture(QWidget* parent = nullptr);

    void setWeek(WeekSchedule week);
    const WeekSchedule& week() const { return week_; }

    // Viewport positions: the x of a moment of the week and the vertical
    // middle of a package's lane (0-based) as drawn now.
    double xOf(int day, int minute) const;
    double laneMiddle(int lane) const;
    // Where the lanes and the time axis begin as drawn now (the legend above
    // them takes more rows in a narrow window).
    int lanesTop() const;
    int axisTop() const;
    // The middle of the warning sign of a lane, drawn when the package's or
    // a target's schedule cannot be placed.
    QPointF signCentre(int lane) const;
    // The hours labelled on the time axis: every `step` hours from midnight.
    int hourLabelStep() const;
    // The legend as drawn now: each entry's text and the middle of its
    // sample.
    struct LegendEntry {
        QString text;
        QPointF sample;
    };
    QList<LegendEntry> legend() const;
    // The lane under a viewport point, -1 when none is.
    int laneAt(QPoint point) const;
    // What hovering over a viewport point shows.
    QString describe(QPoint point) const;

    // The whole picture, every lane, `width` pixels wide.
    QSize fullSize(int width) const;
    void paintAll(QPainter& painter, int width) const;

signals:
    void packageClicked(RecordId id);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // Where the drawing stands: the width of an hour and how far the lanes
    // are scrolled.
    struct Frame {
        double hourWidth;
        int scroll;
        int height;
        // The legend's height; the day header starts below it.
        int top;

        int axisTop() const { return top + kHeaderHeight; }
        int stripTop() const { return axisTop() + kAxisHeight; }
        int lanesTop() const { return stripTop() + kStripHeight; }
    };
    // The samples of the legend, in the order it shows them.
    enum class Sample { Daily, Every, Target, Outside, Window, Threads, Busy, Unplaced };
    struct LegendItem {
        Sample sample;
        QString text;
        QRectF box;
    };
    Frame frameFor(int width, int scroll, int height) const;
    Frame viewFrame() const;
    static double hourWidthFor(int width);
    static int labelStepFor(double hourWidth, const QFontMetrics& metrics);
    QList<LegendItem> legendFor(int width) const;
    double xIn(const Frame& f, int day, int minute) const;
    int laneTopIn(const Frame& f, int lane) const;
    static QRectF signIn(int laneTop);
    static bool hasUnplaced(const WeekSchedule::Package& package);

    void paint(QPainter& p, const Frame& f, int width) const;
    void paintLegend(QPainter& p, int width) const;
    void paintSample(QPainter& p, Sample sample, const QRectF& box) const;
    void paintSign(QPainter& p, const QRectF& box) const;
    void paintHeader(QPainter& p, const Frame& f) const;
    void paintAxis(QPainter& p, const Frame& f) const;
    void paintDays(QPainter& p, const Frame& f) const;
    void paintWindow(QPainter& p, const Frame& f) const;
    void paintLane(QPainter& p, const Frame& f, int lane) const;
    void paintTiming(QPainter& p, const Frame& f, int top, const WeekSchedule::Package& package,
                     const WeekSchedule::Timing& timing, bool target) const;
    void paintStrip(QPainter& p, const Frame& f) const;
    void updateScrollBar();
    QString describeLane(int lane, double x) const;

    WeekSchedule week_;
};
