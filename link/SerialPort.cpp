#include "link/SerialPort.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <thread>
#include <utility>

#include "link/TermiosDevice.h"

namespace navoro {

// What the reader thread, the tasks it posts and the port share.
struct ReaderLink {
    std::mutex mutex;
    std::condition_variable changed;
    bool cancelled = false;    // Close gave this reader up
    bool done = false;         // the task of the current hand-off has run
    bool dispatching = false;  // a task is running the callback
    std::thread::id dispatchThread;
    std::function<void(const WaitResult&)> callback;  // the port's event handler

    bool Cancelled() {
        std::lock_guard lock(mutex);
        return cancelled;
    }
};

// The reader thread: waits for the device and hands each event over.
class PortReader {
  public:
    PortReader(std::shared_ptr<SerialDevice> device, EventExecutor& executor)
        : device_(std::move(device)), executor_(executor), link_(std::make_shared<ReaderLink>()) {}
    ~PortReader() { Stop(); }
    PortReader(const PortReader&) = delete;
    PortReader& operator=(const PortReader&) = delete;

    // Binds the callback and starts the thread.
    void Start(std::function<void(const WaitResult&)> callback);
    // Unbinds the callback, ends a pending hand-off, wakes the wait and joins
    // the thread (from the reader thread itself: lets it end by itself).
    void Stop();
    ReaderLink& Link() { return *link_; }

  private:
    static void Run(std::shared_ptr<ReaderLink> link, std::shared_ptr<SerialDevice> device,
                    EventExecutor* executor);

