#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTabWidget>
#include <QTest>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/Configuration.h"
#include "tests/app/ShellFixture.h"
#include "tests/config/TabPages.h"
#include "tests/support/Sentence.h"

namespace navoro::test {

// The real main window, offscreen, with scripted prompts, a recorded link
// and the information dump counted as seen, so reads go out at once.
class ConfigTest : public ShellTest {
  protected:
    void SetUp() override {
        form = MakeForm();
        config = &form->configuration();
        pages.emplace(PagesOf(*config));
        ConfigLink link;
        // What went out, without its checksum and line end.
        link.Send = [this](const std::string& line) {
            if (!Sends()) return failure;
            sent.push_back(line.substr(0, line.find('*')));
            return SendResult::Sent;
        };
        link.Linked = [this] { return deviceDataSeen; };
        link.Disconnect = [this] { ++disconnects; };
        config->SetLink(std::move(link));
        // Notes come and go in a fraction of their time, in the same order.
        config->SetNoteTimings(
            {.StayMilliseconds = 300, .FadeMilliseconds = 100, .ReadBackWaitMilliseconds = 300});
    }

    // Whether the next send goes out.
    virtual bool Sends() { return sendResult; }

    ConfigPages& P() { return *pages; }
    Codec& codec() { return form->codec(); }

    // A reply as the port delivers it: the receive path routes it through the
    // codec to the tab it fills.
    void Receive(const std::string& body) { form->Session().Feed(Sentence(body)); }
    // An information line, with the line end the receive path puts back.
    void Dump(const std::string& text) { config->TakeLine(text + "\r\n"); }

    // Selects a configuration tab by its objectName (runs its read).
    void SelectTab(const char* name) {
        auto* tabs = FindControlAs<QTabWidget>(form.get(), "PageControlConf");
        tabs->setCurrentWidget(FindControlAs<QWidget>(form.get(), name));
    }

    // The progress timer's ticks, run directly.
    void Ticks(int n) {
        for (int i = 0; i < n; ++i)
            config->ProgressTick();
    }

    std::unique_ptr<MainWindow> form;
    Configuration* config = nullptr;
    std::optional<ConfigPages> pages;
    std::vector<std::string> sent;
    bool sendResult = true;
    SendResult failure = SendResult::Failed;
    bool deviceDataSeen = true;
    int disconnects = 0;
};

}  // namespace navoro::test
