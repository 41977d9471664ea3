#include "link/DeviceSession.h"

#include <algorithm>

namespace navoro {

DeviceSession::DeviceSession(ConnectionHost& view, PortSource& ports, EventExecutor& executor,
                             SerialPort::DeviceFactory factory)
    : codec_(std::make_unique<Codec>()),
      port_(executor, std::move(factory)),
      lists_(ports),
      manager_(view, port_, lists_, *codec_),
      assembler_(*this) {
    port_.OnDataWaiting = [this](std::uint32_t queued) { DataWaiting(queued); };
    // A hang-up (unplugged adapter, closed pseudo-terminal) ends the reader.
    port_.OnHangUp = [this] { manager_.PortHungUp(); };
    lists_.IsConnected = [this] { return manager_.Linked(); };
    lists_.ConnectedPort = [this] { return port_.DevicePath(); };
    lists_.OnConnectedPortGone = [this] { manager_.ConnectedPortGone(); };
    manager_.OnReset = [this] {
        for (SessionListener* listener : listeners_)
            listener->ConnectionReset();
    };
    manager_.OnLinked = [this] {
        for (SessionListener* listener : listeners_)
            listener->Linked();
    };
}

DeviceSession::~DeviceSession() {
    port_.Close();
}

void DeviceSession::Subscribe(SessionListener& listener) {
    if (std::find(listeners_.begin(), listeners_.end(), &listener) == listeners_.end())
        listeners_.push_back(&listener);
}

void DeviceSession::Unsubscribe(SessionListener& listener) {
    std::erase(listeners_, &listener);
}

bool DeviceSession::Send(std::string_view line) {
    return manager_.Send().WritePort(line.data(), static_cast<int>(line.size()));
}

bool DeviceSession::SendText(std::string_view text) {
    std::string buffer(text);
    buffer.resize(text.size() + SendPath::kChecksumTailSize + 1, '\0');
    return manager_.Send().SendText(buffer.data(), buffer.size());
}

void DeviceSession::Feed(std::string_view bytes) {
    assembler_.Feed(bytes);
}

void DeviceSession::DataWaiting(std::uint32_t queued) {
    const int count = static_cast<int>(std::min<std::uint32_t>(queued, 1u << 30));
    assembler_.Receive(
        [this](char* buffer, int size) {
            const int read = port_.Read(buffer, size);
            if (read > 0) manager_.BytesReceived(static_cast<std::size_t>(read));
            return read;
        },
        count);
}

bool DeviceSession::LogEnabled() const {
    return std::any_of(listeners_.begin(), listeners_.end(),
                       [](const SessionListener* l) { return l->WantsRawLines(); });
}

void DeviceSession::LogLine(std::string_view line) {
    for (SessionListener* listener : listeners_) {
        if (listener->WantsRawLines()) listener->RawLine(line);
    }
}

void DeviceSession::RouteLine(char* line) {
    const SentenceKind kind = AcceptLine(*codec_, line);
    if (kind == SentenceKind::Rejected) return;
    for (SessionListener* listener : listeners_)
        listener->SentenceAccepted(kind, *codec_);
}

void DeviceSession::CollectDeviceInfo(char* line) {
    const std::string_view text(line);
    for (SessionListener* listener : listeners_)
        listener->LineReceived(text);
}

}  // namespace navoro
