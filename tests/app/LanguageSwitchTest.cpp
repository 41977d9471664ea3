// The language switch: start-up choice, every key of the key list reaching its
// control, absent files and keys, the folded steps and the option lists.
#include <QAction>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHeaderView>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTableWidget>
#include <QToolButton>

#include "ShellFixture.h"
#include "app/AboutDialog.h"
#include "app/AgreementDialog.h"
#include "config/Configuration.h"
#include "tests/link/PtyPair.h"

namespace navoro {
namespace {

class LanguageSwitch : public test::ShellTest {
  protected:
    // Adds a stand-in for every control of the key list that the frame lacks
    // (the pages' controls come with their own parts): a label, or an edit with
    // its attached label.
    static void AddMissingControls(MainWindow& form) {
        QWidget* page = FindControlAs<QWidget>(&form, "TabSheetStatic");
        for (const LanguageKey& key : LanguageKeys()) {
            if (key.Window != KeyWindow::Main || key.Control[0] == '\0' ||
                FindControl(&form, key.Control))
                continue;
            if (key.Target == KeyTarget::EditLabel) {
                auto* edit = new QLineEdit(page);
                edit->setObjectName(key.Control);
                auto* label = new QLabel(key.DesignText, page);
                label->setBuddy(edit);
            } else {
                auto* label = new QLabel(key.DesignText, page);
                label->setObjectName(key.Control);
            }
        }
    }

    // The text a key's control shows now.
    static QString Shown(MainWindow& form, const LanguageKey& key) {
        QWidget* window = &form;
        if (key.Window == KeyWindow::About) window = form.about();
        if (key.Window == KeyWindow::Agreement) window = form.agreement();
        QObject* control = FindControl(window, key.Control);
        if (!control) return "(missing)";
        if (key.Target == KeyTarget::EditLabel) {
            QLabel* label = AttachedLabel(qobject_cast<QWidget*>(control));
            return label ? label->text() : "(no label)";
        }
        return Caption(control);
    }

