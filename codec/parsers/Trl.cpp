// TRL - AIS transmitter non-functioning log: one sentence a log entry, each
// period in which the transponder did not transmit.
//
//   $AITRL,3,1,,01122026,081500.00,01122026,093000.00,1*hh
//          | | | |        |         |        |         +- 8 reason: 1 power off, 2 silent
//          | | | |        |         |        |              mode, 3 switched off by channel
//          | | | |        |         |        |              management, 4 equipment
//          | | | |        |         |        |              malfunction, 5 invalid configuration
//          | | | |        |         |        +----------- 7 switch-on time, UTC
//          | | | |        |         +-------------------- 6 switch-on date, ddmmyyyy
//          | | | |        +------------------------------ 5 switch-off time, UTC
//          | | | +--------------------------------------- 4 switch-off date, ddmmyyyy
//          | | +----------------------------------------- 3 sequential message identifier, 0-9
//          | +------------------------------------------- 2 log entry number, 1-10
//          +--------------------------------------------- 1 total number of log entries, 0-10
//
// Layout as in the digital-interface appendices of public installation manuals
// of Class A transponders. Every field may be blank (an empty log is
// "$AITRL,0,,,,,,,"); a period still running has blank switch-on fields. Some
// manuals print the switch-on date as ddmmyy, so six digits are read as well.
#include <cstring>

#include "codec/FieldReader.h"
#include "codec/parsers/Parsers.h"

namespace navoro {

namespace {

// ddmmyyyy or ddmmyy (20yy); a blank gives 0, 0, 0. Anything else, or a day
// or month out of range, fails the reader.
void LogDate(FieldReader& f, DateOfYear& date) {
    const char* field = f.Next();
    date = DateOfYear{0, 0, 0};
    if (IsBlankText(field)) return;
    const std::size_t length = std::strlen(field);
    bool digits = length == 6 || length == 8;
    for (std::size_t i = 0; digits && i < length; ++i)
        digits = IsDigit(field[i]);
    if (!digits) {
        f.Fail();
        return;
    }
    const auto number = [field](int at, int count) {
        int value = 0;
        for (int i = 0; i < count; ++i)
            value = value * 10 + (field[at + i] - '0');
        return value;
    };
    const int day = number(0, 2);
    const int month = number(2, 2);
    const int year = length == 8 ? number(4, 4) : 2000 + number(4, 2);
    if (day < 1 || day > 31 || month < 1 || month > 12) {
        f.Fail();
        return;
    }
    date = DateOfYear{static_cast<std::uint16_t>(year), static_cast<std::uint8_t>(month),
                      static_cast<std::uint8_t>(day)};
}

}  // namespace

bool ParseTrl(Tokenizer& tok, char* text, SentenceRecord& record) {
    FieldReader f(tok, text, 8);
    if (!f.Ok()) return false;
    TrlRecord& r = record.Trl;
    r = TrlRecord{};
    r.Total = static_cast<std::int8_t>(f.IntIn(0, 99, kBlankByte));
    r.Entry = static_cast<std::int8_t>(f.IntIn(1, 99, kBlankByte));
    r.SequenceId = static_cast<std::int8_t>(f.IntIn(0, 9, kBlankByte));
    LogDate(f, r.OffDate);
    f.Time(r.OffTime);
    LogDate(f, r.OnDate);
    f.Time(r.OnTime);
    r.Reason = static_cast<std::int8_t>(f.IntIn(0, 99, kBlankByte));
    return f.Ok();
}

}  // namespace navoro
