#pragma once

// The serial-port component.
//
//   TComm comm(executor);               // executor: see link/EventExecutor.h
//   comm.SetDeviceName("/dev/ttyUSB0");
//   comm.SetBaudRate(br115200);
//   comm.OnRxChar = [&](TComm* sender, std::uint32_t count) { ... sender->Read(buf, n) ... };
//   comm.Open();                        // ECommError for the failures below; a port that
//   if (!comm.IsOpen()) ...             // cannot be opened just stays closed:
//   comm.LastOpenError()                // then says why (busy and by whom, permission, ...)
//   comm.Write(bytes, length);
//   comm.Close();
//
// The reader waits only for the monitored events (MonitorEvents) that a handler
// was bound to when the port opened: the device samples its modem lines and
// error counters only for those (OnComStatEvent counts for every event).
//
// Threads: every operation and every handler belongs to one owning thread (the
// GUI thread). While open, a reader thread waits for port events and hands each
// one to the owning thread through the executor, then waits until the handlers
// have run, so that no two events are handled at once. Close (also from inside a
// handler) gives up a pending hand-off, joins the reader, closes the device, and
// guarantees that no handler runs again until the next Open. The executor must
// outlive the component. Do not destroy the component from inside its own handler.
//
// Open raises ECommError (what() is the message text, Code() the error number)
// for: an already open port, line settings the device refuses, queue sizes that
// cannot be requested. The other failures of opening the device leave the
// component closed without an exception.

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>

#include "link/EventExecutor.h"
#include "link/SerialDevice.h"

namespace navoro {

enum TBaudRate : std::uint8_t {
    br110,
    br300,
    br600,
    br1200,
    br2400,
    br4800,
    br9600,
    br14400,
    br19200,
    br38400,
    br56000,
    br57600,
    br115200,
    br128000,
    br256000
};
enum TParity : std::uint8_t { paNone, paOdd, paEven, paMark, paSpace };
enum TStopBits : std::uint8_t { sb10, sb15, sb20 };
enum TDataBits : std::uint8_t { da4, da5, da6, da7, da8 };
enum TFlowControl : std::uint8_t { fcNone, fcCTS, fcDTR, fcSoftware, fcDefault };
enum TCommOption : std::uint8_t {
    coParityCheck,
    coDsrSensitivity,
    coIgnoreXOff,
    coErrorChar,
    coNullStrip
};
enum TCommEventType : std::uint8_t {
    evBreak,
    evCts,
    evDsr,
    evError,
    evRing,
    evRlsd,
    evRxChar,
    evRxFlag,
    evTxEmpty
};

// The rate of each TBaudRate in bit/s, by ordinal.
inline constexpr std::uint32_t kBaudRateValues[] = {110,   300,   600,    1200,   2400,
                                                    4800,  9600,  14400,  19200,  38400,
                                                    56000, 57600, 115200, 128000, 256000};
// The event mask of each TCommEventType, by ordinal.
inline constexpr std::uint32_t kCommEventMasks[] = {
    EV_BREAK, EV_CTS, EV_DSR, EV_ERR, EV_RING, EV_RLSD, EV_RXCHAR, EV_RXFLAG, EV_TXEMPTY};

// A set of enumeration values.
template <typename E>
class TSet {
  public:
    constexpr TSet() = default;
    constexpr TSet(std::initializer_list<E> items) {
        for (E item : items)
            bits_ |= Bit(item);
    }
    constexpr bool Contains(E item) const { return (bits_ & Bit(item)) != 0; }
    constexpr TSet& Include(E item) {
        bits_ |= Bit(item);
        return *this;
    }
    constexpr TSet& Exclude(E item) {
        bits_ &= ~Bit(item);
        return *this;
    }
    constexpr bool Empty() const { return bits_ == 0; }
    constexpr bool operator==(const TSet&) const = default;

  private:
    static constexpr std::uint32_t Bit(E item) { return 1u << static_cast<unsigned>(item); }
    std::uint32_t bits_ = 0;
};
using TCommEventTypes = TSet<TCommEventType>;
using TCommOptions = TSet<TCommOption>;

inline constexpr TCommEventTypes kAllCommEvents = {evBreak, evCts,    evDsr,    evError,  evRing,
                                                   evRlsd,  evRxChar, evRxFlag, evTxEmpty};

// The platform event mask of a set of events.
std::uint32_t CommEventMask(TCommEventTypes events);

// The queue status handed to OnComStatEvent.
using TComStat = QueueStatus;

class TThreadComm;
class TComm;

// Failures of Open and of applying the line settings. what() is the message
// text with its "(Error: %d)" filled in; Detail() explains the error number.
class ECommError : public std::runtime_error {
  public:
    ECommError(const char* format, int code, std::string detail = {});
    int Code() const { return code_; }
    const std::string& Detail() const { return detail_; }