    static bool IsCaption(const LanguageKey& key) {
        return key.Target == KeyTarget::Caption || key.Target == KeyTarget::EditLabel;
    }
};

struct StartCase {
    int Saved;
    const char* Item;
    int Applied;
};

void PrintTo(const StartCase& c, std::ostream* os) {
    *os << "Language=" << c.Saved;
}

class StartLanguage : public LanguageSwitch, public ::testing::WithParamInterface<StartCase> {};

TEST_P(StartLanguage, SavedIndexPicksItsItemAndAppliesItsFile) {
    const StartCase& c = GetParam();
    CopyShippedLanguages();
    WriteSettingsFile("[VIEW]\nLanguage=" + std::to_string(c.Saved) + "\n");
    auto form = MakeForm();
    EXPECT_EQ(form->LanguageIndex(), c.Saved);
    form->ApplyStartupLanguage();
    EXPECT_EQ(form->LanguageIndex(), c.Applied);
    EXPECT_TRUE(FindControlAs<QAction>(form.get(), c.Item)->isChecked());
    for (const LanguageInfo& language : kLanguages) {
        if (language.MenuItem != std::string(c.Item)) {
            EXPECT_FALSE(FindControlAs<QAction>(form.get(), language.MenuItem)->isChecked());
        }
    }
    EXPECT_EQ(CaptionOf(form.get(), "btnExit"), Shipped(c.Applied, "SYS_BUTTON", "EXIT"));
    EXPECT_EQ(CaptionOf(form.get(), "TabSheetStatic"), Shipped(c.Applied, "TAB_STATIC", "STATIC"));
    EXPECT_EQ(CaptionOf(form->about(), "btnOK"), Shipped(c.Applied, "ABOUT", "OK"));
    EXPECT_EQ(form->Message(MessageId::PortOpenError),
              Shipped(c.Applied, "OTHER_MSG", "PortOpenError").toStdString());
    // The About memo holds the language's read-me.
    const QString memo = FindControlAs<QPlainTextEdit>(form->about(), "Memo1")->toPlainText();
    EXPECT_TRUE(memo.contains("Ver 1.2 Build20200221")) << memo.left(80).toStdString();
    EXPECT_FALSE(memo.contains("All rights reserved"));
}

INSTANTIATE_TEST_SUITE_P(
    Indexes, StartLanguage,
    ::testing::Values(StartCase{0, "mnuLangEnglish", 0}, StartCase{1, "mnuLangTraChinese", 1},
                      StartCase{2, "mnuLangSimpChinese", 2}, StartCase{3, "mnuLangRussian", 3},
                      StartCase{7, "mnuLangEnglish", 0}, StartCase{-1, "mnuLangEnglish", 0}),
    [](const auto& info) {
        const int saved = info.param.Saved;
        return saved < 0 ? std::string("SavedMinus1") : "Saved" + std::to_string(saved);
    });

TEST_F(LanguageSwitch, EveryKeyReachesItsControlInEachLanguage) {
    CopyShippedLanguages();
    auto form = MakeForm();
    AddMissingControls(*form);
    for (const LanguageInfo& language : kLanguages) {
        FindControlAs<QAction>(form.get(), language.MenuItem)->trigger();
        ASSERT_EQ(form->LanguageIndex(), language.Index);
        for (const LanguageKey& key : LanguageKeys()) {
            if (IsCaption(key)) {
                EXPECT_EQ(Shown(*form, key), Shipped(language.Index, key.Section, key.Key))
                    << language.File << " " << key.Section << "/" << key.Key << " -> "
                    << key.Control;
            } else if (key.Target == KeyTarget::Message) {
                EXPECT_EQ(QString::fromStdString(*form->Messages().Find(key.Section, key.Key)),
                          Shipped(language.Index, key.Section, key.Key));
            }
        }
    }
}

TEST_F(LanguageSwitch, WithoutLangFolderEveryTextIsBuiltInEnglish) {
    auto form = MakeForm();
    AddMissingControls(*form);
    form->ApplyStartupLanguage();
    for (const LanguageKey& key : LanguageKeys()) {
        if (IsCaption(key)) {
            EXPECT_EQ(Shown(*form, key), QString::fromLatin1(key.DesignText))
                << key.Section << "/" << key.Key << " -> " << key.Control;
        }
    }
    EXPECT_EQ(form->Message(MessageId::PortOpenError), "Serial port open error! Please check!");
    EXPECT_EQ(form->Message(MessageId::DeviceBaudRateHasBeenChanged), "");
    // The About memo keeps its design text.
    EXPECT_TRUE(FindControlAs<QPlainTextEdit>(form->about(), "Memo1")
                    ->toPlainText()
                    .contains("All rights reserved"));
}

TEST_F(LanguageSwitch, FileWithOnlyQueryExitChangesOnlyTheExitQuestion) {
    WriteLangFile("Lang-EN.ini", "[EXIT_QUERY]\nQueryExit=Leave Navoro now?\n");
    auto form = MakeForm();
    AddMissingControls(*form);
    form->ApplyStartupLanguage();
    for (const LanguageKey& key : LanguageKeys()) {
        if (IsCaption(key)) {
            EXPECT_EQ(Shown(*form, key), QString::fromLatin1(key.DesignText));
        }
    }
    prompts.Answers = {false};
    form->close();
    ASSERT_EQ(prompts.Calls.size(), 1u);
    EXPECT_EQ(prompts.Calls[0].Title, "Exit!");
    EXPECT_EQ(prompts.Calls[0].Text, "Leave Navoro now?");
}

TEST_F(LanguageSwitch, EnglishWithoutItsFileKeepsChineseTextsButTakesTheLatinFont) {
    CopyShippedLanguages();
    std::filesystem::remove(ExeFolder() + "/Lang/Lang-EN.ini");
    WriteSettingsFile("[VIEW]\nLanguage=1\n");
    auto form = MakeForm();
    const QString latinFamily = form->font().families().value(0, form->font().family());
    form->ApplyStartupLanguage();
    const QString chineseExit = Shipped(1, "SYS_BUTTON", "EXIT");
    EXPECT_EQ(CaptionOf(form.get(), "btnExit"), chineseExit);
    const bool haveChineseFont =
        !QFontDatabase::families(QFontDatabase::TraditionalChinese).isEmpty();
    if (haveChineseFont) {
        EXPECT_TRUE(QFontDatabase::writingSystems(QFontInfo(form->font()).family())
                        .contains(QFontDatabase::TraditionalChinese));
    }

    FindControlAs<QAction>(form.get(), "mnuLangEnglish")->trigger();
    EXPECT_EQ(form->LanguageIndex(), 0);
    EXPECT_EQ(CaptionOf(form.get(), "btnExit"), chineseExit);
    EXPECT_EQ(form->font().families().value(0, form->font().family()), latinFamily);
    EXPECT_TRUE(FindControlAs<QAction>(form.get(), "mnuLangEnglish")->isChecked());
}

struct FoldCase {
    HandshakeState State;  // reached over a pseudo-terminal
    const char* ButtonKey;
    const char* StatusKey;
};

const char* StateName(HandshakeState state) {
    switch (state) {
        case HandshakeState::Idle:
            return "Idle";
        case HandshakeState::AwaitingDump:
            return "AwaitingDump";
        case HandshakeState::Linked:
            return "Linked";
    }
    return "?";
}

void PrintTo(const FoldCase& c, std::ostream* os) {
    *os << StateName(c.State);
}

class FoldedSteps : public LanguageSwitch, public ::testing::WithParamInterface<FoldCase> {};

TEST_P(FoldedSteps, ConnectionCaptionsFollowTheStateInTheNewLanguage) {
    const FoldCase& c = GetParam();
    CopyShippedLanguages();
    test::PtyPair pty;
    ASSERT_TRUE(pty.Ok());
    ScriptedPortSource source;
    source.SetPorts({{pty.SlavePath(), {}, {}}});
    auto form = MakeForm({}, &source);
    auto* openPort = FindControlAs<QToolButton>(form.get(), "OpenPort");
    auto* status = FindControlAs<QLabel>(form.get(), "LabelConnectionStatus");
    ASSERT_TRUE(openPort && status);
    if (c.State != HandshakeState::Idle) {
        openPort->click();  // manual mode, on the only port: probing
        if (c.State == HandshakeState::Linked) form->Session().Feed("[DEVICE DATA END]\r\n");
    }
    ASSERT_EQ(form->Connection().Handshake(), c.State);
    FindControlAs<QAction>(form.get(), "mnuLangRussian")->trigger();
    EXPECT_EQ(openPort->text(), Shipped(3, "SYS_BUTTON", c.ButtonKey));
    EXPECT_EQ(status->text(), Shipped(3, "CONFIG_SERIAL_PORT", c.StatusKey));
}

INSTANTIATE_TEST_SUITE_P(
    States, FoldedSteps,
    ::testing::Values(FoldCase{HandshakeState::AwaitingDump, "Disconnect", "Connecting"},
                      FoldCase{HandshakeState::Linked, "Disconnect", "Connected"},
                      FoldCase{HandshakeState::Idle, "Connect", "Disconnect"}),
    [](const auto& info) { return std::string(StateName(info.param.State)); });

TEST_F(LanguageSwitch, ChannelKeysFeedTheTxAndRxLabels) {
    WriteLangFile("Lang-EN.ini", "[TAB_SYS_CHECK]\nChA=\"Kanal A: \"\nChB=Kanal B:\n");
    auto form = MakeForm();
    QWidget* page = FindControlAs<QWidget>(form.get(), "TabSheetSystemCheck");
    for (const char* name :
         {"lblChkTxCntChA", "lblChkRxCntChA", "lblChkTxCntChB", "lblChkRxCntChB"})
        (new QLabel(page))->setObjectName(name);
    form->ApplyStartupLanguage();
    EXPECT_EQ(CaptionOf(form.get(), "lblChkTxCntChA"), "Kanal A: ");
    EXPECT_EQ(CaptionOf(form.get(), "lblChkRxCntChA"), "Kanal A: ");
    EXPECT_EQ(CaptionOf(form.get(), "lblChkTxCntChB"), "Kanal B:");
    EXPECT_EQ(CaptionOf(form.get(), "lblChkRxCntChB"), "Kanal B:");
}

TEST_F(LanguageSwitch, OptionListsAndGridHeadingsAreRefilledKeepingTheirChoice) {
    CopyShippedLanguages();
    auto form = MakeForm();
    const char* lists[] = {"ComboBoxCpaAlarmType", "ComboBox_Tran_AisTx", "ComboBox_Tran_DscRx",
                           "ComboBoxGpsVoltage", "ComboBox_LR_Response"};
    // Row 0 of both grids is their heading row.
    auto* destinations = FindControlAs<QTableWidget>(form.get(), "StringGrid_Destination");
    auto* mob = FindControlAs<QTableWidget>(form.get(), "StringGrid_MOBList");
    ASSERT_TRUE(destinations && mob);

    form->configuration().ApplyTexts();
    auto* alarm = FindControlAs<QComboBox>(form.get(), "ComboBoxCpaAlarmType");
    auto* voltage = FindControlAs<QComboBox>(form.get(), "ComboBoxGpsVoltage");
    auto items = [](QComboBox* box) {
        QStringList texts;
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
        return texts;
    };
    EXPECT_EQ(items(alarm), QStringList({"ON", "OFF"}));
    EXPECT_EQ(items(voltage), QStringList({"3.3V", "5V"}));
    EXPECT_EQ(items(FindControlAs<QComboBox>(form.get(), "ComboBox_LR_Response")),
              QStringList({"Automatic", "Manual"}));
    EXPECT_EQ(destinations->item(0, 1)->text(), "DESTINATION");
    EXPECT_EQ(mob->item(0, 1)->text(), "MMSI");
    EXPECT_EQ(mob->item(0, 2)->text(), "NAME");

    // A switch refills the lists in the new language, quietly, and each keeps
    // the entry it showed (the device's setting is not lost to a language).
    alarm->setCurrentIndex(1);
    voltage->setCurrentIndex(1);
    QSignalSpy changes(alarm, &QComboBox::currentIndexChanged);
    FindControlAs<QAction>(form.get(), "mnuLangRussian")->trigger();
    EXPECT_EQ(items(alarm),
              QStringList({Shipped(3, "OTHER_MSG", "On"), Shipped(3, "OTHER_MSG", "Off")}));
    EXPECT_EQ(items(voltage),
              QStringList({Shipped(3, "OTHER_MSG", "GPS3"), Shipped(3, "OTHER_MSG", "GPS5")}));
    for (const char* name : lists) {
        const int shown =
            std::string(name) == "ComboBoxCpaAlarmType" || std::string(name) == "ComboBoxGpsVoltage"
                ? 1
                : 0;
        EXPECT_EQ(FindControlAs<QComboBox>(form.get(), name)->currentIndex(), shown) << name;
        EXPECT_EQ(FindControlAs<QComboBox>(form.get(), name)->count(), 2) << name;
    }
    EXPECT_EQ(changes.count(), 0);
    EXPECT_EQ(destinations->item(0, 1)->text(), Shipped(3, "OTHER_MSG", "Destination"));
    EXPECT_EQ(mob->item(0, 2)->text(), Shipped(3, "OTHER_MSG", "NAME"));
}

TEST_F(LanguageSwitch, AnIndexThatIsNoLanguageDoesNothing) {
    CopyShippedLanguages();
    auto form = MakeForm();
    form->ApplyStartupLanguage();
    for (const int index : {-1, 4, 100})
        form->SwitchLanguage(index);
    EXPECT_EQ(form->LanguageIndex(), 0);
    EXPECT_EQ(CaptionOf(form.get(), "btnExit"), "EXIT");
}

}  // namespace
}  // namespace navoro
