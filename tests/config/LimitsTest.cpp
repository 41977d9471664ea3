// Each limit of the configuration tabs, tried both ways an installer has: in a
// configuration file given to `navoro-config write --dry-run` (exit 2, a
// message naming the key, the row and the rule) and in the real window, where
// the same file is refused on loading and the value cannot be keyed into its
// control, or is refused by the write with the same rule and sends nothing.
#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QLineEdit>
#include <QTableWidget>
#include <nlohmann/json.hpp>

#include "ConfigFixture.h"
#include "app/WindowHabits.h"
#include "tests/support/ToolRun.h"

namespace navoro {
namespace {

using nlohmann::json;

// What the window does with the value keyed into its control.
enum class Keyed {
    Refused,       // the control does not take it
    WriteRefused,  // the control shows it, the write says why and sends nothing
};

struct LimitCase {
    const char* Pointer;  // where in the file (a JSON pointer)
    json Value;
    const char* Key;   // the key the message names
    const char* Rule;  // a part of the rule's message
    const char* Tab;   // the window: the tab, the control and what is keyed in
    const char* Control;
    const char* Typed;
    Keyed Expected;
};

const LimitCase kCases[] = {
    {"/voyage/eta/minute", 61, "voyage.eta.minute",
     "61 is out of range: please key in a value from 0 to 59", "TabSheetVoyage", "CSpinEditMinute",
     "61", Keyed::Refused},
    {"/voyage/eta/hour", 25, "voyage.eta.hour", "from 0 to 23", "TabSheetVoyage", "CSpinEditHour",
     "25", Keyed::Refused},
    {"/voyage/eta/day", 32, "voyage.eta.day", "from 1 to 31", "TabSheetVoyage", "CSpinEditDay",
     "32", Keyed::Refused},
    {"/voyage/eta/month", 13, "voyage.eta.month", "from 1 to 12", "TabSheetVoyage",
     "CSpinEditMonth", "13", Keyed::Refused},
    {"/voyage/personsOnBoard", 8192, "voyage.personsOnBoard", "from 0 to 8191", "TabSheetVoyage",
     "CSpinEditPOB", "8192", Keyed::Refused},
    {"/voyage/draught", 25.6, "voyage.draught", "from 0 to 25.5", "TabSheetVoyage", "edtDraught",
     "25.6", Keyed::WriteRefused},
    {"/voyage/draught", 9.15, "voyage.draught", "9.15 has too many decimals", "TabSheetVoyage",
     "edtDraught", "9.15", Keyed::WriteRefused},
    {"/cpa/cpa", 100.0, "cpa.cpa", "100.0 is out of range: please key in a value from 0.0 to 99.9",
     "TabSheetCPA", "MaskEditCPA", "100.0", Keyed::Refused},
    {"/cpa/cpa", 3.75, "cpa.cpa", "3.75 has too many decimals", "TabSheetCPA", "MaskEditCPA",
     "3.75", Keyed::Refused},
    {"/cpa/tcpa", 100, "cpa.tcpa", "from 0 to 99", "TabSheetCPA", "CSpinEditTCPA", "100",
     Keyed::Refused},
    {"/transceiver/deviceInstance", "253", "transceiver.deviceInstance", "from 0 to 252",
     "TabSheetTransceiver", "Edit_N2K_DeviceInstance", "253", Keyed::Refused},
    {"/ship/antenna/internal/a", 512, "ship.antenna.internal.a", "from 0 to 511", "TabSheetStatic",
     "CSpinEditA", "512", Keyed::Refused},
    {"/ship/antenna/external/c", 64, "ship.antenna.external.c", "from 0 to 63", "TabSheetStatic",
     "CSpinEditExtC", "64", Keyed::Refused},
    {"/ship/inland/length", 900.0, "ship.inland.length",
     "900.0 is out of range: please key in a value from 0.0 to 800.0", "TabSheetStatic",
     "EditInlandShipLength", "900.0", Keyed::Refused},
    {"/mob/2/mmsi", "123", "mob[2].mmsi", "Please key in correctly AIS MOB MMSI", "TabSheetMOB",
     "StringGrid_MOBList", "123", Keyed::WriteRefused},
    {"/destinations/4", "A$B", "destinations[4]", "The destination may hold", "TabSheetDestination",
     "StringGrid_Destination", "A$B", Keyed::WriteRefused},
};

std::string Data(const char* name) {
    return std::string(NAVORO_TEST_DATA) + "/" + name;
}

json GoodFile() {
    json file = json::parse(test::ReadFile(Data("ship-config.json")));
    file["mob"] = json::array();
    for (const char* mmsi : {"972000001", "972000002", "972000003"})
        file["mob"].push_back({{"mmsi", mmsi}, {"name", "CREW"}});
    return file;
}

std::string WithValue(const LimitCase& c) {
    json file = GoodFile();
    file[json::json_pointer(c.Pointer)] = c.Value;
    return file.dump(2);
}

// The text a control shows, whatever kind it is.
std::string ShownText(QWidget* control) {
    if (auto* box = qobject_cast<QAbstractSpinBox*>(control)) return box->text().toStdString();
    if (auto* edit = qobject_cast<QLineEdit*>(control)) return edit->text().toStdString();
    return {};
}

class Limits : public test::ConfigTest {
  protected:
    std::string Path(const char* name) const { return Documents() + "/" + name; }

