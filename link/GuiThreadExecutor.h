#pragma once

// The executor of the serial port in the application: queues each event of
// the reader thread onto the event loop of the thread this object lives on
// (the GUI thread). The reader waits until the callbacks have run, as a
// blocking queued call would, but can be released by Close, which a plain
// blocking queued call cannot: Close on the GUI thread would wait for a reader
// that waits for the GUI thread.

#include <QObject>

#include "link/EventExecutor.h"

namespace navoro {

class GuiThreadExecutor : public QObject, public EventExecutor {
    Q_OBJECT
  public:
    explicit GuiThreadExecutor(QObject* parent = nullptr) : QObject(parent) {}
    void Post(std::function<void()> task) override;
};

}  // namespace navoro
