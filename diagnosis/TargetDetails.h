#pragma once

#include <QString>
#include <cstdint>

#include "codec/Codec.h"
#include "ui/MessageTable.h"

class QTreeWidget;
class QWidget;

namespace navoro {

// The details pane of the AIS TARGETS page: for one station, every field of
// the last message of each kind it sent, under the message table's field
// names. Hidden until a station is shown; while shown it is refreshed with
// the page, and says so when the target table has recycled the station's
// entry.
class TargetDetails {
  public:
    TargetDetails(QWidget* parent, const Codec& codec, const MessageTable& messages);

    // Shows the station filed in target-table entry `index`.
    void ShowStation(int index);
    // Rereads the station's messages (nothing while hidden).
    void Refresh();

    QTreeWidget* Tree() { return tree_; }
    std::uint32_t Mmsi() const { return mmsi_; }

  private:
    QString Caption(MessageId id, const char* fallback) const;

    const Codec& codec_;
    const MessageTable& messages_;
    QTreeWidget* tree_;
    int index_ = -1;
    std::uint32_t mmsi_ = 0;
};

}  // namespace navoro
