#pragma once

// A codec of its own for a simulator part under test: derive from it first,
// so that the codec exists before the part that is given it.

#include <memory>

#include "codec/Codec.h"

namespace navoro::sim::test {

struct CodecHolder {
    std::unique_ptr<Codec> codec = std::make_unique<Codec>();
};

}  // namespace navoro::sim::test
