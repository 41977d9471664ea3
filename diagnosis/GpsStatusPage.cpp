#include "diagnosis/GpsStatusPage.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <cstring>

#include "diagnosis/GnssStatusText.h"
#include "diagnosis/PositionFormat.h"
#include "diagnosis/SignalChart.h"
#include "diagnosis/SignalChartBars.h"
#include "diagnosis/SkyPlot.h"

namespace navoro {

namespace {

struct BoxInfo {
    const char* Name;
    const char* Caption;
};
// In the order of GpsStatusPage::Box.
constexpr BoxInfo kBoxInfo[] = {
    {"lblEdtGpsUtcDate", "UTC Date"},
    {"lblEdtGpsUtcTime", "UTC Time"},
    {"lblEdtGpsFixMode", "Fix Mode"},
    {"lblEdtHdop", "HDOP"},
    {"lblEdtGpsNoSV_InView", "Satellites in view"},
    {"lblEdtGpsNoSV_InUse", "Satellites in use"},
    {"lblEdtGpsLat", "Latitude"},
    {"lblEdtGpsLon", "Longitude"},
    {"lblEdtGpsSOG", "SOG"},
    {"lblEdtGpsCOG", "COG"},
};

std::int64_t SteadyClockMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

constexpr int kPanel3Size = 204;
constexpr int kMapWidth = 198;
constexpr int kMapHeight = 200;

}  // namespace

GpsStatusPage::GpsStatusPage(QWidget* page, Codec& codec, Clock clock)
    : QObject(page), page_(page), codec_(codec), clock_(clock ? std::move(clock) : SteadyClockMs) {
    BuildControls();
    expiryTimer_ = new QTimer(this);
    expiryTimer_->setObjectName(QStringLiteral("TimerSatellitesExpiry"));
    expiryTimer_->setInterval(kExpiryIntervalMs);
    connect(expiryTimer_, &QTimer::timeout, this, &GpsStatusPage::ExpireSatellites);
    expiryTimer_->start();
}

void GpsStatusPage::BuildControls() {
    auto* pageLayout = new QHBoxLayout(page_);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    pageLayout->setSpacing(6);

    auto* left = new QWidget(page_);
    left->setObjectName(QStringLiteral("PanelGpsStatusLeft"));
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    leftLayout->setSpacing(4);

    // A labelled edit: the caption above a read-only box, attached as buddy.
    const auto makeBox = [this, left](Box box) {
        auto* cell = new QWidget(left);
        auto* cellLayout = new QVBoxLayout(cell);
        cellLayout->setContentsMargins(0, 0, 0, 0);
        cellLayout->setSpacing(1);
        auto* label = new QLabel(QString::fromLatin1(kBoxInfo[box].Caption), cell);
        auto* edit = new QLineEdit(cell);
        edit->setObjectName(QString::fromLatin1(kBoxInfo[box].Name));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        label->setObjectName(QString::fromLatin1(kBoxInfo[box].Name) + QStringLiteral("Label"));
        label->setBuddy(edit);
        // A long translated caption wraps rather than widening the column,
        // which would push the signal chart off the page.
        label->setWordWrap(true);
        cellLayout->addWidget(label);
        cellLayout->addWidget(edit);
        boxes_[box] = edit;
        return cell;
    };

    // Upper row: the sky plot, and beside it the time and fix.
    auto* upper = new QHBoxLayout;
    upper->setSpacing(6);
    panel3_ = new QFrame(left);
    panel3_->setObjectName(QStringLiteral("Panel3"));
    panel3_->setFixedSize(kPanel3Size, kPanel3Size);
    panel3_->setFrameShape(QFrame::Panel);
    panel3_->setFrameShadow(QFrame::Sunken);
    panelSatelliteMap_ = new QWidget(panel3_);
    panelSatelliteMap_->setObjectName(QStringLiteral("PanelSatelliteMap"));
    panelSatelliteMap_->setGeometry((kPanel3Size - kMapWidth) / 2, (kPanel3Size - kMapHeight) / 2,
                                    kMapWidth, kMapHeight);
    QPalette white = panelSatelliteMap_->palette();
    white.setColor(QPalette::Window, Qt::white);
    panelSatelliteMap_->setPalette(white);
    panelSatelliteMap_->setAutoFillBackground(true);
    QFont mapFont(QStringLiteral("Arial"));
    mapFont.setPixelSize(13);
    panelSatelliteMap_->setFont(mapFont);
    imageGpsMap_ = new QLabel(panelSatelliteMap_);
    imageGpsMap_->setObjectName(QStringLiteral("ImageGpsMap"));
    imageGpsMap_->setScaledContents(true);
    imageGpsMap_->setGeometry(0, 0, kMapWidth, kMapHeight);
    upper->addWidget(panel3_, 0, Qt::AlignTop);
    auto* beside = new QVBoxLayout;
    beside->setSpacing(2);
    for (Box box : {kUtcDate, kUtcTime, kFixMode, kHdop})
        beside->addWidget(makeBox(box));
    beside->addStretch(1);
    upper->addLayout(beside, 1);
    leftLayout->addLayout(upper);

    // Lower rows: counts, position, motion.
    auto* lower = new QGridLayout;
    lower->setHorizontalSpacing(6);
    lower->setVerticalSpacing(2);
    lower->addWidget(makeBox(kInView), 0, 0);
    lower->addWidget(makeBox(kInUse), 0, 1);
    lower->addWidget(makeBox(kLat), 1, 0);
    lower->addWidget(makeBox(kLon), 1, 1);
    lower->addWidget(makeBox(kSog), 2, 0);
    lower->addWidget(makeBox(kCog), 2, 1);
    leftLayout->addLayout(lower);
    leftLayout->addStretch(1);

    chart_ = new SignalChart(page_);
    // A fixed size, so that the label under the bars (placed from the chart's
    // height when the window is resized) has its place before any layout.
    chart_->setFixedSize(SignalChart::kWidth, SignalChart::kHeight);
    pageLayout->addWidget(left, 1);
    pageLayout->addWidget(chart_, 0, Qt::AlignRight | Qt::AlignTop);
}

void GpsStatusPage::SetUpSatelliteViews() {
    // Plot half: the plot fills the map panel, over the background picture;
    // the markers are created hidden by the plot, on the same panel.
    if (!plot_) {
        plot_ = new SkyPlot(panelSatelliteMap_);
        plot_->setGeometry(0, 0, panelSatelliteMap_->width(), panelSatelliteMap_->height());
        plot_->map().SetBackground(imageGpsMap_);
        // The plot draws the picture itself: the picture control stays
        // underneath and is covered.
        imageGpsMap_->setPixmap(SkyBackgroundPicture());
        plot_->show();
        for (int i = 0; i < SkyPlot::kMarkers; ++i)
            plot_->Marker(i)->raise();
    }
    // Chart half.
    chart_->Series1()->SetBars(PlaceholderBars());
}

void GpsStatusPage::SetBox(Box box, const std::string& bytes) {
    if (shown_[box] == bytes) return;
    shown_[box] = bytes;
    boxes_[box]->setText(QString::fromStdString(DegreeSignsToUtf8(bytes)));
}

void GpsStatusPage::UpdateGnssStatus(bool satellites) {
    const GnssStatusTexts texts = GnssStatusUpdate(codec_.Gnss, codec_.Targets.Entry(0));
    const std::pair<Box, const std::optional<std::string>*> updates[] = {
        {kUtcDate, &texts.UtcDate}, {kUtcTime, &texts.UtcTime}, {kFixMode, &texts.FixMode},
        {kHdop, &texts.Hdop},       {kInView, &texts.InView},   {kInUse, &texts.InUse},
        {kLon, &texts.Lon},         {kLat, &texts.Lat},         {kSog, &texts.Sog},
        {kCog, &texts.Cog},
    };
    for (const auto& [box, text] : updates) {
        if (*text) SetBox(box, **text);
    }
    const std::int64_t now = clock_();
    GnssStore& gnss = codec_.Gnss;
    gnss.ClockMs = now;
    if (satellites) {
        // The cycle was filed before this clock reading: it is as fresh as now.
        const char* talker = codec_.Received.Header.Talker;
        gnss.Cycles[static_cast<int>(ConstellationOfTalker(talker))].StampMs = now;
        if (cycle_.TakeGsv(gnss, talker, publication_)) PublishSatellites(publication_);
    }
    ExpireSatellites();
}

void GpsStatusPage::ExpireSatellites() {
    const std::int64_t now = clock_();
    codec_.Gnss.ClockMs = now;
    ExpireGsvCycles(codec_.Gnss, now);
    if (cycle_.Refresh(codec_.Gnss, publication_)) PublishSatellites(publication_);
}

void GpsStatusPage::PublishSatellites(const SatellitePublication& publication) {
    BarSeries* series = chart_->Series1();
    const int count = std::clamp(publication.Count, 0, kSatelliteListCapacity);
    const std::vector<ChartBar> bars = BarsFor(publication);
    series->SetBars(bars);
    series->ShowMarks();
    if (plot_) {
        const int shown = std::min(count, SkyPlot::kMarkers);
        for (int i = 0; i < shown; ++i) {
            const PublishedSatellite& s = publication.Items[i];
            plot_->PlaceSatellite(i, QString::fromLatin1(s.Label), s.Azimuth, s.Elevation, s.Used);
        }
        for (int i = shown; i < markersShown_; ++i)
            plot_->ShowMarker(i, false);
        markersShown_ = shown;
    }
}

}  // namespace navoro
