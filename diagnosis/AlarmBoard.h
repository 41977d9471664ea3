#pragma once

// The transponder's alarms and status as the session hears them: the alarms
// (ALR) by identifier, the latest status text (TXT) of each identifier, the
// transmitter non-functioning log (TRL) and the channel-management regions
// (ACA, ACS). The diagnosis pages keep one for the whole session, so what
// arrives while the ALARMS page is hidden is kept; the page draws it.
//
//   AlarmBoard board;
//   board.Take(codec.Received, ArrivalSeconds());  // each accepted sentence
//   board.UnacknowledgedActiveCount();              // the badge
//
// Everything it holds is bounded by the sentences' identifier ranges: alarms
// 000-999, status texts 00-99, log entries 1-99, regions 0-9.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "codec/SentenceRecord.h"
#include "ui/MessageTable.h"

namespace navoro {

// A time of day, UTC: the sentence's own time when it carried one, else the
// time the sentence arrived.
struct AlarmTime {
    int Seconds = -1;         // seconds since midnight; -1: none
    bool FromDevice = false;  // the sentence's time (not the arrival time)

    bool Known() const { return Seconds >= 0; }
    bool operator==(const AlarmTime&) const = default;
};

enum class AlarmCondition { Active, Cleared };

struct AlarmEntry {
    int Id = 0;
    std::string DeviceText;  // the transponder's own text, as sent
    AlarmCondition Condition = AlarmCondition::Active;
    bool Acknowledged = false;
    AlarmTime Raised;
    AlarmTime Cleared;  // none while active
};

struct StatusEntry {
    int Id = 0;  // 0: the sentence named none
    std::string DeviceText;
    AlarmTime Received;
};

struct TransmitterLogEntry {
    int Entry = 0;
    DateOfYear OffDate{};  // 0, 0, 0: not given
    TimeOfDay OffTime{24, 60, 60, 0};
    DateOfYear OnDate{};  // not given while the transmitter is still off
    TimeOfDay OnTime{24, 60, 60, 0};
    int Reason = -1;  // 1-5 as the log codes it; -1: not given
};

struct ChannelRegion {
    int Sequence = 0;
    std::optional<AcaRecord> Assignment;  // the ACA of this sequence number
    std::optional<AcsRecord> Source;      // the ACS of this sequence number
};

class AlarmBoard {
  public:
    // Takes a sentence the codec accepted (ALR, TXT, TRL, ACA, ACS; anything
    // else is ignored) that arrived at `arrivalSeconds` (UTC seconds since
    // midnight). True when what the board holds changed.
    bool Take(const SentenceRecord& record, int arrivalSeconds);
    // Forgets everything (a new link: the transponder is asked again).
    void Clear();

    // In order of identifier.
    const std::vector<AlarmEntry>& Alarms() const { return alarms_; }
    const AlarmEntry* FindAlarm(int id) const;
    int ActiveCount() const;
    int UnacknowledgedActiveCount() const;

    const std::vector<StatusEntry>& StatusTexts() const { return status_; }
    // In order of entry number; the total the transponder last announced
    // (-1: none yet).
    const std::vector<TransmitterLogEntry>& TransmitterLog() const { return log_; }
    int TransmitterLogTotal() const { return logTotal_; }
    const std::vector<ChannelRegion>& Regions() const { return regions_; }

    // Moves with every change, for views that redraw only when it moved.
    std::uint64_t Revision() const { return revision_; }

  private:
    bool TakeAlarm(const AlrRecord& r, AlarmTime at);
    bool TakeStatus(const TxtRecord& r, AlarmTime at);
    bool TakeLogEntry(const TrlRecord& r);
    ChannelRegion* Region(char sequence);

    std::vector<AlarmEntry> alarms_;
    std::vector<StatusEntry> status_;
    // The identifier and next sentence number of a multi-sentence text being
    // put together.
    int statusPartsId_ = -1;
    int statusNextPart_ = 0;
    std::vector<TransmitterLogEntry> log_;
    int logTotal_ = -1;
    std::vector<ChannelRegion> regions_;
    std::uint64_t revision_ = 0;
};

// The standard text of an alarm identifier (001 Tx malfunction ...) and of a
// status text identifier (021 external DGNSS in use ...) as message-table
// entries, so the window shows them in its language; nullopt for an
// identifier outside the lists every Class A transponder's manual gives.
std::optional<MessageId> StandardAlarmText(int id);
std::optional<MessageId> StandardStatusText(int id);
// The reason of a log entry (1 power off ... 5 invalid configuration).
std::optional<MessageId> TransmitterOffReasonText(int reason);

// True when the transponder's text says something other than the standard
// English text: compared on letters and digits alone, ignoring case and a
// leading "AIS:" ("AIS: Tx malfunction" is the standard text of 001).
bool DeviceTextDiffers(std::string_view deviceText, std::string_view standardText);

// "002": an identifier as the sentences write it.
std::string FormatAlarmId(int id);
// "12:00:05"; "" for no time.
std::string FormatAlarmTime(const AlarmTime& time);
// "2026-12-01 08:15:00"; "" when neither is given; the date or time alone when
// only one is.
std::string FormatLogTime(const DateOfYear& date, const TimeOfDay& time);

// The query for every alarm's state, and the acknowledgement of an alarm,
// each with its checksum and CR LF.
std::string AlarmQueryBytes();
std::string AlarmAckBytes(int id);

}  // namespace navoro
