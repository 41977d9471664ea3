// A dark desktop palette: the window keeps its own light colours, so every
// label, field and list stays legible (WCAG contrast of 4.5:1 or more).
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <cmath>

#include "ShellFixture.h"

namespace navoro {
namespace {

double Luminance(const QColor& c) {
    const auto linear = [](double v) {
        return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette::ColorGroup Group(const QWidget* w) {
    return w->isEnabled() ? QPalette::Active : QPalette::Disabled;
}

// The colour a label is drawn on: its own or the nearest filled ancestor's.
QColor GroundOf(const QWidget* w) {
    for (const QWidget* p = w; p; p = p->parentWidget()) {
        if (p->autoFillBackground() || p->isWindow())
            return p->palette().color(Group(w), p->backgroundRole());
    }
    return w->palette().color(Group(w), QPalette::Window);
}

class DarkPalette : public test::ShellTest {
  protected:
    void SetUp() override {
        saved_ = QApplication::palette();
        QPalette dark;
        for (const auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            dark.setColor(group, QPalette::Window, QColor(0x2b, 0x2b, 0x2b));
            dark.setColor(group, QPalette::WindowText, QColor(0xee, 0xee, 0xee));
            dark.setColor(group, QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
            dark.setColor(group, QPalette::Text, QColor(0xee, 0xee, 0xee));
            dark.setColor(group, QPalette::Button, QColor(0x35, 0x35, 0x35));
            dark.setColor(group, QPalette::ButtonText, QColor(0xee, 0xee, 0xee));
        }
        QApplication::setPalette(dark);
    }
    void TearDown() override { QApplication::setPalette(saved_); }

  private:
    QPalette saved_;
};

TEST_F(DarkPalette, EveryTextStaysLegible) {
    auto form = MakeForm();
    form->ApplyStartupLanguage();
    form->show();
    std::vector<std::string> faint;
    const auto check = [&](QWidget* w, QColor text, QColor ground) {
        if (w->isHidden() || !w->isVisibleTo(form.get())) return;
        const double ratio = Contrast(text, ground);
        if (ratio < 4.5)
            faint.push_back(w->objectName().toStdString() + " " + text.name().toStdString() +
                            " on " + ground.name().toStdString() + ": " + std::to_string(ratio));
    };
    // Every page of every tab control in turn.
    std::vector<QTabWidget*> books;
    for (auto* book : form->findChildren<QTabWidget*>())
        if (book->objectName().startsWith(QLatin1String("PageControl"))) books.push_back(book);
    for (QTabWidget* book : books) {
        for (int i = 0; i < book->count(); ++i) {
            book->setCurrentIndex(i);
            for (auto* label : form->findChildren<QLabel*>()) {
                if (label->text().isEmpty() || label->pixmap().isNull() == false) continue;
                check(label, label->palette().color(Group(label), label->foregroundRole()),
                      GroundOf(label));
            }
            for (auto* edit : form->findChildren<QLineEdit*>())
                check(edit, edit->palette().color(Group(edit), QPalette::Text),
                      edit->palette().color(Group(edit), QPalette::Base));
            for (auto* list : form->findChildren<QComboBox*>()) {
                const bool editable = list->isEditable();
                check(list,
                      list->palette().color(Group(list),
                                            editable ? QPalette::Text : QPalette::ButtonText),
                      list->palette().color(Group(list),
                                            editable ? QPalette::Base : QPalette::Button));
            }
        }
        book->setCurrentIndex(0);
    }
    std::sort(faint.begin(), faint.end());
    faint.erase(std::unique(faint.begin(), faint.end()), faint.end());
    EXPECT_TRUE(faint.empty()) << [&] {
        std::string all;
        for (const auto& line : faint)
            all += line + "\n";
        return all;
    }();
}

}  // namespace
}  // namespace navoro
