#include "diagnosis/AlarmsPage.h"

#include <QBrush>
#include <QColor>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <initializer_list>
#include <string>
#include <vector>

#include "diagnosis/CustomCommand.h"
#include "diagnosis/PositionFormat.h"

namespace navoro {

namespace {

enum AlarmColumn {
    kAlarmColId,
    kAlarmColText,
    kAlarmColCondition,
    kAlarmColAck,
    kAlarmColRaised,
    kAlarmColCleared,
    kAlarmColumns
};
enum StatusColumn { kStatusColId, kStatusColText, kStatusColReceived, kStatusColumns };
enum LogColumn { kLogColEntry, kLogColOff, kLogColOn, kLogColReason, kLogColumns };
enum RegionColumn {
    kRegionColNumber,
    kRegionColNorthEast,
    kRegionColSouthWest,
    kRegionColChannels,
    kRegionColSource,
    kRegionColInUse,
    kRegionColumns
};

QString AlarmQ(const std::string& text) {
    return QString::fromStdString(text);
}

QTableWidget* MakeTable(QWidget* parent, const char* name, int columns) {
    auto* table = new QTableWidget(0, columns, parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    table->horizontalHeader()->setStretchLastSection(true);
    table->horizontalHeader()->setHighlightSections(false);
    return table;
}

QGroupBox* MakeGroup(QWidget* parent, const char* name, const char* caption, QWidget* content) {
    auto* group = new QGroupBox(QString::fromLatin1(caption), parent);
    group->setObjectName(QString::fromLatin1(name));
    auto* layout = new QVBoxLayout(group);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(content);
    return group;
}

// Sets a cell's text (and colour), reusing its item.
void SetCell(QTableWidget* table, int row, int column, const QString& text,
             const QColor& colour = QColor()) {
    QTableWidgetItem* item = table->item(row, column);
    if (item == nullptr) {
        item = new QTableWidgetItem;
        table->setItem(row, column, item);
    }
    if (item->text() != text) item->setText(text);
    const QBrush brush = colour.isValid() ? QBrush(colour) : QBrush();
    if (item->foreground() != brush) item->setForeground(brush);
}

// The sentence's own time as it is; the arrival time in parentheses.
QString TimeText(const AlarmTime& time) {
    const QString text = AlarmQ(FormatAlarmTime(time));
    if (text.isEmpty() || time.FromDevice) return text;
    return QStringLiteral("(%1)").arg(text);
}

QString CornerText(const LatLon& corner) {
    if (!(corner.Lat >= -90.0f && corner.Lat <= 90.0f && corner.Lon >= -180.0f &&
          corner.Lon <= 180.0f))
        return {};
    std::string lon;
    std::string lat;
    FormatPosition(lon, lat, corner.Lon, corner.Lat, 1, 0);
    return AlarmQ(DegreeSignsToUtf8(lat)).trimmed() + QStringLiteral(" ") +
           AlarmQ(DegreeSignsToUtf8(lon)).trimmed();
}

QTabWidget* AlarmTabsOf(QWidget* page) {
    for (QWidget* w = page->parentWidget(); w != nullptr; w = w->parentWidget())
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) return tabs;
    return nullptr;
}

const QColor kUnacknowledgedColour(0xC0, 0x10, 0x10);
const QColor kAcknowledgedColour(0xB0, 0x60, 0x00);
const QColor kClearedColour(0x70, 0x70, 0x70);

}  // namespace

AlarmsPage::AlarmsPage(QWidget* page, const AlarmBoard& board, const MessageTable& messages,
                       const DiagnosisLink& link, Prompts& prompts)
    : QObject(page),
      page_(page),
      board_(board),
      messages_(messages),
      link_(link),
      prompts_(prompts) {
    BuildControls();
    UpdateHeaders();
    Refresh();
}

void AlarmsPage::BuildControls() {
    alarms_ = MakeTable(page_, "TableAlarms", kAlarmColumns);
    status_ = MakeTable(page_, "TableStatusTexts", kStatusColumns);
    log_ = MakeTable(page_, "TableTransmitterLog", kLogColumns);
    regions_ = MakeTable(page_, "TableChannelRegions", kRegionColumns);
    // Each column as wide as its contents; the text columns take the rest.
    const auto fit = [](QTableWidget* table, int stretched) {
        QHeaderView* header = table->horizontalHeader();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(QHeaderView::ResizeToContents);
        header->setSectionResizeMode(stretched, QHeaderView::Stretch);
    };
    fit(alarms_, kAlarmColText);
    fit(status_, kStatusColText);
    fit(log_, kLogColReason);
    fit(regions_, kRegionColSource);

    acknowledge_ = new QPushButton(QStringLiteral("Acknowledge"), page_);
    acknowledge_->setObjectName(QStringLiteral("ButtonAcknowledgeAlarm"));
    acknowledge_->setMinimumSize(130, 28);
    acknowledge_->setEnabled(false);
    QObject::connect(acknowledge_, &QPushButton::clicked, this, [this] { AcknowledgeSelected(); });
    QObject::connect(alarms_, &QTableWidget::itemSelectionChanged, this,
                     [this] { acknowledge_->setEnabled(SelectedAlarmId() >= 0); });

    auto* alarmBox = new QWidget(page_);
    auto* alarmLayout = new QVBoxLayout(alarmBox);
    alarmLayout->setContentsMargins(0, 0, 0, 0);
    alarmLayout->addWidget(alarms_, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(acknowledge_);
    alarmLayout->addLayout(buttons);

    auto* splitter = new QSplitter(Qt::Vertical, page_);
    splitter->setObjectName(QStringLiteral("SplitterAlarms"));
    splitter->addWidget(MakeGroup(splitter, "GroupBoxAlarms", "Alarms", alarmBox));
    auto* middle = new QSplitter(Qt::Horizontal, splitter);
    middle->setObjectName(QStringLiteral("SplitterAlarmStatus"));
    middle->addWidget(MakeGroup(middle, "GroupBoxStatusTexts", "Status texts", status_));
    middle->addWidget(MakeGroup(middle, "GroupBoxTransmitterLog", "Transmitter off log", log_));
    middle->setChildrenCollapsible(false);
    splitter->addWidget(middle);
    splitter->addWidget(
        MakeGroup(splitter, "GroupBoxChannelRegions", "Channel management", regions_));
    splitter->setStretchFactor(0, 3);
    splitter->setStretchFactor(1, 2);
    splitter->setStretchFactor(2, 1);
    splitter->setChildrenCollapsible(false);

    auto* layout = new QVBoxLayout(page_);
    layout->setContentsMargins(4, 4, 4, 4);
    layout->addWidget(splitter);
}

QString AlarmsPage::Text(MessageId id) const {
    const std::string& text = messages_.Text(id);
    if (!text.empty()) return AlarmQ(text);
    return QString::fromUtf8(kMessageEntries[static_cast<std::size_t>(id)].BuiltIn);
}

QString AlarmsPage::StandardWithDevice(std::optional<MessageId> standard,
                                       const std::string& deviceText) const {
    if (!standard) return AlarmQ(deviceText);
    QString text = Text(*standard);
    const char* english = kMessageEntries[static_cast<std::size_t>(*standard)].BuiltIn;
    if (DeviceTextDiffers(deviceText, english))
        text += QStringLiteral(" \u2014 ") + AlarmQ(deviceText);
    return text;
}

void AlarmsPage::Refresh() {
    if (board_.Revision() != drawnRevision_) {
        drawnRevision_ = board_.Revision();
        FillAlarms();
        FillStatusTexts();
        FillLog();
        FillRegions();
    }
    UpdateCaption();
}

void AlarmsPage::UpdateTexts() {
    UpdateHeaders();
    drawnRevision_ = ~board_.Revision();
    Refresh();
}

void AlarmsPage::SetBadge(QLabel* badge) {
    badge_ = badge;
    UpdateCaption();
}

void AlarmsPage::UpdateHeaders() {
    const auto headers = [this](QTableWidget* table, std::initializer_list<MessageId> ids) {
        QStringList labels;
        for (MessageId id : ids)
            labels << Text(id);
        table->setHorizontalHeaderLabels(labels);
    };
    headers(alarms_, {MessageId::AlarmsColId, MessageId::AlarmsColAlarm,
                      MessageId::AlarmsColCondition, MessageId::AlarmsColAcknowledged,
                      MessageId::AlarmsColRaised, MessageId::AlarmsColCleared});
    headers(status_,
            {MessageId::AlarmsColId, MessageId::StatusColText, MessageId::StatusColReceived});
    headers(log_, {MessageId::TxLogColEntry, MessageId::TxLogColOff, MessageId::TxLogColOn,
                   MessageId::TxLogColReason});
    headers(regions_, {MessageId::RegionColNumber, MessageId::RegionColNorthEast,
                       MessageId::RegionColSouthWest, MessageId::RegionColChannels,
                       MessageId::RegionColSource, MessageId::RegionColInUse});
}

void AlarmsPage::FillAlarms() {
    const int selected = SelectedAlarmId();
    const std::vector<AlarmEntry>& alarms = board_.Alarms();
    const QSignalBlocker quiet(alarms_);
    alarms_->setRowCount(static_cast<int>(alarms.size()));
    int reselect = -1;
    for (int row = 0; row < static_cast<int>(alarms.size()); ++row) {
        const AlarmEntry& e = alarms[static_cast<std::size_t>(row)];
        const bool active = e.Condition == AlarmCondition::Active;
        const QColor colour = !active          ? kClearedColour
                              : e.Acknowledged ? kAcknowledgedColour
                                               : kUnacknowledgedColour;
        SetCell(alarms_, row, kAlarmColId, AlarmQ(FormatAlarmId(e.Id)), colour);
        SetCell(alarms_, row, kAlarmColText,
                StandardWithDevice(StandardAlarmText(e.Id), e.DeviceText), colour);
        SetCell(alarms_, row, kAlarmColCondition,
                Text(active ? MessageId::AlarmActive : MessageId::AlarmCleared), colour);
        SetCell(alarms_, row, kAlarmColAck,
                Text(e.Acknowledged ? MessageId::AlarmYes : MessageId::AlarmNo), colour);
        SetCell(alarms_, row, kAlarmColRaised, TimeText(e.Raised), colour);
        SetCell(alarms_, row, kAlarmColCleared, TimeText(e.Cleared), colour);
        if (e.Id == selected) reselect = row;
    }
    if (reselect >= 0) {
        alarms_->selectRow(reselect);
    } else {
        alarms_->clearSelection();
    }
    acknowledge_->setEnabled(SelectedAlarmId() >= 0);
}

void AlarmsPage::FillStatusTexts() {
    const std::vector<StatusEntry>& texts = board_.StatusTexts();
    status_->setRowCount(static_cast<int>(texts.size()));
    for (int row = 0; row < static_cast<int>(texts.size()); ++row) {
        const StatusEntry& e = texts[static_cast<std::size_t>(row)];
        SetCell(status_, row, kStatusColId, e.Id > 0 ? AlarmQ(FormatAlarmId(e.Id)) : QString());
        SetCell(status_, row, kStatusColText,
                StandardWithDevice(StandardStatusText(e.Id), e.DeviceText));
        SetCell(status_, row, kStatusColReceived, TimeText(e.Received));
    }
}

void AlarmsPage::FillLog() {
    const std::vector<TransmitterLogEntry>& log = board_.TransmitterLog();
    log_->setRowCount(static_cast<int>(log.size()));
    for (int row = 0; row < static_cast<int>(log.size()); ++row) {
        const TransmitterLogEntry& e = log[static_cast<std::size_t>(row)];
        SetCell(log_, row, kLogColEntry, QString::number(e.Entry));
        SetCell(log_, row, kLogColOff, AlarmQ(FormatLogTime(e.OffDate, e.OffTime)));
        SetCell(log_, row, kLogColOn, AlarmQ(FormatLogTime(e.OnDate, e.OnTime)));
        const std::optional<MessageId> reason = TransmitterOffReasonText(e.Reason);
        SetCell(log_, row, kLogColReason,
                reason          ? Text(*reason)
                : e.Reason >= 0 ? QString::number(e.Reason)
                                : QString());
    }
}

void AlarmsPage::FillRegions() {
    const std::vector<ChannelRegion>& regions = board_.Regions();
    regions_->setRowCount(static_cast<int>(regions.size()));
    for (int row = 0; row < static_cast<int>(regions.size()); ++row) {
        const ChannelRegion& region = regions[static_cast<std::size_t>(row)];
        SetCell(regions_, row, kRegionColNumber, QString::number(region.Sequence));
        QString northEast, southWest, channels, inUse;
        QString source;
        if (region.Assignment) {
            const AcaRecord& a = *region.Assignment;
            northEast = CornerText(a.NorthEast);
            southWest = CornerText(a.SouthWest);
            channels = QStringLiteral("%1 / %2")
                           .arg(static_cast<int>(a.ChannelA))
                           .arg(static_cast<int>(a.ChannelB));
            if (a.InfoSource > ' ') source = QString(QLatin1Char(a.InfoSource));
            if (a.InUse == '0' || a.InUse == '1') {
                inUse = Text(a.InUse == '1' ? MessageId::AlarmYes : MessageId::AlarmNo);
                const QString since = AlarmQ(FormatLogTime(DateOfYear{}, a.InUseTime));
                if (!since.isEmpty()) inUse += QStringLiteral(" ") + since;
            }
        }
        if (region.Source) {
            const AcsRecord& s = *region.Source;
            if (!source.isEmpty()) source += QStringLiteral(" \u2014 ");
            source += QStringLiteral("MMSI %1").arg(s.Mmsi, 9, 10, QLatin1Char('0'));
            // The day and month of the receipt (the year is not kept whole).
            QString at;
            if (s.Day >= 1 && s.Day <= 31 && s.Month >= 1 && s.Month <= 12)
                at = QStringLiteral("%1.%2.")
                         .arg(static_cast<int>(s.Day), 2, 10, QLatin1Char('0'))
                         .arg(static_cast<int>(s.Month), 2, 10, QLatin1Char('0'));
            const QString time = AlarmQ(FormatLogTime(DateOfYear{}, s.Time));
            if (!time.isEmpty()) at += (at.isEmpty() ? QString() : QStringLiteral(" ")) + time;
            if (!at.isEmpty()) source += QStringLiteral(", ") + at;
        }
        SetCell(regions_, row, kRegionColNorthEast, northEast);
        SetCell(regions_, row, kRegionColSouthWest, southWest);
        SetCell(regions_, row, kRegionColChannels, channels);
        SetCell(regions_, row, kRegionColSource, source);
        SetCell(regions_, row, kRegionColInUse, inUse);
    }
}

void AlarmsPage::UpdateCaption() {
    const int waiting = board_.UnacknowledgedActiveCount();
    if (QTabWidget* tabs = AlarmTabsOf(page_)) {
        const int index = tabs->indexOf(page_);
        if (index >= 0) {
            // A caption set from outside (a language) is the new plain caption.
            const QString current = tabs->tabText(index);
            if (current != shownCaption_) baseCaption_ = current;
            shownCaption_ = waiting > 0
                                ? QStringLiteral("%1 (%2 \u26a0)").arg(baseCaption_).arg(waiting)
                                : baseCaption_;
            if (shownCaption_ != current) tabs->setTabText(index, shownCaption_);
        }
    }
    if (badge_) {
        badge_->setVisible(waiting > 0);
        const QString caption =
            baseCaption_.isEmpty() ? Text(MessageId::AlarmsColAlarm) : baseCaption_;
        badge_->setText(waiting > 0 ? QStringLiteral("\u26a0 %1: %2").arg(caption).arg(waiting)
                                    : QString());
    }
}

int AlarmsPage::SelectedAlarmId() const {
    const QList<QTableWidgetItem*> items = alarms_->selectedItems();
    if (items.isEmpty()) return -1;
    const int row = items.front()->row();
    const std::vector<AlarmEntry>& alarms = board_.Alarms();
    if (row < 0 || row >= static_cast<int>(alarms.size())) return -1;
    return alarms[static_cast<std::size_t>(row)].Id;
}

bool AlarmsPage::AcknowledgeSelected() {
    const int id = SelectedAlarmId();
    if (id < 0) return false;
    std::string sentence = AlarmAckBytes(id);
    // The typed-command path adds the line end itself.
    if (sentence.size() >= 2) sentence.resize(sentence.size() - 2);
    return SendCustomCommand(link_, prompts_, messages_, sentence);
}

}  // namespace navoro
