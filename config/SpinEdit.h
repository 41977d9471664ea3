#pragma once

#include <QSpinBox>
#include <QString>

namespace navoro {

// A spin box over a range that can also show that the transponder's
// value is not available: a reply value outside the range shows "N/A" (and
// reads as 0, as a text that is not an integer does) instead of a clamped,
// wrong number. A typed value is clamped into the range when the box loses
// the input focus; stepping or focusing the box leaves "N/A" for its number.
class SpinEdit : public QSpinBox {
    Q_OBJECT

  public:
    static constexpr const char* kNotAvailableText = "N/A";

    SpinEdit(int minimum, int maximum, QWidget* parent = nullptr);
    explicit SpinEdit(int maximum, QWidget* parent = nullptr) : SpinEdit(0, maximum, parent) {}

    // Shows `value` when it is within the range, otherwise "N/A".
    void SetReplyValue(long value);
    void ShowNotAvailable();
    bool NotAvailable() const { return notAvailable_; }

  protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString& text) const override;
    QValidator::State validate(QString& text, int& pos) const override;
    void stepBy(int steps) override;
    void focusInEvent(QFocusEvent* event) override;

  private:
    void LeaveNotAvailable();

    bool notAvailable_ = false;
};

}  // namespace navoro
