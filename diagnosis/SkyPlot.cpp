#include "diagnosis/SkyPlot.h"

#include <QLabel>
#include <QPainter>
#include <QRadialGradient>

namespace navoro {

namespace {

const QColor kWhite{0xFF, 0xFF, 0xFF};
const QColor kBlack{0x00, 0x00, 0x00};
const QColor kGrey{0x80, 0x80, 0x80};
const QColor kSilver{0xC0, 0xC0, 0xC0};
const QColor kGreen{0x00, 0xFF, 0x00};
const QColor kBlue{0x00, 0x00, 0xFF};

QRect ToQt(const PixelRect& r) {
    return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1));
}

}  // namespace

SatelliteMarker::SatelliteMarker(QWidget* parent) : QWidget(parent) {
    setFixedSize(kSize, kSize);
    setAttribute(Qt::WA_TranslucentBackground);
    setCursor(Qt::PointingHandCursor);
}

void SatelliteMarker::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const int w = width(), h = height();
    const QPointF centre(w / 2, h / 2);
    const int r = w / 2 - 1;
    painter.setPen(Qt::NoPen);
    painter.setBrush(used ? kGreen : kBlue);
    painter.drawEllipse(centre, r, r);
    painter.setPen(QPen(kSilver, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, r, r);
    // The label centred, small enough for three characters, dark on the
    // green disc and light on the blue one.
    QFont small = font();
    small.setPixelSize(PRN.size() > 3 ? 7 : 9);
    small.setBold(true);
    painter.setFont(small);
    painter.setPen(used ? kBlack : kWhite);
    painter.drawText(QRect(0, 0, w, h), Qt::AlignCenter, PRN);
}

void SkyBackground::SetBackground(QLabel* picture) {
    background_ = picture;
}

void SkyBackground::Resize(int width, int height) {
    if (bitmap_.width() == width && bitmap_.height() == height) return;
    bitmap_ = QImage(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32_Premultiplied);
}

void SkyBackground::Draw() {
    const int w = bitmap_.width(), h = bitmap_.height();
    geometry_ = SkyPlotGeometry::ForSize(w, h);
    // Transparent where nothing is drawn, as the window-coloured parts of the
    // picture are.
    bitmap_.fill(Qt::transparent);
    QPainter painter(&bitmap_);
    if (background_ && !background_->pixmap().isNull())
        painter.drawPixmap(QRect(0, 0, w, h), background_->pixmap());
    const int cx = geometry_.CentreX, cy = geometry_.CentreY, radius = geometry_.Radius;
    if (radius <= 0) return;

    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(kWhite, 1, Qt::SolidLine));
    painter.setBrush(Qt::NoBrush);
    for (const int ring : {geometry_.InnerRing(), geometry_.OuterRing()}) {
        if (ring > 0) painter.drawEllipse(QPoint(cx, cy), ring, ring);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.drawLine(cx - radius, cy, cx + radius, cy);
    painter.drawLine(cx, cy - radius, cx, cy + radius);

    QFont letterFont(QStringLiteral("Arial"));
    letterFont.setPointSize(9);
    painter.setFont(letterFont);
    CompassLetter letters[4];
    CompassLetters(geometry_, letters);
    for (const CompassLetter& letter : letters) {
        painter.setPen(QPen(kBlack, 1));
        painter.setBrush(kGrey);
        painter.drawRect(ToQt(letter.Box));
        painter.setPen(kWhite);
        // The letter's top-left corner at the text position.
        painter.drawText(QRect(letter.Text.X, letter.Text.Y, 20, 20), Qt::AlignLeft | Qt::AlignTop,
                         QString(QChar::fromLatin1(letter.Letter)));
    }
}

SkyPlot::SkyPlot(QWidget* panel) : QWidget(panel) {
    setObjectName(QStringLiteral("PaintSatelliteChart"));
    for (int i = 0; i < kMarkers; ++i) {
        auto* marker = new SatelliteMarker(panel);
        marker->setObjectName(QStringLiteral("PaintSatellite%1").arg(i));
        marker->hide();
        markers_[static_cast<std::size_t>(i)] = marker;
    }
}

SatelliteMarker* SkyPlot::Marker(int index) const {
    if (index < 0 || index >= kMarkers) return nullptr;
    return markers_[static_cast<std::size_t>(index)];
}

void SkyPlot::PlaceSatellite(int index, const QString& label, int azimuth, int elevation,
                             bool used) {
    SatelliteMarker* marker = Marker(index);
    if (!marker) return;
    marker->PRN = label;
    marker->azimuth = azimuth;
    marker->elevation = elevation;
    marker->used = used;
    const PixelPoint at = SkyPlotGeometry::ForSize(width(), height())
                              .MarkerPlace(azimuth, elevation, SatelliteMarker::kSize);
    // The markers live on the plot's panel; the diagram's coordinates are the
    // plot's.
    const QPoint onPanel = mapToParent(QPoint(at.X, at.Y));
    marker->move(onPanel);
    marker->raise();
    marker->show();
    marker->update();
}

void SkyPlot::ShowMarker(int index, bool visible) {
    if (SatelliteMarker* marker = Marker(index)) marker->setVisible(visible);
}

void SkyPlot::paintEvent(QPaintEvent*) {
    map_.Resize(width(), height());
    map_.Draw();
    QPainter painter(this);
    painter.drawImage(0, 0, map_.Bitmap());
}

QPixmap SkyBackgroundPicture() {
    QPixmap picture(200, 200);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    // The horizon of a 198 x 200 plot: radius 91 around (99, 100), which the
    // stretch to 200 x 200 scarcely moves.
    const QPointF centre(100, 100);
    const double horizon = 92;
    QRadialGradient sky(centre, horizon);
    sky.setColorAt(0.0, QColor(0x3F, 0x86, 0xC8));
    sky.setColorAt(0.7, QColor(0x1F, 0x5C, 0x9C));
    sky.setColorAt(1.0, QColor(0x12, 0x3E, 0x72));
    painter.setPen(QPen(QColor(0x0B, 0x2A, 0x4F), 2));
    painter.setBrush(sky);
    painter.drawEllipse(centre, horizon, horizon);
    return picture;
}

}  // namespace navoro
