#pragma once

// The serial-port operations the connection manager and the send path use,
// so that both can be driven by a scripted port in tests. CommPort adapts the
// real component (TComm).

#include <string>

#include "link/Comm.h"

namespace navoro {

class ConnectionPort {
  public:
    virtual ~ConnectionPort() = default;

    virtual bool IsOpen() const = 0;
    // Opens DeviceName at BaudRate. A device that cannot be opened leaves the
    // port closed (LastOpenError says why); ECommError for the failures the
    // component raises.
    virtual void Open() = 0;
    virtual void Close() = 0;
    virtual std::string DeviceName() const = 0;
    // Ignored while open.
    virtual void SetDeviceName(const std::string& path) = 0;
    virtual TBaudRate BaudRate() const = 0;
    // Applied at once when open; ECommError when the device refuses it.
    virtual void SetBaudRate(TBaudRate rate) = 0;
    // The number of bytes written; -1 when closed.
    virtual int Write(const char* bytes, int length) = 0;
    // Why the last Open left the port closed.
    virtual std::string LastOpenError() const = 0;
    // The error number of the open device's last failed call (0: none known).
    virtual int LastDeviceError() const { return 0; }
};

class CommPort : public ConnectionPort {
  public:
    explicit CommPort(TComm& comm) : comm_(comm) {}

    bool IsOpen() const override { return comm_.IsOpen(); }
    void Open() override { comm_.Open(); }
    void Close() override { comm_.Close(); }
    std::string DeviceName() const override { return comm_.DeviceName(); }
    void SetDeviceName(const std::string& path) override { comm_.SetDeviceName(path); }
    TBaudRate BaudRate() const override { return comm_.BaudRate(); }
    void SetBaudRate(TBaudRate rate) override { comm_.SetBaudRate(rate); }
    int Write(const char* bytes, int length) override { return comm_.Write(bytes, length); }
    std::string LastOpenError() const override { return comm_.LastOpenError(); }
    int LastDeviceError() const override { return comm_.LastDeviceError(); }

  private:
    TComm& comm_;
};

}  // namespace navoro
