#pragma once

// A scripted window and serial port for the connection manager's tests.

#include <cerrno>
#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "link/ConnectionManager.h"

namespace navoro::test {

// The port: remembers what was opened at which rate and every byte written.
// Like a real tty, a port that hung up stays open but refuses rate changes
// (EIO) and writes until it is closed.
class ScriptedPort : public ConnectionPort {
  public:
    struct Written {
        std::string path;
        int rate;
        std::string bytes;
    };

    bool IsOpen() const override { return open_; }
    PortResult Open() override {
        if (open_) {
            return PortResult::Failed(PortResult::Failure::AlreadyOpen, -1,
                                      "Port already assigned (open) (Error: -1)");
        }
        ++opens;
        if (refusingSettings.contains(name_)) {
            return PortResult::Failed(PortResult::Failure::SettingsRefused, 22,
                                      "Error updating DataControlBlock (Error: 22)");
        }
        const auto refused = refusing.find(name_);
        if (refused != refusing.end())
            return PortResult::Failed(PortResult::Failure::Unavailable, EBUSY, refused->second);
        open_ = true;
        opened.push_back(name_ + "@" + std::to_string(rate_));
        return {};
    }
    void Close() override {
        if (open_) ++closes;
        open_ = false;
        hungUp_ = false;
    }
    // The device goes away under the open port.
    void HangUp() { hungUp_ = open_; }
    bool HungUp() const { return hungUp_; }
    std::string DevicePath() const override { return name_; }
    void SetDevicePath(const std::string& path) override {
        if (!open_) name_ = path;
    }
    int Rate() const override { return rate_; }
    PortResult SetRate(int rate) override {
        rate_ = rate;  // kept even when refused, as the serial port does
        if (hungUp_) {
            return PortResult::Failed(PortResult::Failure::SettingsRefused, EIO,
                                      "Error updating DataControlBlock (Error: 5)");
        }
        return {};
    }
    int Write(const char* bytes, int length) override {
        if (!open_) return -1;
        if (failWrites || hungUp_) return 0;
        writes.push_back({name_, rate_, std::string(bytes, static_cast<std::size_t>(length))});
        return length;
    }
    int LastDeviceError() const override { return hungUp_ ? EIO : 0; }

    std::map<std::string, std::string> refusing;  // path -> why it cannot be opened
    std::set<std::string> refusingSettings;       // paths whose device refuses the settings
    bool failWrites = false;
    std::vector<std::string> opened;  // "path@rate"
    std::vector<Written> writes;
    int opens = 0;
    int closes = 0;

  private:
    bool open_ = false;
    bool hungUp_ = false;
    std::string name_ = "/dev/ttyS1";
    int rate_ = 9600;
};

// The window: holds the controls' state and records every box. Boxes come
// through PostNotice, which queues them as the event loop does: RunNotices
// shows them (the tests run it where the real loop would, after a handler).
class ScriptedHost : public ConnectionHost {
  public:
    struct Box {
        std::string kind;  // "warning", "error", "port", "question"
        LinkText text;
        std::string reason;
    };

    bool AutoMode() const override { return autoMode; }
    void ShowDetectPage(bool automatic) override { autoPage = automatic; }
    std::string PortText() const override { return comPortText; }
    void SetPortText(const std::string& text) override { comPortText = text; }
    void SelectFirstPort() override {
        comPortText = comPortItems.empty() ? "N/A" : comPortItems[0];
    }
    void SetRateItems(const std::array<ProbeRate, 6>& rates) override {
        baudRateItems.clear();
        for (const ProbeRate& rate : rates)
            baudRateItems.push_back(rate.Text);
    }
    int RateEntry() const override { return baudRateEntry; }
    void SelectRateEntry(int entry) override { baudRateEntry = entry; }
    void ShowProbedPort(const std::string& text) override { autoComPort = text; }
    void ShowProbedRate(const std::string& text) override { autoBaudRate = text; }
    void ShowActive(bool active) override { openPortDown = active; }
    void SetConnectCaption(LinkText caption) override { openPortCaption = caption; }
    void EnableConnectionControls(bool enabled) override { controlsEnabled = enabled; }
    void StartConnectionTimers() override { timersRunning = true; }
    void StopConnectionTimers() override { timersRunning = false; }
    void StartSystemCheckTimer() override { systemCheckRunning = true; }
    void ShowLinkStatus(int frame, LinkText text) override {
        statusFrame = frame;
        twoWayFrame = frame;
        statusText = text;
        statusRed = false;
    }
    void ShowStandardLinkStatus(const std::string& maker, const std::string& model) override {
        ShowLinkStatus(1, LinkText::StatusConnectedStandard);
        standardDevice = maker + "/" + model;
    }
    void AnimateLinkStatus(int frame, bool red) override {
        twoWayFrame = frame;
        statusRed = red;
        statusText = LinkText::StatusConnecting;
    }
    void WarningBox(LinkText text) override { Record({"warning", text, ""}); }
    void ErrorBox(LinkText text, const std::string& reason) override {
        Record({"error", text, reason});
    }
    std::string TextOf(LinkText text) const override {
        return text == LinkText::RateMayBeWrong
                   ? "received data but no readable lines: the rate may be wrong \u2014 try Auto."
                   : "text " + std::to_string(static_cast<int>(text));
    }
    void PortErrorBox(const std::string& message) override {
        Record({"port", LinkText::PortOpenError, message});
    }
    bool AskForceConnect() override {
        Record({"question", LinkText::CheckPortError, ""});
        return forceAnswer;
    }
    void PostNotice(std::function<void()> notice) override { notices.push_back(std::move(notice)); }
    // Shows the queued boxes in order.
    void RunNotices() {
        while (!notices.empty()) {
            auto notice = std::move(notices.front());
            notices.pop_front();
            notice();
        }
    }

    void Record(Box box) {
        boxes.push_back(box);
        if (onBox) onBox(boxes.back());
    }

    bool autoMode = false;
    bool autoPage = false;
    std::vector<std::string> comPortItems;
    std::string comPortText;
    std::vector<std::string> baudRateItems;
    int baudRateEntry = -1;
    std::string autoComPort, autoBaudRate;
    bool openPortDown = false;
    LinkText openPortCaption = LinkText::Connect;
    bool controlsEnabled = true;
    bool timersRunning = false;
    bool systemCheckRunning = false;
    int statusFrame = 0;
    int twoWayFrame = 0;
    LinkText statusText = LinkText::StatusDisconnect;
    std::string standardDevice;  // "maker/model" of the standard status
    bool statusRed = false;
    bool forceAnswer = true;
    int configurationResets = 0;
    int pageReads = 0;
    std::vector<Box> boxes;
    std::deque<std::function<void()>> notices;
    // Runs while a box is up.
    std::function<void(const Box&)> onBox;
};

}  // namespace navoro::test
