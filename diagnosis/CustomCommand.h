#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "diagnosis/DiagnosisLink.h"
#include "ui/MessageTable.h"
#include "ui/Prompts.h"

namespace navoro {

// The longest command the command box takes.
inline constexpr std::size_t kCustomCommandMaxLength = 84;

// The bytes a typed command is sent as: the text as typed (at most 84
// characters, nothing added, nothing trimmed) followed by CR LF.
std::string CustomCommandBytes(std::string_view typed);

// Sends a typed command with the raw port write. When the write fails (no
// port open, say), a port that is connecting or connected is disconnected and
// the port-open error is shown, in either connection mode. True when sent.
bool SendCustomCommand(const DiagnosisLink& link, Prompts& prompts, const MessageTable& messages,
                       std::string_view typed);

// The status request "$PTST,,,,,00017" with its checksum and CR LF.
std::string StatusRequestBytes();

// Query set 1 through the link: its SendQueries, or the status request
// written with WritePort when the link has no SendQueries.
void SendStatusQuery(const DiagnosisLink& link);

}  // namespace navoro
