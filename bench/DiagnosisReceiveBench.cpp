// The receive path of the main window with every diagnosis page live and the
// data log on: received bytes go through the line assembly to the window's
// consumers, as its receive callback hands them over (the log, then the
// dispatcher with the GNSS view and the position-report counters, the
// handshake detector and the information-dump collector);
// between reads the event loop runs (log batches, timers, painting of the
// visible page). Reports lines/s and the longest single handler: a read's
// handling or the delivery of one event (a timer's tick, a paint).
//
// BM_ReceiveAisTargetsVisible fills the target table (2 250 stations) first,
// then feeds the stream with a position report of one of those stations after
// each line, the AIS TARGETS page shown: lines/s, the longest handler, the
// longest 1 Hz update of the page, and the resident memory's growth.
//
// BM_DataLogTenMillionLines puts a day's lines (10 million) through the
// log and saves them: lines/s, resident memory at the end, Save's time.
//
//   QT_QPA_PLATFORM=offscreen build/bin/navoro_diagnosis_bench
//   NAVORO_CAPTURE=capture.nmea QT_QPA_PLATFORM=offscreen build/bin/navoro_diagnosis_bench
#include <benchmark/benchmark.h>

#include <time.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/CaptureReplay.h"
#include "app/ControlTexts.h"
#include "app/MainWindow.h"
#include "diagnosis/DataLogFile.h"
#include "diagnosis/DataLogPage.h"
#include "diagnosis/DiagnosisPages.h"
#include "diagnosis/TargetsModel.h"
#include "diagnosis/TargetsPage.h"
#include "link/LineAssembler.h"
#include "tests/diagnosis/SimulatorStream.h"
#include "tools/sim/AisPayload.h"
#include "ui/ScriptedPrompts.h"

namespace {

// The calling thread's CPU time in nanoseconds: unlike the wall clock, it
// leaves out the time other processes of a busy machine took.
qint64 ThreadCpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<qint64>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// Times every event the application delivers (the outermost delivery only:
// an event handled inside another one is part of it), by the wall clock and
// by the thread's CPU time.
class TimedApplication : public QApplication {
  public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        if (depth_++ > 0) {
            const bool result = QApplication::notify(receiver, event);
            --depth_;
            return result;
        }
        QElapsedTimer clock;
        clock.start();
        const qint64 cpu = ThreadCpuNs();
        const bool result = QApplication::notify(receiver, event);
        const qint64 wall = clock.nsecsElapsed();
        Record(wall, ThreadCpuNs() - cpu);
        if (receiver == watched) longestWatched = std::max(longestWatched, wall);
        --depth_;
        return result;
    }
    void Record(qint64 wallNs, qint64 cpuNs) {
        longest = std::max(longest, wallNs);
        longestCpu = std::max(longestCpu, cpuNs);
        ++handlers;
        if (wallNs > kFrameNs) ++overFrame;
        if (cpuNs > kFrameNs) ++overFrameCpu;
    }
    void Reset() {
        longest = longestCpu = handlers = overFrame = overFrameCpu = longestWatched = 0;
    }

    static constexpr qint64 kFrameNs = 16'000'000;
    qint64 longest = 0, longestCpu = 0;
    qint64 handlers = 0;
    qint64 overFrame = 0, overFrameCpu = 0;
    // One object whose events are also timed apart (a page's timer).
    QObject* watched = nullptr;
    qint64 longestWatched = 0;

  private:
    int depth_ = 0;
};

TimedApplication* App() {
    return static_cast<TimedApplication*>(QCoreApplication::instance());
}

// The capture fed: the file named by NAVORO_CAPTURE, or two minutes of
// navoro-sim's output.
struct Capture {
    std::string Bytes;
    int Lines = 0;
};
const Capture& Stream() {
    static const Capture capture = [] {
        Capture c;
        const QByteArray path = qgetenv("NAVORO_CAPTURE");
        if (!path.isEmpty()) {
            std::ifstream in(path.constData(), std::ios::binary);
            c.Bytes.assign(std::istreambuf_iterator<char>(in), {});
            c.Lines = static_cast<int>(std::count(c.Bytes.begin(), c.Bytes.end(), '\n'));
            return c;
        }
        for (const std::string& line : navoro::test::SimulatorStream(120)) {
            c.Bytes += line;
            ++c.Lines;
        }
        return c;
    }();
    return capture;
}

struct Window {
    QTemporaryDir documents;
    navoro::ScriptedPrompts prompts;
    std::unique_ptr<navoro::MainWindow> form;

