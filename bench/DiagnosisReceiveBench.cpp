// The receive path of the main window with every diagnosis page live and the
// data log on: received bytes are assembled into lines, logged, routed through
// the codec and dispatched to the GNSS view and the position-report counters;
// between reads the event loop runs (log batches, timers, painting of the
// visible page). Reports lines/s and the longest single handler: a read's
// handling or the delivery of one event (a timer's tick, a paint).
//
//   QT_QPA_PLATFORM=offscreen build/bin/navoro_diagnosis_bench
//   NAVORO_CAPTURE=capture.nmea QT_QPA_PLATFORM=offscreen build/bin/navoro_diagnosis_bench
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QTabWidget>
#include <QTemporaryDir>
#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "app/ControlTexts.h"
#include "app/ScriptedPrompts.h"
#include "app/TForm1.h"
#include "codec/FormatterTable.h"
#include "codec/Router.h"
#include "diagnosis/DataLogPage.h"
#include "diagnosis/DiagnosisPages.h"
#include "link/LineAssembler.h"
#include "tests/diagnosis/SimulatorStream.h"

namespace {

// Times every event the application delivers (the outermost delivery only:
// an event handled inside another one is part of it).
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
        const bool result = QApplication::notify(receiver, event);
        Record(clock.nsecsElapsed());
        --depth_;
        return result;
    }
    void Record(qint64 ns) {
        longest = std::max(longest, ns);
        ++handlers;
        if (ns > kFrameNs) ++overFrame;
    }
    void Reset() { longest = handlers = overFrame = 0; }

    static constexpr qint64 kFrameNs = 16'000'000;
    qint64 longest = 0;
    qint64 handlers = 0;
    qint64 overFrame = 0;

  private:
    int depth_ = 0;
};

TimedApplication* App() {
    return static_cast<TimedApplication*>(QCoreApplication::instance());
}

// What the receive handler does with each complete line.
class DiagnosisSink : public navoro::LineSink {
  public:
    explicit DiagnosisSink(navoro::TForm1& form) : form_(form) {}
    bool LogEnabled() const override { return form_.diagnosis().LogEnabled(); }
    void LogLine(std::string_view line) override { form_.diagnosis().LogLine(line); }
    void DispatchSentence(char* line) override {
        if (line[0] != '$' && line[0] != '!') return;
        navoro::Codec& codec = form_.codec();
        if (!navoro::RouteSentence(codec, line)) return;
        const int group = navoro::FormatterGroup(codec.Received.Header);
        if (group == navoro::kGroupGnss) form_.diagnosis().UpdateGnssStatus();
        if (group == navoro::kGroupAis && line[0] == '!') form_.diagnosis().CountPositionReport();
    }

  private:
    navoro::TForm1& form_;
};

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
    std::unique_ptr<navoro::TForm1> form;

    explicit Window(int diagnosisPage) {
        navoro::ShellEnvironment environment{QCoreApplication::applicationDirPath().toStdString(),
                                             documents.path().toStdString(),
                                             {}};
        form = std::make_unique<navoro::TForm1>(prompts, environment);
        form->show();
        navoro::FindControlAs<QTabWidget>(form.get(), "PageControlMain")->setCurrentIndex(1);
        navoro::FindControlAs<QTabWidget>(form.get(), "PageControlDiagnosis")
            ->setCurrentIndex(diagnosisPage);
        navoro::FindControlAs<QCheckBox>(form.get(), "cbxEnableLog")->setChecked(true);
        form->TimerUpdateSysChk->start();
        QApplication::processEvents();
    }
};

// Feeds the capture in reads of `readSize` bytes (a receive event each), the
// event loop running between reads.
void Receive(benchmark::State& state, int diagnosisPage, bool fullLog) {
    Window window(diagnosisPage);
    DiagnosisSink sink(*window.form);
    navoro::LineAssembler assembler(sink);
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
            assembler.Feed(std::string_view(capture.Bytes).substr(at, n));
            const qint64 read = clock.nsecsElapsed();
            longestRead = std::max(longestRead, read);
            app->Record(read);
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

// Reads of 1 KiB (about one second of the stream at 115200 bit/s) and of a
// full 4 KiB driver queue.
BENCHMARK(BM_ReceiveGpsStatusVisible)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiveDataLogVisible)->Arg(1024)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiveDataLogVisibleAtCap)->Arg(4096)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReceiveSystemCheckVisible)->Arg(4096)->Unit(benchmark::kMillisecond);

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
