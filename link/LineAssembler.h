#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

namespace navoro {

// Where complete received lines go, in this order: the log (when enabled), then
// the three consumers, each with its own copy of "line\r\n".
class LineSink {
  public:
    virtual ~LineSink() = default;
    virtual bool LogEnabled() const { return false; }
    // Every complete line, without CR LF, including empty and over-long ones.
    virtual void LogLine(std::string_view /*line*/) {}
    // The sentence router: hands the sentences the codec accepts to their pages.
    virtual void RouteLine(char* /*line*/) {}
    // The connection's handshake: waits for the end of the information dump.
    virtual void CheckHandshake(char* /*line*/) {}
    // The information dump's reader.
    virtual void CollectDeviceInfo(char* /*line*/) {}
};

// Assembles received bytes into lines. NUL and CR are dropped, LF ends a line.
// A line of at most 82 characters goes to the consumers with CR LF put back; a
// longer one is only logged. The pending line is capped at kLineBufferMax bytes:
// bytes beyond the cap are dropped and the line counts as over-long.
class LineAssembler {
  public:
    static constexpr std::size_t kMaxLineLength = 82;
    static constexpr std::size_t kLineBufferMax = 1024;
    static constexpr std::size_t kReadBufferSize = 5000;
    // Each consumer's copy: room for the line, CR, LF, NUL and for the codec to
    // expand empty fields in place.
    static constexpr std::size_t kConsumerBufferSize = 101;

    explicit LineAssembler(LineSink& sink) : sink_(sink) {}

    // Takes received bytes in order.
    void Feed(const std::uint8_t* data, std::size_t size);
    void Feed(std::string_view bytes) {
        Feed(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    }

    // The receive event: reads the `count` waiting bytes with `read` (which
    // returns the number read, or -1 when the port is not open) in pieces that
    // fit the read buffer, and feeds them.
    using ReadFunction = std::function<int(char* buffer, int size)>;
    void Receive(const ReadFunction& read, int count);

    // The characters of the pending incomplete line.
    std::string_view Pending() const { return {line_, length_}; }
    bool PendingOverLong() const { return overflow_; }

  private:
    void EndLine();

    LineSink& sink_;
    char line_[kLineBufferMax];
    std::size_t length_ = 0;
    bool overflow_ = false;
};

}  // namespace navoro
