// Replaying a capture into the main window, offscreen: the pages end as they do
// when the same lines arrive from a port.
#include <QAction>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <sstream>

#include "ShellFixture.h"
#include "ais/TargetTable.h"
#include "app/CaptureReplay.h"
#include "diagnosis/DiagnosisPages.h"
#include "diagnosis/TargetsModel.h"
#include "diagnosis/TargetsPage.h"

namespace navoro::test {
namespace {

const std::string kCapture = std::string(NAVORO_TEST_DATA) + "/replay-capture.log";
const char* const kWriteControls[] = {"SpeedButtonSetting", "SpeedButtonReload",
                                      "ButtonCustomSendCommand"};

// What the pages show after the lines: the GPS STATUS boxes and the targets.
struct PageState {
    std::vector<QString> Gps;
    int Targets = 0;
    int Rows = 0;
    bool operator==(const PageState&) const = default;
};

PageState StateOf(MainWindow& form) {
    PageState state;
    for (const char* box : {"lblEdtGpsUtcDate", "lblEdtGpsUtcTime", "lblEdtGpsFixMode",
                            "lblEdtHdop", "lblEdtGpsNoSV_InView", "lblEdtGpsNoSV_InUse",
                            "lblEdtGpsLat", "lblEdtGpsLon", "lblEdtGpsSOG", "lblEdtGpsCOG"})
        state.Gps.push_back(Caption(FindControl(&form, QString::fromLatin1(box))));
    state.Targets = form.codec().Targets.Count();
    form.diagnosis().AisTargets()->UpdateAisTargets();
    state.Rows = form.diagnosis().AisTargets()->Model().rowCount();
    return state;
}

// The capture's lines without their time stamps.
std::vector<std::string> UnstampedLines() {
    std::istringstream in(ReadFile(kCapture));
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line.substr(line.find(' ') + 1));
    }
    return lines;
}

class CaptureReplayWindow : public ShellTest {
  protected:
    std::string Folder() const { return Documents(); }

    PageState LiveState() {
        auto form = MakeForm();
        for (const std::string& line : UnstampedLines())
            form->Session().Feed(line + "\r\n");
        return StateOf(*form);
    }
};

TEST_F(CaptureReplayWindow, PacedAndFullSpeedEndAsTheLiveLinesDo) {
    std::string unstamped;
    for (const std::string& line : UnstampedLines())
        unstamped += line + "\n";
    const std::string gnssTimed = Documents() + "/gnss-timed.nmea";
    WriteFile(gnssTimed, unstamped);
    const PageState live = LiveState();
    ASSERT_GT(live.Targets, 1);
    ASSERT_FALSE(live.Gps[1].isEmpty());

    struct Case {
        std::string path;
        int speed;
        qint64 atLeastMs;  // the capture spans 3 s between its first and last second
    };
    for (const Case& c : {Case{kCapture, 1 /*10x*/, 250}, Case{gnssTimed, 1, 250},
                          Case{kCapture, 3 /*fastest*/, 0}, Case{gnssTimed, 3, 0}}) {
        SCOPED_TRACE(c.path + " speed " + std::to_string(c.speed));
        auto form = MakeForm();
        form->show();
        ReplayPanel& replay = form->Replay();
        replay.cbxReplaySpeed()->setCurrentIndex(c.speed);
        QElapsedTimer clock;
        clock.start();
        ASSERT_TRUE(form->StartReplay(c.path));
        EXPECT_TRUE(replay.Replay().Active());
        for (const char* name : kWriteControls) {
            auto* control = FindControlAs<QWidget>(form.get(), QString::fromLatin1(name));
            EXPECT_FALSE(control->isEnabled()) << name;
            EXPECT_EQ(control->toolTip(), form->MessageText(MessageId::ReplayBlocked)) << name;
        }
        EXPECT_TRUE(form->ConnectionGroup().LabelConnectionStatus->text().startsWith("Replaying "));
        ASSERT_TRUE(QTest::qWaitFor([&] { return !replay.Replay().Active(); }, 10000));
        EXPECT_GE(clock.elapsed(), c.atLeastMs);
        if (c.atLeastMs > 0) {
            EXPECT_LT(clock.elapsed(), 3000) << "not paced at 10x";
        }

        EXPECT_EQ(StateOf(*form), live);
        EXPECT_EQ(form->ConnectionGroup().LabelConnectionStatus->text(),
                  "Replay ended: 87 lines read, 87 accepted, 0 rejected");
        EXPECT_EQ(replay.ProgressBarReplay()->value(), 100);
        for (const char* name : kWriteControls)
            EXPECT_TRUE(FindControlAs<QWidget>(form.get(), QString::fromLatin1(name))->isEnabled())
                << name;
        // The targets were stamped with the capture's date, not today's.
        const TargetEntry& target = form->codec().Targets.Entry(1);
        EXPECT_EQ(target.LastUpdateDate.Year, 2026);
        EXPECT_EQ(target.LastUpdateDate.Month, 12);
        EXPECT_TRUE(prompts.Calls.empty());
    }
}

