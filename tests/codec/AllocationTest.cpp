// Routing a received line allocates nothing: every global operator new of this
// test program is counted.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/Router.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

// GCC, once it inlines these into a new-expression, takes the free() for a
// mismatch with the operator new it replaces.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}

namespace navoro {
namespace {

std::vector<std::string> CaptureLines(const char* name) {
    std::ifstream in(std::string(NAVORO_TEST_DATA) + "/" + name);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line + "\r\n");
    return lines;
}

TEST(ReceivePath, RoutesEveryCaptureWithoutAllocating) {
    std::vector<std::string> lines;
    for (const char* name :
         {"sample.nmea", "gnss-modern.nmea", "gnss-legacy.nmea", "ais-real.nmea"}) {
        const auto more = CaptureLines(name);
        lines.insert(lines.end(), more.begin(), more.end());
    }
    ASSERT_GT(lines.size(), 100u);
    auto codec = std::make_unique<Codec>();
    const long before = allocations.load();
    int accepted = 0;
    for (int round = 0; round < 3; ++round) {
        for (const std::string& line : lines)
            accepted += RouteSentence(*codec, line.c_str(), line.size()) ? 1 : 0;
    }
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_GT(accepted, 0);
}

}  // namespace
}  // namespace navoro
