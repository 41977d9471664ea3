// The ALARMS page in the main window connected to navoro-sim over a
// pseudo-terminal, offscreen: alarm sentences reach the page through the
// window's receive path, the count shows on every page, and Acknowledge
// sends ACK on the port, which the simulator records.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>

#include "app/ControlTexts.h"
#include "diagnosis/AlarmsPage.h"
#include "diagnosis/DiagnosisPages.h"
#include "diagnosis/SystemCheckPage.h"
#include "tests/e2e/WindowFixture.h"
#include "tests/support/Sentence.h"
#include "tests/support/SimulatorFixture.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;

// A sentence line as the transponder sends it, without its line end (as the
// simulator records what it received).
std::string Recorded(const std::string& body) {
    std::string line = test::Sentence(body);
    line.resize(line.size() - 2);
    return line;
}

class AlarmsWindow : public test::WindowTest {
  protected:
    AlarmsWindow() : simulator(Quiet()) {}
    static test::SimulatorOptions Quiet() {
        test::SimulatorOptions options;
        options.NoStream = true;  // only what the test sends arrives
        return options;
    }

    void SetUp() override {
        ASSERT_TRUE(simulator.Started()) << simulator.Error();
        MakeWindow({simulator.DevicePath()});
        ChoosePort(simulator.DevicePath());
        Click(Controls().OpenPort);
        ASSERT_TRUE(WaitUntil([&] { return Connected(); }, 5s)) << Status().toStdString();
    }

    // A line received by the window (a leading line end ends whatever the
    // port left unfinished).
    void Receive(const std::string& body) {
        form->Session().Feed("\r\n" + test::Sentence(body));
        QApplication::processEvents();
    }
    void ShowPage(const char* mainPage, const char* diagnosisPage = nullptr) {
        FindControlAs<QTabWidget>(form.get(), "PageControlMain")
            ->setCurrentWidget(FindControlAs<QWidget>(form.get(), mainPage));
        if (diagnosisPage != nullptr)
            FindControlAs<QTabWidget>(form.get(), "PageControlDiagnosis")
                ->setCurrentWidget(FindControlAs<QWidget>(form.get(), diagnosisPage));
        QApplication::processEvents();
    }
    AlarmsPage& Page() { return *form->diagnosis().AlarmsView(); }
    QString Cell(QTableWidget* table, int row, int column) {
        QTableWidgetItem* item = table->item(row, column);
        return item != nullptr ? item->text() : QString();
    }
    QStringList Row(int row) {
        QStringList cells;
        for (int column = 0; column < Page().AlarmTable()->columnCount(); ++column)
            cells << Cell(Page().AlarmTable(), row, column);
        return cells;
    }
    QString TabCaption() {
        auto* tabs = FindControlAs<QTabWidget>(form.get(), "PageControlDiagnosis");
        return tabs->tabText(tabs->indexOf(FindControlAs<QWidget>(form.get(), "TabSheetAlarms")));
    }
    QLabel* Badge() { return Controls().LabelAlarmBadge; }

    test::SimulatorFixture simulator;
};

TEST_F(AlarmsWindow, AsksForTheAlarmStatesOnConnecting) {
    EXPECT_TRUE(simulator.WaitForRecorded(Recorded("$ECAIQ,ALR")));
}

TEST_F(AlarmsWindow, AlarmIsRaisedAcknowledgedAndClearedFromAnyPage) {
    // On the configuration page, the ALARMS page hidden.
    ShowPage("TabSheetConfig");
    Receive("$AIALR,081512.00,002,A,V,AIS: Antenna VSWR exceeds limit");
    ASSERT_EQ(Page().AlarmTable()->rowCount(), 1);
    EXPECT_EQ(Row(0),
              (QStringList{"002", "Antenna VSWR exceeds limit", "Active", "No", "08:15:12", ""}));
    EXPECT_TRUE(Badge()->isVisible());
    EXPECT_TRUE(Badge()->text().contains("1")) << Badge()->text().toStdString();
    EXPECT_EQ(TabCaption(), QStringLiteral("ALARMS (1 \u26a0)"));

    // SYSTEM CHECK counts it.
    SystemCheckPage& check = form->diagnosis().SystemCheck();
    check.TimerUpdateSysChkTimer();
    EXPECT_FALSE(check.AlarmsPassed());
    EXPECT_EQ(Caption(FindControl(form.get(), "lblValAlarms")), "1 active, 1 unacknowledged");

    // A second alarm, not in the standard list, with a blank time.
    Receive("$AIALR,,051,A,A,AIS: IEC Com Error");
    ASSERT_EQ(Page().AlarmTable()->rowCount(), 2);
    EXPECT_EQ(Cell(Page().AlarmTable(), 1, 1), "AIS: IEC Com Error");
    EXPECT_TRUE(Cell(Page().AlarmTable(), 1, 4).startsWith(QLatin1Char('(')));  // the arrival time
    EXPECT_EQ(TabCaption(), QStringLiteral("ALARMS (1 \u26a0)"));

    // Acknowledge the first: ACK goes to the transponder; the row changes
    // only when the transponder says so.
    ShowPage("TabSheetDiagnosis", "TabSheetAlarms");
    QPushButton* acknowledge = Page().AcknowledgeButton();
    EXPECT_FALSE(acknowledge->isEnabled());
    Page().AlarmTable()->selectRow(0);
    ASSERT_TRUE(acknowledge->isEnabled());
    Click(acknowledge);
    EXPECT_TRUE(simulator.WaitForRecorded(Recorded("$ECACK,002")));
    EXPECT_EQ(Cell(Page().AlarmTable(), 0, 3), "No");
    Receive("$AIALR,081512.00,002,A,A,AIS: Antenna VSWR exceeds limit");
    EXPECT_EQ(Cell(Page().AlarmTable(), 0, 3), "Yes");
    EXPECT_FALSE(Badge()->isVisible());
    EXPECT_EQ(TabCaption(), "ALARMS");
    // The selection stays on the alarm.
    ASSERT_FALSE(Page().AlarmTable()->selectedItems().isEmpty());
    EXPECT_EQ(Page().AlarmTable()->selectedItems().front()->row(), 0);

    Receive("$AIALR,082000.00,002,V,A,AIS: Antenna VSWR exceeds limit");
    EXPECT_EQ(Row(0), (QStringList{"002", "Antenna VSWR exceeds limit", "Cleared", "Yes",
                                   "08:15:12", "08:20:00"}));
    Receive("$AIALR,,051,V,A,AIS: IEC Com Error");
    check.TimerUpdateSysChkTimer();
    EXPECT_TRUE(check.AlarmsPassed());
    EXPECT_EQ(Caption(FindControl(form.get(), "lblValAlarms")), "No active alarm");
}

