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

class Configuration;
class PortLists;

// The timers the connection drives, owned by the main window.
struct ConnectionTimers {
    QTimer* Timer1 = nullptr;             // 1000 ms, connection steps
    QTimer* TimerConnection = nullptr;    // 200 ms, status animation
    QTimer* TimerUpdateSysChk = nullptr;  // 1000 ms, system check
};

class ConnectionView : public ConnectionHost {
  public:
    // `context` owns the queued notices (the main window).
    ConnectionView(QObject* context, const MessageTable& messages, Prompts& prompts);

    // Builds the connection group into `panel` (PanelConnection) and binds the
    // timers and the configuration that a new connection resets. Runs once,
    // before the connection manager's SetUp.
    void Build(QWidget* panel, ConnectionTimers timers, Configuration& configuration,
               const ConnectionManager& manager);

    const ConnectionControls& Controls() const { return controls_; }
    const std::string& Text(LinkText text) const;

    // Refills cbxComPort from the port lists, keeping the user's choice.
    void FillPortChoice(const PortLists& lists);

    // Message boxes titled OTHER_MSG/Warning and OTHER_MSG/Error.
    void WarningBox(const std::string& text);
    void ErrorBox(const std::string& text);

    // The one seam tests replace: what a new link runs to read the visible
    // configuration page (by default the configuration's own handler).
    void SetLinkedPageRead(std::function<void()> handler) { readLinkedPage_ = std::move(handler); }

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
    void WarningBox(LinkText text) override;
    void ErrorBox(LinkText text, const std::string& reason) override;
    void PortErrorBox(const std::string& message) override;
    std::string TextOf(LinkText text) const override { return Text(text); }
    bool AskForceConnect() override;
    void PostNotice(std::function<void()> notice) override;
    void ConnectionReset() override;
    void LinkEstablished() override;

  private:
    QObject* context_;
    const MessageTable& messages_;
    Prompts& prompts_;
    ConnectionControls controls_;
    LinkImageLists images_;
    ConnectionTimers timers_;
    Configuration* configuration_ = nullptr;
    const ConnectionManager* manager_ = nullptr;
    std::function<void()> readLinkedPage_;
};

}  // namespace navoro
