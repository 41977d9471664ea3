#include <cstring>

#include "codec/StoreUpdates.h"

namespace navoro {

namespace {

void StorePairs(ProprietaryStore& s, const DbgRecord& r) {
    for (int i = 0; i < 4; ++i) {
        s.DbgParamId[i] = r.ParamId[i];
        s.DbgParamValue[i] = r.ParamValue[i];
        if (r.ParamId[i] >= 0 && r.ParamId[i] <= 999) s.DbgValid[i] = 1;
    }
}

void StoreClr(ProprietaryStore& s, const ClrRecord& r) {
    if (r.Present & kClrResponseGiven) s.ClrResponse = r.Response;
    for (int i = 0; i < 10; ++i) {
        if (r.Present & (kClrFunctionReplyGiven << i)) s.ClrFunctionReply[i] = r.FunctionReply[i];
    }
    if (r.Present & kClrMessage27Given) s.ClrMessage27 = r.Message27;
    if (r.Present & kClrChannelAGiven) s.ClrChannelA = r.ChannelA;
    if (r.Present & kClrChannelBGiven) s.ClrChannelB = r.ChannelB;
    s.ClrReceived = 1;
}

void StoreMob(ProprietaryStore& s, const MobRecord& r) {
    std::memcpy(s.MobId, r.Id, sizeof s.MobId);
    s.MobValue = r.Value;
    if (r.Present & kMobCodeGiven) s.MobCode = r.Code;
    if (r.Present & kMobOptionalGiven) {
        s.MobOptionalPresent = r.OptionalPresent;
        if (r.OptionalPresent) s.MobOptionalCode = r.OptionalCode;
    }
    if (r.DataLength >= 1 && r.DataLength <= sizeof r.Data) {
        std::memcpy(s.MobData, r.Data, r.DataLength);
        s.MobDataLength = r.DataLength;
    } else {
        s.MobDataLength = 0;
    }
}

}  // namespace

void StoreProprietarySentence(ProprietaryStore& s, const SentenceRecord& record) {
    const char mode = record.Header.Mode;
    switch (FormatterKey(record.Header.Formatter)) {
        case FormatterKey("DBG"):
        case FormatterKey("CPA"):
        case FormatterKey("TSV"):
            StorePairs(s, record.Dbg);
            s.DbgMode = mode;
            break;
        case FormatterKey("BAU"):
            s.DbgParamId[0] = record.Bau.Port;
            s.DbgParamValue[0] = static_cast<std::int32_t>(record.Bau.Baud);
            s.DbgValid[0] = 1;
            s.DbgMode = mode;
            break;
        case FormatterKey("DES"):
            s.LastDes = record.Des;
            s.DesReceived = 1;
            s.DbgMode = mode;
            break;
        case FormatterKey("MBL"):
            s.LastMbl = record.Des;
            s.MblReceived = 1;
            s.DbgMode = mode;
            break;
        case FormatterKey("CLR"):
            StoreClr(s, record.Clr);
            break;
        case FormatterKey("MID"):
            s.Mmsi = record.Mid.Mmsi;
            if (s.Mmsi < 999999999) s.MmsiValid = 1;
            s.Imo = record.Mid.Imo;
            if (s.Imo < 999999999) s.ImoValid = 1;
            break;
        case FormatterKey("BDY"): {
            const BdyRecord& r = record.Bdy;
            s.BdyValue = r.Value;
            CopyText(s.BdyText1, r.Text1);
            CopyText(s.BdyText2, r.Text2);
            s.BdyFlag1 = r.Flag1;
            s.BdyFlag2 = r.Flag2;
            if (r.Value < 999999999 || r.Flag2 == 1) s.BdyValid = 1;
            break;
        }
        case FormatterKey("TST"): {
            const TstRecord& r = record.Tst;
            s.TstValue = r.Value;
            if (r.Value < 99999) s.TstValueValid = 1;
            s.TstNumber = r.Number;
            s.TstLowerLetter = r.LowerLetter;
            s.TstUpperLetter = r.UpperLetter;
            if (r.UpperLetter >= 'A' && r.UpperLetter <= 'Z') s.TstUpperLetterValid = 1;
            s.TstCode = r.Code;
            if (r.Code != 65535) s.TstCodeValid = 1;
            break;
        }
        case FormatterKey("FRQ"): {
            const FrqRecord& r = record.Frq;
            s.FrqValue[0] = r.Value1;
            s.FrqValue[1] = r.Value2;
            s.FrqCode[0] = r.Code1;
            s.FrqCode[1] = r.Code2;
            if (r.Value1 < 999999999 && r.Code1 <= 10) s.FrqValid[0] = 1;
            if (r.Value2 < 999999999 && r.Code2 <= 10) s.FrqValid[1] = 1;
            break;
        }
        case FormatterKey("BTH"): {
            const BthRecord& r = record.Bth;
            bool all = true;
            for (int i = 0; i < 6; ++i) {
                s.BthValues[i] = r.Values[i];
                if (r.Values[i] > 255) all = false;
            }
            if (all) s.BthValuesValid = 1;
            CopyText(s.BthText, r.Text);
            if (s.BthText[0] != '\0') s.BthTextValid = 1;
            break;
        }
        case FormatterKey("TPS"):
            s.TpsValue = record.Tps.Value;
            CopyText(s.TpsText, record.Tps.Text);
            if (record.Tps.Value >= 0) s.TpsValid = 1;
            break;
        case FormatterKey("MOB"):
            StoreMob(s, record.Mob);
            break;
        default:
            break;
    }
}

}  // namespace navoro
