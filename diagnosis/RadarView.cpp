#include "diagnosis/RadarView.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

#include "ais/TargetTable.h"

namespace navoro {

namespace {

constexpr double kPi = 3.14159265358979323846;
const QColor kBackground(12, 32, 48);
const QColor kRing(60, 110, 140);
const QColor kShip(120, 230, 140);
const QColor kAlarm(255, 60, 60);
const QColor kStale(120, 120, 120);
const QColor kSelected(255, 255, 255);

// A point at a distance in pixels and a bearing in degrees true from a centre.
QPointF Polar(const QPointF& centre, double pixels, double bearingDeg) {
    const double a = bearingDeg * kPi / 180.0;
    return {centre.x() + pixels * std::sin(a), centre.y() - pixels * std::cos(a)};
}

QString RangeText(double nm) {
    return QString::number(nm, 'g', 3);
}

}  // namespace

RadarView::RadarView(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("RadarView"));
    setMinimumSize(200, 200);
}

void RadarView::SetTargets(std::vector<RadarTarget> targets) {
    targets_ = std::move(targets);
    update();
}

void RadarView::SetRange(double rangeNm) {
    if (rangeNm > 0.0) rangeNm_ = rangeNm;
    update();
}

void RadarView::SetSelectedRow(int row) {
    if (row == selectedRow_) return;
    selectedRow_ = row;
    update();
}

QPointF RadarView::Centre() const {
    return {width() / 2.0, height() / 2.0};
}

double RadarView::Radius() const {
    return std::max(10.0, std::min(width(), height()) / 2.0 - 14.0);
}

bool RadarView::TargetPoint(const RadarTarget& t, QPointF& point) const {
    const double scale = Radius() / rangeNm_;
    if (std::hypot(t.EastNm, t.NorthNm) > rangeNm_) return false;
    point = Centre() + QPointF(t.EastNm * scale, -t.NorthNm * scale);
    return true;
}

void RadarView::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(rect(), kBackground);
    const QPointF c = Centre();
    const double r = Radius();
    const double scale = r / rangeNm_;

    // Rings and the north line, with the ring ranges.
    p.setPen(QPen(kRing, 1));
    p.setBrush(Qt::NoBrush);
    for (int i = 1; i <= 4; ++i) {
        const double ring = r * i / 4.0;
        p.drawEllipse(c, ring, ring);
        p.drawText(Polar(c, ring, 45.0) + QPointF(3, 0), RangeText(rangeNm_ * i / 4.0));
    }
    p.drawLine(c + QPointF(0, -r), c + QPointF(0, r));
    p.drawLine(c + QPointF(-r, 0), c + QPointF(r, 0));
    p.drawText(QRectF(c.x() - 10, c.y() - r - 14, 20, 14), Qt::AlignCenter, QStringLiteral("N"));

    // The own ship: a circle at the centre.
    p.setPen(QPen(Qt::white, 1.5));
    p.drawEllipse(c, 4.0, 4.0);

    for (const RadarTarget& t : targets_) {
        QPointF at;
        if (!TargetPoint(t, at)) continue;
        const QColor colour = t.Dangerous ? kAlarm : t.Stale ? kStale : kShip;
        p.setPen(QPen(colour, 1.2));
        p.setBrush(t.Dangerous ? QBrush(kAlarm) : QBrush(Qt::NoBrush));
        if (t.Kind == kStationBase) {
            p.drawRect(QRectF(at.x() - 4, at.y() - 4, 8, 8));
        } else if (t.Kind == kStationAidToNavigation) {
            QPolygonF diamond{at + QPointF(0, -5), at + QPointF(5, 0), at + QPointF(0, 5),
                              at + QPointF(-5, 0)};
            p.drawPolygon(diamond);
        } else {
            const double direction = t.DirectionDeg >= 0.0 ? t.DirectionDeg : 0.0;
            QPolygonF triangle{Polar(at, 7.0, direction), Polar(at, 5.0, direction + 140.0),
                               Polar(at, 5.0, direction - 140.0)};
            if (t.Kind == kStationSarAircraft) {
                p.drawEllipse(at, 5.0, 5.0);
            } else {
                p.drawPolygon(triangle);
            }
            // Where the target will be in 6 minutes.
            if (t.DirectionDeg >= 0.0 && t.SogKn > 0.05)
                p.drawLine(at, Polar(at, t.SogKn * 0.1 * scale, t.DirectionDeg));
        }
        if (t.Row == selectedRow_) {
            p.setPen(QPen(kSelected, 1, Qt::DashLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRectF(at.x() - 9, at.y() - 9, 18, 18));
        }
    }
}

void RadarView::mousePressEvent(QMouseEvent* event) {
    const QPointF click = event->position();
    int best = -1;
    double bestDistance = 10.0;  // pixels
    for (const RadarTarget& t : targets_) {
        QPointF at;
        if (!TargetPoint(t, at)) continue;
        const double d = std::hypot(at.x() - click.x(), at.y() - click.y());
        if (d < bestDistance) {
            bestDistance = d;
            best = t.Row;
        }
    }
    if (best >= 0) {
        SetSelectedRow(best);
        if (TargetClicked) TargetClicked(best);
    }
}

}  // namespace navoro
