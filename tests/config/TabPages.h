#pragma once

// The configuration tabs' pages of a window, each as its own page type, for
// tests that reach into the controls.

#include "config/Configuration.h"
#include "config/pages/BaudRatePage.h"
#include "config/pages/CpaPage.h"
#include "config/pages/DestinationsPage.h"
#include "config/pages/EncryptionPage.h"
#include "config/pages/LongRangePage.h"
#include "config/pages/MobPage.h"
#include "config/pages/ShipDataPage.h"
#include "config/pages/TransceiverPage.h"
#include "config/pages/VoyagePage.h"

namespace navoro {

struct ConfigPages {
    ShipDataPage& ShipData;
    VoyagePage& Voyage;
    CpaPage& Cpa;
    TransceiverPage& Transceiver;
    BaudRatePage& BaudRate;
    LongRangePage& LongRange;
    DestinationsPage& Destination;
    MobPage& Mob;
    EncryptionPage& Encryption;
};

inline ConfigPages PagesOf(Configuration& c) {
    return {static_cast<ShipDataPage&>(c.View<ShipDataTab>()),
            static_cast<VoyagePage&>(c.View<VoyageTab>()),
            static_cast<CpaPage&>(c.View<CpaTab>()),
            static_cast<TransceiverPage&>(c.View<TransceiverTab>()),
            static_cast<BaudRatePage&>(c.View<BaudRateTab>()),
            static_cast<LongRangePage&>(c.View<LongRangeTab>()),
            static_cast<DestinationsPage&>(c.View<DestinationsTab>()),
            static_cast<MobPage&>(c.View<MobTab>()),
            static_cast<EncryptionPage&>(c.View<EncryptionTab>())};
}

}  // namespace navoro
