// Throughput of the receive path: the sentence router on its own and behind the
// line assembly, over corpora of the sentences a transponder sends.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/Framing.h"
#include "codec/Router.h"
#include "link/LineAssembler.h"

namespace {

std::string WithChecksum(const std::string& body) {
    std::vector<char> buffer(body.size() + 8);
    body.copy(buffer.data(), body.size());
    buffer[body.size()] = '\0';
    navoro::AppendChecksum(buffer.data());
    return buffer.data();
}

std::vector<std::string> Corpus(const std::vector<std::string>& bodies) {
    std::vector<std::string> lines;
    for (const std::string& body : bodies)
        lines.push_back(WithChecksum(body));
    return lines;
}

const std::vector<std::string>& ConfigurationReplies() {
    static const std::vector<std::string> lines = Corpus({
        "$AISSD,DHAB7,NORDIC STAR,100,20,5,6,0,AI",
        "$AIVSD,70,7.4,24,ROTTERDAM,083015.01,12,11,0,0",
        "$AITXT,01,01,21,EXTERNAL GPS LOST",
        "$AIALR,101500.00,006,A,V,AIS: TX MALFUNCTION",
        "$AIACA,1,5000,N,00500,E,4900,N,00400,W,5,2087,0,2088,0,0,0,C,0,120000",
        "$AIAIQ,SSD",
    });
    return lines;
}

const std::vector<std::string>& GnssSentences() {
    static const std::vector<std::string> lines = Corpus({
        "$GPGGA,092750.000,5321.6802,N,00630.3372,W,1,8,1.03,61.7,M,55.2,M,,",
        "$GPRMC,092750.000,A,5321.6802,N,00630.3372,W,0.02,31.66,280511,,,A",
        "$GPGSA,A,3,10,07,05,02,29,04,08,13,,,,,1.72,1.03,1.38",
        "$GPGSV,3,1,11,10,63,137,17,07,61,098,15,05,59,290,20,08,54,157,30",
        "$GPVTG,31.66,T,,M,0.02,N,0.04,K,A",
        "$GPZDA,201530.00,04,07,2002,00,00",
    });
    return lines;
}

const std::vector<std::string>& AisSentences() {
    static const std::vector<std::string> lines = Corpus({
        "!AIVDM,1,1,,A,13aEOK?P00PD2wVMdLDRhgvL289?,0",
        "!AIVDM,2,1,3,B,55?MbV02;H;s<HtKR20EHE:0@T4@Dn2222222216L961O5Gf0NSQEp6ClRp8,0",
        "!AIVDM,2,2,3,B,88888888880,2",
        "!AIVDO,1,1,,,B52K>;h00Fc>jpUlNV@ikwpUoP06,0",
        "!AIVDM,1,1,,B,4025;PAuho;N>0NJbfMRhNA00D3l,0",
    });
    return lines;
}

void RouteAll(benchmark::State& state, const std::vector<std::string>& lines) {
    auto codec = std::make_unique<navoro::Codec>();
    std::int64_t count = 0;
    for (auto _ : state) {
        for (const std::string& line : lines) {
            benchmark::DoNotOptimize(navoro::RouteSentence(*codec, line.data(), line.size()));
        }
        count += static_cast<std::int64_t>(lines.size());
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsRate);
}

void BM_RouteConfigurationReplies(benchmark::State& state) {
    RouteAll(state, ConfigurationReplies());
}
void BM_RouteGnssSentences(benchmark::State& state) {
    RouteAll(state, GnssSentences());
}
void BM_RouteAisSentences(benchmark::State& state) {
    RouteAll(state, AisSentences());
}

void BM_RouteMixed(benchmark::State& state) {
    std::vector<std::string> mixed;
    for (const auto* corpus : {&GnssSentences(), &ConfigurationReplies(), &AisSentences()}) {
        mixed.insert(mixed.end(), corpus->begin(), corpus->end());
    }
    RouteAll(state, mixed);
}

// The whole receive path: bytes -> lines -> router, as the receive event runs it.
void BM_ReceivePath(benchmark::State& state) {
    struct Dispatch : navoro::LineSink {
        navoro::Codec* codec;
        void DispatchSentence(char* line) override {
            if (line[0] == '$' || line[0] == '!')
                benchmark::DoNotOptimize(navoro::RouteSentence(*codec, line));
        }
    };
    auto codec = std::make_unique<navoro::Codec>();
    Dispatch sink;
    sink.codec = codec.get();
    navoro::LineAssembler assembler(sink);
    std::string bytes;
    std::int64_t per_round = 0;
    for (const auto* corpus : {&GnssSentences(), &ConfigurationReplies(), &AisSentences()}) {
        for (const std::string& line : *corpus) {
            bytes += line;
            ++per_round;
        }
    }
    std::int64_t count = 0;
    for (auto _ : state) {
        assembler.Feed(bytes);
        count += per_round;
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsRate);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                            static_cast<std::int64_t>(bytes.size()));
}

BENCHMARK(BM_RouteConfigurationReplies);
BENCHMARK(BM_RouteGnssSentences);
BENCHMARK(BM_RouteAisSentences);
BENCHMARK(BM_RouteMixed);
BENCHMARK(BM_ReceivePath);

}  // namespace

BENCHMARK_MAIN();
