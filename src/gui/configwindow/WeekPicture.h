#pragma once

#include "config/RecordId.h"
#include "config/WeekSchedule.h"

#include <QAbstractScrollArea>

// The week at a glance: seven day columns of 24 hours, one lane per
// package with a mark at each daily run, a band for "every N hours" and
// thinner marks for targets with a schedule of their own; the daily time
// window shaded on every day, and above the lanes the daily starts per hour
// against the thread count. Only the lanes in view are drawn.
class WeekPicture : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int kNameWidth = 150;
    static constexpr int kHeaderHeight = 18;
    static constexpr int kStripHeight = 48;
    static constexpr int kLaneHeight = 14;
    static constexpr int kLanesTop = kHeaderHeight + kStripHeight;

    explicit WeekPicture(QWidget* parent = nullptr);

    void setWeek(WeekSchedule week);
    const WeekSchedule& week() const { return week_; }

    // Viewport positions: the x of a moment of the week and the vertical
    // middle of a package's lane (0-based) as drawn now.
    double xOf(int day, int minute) const;
    double laneMiddle(int lane) const;
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
    };
    Frame viewFrame() const;
    static double hourWidthFor(int width);
    double xIn(const Frame& f, int day, int minute) const;
    int laneTopIn(const Frame& f, int lane) const;

    void paint(QPainter& p, const Frame& f) const;
    void paintHeader(QPainter& p, const Frame& f) const;
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
