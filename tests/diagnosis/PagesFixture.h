#pragma once

#include "link/SentenceDispatch.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "DiagnosisTestSupport.h"
#include "codec/FormatterTable.h"
#include "diagnosis/DiagnosisPages.h"
#include "ui/MessageTable.h"
#include "ui/ScriptedPrompts.h"

namespace navoro::test {

// The three diagnosis pages on a page control of their own, over a fresh
// codec, with scripted prompts and a recording port.
class PagesTest : public ::testing::Test {
  protected:
    PagesTest() {
        messages.LoadBuiltInTexts();
        tabs.resize(715, 380);
        for (const char* name : {"TabSheetSystemCheck", "TabSheetGpsStatus", "TabSheetDataLog"}) {
            auto* sheet = new QWidget;
            sheet->setObjectName(QString::fromLatin1(name));
            tabs.addTab(sheet, QString::fromLatin1(name));
            sheets.push_back(sheet);
        }
        timer.setInterval(1000);
        pages = std::make_unique<DiagnosisPages>(sheets[0], sheets[1], sheets[2], &timer, *codec,
                                                 prompts, messages);
        pages->Link.WritePort = [this](const char* data, int length) {
            if (!portOpen) return false;
            written.emplace_back(data, static_cast<std::size_t>(length));
            return true;
        };
        pages->InitSystemCheck();
        pages->SetUpSatelliteViews();
    }

    // A received line as the session hands it over: accepted by the codec,
    // then told to the pages by its kind.
    bool Dispatch(const std::string& line) {
        const SentenceKind kind = AcceptLine(*codec, line.c_str());
        if (kind == SentenceKind::Rejected) return false;
        pages->SentenceAccepted(kind, *codec);
        return true;
    }
    bool DispatchBody(const std::string& body) { return Dispatch(Sentence(body)); }

    template <class T = QWidget>
    T* Control(const char* name) {
        auto* control = tabs.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return control;
    }
    QString Text(const char* name) {
        if (auto* edit = tabs.findChild<QLineEdit*>(QString::fromLatin1(name))) return edit->text();
        if (auto* label = tabs.findChild<QLabel*>(QString::fromLatin1(name))) return label->text();
        ADD_FAILURE() << "no text control " << name;
        return {};
    }
    void ShowPage(int index) {
        tabs.setCurrentIndex(index);
        tabs.show();
        QApplication::processEvents();
        // Paint everything once (the plot draws its diagram when painted).
        (void)tabs.grab();
    }

    std::unique_ptr<Codec> codec = NewCodec();
    ScriptedPrompts prompts;
    MessageTable messages;
    QTabWidget tabs;
    std::vector<QWidget*> sheets;
    QTimer timer;
    std::unique_ptr<DiagnosisPages> pages;
    std::vector<std::string> written;
    bool portOpen = true;
};

}  // namespace navoro::test
