#include "app/CaptureReplay.h"

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <ctime>

#include "app/ConnectionGroup.h"

namespace navoro {

namespace {

std::int64_t EpochMsNow() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

// The status line's file name: at most this many characters.
constexpr int kShownNameLength = 24;
// The status text's width while replaying, so that it needs two lines at most.
constexpr int kStatusWidth = 180;

}  // namespace

// CaptureClock

LocalDateTime CaptureClock::Now() {
    const std::int64_t ms = schedule_.CaptureNow();
    const std::int64_t second = ms >= 0 ? ms / 1000 : (ms - 999) / 1000;
    if (second != cachedSecond_) {
        cachedSecond_ = second;
        const auto time = static_cast<std::time_t>(second);
        std::tm local{};
        if (::localtime_r(&time, &local)) {
            cached_.Year = static_cast<std::uint16_t>(std::clamp(local.tm_year + 1900, 0, 65535));
            cached_.Month = static_cast<std::uint8_t>(local.tm_mon + 1);
            cached_.Day = static_cast<std::uint8_t>(local.tm_mday);
            cached_.Hour = static_cast<std::uint8_t>(local.tm_hour);
            cached_.Minute = static_cast<std::uint8_t>(local.tm_min);
            cached_.Second = static_cast<std::uint8_t>(std::min(local.tm_sec, 59));
        }
    }
    return cached_;
}

// CaptureReplay

CaptureReplay::CaptureReplay(std::function<void(std::string_view)> feed,
                             std::function<void(LocalClock*)> setClock, QObject* parent)
    : QObject(parent),
      feed_(std::move(feed)),
      setClock_(std::move(setClock)),
      timer_(new QTimer(this)) {
    timer_->setObjectName(QStringLiteral("TimerReplay"));
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &CaptureReplay::TimerReplayTimer);
}

CaptureReplay::~CaptureReplay() {
    // The table must not keep a clock that is going away.
    if (active_) setClock_(nullptr);
}

CaptureStatus CaptureReplay::Start(const std::string& path) {
    if (active_) Stop();
    const CaptureStatus status = reader_.Open(path, EpochMsNow());
    if (status != CaptureStatus::Ok) return status;
    path_ = path;
    const ReplaySpeed speed = schedule_.Speed();
    schedule_ = ReplaySchedule{};
    wall_.start();
    schedule_.SetSpeed(speed, 0);
    hasPending_ = false;
    active_ = true;
    lastPercent_ = -1;
    longestSliceMs_ = 0;
    setClock_(&clock_);
    timer_->start(0);
    return status;
}

void CaptureReplay::Stop() {
    if (active_) End();
}

void CaptureReplay::End() {
    timer_->stop();
    const int percent = Percent();
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        emit ProgressChanged(percent);
    }
    reader_.Close();
    hasPending_ = false;
    active_ = false;
    setClock_(nullptr);
    emit Finished();
}

void CaptureReplay::SetSpeed(ReplaySpeed speed) {
    schedule_.SetSpeed(speed, wall_.isValid() ? wall_.elapsed() : 0);
    if (active_ && !schedule_.Paused()) timer_->start(0);
}

void CaptureReplay::SetPaused(bool paused) {
    if (paused) {
        schedule_.Pause(wall_.elapsed());
        timer_->stop();
        return;
    }
    schedule_.Resume(wall_.isValid() ? wall_.elapsed() : 0);
    if (active_) timer_->start(0);
}

int CaptureReplay::Percent() const {
    const std::uint64_t size = reader_.FileSize();
    if (size == 0) return active_ ? 0 : 100;
    return static_cast<int>(std::min<std::uint64_t>(100, reader_.FilePosition() * 100 / size));
}

void CaptureReplay::TimerReplayTimer() {
    if (!active_) return;
    const std::int64_t start = wall_.elapsed();
    std::int64_t now = start;
    for (;;) {
        if (!hasPending_) {
            if (!reader_.Next(pending_)) {
                End();
                return;
            }
            hasPending_ = true;
        }
        const std::int64_t due = schedule_.Due(pending_.TimeMs, now);
        if (due == ReplaySchedule::kNever) break;
        if (due > now) {
            timer_->start(static_cast<int>(std::min<std::int64_t>(due - now, 1000)));
            break;
        }
        feed_(pending_.Text);
        feed_("\r\n");
        schedule_.Taken(pending_.TimeMs, now);
        hasPending_ = false;
        now = wall_.elapsed();
        if (now - start >= kSliceMs) {
            timer_->start(0);
            break;
        }
    }
    longestSliceMs_ = std::max<std::int64_t>(longestSliceMs_, wall_.elapsed() - start);
    const int percent = Percent();
    if (percent != lastPercent_) {
        lastPercent_ = percent;
        emit ProgressChanged(percent);
    }
}

