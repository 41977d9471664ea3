// The last message of each kind per station: kept beside the target table,
// bounded in stations, kinds and payload, and forgotten with a recycled entry.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ais/StationMessages.h"
#include "codec/Codec.h"
#include "codec/Router.h"
#include "tests/ais/AisTestSupport.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using test::BitWriter;

// A message of `id` from `mmsi` with `bits` bits in all (the rest zero).
AisBitBuffer MessageOf(int id, std::uint32_t mmsi, int bits = 168, int part = 0) {
    BitWriter w;
    w.U(6, static_cast<std::uint64_t>(id))
        .U(2, 0)
        .U(30, mmsi)
        .U(2, static_cast<std::uint64_t>(part));
    return w.Done(bits);
}

// The armoured payload of a message (whole six-bit characters).
std::string Armour(const AisBitBuffer& bits) {
    std::string payload;
    for (int at = 0; at < bits.BitCount; at += 6) {
        const auto v = static_cast<int>(ExtractBits(bits, at, 6));
        payload += static_cast<char>(v < 40 ? v + 48 : v + 56);
    }
    return payload;
}

TEST(StationMessagesTest, KeepsTheLastMessageOfEachKindAndGivesWayToTheOldestKind) {
    auto store = std::make_unique<StationMessages>();
    store->Store(5, 211000001, test::PositionReport(211000001, 100, 200));
    store->Store(5, 211000001, test::PositionReport(211000001, 300, 400));
    store->Store(5, 211000001, MessageOf(24, 211000001, 160, 0));
    store->Store(5, 211000001, MessageOf(24, 211000001, 168, 1));
    const StationMessages::Station* s = store->Find(5, 211000001);
    ASSERT_NE(s, nullptr);
    int kinds = 0;
    for (const auto& m : s->Messages) {
        if (m.Kind == 0) continue;
        ++kinds;
        if (m.Kind == 4) {  // the newer position report replaced the first
            const auto fields = test::Fields(test::Decode(StationMessages::BitsOf(m)));
            EXPECT_EQ(test::ValueOf(fields, "Longitude"), test::Format([] {
                          DecodedField f;
                          f.Kind = kKindLongitude;
                          f.Float = 300 * 0.0001f / 60;
                          return f;
                      }()));
        }
    }
    EXPECT_EQ(kinds, 3) << "message 24 parts A and B are kinds of their own";

    // More kinds than a station has room for: the least recently heard gives way.
    const int ids[] = {4, 5, 6, 7, 8, 9, 10};
    for (int id : ids)
        store->Store(5, 211000001, MessageOf(id, 211000001));
    bool hasPosition = false, hasPartA = false, hasTen = false;
    for (const auto& m : store->Find(5, 211000001)->Messages) {
        hasPosition |= m.Kind == 4;
        hasPartA |= m.Kind == 96;
        hasTen |= m.Kind == 40;
    }
    EXPECT_FALSE(hasPosition);
    EXPECT_FALSE(hasPartA);
    EXPECT_TRUE(hasTen);

    // Outside the table and empty buffers change nothing.
    store->Store(-1, 1, MessageOf(1, 1));
    store->Store(TargetTable::kCapacity, 1, MessageOf(1, 1));
    store->Store(6, 1, AisBitBuffer{});
    EXPECT_EQ(store->Find(TargetTable::kCapacity, 1), nullptr);
    EXPECT_EQ(store->Find(6, 1), nullptr);
}

TEST(StationMessagesTest, CutsALongMessageToItsCapWithAFlag) {
    auto store = std::make_unique<StationMessages>();
    AisBitBuffer longMessage = MessageOf(8, 211000002, 1008);
    for (auto& byte : longMessage.Bits)
        byte |= 0x01;  // bits past the cap must not leak
    longMessage.Bits[0] = static_cast<std::uint8_t>(8 << 2);
    store->Store(1, 211000002, longMessage);
    store->Store(1, 211000002, MessageOf(1, 211000002, 168));
    for (const auto& m : store->Find(1, 211000002)->Messages) {
        if (m.Kind == 32) {
            EXPECT_EQ(m.Truncated, 1);
            EXPECT_EQ(m.BitCount, StationMessages::kPayloadBytes * 8);
            EXPECT_EQ(m.ReceivedBitCount, 1008);
            const AisBitBuffer back = StationMessages::BitsOf(m);
            for (int i = StationMessages::kPayloadBytes; i < AisBitBuffer::kCapacityBytes; ++i)
                ASSERT_EQ(back.Bits[i], 0) << i;
        } else if (m.Kind == 4) {
            EXPECT_EQ(m.Truncated, 0);
            EXPECT_EQ(m.ReceivedBitCount, 168);
        }
    }
}

// Through the receive path: more stations than the table holds. A recycled
// entry no longer answers for its old station, and its new station starts
// with only its own messages.
TEST(StationMessagesTest, FollowsTheTargetTableThroughRecycling) {
    auto codec = std::make_unique<Codec>();
    const auto route = [&](const AisBitBuffer& bits) {
        const std::string line = test::Sentence("!AIVDM,1,1,,A," + Armour(bits) + ",0");
        ASSERT_TRUE(RouteSentence(*codec, line.c_str())) << line;
    };
    route(MessageOf(5, 300000001, 168));
    route(test::PositionReport(300000001));
    const int first = 1;
    ASSERT_EQ(codec->Targets.Entry(first).Mmsi, 300000001u);
    ASSERT_NE(codec->Messages.Find(first, 300000001), nullptr);

    for (std::uint32_t i = 2; i <= TargetTable::kCapacity + 5; ++i)
        route(test::PositionReport(300000000 + i));
    // Every entry's store answers only for the station the entry holds now.
    EXPECT_NE(codec->Targets.Entry(first).Mmsi, 300000001u);
    EXPECT_EQ(codec->Messages.Find(first, 300000001), nullptr);
    const StationMessages::Station* now =
        codec->Messages.Find(first, codec->Targets.Entry(first).Mmsi);
    ASSERT_NE(now, nullptr);
    int kinds = 0;
    for (const auto& m : now->Messages)
        kinds += m.Kind != 0;
    EXPECT_EQ(kinds, 1) << "the recycled entry's message 5 must not stay with the new station";
}

// A station is "long-range only" while the messages held for it include a
// long-range broadcast and no position report of another kind.
TEST(StationMessagesTest, TellsAStationHeardOnlyThroughLongRangeBroadcasts) {
    const struct {
        std::vector<int> Ids;
        bool LongRangeOnly;
    } cases[] = {
        {{27}, true}, {{5, 27}, true}, {{27, 1}, false}, {{18, 27}, false},
        {{5}, false}, {{}, false},     {{27, 27}, true},
    };
    for (const auto& c : cases) {
        auto store = std::make_unique<StationMessages>();
        for (const int id : c.Ids)
            store->Store(7, 211000009, MessageOf(id, 211000009, id == 27 ? 96 : 168));
        EXPECT_EQ(store->HeardOnlyLongRange(7, 211000009), c.LongRangeOnly) << c.Ids.size();
        EXPECT_FALSE(store->HeardOnlyLongRange(7, 211000010));  // another station's entry
    }
}

}  // namespace
}  // namespace navoro
