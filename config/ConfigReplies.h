#pragma once

#include "codec/Codec.h"
#include "config/ConfigPages.h"
#include "config/ConfigSnapshot.h"

namespace navoro {

// The reply handlers: each shows the record that the codec just stored for one
// kind of reply on its tab and copies it into the snapshot. Each acts only
// while the store's received flag for it is set and clears that flag, so a
// reply is shown once. The proprietary replies (TSV, CPA, BAU, DES, MBL) set
// controls only when their mode letter is 'R'; CLR has no mode letter.
//
// A value that does not fit its control (a dimension above 511, a POB of 8192,
// a CPA of 100 miles, a rate the port's list lacks, a ship type the table
// lacks) is shown as not available ("N/A", an empty field, no selection)
// rather than clamped into a number the transponder never sent.

struct ReplyTargets {
    Codec& codec;
    ConfigPages& pages;
    ConfigSnapshot& snapshot;
    int& mobEntries;  // MBL entries shown since the MOB grid was initialised
};

void ShowSsdReply(ReplyTargets t);
void ShowVsdReply(ReplyTargets t);
void ShowTsvReply(ReplyTargets t);
void ShowCpaReply(ReplyTargets t);
void ShowBauReply(ReplyTargets t);
void ShowMblReply(ReplyTargets t);
void ShowDesReply(ReplyTargets t);
void ShowClrReply(ReplyTargets t);

// The snapshot updates the handlers run.
void SnapshotShipData(const AisStore& ais, const ShipDataPage& page, ConfigSnapshot& snapshot);
void SnapshotVoyage(const AisStore& ais, const VoyagePage& page, ConfigSnapshot& snapshot);
void SnapshotTransceiver(const TransceiverPage& page, ConfigSnapshot& snapshot);
void SnapshotBaudRates(const BaudRatePage& page, ConfigSnapshot& snapshot);
void SnapshotCpa(const CpaPage& page, ConfigSnapshot& snapshot);
void SnapshotLongRange(const ProprietaryStore& store, const LongRangePage& page,
                       ConfigSnapshot& snapshot);

// cbxShipTypeChange: stShipCargoType shows the selected row's code ("0" when
// no row is selected).
void cbxShipTypeChange(const VoyagePage& page);

}  // namespace navoro