// ReplayPanel

ReplayPanel::ReplayPanel(ReplayWindow window, QObject* parent)
    : QObject(parent),
      window_(std::move(window)),
      replay_(new CaptureReplay(window_.Feed, window_.SetClock, this)) {
    QTabWidget* pages = window_.Connection->PageControlDetectComPortMode;
    page_ = new QWidget(pages);
    page_->setObjectName(QStringLiteral("TabSheetReplay"));
    auto* column = new QVBoxLayout(page_);
    column->setContentsMargins(0, 2, 0, 0);
    column->setSpacing(3);
    progress_ = new QProgressBar(page_);
    progress_->setObjectName(QStringLiteral("ProgressBarReplay"));
    progress_->setRange(0, 100);
    progress_->setFixedHeight(20);
    column->addWidget(progress_);
    auto* row = new QHBoxLayout;
    row->setSpacing(4);
    speed_ = new QComboBox(page_);
    speed_->setObjectName(QStringLiteral("cbxReplaySpeed"));
    pause_ = new QPushButton(page_);
    pause_->setObjectName(QStringLiteral("btnReplayPause"));
    pause_->setCheckable(true);
    stop_ = new QPushButton(QStringLiteral("Stop"), page_);
    stop_->setObjectName(QStringLiteral("btnReplayStop"));
    row->addWidget(speed_, 1);
    row->addWidget(pause_);
    row->addWidget(stop_);
    column->addLayout(row);
    pages->addTab(page_, QString());
    ApplyTexts();

    connect(speed_, &QComboBox::activated, this,
            [this](int index) { replay_->SetSpeed(static_cast<ReplaySpeed>(index)); });
    connect(pause_, &QPushButton::toggled, this, [this](bool paused) {
        replay_->SetPaused(paused);
        pause_->setText(Message(paused ? MessageId::ReplayResume : MessageId::ReplayPause));
    });
    connect(stop_, &QPushButton::clicked, this, &ReplayPanel::StopReplay);
    connect(replay_, &CaptureReplay::ProgressChanged, this, &ReplayPanel::ShowProgress);
    connect(replay_, &CaptureReplay::Finished, this, &ReplayPanel::Finished);
}

QString ReplayPanel::Message(MessageId id) const {
    return QString::fromStdString(window_.Messages->Text(id));
}

void ReplayPanel::ApplyTexts() {
    const int speed = speed_->currentIndex();
    speed_->clear();
    speed_->addItems({QStringLiteral("1\u00d7"), QStringLiteral("10\u00d7"),
                      QStringLiteral("100\u00d7"), Message(MessageId::ReplayFastest)});
    speed_->setCurrentIndex(speed < 0 ? static_cast<int>(replay_->Speed()) : speed);
    pause_->setText(
        Message(pause_->isChecked() ? MessageId::ReplayResume : MessageId::ReplayPause));
    if (replay_->Active()) {
        ShowProgress(replay_->Percent());
        for (QWidget* control : window_.WriteControls)
            if (control) control->setToolTip(Message(MessageId::ReplayBlocked));
    }
}

bool ReplayPanel::StartReplay(const std::string& path) {
    replay_->Stop();
    if (window_.Connected && window_.Connected() && window_.Disconnect) window_.Disconnect();
    const CaptureStatus status = replay_->Start(path);
    const QString file = QString::fromStdString(path);
    switch (status) {
        case CaptureStatus::Ok:
            break;
        case CaptureStatus::Empty:
            window_.ErrorBox(Message(MessageId::ReplayEmpty).arg(file).toStdString());
            return false;
        case CaptureStatus::Binary:
            window_.ErrorBox(Message(MessageId::ReplayBinary).arg(file).toStdString());
            return false;
        case CaptureStatus::OpenFailed:
        case CaptureStatus::ReadFailed:
            window_.ErrorBox(Message(MessageId::ReplayOpenFailed)
                                 .arg(file, QString::fromStdString(replay_->Reader().Error()))
                                 .toStdString());
            return false;
    }
    name_ = QFileInfo(file).fileName();
    if (name_.size() > kShownNameLength)
        name_ = name_.left(kShownNameLength - 1) + QStringLiteral("\u2026");
    SetReplaying(true);
    pause_->setChecked(false);
    replay_->SetSpeed(static_cast<ReplaySpeed>(std::max(0, speed_->currentIndex())));
    ShowProgress(0);
    return true;
}

