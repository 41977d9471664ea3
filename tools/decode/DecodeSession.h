#pragma once

#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "codec/Codec.h"
#include "link/LineAssembler.h"

namespace navoro {

struct DecodeStats {
    long Lines = 0;
    long Accepted = 0;
    long Rejected = 0;
    long AisMessages[28] = {};  // AIS messages decoded, by message ID 1 to 27
};

// Pushes received bytes through the line assembly and the router of one codec
// context and writes one JSON object per line (JSON Lines) to `out`.
class DecodeSession : public LineSink {
  public:
    explicit DecodeSession(std::FILE* out);
    ~DecodeSession() override;

    // Decodes one input (a file or stdin). A last line without a line end is
    // decoded as if it had one.
    void Decode(std::FILE* in);
    // Decodes bytes; keeps a partial last line for the next call.
    void Feed(std::string_view bytes) { assembler_.Feed(bytes); }
    // Ends the current input: decodes a pending partial line.
    void EndOfInput();
    void Flush();
    // Writes one object with the counts so far: lines, accepted, rejected, AIS
    // messages by type and the target table's count of entries in use.
    void WriteSummary();

    const DecodeStats& Stats() const { return stats_; }
    const Codec& Context() const { return *codec_; }

    // LineSink
    bool LogEnabled() const override { return true; }
    void LogLine(std::string_view line) override;
    void RouteLine(char* line) override;

  private:
    void MaybeFlush();

    std::FILE* out_;
    std::unique_ptr<Codec> codec_;
    LineAssembler assembler_;
    DecodeStats stats_;
    std::string buffer_;
};

}  // namespace navoro
