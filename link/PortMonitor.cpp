#include "link/PortMonitor.h"

#include <QSocketNotifier>

namespace navoro {

PortMonitor::PortMonitor(PortSource& source, PortLists& lists, QObject* parent)
    : QObject(parent), source_(source), lists_(lists) {
    const int fd = source_.MonitorFd();
    if (fd < 0) return;
    notifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &PortMonitor::ReadChanges);
}

void PortMonitor::ReadChanges() {
    PortChange change;
    while (source_.ReadChange(change)) {
        lists_.PortChangeNotice(change);
        if (change.serialPort) {
            emit PortChanged(change.kind == PortChange::Arrival,
                             QString::fromStdString(change.path));
        }
    }
}

}  // namespace navoro
