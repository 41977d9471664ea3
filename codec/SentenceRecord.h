#pragma once

#include "codec/AisRecords.h"
#include "codec/GnssRecords.h"
#include "codec/ProprietaryRecords.h"
#include "codec/SentenceHeader.h"

namespace navoro {

// The record through which every sentence is parsed and composed: the header
// followed by a field area that each formatter lays out in its own way. The
// record is not cleared between sentences; a parser writes only what it reads
// unless it clears its own layout first.
struct SentenceRecord {
    SentenceHeader Header;
    union {
        SsdRecord Ssd;
        VsdRecord Vsd;
        TxtRecord Txt;
        AlrRecord Alr;
        AckRecord Ack;
        AcaRecord Aca;
        AcsRecord Acs;
        TrlRecord Trl;
        AbkRecord Abk;
        AbmRecord Abm;
        BbmRecord Bbm;
        VdmRecord Vdm;
        QueryRecord Query;
        VerRecord Ver;
        NakRecord Nak;
        GgaRecord Gga;
        GllRecord Gll;
        GbsRecord Gbs;
        GsaRecord Gsa;
        GsvRecord Gsv;
        RmcRecord Rmc;
        VtgRecord Vtg;
        ZdaRecord Zda;
        HdtRecord Hdt;
        RotRecord Rot;
        VbwRecord Vbw;
        GnsRecord Gns;
        GrsRecord Grs;
        GstRecord Gst;
        DtmRecord Dtm;
        RmaRecord Rma;
        WplRecord Wpl;
        OsdRecord Osd;
        DbgRecord Dbg;  // DBG, CPA, TSV
        BauRecord Bau;
        DesRecord Des;  // DES, MBL
        ClrRecord Clr;
        MidRecord Mid;
        BdyRecord Bdy;
        TstRecord Tst;
        FrqRecord Frq;
        BthRecord Bth;
        TpsRecord Tps;
        MobRecord Mob;
        AiqRecord Aiq;
        SmgRecord Smg;
    };
};

}  // namespace navoro