  private:
    int code_;
    std::string detail_;
};

// The five special characters; changing one re-applies the settings of an open port.
class TCommEventChars {
  public:
    explicit TCommEventChars(TThreadComm& owner) : owner_(owner) {}
    TCommEventChars(const TCommEventChars&) = delete;
    // Copies the five characters (and re-applies them once).
    TCommEventChars& operator=(const TCommEventChars& source) {
        Assign(source);
        return *this;
    }
    void Assign(const TCommEventChars& source);

    char XOnChar() const { return chars_[0]; }
    char XOffChar() const { return chars_[1]; }
    char ErrorChar() const { return chars_[2]; }
    char EofChar() const { return chars_[3]; }
    char EvtChar() const { return chars_[4]; }
    void SetXOnChar(char value) { Set(0, value); }
    void SetXOffChar(char value) { Set(1, value); }
    void SetErrorChar(char value) { Set(2, value); }
    void SetEofChar(char value) { Set(3, value); }
    void SetEvtChar(char value) { Set(4, value); }

  private:
    void Set(int index, char value);
    TThreadComm& owner_;
    char chars_[5] = {17, 19, 0, 0, 0};
};

// What the reader thread, the tasks it posts and the component share.
struct CommEventLink {
    std::mutex mutex;
    std::condition_variable changed;
    bool cancelled = false;    // Close gave this reader up
    bool done = false;         // the task of the current hand-off has run
    bool dispatching = false;  // a task is running the callback
    std::thread::id dispatchThread;
    std::function<void(std::uint32_t)> callback;  // the component's event dispatcher

    bool Cancelled() {
        std::lock_guard lock(mutex);
        return cancelled;
    }
};

// The reader thread: waits for port events and hands each one over.
class TCommEventThread {
  public:
    TCommEventThread(std::shared_ptr<SerialDevice> port, std::uint32_t eventMask,
                     std::uint32_t suspendTime, EventExecutor& executor);
    ~TCommEventThread();
    TCommEventThread(const TCommEventThread&) = delete;
    TCommEventThread& operator=(const TCommEventThread&) = delete;

    // Binds the callback and starts the thread.
    void Start(std::function<void(std::uint32_t)> callback);
    // Unbinds the callback, ends a pending hand-off, wakes the wait and joins
    // the thread (from the reader thread itself: lets it end by itself).
    void Stop();
    CommEventLink& Link() { return *link_; }
    std::uint32_t EventMask() const { return eventMask_; }
    std::uint32_t SuspendTime() const { return suspendTime_; }

  private:
    static void Execute(std::shared_ptr<CommEventLink> link, std::shared_ptr<SerialDevice> port,
                        EventExecutor* executor);

    std::shared_ptr<SerialDevice> port_;
    std::uint32_t eventMask_;
    std::uint32_t suspendTime_;
    EventExecutor& executor_;
    std::shared_ptr<CommEventLink> link_;
    std::thread thread_;
};

class TThreadComm {
  public:
    using DeviceFactory = std::function<std::unique_ptr<SerialDevice>()>;
    using TNotifyEvent = std::function<void(TComm* Sender)>;
    using TCommErrorEvent = std::function<void(TComm* Sender, int Errors)>;
    using TCommRxCharEvent = std::function<void(TComm* Sender, std::uint32_t Count)>;
    using TCommStatEvent =
        std::function<void(TComm* Sender, std::uint32_t Status, const TComStat& ComStat)>;

    virtual ~TThreadComm();
    TThreadComm(const TThreadComm&) = delete;
    TThreadComm& operator=(const TThreadComm&) = delete;

    void Open();
    void Close();
    bool IsOpen() const;
    // The number of bytes read or written; -1 when closed.
    int Read(char* buffer, int count);
    int Write(const char* bytes, int length);

    // The error number of the open device's last failed call (0 when closed):
    // EIO after a write to a device that hung up.
    int LastDeviceError() const;
    // Why the last Open left the component closed ("" after a successful one).
    const std::string& LastOpenError() const { return lastOpenError_; }
    int LastOpenErrorCode() const { return lastOpenErrorCode_; }

    // The time-outs Open installs.
    static constexpr int kReadTotalTimeoutConstant = 1000;
    // Write time-out per byte: 19200 / ordinal of BaudRate (br110 counts as 1).
    std::uint32_t WriteTotalTimeoutMultiplier() const;
    // The longest one Write waits: the multiplier times the length, but no
    // longer than the greater of 5 s and twice the transmission time.
    int WriteTotalTimeout(int length) const;

  protected:
    // The device comes from `factory`, one per Open; by default a TermiosDevice.
    explicit TThreadComm(EventExecutor& executor, DeviceFactory factory = {});

    // Opens DeviceName; false (component closed, LastOpenError set) on failure.
    virtual bool OpenDevice();
    // Writes the line settings to the open device; raises ECommError on refusal.
    void ApplyCommSettings();

