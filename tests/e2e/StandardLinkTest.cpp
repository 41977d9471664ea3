// The main window against a pseudo-terminal that plays a transponder of
// another maker (no information dump; own ship, alarms and GNSS in the
// standard sentences), a plain GNSS receiver, and garbage.

#include <unistd.h>
#include <QLineEdit>
#include <QTimer>

#include "WindowFixture.h"
#include "config/Configuration.h"
#include "tests/link/PtyPair.h"
#include "tests/support/Sentence.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;
using test::PtyPair;
using test::Sentence;

// Real forms: the own-ship report's payload decodes with gpsdecode (a Class A
// ship, MMSI 477553000); the alarm's time is blank, as before a fix.
const std::string kTransponder =
    Sentence("!AIVDO,1,1,,,177KQJ5000G?tO`K>RA1wUbN0TKH,0") +
    Sentence("$AIALR,,006,A,V,AIS: TX MALFUNCTION") +
    Sentence("$GPGGA,120044.00,5321.6802,N,00630.3372,W,1,08,1.0,15.2,M,54.3,M,,");
const std::string kGnssReceiver =
    Sentence("$GPGGA,120044.00,5321.6802,N,00630.3372,W,1,08,1.0,15.2,M,54.3,M,,") +
    Sentence("$GNRMC,120044.00,A,5321.6802,N,00630.3372,W,0.0,,111226,,,A") +
    Sentence("$GPGSV,3,1,11,03,03,111,00,04,15,270,00,06,01,010,00,13,06,292,00");
const std::string kGarbage = "\x93\xfe\x01\xe0\x17\x88\r\n";
constexpr char kQueries[] = "$ECAIQ,VER*32\r\n$ECAIQ,SSD*37\r\n$ECAIQ,VSD*32\r\n$ECAIQ,ALR*2C\r\n";
constexpr char kStandardStatus[] = "Connected \u2014 standard sentences";

class StandardLink : public test::WindowTest {
  protected:
    StandardLink() {
        EXPECT_TRUE(device.Ok());
        MakeWindow({device.SlavePath()});
        StepEvery(40ms);
        // The far end streams while the port is open (nobody reads it otherwise).
        QObject::connect(&stream, &QTimer::timeout, [this] {
            if (form->Serial().IsOpen()) device.WriteMaster(streamed);
        });
        stream.start(20);
    }

    // Everything the window wrote, until nothing more came for a while.
    std::string WrittenByWindow() {
        std::string all;
        for (;;) {
            const std::string more = device.ReadMaster(4096, 300ms);
            if (more.empty()) return all;
            all += more;
        }
    }

    QWidget* Page(const char* name) const { return form->findChild<QWidget*>(name); }

    PtyPair device;
    QTimer stream;
    std::string streamed;
};

TEST_F(StandardLink, ManualAndAutomaticConnectLinkInStandardMode) {
    for (const bool automatic : {false, true}) {
        SCOPED_TRACE(automatic ? "automatic" : "manual");
        if (automatic) ChooseAutomatic();
        streamed = kTransponder;
        Click(Controls().OpenPort);
        ASSERT_TRUE(WaitUntil([this] { return Status() == kStandardStatus; }, 5s))
            << Status().toStdString();
        EXPECT_EQ(form->Connection().Mode(), LinkMode::Standard);
        EXPECT_EQ(Controls().LabelConnectionStatus->palette().color(QPalette::WindowText),
                  QColor(Qt::blue));
        EXPECT_TRUE(prompts.Calls.empty());
        // Probes, then the standard queries once.
        const std::string written = WrittenByWindow();
        ASSERT_GE(written.size(), sizeof kQueries - 1);
        EXPECT_EQ(written.substr(written.size() - (sizeof kQueries - 1)), kQueries);

        // The VER reply names the maker and the model (its texts shown as text).
        streamed = Sentence("$AIVER,1,1,AI,ACM,UID7,SN42,<b>X</b>,2.1,1.0,0");
        ASSERT_TRUE(WaitUntil([this] { return Status().contains("ACM <b>X</b>"); }, 5s))
            << Status().toStdString();
        EXPECT_EQ(Controls().LabelConnectionStatus->textFormat(), Qt::PlainText);

        // SHIP DATA fills from the SSD reply; the tabs the transponder does
        // not offer say so; MMSI and IMO are read-only.
        streamed = Sentence("$AISSD,PE1234,MY SHIP NAME,050,020,10,05,0,AI");
        auto* name = form->findChild<QLineEdit*>("lblEdtName");
        ASSERT_NE(name, nullptr);
        ASSERT_TRUE(WaitUntil([&] { return name->text() == "MY SHIP NAME"; }, 2s))
            << name->text().toStdString();
        for (const char* page : {"TabSheetCPA", "TabSheetBaudRate", "TabSheetMOB"}) {
            auto* notice = Page(page)->findChild<QLabel*>("lblStandardNotOffered");
            ASSERT_NE(notice, nullptr) << page;
            EXPECT_FALSE(notice->isHidden()) << page;
            EXPECT_EQ(notice->text().toStdString(),
                      "This transponder does not offer these settings over the standard "
                      "interface.");
        }
        EXPECT_EQ(Page("TabSheetStatic")->findChild<QLabel*>("lblStandardNotOffered"), nullptr);
        EXPECT_TRUE(form->findChild<QLineEdit*>("MaskEditMMSI")->isReadOnly());
        EXPECT_TRUE(form->findChild<QLineEdit*>("MaskEditIMO")->isReadOnly());

        // Disconnect puts the controls back.
        Click(Controls().OpenPort);
        EXPECT_EQ(Status(), "Disconnect...");
        EXPECT_TRUE(Page("TabSheetCPA")->findChild<QLabel*>("lblStandardNotOffered")->isHidden());
        EXPECT_FALSE(form->findChild<QLineEdit*>("MaskEditMMSI")->isReadOnly());
        WrittenByWindow();
    }
}

TEST_F(StandardLink, AGnssReceiverIsNotATransponderGarbageAndSilenceTimeOut) {
    const std::string notATransponder =
        "Not a transponder: the port carries NMEA sentences, but none from an AIS transponder "
        "(a GNSS receiver or another instrument is connected).\n\n" +
        device.SlavePath();
    const struct {
        const char* name;
        bool automatic;
        std::string stream;
        std::string box;
    } cases[] = {
        {"GNSS, manual", false, kGnssReceiver, notATransponder},
        {"GNSS, automatic", true, kGnssReceiver, notATransponder},
        {"garbage, manual", false, kGarbage,
         "Serial port connection time out!\n\n" + device.SlavePath() +
             " received data but no readable lines: the rate may be wrong \u2014 try Auto."},
        {"silence, automatic", true, "", "Serial port detecting failed!"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        prompts.Calls.clear();
        Click(c.automatic ? Controls().RadioButtonConnectionModeAuto
                          : Controls().RadioButtonConnectionModeManual);
        streamed = c.stream;
        Click(Controls().OpenPort);
        ASSERT_TRUE(WaitUntil([this] { return !Controls().OpenPort->isChecked(); }, 10s));
        ASSERT_TRUE(WaitUntil([this] { return !Boxes().empty(); }, 2s));
        QTest::qWait(200);  // and no second box
        EXPECT_EQ(Boxes(), std::vector<std::string>{c.box});
        EXPECT_EQ(Status(), "Disconnect...");
        EXPECT_FALSE(form->Serial().IsOpen());
        EXPECT_EQ(form->Connection().Mode(), LinkMode::None);
        WrittenByWindow();
    }
}

}  // namespace
}  // namespace navoro