    void Load(const std::string& text) {
        test::WriteFile(Path("limits.json"), text);
        prompts.Calls.clear();
        prompts.OpenFileNames = {Path("limits.json")};
        form->habits().LoadConfiguration();
    }

    // Keys `typed` into the control as a user would: everything in it
    // selected, then one key after another; a grid's cell of the file's row
    // takes the text as its editor would.
    void KeyIn(QWidget* control, const LimitCase& c) {
        if (auto* grid = qobject_cast<QTableWidget*>(control)) {
            const std::string pointer = c.Pointer;
            const int row = std::stoi(pointer.substr(pointer.find_first_of("0123456789")));
            grid->item(row + 1, 1)->setText(QString::fromLatin1(c.Typed));
            return;
        }
        control->setFocus();
        if (auto* box = qobject_cast<QAbstractSpinBox*>(control)) box->selectAll();
        if (auto* edit = qobject_cast<QLineEdit*>(control)) edit->selectAll();
        QTest::keyClicks(control, QString::fromLatin1(c.Typed));
    }

    const PromptCall* LastBox() const { return prompts.Last(PromptKind::Message); }
};

TEST_F(Limits, EveryLimitIsRefusedByTheToolAndByTheWindow) {
    for (const LimitCase& c : kCases) {
        SCOPED_TRACE(std::string(c.Key) + " = " + c.Value.dump());
        const std::string text = WithValue(c);

        // The command line.
        test::WriteFile(Path("limits.json"), text);
        const test::ToolRun run =
            test::RunTool(NAVORO_CONFIG, "write --dry-run " + Path("limits.json"));
        EXPECT_EQ(run.Status, 2) << run.All();
        EXPECT_NE(run.All().find(std::string(c.Key) + ": "), std::string::npos) << run.All();
        EXPECT_NE(run.All().find(c.Rule), std::string::npos) << run.All();

        // The window: the file is refused, naming the key and the rule.
        SetUp();
        SelectTab(c.Tab);
        Ticks(60);
        Load(text);
        ASSERT_NE(LastBox(), nullptr);
        EXPECT_EQ(LastBox()->Icon, PromptIcon::Warning);
        EXPECT_NE(LastBox()->Text.find(c.Key), std::string::npos) << LastBox()->Text;
        EXPECT_NE(LastBox()->Text.find(c.Rule), std::string::npos) << LastBox()->Text;

        // The control: a good file first, then the value keyed in. The inland
        // fields are shown when the device says it is in inland mode.
        if (std::string(c.Pointer).find("/inland/") != std::string::npos)
            Dump("[AIS MODE]= INLAND");
        Load(GoodFile().dump(2));
        ASSERT_NE(LastBox(), nullptr);
        ASSERT_EQ(LastBox()->Icon, PromptIcon::Information) << LastBox()->Text;
        QWidget* control = form->findChild<QWidget*>(c.Control);
        ASSERT_NE(control, nullptr);
        ASSERT_TRUE(control->isVisibleTo(form.get()));
        KeyIn(control, c);
        if (c.Expected == Keyed::Refused) {
            EXPECT_NE(ShownText(control), c.Typed);
            continue;
        }
        if (!qobject_cast<QTableWidget*>(control)) {
            EXPECT_EQ(ShownText(control), c.Typed);
        }
        sent.clear();
        prompts.Calls.clear();
        prompts.Answers = {true};
        form->findChild<QAbstractButton*>("SpeedButtonSetting")->click();
        EXPECT_TRUE(sent.empty());
        ASSERT_NE(LastBox(), nullptr);
        EXPECT_EQ(LastBox()->Icon, PromptIcon::Warning);
        EXPECT_NE(LastBox()->Text.find(c.Rule), std::string::npos) << LastBox()->Text;
    }
}

// Two keys of one name in one object: the file is refused by both, naming it.
TEST_F(Limits, AKeyGivenTwiceIsRefusedByTheToolAndByTheWindow) {
    std::string text = GoodFile().dump(2);
    const std::string tcpa = "\"tcpa\": 12";
    ASSERT_NE(text.find(tcpa), std::string::npos);
    text.replace(text.find(tcpa), tcpa.size(), tcpa + ",\n    \"tcpa\": 13");
    test::WriteFile(Path("twice.json"), text);
    const test::ToolRun run = test::RunTool(NAVORO_CONFIG, "write --dry-run " + Path("twice.json"));
    EXPECT_EQ(run.Status, 2) << run.All();
    EXPECT_NE(run.All().find("cpa.tcpa"), std::string::npos) << run.All();
    EXPECT_NE(run.All().find("is given more than once"), std::string::npos) << run.All();

    const std::string before = ShownText(P().Cpa.CSpinEditTCPA);
    Load(text);
    ASSERT_NE(LastBox(), nullptr);
    EXPECT_NE(LastBox()->Text.find("is given more than once"), std::string::npos)
        << LastBox()->Text;
    EXPECT_EQ(ShownText(P().Cpa.CSpinEditTCPA), before);
}

}  // namespace
}  // namespace navoro
