// The main window's fixed frame, start-up and exit with the settings file.
#include <QAction>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "ShellFixture.h"

namespace navoro {
namespace {

using test::ReadFile;

class MainWindowShell : public test::ShellTest {};

TEST_F(MainWindowShell, FirstRunStartsInEnglishAndConfirmedExitWritesLanguageZero) {
    auto form = MakeForm();
    form->ApplyStartupLanguage();
    form->show();
    EXPECT_EQ(form->LanguageIndex(), 0);
    EXPECT_TRUE(FindControlAs<QAction>(form.get(), "mnuLangEnglish")->isChecked());
    EXPECT_EQ(CaptionOf(form.get(), "btnExit"), "EXIT");
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));

    prompts.Answers = {true};
    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(prompts.Calls.size(), 1u);
    EXPECT_EQ(prompts.Calls[0].Kind, PromptKind::OkCancel);
    EXPECT_EQ(prompts.Calls[0].Title, "Exit!");
    EXPECT_EQ(prompts.Calls[0].Text, "Are you sure to exit?");
    // The language first, then what the window remembers of the connection.
    EXPECT_EQ(ReadFile(SettingsFile()).rfind("[VIEW]\nLanguage=0\n\n[CONNECTION]\n", 0), 0u)
        << ReadFile(SettingsFile());
}

TEST_F(MainWindowShell, CancelledExitKeepsWindowAndPort) {
    auto form = MakeForm();
    form->ApplyStartupLanguage();
    form->show();
    int portClosed = 0;
    form->SetPortCloser([&] { ++portClosed; });
    prompts.Answers = {false};
    QTest::mouseClick(FindControlAs<QWidget>(form.get(), "btnExit"), Qt::LeftButton);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(prompts.Count(PromptKind::OkCancel), 1);
    EXPECT_EQ(portClosed, 0);
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}

TEST_F(MainWindowShell, ConfirmedExitClosesThePortBeforeWritingSettings) {
    WriteSettingsFile("[VIEW]\nLanguage=3\n");
    CopyShippedLanguages();
    auto form = MakeForm();
    form->ApplyStartupLanguage();
    form->show();
    form->SetLanguageIndex(1);  // as after a language switch
    std::string fileWhenPortClosed;
    form->SetPortCloser([&] { fileWhenPortClosed = ReadFile(SettingsFile()); });
    FindControlAs<QAction>(form.get(), "mnuExit")->trigger();
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(fileWhenPortClosed, "[VIEW]\nLanguage=3\n");
    EXPECT_EQ(ReadFile(SettingsFile()).rfind("[VIEW]\nLanguage=1\n", 0), 0u);
    // The exit question is asked in the language shown.
    EXPECT_EQ(QString::fromStdString(prompts.Calls.at(0).Text),
              Shipped(3, "EXIT_QUERY", "QueryExit"));
}

TEST_F(MainWindowShell, UnwritableSettingsFolderStartsInEnglishAndReportsOnceOnExit) {
    const std::string documents = Documents();
    test::WriteFile(documents, "a file where the documents folder should be");
    auto form = MakeForm(documents);
    EXPECT_EQ(form->SettingsFolder(), documents + "/");
    form->ApplyStartupLanguage();
    form->show();
    EXPECT_EQ(form->LanguageIndex(), 0);
    EXPECT_EQ(prompts.Calls.size(), 0u);

    EXPECT_TRUE(form->close());
    EXPECT_FALSE(form->isVisible());
    ASSERT_EQ(prompts.Count(PromptKind::Message), 1);
    const PromptCall* report = prompts.Last(PromptKind::Message);
    EXPECT_EQ(report->Icon, PromptIcon::Error);
    EXPECT_EQ(report->Title, "Error");
    EXPECT_NE(report->Text.find(form->SettingsPath()), std::string::npos) << report->Text;
}