    explicit Window(int diagnosisPage) {
        navoro::ShellEnvironment environment{QCoreApplication::applicationDirPath().toStdString(),
                                             documents.path().toStdString(),
                                             {}};
        form = std::make_unique<navoro::MainWindow>(prompts, environment);
        form->show();
        navoro::FindControlAs<QTabWidget>(form.get(), "PageControlMain")->setCurrentIndex(1);
        navoro::FindControlAs<QTabWidget>(form.get(), "PageControlDiagnosis")
            ->setCurrentIndex(diagnosisPage);
        navoro::FindControlAs<QCheckBox>(form.get(), "cbxEnableLog")->setChecked(true);
        form->SystemCheckTimer()->start();
        QApplication::processEvents();
    }
};

// Feeds the capture in reads of `readSize` bytes (a receive event each), the
// event loop running between reads.
void Receive(benchmark::State& state, int diagnosisPage, bool fullLog) {
    Window window(diagnosisPage);
    // The window's own consumers, in the receive path's order: the log, then
    // the routing to the pages, the handshake and the information dump.
    navoro::DeviceSession& receive = window.form->Session();
    if (fullLog) {
        // The log at its cap already: every batch now also drops old lines.
        navoro::DataLogPage& log = window.form->diagnosis().DataLog();
        const std::string line = "!AIVDM,1,1,,A,13u?etPv2;0n:dDPwUM1U1Cb069D,0*24";
        for (std::size_t i = 0; i < log.MaxLines(); ++i)
            log.LogLine(line);
        log.FlushDataLog();
    }
    const Capture& capture = Stream();
    const std::size_t readSize = static_cast<std::size_t>(state.range(0));
    TimedApplication* app = App();
    app->Reset();
    qint64 longestRead = 0;
    std::int64_t lines = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        for (std::size_t at = 0; at < capture.Bytes.size(); at += readSize) {
            const std::size_t n = std::min(readSize, capture.Bytes.size() - at);
            // One receive event: its bytes through the line assembly.
            clock.start();
            const qint64 cpu = ThreadCpuNs();
            receive.Feed(std::string_view(capture.Bytes).substr(at, n));
            const qint64 read = clock.nsecsElapsed();
            longestRead = std::max(longestRead, read);
            app->Record(read, ThreadCpuNs() - cpu);
            QApplication::processEvents();
        }
        lines += capture.Lines;
    }
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(lines), benchmark::Counter::kIsRate);
    state.counters["longest_read_ms"] = static_cast<double>(longestRead) / 1e6;
    state.counters["longest_handler_ms"] = static_cast<double>(app->longest) / 1e6;
    state.counters["handlers"] = static_cast<double>(app->handlers);
    state.counters["over_16ms"] = static_cast<double>(app->overFrame);
    state.counters["longest_handler_cpu_ms"] = static_cast<double>(app->longestCpu) / 1e6;
    state.counters["over_16ms_cpu"] = static_cast<double>(app->overFrameCpu);
}

void BM_ReceiveGpsStatusVisible(benchmark::State& state) {
    Receive(state, 1, false);
}
void BM_ReceiveDataLogVisible(benchmark::State& state) {
    Receive(state, 2, false);
}
void BM_ReceiveDataLogVisibleAtCap(benchmark::State& state) {
    Receive(state, 2, true);
}
void BM_ReceiveSystemCheckVisible(benchmark::State& state) {
    Receive(state, 0, false);
}

double ResidentMb();

// Stations that fill the target table (with the own ship, 2 250 entries),
// spread over 30 NM around the simulator's own ship, moving east-north-east.
constexpr int kStations = 2249;
constexpr std::uint32_t kFirstMmsi = 503000000;

navoro::sim::PositionReport StationReport(int i, int step) {
    navoro::sim::PositionReport r;
    r.Mmsi = kFirstMmsi + static_cast<std::uint32_t>(i);
    r.NavStatus = i % 9;
    r.SogKnots = 4.0 + i % 17;
    r.Cog = (i * 37) % 360;
    r.Heading = static_cast<int>(r.Cog);
    r.Lat = 54.5120 + ((i % 61) - 30) / 60.0 + step * 1e-4;
    r.Lon = 10.4480 + ((i / 61 % 61) - 30) / 35.0 + step * 2e-4;
    r.Second = step % 60;
    return r;
}

void Append(std::string& to, const navoro::sim::AisPayload& payload, int& lines) {
    for (const std::string& line : navoro::sim::Encapsulate("VDM", 'A', payload, lines % 10)) {
        to += line;
        ++lines;
    }
}

