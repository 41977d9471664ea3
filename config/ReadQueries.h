#pragma once

#include <functional>

namespace navoro {

// The queries of a configuration read, as a bit set, sent by SendQueries in
// bit order. The transponder's replies come back through the received-line
// dispatcher whenever they arrive; nothing waits for them.
enum QueryBit : unsigned {
    kQueryStatus = 1,      // "$PTST,,,,,00017": the information dump
    kQuerySsd = 2,         // "$AIAIQ,SSD"
    kQueryVsd = 4,         // "$AIAIQ,VSD"
    kQueryCpa = 8,         // "$AIAIQ,CPA"
    kQueryTsv = 16,        // "$AIAIQ,TSV"
    kQueryPortRates = 32,  // "$PLMO,Q,BAU,<port>," for ports -1, 0, 1 ... 9
    kQueryClr = 64,        // "$AIAIQ,CLR"
    kQueryDes = 128,       // "$AIAIQ,DES"
    kQueryMbl = 256,       // "$AIAIQ,MBL"
};

// "Read Device": everything but the destination and MOB lists, with the
// waiting window up for 3 s and the report offered 3.5 s after the click.
inline constexpr unsigned kReadDeviceQuerySet = 127;
inline constexpr int kReadDeviceProgressMax = 30;
inline constexpr int kReportCountdownStart = 35;
inline constexpr int kReportCountdownIdle = 255;

// Sends one sentence text ("$AIAIQ,SSD"), appending its checksum and line
// end; true when it was written.
using SendSentenceText = std::function<bool(const char* text)>;

// Sends the queries of `set` in bit order, ignoring the outcome of each send.
void SendQueries(unsigned set, const SendSentenceText& send);

}  // namespace navoro
