// The AIS TARGETS page in the main window, offscreen, fed by navoro-sim's
// traffic of 300 stations through the real receive path.
#include <QAction>
#include <QComboBox>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QScrollBar>
#include <QSortFilterProxyModel>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>

#include "app/ControlTexts.h"
#include "diagnosis/DiagnosisPages.h"
#include "diagnosis/RadarView.h"
#include "diagnosis/TargetsModel.h"
#include "diagnosis/TargetsPage.h"
#include "tests/e2e/WindowFixture.h"
#include "tests/support/SimulatorFixture.h"

namespace navoro {
namespace {

using namespace std::chrono_literals;

test::SimulatorOptions Traffic() {
    test::SimulatorOptions options;
    options.ExtraArgs = {"--targets", "300"};
    return options;
}

class TargetsPageTest : public test::WindowTest {
  protected:
    void SetUp() override {
        ASSERT_TRUE(simulator.Started()) << simulator.Error();
        MakeWindow({simulator.DevicePath()});
        ChoosePort(simulator.DevicePath());
        tabs = FindControlAs<QTabWidget>(form.get(), QStringLiteral("PageControlDiagnosis"));
        ASSERT_NE(tabs, nullptr);
        sheet = FindControlAs<QWidget>(form.get(), QStringLiteral("TabSheetAisTargets"));
        ASSERT_NE(sheet, nullptr);
        FindControlAs<QTabWidget>(form.get(), QStringLiteral("PageControlMain"))
            ->setCurrentIndex(1);
        tabs->setCurrentWidget(sheet);
        page = form->diagnosis().AisTargets();
        ASSERT_NE(page, nullptr);
        Click(Controls().OpenPort);
        ASSERT_TRUE(WaitUntil([&] { return Connected(); }, 5s)) << Status().toStdString();
    }
    QString Caption() const { return tabs->tabText(tabs->indexOf(sheet)); }
    QString Cell(int proxyRow, int column) const {
        return page->Proxy().index(proxyRow, column).data().toString();
    }