// The AIS TARGETS page shown over a full target table.
void BM_ReceiveAisTargetsVisible(benchmark::State& state) {
    Window window(0);
    const double residentBefore = ResidentMb();
    auto* tabs = navoro::FindControlAs<QTabWidget>(window.form.get(), "PageControlDiagnosis");
    tabs->setCurrentWidget(navoro::FindControlAs<QWidget>(window.form.get(), "TabSheetAisTargets"));
    navoro::TargetsPage* page = window.form->diagnosis().AisTargets();
    navoro::DeviceSession& receive = window.form->Session();
    {
        // Static data and a first position of every station.
        std::string fill;
        int lines = 0;
        for (int i = 0; i < kStations; ++i) {
            navoro::sim::StaticVoyageData data;
            data.Mmsi = kFirstMmsi + static_cast<std::uint32_t>(i);
            data.Name = "STATION " + std::to_string(i);
            data.CallSign = "C" + std::to_string(i);
            data.ShipType = 30 + i % 60;
            Append(fill, navoro::sim::EncodeStaticVoyageData(data), lines);
            Append(fill, navoro::sim::EncodePositionReport(StationReport(i, 0)), lines);
        }
        receive.Feed(fill);
        page->UpdateAisTargets();
        QApplication::processEvents();
    }
    // The simulator's stream with a station's position report after each line.
    std::string bytes;
    int lines = 0;
    {
        const std::string& stream = Stream().Bytes;
        int report = 0;
        for (std::size_t start = 0; start < stream.size();) {
            std::size_t end = stream.find('\n', start);
            if (end == std::string::npos) end = stream.size() - 1;
            bytes.append(stream, start, end - start + 1);
            ++lines;
            Append(bytes,
                   navoro::sim::EncodePositionReport(
                       StationReport(report % kStations, 1 + report / kStations)),
                   lines);
            ++report;
            start = end + 1;
        }
    }
    const std::size_t readSize = static_cast<std::size_t>(state.range(0));
    TimedApplication* app = App();
    app->Reset();
    app->watched = page->Timer();
    std::int64_t total = 0;
    QElapsedTimer clock;
    for (auto _ : state) {
        for (std::size_t at = 0; at < bytes.size(); at += readSize) {
            const std::size_t n = std::min(readSize, bytes.size() - at);
            clock.start();
            const qint64 cpu = ThreadCpuNs();
            receive.Feed(std::string_view(bytes).substr(at, n));
            app->Record(clock.nsecsElapsed(), ThreadCpuNs() - cpu);
            QApplication::processEvents();
        }
        total += lines;
    }
    app->watched = nullptr;
    state.counters["lines/s"] =
        benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
    state.counters["targets"] = window.form->codec().Targets.Count();
    state.counters["rows"] = page->Model().rowCount();
    state.counters["longest_handler_ms"] = static_cast<double>(app->longest) / 1e6;
    state.counters["over_16ms"] = static_cast<double>(app->overFrame);
    state.counters["longest_handler_cpu_ms"] = static_cast<double>(app->longestCpu) / 1e6;
    state.counters["longest_update_ms"] = static_cast<double>(app->longestWatched) / 1e6;
    state.counters["rss_growth_mb"] = ResidentMb() - residentBefore;
}

// Resident memory now, in MB (VmRSS).
double ResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string word;
    while (status >> word) {
        if (word == "VmRSS:") {
            double kb = 0;
            status >> kb;
            return kb / 1024.0;
        }
    }
    return 0;
}

// A day at a busy port through the window's log (the DATA LOG page shown,
// the event loop running every 100 lines as between reads), then Save.
void BM_DataLogTenMillionLines(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    std::vector<std::string> lines;
    {
        const std::string& bytes = Stream().Bytes;
        std::size_t start = 0;
        while (start < bytes.size()) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string::npos) end = bytes.size();
            std::string line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(std::move(line));
            start = end + 1;
        }
    }
    QTemporaryDir out;
    for (auto _ : state) {
        Window window(2);
        navoro::DataLogPage& log = window.form->diagnosis().DataLog();
        TimedApplication* app = App();
        app->Reset();
        QElapsedTimer clock;
        clock.start();
        for (std::int64_t i = 0; i < count; ++i) {
            log.LogLine(lines[static_cast<std::size_t>(i) % lines.size()]);
            if (i % 100 == 99) QApplication::processEvents();
        }
        log.FlushDataLog();
        const double logSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        const double residentMb = ResidentMb();
        const std::string saved = (out.path() + "/day.TXT").toStdString();
        window.prompts.SaveFileNames.push_back(saved);
        clock.start();
        log.SaveLog();
        const double saveSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        state.counters["lines/s"] = static_cast<double>(count) / logSeconds;
        state.counters["rss_mb"] = residentMb;
        state.counters["save_s"] = saveSeconds;
        state.counters["saved_mb"] =
            static_cast<double>(QFileInfo(QString::fromStdString(saved)).size()) / 1e6;
        state.counters["longest_handler_ms"] = static_cast<double>(app->longest) / 1e6;
        state.counters["over_16ms"] = static_cast<double>(app->overFrame);
        state.counters["longest_handler_cpu_ms"] = static_cast<double>(app->longestCpu) / 1e6;
        state.counters["over_16ms_cpu"] = static_cast<double>(app->overFrameCpu);
        state.counters["errors"] =
            static_cast<double>(window.prompts.Count(navoro::PromptKind::Message));
        QFile::remove(QString::fromStdString(saved));
    }
}

