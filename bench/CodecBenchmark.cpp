// Throughput of the receive path (the sentence router on its own and behind the
// line assembly, over corpora of the sentences a transponder sends) and of the
// composers that build the sentences sent to it.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "codec/Codec.h"
#include "codec/Composer.h"
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
        "$GPGLL,4916.45,N,12311.12,W,225444,A,A",
        "$GPGBS,015509.00,-0.031,-0.186,0.219,19,0.000,-0.354,6.972",
        "$GPGSV,3,3,11,29,09,301,24,16,09,020,,36,,,",
        "$GNGNS,092750.00,5321.6802,N,00630.3372,W,AN,08,1.03,61.7,55.2,,",
        "$HEHDT,274.07,T",
    });
    return lines;
}

const std::vector<std::string>& ProprietaryReplies() {
    static const std::vector<std::string> lines = Corpus({
        "$PLMO,R,TSV,30,0,101,1,102,0,122,0",
        "$PLMO,R,CPA,45,20,46,10,47,1,,",
        "$PLMO,R,BAU,3,38400",
        "$PLMO,R,DES,2,HAMBURG",
        "$PLMO,R,MBL,211000000,JOHN SMITH",
        "$PLMO,R,CLR,1,1010101010,1,2087,2088",
        "$PMID,211000000,009876543",
        "$PTST,12345,07,a,Z,00017",
        "$PMOB,A1B2C3,5,0F,,0102",
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
void BM_RouteProprietaryReplies(benchmark::State& state) {
    RouteAll(state, ProprietaryReplies());
}

void BM_RouteMixed(benchmark::State& state) {
    std::vector<std::string> mixed;
    for (const auto* corpus :
         {&GnssSentences(), &ConfigurationReplies(), &ProprietaryReplies(), &AisSentences()}) {
        mixed.insert(mixed.end(), corpus->begin(), corpus->end());
    }
    RouteAll(state, mixed);
}

// The whole receive path: bytes -> lines -> router, as the receive event runs it.
void BM_ReceivePath(benchmark::State& state) {
    struct Dispatch : navoro::LineSink {
        navoro::Codec* codec;
        void RouteLine(char* line) override {
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
    for (const auto* corpus :
         {&GnssSentences(), &ConfigurationReplies(), &ProprietaryReplies(), &AisSentences()}) {
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

// Composing: stores filled as the configuration workflows fill them, then
// every formatter of a group composed in turn.
struct ComposeJob {
    const char* formatter;
    const char* talker;
};

void ComposeAll(benchmark::State& state, std::initializer_list<ComposeJob> jobs) {
    auto codec = std::make_unique<navoro::Codec>();
    navoro::AisStore& ais = codec->Ais;
    navoro::CopyText(ais.CallSign, "DHAB7");
    navoro::CopyText(ais.Name, "NORDIC STAR");
    ais.DimA = 100;
    ais.DimB = 20;
    ais.DimC = 5;
    ais.DimD = 6;
    navoro::CopyText(ais.Source, "AI");
    ais.ShipType = 70;
    ais.Draught = 7.4f;
    ais.PersonsOnBoard = 24;
    navoro::CopyText(ais.Destination, "ROTTERDAM");
    const std::uint8_t eta[] = {8, 30, 0, 0, 12, 11, 0};
    std::copy(std::begin(eta), std::end(eta), ais.TimeDate);
    navoro::ProprietaryStore& p = codec->Proprietary;
    p.Mmsi = 211000000;
    p.Imo = 9876543;
    p.TstValue = 99999;
    p.TstNumber = 99;
    p.TstCode = 16;
    const std::int16_t ids[] = {45, 46, 47, 999};
    const std::int32_t values[] = {20, 10, 1, INT32_MIN};
    std::copy(std::begin(ids), std::end(ids), p.DbgParamId);
    std::copy(std::begin(values), std::end(values), p.DbgParamValue);
    p.BdyValue = 123456789;
    navoro::CopyText(p.BdyText1, "TEXT ONE");
    p.FrqValue[0] = 161975000;
    p.FrqValue[1] = 162025000;
    navoro::CopyText(p.BthText, "LUMO-AIS");
    p.TpsValue = 1;
    navoro::CopyText(p.TpsText, "SN12345678");
    p.MobDataLength = 2;
    navoro::GnssStore& g = codec->Gnss;
    g.Time = navoro::TimeOfDay{9, 27, 50, 0};
    g.Status = 'A';
    g.Lat = 53.361336f;
    g.Lon = -6.50562f;
    g.SogKnots = 0.02f;
    g.CogTrue = 31.66f;
    g.Year = 2011;
    g.Month = 5;
    g.Day = 28;
    g.ModeIndicator = 'A';
    g.SelectionMode = 'A';
    g.FixMode = 3;
    g.Pdop = 1.72f;
    g.Hdop = 1.03f;
    g.Vdop = 1.38f;
    codec->Nav.Heading = 274.07f;

    char buffer[navoro::kComposeBufferSize];
    std::int64_t count = 0;
    for (auto _ : state) {
        for (const ComposeJob& job : jobs) {
            benchmark::DoNotOptimize(
                navoro::ComposeSentence(*codec, buffer, sizeof buffer, job.formatter, job.talker));
            benchmark::ClobberMemory();
        }
        count += static_cast<std::int64_t>(jobs.size());
    }
    state.counters["sentences/s"] =
        benchmark::Counter(static_cast<double>(count), benchmark::Counter::kIsRate);
}

void BM_ComposeConfiguration(benchmark::State& state) {
    ComposeAll(state, {{"SSD", "EC"}, {"VSD", "EC"}, {"MID", "P"}, {"TST", "P"}, {"DBG", "P"}});
}
void BM_ComposeGnss(benchmark::State& state) {
    ComposeAll(state, {{"GBS", "GP"}, {"GSA", "GP"}, {"RMC", "GP"}, {"HDT", "HE"}});
}
void BM_ComposeProprietary(benchmark::State& state) {
    ComposeAll(state, {{"BDY", "P"}, {"FRQ", "P"}, {"BTH", "P"}, {"TPS", "P"}, {"MOB", "P"}});
}

BENCHMARK(BM_RouteConfigurationReplies);
BENCHMARK(BM_RouteGnssSentences);
BENCHMARK(BM_RouteAisSentences);
BENCHMARK(BM_RouteProprietaryReplies);
BENCHMARK(BM_RouteMixed);
BENCHMARK(BM_ReceivePath);
BENCHMARK(BM_ComposeConfiguration);
BENCHMARK(BM_ComposeGnss);
BENCHMARK(BM_ComposeProprietary);

}  // namespace

BENCHMARK_MAIN();
