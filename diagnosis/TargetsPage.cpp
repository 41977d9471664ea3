#include "diagnosis/TargetsPage.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QSortFilterProxyModel>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "ais/LocalClock.h"
#include "diagnosis/RadarView.h"
#include "diagnosis/TargetDetails.h"
#include "diagnosis/TargetsModel.h"

namespace navoro {

namespace {

// Sorts by the model's sort values; the filter matches MMSI, name or call
// sign, ignoring case.
class TargetsFilter : public QSortFilterProxyModel {
  public:
    TargetsFilter(const MessageTable& messages, QObject* parent)
        : QSortFilterProxyModel(parent), messages_(messages) {}

    // The columns' captions in the language shown.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
            section < TargetsModel::ColumnCount) {
            const std::string& text = messages_.Text(
                static_cast<MessageId>(static_cast<int>(MessageId::TargetsColMmsi) + section));
            if (!text.empty()) return QString::fromStdString(text);
        }
        return QSortFilterProxyModel::headerData(section, orientation, role);
    }
    // The station kind in the language shown; the rest as the model has it.
    QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::DisplayRole && index.column() == TargetsModel::ColKind) {
            const int kind = QSortFilterProxyModel::data(index, TargetsModel::SortRole).toInt();
            return QString::fromStdString(messages_.Text(KindText(kind)));
        }
        return QSortFilterProxyModel::data(index, role);
    }
    // True when the language has changed since the texts were last drawn.
    bool LanguageChanged() const {
        return messages_.Text(MessageId::TargetsColName) != shownHeader_ ||
               messages_.Text(MessageId::StationClassA) != shownKind_;
    }
    // Redraws the captions and the station kinds.
    void UpdateTexts() {
        shownHeader_ = messages_.Text(MessageId::TargetsColName);
        shownKind_ = messages_.Text(MessageId::StationClassA);
        emit headerDataChanged(Qt::Horizontal, 0, TargetsModel::ColumnCount - 1);
        if (rowCount() > 0)
            emit dataChanged(index(0, TargetsModel::ColKind),
                             index(rowCount() - 1, TargetsModel::ColKind), {Qt::DisplayRole});
    }

    void SetText(const QString& text) {
        text_ = text.trimmed();
        invalidateFilter();
    }

  protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& parent) const override {
        const QString& pattern = text_;
        if (pattern.isEmpty()) return true;
        for (int column :
             {TargetsModel::ColMmsi, TargetsModel::ColName, TargetsModel::ColCallSign}) {
            const QString text = sourceModel()->index(sourceRow, column, parent).data().toString();
            if (text.contains(pattern, Qt::CaseInsensitive)) return true;
        }
        return false;
    }

  private:
    static MessageId KindText(int kind) {
        switch (kind) {
            case kStationBase:
                return MessageId::StationBase;
            case kStationSarAircraft:
                return MessageId::StationSarAircraft;
            case kStationAidToNavigation:
                return MessageId::StationAidToNavigation;
            case kStationClassA:
                return MessageId::StationClassA;
            case kStationClassB:
                return MessageId::StationClassB;
            case kShownLongRange:
                return MessageId::StationLongRange;
            default:
                return MessageId::StationUnknown;
        }
    }

    const MessageTable& messages_;
    std::string shownHeader_;
    std::string shownKind_;
    QString text_;
};

// Runs a function when the page is shown.
class ShowWatcher : public QObject {
  public:
    ShowWatcher(QWidget* page, std::function<void()> shown)
        : QObject(page), shown_(std::move(shown)) {
        page->installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) shown_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> shown_;
};

std::uint32_t NowValue(LocalClock* clock) {
    static_assert(sizeof(TargetTime) == 4);
    SystemLocalClock system;
    const LocalDateTime now = clock != nullptr ? clock->Now() : system.Now();
    return TimeValue(TargetDate{now.Year, now.Month, now.Day},
                     TargetTime{now.Hour, now.Minute, now.Second, 0});
}

QTabWidget* TabsOf(QWidget* page) {
    for (QWidget* w = page->parentWidget(); w != nullptr; w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) return tabs;
    return nullptr;
}

}  // namespace