    test::SimulatorFixture simulator{Traffic()};
    QTabWidget* tabs = nullptr;
    QWidget* sheet = nullptr;
    TargetsPage* page = nullptr;
};

TEST_F(TargetsPageTest, TrafficFillsTheTableAndTheCollisionCourseRaisesTheAlarm) {
    // The fourth diagnosis page, before ALARMS.
    EXPECT_EQ(tabs->indexOf(sheet), 3);
    EXPECT_EQ(Caption(), "AIS TARGETS");
    EXPECT_EQ(page->Timer()->interval(), 1000);
    EXPECT_TRUE(page->Timer()->isActive());

    // The two vessels on a collision course report every 6 s.
    ASSERT_TRUE(WaitUntil([&] { return page->Model().DangerCount() >= 1; }, 20s))
        << page->Model().rowCount() << " rows";
    EXPECT_GT(page->Model().rowCount(), 20);
    EXPECT_TRUE(Caption().startsWith("AIS TARGETS (")) << Caption().toStdString();
    EXPECT_TRUE(Caption().endsWith(QString::fromUtf8(" \u26a0)"))) << Caption().toStdString();
    EXPECT_EQ(Caption().mid(13).chopped(3).toInt(), page->Model().DangerCount());

    // Each dangerous row is on the radar in the alarm colour, within 10 NM.
    page->Radar()->SetRange(24.0);
    page->UpdateAisTargets();
    int dangerousOnRadar = 0;
    for (const RadarTarget& t : page->Radar()->Targets())
        dangerousOnRadar += t.Dangerous ? 1 : 0;
    EXPECT_EQ(dangerousOnRadar, page->Model().DangerCount());

    if (const QByteArray dir = qgetenv("NAVORO_SHOT_DIR"); !dir.isEmpty())
        form->grab().save(QString::fromLocal8Bit(dir) + "/ais-targets-300.png");
}

TEST_F(TargetsPageTest, SortingFilteringAndSelectionSurviveUpdates) {
    ASSERT_TRUE(WaitUntil([&] { return page->Model().rowCount() >= 30; }, 20s));
    QTableView* table = page->Table();

    // Sorted by range, nearest first, rows without a range last.
    table->sortByColumn(TargetsModel::ColRange, Qt::AscendingOrder);
    const int rows = page->Proxy().rowCount();
    double last = -1;
    for (int i = 0; i < rows; ++i) {
        const QVariant v =
            page->Proxy().index(i, TargetsModel::ColRange).data(TargetsModel::SortRole);
        ASSERT_GE(v.toDouble(), last) << "row " << i;
        last = v.toDouble();
    }
    // By MMSI, descending, as numbers.
    table->sortByColumn(TargetsModel::ColMmsi, Qt::DescendingOrder);
    EXPECT_GE(Cell(0, TargetsModel::ColMmsi).toLongLong(),
              Cell(rows - 1, TargetsModel::ColMmsi).toLongLong());

    // The filter matches MMSI, name or call sign, as typed, ignoring case.
    auto* filter = FindControlAs<QLineEdit>(form.get(), QStringLiteral("EditTargetsFilter"));
    ASSERT_NE(filter, nullptr);
    const QString mmsi = Cell(rows / 2, TargetsModel::ColMmsi);
    QTest::keyClicks(filter, mmsi);
    ASSERT_EQ(page->Proxy().rowCount(), 1);
    EXPECT_EQ(Cell(0, TargetsModel::ColMmsi), mmsi);
    filter->clear();
    QString callSign;
    for (int i = 0; i < rows && callSign.isEmpty(); ++i)
        callSign = Cell(i, TargetsModel::ColCallSign);
    ASSERT_FALSE(callSign.isEmpty());
    QTest::keyClicks(filter, callSign.toLower());
    ASSERT_GE(page->Proxy().rowCount(), 1);
    for (int i = 0; i < page->Proxy().rowCount(); ++i) {
        const QString text = Cell(i, TargetsModel::ColMmsi) + " " + Cell(i, TargetsModel::ColName) +
                             " " + Cell(i, TargetsModel::ColCallSign);
        EXPECT_TRUE(text.contains(callSign, Qt::CaseInsensitive)) << text.toStdString();
    }
    QTest::keyClicks(filter, "no such station");
    EXPECT_EQ(page->Proxy().rowCount(), 0);
    filter->clear();
    EXPECT_EQ(page->Proxy().rowCount(), page->Model().rowCount());

    // A selected station stays selected, and the radar marks it, while the
    // table updates under it.
    table->sortByColumn(TargetsModel::ColMmsi, Qt::AscendingOrder);
    const QModelIndex chosen = page->Proxy().index(5, 0);
    const QString chosenMmsi = chosen.data().toString();
    table->selectionModel()->setCurrentIndex(
        chosen, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    const int scroll = table->verticalScrollBar() ? table->verticalScrollBar()->value() : 0;
    EXPECT_EQ(page->Radar()->SelectedRow(), page->Proxy().mapToSource(chosen).row());
    QTest::qWait(2500);  // two updates
    const QModelIndexList selected = table->selectionModel()->selectedRows();
    ASSERT_EQ(selected.size(), 1);
    EXPECT_EQ(selected.front().data().toString(), chosenMmsi);
    EXPECT_EQ(table->verticalScrollBar()->value(), scroll);

    // A click on a target on the radar selects its row.
    page->Radar()->SetRange(24.0);
    page->UpdateAisTargets();
    QApplication::processEvents();
    for (const RadarTarget& t : page->Radar()->Targets()) {
        QPointF at;
        if (t.Row == page->Radar()->SelectedRow() || !page->Radar()->TargetPoint(t, at)) continue;
        QTest::mouseClick(page->Radar(), Qt::LeftButton, {}, at.toPoint());
        const int clicked = page->Radar()->SelectedRow();
        ASSERT_GE(clicked, 0);
        const QModelIndex current = table->selectionModel()->currentIndex();
        ASSERT_TRUE(current.isValid());
        EXPECT_EQ(page->Proxy().mapToSource(current).row(), clicked);
        break;
    }
}

TEST_F(TargetsPageTest, HiddenPageCountsAlarmsButLeavesRowsAndRadarUntilShown) {
    tabs->setCurrentIndex(0);
    ASSERT_FALSE(sheet->isVisible());
    const int rowsWhenHidden = page->Model().rowCount();
    const std::size_t radarWhenHidden = page->Radar()->Targets().size();

    // The caption counts the alarm while the page is hidden.
    ASSERT_TRUE(WaitUntil([&] { return Caption().endsWith(QString::fromUtf8(" \u26a0)")); }, 20s))
        << Caption().toStdString();
    ASSERT_TRUE(WaitUntil([&] { return form->codec().Targets.Count() - 1 > rowsWhenHidden; }, 10s));
    QTest::qWait(1100);  // at least one more update while hidden
    EXPECT_EQ(page->Model().rowCount(), rowsWhenHidden);
    EXPECT_EQ(page->Radar()->Targets().size(), radarWhenHidden);

    // Shown: rows and radar are current at once, before the next tick.
    tabs->setCurrentWidget(sheet);
    EXPECT_EQ(page->Model().rowCount(), form->codec().Targets.Count() - 1);
    EXPECT_GT(page->Radar()->Targets().size(), radarWhenHidden);
    EXPECT_EQ(Caption().mid(13).chopped(3).toInt(), page->Model().DangerCount());
}

TEST_F(TargetsPageTest, LanguageSwitchTranslatesStationKindsAndTheFilterHint) {
    ASSERT_TRUE(WaitUntil([&] { return page->Model().rowCount() >= 30; }, 20s));
    auto* filter = FindControlAs<QLineEdit>(form.get(), QStringLiteral("EditTargetsFilter"));
    ASSERT_NE(filter, nullptr);
    EXPECT_EQ(filter->placeholderText(), "MMSI, name or call sign");
    const auto kindTexts = [&] {
        QStringList texts;
        for (int i = 0; i < page->Proxy().rowCount(); ++i)
            texts << Cell(i, TargetsModel::ColKind);
        texts.removeDuplicates();
        return texts;
    };
    EXPECT_TRUE(kindTexts().contains("Class A"));

    FindControlAs<QAction>(form.get(), "mnuLangRussian")->trigger();
    EXPECT_EQ(filter->placeholderText(), QString::fromUtf8("MMSI, название или позывной"));
    EXPECT_TRUE(kindTexts().contains(QString::fromUtf8("Класс A")));
    EXPECT_FALSE(kindTexts().contains("Class A"));
    EXPECT_EQ(page->Proxy().headerData(TargetsModel::ColName, Qt::Horizontal).toString(),
              QString::fromUtf8("Название"));

    FindControlAs<QAction>(form.get(), "mnuLangEnglish")->trigger();
    EXPECT_EQ(filter->placeholderText(), "MMSI, name or call sign");
    EXPECT_TRUE(kindTexts().contains("Class A"));
}

}  // namespace
}  // namespace navoro
