#pragma once

// Watches a PortSource's change notices from the Qt event loop: a
// QSocketNotifier on the source's descriptor reads each arrival or removal and
// runs PortLists::PortChangeNotice (rescan, and the connected port vanishing
// runs OnConnectedPortGone), then emits PortChanged.

#include <QObject>

#include "link/PortLists.h"
#include "link/PortSource.h"

class QSocketNotifier;

namespace navoro {

class PortMonitor : public QObject {
    Q_OBJECT
  public:
    PortMonitor(PortSource& source, PortLists& lists, QObject* parent = nullptr);
    // Whether the source gives notices at all.
    bool Watching() const { return notifier_ != nullptr; }

  signals:
    void PortChanged(bool arrival, const QString& path);

  private:
    void ReadChanges();

    PortSource& source_;
    PortLists& lists_;
    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace navoro
