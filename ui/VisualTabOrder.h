#pragma once

class QTabWidget;
class QWidget;

namespace navoro {

// Tab moves through a page's controls in the order they are seen: row by row
// from the top, left to right within a row. The order is set each time a page
// of `tabs` is shown (its controls' places are known then, in every language
// and at every scale).
void KeepVisualTabOrder(QTabWidget* tabs);

// Sets the order once for the controls of `page` as they are placed now.
void SetVisualTabOrder(QWidget* page);

}  // namespace navoro