// A day's capture of a busy port replayed as fast as possible into the window
// (File > Open capture...), every page live: the data log on, GPS STATUS shown,
// the target table filling. The capture (the simulator's stream, each line with
// the data log's time stamp) is written to a temporary file first, not counted.
void BM_ReplayFastest(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    QTemporaryDir folder;
    const std::string path = (folder.path() + "/day.log").toStdString();
    {
        std::vector<std::string> lines;
        const std::string& bytes = Stream().Bytes;
        for (std::size_t start = 0; start < bytes.size();) {
            std::size_t end = bytes.find('\n', start);
            if (end == std::string::npos) end = bytes.size();
            lines.push_back(bytes.substr(start, end - start + 1));
            start = end + 1;
        }
        std::ofstream out(path, std::ios::binary);
        char stamp[navoro::kArrivalTimeLength];
        std::int64_t ms = 1796924086000;
        for (std::int64_t i = 0; i < count; ++i) {
            if (i % 300 == 0) ms += 1000;  // a busy port: some 300 lines a second
            navoro::FormatArrivalTime(ms, stamp);
            out.write(stamp, sizeof stamp);
            out.put(' ');
            out << lines[static_cast<std::size_t>(i) % lines.size()];
        }
    }
    for (auto _ : state) {
        Window window(1);
        navoro::ReplayPanel& replay = window.form->Replay();
        replay.cbxReplaySpeed()->setCurrentIndex(static_cast<int>(navoro::ReplaySpeed::Fastest));
        TimedApplication* app = App();
        app->Reset();
        QElapsedTimer clock;
        clock.start();
        const qint64 cpu = ThreadCpuNs();
        if (!window.form->StartReplay(path)) {
            state.SkipWithError("the capture was not replayed");
            return;
        }
        QEventLoop loop;
        QObject::connect(&replay.Replay(), &navoro::CaptureReplay::Finished, &loop,
                         &QEventLoop::quit);
        loop.exec();
        const double seconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        const double cpuSeconds = static_cast<double>(ThreadCpuNs() - cpu) / 1e9;
        const navoro::CaptureReader& reader = replay.Replay().Reader();
        state.counters["lines/s"] = static_cast<double>(reader.LinesAccepted()) / seconds;
        state.counters["lines/s_cpu"] = static_cast<double>(reader.LinesAccepted()) / cpuSeconds;
        state.counters["accepted"] = static_cast<double>(reader.LinesAccepted());
        state.counters["rss_mb"] = ResidentMb();
        state.counters["targets"] = window.form->codec().Targets.Count();
        state.counters["longest_slice_ms"] = static_cast<double>(replay.Replay().LongestSliceMs());
        state.counters["longest_handler_ms"] = static_cast<double>(app->longest) / 1e6;
        state.counters["over_16ms"] = static_cast<double>(app->overFrame);
        state.counters["longest_handler_cpu_ms"] = static_cast<double>(app->longestCpu) / 1e6;
        state.counters["over_16ms_cpu"] = static_cast<double>(app->overFrameCpu);
    }
}

// Reads of 1 KiB (about one second of the stream at 115200 bit/s) and of a
// full 4 KiB driver queue.
BENCHMARK(BM_ReceiveGpsStatusVisible)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiveDataLogVisible)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiveDataLogVisibleAtCap)->Arg(4096)->Unit(benchmark::kMillisecond);
// Long enough for several of the page's 1 Hz updates.
BENCHMARK(BM_ReceiveAisTargetsVisible)
    ->Arg(1024)
    ->Arg(4096)
    ->MinTime(6.0)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiveSystemCheckVisible)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DataLogTenMillionLines)->Arg(10'000'000)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_ReplayFastest)
    ->Arg(1'000'000)
    ->Arg(10'000'000)
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    TimedApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
