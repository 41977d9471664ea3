#pragma once

// One transponder connection: the serial port, the connection manager, the
// assembly of received lines, the codec context and the routing of what
// comes in. The window and navoro-config each run one. It keeps no Qt object:
// the port's events reach the owning thread through the executor, and the
// connection's controls, timers and boxes through the host.
//
// What comes in flows one way, from the port up to whoever subscribed:
//
//   port -> line assembly -> every line to the data log (SessionListener::RawLine)
//                         -> the codec (RouteSentence) -> SentenceAccepted(kind, codec)
//                         -> the connection's handshake
//                         -> LineReceived(line)   (the information dump's reader)
//
// and what goes out flows the other way: Send(line) writes a sentence line
// to the port.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "codec/Codec.h"
#include "link/ConnectionManager.h"
#include "link/EventExecutor.h"
#include "link/LineAssembler.h"
#include "link/PortLists.h"
#include "link/PortSource.h"
#include "link/SentenceDispatch.h"
#include "link/SerialPort.h"

namespace navoro {

// What a part of the program hears from the session; it overrides what it needs.
class SessionListener {
  public:
    virtual ~SessionListener() = default;
    // Every complete line as it came, without CR LF, over-long ones included,
    // while WantsRawLines() holds (the data log).
    virtual bool WantsRawLines() const { return false; }
    virtual void RawLine(std::string_view /*line*/) {}
    // A sentence the codec accepted: codec.Received holds it parsed and its
    // group store its values.
    virtual void SentenceAccepted(SentenceKind /*kind*/, Codec& /*codec*/) {}
    // Every line of at most 82 characters, "...\r\n" (the information dump).
    virtual void LineReceived(std::string_view /*line*/) {}
    // The handshake succeeded: the transponder's information dump has come.
    virtual void Linked() {}
    // A new attempt begins or the link was dropped.
    virtual void ConnectionReset() {}
};

class DeviceSession : private LineSink {
  public:
    // `view` shows the connection (the window's connection group, or nothing
    // on the command line); `ports` lists the serial ports; the port's events
    // reach this thread through `executor`. All must outlive the session.
    DeviceSession(ConnectionHost& view, PortSource& ports, EventExecutor& executor,
                  SerialPort::DeviceFactory factory = {});
    ~DeviceSession() override;
    DeviceSession(const DeviceSession&) = delete;
    DeviceSession& operator=(const DeviceSession&) = delete;

    // Listeners hear in the order they subscribed.
    void Subscribe(SessionListener& listener);
    void Unsubscribe(SessionListener& listener);

    Codec& codec() { return *codec_; }
    SerialPort& Port() { return port_; }
    PortLists& Lists() { return lists_; }
    ConnectionManager& Connection() { return manager_; }

    // Writes a sentence line (with its checksum and line end); true when the
    // port is open and took it. Nothing else happens when it did not.
    bool Send(std::string_view line);
    // A sentence text without checksum ("$AIAIQ,SSD"): the checksum and line
    // end appended, then sent.
    bool SendText(std::string_view text);
    // Bytes that did not come from the port (a replayed capture), into the
    // receive path as if they had.
    void Feed(std::string_view bytes);

  private:
    // LineSink: the assembled lines.
    bool LogEnabled() const override;
    void LogLine(std::string_view line) override;
    void RouteLine(char* line) override;
    void CheckHandshake(char* line) override { manager_.TakeHandshakeLine(line); }
    void CollectDeviceInfo(char* line) override;

    void DataWaiting(std::uint32_t queued);

    std::unique_ptr<Codec> codec_;
    std::vector<SessionListener*> listeners_;
    SerialPort port_;
    PortLists lists_;
    ConnectionManager manager_;
    LineAssembler assembler_;
};

}  // namespace navoro
