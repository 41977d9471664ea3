#pragma once

// Replaying a capture into the main window: its lines go through the receive
// path a port's bytes take, paced by the capture's own clock, while the target
// table's clock follows the capture.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ais/LocalClock.h"
#include "link/CaptureReader.h"
#include "link/ReplaySchedule.h"
#include "ui/MessageTable.h"

class QComboBox;
class QProgressBar;
class QPushButton;
class QTimer;
class QWidget;

class QAction;
class QMenu;

namespace navoro {

struct ConnectionControls;

// The target table's clock during a replay: the local time of the capture
// time of the last line replayed.
class CaptureClock final : public LocalClock {
  public:
    explicit CaptureClock(const ReplaySchedule& schedule) : schedule_(schedule) {}
    LocalDateTime Now() override;

  private:
    const ReplaySchedule& schedule_;
    std::int64_t cachedSecond_ = -1;
    LocalDateTime cached_{};
};

// Reads a capture and hands its lines, each with CR LF, to `feed` when they
// are due. TimerReplay does the work in slices of at most kSliceMs, so the
// window stays responsive at any speed.
class CaptureReplay : public QObject {
    Q_OBJECT

  public:
    static constexpr int kSliceMs = 5;

    // `setClock` gives the target table and the pages that show ages a clock
    // (nullptr: the system's again).
    CaptureReplay(std::function<void(std::string_view)> feed,
                  std::function<void(LocalClock*)> setClock, QObject* parent);
    ~CaptureReplay() override;

    // Opens the capture and starts replaying it at the chosen speed; anything
    // but Ok leaves nothing running (Reader().Error() tells why).
    CaptureStatus Start(const std::string& path);
    // Ends a running replay; Finished follows.
    void Stop();
    bool Active() const { return active_; }

    void SetSpeed(ReplaySpeed speed);
    ReplaySpeed Speed() const { return schedule_.Speed(); }
    void SetPaused(bool paused);
    bool Paused() const { return schedule_.Paused(); }

    // How far into the file the replay is, 0-100.
    int Percent() const;
    const CaptureReader& Reader() const { return reader_; }
    const std::string& Path() const { return path_; }
    // The longest slice of work so far, in milliseconds.
    std::int64_t LongestSliceMs() const { return longestSliceMs_; }
    QTimer* TimerReplay() const { return timer_; }

  signals:
    void ProgressChanged(int percent);
    // The end of the file, a read failure or Stop.
    void Finished();

  private:
    void TimerReplayTimer();
    void End();

    std::function<void(std::string_view)> feed_;
    std::function<void(LocalClock*)> setClock_;
    QTimer* timer_;
    QElapsedTimer wall_;
    CaptureReader reader_;
    ReplaySchedule schedule_;
    CaptureClock clock_{schedule_};
    CaptureLine pending_;
    bool hasPending_ = false;
    bool active_ = false;
    int lastPercent_ = -1;
    std::int64_t longestSliceMs_ = 0;
    std::string path_;
};

// What the replay needs of the main window.
struct ReplayWindow {
    QWidget* Window = nullptr;
    const ConnectionControls* Connection = nullptr;
    const MessageTable* Messages = nullptr;
    // The controls that write to a device, disabled while replaying.
    QWidget* WriteControls[3] = {nullptr, nullptr, nullptr};
    // File > Maintenance: its commands write to a device too.
    QAction* Maintenance = nullptr;
    std::function<void(std::string_view)> Feed;  // the receive path
    // The clock of the target table and of the pages that show ages.
    std::function<void(LocalClock*)> SetClock;
    std::function<bool()> Connected;   // connecting or connected
    std::function<void()> Disconnect;  // as the user's Disconnect
    std::function<void(const std::string&)> ErrorBox;
};

// The replay's place in the window: a page of the connection group with the
// progress bar, the speed choice, Pause/Resume and Stop; the status text where
// the connection status is shown; the write controls disabled while replaying.
class ReplayPanel : public QObject {
    Q_OBJECT

  public:
    ReplayPanel(ReplayWindow window, QObject* parent);

    // Ends a connection, then replays `path`; a capture that cannot be
    // replayed gets an error box. True when the replay runs.
    bool StartReplay(const std::string& path);
    // Ends a running replay (Connect does this first).
    void StopReplay();
    CaptureReplay& Replay() { return *replay_; }
    // The language switch's texts for the page.
    void ApplyTexts();
    // Puts "Open capture..." first into `menu`; choosing it runs `open`.
    void AddOpenItem(QMenu* menu, std::function<void()> open);

    QProgressBar* ProgressBarReplay() const { return progress_; }
    QComboBox* cbxReplaySpeed() const { return speed_; }
    QPushButton* btnReplayPause() const { return pause_; }

  private:
    QString Message(MessageId id) const;
    void ShowProgress(int percent);
    void Finished();
    void SetReplaying(bool replaying);

    ReplayWindow window_;
    CaptureReplay* replay_;
    QWidget* page_ = nullptr;
    QWidget* previousPage_ = nullptr;
    QProgressBar* progress_ = nullptr;
    QComboBox* speed_ = nullptr;
    QPushButton* pause_ = nullptr;
    QPushButton* stop_ = nullptr;
    QString name_;
    QString tooltips_[3];
    bool enabled_[3] = {true, true, true};
    bool modeEnabled_ = true;
    bool maintenanceEnabled_ = true;
    int statusWidth_ = 0;
};

}  // namespace navoro
