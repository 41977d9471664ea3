#include "diagnosis/CustomCommand.h"

#include "codec/Framing.h"

namespace navoro {

std::string CustomCommandBytes(std::string_view typed) {
    std::string bytes(typed.substr(0, kCustomCommandMaxLength));
    bytes += "\r\n";
    return bytes;
}

bool SendCustomCommand(const DiagnosisLink& link, Prompts& prompts, const MessageTable& messages,
                       std::string_view typed) {
    const std::string bytes = CustomCommandBytes(typed);
    if (link.WritePort && link.WritePort(bytes.data(), static_cast<int>(bytes.size()))) return true;
    if (link.ConnectionActive && link.ConnectionActive() && link.ToggleConnection)
        link.ToggleConnection();
    prompts.ShowError(messages.Text(MessageId::Error), messages.Text(MessageId::PortOpenError));
    return false;
}

std::string StatusRequestBytes() {
    char text[32] = "$PTST,,,,,00017";
    AppendChecksum(text);
    return text;
}

void SendStatusQuery(const DiagnosisLink& link) {
    if (link.SendQueries) {
        link.SendQueries(1);
        return;
    }
    if (!link.WritePort) return;
    const std::string bytes = StatusRequestBytes();
    link.WritePort(bytes.data(), static_cast<int>(bytes.size()));
}

}  // namespace navoro
