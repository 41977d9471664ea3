#pragma once

// Every byte sent to the transponder leaves through one of these three:
//
//   WritePort(bytes, length)          raw bytes; true when written
//   SendSentence("EC", "SSD")         composed by the codec from its stores; true when sent
//   SendText(text)                    a caller's "$..." text without checksum; gets "*hh\r\n"
//                                     appended in place; true when sent
//
// What a failed SendSentence means is the connection manager's business
// (OnWriteFailed): it reports success while detecting ports automatically, and
// otherwise disconnects and says so.

#include <cstddef>
#include <functional>

#include "codec/Codec.h"
#include "codec/Composer.h"
#include "link/ConnectionPort.h"

namespace navoro {

class SendPath {
  public:
    // SendText needs this much room after the text: "*hh\r\n".
    static constexpr std::size_t kChecksumTailSize = 5;

    SendPath(Codec& codec, ConnectionPort& port) : codec_(codec), port_(port) {}

    // True when the port is open and the write reported more than 0 bytes
    // written. Shows nothing.
    bool WritePort(const char* data, int length);

    // Composes the sentence `formatter` with `talker` ("P", "EC", ...) from the
    // codec's stores and writes it. False, nothing written, when the codec
    // cannot compose it. When the write fails, returns what OnWriteFailed says
    // (false when it is not set).
    bool SendSentence(const char* talker, const char* formatter);

    // Appends "*", the two checksum digits, CR and LF to `text` in place
    // (`capacity` is the size of the caller's buffer) and writes it. True when
    // it was sent; false, with nothing written, when the port is closed, the
    // write failed, or the buffer has no room for the tail (then the text is
    // left as it was). Shows nothing, never disconnects.
    [[nodiscard]] bool SendText(char* text, std::size_t capacity);
    template <std::size_t N>
    [[nodiscard]] bool SendText(char (&text)[N]) {
        return SendText(text, N);
    }

    // Decides SendSentence's result after a failed write.
    std::function<bool()> OnWriteFailed;

    // The last sentence SendSentence composed (with its checksum and CR LF).
    const char* LastComposed() const { return composed_; }

  private:
    Codec& codec_;
    ConnectionPort& port_;
    // The composition buffer: every sentence composed here, with its
    // checksum, CR LF and NUL, fits in it.
    char composed_[kComposeBufferSize] = {};
};

}  // namespace navoro
