#pragma once

// Where RouteLine, the first consumer of every received line, sends a
// sentence that the codec accepted: the GNSS status view, the system check's
// position-report counters or one of the configuration reply handlers.

#include "codec/Codec.h"

namespace navoro {

enum class SentenceRoute {
    None,                 // ignored, rejected, or a formatter nobody shows
    UpdateGnssStatus,     // GGA, GLL, GBS, GSA, GSV, RMC, VTG, ZDA
    CountPositionReport,  // a '!' sentence of the AIS group (VDM, VDO)
    ShowSsdReply,
    ShowVsdReply,
    ShowTsvReply,
    ShowMblReply,
    ShowDesReply,
    ShowBauReply,
    ShowCpaReply,
    ShowClrReply,
};

// The longest line RouteLine looks at, its line end included.
inline constexpr int kMaxDispatchedLength = 82;

// Admits a line ("...\r\n") that starts with '$' or '!' and is at most 82
// characters long with its line end, hands it to RouteSentence and, when the
// codec accepts it, tells where it goes by its formatter group. The line is
// not changed.
SentenceRoute RouteReceivedLine(Codec& codec, const char* line);

}  // namespace navoro