TEST_F(CaptureReplayWindow, PauseHoldsTheReplayAndConnectEndsIt) {
    auto form = MakeForm();
    form->show();
    ReplayPanel& replay = form->Replay();
    replay.cbxReplaySpeed()->setCurrentIndex(0);  // 1x: 3 s
    // Started from File > Open capture...
    prompts.OpenFileNames.push_back(kCapture);
    auto* openCapture = form->findChild<QAction*>(QStringLiteral("mnuOpenCapture"));
    ASSERT_NE(openCapture, nullptr);
    openCapture->trigger();
    ASSERT_TRUE(replay.Replay().Active());
    ASSERT_NE(prompts.Last(PromptKind::OpenFile), nullptr);
    QMenu* maintenance = form->findChild<QMenu*>(QStringLiteral("mnuMaintenance"));
    ASSERT_NE(maintenance, nullptr);
    EXPECT_FALSE(maintenance->menuAction()->isEnabled());
    QTest::qWait(600);  // the first second's lines, with two stations
    replay.btnReplayPause()->click();
    const std::uint64_t held = replay.Replay().Reader().LinesAccepted();
    QTest::qWait(1300);
    EXPECT_EQ(replay.Replay().Reader().LinesAccepted(), held);
    EXPECT_TRUE(replay.Replay().Active());
    // Ages count by the capture's clock, which stands still while paused.
    // (The page's rows follow the table while it is shown.)
    FindControlAs<QTabWidget>(form.get(), "PageControlMain")->setCurrentIndex(1);
    FindControlAs<QTabWidget>(form.get(), "PageControlDiagnosis")
        ->setCurrentWidget(FindControlAs<QWidget>(form.get(), "TabSheetAisTargets"));
    TargetsPage& targets = *form->diagnosis().AisTargets();
    targets.UpdateAisTargets();
    ASSERT_GT(targets.Model().rowCount(), 0);
    EXPECT_EQ(targets.Model().index(0, TargetsModel::ColAge).data().toString(), "0 s");

    form->ConnectionGroup().OpenPort->click();
    EXPECT_FALSE(replay.Replay().Active());
    EXPECT_TRUE(FindControlAs<QWidget>(form.get(), "SpeedButtonSetting")->isEnabled());
    EXPECT_TRUE(maintenance->menuAction()->isEnabled());
    if (form->Connection().Active()) form->ConnectionGroup().OpenPort->click();
}

TEST_F(CaptureReplayWindow, ACaptureThatCannotBeReplayedGetsAnErrorBox) {
    auto form = MakeForm();
    WriteFile(Documents() + "/empty.log", "");
    WriteFile(Documents() + "/binary.bin", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    const std::pair<std::string, const char*> cases[] = {
        {Documents() + "/empty.log", "holds no lines"},
        {Documents() + "/binary.bin", "binary data"},
        {Documents() + "/missing.log", "could not be opened"},
    };
    for (const auto& [path, words] : cases) {
        prompts.Calls.clear();
        EXPECT_FALSE(form->StartReplay(path)) << path;
        EXPECT_FALSE(form->Replay().Replay().Active());
        ASSERT_EQ(prompts.Calls.size(), 1u) << path;
        EXPECT_NE(prompts.Calls[0].Text.find(words), std::string::npos) << prompts.Calls[0].Text;
    }
    EXPECT_TRUE(FindControlAs<QWidget>(form.get(), "SpeedButtonSetting")->isEnabled());
}

}  // namespace
}  // namespace navoro::test