    std::shared_ptr<SerialDevice> device_;
    EventExecutor& executor_;
    std::shared_ptr<ReaderLink> link_;
    std::thread thread_;
};

namespace {

constexpr char kAlreadyOpen[] = "Port already assigned (open) (Error: %d)";
constexpr char kSettingsRefused[] = "Error updating DataControlBlock (Error: %d)";

// The standard rates; the write time-out per byte follows a rate's place among them.
constexpr int kStandardRates[] = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                  19200, 38400, 56000, 57600, 115200, 128000, 256000};

// `format` with its "%d" filled with `code`.
std::string WithCode(const char* format, int code) {
    std::string text = format;
    const auto at = text.find("%d");
    if (at != std::string::npos) text.replace(at, 2, std::to_string(code));
    return text;
}

PortResult Refused(int code, std::string detail) {
    return PortResult::Failed(PortResult::Failure::SettingsRefused, code,
                              WithCode(kSettingsRefused, code), std::move(detail));
}

// Hands `event` to the owning thread and waits until its callbacks have run.
// False when Close gave the reader up meanwhile.
bool HandOff(const std::shared_ptr<ReaderLink>& link, EventExecutor& executor,
             const WaitResult& event) {
    {
        std::lock_guard lock(link->mutex);
        if (link->cancelled) return false;
        link->done = false;
    }
    executor.Post([link, event] {
        std::unique_lock lock(link->mutex);
        if (link->cancelled || !link->callback) return;
        const auto callback = link->callback;
        link->dispatching = true;
        link->dispatchThread = std::this_thread::get_id();
        lock.unlock();
        callback(event);
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

// ---- PortReader ------------------------------------------------------------------

void PortReader::Start(std::function<void(const WaitResult&)> callback) {
    {
        std::lock_guard lock(link_->mutex);
        link_->callback = std::move(callback);
    }
    thread_ = std::thread(&PortReader::Run, link_, device_, &executor_);
}

void PortReader::Stop() {
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
    device_->Wake();
    if (!thread_.joinable()) return;
    if (thread_.get_id() == std::this_thread::get_id()) {
        // Close from a callback that runs on the reader thread itself: the thread
        // ends as soon as the callback returns and touches only shared state.
        thread_.detach();
    } else {
        thread_.join();
    }
}

void PortReader::Run(std::shared_ptr<ReaderLink> link, std::shared_ptr<SerialDevice> device,
                     EventExecutor* executor) {
    for (;;) {
        if (link->Cancelled()) return;
        const WaitResult result = device->WaitEvent();
        if (link->Cancelled()) return;
        if ((result.dataWaiting || result.hungUp) && !HandOff(link, *executor, result)) return;
        if (result.ended) return;
        if (result.failed) {
            // A failed wait is repeated, but not faster than this.
            std::unique_lock lock(link->mutex);
            link->changed.wait_for(lock, std::chrono::milliseconds(50),
                                   [&] { return link->cancelled; });
        }
    }
}

// ---- SerialPort --------------------------------------------------------------------

SerialPort::SerialPort(EventExecutor& executor, DeviceFactory factory)
    : executor_(executor), factory_(std::move(factory)) {
    if (!factory_) factory_ = [] { return std::make_unique<TermiosDevice>(); };
}

SerialPort::~SerialPort() {
    Close();
}

PortResult SerialPort::Open() {
    std::lock_guard lock(lock_);
    if (device_) {
        return PortResult::Failed(PortResult::Failure::AlreadyOpen, -1, WithCode(kAlreadyOpen, -1));
    }
    std::unique_ptr<SerialDevice> device = factory_();
    DeviceError error;
    if (!device) {
        return PortResult::Failed(PortResult::Failure::Unavailable, ENODEV,
                                  devicePath_ + ": no serial device available.");
    }
    if (!device->Open(devicePath_, &error)) {
        return PortResult::Failed(PortResult::Failure::Unavailable, error.code, error.message);
    }
    device_ = std::move(device);
    state_ = PortState::Open;
    if (PortResult applied = ApplySettings(); !applied.Ok()) {
        // A port whose settings were refused is not left open without a reader.
        device_->Close();
        device_.reset();
        state_ = PortState::Closed;
        return applied;
    }
    reader_ = std::make_unique<PortReader>(device_, executor_);
    ReaderLink* link = &reader_->Link();
    reader_->Start([this, link](const WaitResult& event) { HandleEvent(event, *link); });
    return {};
}

void SerialPort::Close() {
    std::unique_ptr<PortReader> reader;
    {
        std::lock_guard lock(lock_);
        if (!device_) return;
        reader = std::move(reader_);
    }
    // Stopped outside the lock: a callback running on another thread may still
    // need the lock to finish, and Stop waits for it.
    if (reader) reader->Stop();
    std::lock_guard lock(lock_);
    if (device_) device_->Close();
    device_.reset();
    state_ = PortState::Closed;
}

bool SerialPort::IsOpen() const {
    std::lock_guard lock(lock_);
    return state_ != PortState::Closed;
}

PortState SerialPort::State() const {
    std::lock_guard lock(lock_);
    return state_;
}

int SerialPort::Read(char* buffer, int count) {
    std::lock_guard lock(lock_);
    if (!device_) return -1;
    if (count <= 0) return 0;
    return device_->Read(buffer, count, kReadTimeoutMs);
}

int SerialPort::Write(const char* bytes, int length) {
    std::lock_guard lock(lock_);
    if (!device_) return -1;
    if (length <= 0) return 0;
    return device_->Write(bytes, length, WriteTimeoutMs(rate_, length));
}

int SerialPort::LastDeviceError() const {
    std::lock_guard lock(lock_);
    return device_ ? device_->LastError() : 0;
}

std::string SerialPort::DevicePath() const {
    std::lock_guard lock(lock_);
    return devicePath_;
}

void SerialPort::SetDevicePath(const std::string& path) {
    std::lock_guard lock(lock_);
    if (!device_) devicePath_ = path;
}

int SerialPort::Rate() const {
    std::lock_guard lock(lock_);
    return rate_;
}

PortResult SerialPort::SetRate(int bitsPerSecond) {
    // A rate of 0 or less cannot be set on a device, nor timed.
    if (bitsPerSecond <= 0) return Refused(EINVAL, "the rate must be above 0 bit/s");
    std::lock_guard lock(lock_);
    if (bitsPerSecond == rate_) return {};
    rate_ = bitsPerSecond;
    return ApplySettings();
}

LineFormat SerialPort::Format() const {
    std::lock_guard lock(lock_);
    return format_;
}

PortResult SerialPort::SetFormat(const LineFormat& format) {
    std::lock_guard lock(lock_);
    if (format == format_) return {};
    format_ = format;
    return ApplySettings();
}

int SerialPort::WriteTimeoutPerByteMs(int rate) {
    const auto below = std::count_if(std::begin(kStandardRates), std::end(kStandardRates),
                                     [rate](int standard) { return standard < rate; });
    return 19200 / static_cast<int>(std::max<std::ptrdiff_t>(below, 1));
}

int SerialPort::WriteTimeoutMs(int rate, int length) {
    const long long perByte = static_cast<long long>(WriteTimeoutPerByteMs(rate)) * length;
    const long long transmission = 10'000LL * length / std::max(rate, 1);
    const long long cap = std::max(5'000LL, 2 * transmission);
    return static_cast<int>(std::min(perByte, cap));
}

PortResult SerialPort::ApplySettings() {
    if (!device_) return {};
    LineSettings settings;
    if (!device_->GetLineSettings(settings)) {
        const int code = device_->LastError();
        return Refused(code, std::strerror(code));
    }
    settings.rate = static_cast<std::uint32_t>(rate_);
    settings.dataBits = static_cast<std::uint8_t>(std::clamp(format_.dataBits, 0, 255));
    settings.parity = format_.parity;
    settings.stopBits = format_.stopBits;
    settings.checkParity = false;
    if (!device_->SetLineSettings(settings)) {
        const int code = device_->LastError();
        std::string detail = std::strerror(code);
        if (format_.dataBits < 5 || format_.dataBits > 8) {
            detail = std::to_string(format_.dataBits) + " data bits are not supported; use 5 to 8";
        }
        return Refused(code, std::move(detail));
    }
    return {};
}

void SerialPort::HandleEvent(const WaitResult& event, ReaderLink& link) {
    QueueStatus status;
    {
        std::lock_guard lock(lock_);
        if (device_) device_->GetQueueStatus(status);
        if (device_ && event.hungUp) state_ = PortState::HungUp;
    }
    // A callback may close the port: then nothing further is delivered, and
    // `this` is not looked at again before the link says it is still bound.
    auto live = [&link] { return !link.Cancelled(); };
    if (live() && event.hungUp && OnHangUp) OnHangUp();
    if (live() && event.dataWaiting && status.inputQueued > 0 && OnDataWaiting) {
        OnDataWaiting(status.inputQueued);
    }
}

}  // namespace navoro
