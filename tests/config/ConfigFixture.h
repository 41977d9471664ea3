#pragma once

#include <gtest/gtest.h>

#include <QComboBox>
#include <QTabWidget>
#include <QTest>
#include <memory>
#include <string>
#include <vector>

#include "config/Configuration.h"
#include "tests/app/ShellFixture.h"
#include "tests/support/Sentence.h"

namespace navoro::test {

// The real main window, offscreen, with scripted prompts, a recorded send path
// and the information dump counted as seen, so reads go out at once.
class ConfigTest : public ShellTest {
  protected:
    void SetUp() override {
        form = MakeForm();
        config = &form->configuration();
        config->SetSendSentenceText([this](const char* text) {
            sent.emplace_back(text);
            return sendResult;
        });
        config->SetDeviceDataSeen([this] { return deviceDataSeen; });
    }

    ConfigPages& P() { return config->Pages(); }
    Codec& codec() { return form->codec(); }

    // A reply as the receive path hands it over: RouteLine routes it
    // through the codec to the handler of its formatter.
    void Receive(const std::string& body) {
        std::string line = Sentence(body);
        form->RouteLine(line.data());
    }
    // An information line, with the line end the receive path puts back.
    void Dump(const std::string& text) { config->CollectDeviceData((text + "\r\n").c_str()); }

    // Selects a configuration tab by its objectName (runs its read).
    void SelectTab(const char* name) {
        auto* tabs = FindControlAs<QTabWidget>(form.get(), "PageControlConf");
        tabs->setCurrentWidget(FindControlAs<QWidget>(form.get(), name));
    }

    // Timer2's ticks, run directly.
    void Ticks(int n) {
        for (int i = 0; i < n; ++i)
            config->Timer2Timer();
    }

    std::unique_ptr<TForm1> form;
    Configuration* config = nullptr;
    std::vector<std::string> sent;
    bool sendResult = true;
    bool deviceDataSeen = true;
};

}  // namespace navoro::test
