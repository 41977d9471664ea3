#pragma once

// The connection group as the connection manager sees it: its controls,
// the three connection timers, the status display and the boxes.

#include <QTimer>
#include <array>
#include <functional>
#include <string>

#include "app/ConnectionGroup.h"
#include "link/ConnectionManager.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

class QObject;
class QWidget;

namespace navoro {

class PortLists;

// The timers the connection drives, owned by the main window.
struct ConnectionTimers {
    QTimer* ConnectionStep = nullptr;  // 1000 ms, connection steps ("Timer1")
    QTimer* Status = nullptr;          // 200 ms, status animation ("TimerConnection")
    QTimer* SystemCheck = nullptr;     // 1000 ms, system check ("TimerUpdateSysChk")
};

class ConnectionView : public ConnectionHost {
  public:
    // `context` owns the queued notices (the main window).
    ConnectionView(QObject* context, const MessageTable& messages, Prompts& prompts);

    // Builds the connection group into `panel` (PanelConnection) and binds the
    // timers. Runs once, before the connection manager's SetUp.
    void Build(QWidget* panel, ConnectionTimers timers);
    // The user's actions and the timers drive `manager`; Connect and
    // Disconnect run `toggle` (which may end a replay first).
    void Drive(ConnectionManager& manager, std::function<void()> toggle);

    const ConnectionControls& Controls() const { return controls_; }
    const std::string& Text(LinkText text) const;

    // Refills cbxComPort from the port lists, keeping the user's choice.
    void FillPortChoice(const PortLists& lists);

    // Message boxes titled OTHER_MSG/Warning and OTHER_MSG/Error.
    void WarningBox(const std::string& text);
    void ErrorBox(const std::string& text);

    // ---- ConnectionHost --------------------------------------------------------
    bool AutoMode() const override;
    void ShowDetectPage(bool automatic) override;
    std::string PortText() const override;
    void SetPortText(const std::string& text) override;
    void SelectFirstPort() override;
    void SetRateItems(const std::array<ProbeRate, 6>& rates) override;
    int RateEntry() const override;
    void SelectRateEntry(int entry) override;
    void ShowProbedPort(const std::string& text) override;
    void ShowProbedRate(const std::string& text) override;
    void ShowActive(bool active) override;
    void SetConnectCaption(LinkText caption) override;
    void EnableConnectionControls(bool enabled) override;
    void StartConnectionTimers() override;
    void StopConnectionTimers() override;
    void StartSystemCheckTimer() override;
    void ShowLinkStatus(int frame, LinkText text) override;
    void AnimateLinkStatus(int twoWayFrame, bool red) override;
    void ShowStandardLinkStatus(const std::string& maker, const std::string& model) override;
    void WarningBox(LinkText text) override;
    void ErrorBox(LinkText text, const std::string& reason) override;
    void PortErrorBox(const std::string& message) override;
    std::string TextOf(LinkText text) const override { return Text(text); }
    bool AskForceConnect() override;
    void PostNotice(std::function<void()> notice) override;

  private:
    QObject* context_;
    const MessageTable& messages_;
    Prompts& prompts_;
    ConnectionControls controls_;
    LinkImageLists images_;
    ConnectionTimers timers_;
};

}  // namespace navoro
