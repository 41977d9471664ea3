#include "app/ControlTexts.h"

#include <QDialog>
#include <QGroupBox>
#include <QMenu>
#include <QTabWidget>
#include <QVariant>

namespace navoro {

namespace {

// True when `object` lies inside a dialog that is not `window` itself.
bool InsideOtherDialog(const QObject* object, const QWidget* window) {
    for (const QObject* p = object->parent(); p && p != window; p = p->parent()) {
        if (qobject_cast<const QDialog*>(p)) return true;
    }
    return false;
}

// The tab widget that shows `control` as one of its pages (a page's parent is
// the tab widget's stack), and the page's index.
QTabWidget* TabOf(QObject* control, int* index) {
    auto* page = qobject_cast<QWidget*>(control);
    QWidget* stack = page ? page->parentWidget() : nullptr;
    auto* tabs = stack ? qobject_cast<QTabWidget*>(stack->parentWidget()) : nullptr;
    if (!tabs) return nullptr;
    *index = tabs->indexOf(page);
    return *index >= 0 ? tabs : nullptr;
}

}  // namespace

QObject* FindControl(QWidget* window, const QString& name) {
    if (!window || name.isEmpty()) return nullptr;
    const auto found = window->findChildren<QObject*>(name);
    for (QObject* object : found) {
        if (!InsideOtherDialog(object, window)) return object;
    }
    return nullptr;
}

bool SetCaption(QObject* control, const QString& text) {
    if (!control) return false;
    int index = -1;
    if (QTabWidget* tabs = TabOf(control, &index)) {
        tabs->setTabText(index, text);
        return true;
    }
    if (auto* menu = qobject_cast<QMenu*>(control)) {
        menu->setTitle(text);
        return true;
    }
    if (auto* group = qobject_cast<QGroupBox*>(control)) {
        group->setTitle(text);
        return true;
    }
    if (control->metaObject()->indexOfProperty("text") >= 0) {
        return control->setProperty("text", text);
    }
    return false;
}

QString Caption(QObject* control) {
    if (!control) return {};
    int index = -1;
    if (QTabWidget* tabs = TabOf(control, &index)) return tabs->tabText(index);
    if (auto* menu = qobject_cast<QMenu*>(control)) return menu->title();
    if (auto* group = qobject_cast<QGroupBox*>(control)) return group->title();
    return control->property("text").toString();
}

QLabel* AttachedLabel(QWidget* edit) {
    if (!edit) return nullptr;
    QWidget* window = edit->window();
    for (QLabel* label : window->findChildren<QLabel*>()) {
        if (label->buddy() == edit) return label;
    }
    return nullptr;
}

}  // namespace navoro
