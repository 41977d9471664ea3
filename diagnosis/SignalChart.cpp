#include "diagnosis/SignalChart.h"

#include <QEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPolygon>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

namespace navoro {

namespace {

constexpr int kLeftMargin = 34;  // value labels
constexpr int kTopMargin = 28;   // Label10 and the marks of full bars
constexpr int kRightMargin = 8;
constexpr int kBottomMargin = 44;  // bar labels and lblSatelliteID
constexpr int kGridStep = 10;      // dB-Hz between grid lines
constexpr int kCalloutLength = 2;  // pixels between a bar and its mark
constexpr int kScrollBarHeight = 12;

QColor FromRgb(std::uint32_t rgb) {
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QString MarkText(double value) {
    // Whole values as whole numbers, like the SNRs they are.
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e9)
        return QString::number(static_cast<long long>(value));
    return QString::number(value, 'g', 4);
}

}  // namespace

BarSeries::BarSeries(SignalChart* chart) : QObject(chart), chart_(chart) {
    setObjectName(QStringLiteral("Series1"));
}

void BarSeries::Clear() {
    bars_.clear();
    chart_->BarsChanged();
}

void BarSeries::SetMarksVisible(bool visible) {
    marksVisible_ = visible;
    chart_->update();
}

void BarSeries::AddBar(double value, const QString& label, std::uint32_t colour) {
    bars_.push_back({value, label.toStdString(), colour & 0xFFFFFF});
    chart_->BarsChanged();
}

void BarSeries::SetBars(const std::vector<ChartBar>& bars) {
    bars_ = bars;
    chart_->BarsChanged();
}

SignalChart::SignalChart(QWidget* parent)
    : QWidget(parent),
      series_(new BarSeries(this)),
      label10_(new QLabel(QStringLiteral("SNR (dB-Hz)"), this)),
      lblSatelliteID_(new QLabel(QStringLiteral("Satellite ID"), this)),
      scroll_(new QScrollBar(Qt::Horizontal, this)) {
    setObjectName(QStringLiteral("Chart1"));
    setMinimumSize(200, 150);
    setAutoFillBackground(false);
    label10_->setObjectName(QStringLiteral("Label10"));
    lblSatelliteID_->setObjectName(QStringLiteral("lblSatelliteID"));
    // The captions take the chart's width, so a translated text of any length
    // that fits the chart is shown whole: the axis caption from the left, the
    // satellite caption centred under the bars.
    lblSatelliteID_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setObjectName(QStringLiteral("ScrollBarSatellites"));
    scroll_->hide();
    connect(scroll_, &QScrollBar::valueChanged, this, qOverload<>(&QWidget::update));
    PlaceCaptions(kWidth, kHeight);
    series_->SetBars(PlaceholderBars());
}

void SignalChart::PlaceCaptions(int width, int height) {
    const int line = label10_->fontMetrics().height() + 2;
    label10_->setGeometry(6, 4, std::max(0, width - 12), line);
    lblSatelliteID_->setGeometry(0, height - 20, width, std::min(line, 20));
    scroll_->setGeometry(kLeftMargin, height - 20 - kScrollBarHeight,
                         std::max(0, width - kLeftMargin - kRightMargin), kScrollBarHeight);
}

void SignalChart::BarsChanged() {
    // The pixels of the bars that lie beyond the plot's width.
    const QRect area = PlotArea();
    const int hidden =
        Scrolling() ? static_cast<int>(std::lround(Slot() * series_->Count())) - area.width() : 0;
    scroll_->setRange(0, std::max(0, hidden));
    scroll_->setPageStep(std::max(1, area.width()));
    scroll_->setSingleStep(kMinimumSlot);
    scroll_->setVisible(hidden > 0);
    update();
}

bool SignalChart::Scrolling() const {
    const int count = series_->Count();
    return count > 0 && (width() - kLeftMargin - kRightMargin) / count < kMinimumSlot;
}

int SignalChart::BottomMargin() const {
    return kBottomMargin + (Scrolling() ? kScrollBarHeight : 0);
}

double SignalChart::Slot() const {
    const int count = std::max(series_->Count(), 1);
    const double fit = static_cast<double>(width() - kLeftMargin - kRightMargin) / count;
    return std::max(fit, static_cast<double>(kMinimumSlot));
}

int SignalChart::Depth() const {
    // 20 percent of a bar's slot, as the chart's depth.
    return std::clamp(static_cast<int>(Slot()) / 5, 2, 8);
}

QRect SignalChart::PlotArea() const {
    const int depth = Depth();
    return QRect(QPoint(kLeftMargin, kTopMargin + depth),
                 QPoint(width() - kRightMargin - depth, height() - BottomMargin()));
}

int SignalChart::ValueToY(double value) const {
    const QRect area = PlotArea();
    const double range = kChartAxisMaximum - kChartAxisMinimum;
    const double clamped = std::clamp(std::isfinite(value) ? value : 0.0, double{kChartAxisMinimum},
                                      double{kChartAxisMaximum});
    return area.bottom() -
           static_cast<int>(std::lround((clamped - kChartAxisMinimum) / range * area.height()));
}

QRect SignalChart::BarRect(int index) const {
    const QRect area = PlotArea();
    const int count = std::max(series_->Count(), 1);
    const double slot = Scrolling() ? Slot() : static_cast<double>(area.width()) / count;
    const int origin = area.left() - (scroll_->isVisible() ? scroll_->value() : 0);
    const int left = origin + static_cast<int>(std::lround(slot * index + slot * 0.15));
    const int right = origin + static_cast<int>(std::lround(slot * (index + 1) - slot * 0.15));
    const double value = series_->Bars()[static_cast<std::size_t>(index)].Value;
    const int top = ValueToY(value);
    return QRect(QPoint(left, top), QPoint(std::max(left, right - 1), area.bottom()));
}

void SignalChart::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange) PlaceCaptions(width(), height());
}

