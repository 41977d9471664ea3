#include "tools/decode/DecodeSession.h"

#include <cstring>

#include "codec/FormatterTable.h"
#include "codec/Router.h"
#include "tools/decode/AisJson.h"
#include "tools/decode/JsonText.h"
#include "tools/decode/RecordJson.h"

namespace navoro {

namespace {

constexpr std::size_t kFlushSize = 1 << 16;

}  // namespace

DecodeSession::DecodeSession(std::FILE* out)
    : out_(out), codec_(std::make_unique<Codec>()), assembler_(*this) {
    buffer_.reserve(2 * kFlushSize);
}

DecodeSession::~DecodeSession() {
    Flush();
}

void DecodeSession::LogLine(std::string_view line) {
    // Lines of up to 82 characters reach RouteLine next; longer ones go to
    // no consumer and are reported here.
    if (line.size() <= LineAssembler::kMaxLineLength) return;
    ++stats_.Lines;
    ++stats_.Rejected;
    buffer_.append("{\"line\":");
    AppendJsonString(buffer_, line);
    buffer_.append(",\"accepted\":false,\"overlong\":true}\n");
    MaybeFlush();
}

void DecodeSession::RouteLine(char* line) {
    std::size_t length = std::strlen(line);
    const bool sentence = line[0] == '$' || line[0] == '!';
    const bool accepted = sentence && RouteSentence(*codec_, line, length);
    ++stats_.Lines;
    ++(accepted ? stats_.Accepted : stats_.Rejected);

    buffer_.append("{\"line\":");
    AppendJsonString(buffer_, std::string_view(line, length >= 2 ? length - 2 : 0));
    buffer_.append(accepted ? ",\"accepted\":true" : ",\"accepted\":false");
    if (accepted && line[0] == '$') {
        const SentenceRecord& record = codec_->Received;
        const SentenceHeader& header = record.Header;
        buffer_.append(",\"talker\":");
        AppendJsonString(buffer_, header.Talker);
        buffer_.append(",\"formatter\":");
        AppendJsonString(buffer_, header.Formatter);
        if (header.Mode != '\0') {
            buffer_.append(",\"mode\":");
            AppendJsonString(buffer_, std::string_view(&header.Mode, 1));
        }
        buffer_.append(",\"group\":");
        AppendJsonNumber(buffer_, FormatterGroup(header));
        const std::size_t mark = buffer_.size();
        buffer_.append(",\"record\":{");
        RecordJson json(buffer_);
        if (VisitRecordFields(record, json)) {
            buffer_.push_back('}');
        } else {
            buffer_.resize(mark);
        }
    } else if (accepted) {
        // A '!' sentence is accepted when it completes an AIS message that decodes.
        const DecodedRecord& decoded = codec_->Decoded;
        AppendAisJson(buffer_, codec_->Received.Vdm.Channel, decoded);
        if (decoded.Bytes[0] >= 1 && decoded.Bytes[0] <= 27) ++stats_.AisMessages[decoded.Bytes[0]];
    }
    buffer_.append("}\n");
    MaybeFlush();
}

void DecodeSession::WriteSummary() {
    buffer_.append("{\"summary\":{\"lines\":");
    AppendJsonNumber(buffer_, stats_.Lines);
    buffer_.append(",\"accepted\":");
    AppendJsonNumber(buffer_, stats_.Accepted);
    buffer_.append(",\"rejected\":");
    AppendJsonNumber(buffer_, stats_.Rejected);
    buffer_.append(",\"ais\":{");
    bool first = true;
    for (int id = 1; id <= 27; ++id) {
        if (stats_.AisMessages[id] == 0) continue;
        if (!first) buffer_.push_back(',');
        first = false;
        AppendJsonKey(buffer_, std::to_string(id));
        AppendJsonNumber(buffer_, stats_.AisMessages[id]);
    }
    buffer_.append("},\"targets\":");
    AppendJsonNumber(buffer_, codec_->Targets.Count());
    buffer_.append("}}\n");
    MaybeFlush();
}

void DecodeSession::Decode(std::FILE* in) {
    char chunk[1 << 16];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        assembler_.Feed(std::string_view(chunk, got));
    }
    EndOfInput();
}

void DecodeSession::EndOfInput() {
    if (!assembler_.Pending().empty() || assembler_.PendingOverLong()) assembler_.Feed("\n");
}

void DecodeSession::MaybeFlush() {
    if (buffer_.size() >= kFlushSize) Flush();
}

void DecodeSession::Flush() {
    if (!buffer_.empty() && out_ != nullptr) std::fwrite(buffer_.data(), 1, buffer_.size(), out_);
    buffer_.clear();
    if (out_ != nullptr) std::fflush(out_);
}

}  // namespace navoro
