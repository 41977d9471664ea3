#pragma once

// The configuration writes as plans: each tab's values, read from its controls
// into a plain input, are checked and turned into the steps of the write (the
// sentences in order, the waits between them, the waiting window's steps)
// before anything is sent. A value that breaks a rule gives a problem instead
// (its message and the control or grid cell to select), and then nothing at
// all is sent. RunWritePlan sends a plan and stops at the first send that
// fails.
//
//   input -> PlanXxxWrite -> WritePlan | WriteProblem
//   WritePlan -> RunWritePlan(codec, plan, link) -> WriteResult

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "codec/Codec.h"
#include "config/ConfigTables.h"
#include "config/WriteRules.h"

namespace navoro {

// ---- what the composed sentences take from the codec's stores -----------------

struct MidValues {  // ProprietaryStore: Mmsi, Imo
    std::uint32_t Mmsi, Imo;
};
struct SsdValues {  // AisStore: CallSign, Name, DimA-DimD, Source (Dte as last received)
    std::string CallSign, Name;
    std::array<int, 4> Dims;
    std::string Source;  // "AI" internal antenna, "GP" external
};
struct VsdValues {  // AisStore: the voyage members
    int ShipType;
    float Draught;
    int PersonsOnBoard;
    std::string Destination;
    int EtaHour, EtaMinute, EtaDay, EtaMonth;
    int NavStatus;  // -1: none selected (sent empty)
};
struct DbgValues {  // ProprietaryStore: the four pairs and DbgMode
    std::array<DbgPair, 4> Pairs;
    char Mode = 0;
};
using StoreValues = std::variant<MidValues, SsdValues, VsdValues, DbgValues>;

// An unused DBG pair: code 999 and the smallest 32-bit value, printed empty.
inline constexpr DbgPair kEmptyDbgPair{999, INT32_MIN};
// The pairs (id, value) followed by empty ones.
DbgValues DbgPairs(std::initializer_list<DbgPair> pairs);

// Puts the values into the stores the composers read.
void PutIntoStores(Codec& codec, const StoreValues& values);

// ---- plans ----------------------------------------------------------------------

struct WriteStep {
    enum class Kind { Send, Wait, Advance };
    Kind What = Kind::Send;
    // Send: these go into the stores first (when given).
    std::optional<StoreValues> Values;
    // Send: composed by the codec when Formatter is set ("P"/"MID",
    // "EC"/"SSD"), otherwise Text is sent with its checksum appended.
    std::string Talker, Formatter;
    std::string Text;
    // Wait: how long.
    int Milliseconds = 0;
};

struct WritePlan {
    std::vector<WriteStep> Steps;
    // Above 0: the waiting window shows "Setting Data. Please wait..." in
    // stepped mode with this maximum while the plan runs.
    int ProgressMax = 0;
    int Sentences() const;
};

struct WriteProblem {
    std::string Message;
    std::string Control;  // the objectName of the control to select
    int Row = -1;         // and, in a grid, the cell
    int Column = -1;
};

using WriteCheck = std::variant<WritePlan, WriteProblem>;

// ---- each tab's input and plan ---------------------------------------------

// SHIP DATA: MID, SSD for the internal antenna, SSD for the external one and,
// in inland mode, the inland SSD line between two waits of 600 ms.
// A spin box that shows "N/A" (the transponder's value did not fit it) reads
// as -1 here, and its field goes out empty: the transponder keeps its value.
struct ShipDataInput {
    std::string Mmsi, Imo;  // the masked fields' texts
    std::string Name, CallSign;
    std::array<int, 4> Internal{}, External{};  // A, B, C, D
    bool Inland = false;
    // Length, beam, internal B, internal C, external B, external C as shown.
    std::array<std::string, 6> InlandTexts;
};
WriteCheck PlanShipDataWrite(const ShipDataInput& in);

// VOYAGE: one VSD.
struct VoyageInput {
    int ShipTypeRow = -1;  // the selected row of the ship-type table
    std::string Draught;
    int PersonsOnBoard = 0;  // -1: N/A
    std::string Destination;
    int Month = 0, Day = 0, Hour = 0, Minute = 0;  // -1: N/A (hour or minute: no ETA time)
    int NavStatus = -1;                            // -1: none selected (sent empty)
};
WriteCheck PlanVoyageWrite(const VoyageInput& in);

// CPA: one DBG command with the CPA distance, TCPA and alarm codes. A TCPA outside 0-99 sends
// nothing (an empty plan).
struct CpaInput {
    std::string Cpa;     // "09.9"
    int Tcpa = 0;        // -1: N/A, as outside 0-99
    int AlarmIndex = 0;  // 0 ON, 1 OFF
};
WriteCheck PlanCpaWrite(const CpaInput& in);

// TRANSCEIVER: one $PLMO,C,DBG text with the AIS TX, DSC RX, GPS antenna
// voltage and device instance codes.
struct TransceiverInput {
    int AisTxIndex = 0;       // 0 ON, 1 OFF
    int DscRxIndex = 0;       // 0 ON, 1 OFF
    int GpsVoltageIndex = 0;  // 0 3.3V, 1 5V
    std::string DeviceInstance;
};
WriteCheck PlanTransceiverWrite(const TransceiverInput& in);

// BAUD RATE: eight BAU commands 100 ms apart, the DBG rate-changed command, then waits of
// 300, 300, 300 and 600 ms; twelve steps of the waiting window.
struct BaudRateInput {
    std::array<int, 8> Selected{};  // each box's item, in the order of kBaudBoxes
};
WriteCheck PlanBaudRateWrite(const BaudRateInput& in);

// LR: one CLR.
WriteCheck PlanLongRangeWrite(const LongRangeSettings& in);

// DESTINATION: ten DES commands, each after 100 ms, empty rows included.
struct DestinationInput {
    std::array<std::string, kDestinationRows> Rows;  // already cut and in upper case
};
WriteCheck PlanDestinationWrite(const DestinationInput& in);

// AIS MOB: an MBL command for each filled row (an MMSI), each row after
// 100 ms, fifty steps of the waiting window.
struct MobRow {
    std::string Mmsi, Name;  // the name already cut and in upper case
};
struct MobInput {
    std::array<MobRow, kMobRows> Rows;
};
WriteCheck PlanMobWrite(const MobInput& in);

// ENCRYPTION: the DBG encryption-on command and the CEK for the code,
// or the encryption-off command.
struct EncryptionInput {
    bool Enabled = false;
    std::string Code;
    std::int32_t SnapshotMmsi = 0;  // the MMSI of the information dump
};
WriteCheck PlanEncryptionWrite(const EncryptionInput& in);

// The messages of the MOB list's rules.
inline constexpr const char* kMobMmsiMessage = "Please key in correctly AIS MOB MMSI (972xxxxxx)";
inline constexpr const char* kMobDuplicateMessage =
    "MMSI number is the same, please change the MMSI";

// ---- sending a plan -----------------------------------------------------------

// How a composed sentence went: sent; not sent; or not sent and the send path
// has already told the user (and disconnected).
enum class SendResult { Sent, Failed, FailedReported };

struct WriteLink {
    std::function<SendResult(const char* talker, const char* formatter)> SendSentence;
    // Appends the checksum and line end; true when it was written.
    std::function<bool(const char* text)> SendSentenceText;
    std::function<void(int milliseconds)> Sleep;
    std::function<void()> Advance;  // one step of the waiting window
};

struct WriteResult {
    bool Completed = false;   // every sentence was sent
    bool Unsendable = false;  // nothing was sent: a sentence could not be built
    int Sent = 0;             // sentences sent
    int Total = 0;            // sentences in the plan
    bool Reported = false;    // the send path has already shown the failure
};

// Checks that every sentence of the plan can be built (the stores are left as
// they were), then runs its steps in order and stops at the first failed send.
WriteResult RunWritePlan(Codec& codec, const WritePlan& plan, const WriteLink& link);

}  // namespace navoro
