#pragma once

// The input rules of the configuration writes and the sentence texts they
// send, as plain functions of plain values (no Qt, no codec state).

#include <array>
#include <climits>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "config/tabs/DbgPairs.h"

namespace navoro {

// ---- texts the transponder keeps -------------------------------------------

// A ship's name, call sign, destination or MOB name: AIS six-bit characters
// (the space to '_') without those a sentence reserves (! $ * , \ ^), so it
// arrives as typed and is stored as sent.
bool IsDeviceText(std::string_view text);
// For the messages: the characters IsDeviceText allows besides capital
// letters, digits and the space.
inline constexpr const char* kDeviceTextPunctuation = "\" # % & ' ( ) + - . / : ; < = > ? @ [ ] _";

// A grid text as it is written: its first `max` characters in upper case.
std::string GridText(std::string_view text, std::size_t max);

// ---- typing -------------------------------------------------------------------

// What a key typed into a destination or MOB grid cell puts there: the space
// to '`' pass (but '*' becomes '?'), a lower-case letter becomes its capital,
// backspace (8) passes, anything else becomes '?'.
char GridKeyPress(char32_t typed);

// The encryption code takes letters and digits only.
bool IsEncryptionKeyCharacter(char32_t typed);

// ---- numbers as typed -----------------------------------------------------

// A field of digits only ("000123456"): its value; nothing when it holds no
// digit or anything else (spaces around it are allowed).
std::optional<std::int64_t> DigitsValue(std::string_view text);

// A decimal number as typed: an optional sign, digits with at most one point,
// at least one digit, spaces around it allowed ("12.5", "3", ".5", "-1").
std::optional<double> DecimalValue(std::string_view text);

// A decimal number with at most one decimal, exactly, in tenths: "2.5" 25,
// "12" 120, ".5" 5; nothing for anything else ("9.15", "1a", "", "-1").
std::optional<int> ExactTenths(std::string_view text);

// A masked decimal field ("09.9", blanks as spaces: " 2.5", "12. ") in tenths,
// digits after the first decimal discarded: "12.3" gives 123, "2.5" 25, "7"
// 70. Blanks inside are dropped. Nothing when it holds no digit, or anything
// but digits, one point and blanks. Exact: no binary fraction is involved.
std::optional<int> MaskedTenths(std::string_view text);

// ---- sentence texts (without checksum) -------------------------------------

// "$PLMO,C,BAU,<port>,<rate>"
std::string BauCommand(int port, int rate);

// "$PLMO,C,DBG,<id>,<value>,..." for four pairs, codes without leading zeros;
// a value of kDbgValueEmpty is an empty field.
std::string DbgCommand(const std::array<DbgPair, 4>& pairs);

// The DBG encryption-on command (on) or encryption-off command (off), the
// other pairs empty.
std::string EncryptionCommand(bool on);

struct ClrCommandValues {
    bool Manual = false;                   // response: Automatic or Manual
    std::array<bool, 10> FunctionReply{};  // items A, B, C, E, F, I, O, P, U, W
    bool Message27 = false;
    std::string ChannelA, ChannelB;  // as typed
};
// "$AICLR,<0|1>,<ten 0/1>,<0|1>,<channel A>,<channel B>"
std::string ClrCommand(const ClrCommandValues& values);

// "$PLMO,C,DES,<row>,<text>" (an empty text clears the row).
std::string DesCommand(int row, std::string_view text);
// "$PLMO,C,MBL,<MMSI as nine digits>,<name>"
std::string MblCommand(std::uint32_t mmsi, std::string_view name);

// Each character's code as two upper-case hexadecimal digits: "AB" -> "4142".
std::string HexDigits(std::string_view code);
// "$AICEK,1,1,,<MMSI as nine digits>,<code as hexadecimal digits>,C"
std::string CekCommand(std::int32_t mmsi, std::string_view code);

// The inland dimensions in metres: ship length and beam, internal B and C,
// external B and C; nothing where the field shows no value.
struct InlandMetres {
    std::optional<double> Length, Beam, InternalB, InternalC, ExternalB, ExternalC;
};
// "$PIWWSSD,,,<length>,<beam>,,,,<int B>,<int C>,<ext B>,<ext C>", each "%04.1f"
// or an empty field where there is no value (the device keeps its own).
std::string InlandSsdCommand(const InlandMetres& metres);

// ---- the maintenance dialog ---------------------------------------------------

inline constexpr long kMaintenanceCode = 61528037;
// The field's text read by the atol rules (leading digits, 0 when none) is the
// maintenance code.
bool IsMaintenanceCode(std::string_view text);

// The maintenance dialog's field takes up to 16 characters.
inline constexpr std::size_t kSerialNumberSentenceMax = 16;
// A serial number takes printable ASCII except , * $ ! \ ^ (they would break
// the sentence); control characters and anything beyond ASCII are refused.
bool IsSerialNumberCharacter(char32_t typed);
// The sentence that writes a new product serial number: "$PTPS,1,<serial>"
// with "*" and its checksum, without the line end. Nothing for an empty text,
// one longer than 16 characters, or one with a character IsSerialNumberCharacter
// refuses.
std::optional<std::string> SerialNumberSentence(std::string_view serial);

}  // namespace navoro
