#include "link/SendPath.h"

#include <cstring>

#include "codec/Composer.h"
#include "codec/Framing.h"

namespace navoro {

bool SendPath::WritePort(const char* data, int length) {
    if (!port_.IsOpen()) return false;
    return port_.Write(data, length) > 0;
}

bool SendPath::SendSentence(const char* talker, const char* formatter) {
    if (!ComposeSentence(codec_, composed_, sizeof composed_, formatter, talker)) return false;
    const int length = static_cast<int>(strnlen(composed_, sizeof composed_));
    if (WritePort(composed_, length)) return true;
    return OnWriteFailed ? OnWriteFailed() : false;
}

bool SendPath::SendText(char* text, std::size_t capacity) {
    if (text == nullptr || capacity == 0) return false;
    const std::size_t length = strnlen(text, capacity);
    // The text, "*hh\r\n" and the NUL must fit in the caller's buffer.
    if (length + kChecksumTailSize + 1 > capacity) return false;
    if (!AppendChecksum(text)) return false;
    return WritePort(text, static_cast<int>(length + kChecksumTailSize));
}

}  // namespace navoro
