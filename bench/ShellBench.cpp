// Start-up time and memory of the main window, offscreen.
//
//   navoro_shell_bench startup   builds the window as navoro's main() does and
//                                prints, as one JSON object, the milliseconds
//                                from the process's start to main(), to the
//                                window built and to its first paint
//   navoro_shell_bench memory    shows the window, lets it idle, then files
//                                distinct MMSIs through the window's receive
//                                path until the target table is full (and
//                                beyond), then fills the data log to its cap;
//                                prints the resident set size after each step
//
// bench/shell_figures.py runs both (start-up several times) and prints the
// figures of bench/README.md. The process's start is taken from the
// CLOCK_MONOTONIC time in NAVORO_BENCH_T0_NS (set by the launcher just before
// it starts the program); without it, the times count from main().
#include <time.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEvent>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "app/ControlTexts.h"
#include "app/MainWindow.h"
#include "codec/Framing.h"
#include "diagnosis/DataLogPage.h"
#include "diagnosis/DiagnosisPages.h"
#include "link/LineAssembler.h"
#include "tests/support/ProcessStatus.h"
#include "tools/sim/AisPayload.h"
#include "ui/ScriptedPrompts.h"

namespace {

std::int64_t MonotonicNs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<std::int64_t>(t.tv_sec) * 1'000'000'000 + t.tv_nsec;
}

// The launcher's time, or -1.
std::int64_t LaunchNs() {
    const char* text = std::getenv("NAVORO_BENCH_T0_NS");
    return text != nullptr ? std::strtoll(text, nullptr, 10) : -1;
}

using navoro::test::ProcessStatusKb;

// Notes the first paint of the window.
class FirstPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && PaintedNs < 0) PaintedNs = MonotonicNs();
        return QObject::eventFilter(watched, event);
    }
    std::int64_t PaintedNs = -1;
};

struct Window {
    QTemporaryDir documents;
    navoro::ScriptedPrompts prompts;
    std::unique_ptr<navoro::MainWindow> form;

    Window() {
        navoro::ShellEnvironment environment{QCoreApplication::applicationDirPath().toStdString(),
                                             documents.path().toStdString(),
                                             {}};
        form = std::make_unique<navoro::MainWindow>(prompts, environment);
    }
};

// Runs the event loop for `ms` milliseconds.
void Idle(int ms) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms)
        QTest::qWait(10);
}

int Startup(std::int64_t mainNs) {
    QApplication::setApplicationName(QStringLiteral("navoro"));
    Window window;
    window.form->ApplyStartupLanguage();
    const std::int64_t builtNs = MonotonicNs();
    FirstPaint paint;
    window.form->installEventFilter(&paint);
    window.form->show();
    QElapsedTimer clock;
    clock.start();
    while (paint.PaintedNs < 0 && clock.elapsed() < 10000)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const std::int64_t t0 = LaunchNs() >= 0 ? LaunchNs() : mainNs;
    std::printf(
        "{\"to_main_ms\":%.1f,\"to_window_built_ms\":%.1f,\"to_first_paint_ms\":%.1f,"
        "\"from_launcher\":%s}\n",
        static_cast<double>(mainNs - t0) / 1e6, static_cast<double>(builtNs - t0) / 1e6,
        static_cast<double>(paint.PaintedNs - t0) / 1e6, LaunchNs() >= 0 ? "true" : "false");
    return paint.PaintedNs >= 0 ? 0 : 1;
}

// A message 1 sentence of station `mmsi` at a position of its own.
std::string PositionSentence(std::uint32_t mmsi, int i) {
    navoro::sim::PositionReport report;
    report.Mmsi = mmsi;
    report.NavStatus = 0;
    report.SogKnots = 10.5;
    report.Lat = 54.0 + (i % 100) * 0.01;
    report.Lon = 10.0 + (i / 100) * 0.01;
    report.Cog = 90;
    report.Heading = 90;
    report.Second = i % 60;
    const navoro::sim::AisPayload payload = navoro::sim::EncodePositionReport(report);
    char line[120];
    std::snprintf(line, sizeof line - 6, "!AIVDM,1,1,,A,%s,%d", payload.Payload.c_str(),
                  payload.FillBits);
    navoro::AppendChecksum(line);
    return line;
}

int Memory(int stations) {
    Window window;
    window.form->ApplyStartupLanguage();
    window.form->show();
    // The GPS STATUS page in view, as while watching the live output.
    navoro::FindControlAs<QTabWidget>(window.form.get(), "PageControlMain")->setCurrentIndex(1);
    navoro::FindControlAs<QTabWidget>(window.form.get(), "PageControlDiagnosis")
        ->setCurrentIndex(1);
    Idle(2000);
    const long idleKb = ProcessStatusKb("VmRSS");

    navoro::DeviceSession& receive = window.form->Session();
    for (int i = 0; i < stations; ++i) {
        receive.Feed(PositionSentence(211000000u + static_cast<std::uint32_t>(i) * 7, i));
        if (i % 200 == 0) QApplication::processEvents();
    }
    Idle(1000);
    const int targets = window.form->codec().Targets.Count();
    const long fullTableKb = ProcessStatusKb("VmRSS");

    // The data log on and filled to its cap with lines of the same length.
    navoro::FindControlAs<QCheckBox>(window.form.get(), "cbxEnableLog")->setChecked(true);
    navoro::FindControlAs<QTabWidget>(window.form.get(), "PageControlDiagnosis")
        ->setCurrentIndex(2);
    navoro::DataLogPage& log = window.form->diagnosis().DataLog();
    const std::string line = PositionSentence(211000000u, 0);
    for (std::size_t i = 0; i < log.MaxLines() + 1000; ++i)
        log.LogLine(std::string_view(line).substr(0, line.size() - 2));
    log.FlushDataLog();
    Idle(1000);
    const long fullLogKb = ProcessStatusKb("VmRSS");

    std::printf(
        "{\"idle_rss_kb\":%ld,\"stations\":%d,\"targets\":%d,\"full_table_rss_kb\":%ld,"
        "\"log_lines\":%zu,\"full_log_rss_kb\":%ld,\"peak_rss_kb\":%ld}\n",
        idleKb, stations, targets, fullTableKb, log.MaxLines(), fullLogKb,
        ProcessStatusKb("VmHWM"));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::int64_t mainNs = MonotonicNs();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::string mode = argc > 1 ? argv[1] : "";
    QApplication app(argc, argv);
    if (mode == "startup") return Startup(mainNs);
    if (mode == "memory") return Memory(argc > 2 ? std::atoi(argv[2]) : 3000);
    std::fprintf(stderr, "usage: navoro_shell_bench startup | memory [STATIONS]\n");
    return 2;
}
