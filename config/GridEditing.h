#pragma once

#include <QList>
#include <QPointer>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QValidator>

#include <string>

namespace navoro {

// A grid cell's text ("" for a cell never filled), and setting it (a cell
// item is made when missing; an equal text is left alone).
std::string Cell(const QTableWidget* grid, int row, int column);
void SetCell(QTableWidget* grid, int row, int column, const std::string& text);

// How a grid cell is edited: at most MaxLength characters (0: not editable
// here), digits only, or any text through the grids' key rule.
struct GridCellRule {
    int MaxLength = 0;
    bool DigitsOnly = false;
};

// The destination grid: column 1 holds a destination of up to 20 characters.
// The MOB grid: column 1 an MMSI of up to nine digits, column 2 a name of up
// to 20 characters. The rules follow the column, so a language file that
// renames the headings keeps them.
GridCellRule DestinationCellRule(int column);
GridCellRule MobCellRule(int column);

// The key rule of both grids on what is typed or pasted into a cell: see
// GridKeyPress. With DigitsOnly, anything but digits is refused.
class GridKeyValidator : public QValidator {
    Q_OBJECT

  public:
    GridKeyValidator(GridCellRule rule, QObject* parent);
    State validate(QString& input, int& pos) const override;

  private:
    GridCellRule rule_;
};

// The grids' cell editors: a line edit with the column's rule. Row 0 (the
// headings) and column 0 (the row numbers) are not edited.
class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT

  public:
    using RuleOf = GridCellRule (*)(int column);
    GridCellDelegate(RuleOf rule, QObject* parent);

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;

    // Puts the text of an editor that is still open into its cell and closes
    // it, so that a write reads what the user sees.
    void CommitOpenEditors();

  private:
    RuleOf rule_;
    mutable QList<QPointer<QWidget>> editors_;
};

// Installs the cell editors of `rule` on a grid.
void InstallGridEditing(QTableWidget* grid, GridCellDelegate::RuleOf rule);

// Closes the open cell editor of a grid with a GridCellDelegate, keeping its text.
void CommitGridEdits(QTableWidget* grid);

}  // namespace navoro
