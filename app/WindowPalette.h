#pragma once

#include <QPalette>
#include <QWidget>

namespace navoro {

// The light colours the main window is drawn in: its sky-blue frame, light
// tabs and white plots are designed for dark text on light ground, so the
// window sets every role itself instead of taking the desktop's (a dark
// desktop palette would otherwise give light text on the light frame).
QPalette LightWindowPalette();

// Gives every control below `root` that has no palette of its own its
// parent's. Controls under a style sheet do not inherit their parent's
// palette (they take the application's), so without this the pages would
// show the desktop's colours inside the window's light frame.
void SpreadPalette(QWidget* root);

}  // namespace navoro