void SignalChart::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    PlaceCaptions(width(), height());
    BarsChanged();
}

void SignalChart::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.setPen(QColor(0x80, 0x80, 0x80));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));

    const QRect area = PlotArea();
    const int depth = Depth();
    const QPoint back(depth, -depth);
    const QFont baseFont = font();
    QFont small = baseFont;
    small.setPixelSize(11);
    painter.setFont(small);
    const QFontMetrics metrics(small);

    // Back wall grid (solid) and the value labels of the left axis.
    for (int v = kChartAxisMinimum; v <= kChartAxisMaximum; v += kGridStep) {
        const int y = ValueToY(v);
        painter.setPen(QColor(0xC8, 0xC8, 0xC8));
        painter.drawLine(QPoint(area.left(), y) + back, QPoint(area.right(), y) + back);
        painter.drawLine(QPoint(area.left(), y), QPoint(area.left(), y) + back);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, y - 8, kLeftMargin - 4, 16), Qt::AlignRight | Qt::AlignVCenter,
                         QString::number(v));
    }
    painter.setPen(Qt::black);
    painter.drawLine(area.bottomLeft(), area.topLeft() + QPoint(0, -1));
    painter.drawLine(area.bottomLeft(), area.bottomRight());
    painter.setPen(QColor(0xC8, 0xC8, 0xC8));
    painter.drawLine(area.bottomRight(), area.bottomRight() + back);
    painter.drawLine(area.topLeft() + back, area.bottomLeft() + back);

    const std::vector<ChartBar>& bars = series_->Bars();
    const int count = static_cast<int>(bars.size());
    const bool upright = Scrolling();
    // Bars scrolled out of the plot are cut at its sides.
    painter.setClipRect(QRect(QPoint(area.left() + 1, 0), QPoint(area.right() + depth, height())));
    for (int i = 0; i < count; ++i) {
        const ChartBar& bar = bars[static_cast<std::size_t>(i)];
        const QRect front = BarRect(i);
        if (front.right() < area.left() - 20 || front.left() > area.right() + 20) continue;
        const QColor colour = FromRgb(bar.Colour);
        if (front.height() > 1) {
            // Side and top faces, then the front with its top-to-bottom gradient.
            const QPolygon side({front.topRight(), front.topRight() + back,
                                 front.bottomRight() + back, front.bottomRight()});
            const QPolygon top({front.topLeft(), front.topLeft() + back, front.topRight() + back,
                                front.topRight()});
            painter.setPen(Qt::black);
            painter.setBrush(colour.darker(160));
            painter.drawPolygon(side);
            painter.setBrush(colour.lighter(130));
            painter.drawPolygon(top);
            QLinearGradient shade(front.topLeft(), front.bottomLeft());
            shade.setColorAt(0.0, colour);
            shade.setColorAt(1.0, colour.darker(170));
            painter.setBrush(shade);
            painter.drawRect(front);
        }
        // The label of the bar under the axis.
        painter.setPen(Qt::black);
        const int centre = (front.left() + front.right() + 1) / 2;
        const QString label = QString::fromStdString(bar.Label);
        if (upright) {
            // Read from bottom to top, ending under the axis.
            painter.save();
            painter.translate(centre - metrics.height() / 2, area.bottom() + 3);
            painter.rotate(-90);
            painter.drawText(QRect(-30, 0, 30, metrics.height()), Qt::AlignRight | Qt::AlignTop,
                             label);
            painter.restore();
        } else {
            painter.drawText(QRect(centre - 20, area.bottom() + 3, 40, metrics.height()),
                             Qt::AlignHCenter | Qt::AlignTop, label);
        }
        if (series_->MarksVisible()) {
            const QString text = MarkText(bar.Value);
            const int textWidth = metrics.horizontalAdvance(text) + 4;
            const int markBottom = front.top() - kCalloutLength;
            const QRect mark(centre - textWidth / 2, markBottom - metrics.height(), textWidth,
                             metrics.height());
            painter.setPen(Qt::black);
            painter.drawLine(QPoint(centre, front.top()), QPoint(centre, markBottom));
            painter.setBrush(QColor(0xFF, 0xFF, 0xE1));
            painter.drawRect(mark);
            painter.drawText(mark, Qt::AlignCenter, text);
        }
    }
}

}  // namespace navoro
