// The Qt prompts' blocking sleep: it waits, keeps the waiting window painted
// and leaves every other event for afterwards.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include "ui/QtPrompts.h"

namespace navoro {
namespace {

class PaintCounter : public QObject {
  public:
    int Paints = 0;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++Paints;
        return QObject::eventFilter(watched, event);
    }
};

TEST(QtPrompts, SleepBlocksButKeepsTheWaitingWindowPainted) {
    QWidget waiting;
    waiting.resize(120, 40);
    waiting.show();
    QApplication::processEvents();
    PaintCounter counter;
    waiting.installEventFilter(&counter);
    bool timerRan = false;
    QTimer::singleShot(0, [&] { timerRan = true; });

    QtPrompts prompts;
    QElapsedTimer clock;
    clock.start();
    prompts.Sleep(150);
    EXPECT_GE(clock.elapsed(), 150);
    EXPECT_FALSE(timerRan);
    EXPECT_GE(counter.Paints, 2);

    QApplication::processEvents();
    EXPECT_TRUE(timerRan);
}

}  // namespace
}  // namespace navoro
