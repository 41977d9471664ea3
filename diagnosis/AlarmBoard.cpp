#include "diagnosis/AlarmBoard.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>

#include "codec/Composer.h"

namespace navoro {

namespace {

// The alarm and status identifiers every Class A transponder's manual lists
// with the same meaning: the integrity alarms (ALR) and sensor status texts
// (TXT) as the alarm tables of public installation and operator manuals of
// Class A transponders give them ("Monitoring of system functions and
// integrity", "Alarm codes", "Text messages"), which agree on identifier and
// text. Identifiers a maker adds beyond these (051 and up) are shown with the
// transponder's own text.
struct StandardText {
    int Id;
    MessageId Text;
};

constexpr StandardText kAlarmTexts[] = {
    {1, MessageId::Alarm001},  {2, MessageId::Alarm002},  {3, MessageId::Alarm003},
    {4, MessageId::Alarm004},  {5, MessageId::Alarm005},  {6, MessageId::Alarm006},
    {7, MessageId::Alarm007},  {8, MessageId::Alarm008},  {9, MessageId::Alarm009},
    {10, MessageId::Alarm010}, {11, MessageId::Alarm011}, {14, MessageId::Alarm014},
    {25, MessageId::Alarm025}, {26, MessageId::Alarm026}, {29, MessageId::Alarm029},
    {30, MessageId::Alarm030}, {32, MessageId::Alarm032}, {35, MessageId::Alarm035},
};

constexpr StandardText kStatusTexts[] = {
    {21, MessageId::Status021}, {22, MessageId::Status022}, {23, MessageId::Status023},
    {24, MessageId::Status024}, {25, MessageId::Status025}, {27, MessageId::Status027},
    {28, MessageId::Status028}, {31, MessageId::Status031}, {33, MessageId::Status033},
    {34, MessageId::Status034}, {36, MessageId::Status036},
};

constexpr StandardText kReasonTexts[] = {
    {1, MessageId::TxOffReason1}, {2, MessageId::TxOffReason2}, {3, MessageId::TxOffReason3},
    {4, MessageId::TxOffReason4}, {5, MessageId::TxOffReason5},
};

template <std::size_t N>
std::optional<MessageId> Lookup(const StandardText (&table)[N], int id) {
    for (const StandardText& entry : table)
        if (entry.Id == id) return entry.Text;
    return std::nullopt;
}

// The sentence's own time when it has one, else the arrival time.
AlarmTime TimeOf(const TimeOfDay& time, int arrivalSeconds) {
    if (time.Hour < 24 && time.Minute < 60 && time.Second < 60)
        return {time.Hour * 3600 + time.Minute * 60 + time.Second, true};
    return {arrivalSeconds >= 0 ? arrivalSeconds % 86400 : -1, false};
}

// A text field as received: a blank field stays " "; that is no text.
std::string TextOf(const char* text, std::size_t size) {
    std::string s(text, strnlen(text, size));
    if (s.find_first_not_of(' ') == std::string::npos) return {};
    return s;
}

// The letters and digits of a text in lower case, without a leading "AIS:".
std::string Essence(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    if (text.size() - start >= 4 && (text[start] == 'A' || text[start] == 'a') &&
        (text[start + 1] == 'I' || text[start + 1] == 'i') &&
        (text[start + 2] == 'S' || text[start + 2] == 's') && text[start + 3] == ':')
        start += 4;
    std::string essence;
    for (std::size_t i = start; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (std::isalnum(c)) essence += static_cast<char>(std::tolower(c));
    }
    return essence;
}

// The status text of an identifier, added in order when it is new.
StatusEntry& StatusSlot(std::vector<StatusEntry>& entries, int id) {
    auto it = std::lower_bound(entries.begin(), entries.end(), id,
                               [](const StatusEntry& e, int key) { return e.Id < key; });
    if (it == entries.end() || it->Id != id) {
        it = entries.insert(it, StatusEntry{});
        it->Id = id;
    }
    return *it;
}

}  // namespace

bool AlarmBoard::Take(const SentenceRecord& record, int arrivalSeconds) {
    const char* f = record.Header.Formatter;
    bool changed = false;
    if (std::strcmp(f, "ALR") == 0) {
        changed = TakeAlarm(record.Alr, TimeOf(record.Alr.Time, arrivalSeconds));
    } else if (std::strcmp(f, "TXT") == 0) {
        changed = TakeStatus(record.Txt, TimeOf(TimeOfDay{24, 60, 60, 0}, arrivalSeconds));
    } else if (std::strcmp(f, "TRL") == 0) {
        changed = TakeLogEntry(record.Trl);
    } else if (std::strcmp(f, "ACA") == 0) {
        if (ChannelRegion* region = Region(record.Aca.Sequence)) {
            region->Assignment = record.Aca;
            changed = true;
        }
    } else if (std::strcmp(f, "ACS") == 0) {
        if (ChannelRegion* region = Region(record.Acs.Sequence)) {
            region->Source = record.Acs;
            changed = true;
        }
    }
    if (changed) ++revision_;
    return changed;
}

void AlarmBoard::Clear() {
    alarms_.clear();
    status_.clear();
    statusPartsId_ = -1;
    statusNextPart_ = 0;
    log_.clear();
    logTotal_ = -1;
    regions_.clear();
    ++revision_;
}

bool AlarmBoard::TakeAlarm(const AlrRecord& r, AlarmTime at) {
    // The identifier has three digits; anything else names no alarm.
    if (r.AlarmId < 0 || r.AlarmId > 999) return false;
    const bool active = r.Condition == 'A';
    if (!active && r.Condition != 'V') return false;
    const bool acknowledged = r.AckState == 'A';
    const std::string text = TextOf(r.Text, sizeof r.Text);
    auto it = std::lower_bound(alarms_.begin(), alarms_.end(), static_cast<int>(r.AlarmId),
                               [](const AlarmEntry& e, int key) { return e.Id < key; });
    const bool known = it != alarms_.end() && it->Id == r.AlarmId;
    // A "not exceeded" report of an alarm never seen raised is the normal
    // state many transponders repeat for every alarm: nothing to show.
    if (!known && !active) return false;
    if (!known) it = alarms_.insert(it, AlarmEntry{r.AlarmId, {}, {}, false, {}, {}});
    AlarmEntry before = *it;
    AlarmEntry& e = *it;
    if (active && (!known || e.Condition == AlarmCondition::Cleared)) {
        // Raised, or raised again after it cleared.
        e.Condition = AlarmCondition::Active;
        e.Raised = at;
        e.Cleared = {};
    } else if (!active && e.Condition == AlarmCondition::Active) {
        e.Condition = AlarmCondition::Cleared;
        e.Cleared = at;
    }
    e.Acknowledged = acknowledged;
    if (!text.empty()) e.DeviceText = text;
    return !known || before.Condition != e.Condition || before.Acknowledged != e.Acknowledged ||
           before.DeviceText != e.DeviceText || before.Raised != e.Raised ||
           before.Cleared != e.Cleared;
}

bool AlarmBoard::TakeStatus(const TxtRecord& r, AlarmTime at) {
    const int id = r.TextId == kBlankByte ? 0 : r.TextId;
    const std::string part = TextOf(r.Text, sizeof r.Text);
    const int number = r.Number == kBlankByte ? 1 : r.Number;
    const int total = r.Total == kBlankByte ? 1 : r.Total;
    StatusEntry& e = StatusSlot(status_, id);
    // The parts of a text of several sentences are joined in order; a part
    // out of order starts the text afresh.
    if (number > 1 && statusPartsId_ == id && statusNextPart_ == number) {
        e.DeviceText += part;
    } else {
        e.DeviceText = part;
    }
    statusPartsId_ = number < total ? id : -1;
    statusNextPart_ = number + 1;
    e.Received = at;
    return true;
}

bool AlarmBoard::TakeLogEntry(const TrlRecord& r) {
    if (r.Total != kBlankByte) {
        logTotal_ = r.Total;
        // The transponder's log holds no more than it announces.
        std::erase_if(log_, [&](const TransmitterLogEntry& e) { return e.Entry > r.Total; });
    }
    if (r.Entry == kBlankByte) return true;
    auto it = std::lower_bound(log_.begin(), log_.end(), static_cast<int>(r.Entry),
                               [](const TransmitterLogEntry& e, int key) { return e.Entry < key; });
    if (it == log_.end() || it->Entry != r.Entry) it = log_.insert(it, TransmitterLogEntry{});
    TransmitterLogEntry& e = *it;
    e.Entry = r.Entry;
    e.OffDate = r.OffDate;
    e.OffTime = r.OffTime;
    e.OnDate = r.OnDate;
    e.OnTime = r.OnTime;
    e.Reason = r.Reason == kBlankByte ? -1 : r.Reason;
    return true;
}

ChannelRegion* AlarmBoard::Region(char sequence) {
    if (!IsDigit(sequence)) return nullptr;
    const int number = sequence - '0';
    auto it = std::lower_bound(regions_.begin(), regions_.end(), number,
                               [](const ChannelRegion& r, int key) { return r.Sequence < key; });
    if (it == regions_.end() || it->Sequence != number) {
        it = regions_.insert(it, ChannelRegion{});
        it->Sequence = number;
    }
    return &*it;
}

const AlarmEntry* AlarmBoard::FindAlarm(int id) const {
    for (const AlarmEntry& e : alarms_)
        if (e.Id == id) return &e;
    return nullptr;
}

int AlarmBoard::ActiveCount() const {
    return static_cast<int>(std::count_if(alarms_.begin(), alarms_.end(), [](const AlarmEntry& e) {
        return e.Condition == AlarmCondition::Active;
    }));
}

int AlarmBoard::UnacknowledgedActiveCount() const {
    return static_cast<int>(std::count_if(alarms_.begin(), alarms_.end(), [](const AlarmEntry& e) {
        return e.Condition == AlarmCondition::Active && !e.Acknowledged;
    }));
}

std::optional<MessageId> StandardAlarmText(int id) {
    return Lookup(kAlarmTexts, id);
}

std::optional<MessageId> StandardStatusText(int id) {
    return Lookup(kStatusTexts, id);
}

std::optional<MessageId> TransmitterOffReasonText(int reason) {
    return Lookup(kReasonTexts, reason);
}

bool DeviceTextDiffers(std::string_view deviceText, std::string_view standardText) {
    if (deviceText.empty()) return false;
    return Essence(deviceText) != Essence(standardText);
}

std::string FormatAlarmId(int id) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%03d", id);
    return buffer;
}

std::string FormatAlarmTime(const AlarmTime& time) {
    if (!time.Known()) return {};
    char buffer[16];
    const int s = time.Seconds % 86400;
    std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", s / 3600, s / 60 % 60, s % 60);
    return buffer;
}

std::string FormatLogTime(const DateOfYear& date, const TimeOfDay& time) {
    char buffer[32];
    std::string text;
    if (date.Month != 0 && date.Day != 0) {
        std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", date.Year, date.Month, date.Day);
        text = buffer;
    }
    if (time.Hour < 24 && time.Minute < 60 && time.Second < 60) {
        std::snprintf(buffer, sizeof buffer, "%02d:%02d:%02d", time.Hour, time.Minute, time.Second);
        if (!text.empty()) text += ' ';
        text += buffer;
    }
    return text;
}

std::string AlarmQueryBytes() {
    char buffer[kComposeBufferSize];
    return ComposeQuery(buffer, sizeof buffer, "ALR") ? buffer : "";
}

std::string AlarmAckBytes(int id) {
    char buffer[kComposeBufferSize];
    if (id < 0 || id > 999) return {};
    return FormatSentence(buffer, sizeof buffer, "$ECACK,%03d", id) ? buffer : "";
}

}  // namespace navoro
