// Every page of the main window, in each of the four languages, at the
// window's fixed size: no single-line caption is wider than its control, no
// wrapped one is taller, and no control reaches outside its page.
#include <QAbstractScrollArea>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabWidget>

#include "ShellFixture.h"

namespace navoro {
namespace {

QString Plain(QString text) {
    return text.remove(QLatin1Char('&'));
}

// The room a caption needs inside its control, or -1 for a control that
// wraps, elides or shows no single line of text.
int NeededWidth(const QWidget* w) {
    const QFontMetrics metrics = w->fontMetrics();
    if (const auto* label = qobject_cast<const QLabel*>(w)) {
        const QString text = label->text();
        if (label->wordWrap() || text.isEmpty() || text.contains(QLatin1Char('\n')) ||
            Qt::mightBeRichText(text))
            return -1;
        return metrics.horizontalAdvance(text) + 2 * label->margin() +
               std::max(0, label->indent()) + label->contentsMargins().left() +
               label->contentsMargins().right() + 2 * label->frameWidth();
    }
    const auto* button = qobject_cast<const QAbstractButton*>(w);
    if (!button || button->text().isEmpty() || button->text().contains(QLatin1Char('\n')))
        return -1;
    const int text = metrics.horizontalAdvance(Plain(button->text()));
    const QStyle* style = w->style();
    if (qobject_cast<const QCheckBox*>(w) || qobject_cast<const QRadioButton*>(w)) {
        const bool check = qobject_cast<const QCheckBox*>(w) != nullptr;
        return text +
               style->pixelMetric(
                   check ? QStyle::PM_IndicatorWidth : QStyle::PM_ExclusiveIndicatorWidth, nullptr,
                   w) +
               style->pixelMetric(
                   check ? QStyle::PM_CheckBoxLabelSpacing : QStyle::PM_RadioButtonLabelSpacing,
                   nullptr, w);
    }
    if (qobject_cast<const QPushButton*>(w)) {
        // The room the style leaves for the caption inside the button's frame.
        QStyleOptionButton option;
        option.initFrom(w);
        option.text = button->text();
        const int inside = style->subElementRect(QStyle::SE_PushButtonContents, &option, w).width();
        return text + (w->width() - inside);
    }
    return -1;
}

bool InsideScrolledContent(const QWidget* w, const QWidget* page) {
    for (const QWidget* p = w->parentWidget(); p && p != page; p = p->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea*>(p)) return true;
    }
    return false;
}

// What does not fit on `page`, one line each.
std::vector<std::string> Misfits(QWidget* page, const std::string& where) {
    std::vector<std::string> found;
    const QRect area = page->rect();
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(page) || w->isWindow() || InsideScrolledContent(w, page)) continue;
        const std::string name =
            where + " " + w->metaObject()->className() + " " + w->objectName().toStdString();
        const QRect box(w->mapTo(page, QPoint(0, 0)), w->size());
        if (!area.contains(box)) {
            found.push_back(
                name + " reaches outside its page: " + std::to_string(box.right() - area.right()) +
                " px right, " + std::to_string(box.bottom() - area.bottom()) + " px below");
        }
        if (const auto* label = qobject_cast<const QLabel*>(w);
            label && label->wordWrap() && !label->text().isEmpty() &&
            label->heightForWidth(label->width()) > label->height()) {
            found.push_back(name + " cuts off its wrapped text \"" + label->text().toStdString() +
                            "\": needs " + std::to_string(label->heightForWidth(label->width())) +
                            " px high, has " + std::to_string(label->height()));
        }
        const int needed = NeededWidth(w);
        if (needed > w->width()) {
            const QString text = qobject_cast<QLabel*>(w)
                                     ? qobject_cast<QLabel*>(w)->text()
                                     : qobject_cast<QAbstractButton*>(w)->text();
            found.push_back(name + " clips \"" + text.toStdString() + "\": needs " +
                            std::to_string(needed) + " px, has " + std::to_string(w->width()));
        }
    }
    return found;
}

class LayoutFit : public test::ShellTest {};

TEST_F(LayoutFit, EveryPageFitsInEveryLanguage) {
    CopyShippedLanguages();
    auto form = MakeForm();
    form->show();
    auto* main = FindControlAs<QTabWidget>(form.get(), "PageControlMain");
    std::vector<QTabWidget*> books = {
        FindControlAs<QTabWidget>(form.get(), "PageControlConf"),
        FindControlAs<QTabWidget>(form.get(), "PageControlDiagnosis")};
    for (const LanguageInfo& language : kLanguages) {
        FindControlAs<QAction>(form.get(), language.MenuItem)->trigger();
        ASSERT_EQ(form->LanguageIndex(), language.Index);
        const std::string lang = language.File;
        QApplication::processEvents();
        for (const std::string& misfit : Misfits(form->centralWidget(), lang + " main window"))
            ADD_FAILURE() << misfit;
        for (int m = 0; m < main->count(); ++m) {
            main->setCurrentIndex(m);
            for (QTabWidget* book : books) {
                if (!book->isVisible()) continue;
                for (int i = 0; i < book->count(); ++i) {
                    book->setCurrentIndex(i);
                    QApplication::processEvents();
                    QWidget* page = book->widget(i);
                    for (const std::string& misfit :
                         Misfits(page, lang + " " + page->objectName().toStdString()))
                        ADD_FAILURE() << misfit;
                }
            }
        }
        main->setCurrentIndex(0);
    }
}

}  // namespace
}  // namespace navoro
