// AIS decoding on the hot path of every AIS sentence: de-armouring the
// payload, decoding the message and filing it in the target table.
//
//   build/bin/navoro_ais_bench
//
// items_per_second is AIS messages per second on one core.

#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <random>
#include <vector>

#include "ais/AisDecoder.h"
#include "ais/TargetTable.h"
#include "codec/Router.h"

namespace navoro {
namespace {

// Payloads of common messages (position reports, static data, base stations,
// aids to navigation, binary and safety messages), with their fill bits and a
// weight that follows what a busy coastal receiver hears.
struct Template {
    const char* Payload;
    int FillBits;
    int Weight;
};

const Template kTemplates[] = {
    {"13`l7@0p1sPDVG0MqLt4lSs200TU", 0, 40},                                            // 1
    {"23`l7@COww<tSF0l4Q@>4?wp0000", 0, 8},                                             // 2
    {"33`l7@gP00JuAe1e7P@0001r0000", 0, 14},                                            // 3
    {"B3aaSF@0=h52A07Og82`j765kP06", 0, 10},                                            // 18
    {"53`l7@02;=`10C7;?@0pu8@T>1=@580000000016?0N:<5GfNNTSm51DQ0C@00000000000", 2, 8},  // 5
    {"402E341v`o<N5PCM7PN2Vp100000", 0, 4},                                             // 4
    {"H3aaSF@8iDF1LP4hD0000000000", 2, 3},                                              // 24 A
    {"H3aaSFDU<=?ijkl@5lkji01P4230", 0, 3},                                             // 24 B
    {"E>jN6<IW7Wa2@44W22a@1:WdP00@5f=P>p9P050`HKW013SlU284jA1H1F50", 0, 2},             // 21
    {"C3aaSFP0@`4rt@7NlR1hQJ6PV:30<2H6NL0000000000BP`1Q12P", 0, 1},                     // 19
    {"802E3400Gh0iRC3lUF6o`I9rcL<uf@", 4, 2},                                           // 8
    {"63`l7@4rE8?4>d`48>RWt0T", 2, 1},                                                  // 6
    {"91b5jpEo2<PFpn0NDrh3Q5024000", 0, 1},                                             // 9
    {">02E341<D=E8U@F1L58pTpL", 2, 1},                                                  // 14
    {"F02E3422N2P1lJ3`03aDPt@F0000", 0, 1},                                             // 22
    {"=3aDPt@r=1l3", 0, 1},                                                             // 13
};

char Armour(unsigned v) {
    return static_cast<char>(v < 40 ? v + 48 : v + 56);
}

// The payload of `bits` (a whole number of bytes) with its fill bits.
void ArmourBits(const AisBitBuffer& bits, VdmAssembly& out) {
    const int n = bits.BitCount;
    int chars = 0;
    for (int pos = 0; pos < n; pos += 6) {
        const int width = n - pos < 6 ? n - pos : 6;
        out.Payload[chars++] = Armour(ExtractBits(bits, pos, width) << (6 - width));
    }
    out.Payload[chars] = '\0';
    out.FillBits = static_cast<std::int8_t>(chars * 6 - n);
}

// `count` complete assemblies drawn from the templates by weight, each sent by
// one of `stations` MMSIs.
std::vector<VdmAssembly> MakeTraffic(int count, int stations, bool positionsOnly) {
    std::mt19937 rng(1);
    std::vector<int> pool;
    for (int t = 0; t < static_cast<int>(std::size(kTemplates)); ++t) {
        if (positionsOnly && t > 0) break;
        for (int w = 0; w < kTemplates[t].Weight; ++w)
            pool.push_back(t);
    }
    std::uniform_int_distribution<int> pickTemplate(0, static_cast<int>(pool.size()) - 1);
    std::uniform_int_distribution<int> pickStation(0, stations - 1);
    std::vector<VdmAssembly> traffic(static_cast<std::size_t>(count));
    for (VdmAssembly& a : traffic) {
        const Template& t = kTemplates[pool[static_cast<std::size_t>(pickTemplate(rng))]];
        VdmAssembly source{};
        std::strcpy(source.Payload, t.Payload);
        source.FillBits = static_cast<std::int8_t>(t.FillBits);
        AisBitBuffer bits{};
        DearmourPayload(source, bits);
        // A new MMSI in bits 8 to 37.
        const std::uint32_t mmsi =
            200000000u + static_cast<std::uint32_t>(pickStation(rng)) * 7919u;
        for (int i = 0; i < 30; ++i) {
            const int bit = 8 + i;
            const std::uint8_t mask = static_cast<std::uint8_t>(0x80u >> (bit % 8));
            if ((mmsi >> (29 - i)) & 1u) {
                bits.Bits[bit / 8] |= mask;
            } else {
                bits.Bits[bit / 8] &= static_cast<std::uint8_t>(~mask);
            }
        }
        ArmourBits(bits, a);
        a.Total = 1;
        a.Number = 1;
        a.Channel = 'A';
    }
    return traffic;
}

// De-armour, decode and file, as the router does for a completed message.
void Run(benchmark::State& state, int stations, bool positionsOnly) {
    const std::vector<VdmAssembly> traffic = MakeTraffic(8192, stations, positionsOnly);
    auto codec = std::make_unique<Codec>();
    std::size_t i = 0;
    std::int64_t filed = 0;
    for (auto _ : state) {
        const VdmAssembly& a = traffic[i];
        i = (i + 1) & (traffic.size() - 1);
        if (!DearmourPayload(a, codec->Bits)) continue;
        codec->Decoded = DecodedRecord{};
        if (!DecodeMessage(codec->Bits, codec->Decoded)) continue;
        const int index = codec->Targets.StoreMessage(codec->Decoded, 'A' - '0', 0, false);
        if (index >= 0) ++codec->Targets.Entry(index).VdmCount;
        ++filed;
        benchmark::DoNotOptimize(codec->Decoded);
    }
    state.SetItemsProcessed(filed);
    state.counters["targets"] = codec->Targets.Count();
}

// The usual mix of a busy area: 1500 stations, the table never full.
void BM_DecodeAndStore_Mix(benchmark::State& state) {
    Run(state, 1500, false);
}
// Class A position reports only.
void BM_DecodeAndStore_Positions(benchmark::State& state) {
    Run(state, 1500, true);
}
// More stations than the table holds: most new stations recycle the oldest entry.
void BM_DecodeAndStore_FullTable(benchmark::State& state) {
    Run(state, 6000, false);
}

// The decoder alone, on the mix.
void BM_DecodeMessage(benchmark::State& state) {
    const std::vector<VdmAssembly> traffic = MakeTraffic(1024, 1500, false);
    std::vector<AisBitBuffer> bits(traffic.size());
    for (std::size_t k = 0; k < traffic.size(); ++k)
        DearmourPayload(traffic[k], bits[k]);
    DecodedRecord record{};
    std::size_t i = 0;
    for (auto _ : state) {
        record = DecodedRecord{};
        benchmark::DoNotOptimize(DecodeMessage(bits[i], record));
        i = (i + 1) & (bits.size() - 1);
    }
    state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_DecodeAndStore_Mix);
BENCHMARK(BM_DecodeAndStore_Positions);
BENCHMARK(BM_DecodeAndStore_FullTable);
BENCHMARK(BM_DecodeMessage);

}  // namespace
}  // namespace navoro

BENCHMARK_MAIN();
