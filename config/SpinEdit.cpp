#include "config/SpinEdit.h"

#include <QLineEdit>

namespace navoro {

SpinEdit::SpinEdit(int minimum, int maximum, QWidget* parent) : QSpinBox(parent) {
    setRange(minimum, maximum);
    setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
    setAccelerated(true);
    // Any number set by code or by the user ends "N/A".
    connect(this, &QSpinBox::valueChanged, this, [this] {
        if (notAvailable_ && value() != this->minimum()) notAvailable_ = false;
    });
}

void SpinEdit::SetReplyValue(long value) {
    if (value < minimum() || value > maximum()) {
        ShowNotAvailable();
        return;
    }
    const bool wasNotAvailable = notAvailable_;
    notAvailable_ = false;
    setValue(static_cast<int>(value));
    if (wasNotAvailable) lineEdit()->setText(textFromValue(this->value()));
}

void SpinEdit::ShowNotAvailable() {
    notAvailable_ = true;
    setValue(minimum());
    lineEdit()->setText(textFromValue(value()));
}

void SpinEdit::LeaveNotAvailable() {
    if (!notAvailable_) return;
    notAvailable_ = false;
    lineEdit()->setText(textFromValue(value()));
}

QString SpinEdit::textFromValue(int value) const {
    if (notAvailable_ && value == minimum()) return QString::fromLatin1(kNotAvailableText);
    return QSpinBox::textFromValue(value);
}

int SpinEdit::valueFromText(const QString& text) const {
    if (text == QLatin1String(kNotAvailableText)) return minimum();
    return QSpinBox::valueFromText(text);
}

QValidator::State SpinEdit::validate(QString& text, int& pos) const {
    if (notAvailable_ && text == QLatin1String(kNotAvailableText)) return QValidator::Acceptable;
    return QSpinBox::validate(text, pos);
}

void SpinEdit::stepBy(int steps) {
    LeaveNotAvailable();
    QSpinBox::stepBy(steps);
}

void SpinEdit::focusInEvent(QFocusEvent* event) {
    LeaveNotAvailable();
    QSpinBox::focusInEvent(event);
}

}  // namespace navoro
