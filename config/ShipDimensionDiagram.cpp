#include "config/ShipDimensionDiagram.h"

#include <QPainter>
#include <QPainterPath>

namespace navoro {

ShipDimensionDiagram::ShipDimensionDiagram(QWidget* parent) : QWidget(parent) {
    setMinimumSize(sizeHint());
}

namespace {

// A line with an arrow head at `to`.
void Arrow(QPainter& p, QPointF from, QPointF to) {
    p.drawLine(from, to);
    const QLineF line(to, from);
    const double head = 5.0;
    QLineF a = line;
    a.setLength(head);
    a.setAngle(line.angle() + 25);
    QLineF b = line;
    b.setLength(head);
    b.setAngle(line.angle() - 25);
    p.drawLine(a);
    p.drawLine(b);
}

}  // namespace

void ShipDimensionDiagram::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF area = QRectF(rect()).adjusted(18, 6, -18, -6);
    const double w = std::min(area.width(), area.height() * 0.45);
    const double left = area.center().x() - w / 2;
    const double right = left + w;
    const double top = area.top();
    const double bottom = area.bottom();

    // The hull: a pointed bow, straight sides, a square stern.
    QPainterPath hull;
    hull.moveTo(area.center().x(), top);
    hull.quadTo(right, top + w * 0.45, right, top + w * 0.9);
    hull.lineTo(right, bottom);
    hull.lineTo(left, bottom);
    hull.lineTo(left, top + w * 0.9);
    hull.quadTo(left, top + w * 0.45, area.center().x(), top);
    p.setPen(QPen(palette().color(QPalette::WindowText), 1.2));
    p.setBrush(palette().color(QPalette::Base));
    p.drawPath(hull);

    // The reference point, a little aft of the middle and to starboard.
    const QPointF point(left + w * 0.62, top + (bottom - top) * 0.58);
    QPen arrows(QColor(0x1F, 0x5F, 0xA8), 1.0);
    p.setPen(arrows);
    Arrow(p, point, QPointF(point.x(), top + 2));
    Arrow(p, point, QPointF(point.x(), bottom));
    Arrow(p, point, QPointF(left, point.y()));
    Arrow(p, point, QPointF(right, point.y()));
    p.setBrush(QColor(0xC0, 0x30, 0x30));
    p.setPen(Qt::NoPen);
    p.drawEllipse(point, 3.5, 3.5);

    p.setPen(palette().color(QPalette::WindowText));
    QFont bold = font();
    bold.setBold(true);
    p.setFont(bold);
    const auto label = [&p](QPointF at, const char* text) {
        p.drawText(QRectF(at.x() - 8, at.y() - 8, 16, 16), Qt::AlignCenter,
                   QString::fromLatin1(text));
    };
    label(QPointF(point.x() + 8, (top + point.y()) / 2), "A");
    label(QPointF(point.x() + 8, (point.y() + bottom) / 2), "B");
    label(QPointF(left - 9, point.y()), "C");
    label(QPointF(right + 9, point.y()), "D");
}

}  // namespace navoro
