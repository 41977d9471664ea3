#pragma once

#include <QTableWidget>
#include <QToolButton>

#include "config/pages/PageKit.h"
#include "config/tabs/MobTab.h"

namespace navoro {

// AIS MOB (TabSheetMOB): row 0 the heading, rows 1-50 an MMSI (column 1) and
// a name (column 2), column 0 the row number.
class MobPage : public TabView<MobSettings> {
  public:
    explicit MobPage(TabViewHost& host);

    void Show(const MobSettings& record, FieldSet fields) override;
    void Load(const MobSettings& record) override;
    // The grid's open editor is committed first and each name is shown as it
    // will be written (cut, in upper case). An MMSI cell that holds no number
    // is a problem.
    std::variant<MobSettings, RuleProblem> Read() override;
    // The list is emptied; row 1 offers the MOB MMSI to start from.
    void PrepareRead() override;
    void ApplyTexts(const MessageTable& messages) override;

    QTableWidget* StringGrid_MOBList;
    QToolButton* SpeedButton_MOB;

  private:
    // Selecting a cell of a row whose MMSI is empty puts 972000000 there.
    void CellSelected(int row);
};

}  // namespace navoro