TEST_F(MainWindowShell, HasTheFixedFrame) {
    auto form = MakeForm();
    EXPECT_EQ(form->windowTitle(), "Navoro");
    EXPECT_EQ(form->centralWidget()->size(), QSize(723, 538));
    EXPECT_EQ(form->minimumSize(), form->maximumSize());
    EXPECT_EQ(form->centralWidget()->palette().color(QPalette::Window), QColor(0xA6, 0xCA, 0xF0));
    EXPECT_EQ(FindControlAs<QWidget>(form.get(), "Panel1")->height(), 79);

    const auto pages = [&](const char* control) {
        QStringList names;
        auto* tabs = FindControlAs<QTabWidget>(form.get(), control);
        for (int i = 0; tabs && i < tabs->count(); ++i)
            names << tabs->widget(i)->objectName();
        EXPECT_EQ(tabs->currentIndex(), 0) << control;
        return names;
    };
    EXPECT_EQ(pages("PageControlMain"), QStringList({"TabSheetConfig", "TabSheetDiagnosis"}));
    EXPECT_EQ(pages("PageControlConf"),
              QStringList({"TabSheetStatic", "TabSheetVoyage", "TabSheetCPA", "TabSheetTransceiver",
                           "TabSheetBaudRate", "TabSheetLR", "TabSheetDestination", "TabSheetMOB",
                           "TabSheetEncryption"}));
    EXPECT_EQ(pages("PageControlDiagnosis"),
              QStringList({"TabSheetSystemCheck", "TabSheetGpsStatus", "TabSheetDataLog",
                           "TabSheetAisTargets", "TabSheetAlarms"}));
    EXPECT_EQ(CaptionOf(form.get(), "TabSheetEncryption"), "ENCRYPTION");
    for (const char* name : {"btnExit", "SpeedButtonSetting", "SpeedButtonReload", "PanelView",
                             "PanelConnection", "MainMenu1"}) {
        EXPECT_NE(FindControl(form.get(), name), nullptr) << name;
    }

    // Menus: Option is hidden, and so is the Simplified Chinese item; each
    // language item switches to its language.
    EXPECT_FALSE(FindControlAs<QMenu>(form.get(), "mnuOption")->menuAction()->isVisible());
    EXPECT_FALSE(FindControlAs<QAction>(form.get(), "mnuLangSimpChinese")->isVisible());
    for (const LanguageInfo& language : kLanguages) {
        auto* item = FindControlAs<QAction>(form.get(), language.MenuItem);
        ASSERT_NE(item, nullptr);
        item->trigger();
        EXPECT_EQ(form->LanguageIndex(), language.Index);
    }

    struct TimerCase {
        const char* Name;
        int Interval;
        bool Running;
    };
    for (const TimerCase& t : {TimerCase{"Timer1", 1000, false},
                               {"TimerConnection", 200, false},
                               {"TimerUpdateSysChk", 1000, false},
                               {"Timer2", 100, true}}) {
        auto* timer = form->findChild<QTimer*>(t.Name);
        ASSERT_NE(timer, nullptr) << t.Name;
        EXPECT_EQ(timer->interval(), t.Interval) << t.Name;
        EXPECT_EQ(timer->isActive(), t.Running) << t.Name;
    }
}

TEST_F(MainWindowShell, ResizeKeepsTheChartLabelAndTheWindowTop) {
    auto form = MakeForm();
    auto* chart = FindControlAs<QWidget>(form.get(), "Chart1");
    auto* label = FindControlAs<QLabel>(form.get(), "lblSatelliteID");
    ASSERT_NE(chart, nullptr);
    ASSERT_NE(label, nullptr);
    label->move(label->x(), 0);
    const int x = label->x();
    form->ApplyStartupLanguage();
    form->show();
    const QPoint chartBottom =
        label->parentWidget()->mapFromGlobal(chart->mapToGlobal(QPoint(0, chart->height())));
    EXPECT_EQ(label->y(), chartBottom.y() - 20);
    EXPECT_EQ(label->x(), x);
    EXPECT_EQ(form->y(), 40);

    form->move(form->x(), 200);
    form->showMinimized();
    form->showNormal();
    EXPECT_EQ(form->y(), 40);
}

}  // namespace
}  // namespace navoro