TargetsPage::TargetsPage(QWidget* page, Codec& codec, const MessageTable& messages,
                         const DiagnosisLink& link)
    : page_(page),
      codec_(codec),
      messages_(messages),
      link_(link),
      model_(new TargetsModel(codec.Targets, page)),
      proxy_(new TargetsFilter(messages, page)),
      filter_(new QLineEdit(page)),
      range_(new QComboBox(page)),
      table_(new QTableView(page)),
      radar_(new RadarView(page)),
      details_(std::make_unique<TargetDetails>(page, codec, messages)),
      timer_(new QTimer(page)) {
    model_->SetLongRangeCheck([this](int entry, std::uint32_t mmsi) {
        return codec_.Messages.HeardOnlyLongRange(entry, mmsi);
    });
    proxy_->setSourceModel(model_);
    proxy_->setSortRole(TargetsModel::SortRole);
    proxy_->setDynamicSortFilter(true);

    filter_->setObjectName(QStringLiteral("EditTargetsFilter"));
    filter_->setPlaceholderText(
        QString::fromStdString(messages.Text(MessageId::TargetsFilterHint)));
    filter_->setClearButtonEnabled(true);
    QObject::connect(filter_, &QLineEdit::textChanged, proxy_, [this](const QString& text) {
        static_cast<TargetsFilter*>(proxy_)->SetText(text);
        UpdateRadar();
    });

    range_->setObjectName(QStringLiteral("ComboBoxRadarRange"));
    for (double nm : RadarView::kRanges)
        range_->addItem(QStringLiteral("%1 NM").arg(nm, 0, 'g', 3), nm);
    range_->setCurrentIndex(3);  // 6 NM
    radar_->SetRange(range_->currentData().toDouble());
    QObject::connect(range_, &QComboBox::currentIndexChanged, radar_,
                     [this] { radar_->SetRange(range_->currentData().toDouble()); });

    table_->setObjectName(QStringLiteral("TableViewAisTargets"));
    table_->setModel(proxy_);
    table_->setSortingEnabled(true);
    table_->sortByColumn(TargetsModel::ColRange, Qt::AscendingOrder);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->setVisible(false);
    table_->verticalHeader()->setDefaultSectionSize(table_->fontMetrics().height() + 4);
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    table_->horizontalHeader()->setDefaultSectionSize(72);
    table_->setWordWrap(false);
    const int digit = table_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    table_->setColumnWidth(TargetsModel::ColMmsi, digit * 9 + 30);  // room for the alarm icon
    table_->setColumnWidth(TargetsModel::ColName, digit * 16);
    table_->setColumnWidth(TargetsModel::ColLatitude, digit * 12);
    table_->setColumnWidth(TargetsModel::ColLongitude, digit * 12);

    QObject::connect(
        table_->selectionModel(), &QItemSelectionModel::currentRowChanged, radar_,
        [this](const QModelIndex& current) {
            radar_->SetSelectedRow(current.isValid() ? proxy_->mapToSource(current).row() : -1);
        });
    radar_->TargetClicked = [this](int row) { SelectRow(row); };
    // Double-clicking a row shows every field of its station's last messages.
    QObject::connect(table_, &QTableView::doubleClicked, page, [this](const QModelIndex& at) {
        details_->ShowStation(TargetsModel::EntryIndex(proxy_->mapToSource(at).row()));
    });

    auto* rangeLabel = new QLabel(QStringLiteral("Range"), page);
    rangeLabel->setObjectName(QStringLiteral("lblRadarRange"));
    auto* filterLabel = new QLabel(QStringLiteral("Filter"), page);
    filterLabel->setObjectName(QStringLiteral("lblTargetsFilter"));
    auto* bar = new QHBoxLayout;
    bar->addWidget(filterLabel);
    bar->addWidget(filter_, 1);
    bar->addSpacing(12);
    bar->addWidget(rangeLabel);
    bar->addWidget(range_);

    auto* splitter = new QSplitter(Qt::Horizontal, page);
    splitter->setObjectName(QStringLiteral("SplitterAisTargets"));
    splitter->addWidget(radar_);
    // The details pane opens under the table.
    auto* tableAndDetails = new QSplitter(Qt::Vertical, page);
    tableAndDetails->setObjectName(QStringLiteral("SplitterAisTargetDetails"));
    tableAndDetails->addWidget(table_);
    tableAndDetails->addWidget(details_->Tree());
    tableAndDetails->setChildrenCollapsible(false);
    splitter->addWidget(tableAndDetails);
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);
    radar_->setMinimumWidth(220);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addLayout(bar);
    layout->addWidget(splitter, 1);

    timer_->setObjectName(QStringLiteral("TimerUpdateAisTargets"));
    timer_->setInterval(1000);
    QObject::connect(timer_, &QTimer::timeout, page, [this] { UpdateAisTargets(); });
    timer_->start();
    showWatcher_ = new ShowWatcher(page, [this] { UpdateAisTargets(); });
}

