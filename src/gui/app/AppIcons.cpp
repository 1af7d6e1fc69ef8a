#include "AppIcons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace {

// A server box with its drive lights, at the given place and size.
void drawServer(QPainter& p, const QRectF& r, const QColor& body) {
    p.setPen(QPen(QColor(40, 40, 60), r.width() / 16));
    p.setBrush(body);
    p.drawRoundedRect(r, r.width() / 10, r.width() / 10);
    p.setBrush(QColor(120, 230, 120));
    const qreal light = r.width() / 7;
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QRectF(r.left() + light, r.top() + light * (1 + 1.6 * i), light, light));
}

QPixmap applicationPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal s = size;
    drawServer(p, QRectF(s * 0.05, s * 0.15, s * 0.32, s * 0.7), QColor(90, 130, 200));
    drawServer(p, QRectF(s * 0.63, s * 0.15, s * 0.32, s * 0.7), QColor(200, 150, 70));
    // The copy between them.
    QPainterPath arrow;
    arrow.moveTo(s * 0.40, s * 0.45);
    arrow.lineTo(s * 0.52, s * 0.45);
    arrow.lineTo(s * 0.52, s * 0.36);
    arrow.lineTo(s * 0.61, s * 0.5);
    arrow.lineTo(s * 0.52, s * 0.64);
    arrow.lineTo(s * 0.52, s * 0.55);
    arrow.lineTo(s * 0.40, s * 0.55);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 150, 60));
    p.drawPath(arrow);
    return pixmap;
}

} // namespace

QIcon AppIcons::application() {
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(applicationPixmap(size));
    return icon;
}

QIcon AppIcons::browse() {
    // 20 by 20: an open folder with a small network globe.
    QPixmap pixmap(20, 20);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 90, 20), 1));
    p.setBrush(QColor(240, 200, 80));
    p.drawRect(QRectF(1.5, 5.5, 13, 10));
    p.drawRect(QRectF(1.5, 3.5, 5, 2));
    p.setBrush(QColor(90, 150, 230));
    p.setPen(QPen(QColor(30, 60, 120), 1));
    p.drawEllipse(QRectF(10.5, 10.5, 8, 8));
    p.drawLine(QPointF(14.5, 10.5), QPointF(14.5, 18.5));
    p.drawLine(QPointF(10.5, 14.5), QPointF(18.5, 14.5));
    return QIcon(pixmap);
}

QIcon AppIcons::themed(const QString& name) {
    QIcon shipped;
    for (int size : {16, 22, 24, 32, 48})
        shipped.addFile(QStringLiteral(":/icons/%1x%1/%2.png").arg(size).arg(name));
    return QIcon::fromTheme(name, shipped);
}
