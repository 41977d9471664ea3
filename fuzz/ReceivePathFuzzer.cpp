// Fuzzes the receive path: bytes -> line assembly -> sentence router (framing,
// tokenizer, parsers, stores) -> AIS message assembly, de-armouring, decoding and
// the target table.
#include <cstddef>
#include <cstdint>
#include <memory>

#include "codec/Codec.h"
#include "codec/Router.h"
#include "link/LineAssembler.h"

namespace {

class Dispatch : public navoro::LineSink {
  public:
    explicit Dispatch(navoro::Codec& codec) : codec_(codec) {}
    void DispatchSentence(char* line) override {
        if (line[0] == '$' || line[0] == '!') navoro::RouteSentence(codec_, line);
    }

  private:
    navoro::Codec& codec_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One context for the whole run, as the program keeps one: state carried
    // from input to input (stores, message assembly, target table) is fuzzed too.
    static auto codec = std::make_unique<navoro::Codec>();
    Dispatch sink(*codec);
    navoro::LineAssembler assembler(sink);
    assembler.Feed(data, size);
    assembler.Feed("\n");
    return 0;
}
