#include "link/Comm.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <optional>
#include <utility>

#include "link/TermiosDevice.h"

namespace navoro {

namespace {

std::string FillCode(const char* format, int code) {
    std::string text = format;
    const auto at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(code));
    return text;
}

constexpr char kAlreadyOpen[] = "Port already assigned (open) (Error: %d)";
constexpr char kSettingsRefused[] = "Error updating DataControlBlock (Error: %d)";
constexpr char kBuffersRefused[] = "Error initializing Read/Write Buffers (Error: %d)";

// Hands `events` to the owning thread and waits until its handlers have run.
// False when Close gave the reader up meanwhile.
bool HandOff(const std::shared_ptr<CommEventLink>& link, EventExecutor& executor,
             std::uint32_t events) {
    {
        std::lock_guard lock(link->mutex);
        if (link->cancelled) return false;
        link->done = false;
    }
    executor.Post([link, events] {
        std::unique_lock lock(link->mutex);
        if (link->cancelled || !link->callback) return;
        const auto callback = link->callback;
        link->dispatching = true;
        link->dispatchThread = std::this_thread::get_id();
        lock.unlock();
        callback(events);
        lock.lock();
        link->dispatching = false;
        link->done = true;
        link->changed.notify_all();
    });
    std::unique_lock lock(link->mutex);
    link->changed.wait(lock, [&] { return link->done || link->cancelled; });
    return !link->cancelled;
}

}  // namespace

std::uint32_t CommEventMask(TCommEventTypes events) {
    std::uint32_t mask = 0;
    for (unsigned i = 0; i < std::size(kCommEventMasks); ++i) {
        if (events.Contains(static_cast<TCommEventType>(i))) mask |= kCommEventMasks[i];
    }
    return mask;
}

ECommError::ECommError(const char* format, int code, std::string detail)
    : std::runtime_error(FillCode(format, code)), code_(code), detail_(std::move(detail)) {}

// ---- TCommEventChars ---------------------------------------------------------

void TCommEventChars::Assign(const TCommEventChars& source) {
    if (&source == this) return;
    std::copy(std::begin(source.chars_), std::end(source.chars_), chars_);
    std::lock_guard lock(owner_.lock_);
    owner_.ApplyCommSettings();
}

void TCommEventChars::Set(int index, char value) {
    if (chars_[index] == value) return;
    chars_[index] = value;
    std::lock_guard lock(owner_.lock_);
    owner_.ApplyCommSettings();
}

// ---- TCommEventThread --------------------------------------------------------

TCommEventThread::TCommEventThread(std::shared_ptr<SerialDevice> port, std::uint32_t eventMask,
                                   std::uint32_t suspendTime, EventExecutor& executor)
    : port_(std::move(port)),
      eventMask_(eventMask),
      suspendTime_(suspendTime),
      executor_(executor),
      link_(std::make_shared<CommEventLink>()) {
    port_->SetEventMask(eventMask_);
}

TCommEventThread::~TCommEventThread() {
    Stop();
}

void TCommEventThread::Start(std::function<void(std::uint32_t)> callback) {
    {
        std::lock_guard lock(link_->mutex);
        link_->callback = std::move(callback);
    }
    thread_ = std::thread(&TCommEventThread::Execute, link_, port_, &executor_);
}

void TCommEventThread::Stop() {
    {
        std::unique_lock lock(link_->mutex);
        link_->cancelled = true;
        link_->callback = nullptr;
        link_->changed.notify_all();
        // A dispatch running on another thread finishes before the device goes.
        link_->changed.wait(lock, [&] {
            return !link_->dispatching || link_->dispatchThread == std::this_thread::get_id();
        });
    }
    port_->Wake();
    if (!thread_.joinable()) return;
    if (thread_.get_id() == std::this_thread::get_id()) {
        // Close from a handler that runs on the reader thread itself: the thread
        // ends as soon as the handler returns and touches only shared state.
        thread_.detach();
    } else {
        thread_.join();
    }
}

void TCommEventThread::Execute(std::shared_ptr<CommEventLink> link,
                               std::shared_ptr<SerialDevice> port, EventExecutor* executor) {
    for (;;) {
        if (link->Cancelled()) return;
        const WaitResult result = port->WaitEvent();
        if (link->Cancelled()) return;
        if (result.events != 0 && !HandOff(link, *executor, result.events)) return;
        if (result.ended) return;
        if (result.failed) {
            // A failed wait is repeated, but not faster than this.
            std::unique_lock lock(link->mutex);
            link->changed.wait_for(lock, std::chrono::milliseconds(50),
                                   [&] { return link->cancelled; });
        }
    }
}

// ---- TThreadComm ---------------------------------------------------------------

