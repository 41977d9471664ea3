#include "config/pages/DestinationsPage.h"

#include <QScrollBar>
#include <QVBoxLayout>

#include "config/GridEditing.h"
#include "config/WriteRules.h"

namespace navoro {

std::unique_ptr<TabView<DestinationSettings>> DestinationsTab::MakeView(TabViewHost& host) {
    return std::make_unique<DestinationsPage>(host);
}

DestinationsPage::DestinationsPage(TabViewHost& host) {
    QWidget* page = host.Sheet;
    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(18, 10, 18, 10);
    QTableWidget* grid =
        MakeGrid(page, "StringGrid_Destination", 2, kDestinationRows + 1, {48, 260});
    StringGrid_Destination = grid;
    // All eleven rows at once: no scrolling.
    grid->setMinimumHeight(grid->maximumHeight());
    grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    grid->setFixedWidth(grid->width() - grid->verticalScrollBar()->sizeHint().width());
    layout->addWidget(grid, 0, Qt::AlignLeft | Qt::AlignTop);
    InstallGridEditing(grid, &DestinationCellRule);
    SpeedButton_Destination = MakeWriteButton(page, "SpeedButton_Destination", host);
}

void DestinationsPage::ApplyTexts(const MessageTable& messages) {
    SetCell(StringGrid_Destination, 0, 1, messages.Text(MessageId::Destination));
}

void DestinationsPage::PrepareRead() {
    for (int row = 1; row <= kDestinationRows; ++row)
        SetCell(StringGrid_Destination, row, 1, {});
}

void DestinationsPage::Show(const DestinationSettings& r, FieldSet fields) {
    for (int row = 1; row <= kDestinationRows; ++row) {
        if (fields & (FieldSet{1} << (row - 1)))
            SetCell(StringGrid_Destination, row, 1, r.Rows[static_cast<std::size_t>(row - 1)]);
    }
}

void DestinationsPage::Load(const DestinationSettings& r) {
    CommitGridEdits(StringGrid_Destination);
    Show(r, DestinationsTab::kAll);
}

std::variant<DestinationSettings, RuleProblem> DestinationsPage::Read() {
    CommitGridEdits(StringGrid_Destination);
    DestinationSettings r;
    for (int row = 1; row <= kDestinationRows; ++row) {
        std::string& text = r.Rows[static_cast<std::size_t>(row - 1)];
        text = GridText(Cell(StringGrid_Destination, row, 1), DestinationsTab::kTextMax);
        SetCell(StringGrid_Destination, row, 1, text);
    }
    return r;
}

}  // namespace navoro
