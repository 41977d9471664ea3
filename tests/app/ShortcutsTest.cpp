// The keyboard shortcuts on the real window: each key reaches its action, and
// the menu shows it.
#include <QAction>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include "ShellFixture.h"

namespace navoro {
namespace {

class Shortcuts : public test::ShellTest {
  protected:
    std::unique_ptr<TForm1> Start() {
        auto form = MakeForm({}, &source);
        form->ApplyStartupLanguage();
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return form;
    }
    static QAction* Item(TForm1& form, const char* name) {
        auto* item = form.findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(item, nullptr) << name;
        return item;
    }

    ScriptedPortSource source;
};

TEST_F(Shortcuts, EachKeyTriggersItsMenuItem) {
    auto form = Start();
    const struct {
        const char* Item;
        Qt::Key Key;
        Qt::KeyboardModifiers Modifiers;
    } keys[] = {
        {"mnuLoadConfigFile", Qt::Key_O, Qt::ControlModifier},
        {"mnuSaveConfigFile", Qt::Key_S, Qt::ControlModifier},
        {"mnuRefresh", Qt::Key_F5, Qt::NoModifier},
        {"mnuConnect", Qt::Key_Return, Qt::ControlModifier},
        {"mnuExit", Qt::Key_Q, Qt::ControlModifier},
    };
    prompts.DefaultAnswer = false;  // the exit question is answered Cancel
    for (const auto& key : keys) {
        SCOPED_TRACE(key.Item);
        QAction* item = Item(*form, key.Item);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->shortcut(), QKeySequence(key.Key | key.Modifiers));  // shown in the menu
        QSignalSpy triggered(item, &QAction::triggered);
        QTest::keyClick(form.get(), key.Key, key.Modifiers);
        EXPECT_EQ(triggered.count(), 1);
    }
    // What they did: the dialogs asked, and the exit question kept the window.
    EXPECT_NE(prompts.Last(PromptKind::OpenFile), nullptr);
    ASSERT_NE(prompts.Last(PromptKind::SaveFile), nullptr);
    EXPECT_EQ(prompts.Last(PromptKind::SaveFile)->Title, "Save configuration");
    ASSERT_NE(prompts.Last(PromptKind::OkCancel), nullptr);
    EXPECT_EQ(prompts.Last(PromptKind::OkCancel)->Title, "Exit!");
    EXPECT_TRUE(form->isVisible());
}

TEST_F(Shortcuts, SaveOnTheDataLogSavesTheLog) {
    auto form = Start();
    form->findChild<QTabWidget*>(QStringLiteral("PageControlMain"))->setCurrentIndex(1);
    auto* diagnosis = form->findChild<QTabWidget*>(QStringLiteral("PageControlDiagnosis"));
    diagnosis->setCurrentWidget(form->findChild<QWidget*>(QStringLiteral("TabSheetDataLog")));
    QTest::keyClick(form.get(), Qt::Key_S, Qt::ControlModifier);
    const PromptCall* asked = prompts.Last(PromptKind::SaveFile);
    ASSERT_NE(asked, nullptr);
    EXPECT_EQ(asked->Title, "Save");  // the data log's dialog
}

}  // namespace
}  // namespace navoro
