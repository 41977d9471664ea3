#pragma once

#include <QTableWidget>
#include <QToolButton>

#include "config/pages/PageKit.h"
#include "config/tabs/DestinationsTab.h"

namespace navoro {

// DESTINATION (TabSheetDestination): row 0 the heading, rows 1-10 the
// destinations, column 0 the row number.
class DestinationsPage : public TabView<DestinationSettings> {
  public:
    explicit DestinationsPage(TabViewHost& host);

    void Show(const DestinationSettings& record, FieldSet fields) override;
    void Load(const DestinationSettings& record) override;
    // The grid's open editor is committed first and each text is shown as it
    // will be written (cut, in upper case).
    std::variant<DestinationSettings, RuleProblem> Read() override;
    void PrepareRead() override;
    void ApplyTexts(const MessageTable& messages) override;

    QTableWidget* StringGrid_Destination;
    QToolButton* SpeedButton_Destination;
};

}  // namespace navoro
