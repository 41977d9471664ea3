// Renders the main window with each configuration tab filled to PNG files,
// offscreen:
//
//   QT_QPA_PLATFORM=offscreen build/bin/navoro_config_screenshots [OUTDIR]
//
// OUTDIR defaults to build/screenshots. The tabs are filled with the replies
// and the information dump of a transponder (the simulator's default
// settings), routed through the codec as the receive path routes them; one
// more picture shows SHIP DATA in inland mode, one the waiting window.
#include <QApplication>
#include <QDir>
#include <QTabWidget>
#include <QTemporaryDir>
#include <cstdio>
#include <string>

#include "app/ScriptedPrompts.h"
#include "app/TForm1.h"
#include "codec/Router.h"
#include "config/Configuration.h"
#include "tests/support/Sentence.h"

namespace {

using navoro::Configuration;

void Receive(navoro::TForm1& form, const std::string& body) {
    const std::string line = navoro::test::Sentence(body);
    if (!navoro::RouteSentence(form.codec(), line.c_str())) {
        std::printf("rejected %s", line.c_str());
        return;
    }
    Configuration& c = form.configuration();
    const std::string f = form.codec().Received.Header.Formatter;
    if (f == "SSD") c.ShowSsdReply();
    if (f == "VSD") c.ShowVsdReply();
    if (f == "TSV") c.ShowTsvReply();
    if (f == "CPA") c.ShowCpaReply();
    if (f == "BAU") c.ShowBauReply();
    if (f == "MBL") c.ShowMblReply();
    if (f == "DES") c.ShowDesReply();
    if (f == "CLR") c.ShowClrReply();
}

void Dump(navoro::TForm1& form, const std::string& line) {
    form.configuration().CollectDeviceData((line + "\r\n").c_str());
}

void Fill(navoro::TForm1& form) {
    for (const char* line :
         {"[DEVICE DATA BEGIN]", "Model:Class A AIS transponder", "Firmware:2.4.17 (2024-03-08)",
          "S/N:(LMO2403A00417)", "MMSI:(211457320)", "IMO:(9412853)", "[AIS MODE]= SOLAS",
          "[DeviceInstance]=0", "[O] Encryption Mode=1", "[O] EncryptionKey=5A17C0DE2024BEEF",
          "[DEVICE DATA END]"})
        Dump(form, line);
    for (const char* reply : {
             "$AISSD,DCTR7,NORDIC TRADER,62,38,9,11,0,AI",
             "$AISSD,DCTR7,NORDIC TRADER,70,30,12,8,0,GP",
             "$AIVSD,70,7.2,18,HAMBURG,163000.00,14,06,0,0",
             "$PLMO,R,CPA,45,20,46,10,47,1,,",
             "$PLMO,R,TSV,30,0,101,1,102,1,,",
             "$PLMO,R,BAU,-1,115200",
             "$PLMO,R,BAU,3,38400",
             "$PLMO,R,BAU,4,4800",
             "$PLMO,R,BAU,5,9600",
             "$PLMO,R,BAU,6,19200",
             "$PLMO,R,BAU,7,38400",
             "$PLMO,R,BAU,8,38400",
             "$PLMO,R,BAU,9,38400",
             "$PLMO,R,CLR,0,1110101011,0,2087,2088",
             "$PLMO,R,DES,1,HAMBURG",
             "$PLMO,R,DES,2,ROTTERDAM",
             "$PLMO,R,DES,3,FELIXSTOWE",
             "$PLMO,R,DES,4,GDANSK",
         })
        Receive(form, reply);
    form.configuration().InitMobGrid();
    Receive(form, "$PLMO,R,MBL,972001234,LIFEBUOY PORT");
    Receive(form, "$PLMO,R,MBL,972001235,LIFEBUOY STBD");
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
    Fill(form);

    auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("PageControlConf"));
    const char* names[] = {"ship-data", "voyage",      "cpa",     "transceiver", "baud-rate",
                           "lr",        "destination", "ais-mob", "encryption"};
    bool ok = tabs != nullptr;
    for (int i = 0; ok && i < tabs->count() && i < 9; ++i) {
        tabs->setCurrentIndex(i);
        ok &= Save(&form, outDir + "/config-" + names[i] + ".png");
    }
    if (!ok) return 1;

    // SHIP DATA in inland mode.
    Dump(form, "[AIS MODE]= INLAND");
    Dump(form, "$PIWWSSD,,,110.0,11.4,,,,90.5,5.2,20.0,3.0*00");
    tabs->setCurrentIndex(0);
    ok &= Save(&form, outDir + "/config-ship-data-inland.png");

    // The waiting window of a read.
    form.configuration().SetDeviceDataSeen([] { return true; });
    tabs->setCurrentIndex(7);
    for (int i = 0; i < 20; ++i)
        form.configuration().Timer2Timer();
    ok &= Save(form.frmWaitingProgress(), outDir + "/config-waiting.png");
    return ok ? 0 : 1;
}
