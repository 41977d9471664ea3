// Renders the three diagnosis pages of the main window with live data to PNG
// files, offscreen:
//
//   QT_QPA_PLATFORM=offscreen build/bin/navoro_diagnosis_screenshots [OUTDIR]
//
// OUTDIR defaults to build/screenshots. A minute of a transponder's output
// (GNSS sentences, own and other stations' AIS reports) is fed through the
// codec into the pages, as the receive path does, with the data log on.
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

#include "DiagnosisTestSupport.h"
#include "app/ControlTexts.h"
#include "app/ScriptedPrompts.h"
#include "app/TForm1.h"
#include "codec/FormatterTable.h"
#include "diagnosis/DataLogPage.h"
#include "diagnosis/DiagnosisPages.h"
#include "diagnosis/SystemCheckPage.h"

namespace {

using navoro::test::Sentence;

// One second of a transponder's output.
std::vector<std::string> Second(int t) {
    std::vector<std::string> lines;
    char body[160];
    const int hh = 9, mm = 27 + t / 60, ss = t % 60;
    const double lat = 53.36 + t * 0.0001, lon = -6.505 + t * 0.00015;
    const auto latText = [](double v, char* out, std::size_t size) {
        const double a = std::fabs(v);
        std::snprintf(out, size, "%02d%07.4f,%c", static_cast<int>(a),
                      (a - static_cast<int>(a)) * 60, v >= 0 ? 'N' : 'S');
    };
    const auto lonText = [](double v, char* out, std::size_t size) {
        const double a = std::fabs(v);
        std::snprintf(out, size, "%03d%07.4f,%c", static_cast<int>(a),
                      (a - static_cast<int>(a)) * 60, v >= 0 ? 'E' : 'W');
    };
    char la[32], lo[32];
    latText(lat, la, sizeof la);
    lonText(lon, lo, sizeof lo);
    std::snprintf(body, sizeof body, "$GPRMC,%02d%02d%02d.00,A,%s,%s,11.8,72.5,280524,,,A", hh, mm,
                  ss, la, lo);
    lines.push_back(Sentence(body));
    std::snprintf(body, sizeof body, "$GPGGA,%02d%02d%02d.00,%s,%s,1,09,0.9,12.0,M,55.2,M,,", hh,
                  mm, ss, la, lo);
    lines.push_back(Sentence(body));
    lines.push_back(Sentence("$GPGSA,A,3,02,05,07,10,13,15,18,23,29,,,,1.6,0.9,1.3"));
    struct Sat {
        int Prn, El, Az, Snr;
    };
    const Sat sats[] = {{2, 67, 40, 46},  {5, 52, 128, 44},  {7, 23, 300, 38},  {10, 41, 210, 42},
                        {13, 12, 75, 31}, {15, 78, 330, 48}, {18, 35, 168, 40}, {20, 6, 252, 22},
                        {23, 29, 17, 39}, {26, 9, 110, 0},   {29, 58, 260, 45}};
    const int count = static_cast<int>(std::size(sats));
    const int total = (count + 3) / 4;
    for (int n = 1; n <= total; ++n) {
        std::string gsv = "$GPGSV," + std::to_string(total) + "," + std::to_string(n) + "," +
                          std::to_string(count);
        for (int i = (n - 1) * 4; i < std::min(count, n * 4); ++i) {
            const int az = (sats[i].Az + t / 4) % 360;
            const int snr = sats[i].Snr == 0 ? 0 : sats[i].Snr + (t + i) % 5 - 2;
            char block[64];
            std::snprintf(block, sizeof block, ",%02d,%02d,%03d,%02d", sats[i].Prn, sats[i].El, az,
                          snr);
            gsv += block;
        }
        lines.push_back(Sentence(gsv));
    }
    lines.push_back(Sentence("$GPVTG,72.5,T,,M,11.8,N,21.9,K,A"));
    std::snprintf(body, sizeof body, "$GPZDA,%02d%02d%02d.00,28,05,2024,00,00", hh, mm, ss);
    lines.push_back(Sentence(body));
    navoro::test::OwnReport own;
    own.Mmsi = 244123456;
    own.Lon = lon;
    own.Lat = lat;
    own.Sog = 11.8;
    own.Cog = 72.5;
    own.TimeStamp = ss;
    lines.push_back(navoro::test::PositionReportSentence("VDO", t % 2 ? "B" : "A", own));
    navoro::test::OwnReport other;
    other.Mmsi = 211000000 + static_cast<std::uint32_t>(t % 7);
    lines.push_back(navoro::test::PositionReportSentence("VDM", t % 3 ? "A" : "B", other));
    return lines;
}

bool Save(QWidget* widget, const QString& path) {
    QApplication::processEvents();
    const bool ok = widget->grab().save(path);
    std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
    return ok;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QString outDir = argc > 1 ? QString::fromLocal8Bit(argv[1])
                                    : QCoreApplication::applicationDirPath() + "/../screenshots";
    QDir().mkpath(outDir);
    QTemporaryDir documents;

    navoro::ScriptedPrompts prompts;
    navoro::ShellEnvironment environment{
        QCoreApplication::applicationDirPath().toStdString(), documents.path().toStdString(), {}};
    navoro::TForm1 form(prompts, environment);
    form.ApplyStartupLanguage();
    form.show();
    auto* main = navoro::FindControlAs<QTabWidget>(&form, "PageControlMain");
    auto* diagnosis = navoro::FindControlAs<QTabWidget>(&form, "PageControlDiagnosis");
    main->setCurrentIndex(1);
    // The GPS STATUS page in view while data arrives, so that the sky plot
    // has been drawn when the satellites are placed on it.
    diagnosis->setCurrentIndex(1);
    QApplication::processEvents();
    (void)form.grab();
    navoro::FindControlAs<QCheckBox>(&form, "cbxEnableLog")->setChecked(true);

    navoro::DiagnosisPages& pages = form.diagnosis();
    navoro::Codec& codec = form.codec();
    pages.Link.ReadSnapshot = [] {
        return navoro::SystemCheckSnapshot{
            true, "V2.1.7 (2024-03-18)", true, "LMA1B2C3D4", true, 244123456};
    };
    for (int t = 0; t < 60; ++t) {
        for (const std::string& line : Second(t)) {
            if (pages.LogEnabled()) pages.LogLine(line.substr(0, line.size() - 2));
            if (!navoro::RouteSentence(codec, line.c_str())) continue;
            const int group = navoro::FormatterGroup(codec.Received.Header);
            if (group == navoro::kGroupGnss) pages.UpdateGnssStatus();
            if (group == navoro::kGroupAis && line[0] == '!') pages.CountPositionReport();
        }
    }
    pages.SystemCheck().TimerUpdateSysChkTimer();
    pages.DataLog().FlushDataLog();

    bool ok = true;
    const char* names[] = {"system-check", "gps-status", "data-log"};
    for (int page = 0; page < 3; ++page) {
        diagnosis->setCurrentIndex(page);
        ok &= Save(&form, outDir + "/diagnosis-" + names[page] + ".png");
    }
    form.hide();
    return ok ? 0 : 1;
}
