#pragma once

// What the configuration tabs' pages are built with: the host a page is given
// and the makers of its controls. Every control carries its name as
// objectName (the language files and the option lists find it by it); a
// labelled edit's caption is a QLabel whose buddy is the edit.

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QToolButton>
#include <functional>
#include <initializer_list>
#include <optional>
#include <string>

#include "config/SpinEdit.h"
#include "config/tabs/TabRules.h"
#include "config/tabs/TabView.h"
#include "ui/MessageTable.h"

namespace navoro {

struct TabViewHost {
    QWidget* Sheet = nullptr;  // the tab's page on the configuration page
    const MessageTable* Messages = nullptr;
    std::function<void()> Write;  // the tab's write
};

template <class T>
T* MakeControl(QWidget* parent, const char* name) {
    auto* widget = new T(parent);
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* text);
QLineEdit* MakeEdit(QWidget* parent, const char* name, int maxLength, const char* text = "");
// Whatever is typed is shown in upper case.
QLineEdit* MakeUpperEdit(QWidget* parent, const char* name, int maxLength, const char* text = "");
// Digits only, at most `digits`.
QLineEdit* MakeDigitsEdit(QWidget* parent, const char* name, int digits, const char* text);
// The caption of a labelled edit.
QLabel* AttachLabel(QWidget* parent, QWidget* edit, const char* text);
// A spin box over `range` (from a unit's limits).
SpinEdit* MakeSpin(QWidget* parent, const char* name, WholeRange range, int initial = 0);
QComboBox* MakeList(QWidget* parent, const char* name, int minimumWidth = 110);
// The tab's write button: it exists (its click writes the tab), but is never shown.
QToolButton* MakeWriteButton(QWidget* parent, const char* name, const TabViewHost& host);
QGridLayout* GridOn(QWidget* page);
// A grid whose row 0 holds the headings and column 0 the row numbers; both
// are fixed (not editable, shaded).
QTableWidget* MakeGrid(QWidget* parent, const char* name, int columns, int rows,
                       const std::initializer_list<int>& widths);

// A control's value.
std::string TextOf(const QLineEdit* edit);
void SetText(QLineEdit* edit, const std::string& text);
// A spin box: its number, nothing while it shows "N/A".
std::optional<int> SpinOf(const SpinEdit* box);
void ShowSpin(SpinEdit* box, const std::optional<int>& value);
// Selects `index` when the list has it, nothing otherwise.
void SelectIndex(QComboBox* list, int index);
// Fills a two-entry option list from the message table; the entry that was
// selected stays selected (entry 0 in a list that was empty).
void FillOptions(QComboBox* list, const MessageTable& messages, MessageId first, MessageId second);

// A problem of a control whose text is no value.
RuleProblem ControlProblem(const char* key, const char* control, MessageId text);

}  // namespace navoro
