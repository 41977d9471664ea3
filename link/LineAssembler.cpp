#include "link/LineAssembler.h"

#include <algorithm>
#include <cstring>

namespace navoro {

void LineAssembler::Feed(const std::uint8_t* data, std::size_t size) {
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t c = data[i];
        if (c == 0x00 || c == 0x0D) continue;
        if (c == 0x0A) {
            EndLine();
            continue;
        }
        if (length_ < kLineBufferMax) {
            line_[length_++] = static_cast<char>(c);
        } else {
            overflow_ = true;
        }
    }
}

void LineAssembler::EndLine() {
    if (sink_.LogEnabled()) sink_.LogLine(std::string_view(line_, length_));
    if (!overflow_ && length_ <= kMaxLineLength) {
        char first[kConsumerBufferSize];
        std::memcpy(first, line_, length_);
        first[length_] = '\r';
        first[length_ + 1] = '\n';
        first[length_ + 2] = '\0';
        char second[kConsumerBufferSize];
        char third[kConsumerBufferSize];
        std::memcpy(second, first, length_ + 3);
        std::memcpy(third, first, length_ + 3);
        length_ = 0;
        sink_.RouteLine(first);
        sink_.CheckHandshake(second);
        sink_.CollectDeviceInfo(third);
        return;
    }
    length_ = 0;
    overflow_ = false;
}

void LineAssembler::Receive(const ReadFunction& read, int count) {
    char buffer[kReadBufferSize + 1];
    while (count > 0) {
        const int want = std::min<int>(count, static_cast<int>(kReadBufferSize));
        const int got = read(buffer, want);
        if (got < 1) return;
        buffer[got] = '\0';
        Feed(reinterpret_cast<const std::uint8_t*>(buffer), static_cast<std::size_t>(got));
        count -= got;
        if (got < want) return;
    }
}

}  // namespace navoro
