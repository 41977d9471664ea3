// The AIS TARGETS page's details pane in the main window, offscreen: real AIS
// lines through the window's receive path, a double-click on the station's
// row, and every field of its last message of each kind by name.
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QTreeWidget>
#include <map>

#include "ais/AisDecoder.h"
#include "ais/StationMessages.h"
#include "app/ControlTexts.h"
#include "diagnosis/DiagnosisPages.h"
#include "diagnosis/TargetDetails.h"
#include "diagnosis/TargetsModel.h"
#include "diagnosis/TargetsPage.h"
#include "tests/diagnosis/DiagnosisTestSupport.h"
#include "tests/e2e/WindowFixture.h"

namespace navoro {
namespace {

constexpr std::uint32_t kStation = 257123450;

// The reference decoding of the real lines: for each message ID, the fields
// of the station's last message of that ID, in order.
std::map<int, QJsonArray> ExpectedFields(QStringList& lines) {
    QFile file(QStringLiteral(NAVORO_TEST_DATA "/ais-real.jsonl"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::map<int, QJsonArray> last;
    for (const QByteArray& text : file.readAll().split('\n')) {
        if (text.trimmed().isEmpty()) continue;
        const QJsonObject record = QJsonDocument::fromJson(text).object();
        lines << record["line"].toString();
        const QJsonArray fields = record["ais"]["fields"].toArray();
        if (fields.size() > 2 && fields[2]["value"].toInteger() == kStation)
            last[record["ais"]["type"].toInt()] = fields;
    }
    return last;
}

QString Trimmed(QString text) {
    while (text.endsWith('@') || text.endsWith(' '))
        text.chop(1);
    return text;
}

class TargetDetailsTest : public test::WindowTest {
  protected:
    void SetUp() override {
        MakeWindow({});
        auto* sheet = FindControlAs<QWidget>(form.get(), QStringLiteral("TabSheetAisTargets"));
        FindControlAs<QTabWidget>(form.get(), QStringLiteral("PageControlMain"))
            ->setCurrentIndex(1);
        FindControlAs<QTabWidget>(form.get(), QStringLiteral("PageControlDiagnosis"))
            ->setCurrentWidget(sheet);
        page = form->diagnosis().AisTargets();
        tree = FindControlAs<QTreeWidget>(form.get(), QStringLiteral("TreeTargetDetails"));
        ASSERT_NE(tree, nullptr);
    }
    // Double-clicks the table's row of `mmsi`.
    void DoubleClickStation(std::uint32_t mmsi) {
        page->UpdateAisTargets();
        QTableView* table = page->Table();
        for (int row = 0; row < page->Proxy().rowCount(); ++row) {
            const QModelIndex at = page->Proxy().index(row, TargetsModel::ColMmsi);
            if (at.data().toString() != QString::number(mmsi)) continue;
            table->scrollTo(at);
            const QPoint centre = table->visualRect(at).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
            return;
        }
        ADD_FAILURE() << "no row for " << mmsi;
    }
    QString Title(int i) const { return tree->topLevelItem(i)->text(0); }

    TargetsPage* page = nullptr;
    QTreeWidget* tree = nullptr;
};

TEST_F(TargetDetailsTest, DoubleClickShowsEveryFieldOfTheLastMessageOfEachKind) {
    QStringList lines;
    const std::map<int, QJsonArray> expected = ExpectedFields(lines);
    ASSERT_GE(expected.size(), 5u);
    for (const QString& line : lines)
        form->Session().Feed((line + "\r\n").toStdString());
    EXPECT_FALSE(tree->isVisible());
    DoubleClickStation(kStation);
    ASSERT_TRUE(tree->isVisible());
    EXPECT_EQ(page->Details().Mmsi(), kStation);

    ASSERT_EQ(tree->topLevelItemCount(), static_cast<int>(expected.size()));
    int i = 0;
    for (const auto& [id, fields] : expected) {
        const QTreeWidgetItem* kind = tree->topLevelItem(i++);
        SCOPED_TRACE(kind->text(0).toStdString());
        EXPECT_TRUE(kind->text(0).startsWith(QStringLiteral("Message %1 \u2014 ").arg(id)));
        EXPECT_TRUE(kind->isExpanded());
        ASSERT_EQ(kind->childCount(), fields.size());
        for (int f = 0; f < fields.size(); ++f) {
            const QJsonValue want = fields[f]["value"];
            const QString name = kind->child(f)->text(0);
            const QString shown = kind->child(f)->text(1);
            EXPECT_EQ(name, fields[f]["name"].toString());
            if (want.isString()) {
                EXPECT_EQ(shown, Trimmed(want.toString())) << name.toStdString();
            } else {
                EXPECT_NEAR(shown.toDouble(), want.toDouble(),
                            1e-6 * (1 + std::abs(want.toDouble())))
                    << name.toStdString() << " shown " << shown.toStdString();
            }
        }
    }
    // Numbers read as decoded, not as the float they are held in.
    const QTreeWidgetItem* position = tree->topLevelItem(0);
    ASSERT_TRUE(position->text(0).startsWith("Message 1 "));
    EXPECT_EQ(position->child(5)->text(0), "SOG");
    EXPECT_EQ(position->child(5)->text(1), "7.4");
    // Another decoder reads the position as 3172560 and 36223320 ten-thousandths of a minute.
    EXPECT_EQ(position->child(7)->text(0), "Longitude");
    EXPECT_NEAR(position->child(7)->text(1).toDouble(), 3172560 / 600000.0, 1e-5);
    EXPECT_EQ(position->child(8)->text(0), "Latitude");
    EXPECT_NEAR(position->child(8)->text(1).toDouble(), 36223320 / 600000.0, 1e-5);

    // The station heard only through long-range broadcasts is shown as such;
    // the one with position reports of its own stays Class A.
    std::map<QString, QString> kinds;
    for (int row = 0; row < page->Proxy().rowCount(); ++row)
        kinds[page->Proxy().index(row, TargetsModel::ColMmsi).data().toString()] =
            page->Proxy().index(row, TargetsModel::ColKind).data().toString();
    EXPECT_EQ(kinds[QStringLiteral("366053209")], "Long-range");
    EXPECT_EQ(kinds[QString::number(kStation)], "Class A");

    // A folded kind stays folded through the page's updates.
    tree->topLevelItem(1)->setExpanded(false);
    page->UpdateAisTargets();
    EXPECT_FALSE(tree->topLevelItem(1)->isExpanded());
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());

    if (const QByteArray dir = qgetenv("NAVORO_SHOT_DIR"); !dir.isEmpty())
        form->grab().save(QString::fromLocal8Bit(dir) + "/ais-target-details.png");
}

TEST_F(TargetDetailsTest, ALongMessageIsCutAndARecycledStationIsSaidSo) {
    // A message 8 of 1004 bits in three sentences: its first bits are kept,
    // decoded and flagged.
    test::PayloadWriter w;
    w.Field(6, 8).Field(2, 0).Field(30, 211000123).Field(2, 0).Field(6, 1).Field(10, 31);
    for (int bits = 56; bits + 6 <= 1004; bits += 6)
        w.Field(6, 0x2A);
    int fill = 0;
    const std::string payload = w.Payload(&fill);
    ASSERT_EQ(payload.size(), 168u);
    for (int part = 0; part < 3; ++part) {
        const std::string body = "!AIVDM,3," + std::to_string(part + 1) + ",7,A," +
                                 payload.substr(static_cast<std::size_t>(part) * 56, 56) + "," +
                                 (part == 2 ? std::to_string(fill) : "0");
        form->Session().Feed(test::Sentence(body));
    }
    DoubleClickStation(211000123);
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(Title(0),
              QStringLiteral("Message 8 \u2014 Binary broadcast message (first %1 of 1004 "
                             "bits)")
                  .arg(StationMessages::kPayloadBytes * 8));
    const QTreeWidgetItem* kind = tree->topLevelItem(0);
    ASSERT_EQ(kind->childCount(), 7);
    EXPECT_EQ(kind->child(2)->text(1), "211000123");
    EXPECT_EQ(kind->child(5)->text(1), "31");
    // Six-bit 0x2A is '*': the text runs to the cut, not to the message's end.
    EXPECT_EQ(kind->child(6)->text(1),
              QString(StationMessages::kPayloadBytes * 8 / 6 - 9, QLatin1Char('*')));

    // More stations than the table holds: the station's entry is recycled.
    for (std::uint32_t i = 0; i < TargetTable::kCapacity; ++i) {
        test::OwnReport r;
        r.Mmsi = 300000000 + i;
        form->Session().Feed(test::PositionReportSentence("VDM", "B", r));
    }
    ASSERT_NE(form->codec().Targets.Entry(1).Mmsi, 211000123u);
    page->UpdateAisTargets();
    ASSERT_TRUE(tree->isVisible());
    ASSERT_EQ(tree->topLevelItemCount(), 1);
    EXPECT_EQ(Title(0),
              "MMSI 211000123 is no longer in the target table: its entry now holds "
              "another station.");
}

}  // namespace
}  // namespace navoro