TEST_F(AlarmsWindow, StatusLogAndRegionsAndALanguageSwitchKeepTheRows) {
    Receive("$AIALR,081512.00,002,A,V,AIS: Antenna VSWR exceeds limit");
    Receive("$AITXT,01,01,022,AIS: external GNSS in use");
    Receive("$AITXT,01,01,036,AIS: CH MGMT CHANGED BY BASE 002320001");
    Receive("$AITRL,2,1,0,01122026,081500.00,01122026,093000.00,1");
    Receive("$AITRL,2,2,1,10122026,230000.00,,,2");
    Receive("$AIACA,1,5130,N,00200,E,5030,N,00100,W,5,2087,0,2088,0,0,0,C,1,081500");
    Receive("$AIACS,1,002320001,081500.00,10,12,2026");
    QTableWidget* status = Page().StatusTable();
    ASSERT_EQ(status->rowCount(), 2);
    EXPECT_EQ(Cell(status, 0, 1), "External GNSS in use");
    // The transponder's own words beside the standard text when they differ.
    EXPECT_EQ(Cell(status, 1, 1), QStringLiteral("Channel management parameters changed \u2014 "
                                                 "AIS: CH MGMT CHANGED BY BASE 002320001"));
    QTableWidget* log = Page().LogTable();
    ASSERT_EQ(log->rowCount(), 2);
    EXPECT_EQ(Cell(log, 0, 1), "2026-12-01 08:15:00");
    EXPECT_EQ(Cell(log, 0, 3), "Power off");
    EXPECT_EQ(Cell(log, 1, 2), "");
    EXPECT_EQ(Cell(log, 1, 3), "Silent mode");
    QTableWidget* regions = Page().RegionTable();
    ASSERT_EQ(regions->rowCount(), 1);
    EXPECT_EQ(Cell(regions, 0, 3), "2087 / 2088");
    EXPECT_EQ(Cell(regions, 0, 4), "C \u2014 MMSI 002320001, 10.12. 08:15:00");
    EXPECT_EQ(Cell(regions, 0, 5), "Yes 08:15:00");

    form->SetLanguageIndex(3);
    form->LoadLanguageFile(std::string(NAVORO_LANG_DIR) + "/Lang-RU.ini");
    ASSERT_EQ(Page().AlarmTable()->rowCount(), 1);
    EXPECT_EQ(Cell(Page().AlarmTable(), 0, 1), QString::fromUtf8("КСВ антенны выше допустимого"));
    EXPECT_EQ(Cell(Page().AlarmTable(), 0, 2), QString::fromUtf8("Активна"));
    EXPECT_EQ(Page().AlarmTable()->horizontalHeaderItem(1)->text(), QString::fromUtf8("Тревога"));
    EXPECT_EQ(Cell(status, 0, 1), QString::fromUtf8("Используется внешний GNSS"));
    EXPECT_EQ(Cell(log, 0, 3), QString::fromUtf8("Питание отключено"));
    EXPECT_EQ(TabCaption(), QString::fromUtf8("ТРЕВОГИ (1 \u26a0)"));
    EXPECT_EQ(Caption(FindControl(form.get(), "ButtonAcknowledgeAlarm")),
              QString::fromUtf8("Подтвердить"));
}

}  // namespace
}  // namespace navoro
