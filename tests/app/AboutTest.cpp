// The About and agreement dialogs.
#include <QAction>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "ShellFixture.h"
#include "app/AboutDialog.h"
#include "app/AgreementDialog.h"

namespace navoro {
namespace {

class AboutWindow : public test::ShellTest {
  protected:
    static QPlainTextEdit* Memo(MainWindow& form) {
        return FindControlAs<QPlainTextEdit>(form.about(), "Memo1");
    }
};

TEST_F(AboutWindow, OpensModelessAndOnlyOnce) {
    auto form = MakeForm();
    form->ApplyStartupLanguage();
    form->show();
    FindControlAs<QAction>(form.get(), "mnuAbout")->trigger();
    form->ShowAbout();
    EXPECT_TRUE(form->about()->isVisible());
    EXPECT_FALSE(form->about()->isModal());
    EXPECT_EQ(form->findChildren<AboutDialog*>().size(), 1);
    EXPECT_TRUE(form->isEnabled());

    QTest::mouseClick(FindControlAs<QPushButton>(form->about(), "btnOK"), Qt::LeftButton);
    EXPECT_FALSE(form->about()->isVisible());
}

TEST_F(AboutWindow, ShowsTheReadMeOfTheLanguageLineByLine) {
    // Big5: a title line, a line of 300 characters (600 bytes), an empty line.
    std::string readMe = "\xA4\xA4\xA4\xE5\r\n";
    for (int i = 0; i < 300; ++i)
        readMe += "\xA4\xA4";
    readMe += "\r\n\r\nend";
    WriteLangFile("ReadMe-TW.txt", readMe);
    WriteSettingsFile("[VIEW]\nLanguage=1\n");
    auto form = MakeForm();
    form->ApplyStartupLanguage();
    const QStringList lines = Memo(*form)->toPlainText().split('\n');
    ASSERT_EQ(lines.size(), 5);
    EXPECT_EQ(lines[0], QString::fromUtf8("中文"));
    EXPECT_EQ(lines[1], QString(249, QChar(0x4E2D)));
    EXPECT_EQ(lines[2], QString(51, QChar(0x4E2D)));
    EXPECT_EQ(lines[3], "");
    EXPECT_EQ(lines[4], "end");
}

TEST_F(AboutWindow, MissingReadMeKeepsTheEarlierText) {
    WriteLangFile("ReadMe-EN_LUMOWORKS.txt", "English read-me\n");
    auto form = MakeForm();
    form->ApplyStartupLanguage();
    EXPECT_EQ(Memo(*form)->toPlainText(), "English read-me");
    FindControlAs<QAction>(form.get(), "mnuLangRussian")->trigger();
    EXPECT_EQ(Memo(*form)->toPlainText(), "English read-me");
    EXPECT_FALSE(form->about()->LoadReadMe(ExeFolder() + "/Lang/none.txt", CodePage::Big5));
    EXPECT_EQ(Memo(*form)->toPlainText(), "English read-me");
}

TEST_F(AboutWindow, MakerLinksOpenTheWebAddress) {
    auto form = MakeForm();
    form->ShowAbout();
    for (const char* name : {"lblWebUrl", "lblCompanyName"}) {
        auto* label = FindControlAs<QLabel>(form->about(), name);
        EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(label, Qt::LeftButton);
    }
    ASSERT_EQ(prompts.Count(PromptKind::OpenWebAddress), 2);
    EXPECT_EQ(prompts.Last(PromptKind::OpenWebAddress)->Text, kMakerWebAddress);
    EXPECT_EQ(CaptionOf(form->about(), "Label6"), "Ver 1.2 Build20200221");
}

TEST_F(AboutWindow, AgreementButtonsCloseItAndFollowTheLanguage) {
    CopyShippedLanguages();
    WriteSettingsFile("[VIEW]\nLanguage=2\n");
    auto form = MakeForm();
    form->ApplyStartupLanguage();
    form->show();
    AgreementDialog* agreement = form->agreement();
    EXPECT_EQ(CaptionOf(agreement, "ButtonAgree"), Shipped(2, "AGREEMENT", "Agree"));
    EXPECT_EQ(CaptionOf(agreement, "ButtonCancel"), Shipped(2, "AGREEMENT", "Cancel"));
    EXPECT_TRUE(agreement->windowFlags() & Qt::WindowStaysOnTopHint);
    for (const char* button : {"ButtonAgree", "ButtonCancel"}) {
        agreement->show();
        QTest::mouseClick(FindControlAs<QPushButton>(agreement, button), Qt::LeftButton);
        EXPECT_FALSE(agreement->isVisible()) << button;
    }
}

}  // namespace
}  // namespace navoro
