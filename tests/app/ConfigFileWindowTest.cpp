// File > Save configuration... and Load configuration... in the real window:
// what the nine tabs show goes into a file and comes back into another
// window's tabs unchanged; a file that cannot be written fills nothing.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>

#include "ShellFixture.h"
#include "app/WindowHabits.h"
#include "config/Configuration.h"
#include "tests/config/TabPages.h"

namespace navoro {
namespace {

// Every value the configuration tabs show, in a fixed order, by control.
std::vector<std::string> TabValues(MainWindow& form) {
    std::vector<std::string> values;
    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControlConf"));
    for (int t = 0; t < tabs->count(); ++t) {
        QWidget* page = tabs->widget(t);
        const std::string at = page->objectName().toStdString() + "/";
        for (auto* box : page->findChildren<QAbstractSpinBox*>())
            values.push_back(at + box->objectName().toStdString() + "=" +
                             box->text().toStdString());
        for (auto* edit : page->findChildren<QLineEdit*>()) {
            if (qobject_cast<QAbstractSpinBox*>(edit->parentWidget())) continue;
            values.push_back(at + edit->objectName().toStdString() + "=" +
                             edit->text().toStdString());
        }
        for (auto* list : page->findChildren<QComboBox*>())
            values.push_back(at + list->objectName().toStdString() + "=" +
                             std::to_string(list->currentIndex()));
        for (auto* check : page->findChildren<QCheckBox*>())
            values.push_back(at + check->objectName().toStdString() + "=" +
                             (check->isChecked() ? "1" : "0"));
        for (auto* grid : page->findChildren<QTableWidget*>()) {
            for (int r = 1; r < grid->rowCount(); ++r) {
                for (int c = 1; c < grid->columnCount(); ++c) {
                    const QTableWidgetItem* item = grid->item(r, c);
                    values.push_back(at + grid->objectName().toStdString() + "[" +
                                     std::to_string(r) + "," + std::to_string(c) +
                                     "]=" + (item ? item->text().toStdString() : ""));
                }
            }
        }
    }
    return values;
}

void ExpectSameValues(const std::vector<std::string>& expected,
                      const std::vector<std::string>& actual) {
    ASSERT_EQ(expected.size(), actual.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]);
}

void FillEveryTab(Configuration& c) {
    ConfigPages p = PagesOf(c);
    p.ShipData.MaskEditMMSI->setText("211234560");
    p.ShipData.MaskEditIMO->setText("009123456");
    p.ShipData.lblEdtName->setText("NORTH STAR");
    p.ShipData.lblEdtCallSign->setText("DABC");
    const int dims[8] = {10, 20, 3, 4, 11, 19, 5, 2};
    for (int i = 0; i < 4; ++i) {
        p.ShipData.Internal()[i]->SetReplyValue(dims[i]);
        p.ShipData.External()[i]->SetReplyValue(dims[4 + i]);
    }
    p.ShipData.External()[3]->ShowNotAvailable();  // "N/A" comes back as "N/A"
    p.Voyage.cbxShipType->setCurrentIndex(5);
    p.Voyage.edtDraught->setText("2.5");
    p.Voyage.CSpinEditPOB->SetReplyValue(12);
    p.Voyage.lblEdtDestination->setText("HAMBURG");
    p.Voyage.CSpinEditMonth->SetReplyValue(3);
    p.Voyage.CSpinEditDay->SetReplyValue(14);
    p.Voyage.CSpinEditHour->SetReplyValue(8);
    p.Voyage.CSpinEditMinute->SetReplyValue(30);
    p.Voyage.ComboBoxNavStatus->setCurrentIndex(5);
    p.Cpa.MaskEditCPA->setText("02.5");
    p.Cpa.CSpinEditTCPA->SetReplyValue(12);
    p.Cpa.ComboBoxCpaAlarmType->setCurrentIndex(1);
    p.Transceiver.ComboBox_Tran_AisTx->setCurrentIndex(1);
    p.Transceiver.ComboBox_Tran_DscRx->setCurrentIndex(1);
    p.Transceiver.ComboBoxGpsVoltage->setCurrentIndex(1);
    p.Transceiver.Edit_N2K_DeviceInstance->setText("3");
    for (std::size_t i = 0; i < p.BaudRate.Boxes.size(); ++i)
        p.BaudRate.Boxes[i]->setCurrentIndex(static_cast<int>(i % 3) + 1);
    p.LongRange.ComboBox_LR_Response->setCurrentIndex(1);
    for (std::size_t i = 0; i < p.LongRange.FunctionReply.size(); ++i)
        p.LongRange.FunctionReply[i]->setChecked(i % 2 == 0);
    p.LongRange.CheckBox_LR_Msg27->setChecked(true);
    p.LongRange.LabeledEdit_LR_ChA->setText("2087");
    p.LongRange.LabeledEdit_LR_ChB->setText("2088");
    p.Destination.StringGrid_Destination->item(1, 1)->setText("HAMBURG");
    p.Destination.StringGrid_Destination->item(10, 1)->setText("ROTTERDAM");
    p.Mob.StringGrid_MOBList->item(1, 1)->setText("972000001");
    p.Mob.StringGrid_MOBList->item(1, 2)->setText("CREW ONE");
    p.Mob.StringGrid_MOBList->item(2, 1)->setText("972000002");
    p.Mob.StringGrid_MOBList->item(2, 2)->setText("CREW TWO");
    p.Encryption.CheckBoxEnableEncryption->setChecked(true);
    p.Encryption.LabeledEditEncryptionKey->setText("ABC123");
}

class ConfigFileWindow : public test::ShellTest {
  protected:
    std::string Path(const char* name) const { return Documents() + "/" + name; }

