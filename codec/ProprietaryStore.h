#pragma once

#include <cstdint>

#include "codec/ProprietaryRecords.h"

namespace navoro {

// The latest values of the maker's proprietary sentences (group 6). Valid and
// received bytes are only ever set by the codec; the reply handlers clear
// DbgValid[0], ClrReceived, DesReceived and MblReceived when they have shown
// the data. The configuration workflows write MID, TST and DBG values here
// before composing those sentences.
struct ProprietaryStore {
    std::uint32_t Mmsi;
    std::uint8_t MmsiValid;  // Mmsi < 999999999
    std::uint32_t Imo;
    std::uint8_t ImoValid;  // Imo < 999999999
    std::uint32_t BdyValue;
    char BdyText1[21], BdyText2[21];
    std::uint8_t BdyFlag1, BdyFlag2;
    std::uint8_t BdyValid;  // BdyValue < 999999999 or BdyFlag2 == 1
    std::uint32_t TstValue;
    std::uint8_t TstNumber;
    char TstLowerLetter;
    std::uint8_t TstValueValid;  // TstValue < 99999
    char TstUpperLetter;
    std::uint8_t TstUpperLetterValid;  // 'A'-'Z'
    std::uint16_t TstCode;
    std::uint8_t TstCodeValid;  // TstCode != 65535
    std::uint32_t FrqValue[2];
    std::uint8_t FrqCode[2];
    std::uint8_t FrqValid[2];  // per pair: value < 999999999 and code <= 10
    std::int16_t BthValues[6];
    std::uint8_t BthValuesValid;  // every value <= 255
    char BthText[25];
    std::uint8_t BthTextValid;  // BthText not empty
    // DBG, CPA and TSV fill all four pairs; BAU fills the first (port, rate).
    std::int16_t DbgParamId[4];
    std::int32_t DbgParamValue[4];
    std::uint8_t DbgValid[4];  // per pair: 0 <= ParamId <= 999; BAU: the first
    char DbgMode;              // mode letter of the last DBG, CPA, TSV, BAU, DES or MBL
    std::int16_t TpsValue;
    char TpsText[25];
    std::uint8_t TpsValid;  // TpsValue >= 0
    std::uint8_t MobId[3];
    std::uint8_t MobValue, MobCode;
    std::uint8_t MobOptionalCode;  // only when MobOptionalPresent
    std::uint8_t MobOptionalPresent;
    std::uint8_t MobData[20];
    std::uint8_t MobDataLength;  // 1-19, else 0
    std::uint8_t ClrResponse;
    std::uint8_t ClrFunctionReply[10];
    std::uint8_t ClrMessage27;
    std::int16_t ClrChannelA, ClrChannelB;
    std::uint8_t ClrReceived;
    DesRecord LastDes;
    std::uint8_t DesReceived;
    DesRecord LastMbl;
    std::uint8_t MblReceived;
};

}  // namespace navoro
