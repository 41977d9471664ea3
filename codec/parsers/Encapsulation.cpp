// The AIS message sentences: VDM/VDO (messages heard / sent by the own ship),
// ABM and BBM (addressed and broadcast binary messages) and ABK (their
// acknowledgement).
//
//   !AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,0*26
//          | | | | |                           +- 6 fill bits, 0-5
//          | | | | +----------------------------- 5 armoured payload
//          | | | +------------------------------- 4 AIS channel
//          | | +--------------------------------- 3 sequential message identifier, 0-9
//          | +----------------------------------- 2 sentence number, 0-9
//          +------------------------------------- 1 total number of sentences, 0-9
//
//   !AIABM,1,1,0,211000000,2,6,<payload>,0*hh      (destination MMSI, channel, message id)
//   !AIBBM,1,1,0,2,8,<payload>,0*hh                (channel, message id)
//   $AIABK,211000000,B,6,1,0*hh                    (MMSI, channel, message id, sequence, ack type)
#include <cstring>

#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

// Total and sentence number: 0-9, a blank reads as 0.
std::int8_t Digit(FieldReader& f) {
    const long v = f.Int();
    if (v < 0 || v > 9) f.Fail();
    return static_cast<std::int8_t>(v);
}

// 0-9, or 0x80 for a blank field (or one without a number).
std::int8_t SequenceId(FieldReader& f) {
    return static_cast<std::int8_t>(f.IntIn(0, 9, kBlankByte));
}

// At most 62 characters, 63 when the message carries a sequential identifier 1-9.
void Payload(FieldReader& f, EncapsulationRecord& r) {
    const char* field = f.Next();
    const std::size_t limit = (r.SequenceId >= 1 && r.SequenceId <= 9) ? 63 : 62;
    if (std::strlen(field) > limit) {
        f.Fail();
        return;
    }
    CopyText(r.Payload, field);
}

// 0-5; a blank field (or one without a number) rejects.
std::int8_t FillBits(FieldReader& f) {
    const char* field = f.Next();
    if (!Converts(field)) {
        f.Fail();
        return kBlankByte;
    }
    const long v = Atol(field);
    if (v < 0 || v > 5) f.Fail();
    return static_cast<std::int8_t>(v);
}

}  // namespace

bool ParseVdm(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 6);
    if (!f.Ok()) return false;
    EncapsulationRecord& r = record.Vdm;
    r = EncapsulationRecord{};
    r.Total = Digit(f);
    r.Number = Digit(f);
    r.SequenceId = SequenceId(f);
    r.Channel = f.Char(static_cast<char>(0x80));
    Payload(f, r);
    r.FillBits = FillBits(f);
    return f.Ok();
}

bool ParseAbm(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 8);
    if (!f.Ok()) return false;
    EncapsulationRecord& r = record.Abm;
    r = EncapsulationRecord{};
    r.Total = Digit(f);
    r.Number = Digit(f);
    r.SequenceId = SequenceId(f);
    r.Mmsi = static_cast<std::uint32_t>(f.Int());
    r.Channel = f.Char(static_cast<char>(0x80));
    r.MessageId = static_cast<std::uint8_t>(f.Int());
    Payload(f, r);
    r.FillBits = FillBits(f);
    return f.Ok();
}

bool ParseBbm(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 7);
    if (!f.Ok()) return false;
    EncapsulationRecord& r = record.Bbm;
    r = EncapsulationRecord{};
    r.Total = Digit(f);
    r.Number = Digit(f);
    r.SequenceId = SequenceId(f);
    r.Channel = static_cast<char>(f.Int());
    r.MessageId = static_cast<std::uint8_t>(f.Int());
    Payload(f, r);
    r.FillBits = FillBits(f);
    return f.Ok();
}

bool ParseAbk(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 5);
    if (!f.Ok()) return false;
    AbkRecord& r = record.Abk;
    r.Mmsi = static_cast<std::uint32_t>(f.Int());
    // The channel of reception as a code: "A" 0, "B" 1 (the letter's distance
    // from "A", as the composer prints it), a number as it is, blank 0x80.
    const char* channel = f.Next();
    if (IsBlank(channel)) {
        r.ChannelCode = 0x80;
    } else if (channel[0] >= 'A' && channel[0] <= 'Z') {
        r.ChannelCode = static_cast<std::uint8_t>(channel[0] - 'A');
    } else {
        r.ChannelCode = static_cast<std::uint8_t>(Atol(channel));
    }
    r.MessageId = static_cast<std::uint8_t>(f.Int());
    r.MessageSequence = static_cast<std::uint8_t>(f.Int());
    r.AckType = static_cast<std::uint8_t>(f.Int());
    return f.Ok();
}

}  // namespace navoro
