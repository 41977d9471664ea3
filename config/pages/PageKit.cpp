#include "config/pages/PageKit.h"

#include <QHeaderView>
#include <QRegularExpressionValidator>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QValidator>

namespace navoro {

namespace {

// Turns whatever is typed into upper case, as the name, call-sign,
// destination and channel fields show their text.
class UpperCaseValidator : public QValidator {
  public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override {
        input = input.toUpper();
        return Acceptable;
    }
};

}  // namespace

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text) {
    auto* label = MakeControl<QLabel>(parent, name);
    label->setText(QString::fromLatin1(text));
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength, const char* text) {
    auto* edit = MakeControl<QLineEdit>(parent, name);
    edit->setMaxLength(maxLength);
    edit->setText(QString::fromLatin1(text));
    return edit;
}

QLineEdit* MakeUpperEdit(QWidget* parent, const char* name, int maxLength, const char* text) {
    QLineEdit* edit = MakeEdit(parent, name, maxLength, text);
    edit->setValidator(new UpperCaseValidator(edit));
    return edit;
}

QLineEdit* MakeDigitsEdit(QWidget* parent, const char* name, int digits, const char* text) {
    QLineEdit* edit = MakeEdit(parent, name, digits, text);
    const QRegularExpression pattern(QStringLiteral("[0-9]{0,%1}").arg(digits));
    edit->setValidator(new QRegularExpressionValidator(pattern, edit));
    return edit;
}

QLabel* AttachLabel(QWidget* parent, QWidget* edit, const char* text) {
    auto* label = new QLabel(QString::fromLatin1(text), parent);
    label->setObjectName(edit->objectName() + QStringLiteral("Label"));
    label->setBuddy(edit);
    return label;
}

SpinEdit* MakeSpin(QWidget* parent, const char* name, WholeRange range, int initial) {
    auto* spin = new SpinEdit(range.Min, range.Max, parent);
    spin->setObjectName(QString::fromLatin1(name));
    spin->setValue(initial);
    return spin;
}

QComboBox* MakeList(QWidget* parent, const char* name, int minimumWidth) {
    auto* list = MakeControl<QComboBox>(parent, name);
    list->setMinimumWidth(minimumWidth);
    return list;
}

QToolButton* MakeWriteButton(QWidget* parent, const char* name, const TabViewHost& host) {
    auto* button = MakeControl<QToolButton>(parent, name);
    button->setText(QStringLiteral("Config"));
    button->hide();
    if (host.Write) QObject::connect(button, &QToolButton::clicked, button, host.Write);
    return button;
}

QGridLayout* GridOn(QWidget* page) {
    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(18, 14, 18, 10);
    grid->setHorizontalSpacing(10);
    grid->setVerticalSpacing(8);
    return grid;
}

QTableWidget* MakeGrid(QWidget* parent, const char* name, int columns, int rows,
                       const std::initializer_list<int>& widths) {
    auto* grid = MakeControl<QTableWidget>(parent, name);
    grid->setColumnCount(columns);
    grid->setRowCount(rows);
    grid->horizontalHeader()->hide();
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(22);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    int column = 0;
    for (const int width : widths)
        grid->setColumnWidth(column++, width);
    grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    const QBrush fixed(QColor(0xE3, 0xE9, 0xF1));
    for (int row = 0; row < rows; ++row) {
        for (int c = 0; c < columns; ++c) {
            auto* item = new QTableWidgetItem;
            if (row == 0 || c == 0) {
                item->setFlags(Qt::ItemIsEnabled);
                item->setBackground(fixed);
                item->setTextAlignment(Qt::AlignCenter);
            }
            grid->setItem(row, c, item);
        }
    }
    for (int row = 1; row < rows; ++row)
        grid->item(row, 0)->setText(QString::number(row));
    // Wide enough for its columns and a vertical scroll bar, as tall as its
    // rows or the page allows.
    int width = 2 * grid->frameWidth() + grid->verticalScrollBar()->sizeHint().width();
    for (int c = 0; c < columns; ++c)
        width += grid->columnWidth(c);
    grid->setFixedWidth(width);
    grid->setMaximumHeight(2 * grid->frameWidth() +
                           rows * grid->verticalHeader()->defaultSectionSize());
    return grid;
}

std::string TextOf(const QLineEdit* edit) {
    return edit->text().toStdString();
}

void SetText(QLineEdit* edit, const std::string& text) {
    const QString value = QString::fromStdString(text);
    if (edit->text() != value) edit->setText(value);
}

std::optional<int> SpinOf(const SpinEdit* box) {
    if (box->NotAvailable()) return std::nullopt;
    return box->value();
}

void ShowSpin(SpinEdit* box, const std::optional<int>& value) {
    if (value)
        box->SetReplyValue(*value);
    else
        box->ShowNotAvailable();
}

void SelectIndex(QComboBox* list, int index) {
    list->setCurrentIndex(index >= 0 && index < list->count() ? index : -1);
}

void FillOptions(QComboBox* list, const MessageTable& messages, MessageId first, MessageId second) {
    // Refilling is not a user's choice: the list's change handlers stay quiet,
    // and the entry shown stays.
    const QSignalBlocker quiet(list);
    const int selected = list->currentIndex();
    list->clear();
    list->addItem(QString::fromStdString(messages.Text(first)));
    list->addItem(QString::fromStdString(messages.Text(second)));
    list->setCurrentIndex(selected == 1 ? 1 : 0);
}

RuleProblem ControlProblem(const char* key, const char* control, MessageId text) {
    return Broken(key, control, text);
}

}  // namespace navoro