    void Save(MainWindow& form, const std::string& path) {
        prompts.SaveFileNames = {path};
        form.habits().SaveConfiguration();
        ASSERT_TRUE(std::filesystem::exists(path));
    }
    void Load(MainWindow& form, const std::string& path) {
        prompts.OpenFileNames = {path};
        form.habits().LoadConfiguration();
    }
};

TEST_F(ConfigFileWindow, EveryTabComesBackFromTheFileAndInlandToo) {
    for (const bool inland : {false, true}) {
        SCOPED_TRACE(inland ? "inland" : "sea-going");
        const std::string path = Path(inland ? "inland.json" : "sea.json");
        std::vector<std::string> saved;
        {
            auto form = MakeForm();
            form->show();
            Configuration& c = form->configuration();
            if (inland) PagesOf(c).ShipData.SetInlandMode(true);
            FillEveryTab(c);
            if (inland) {
                ShipDataPage& s = PagesOf(c).ShipData;
                s.EditInlandShipLength->setText("85.5");
                s.EditInlandShipBeam->setText("9.5");
                s.CSpin_InlandEditB->setText("20.1");
                s.CSpin_InlandEditC->setText("3.2");
                s.CSpinEditInlandExtB->setText("");  // blank stays blank
                s.CSpinEditInlandExtC->setText("5.0");
                s.RecalcInlandDimensions();
            }
            saved = TabValues(*form);
            Save(*form, path);
        }
        auto form = MakeForm();
        form->show();
        if (inland) PagesOf(form->configuration()).ShipData.SetInlandMode(true);
        const std::vector<std::string> fresh = TabValues(*form);
        ASSERT_NE(fresh, saved);  // the load has something to do
        Load(*form, path);
        const PromptCall* told = prompts.Last(PromptKind::Message);
        ASSERT_NE(told, nullptr);
        ASSERT_EQ(told->Icon, PromptIcon::Information) << told->Text;  // "filled from ..."
        ExpectSameValues(saved, TabValues(*form));
        prompts.Calls.clear();
    }
}

// "xxx.x" (a value the window could not show) and a blank draught are not
// saved as 0.0: they come back blank.
TEST_F(ConfigFileWindow, ValuesTheWindowCouldNotShowComeBackBlank) {
    auto form = MakeForm();
    Configuration& c = form->configuration();
    PagesOf(c).ShipData.SetInlandMode(true);
    FillEveryTab(c);
    PagesOf(c).Voyage.edtDraught->setText("");
    PagesOf(c).ShipData.EditInlandShipBeam->setText("xxx.x");
    Save(*form, Path("blank.json"));
    PagesOf(c).Voyage.edtDraught->setText("1.0");
    PagesOf(c).ShipData.EditInlandShipBeam->setText("7.0");
    Load(*form, Path("blank.json"));
    EXPECT_EQ(PagesOf(c).Voyage.edtDraught->text(), "");
    EXPECT_EQ(PagesOf(c).ShipData.EditInlandShipBeam->text(), "");
}

// A file that breaks a rule, is from a newer program or holds an unknown key
// is reported with the name of what is wrong, and nothing is filled.
TEST_F(ConfigFileWindow, AFileWithAProblemIsNamedAndFillsNothing) {
    auto form = MakeForm();
    Configuration& c = form->configuration();
    FillEveryTab(c);
    Save(*form, Path("good.json"));
    const std::string good = test::ReadFile(Path("good.json"));
    const auto with = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const auto at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return at == std::string::npos ? text : text.replace(at, from.size(), to);
    };
    const struct {
        std::string Text, Named;
    } cases[] = {
        {with("\"NORTH STAR\"", "\"north star\""), "ship"},
        {with("navoro-config/1", "navoro-config/2"), "navoro-config/2"},
        {with("\"tcpa\": 12,", "\"tcpa\": 12, \"colour\": 1,"), "cpa.colour"},
        {"{", "JSON"},
    };
    PagesOf(c).ShipData.lblEdtName->setText("OTHER");
    const std::vector<std::string> before = TabValues(*form);
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.Named);
        test::WriteFile(Path("bad.json"), bad.Text);
        prompts.Calls.clear();
        Load(*form, Path("bad.json"));
        const PromptCall* warning = prompts.Last(PromptKind::Message);
        ASSERT_NE(warning, nullptr);
        EXPECT_EQ(warning->Icon, PromptIcon::Warning);
        EXPECT_NE(warning->Text.find(bad.Named), std::string::npos) << warning->Text;
        EXPECT_NE(warning->Text.find("bad.json"), std::string::npos) << warning->Text;
        ExpectSameValues(before, TabValues(*form));
    }
}

}  // namespace
}  // namespace navoro
