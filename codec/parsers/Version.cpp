// VER - version: who made the unit and what it runs. A unit whose texts do
// not fit one sentence sends several, numbered, with one sequential message
// identifier.
//
//   $AIVER,1,1,AI,LMO,UID123,SN0042,MODEL-A,2.4.17,1.0,0*hh
//          | | |  |   |      |      |       |      |   +- 10 sequential message identifier, 0-9
//          | | |  |   |      |      |       |      +----- 9 hardware revision
//          | | |  |   |      |      |       +------------ 8 software revision
//          | | |  |   |      |      +-------------------- 7 model code (product code)
//          | | |  |   |      +--------------------------- 6 manufacturer serial number
//          | | |  |   +---------------------------------- 5 unique identifier
//          | | |  +-------------------------------------- 4 vendor ID
//          | | +----------------------------------------- 3 device type (a talker, AI)
//          | +------------------------------------------- 2 sentence number, 1-9
//          +--------------------------------------------- 1 total number of sentences, 1-9
//
// Layout as in the interface appendices of public installation manuals of
// Class A transponders ("$AIVER,x,x,aa,c-c,c-c,c-c,c-c,c-c,c-c,x"). Every
// field may be blank; the texts are cut to their members.
#include <cstring>

#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

// A VER counter: `low`-9 or blank (0x80, also for a field without a number);
// anything else rejects the sentence.
std::int8_t VersionCounter(FieldReader& f, long low) {
    return static_cast<std::int8_t>(f.IntIn(low, 9, kBlankByte));
}

}  // namespace

bool ParseVer(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 10);
    if (!f.Ok()) return false;
    VerRecord& r = record.Ver;
    r = VerRecord{};
    r.Total = VersionCounter(f, 1);
    r.Number = VersionCounter(f, 1);
    f.Text(r.DeviceType);
    f.Text(r.VendorId);
    f.Text(r.UniqueId);
    f.Text(r.SerialNumber);
    f.Text(r.ModelCode);
    f.Text(r.SoftwareRevision);
    f.Text(r.HardwareRevision);
    r.SequenceId = VersionCounter(f, 0);
    if (r.Total != kBlankByte && r.Number != kBlankByte && r.Number > r.Total) f.Fail();
    return f.Ok();
}

}  // namespace navoro
