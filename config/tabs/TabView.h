#pragma once

// What the window's page of a tab does for its unit: it shows a record (or
// some of its values) in its controls and reads the controls back into one.
// The pages (config/pages/) are Qt widgets; this interface is not, so the
// units can name it: each unit's MakeView builds its page.

#include <memory>
#include <variant>

#include "config/tabs/TabRules.h"
#include "config/tabs/TabUnit.h"

namespace navoro {

// The Qt side's: where a page is built and what it may use (config/pages/PageKit.h).
struct TabViewHost;

template <typename Record>
class TabView {
  public:
    virtual ~TabView() = default;

    // Shows the values named by `fields` (the unit's Field bits; kAll: every one).
    virtual void Show(const Record& record, FieldSet fields) = 0;
    // Shows a record loaded from a configuration file (what the device says
    // about itself, such as inland mode, stays).
    virtual void Load(const Record& record) = 0;
    // What the controls hold; a problem when a control holds text that is no
    // value (the control to select and why).
    virtual std::variant<Record, RuleProblem> Read() = 0;
    // The tab is about to be read.
    virtual void PrepareRead() {}
    // The connection was reset: what the device said about itself is forgotten
    // (inland mode off).
    virtual void Reset() {}
    // The message table's texts (option lists, grid headings) after a language change.
    virtual void ApplyTexts(const MessageTable&) {}
};

}  // namespace navoro
