#pragma once

#include <QLabel>
#include <QObject>
#include <QString>
#include <QWidget>

namespace navoro {

// How the language switch and the option lists reach controls: by objectName,
// below a window, skipping the controls of other dialogs that the window owns.
// Controls that do not exist are skipped by the callers, so controls added
// later get their texts as soon as they exist.
QObject* FindControl(QWidget* window, const QString& name);

template <typename T>
T* FindControlAs(QWidget* window, const QString& name) {
    return qobject_cast<T*>(FindControl(window, name));
}

// Sets the caption of a control: a tab page's tab text, a menu's title, a
// group box's title, or the "text" property of anything else (labels,
// buttons, check boxes, menu items). False when it has none.
bool SetCaption(QObject* control, const QString& text);
QString Caption(QObject* control);

// The label attached to an edit box: the QLabel in the same window whose
// buddy() is the edit. Later pages attach a caption to an edit this way
// (QLabel::setBuddy), as a labelled edit carries its own label.
QLabel* AttachedLabel(QWidget* edit);

}  // namespace navoro