TargetsPage::~TargetsPage() {
    if (timer_) timer_->stop();
    delete showWatcher_;  // the page may outlive this object
}

void TargetsPage::UpdateAisTargets() {
    const GnssStore& g = codec_.Gnss;
    StationMotion own;
    if (g.PositionValid) {
        own.Latitude = g.Lat;
        own.Longitude = g.Lon;
        own.Sog = g.CourseValid ? g.SogKnots : 0.0;
        own.Cog = g.CourseValid ? g.CogTrue : 0.0;
    } else {
        const TargetEntry& o = codec_.Targets.Entry(0);
        own = StationMotion{o.Latitude, o.Longitude, o.Sog, o.Cog};
    }
    const CpaLimits limits = link_.ReadCpaLimits ? link_.ReadCpaLimits() : CpaLimits{};
    if (!page_->isVisible()) {
        UpdateCaption(model_->CountDangerous(limits, own));
        return;
    }
    model_->Refresh(NowValue(clock_), limits, own);
    if (static_cast<TargetsFilter*>(proxy_)->LanguageChanged()) UpdateTexts();
    UpdateCaption(model_->DangerCount());
    if (radar_->isVisible()) UpdateRadar();
    details_->Refresh();
}

void TargetsPage::UpdateTexts() {
    filter_->setPlaceholderText(
        QString::fromStdString(messages_.Text(MessageId::TargetsFilterHint)));
    static_cast<TargetsFilter*>(proxy_)->UpdateTexts();
}

void TargetsPage::UpdateRadar() {
    std::vector<RadarTarget> targets;
    const int rows = proxy_->rowCount();
    targets.reserve(static_cast<std::size_t>(rows));
    for (int i = 0; i < rows; ++i) {
        const int row = proxy_->mapToSource(proxy_->index(i, 0)).row();
        const Encounter& e = model_->EncounterOf(row);
        if (!e.HasRange) continue;
        const auto value = [&](int column) {
            return model_->index(row, column).data(TargetsModel::SortRole).toDouble();
        };
        RadarTarget t;
        t.Row = row;
        t.EastNm = e.EastNm;
        t.NorthNm = e.NorthNm;
        const double heading = value(TargetsModel::ColHeading);
        const double cog = value(TargetsModel::ColCog);
        t.DirectionDeg = heading < 360.0 ? heading : cog < 360.0 ? cog : -1.0;
        // The vector runs along the course over ground.
        const double sog = value(TargetsModel::ColSog);
        t.SogKn = sog < 102.25 ? sog : 0.0;
        t.Kind = static_cast<int>(value(TargetsModel::ColKind));
        t.Dangerous = model_->IsDangerousRow(row);
        t.Stale = value(TargetsModel::ColAge) >= static_cast<double>(kStaleAfterSeconds);
        targets.push_back(t);
    }
    radar_->SetTargets(std::move(targets));
}

void TargetsPage::UpdateCaption(int dangerous) {
    QTabWidget* tabs = TabsOf(page_);
    if (tabs == nullptr) return;
    const int index = tabs->indexOf(page_);
    if (index < 0) return;
    // A caption set from outside (a language) is the new plain caption.
    const QString current = tabs->tabText(index);
    if (current != shownCaption_) baseCaption_ = current;
    shownCaption_ = dangerous > 0
                        ? QStringLiteral("%1 (%2 \u26a0)").arg(baseCaption_).arg(dangerous)
                        : baseCaption_;
    if (shownCaption_ != current) tabs->setTabText(index, shownCaption_);
}

void TargetsPage::SelectRow(int row) {
    const QModelIndex at = proxy_->mapFromSource(model_->index(row, 0));
    if (!at.isValid()) return;
    table_->selectionModel()->setCurrentIndex(
        at, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    table_->scrollTo(at);
}

}  // namespace navoro
