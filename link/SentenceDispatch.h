#pragma once

// What kind of sentence a received line is, once the codec has accepted it:
// the routing of the receive path, before it tells the pages.

#include "codec/Codec.h"

namespace navoro {

enum class SentenceKind {
    Rejected,      // not a sentence, rejected by the codec, or too long
    Gnss,          // GGA, GLL, GBS, GSA, RMC, VTG, ZDA (the GNSS group but GSV)
    Satellites,    // GSV: satellites in view
    Encapsulated,  // a '!' sentence of the AIS group (VDM, VDO)
    Reply,         // an AIS-group or proprietary sentence the transponder answers with
    Other,         // accepted, of another group
};

// The longest line looked at, its line end included.
inline constexpr int kMaxDispatchedLength = 82;

// Admits a line ("...\r\n") that starts with '$' or '!' and is at most 82
// characters long with its line end, hands it to RouteSentence (which parses
// it into codec.Received and files it in its store) and tells its kind. The
// line is not changed.
SentenceKind AcceptLine(Codec& codec, const char* line);

}  // namespace navoro