    const std::string& DeviceName() const { return deviceName_; }
    void SetDeviceName(const std::string& value);
    int ReadTimeout() const { return readTimeout_; }
    void SetReadTimeout(int value) { readTimeout_ = value; }
    int WriteTimeout() const { return writeTimeout_; }
    void SetWriteTimeout(int value) { writeTimeout_ = value; }
    std::uint16_t ReadBufSize() const { return readBufSize_; }
    void SetReadBufSize(std::uint16_t value);
    std::uint16_t WriteBufSize() const { return writeBufSize_; }
    void SetWriteBufSize(std::uint16_t value);
    std::uint32_t SuspendTime() const { return suspendTime_; }
    void SetSuspendTime(std::uint32_t value);
    TCommEventTypes MonitorEvents() const { return monitorEvents_; }
    void SetMonitorEvents(TCommEventTypes value);
    TBaudRate BaudRate() const { return baudRate_; }
    void SetBaudRate(TBaudRate value);
    TParity Parity() const { return parity_; }
    void SetParity(TParity value);
    TStopBits StopBits() const { return stopBits_; }
    void SetStopBits(TStopBits value);
    TDataBits DataBits() const { return dataBits_; }
    void SetDataBits(TDataBits value);
    TCommEventChars& EventChars() { return eventChars_; }
    TCommOptions Options() const { return options_; }
    void SetOptions(TCommOptions value);
    TFlowControl FlowControl() const { return flowControl_; }
    void SetFlowControl(TFlowControl value);

    TNotifyEvent OnBreak, OnCts, OnDsr;
    TCommErrorEvent OnError;
    TNotifyEvent OnRing, OnRlsd;
    TCommRxCharEvent OnRxChar;
    TNotifyEvent OnRxFlag, OnTxEmpty;
    TCommStatEvent OnComStatEvent;

  private:
    friend class TCommEventChars;
    // The events of the handlers bound now.
    std::uint32_t HandledEventMask() const;
    // The event dispatcher: runs on the owning thread with the reported mask.
    void HandleCommEvent(std::uint32_t mask, CommEventLink& link);
    template <typename T>
    void SetLineValue(T& field, T value);

    EventExecutor& executor_;
    DeviceFactory factory_;
    std::shared_ptr<SerialDevice> device_;
    std::string deviceName_ = "/dev/ttyS1";
    mutable std::recursive_mutex lock_;
    int readTimeout_ = 1000;
    int writeTimeout_ = 1000;
    std::uint16_t readBufSize_ = 4096;
    std::uint16_t writeBufSize_ = 2048;
    std::uint32_t suspendTime_ = 5;
    TCommEventTypes monitorEvents_ = kAllCommEvents;
    TBaudRate baudRate_ = br9600;
    TParity parity_ = paNone;
    TStopBits stopBits_ = sb10;
    TDataBits dataBits_ = da8;
    bool open_ = false;
    std::unique_ptr<TCommEventThread> thread_;
    TCommEventChars eventChars_{*this};
    TCommOptions options_;
    TFlowControl flowControl_ = fcDefault;
    std::string lastOpenError_;
    int lastOpenErrorCode_ = 0;
};

// Publishes the properties and events of TThreadComm.
class TComm : public TThreadComm {
  public:
    explicit TComm(EventExecutor& executor, DeviceFactory factory = {})
        : TThreadComm(executor, std::move(factory)) {}

    using TThreadComm::BaudRate;
    using TThreadComm::DataBits;
    using TThreadComm::DeviceName;
    using TThreadComm::EventChars;
    using TThreadComm::FlowControl;
    using TThreadComm::MonitorEvents;
    using TThreadComm::Options;
    using TThreadComm::Parity;
    using TThreadComm::ReadBufSize;
    using TThreadComm::ReadTimeout;
    using TThreadComm::SetBaudRate;
    using TThreadComm::SetDataBits;
    using TThreadComm::SetDeviceName;
    using TThreadComm::SetFlowControl;
    using TThreadComm::SetMonitorEvents;
    using TThreadComm::SetOptions;
    using TThreadComm::SetParity;
    using TThreadComm::SetReadBufSize;
    using TThreadComm::SetReadTimeout;
    using TThreadComm::SetStopBits;
    using TThreadComm::SetSuspendTime;
    using TThreadComm::SetWriteBufSize;
    using TThreadComm::SetWriteTimeout;
    using TThreadComm::StopBits;
    using TThreadComm::SuspendTime;
    using TThreadComm::WriteBufSize;
    using TThreadComm::WriteTimeout;

    using TThreadComm::OnBreak;
    using TThreadComm::OnComStatEvent;
    using TThreadComm::OnCts;
    using TThreadComm::OnDsr;
    using TThreadComm::OnError;
    using TThreadComm::OnRing;
    using TThreadComm::OnRlsd;
    using TThreadComm::OnRxChar;
    using TThreadComm::OnRxFlag;
    using TThreadComm::OnTxEmpty;
};

}  // namespace navoro