TThreadComm::TThreadComm(EventExecutor& executor, DeviceFactory factory)
    : executor_(executor), factory_(std::move(factory)) {
    if (!factory_) factory_ = [] { return std::make_unique<TermiosDevice>(); };
}

TThreadComm::~TThreadComm() {
    Close();
}

bool TThreadComm::OpenDevice() {
    std::unique_ptr<SerialDevice> device = factory_();
    DeviceError error;
    if (!device || !device->Open(deviceName_, &error)) {
        lastOpenErrorCode_ = device ? error.code : ENODEV;
        lastOpenError_ = device ? error.message : deviceName_ + ": no serial device available.";
        return false;
    }
    lastOpenError_.clear();
    lastOpenErrorCode_ = 0;
    device_ = std::move(device);
    open_ = true;
    device_->SetEventMask(CommEventMask(kAllCommEvents));
    return true;
}

void TThreadComm::Open() {
    std::optional<ECommError> pending;
    {
        std::lock_guard lock(lock_);
        if (open_) {
            pending.emplace(kAlreadyOpen, -1);
        } else {
            if (!OpenDevice()) return;
            try {
                ApplyCommSettings();
            } catch (const ECommError&) {
                // A port whose settings were refused is not left open without a reader.
                device_->Close();
                device_.reset();
                open_ = false;
                throw;
            }
            if (!device_->SetQueueSizes(readBufSize_, writeBufSize_)) {
                pending.emplace(kBuffersRefused, device_->LastError());
            }
            thread_ = std::make_unique<TCommEventThread>(
                device_, CommEventMask(monitorEvents_) & HandledEventMask(), suspendTime_,
                executor_);
            CommEventLink* link = &thread_->Link();
            thread_->Start([this, link](std::uint32_t mask) { HandleCommEvent(mask, *link); });
        }
    }
    if (pending) throw *pending;
}

std::uint32_t TThreadComm::HandledEventMask() const {
    // OnComStatEvent sees every event; the others their own.
    if (OnComStatEvent) return CommEventMask(kAllCommEvents);
    const std::pair<bool, TCommEventType> handlers[] = {
        {bool(OnBreak), evBreak},   {bool(OnCts), evCts},       {bool(OnDsr), evDsr},
        {bool(OnError), evError},   {bool(OnRing), evRing},     {bool(OnRlsd), evRlsd},
        {bool(OnRxChar), evRxChar}, {bool(OnRxFlag), evRxFlag}, {bool(OnTxEmpty), evTxEmpty}};
    TCommEventTypes handled;
    for (const auto& [bound, event] : handlers) {
        if (bound) handled.Include(event);
    }
    return CommEventMask(handled);
}

void TThreadComm::Close() {
    std::unique_ptr<TCommEventThread> reader;
    {
        std::lock_guard lock(lock_);
        if (!open_) return;
        reader = std::move(thread_);
    }
    // Stopped outside the lock: a handler running on another thread may still
    // need the lock to finish, and Stop waits for it.
    if (reader) reader->Stop();
    std::lock_guard lock(lock_);
    if (device_) device_->Close();
    device_.reset();
    open_ = false;
}

int TThreadComm::LastDeviceError() const {
    std::lock_guard lock(lock_);
    return device_ ? device_->LastError() : 0;
}

bool TThreadComm::IsOpen() const {
    std::lock_guard lock(lock_);
    return open_;
}

int TThreadComm::Read(char* buffer, int count) {
    std::lock_guard lock(lock_);
    if (!open_) return -1;
    if (count <= 0) return 0;
    return device_->Read(buffer, count, kReadTotalTimeoutConstant);
}

int TThreadComm::Write(const char* bytes, int length) {
    std::lock_guard lock(lock_);
    if (!open_) return -1;
    if (length <= 0) return 0;
    return device_->Write(bytes, length, WriteTotalTimeout(length));
}

std::uint32_t TThreadComm::WriteTotalTimeoutMultiplier() const {
    return 19200u / std::max<unsigned>(baudRate_, 1u);
}

