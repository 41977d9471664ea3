#include "ui/VisualTabOrder.h"

#include <QEvent>
#include <QObject>
#include <QTabWidget>
#include <QWidget>
#include <algorithm>
#include <vector>

namespace navoro {

namespace {

bool TakesTab(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) != 0;
}

// A control of its own: one that takes Tab and is not a part of another such
// control below the page (a spin box's line edit, a table's cell editor).
bool IsControl(const QWidget* w, const QWidget* page) {
    if (!TakesTab(w)) return false;
    for (const QWidget* up = w->parentWidget(); up != nullptr && up != page;
         up = up->parentWidget()) {
        if (TakesTab(up)) return false;
    }
    return true;
}

class PageShowWatcher : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) SetVisualTabOrder(static_cast<QWidget*>(watched));
        return QObject::eventFilter(watched, event);
    }
};

}  // namespace

void SetVisualTabOrder(QWidget* page) {
    struct Placed {
        QWidget* Widget;
        QRect Rect;
    };
    std::vector<Placed> controls;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (!IsControl(w, page) || !w->isVisibleTo(page)) continue;
        controls.push_back({w, QRect(w->mapTo(page, QPoint(0, 0)), w->size())});
    }
    if (controls.size() < 2) return;
    std::stable_sort(controls.begin(), controls.end(),
                     [](const Placed& a, const Placed& b) { return a.Rect.top() < b.Rect.top(); });
    // Rows: a control whose middle lies within the height of a row's first
    // control belongs to that row.
    std::vector<Placed> ordered;
    ordered.reserve(controls.size());
    for (std::size_t first = 0; first < controls.size();) {
        const QRect& lead = controls[first].Rect;
        std::size_t end = first + 1;
        while (end < controls.size() && controls[end].Rect.center().y() <= lead.bottom())
            ++end;
        std::stable_sort(
            controls.begin() + static_cast<std::ptrdiff_t>(first),
            controls.begin() + static_cast<std::ptrdiff_t>(end),
            [](const Placed& a, const Placed& b) { return a.Rect.left() < b.Rect.left(); });
        ordered.insert(ordered.end(), controls.begin() + static_cast<std::ptrdiff_t>(first),
                       controls.begin() + static_cast<std::ptrdiff_t>(end));
        first = end;
    }
    for (std::size_t i = 1; i < ordered.size(); ++i)
        QWidget::setTabOrder(ordered[i - 1].Widget, ordered[i].Widget);
}

void KeepVisualTabOrder(QTabWidget* tabs) {
    auto* watcher = new PageShowWatcher(tabs);
    for (int i = 0; i < tabs->count(); ++i)
        tabs->widget(i)->installEventFilter(watcher);
}

}  // namespace navoro
