// The keyboard shortcuts on the real window: each key reaches its action, and
// the menu shows it.
#include <QAction>
#include <QApplication>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <algorithm>

#include "ShellFixture.h"

namespace navoro {
namespace {

class Shortcuts : public test::ShellTest {
  protected:
    std::unique_ptr<MainWindow> Start() {
        auto form = MakeForm({}, &source);
        form->ApplyStartupLanguage();
        form->show();
        form->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(form.get()));
        return form;
    }
    static QAction* Item(MainWindow& form, const char* name) {
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

// Tab moves through every page row by row from the top, left to right within
// a row: the focus chain never goes back up a row, nor left within one.
TEST_F(Shortcuts, TabFollowsTheRowsOfEveryPage) {
    auto form = Start();
    for (const char* name : {"PageControlConf", "PageControlDiagnosis"}) {
        auto* tabs = form->findChild<QTabWidget*>(QString::fromLatin1(name));
        ASSERT_NE(tabs, nullptr);
        if (tabs == form->findChild<QTabWidget*>(QStringLiteral("PageControlDiagnosis")))
            form->findChild<QTabWidget*>(QStringLiteral("PageControlMain"))->setCurrentIndex(1);
        for (int index = 0; index < tabs->count(); ++index) {
            tabs->setCurrentIndex(index);
            QApplication::processEvents();
            QWidget* page = tabs->widget(index);
            SCOPED_TRACE(page->objectName().toStdString());
            // The page's controls: taking Tab, shown, not a part of another control.
            const auto isControl = [page](QWidget* w) {
                if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(page)) return false;
                for (QWidget* up = w->parentWidget(); up && up != page; up = up->parentWidget())
                    if (up->focusPolicy() & Qt::TabFocus) return false;
                return page->isAncestorOf(w);
            };
            std::vector<QWidget*> chain;
            QWidget* w = page;
            for (int step = 0; step < 2000; ++step) {
                w = w->nextInFocusChain();
                if (w == page) break;
                if (isControl(w) && std::find(chain.begin(), chain.end(), w) == chain.end())
                    chain.push_back(w);
            }
            // Rotate so that the chain starts at the top-left control.
            const auto topLeft =
                std::min_element(chain.begin(), chain.end(), [&](auto* a, auto* b) {
                    const QPoint pa = a->mapTo(page, QPoint()), pb = b->mapTo(page, QPoint());
                    return std::pair(pa.y(), pa.x()) < std::pair(pb.y(), pb.x());
                });
            std::rotate(chain.begin(), topLeft, chain.end());
            for (std::size_t i = 1; i < chain.size(); ++i) {
                const QRect a(chain[i - 1]->mapTo(page, QPoint()), chain[i - 1]->size());
                const QRect b(chain[i]->mapTo(page, QPoint()), chain[i]->size());
                const bool sameRow = b.center().y() <= a.bottom() && a.center().y() <= b.bottom();
                EXPECT_TRUE(sameRow ? b.left() > a.left() : b.top() > a.top())
                    << chain[i - 1]->objectName().toStdString() << " -> "
                    << chain[i]->objectName().toStdString();
            }
        }
    }
}

}  // namespace
}  // namespace navoro
