// Composers of the maker's proprietary sentences (talker "P" gives $PMID,...).
//
//   $PMID,211000000,009876543
//   $PTST,,,,,00016
//   $PLMO,C,DBG,701,3015,,0,-01,5,000,     (mode 'C'; mode 0 gives $PDBG,...)
//   $PBDY,123456789,TEXT ONE,TEXT TWO,0,1
//   $PFRQ,161975000,1,162025000,2
//   $PBTH,001,002,003,004,005,006,LUMO-AIS
//   $PTPS,001,SN12345678
//   $PMOB,A1B2C3,5,0F,,0102
#include <climits>

#include "codec/StaticDataLimits.h"
#include "codec/composers/Composers.h"

namespace navoro {

namespace {

// A nine-digit number; 999999999 and above mean not available.
void NineDigits(SentenceWriter& out, std::uint32_t value) {
    out.IntField(value < kNineDigitsNotAvailable, static_cast<long>(value), 9);
}

}  // namespace

void ComposeMid(SentenceWriter& out, const SentenceRecord& record) {
    out.Address('$', record.Header);
    NineDigits(out, record.Mid.Mmsi);
    NineDigits(out, record.Mid.Imo);
}

void ComposeTst(SentenceWriter& out, const SentenceRecord& record) {
    const TstRecord& r = record.Tst;
    out.Address('$', record.Header);
    out.IntField(r.Value < 99999, static_cast<long>(r.Value), 5);
    out.IntField(r.Number < 99, r.Number, 2);
    out.Empty();
    if (r.LowerLetter >= 'a' && r.LowerLetter <= 'm') out.Raw(r.LowerLetter);
    out.Empty();
    if (r.UpperLetter >= 'A' && r.UpperLetter <= 'Z') out.Raw(r.UpperLetter);
    out.IntField(r.Code != 65535, r.Code, 5);
}

void ComposeDbg(SentenceWriter& out, const SentenceRecord& record) {
    const SentenceHeader& h = record.Header;
    const DbgRecord& r = record.Dbg;
    // $PLMO,<mode>,DBG when the mode is a capital letter, else $PDBG.
    out.Raw('$');
    out.Name(h.Talker);
    if (h.Mode >= 'A' && h.Mode <= 'Z') {
        out.Raw("LMO,");
        out.Raw(h.Mode);
        out.Raw(',');
    }
    out.Name(h.Formatter);
    for (int i = 0; i < 4; ++i) {
        out.IntField(r.ParamId[i] < 999, r.ParamId[i], 3);
        out.IntField(r.ParamValue[i] != INT32_MIN, r.ParamValue[i]);
    }
}

void ComposeBdy(SentenceWriter& out, const SentenceRecord& record) {
    const BdyRecord& r = record.Bdy;
    out.Address('$', record.Header);
    NineDigits(out, r.Value);
    out.TextField(r.Text1);
    out.TextField(r.Text2);
    out.IntField(r.Flag1 < 2, r.Flag1);
    out.IntField(r.Flag2 < 2, r.Flag2);
}

void ComposeFrq(SentenceWriter& out, const SentenceRecord& record) {
    const FrqRecord& r = record.Frq;
    out.Address('$', record.Header);
    NineDigits(out, r.Value1);
    out.IntField(r.Code1 <= 10, r.Code1);
    NineDigits(out, r.Value2);
    out.IntField(r.Code2 <= 10, r.Code2);
}

void ComposeBth(SentenceWriter& out, const SentenceRecord& record) {
    const BthRecord& r = record.Bth;
    out.Address('$', record.Header);
    bool all = true;
    for (const std::int16_t value : r.Values) {
        if (value > 255) all = false;
    }
    for (const std::int16_t value : r.Values)
        out.IntField(all, value, 3);
    out.TextField(r.Text);
}

void ComposeTps(SentenceWriter& out, const SentenceRecord& record) {
    out.Address('$', record.Header);
    out.IntField(record.Tps.Value < 999, record.Tps.Value, 3);
    out.TextField(record.Tps.Text);
}

void ComposeMob(SentenceWriter& out, const SentenceRecord& record) {
    const MobRecord& r = record.Mob;
    // More data than the record holds (and the parser reads back) is refused
    // rather than cut.
    if (r.DataLength > sizeof r.Data) {
        out.Fail();
        return;
    }
    out.Address('$', record.Header);
    out.Empty();
    for (const std::uint8_t byte : r.Id)
        out.Hex(byte);
    out.IntField(true, r.Value);
    out.Empty();
    out.Hex(r.Code);
    out.Empty();
    if (r.OptionalPresent) out.Hex(r.OptionalCode);
    out.Empty();
    for (std::size_t i = 0; i < r.DataLength; ++i)
        out.Hex(r.Data[i]);
}

}  // namespace navoro
