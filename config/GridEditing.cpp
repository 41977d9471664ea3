#include "config/GridEditing.h"

#include <QLineEdit>

#include "config/WriteRules.h"
#include "config/tabs/DestinationsTab.h"
#include "config/tabs/MobTab.h"

namespace navoro {

std::string Cell(const QTableWidget* grid, int row, int column) {
    const QTableWidgetItem* item = grid->item(row, column);
    return item ? item->text().toStdString() : std::string();
}

void SetCell(QTableWidget* grid, int row, int column, const std::string& text) {
    QTableWidgetItem* item = grid->item(row, column);
    if (!item) {
        item = new QTableWidgetItem;
        grid->setItem(row, column, item);
    }
    const QString value = QString::fromStdString(text);
    if (item->text() != value) item->setText(value);
}

GridCellRule DestinationCellRule(int column) {
    if (column == 1) return {static_cast<int>(DestinationsTab::kTextMax), false};
    return {};
}

GridCellRule MobCellRule(int column) {
    if (column == 1) return {MobTab::kMmsiDigits, true};
    if (column == 2) return {static_cast<int>(MobTab::kNameMax), false};
    return {};
}

GridKeyValidator::GridKeyValidator(GridCellRule rule, QObject* parent)
    : QValidator(parent), rule_(rule) {}

QValidator::State GridKeyValidator::validate(QString& input, int&) const {
    QString out;
    out.reserve(input.size());
    for (const QChar c : input) {
        const char mapped = GridKeyPress(c.unicode());
        if (rule_.DigitsOnly && (mapped < '0' || mapped > '9')) return Invalid;
        out += QChar::fromLatin1(mapped);
    }
    if (rule_.MaxLength > 0 && out.size() > rule_.MaxLength) return Invalid;
    input = out;
    return Acceptable;
}

GridCellDelegate::GridCellDelegate(RuleOf rule, QObject* parent)
    : QStyledItemDelegate(parent), rule_(rule) {}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                        const QModelIndex& index) const {
    const GridCellRule rule = rule_(index.column());
    if (index.row() == 0 || rule.MaxLength == 0) return nullptr;
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    editor->setMaxLength(rule.MaxLength);
    editor->setValidator(new GridKeyValidator(rule, editor));
    editors_.removeAll(nullptr);
    editors_.append(editor);
    return editor;
}

void GridCellDelegate::CommitOpenEditors() {
    const QList<QPointer<QWidget>> open = editors_;
    for (const QPointer<QWidget>& editor : open) {
        if (!editor) continue;
        emit commitData(editor);
        emit closeEditor(editor, NoHint);
    }
    editors_.removeAll(nullptr);
}

void InstallGridEditing(QTableWidget* grid, GridCellDelegate::RuleOf rule) {
    if (grid) grid->setItemDelegate(new GridCellDelegate(rule, grid));
}

void CommitGridEdits(QTableWidget* grid) {
    if (!grid) return;
    if (auto* delegate = qobject_cast<GridCellDelegate*>(grid->itemDelegate()))
        delegate->CommitOpenEditors();
}

}  // namespace navoro