int TThreadComm::WriteTotalTimeout(int length) const {
    const long long byRule = static_cast<long long>(WriteTotalTimeoutMultiplier()) * length;
    const long long transmission = 10'000LL * length / kBaudRateValues[baudRate_];
    const long long cap = std::max(5'000LL, 2 * transmission);
    return static_cast<int>(std::min(byRule, cap));
}

void TThreadComm::ApplyCommSettings() {
    std::lock_guard lock(lock_);
    if (!open_) return;
    device_->SetQueueSizes(readBufSize_, writeBufSize_);
    LineSettings settings;
    if (!device_->GetLineSettings(settings)) {
        const int code = device_->LastError();
        throw ECommError(kSettingsRefused, code, std::strerror(code));
    }
    settings.BaudRate = kBaudRateValues[baudRate_];
    static constexpr LineParity kParity[] = {LineParity::None, LineParity::Odd, LineParity::Even,
                                             LineParity::Mark, LineParity::Space};
    settings.Parity = kParity[parity_];
    static constexpr LineStopBits kStopBits[] = {LineStopBits::One, LineStopBits::OneAndHalf,
                                                 LineStopBits::Two};
    settings.StopBits = kStopBits[stopBits_];
    settings.ByteSize = static_cast<std::uint8_t>(4 + dataBits_);
    settings.XonChar = eventChars_.XOnChar();
    settings.XoffChar = eventChars_.XOffChar();
    settings.ErrorChar = eventChars_.ErrorChar();
    settings.EofChar = eventChars_.EofChar();
    settings.EvtChar = eventChars_.EvtChar();
    settings.XonLim = 1024;
    settings.XoffLim = 1024;
    settings.fParity = options_.Contains(coParityCheck);
    settings.fDsrSensitivity = options_.Contains(coDsrSensitivity);
    settings.fTXContinueOnXoff = options_.Contains(coIgnoreXOff);
    settings.fErrorChar = options_.Contains(coErrorChar);
    settings.fNull = options_.Contains(coNullStrip);
    if (!device_->SetLineSettings(settings)) {
        const int code = device_->LastError();
        std::string detail = std::strerror(code);
        if (dataBits_ == da4) detail = "4 data bits are not supported; use 5 to 8";
        throw ECommError(kSettingsRefused, code, detail);
    }
}

void TThreadComm::HandleCommEvent(std::uint32_t mask, CommEventLink& link) {
    std::uint32_t errors = 0;
    TComStat status;
    {
        std::lock_guard lock(lock_);
        if (device_) device_->ClearErrors(&errors, &status);
    }
    // A handler may close the port: then nothing further is delivered, and
    // `this` is not looked at again before the link says it is still bound.
    auto live = [&link] { return !link.Cancelled(); };
    TComm* sender = static_cast<TComm*>(this);
    if (live() && (mask & EV_BREAK) && OnBreak) OnBreak(sender);
    if (live() && (mask & EV_CTS) && OnCts) OnCts(sender);
    if (live() && (mask & EV_DSR) && OnDsr) OnDsr(sender);
    if (live() && (mask & EV_ERR) && OnError) OnError(sender, static_cast<int>(errors));
    if (live() && (mask & EV_RING) && OnRing) OnRing(sender);
    if (live() && (mask & EV_RLSD) && OnRlsd) OnRlsd(sender);
    if (live() && (mask & EV_RXCHAR) && status.cbInQue > 0 && OnRxChar) {
        OnRxChar(sender, status.cbInQue);
    }
    if (live() && (mask & EV_RXFLAG) && OnRxFlag) OnRxFlag(sender);
    if (live() && (mask & EV_TXEMPTY) && OnTxEmpty) OnTxEmpty(sender);
    if (live() && OnComStatEvent) OnComStatEvent(sender, mask, status);
}

// ---- properties ------------------------------------------------------------------

void TThreadComm::SetDeviceName(const std::string& value) {
    std::lock_guard lock(lock_);
    if (open_ || value == deviceName_) return;
    deviceName_ = value;
}

void TThreadComm::SetReadBufSize(std::uint16_t value) {
    std::lock_guard lock(lock_);
    if (!open_) readBufSize_ = value;
}

void TThreadComm::SetWriteBufSize(std::uint16_t value) {
    std::lock_guard lock(lock_);
    if (!open_) writeBufSize_ = value;
}

void TThreadComm::SetSuspendTime(std::uint32_t value) {
    std::lock_guard lock(lock_);
    if (!open_) suspendTime_ = value;
}

void TThreadComm::SetMonitorEvents(TCommEventTypes value) {
    std::lock_guard lock(lock_);
    if (!open_) monitorEvents_ = value;
}

template <typename T>
void TThreadComm::SetLineValue(T& field, T value) {
    if (field == value) return;
    field = value;
    std::lock_guard lock(lock_);
    ApplyCommSettings();
}

void TThreadComm::SetBaudRate(TBaudRate value) {
    SetLineValue(baudRate_, value);
}
void TThreadComm::SetParity(TParity value) {
    SetLineValue(parity_, value);
}
void TThreadComm::SetStopBits(TStopBits value) {
    SetLineValue(stopBits_, value);
}
void TThreadComm::SetDataBits(TDataBits value) {
    SetLineValue(dataBits_, value);
}
void TThreadComm::SetOptions(TCommOptions value) {
    SetLineValue(options_, value);
}
void TThreadComm::SetFlowControl(TFlowControl value) {
    SetLineValue(flowControl_, value);
}

}  // namespace navoro