void ReplayPanel::StopReplay() {
    replay_->Stop();
}

void ReplayPanel::ShowProgress(int percent) {
    progress_->setValue(percent);
    QLabel* status = window_.Connection->LabelConnectionStatus;
    status->setText(Message(MessageId::ReplayStatus).arg(name_).arg(percent));
    status->setToolTip(QString::fromStdString(replay_->Path()));
}

void ReplayPanel::Finished() {
    const CaptureReader& reader = replay_->Reader();
    SetReplaying(false);
    QLabel* status = window_.Connection->LabelConnectionStatus;
    const QString counts = Message(MessageId::ReplayEnded)
                               .arg(reader.LinesRead())
                               .arg(reader.LinesAccepted())
                               .arg(reader.LinesRejected());
    status->setText(counts);
    status->setToolTip(QString::fromStdString(replay_->Path()));
    if (reader.Status() == CaptureStatus::Ok && reader.LinesRead() == 0) {
        // Only empty lines, too many to be told at the start.
        window_.ErrorBox(Message(MessageId::ReplayEmpty)
                             .arg(QString::fromStdString(replay_->Path()))
                             .toStdString());
    } else if (reader.Status() == CaptureStatus::ReadFailed) {
        window_.ErrorBox(Message(MessageId::ReplayReadFailed)
                             .arg(QString::fromStdString(replay_->Path()))
                             .arg(reader.LinesRead())
                             .arg(QString::fromStdString(reader.Error()))
                             .toStdString());
    }
}

void ReplayPanel::SetReplaying(bool replaying) {
    const ConnectionControls& c = *window_.Connection;
    QTabWidget* pages = c.PageControlDetectComPortMode;
    if (replaying && pages->currentWidget() != page_) {
        previousPage_ = pages->currentWidget();
        modeEnabled_ = c.RadioButtonConnectionModeManual->isEnabled();
        pages->setCurrentWidget(page_);
        for (std::size_t i = 0; i < std::size(window_.WriteControls); ++i) {
            QWidget* control = window_.WriteControls[i];
            if (!control) continue;
            enabled_[i] = control->isEnabled();
            tooltips_[i] = control->toolTip();
            control->setEnabled(false);
            control->setToolTip(Message(MessageId::ReplayBlocked));
        }
        for (QRadioButton* mode :
             {c.RadioButtonConnectionModeManual, c.RadioButtonConnectionModeAuto})
            mode->setEnabled(false);
        if (window_.Maintenance) {
            maintenanceEnabled_ = window_.Maintenance->isEnabled();
            window_.Maintenance->setEnabled(false);
        }
        c.LabelConnectionStatus->setWordWrap(true);
        statusWidth_ = c.LabelConnectionStatus->minimumWidth();
        c.LabelConnectionStatus->setMinimumWidth(kStatusWidth);
    } else if (!replaying && pages->currentWidget() == page_) {
        pages->setCurrentWidget(previousPage_ ? previousPage_ : pages->widget(0));
        for (std::size_t i = 0; i < std::size(window_.WriteControls); ++i) {
            QWidget* control = window_.WriteControls[i];
            if (!control) continue;
            control->setEnabled(enabled_[i]);
            control->setToolTip(tooltips_[i]);
        }
        for (QRadioButton* mode :
             {c.RadioButtonConnectionModeManual, c.RadioButtonConnectionModeAuto})
            mode->setEnabled(modeEnabled_);
        if (window_.Maintenance) window_.Maintenance->setEnabled(maintenanceEnabled_);
        c.LabelConnectionStatus->setMinimumWidth(statusWidth_);
    }
}

void ReplayPanel::AddOpenItem(QMenu* menu, std::function<void()> open) {
    auto* item = new QAction(QStringLiteral("Open capture(&O)..."), menu);
    item->setObjectName(QStringLiteral("mnuOpenCapture"));
    connect(item, &QAction::triggered, this, std::move(open));
    const QList<QAction*> items = menu->actions();
    QAction* first = items.isEmpty() ? nullptr : items.front();
    menu->insertAction(first, item);
    menu->insertSeparator(first);
}

}  // namespace navoro
