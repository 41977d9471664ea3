#include "config/pages/MobPage.h"

#include <QVBoxLayout>

#include "config/GridEditing.h"
#include "config/WriteRules.h"

namespace navoro {

namespace {

constexpr const char* kDefaultMmsi = "972000000";

std::string NineDigits(std::uint32_t mmsi) {
    return QStringLiteral("%1").arg(mmsi, 9, 10, QChar('0')).toStdString();
}

}  // namespace

std::unique_ptr<TabView<MobSettings>> MobTab::MakeView(TabViewHost& host) {
    return std::make_unique<MobPage>(host);
}

MobPage::MobPage(TabViewHost& host) {
    QWidget* page = host.Sheet;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(18, 10, 18, 10);
    StringGrid_MOBList = MakeGrid(page, "StringGrid_MOBList", 3, kMobRows + 1, {48, 130, 260});
    layout->addWidget(StringGrid_MOBList, 1, Qt::AlignLeft);
    InstallGridEditing(StringGrid_MOBList, &MobCellRule);
    QObject::connect(StringGrid_MOBList, &QTableWidget::currentCellChanged, StringGrid_MOBList,
                     [this](int row, int) { CellSelected(row); });
    SpeedButton_MOB = MakeWriteButton(page, "SpeedButton_MOB", host);
    SetCell(StringGrid_MOBList, 1, 1, kDefaultMmsi);
}

void MobPage::ApplyTexts(const MessageTable& messages) {
    SetCell(StringGrid_MOBList, 0, 1, messages.Text(MessageId::Mmsi));
    SetCell(StringGrid_MOBList, 0, 2, messages.Text(MessageId::Name));
}

void MobPage::CellSelected(int row) {
    if (row < 1 || row > kMobRows || !Cell(StringGrid_MOBList, row, 1).empty()) return;
    SetCell(StringGrid_MOBList, row, 1, kDefaultMmsi);
}

void MobPage::PrepareRead() {
    for (int row = 1; row <= kMobRows; ++row) {
        SetCell(StringGrid_MOBList, row, 1, {});
        SetCell(StringGrid_MOBList, row, 2, {});
    }
    SetCell(StringGrid_MOBList, 1, 1, kDefaultMmsi);
}

void MobPage::Show(const MobSettings& r, FieldSet fields) {
    for (int row = 1; row <= kMobRows; ++row) {
        if (!(fields & (FieldSet{1} << (row - 1)))) continue;
        const MobRow& entry = r.Rows[static_cast<std::size_t>(row - 1)];
        SetCell(StringGrid_MOBList, row, 1, entry.Mmsi ? NineDigits(*entry.Mmsi) : std::string());
        SetCell(StringGrid_MOBList, row, 2, entry.Name);
    }
}

void MobPage::Load(const MobSettings& r) {
    CommitGridEdits(StringGrid_MOBList);
    Show(r, MobTab::kAll);
}

std::variant<MobSettings, RuleProblem> MobPage::Read() {
    CommitGridEdits(StringGrid_MOBList);
    MobSettings r;
    for (int row = 1; row <= kMobRows; ++row) {
        MobRow& entry = r.Rows[static_cast<std::size_t>(row - 1)];
        const std::string mmsi = Cell(StringGrid_MOBList, row, 1);
        if (!mmsi.empty()) {
            const std::optional<std::int64_t> value = DigitsValue(mmsi);
            if (!value || mmsi.size() > static_cast<std::size_t>(MobTab::kMmsiDigits)) {
                RuleProblem problem = BrokenEnglish("mob[" + std::to_string(row - 1) + "].mmsi",
                                                    "StringGrid_MOBList", kMobMmsiMessage);
                problem.Row = row;
                problem.Column = 1;
                return problem;
            }
            entry.Mmsi = static_cast<std::uint32_t>(*value);
        }
        entry.Name = GridText(Cell(StringGrid_MOBList, row, 2), MobTab::kNameMax);
        SetCell(StringGrid_MOBList, row, 2, entry.Name);
    }
    return r;
}

}  // namespace navoro
