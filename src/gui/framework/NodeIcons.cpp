#include "NodeIcons.h"

#include <QApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPalette>

namespace {

using Shape = NodeIcons::Shape;

// On a grid of 16 by 16 units.
void drawFolder(QPainter& p) {
    p.setBrush(QColor(232, 188, 70));
    QPolygonF folder;
    folder << QPointF(1.5, 3.5) << QPointF(6.5, 3.5) << QPointF(8, 5.5) << QPointF(14.5, 5.5)
           << QPointF(14.5, 13.5) << QPointF(1.5, 13.5);
    p.drawPolygon(folder);
}

void drawPackage(QPainter& p) {
    // A drive with a network link below it.
    p.setBrush(QColor(150, 160, 175));
    p.drawRect(QRectF(1.5, 2.5, 13, 6));
    p.drawLine(QPointF(8, 8.5), QPointF(8, 13.5));
    p.drawLine(QPointF(2.5, 13.5), QPointF(13.5, 13.5));
    p.setBrush(QColor(90, 200, 90));
    p.drawRect(QRectF(10.5, 4.5, 2, 2));
}

void drawApplication(QPainter& p) {
    // A screen on its foot.
    p.setBrush(QColor(90, 140, 210));
    p.drawRect(QRectF(1.5, 2.5, 13, 9));
    p.drawLine(QPointF(8, 11.5), QPointF(8, 13.5));
    p.drawLine(QPointF(4.5, 13.5), QPointF(11.5, 13.5));
}

void drawPage(QPainter& p, int lines, const QColor& paper) {
    p.setBrush(paper);
    p.drawRect(QRectF(2.5, 1.5, 11, 13));
    for (int i = 0; i < lines; ++i)
        p.drawLine(QPointF(4.5, 4.5 + 2.5 * i), QPointF(11.5, 4.5 + 2.5 * i));
}

class NodeIconEngine : public QIconEngine {
public:
    explicit NodeIconEngine(Shape shape) : shape_(shape) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override {
        // The colours of the item views, which the platform may set apart.
        const QPalette palette = QApplication::palette("QAbstractItemView");
        const QPalette::ColorGroup group =
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active;
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 16.0, rect.height() / 16.0);
        painter->setPen(QPen(palette.color(group, QPalette::Text), 1.0));
        switch (shape_) {
        case Shape::Folder:
            drawFolder(*painter);
            break;
        case Shape::Package:
            drawPackage(*painter);
            break;
        case Shape::Application:
            drawApplication(*painter);
            break;
        case Shape::Details:
            drawPage(*painter, 4, palette.color(group, QPalette::Base));
            break;
        case Shape::List:
            drawPage(*painter, 2, palette.color(group, QPalette::Base));
            break;
        }
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return picture;
    }

    QIconEngine* clone() const override { return new NodeIconEngine(shape_); }

private:
    Shape shape_;
};

} // namespace

QIcon NodeIcons::icon(Shape shape) {
    return QIcon(new NodeIconEngine(shape));
}
