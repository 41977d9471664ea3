#pragma once

class QMainWindow;
class QTabWidget;
class QWidget;

namespace navoro {

// The main window's fixed client size.
inline constexpr int kClientWidth = 723;
inline constexpr int kClientHeight = 538;

// The main window's look: its title bar buttons, the light palette with the
// sky-blue frame, the button-style main tabs and compact page tabs, and its
// fixed size (the client area plus the menu bar).
void StyleMainWindow(QMainWindow* window, QWidget* client, QTabWidget* mainTabs,
                     QTabWidget* configTabs, QTabWidget* diagnosisTabs);
void FixClientSize(QMainWindow* window, QWidget* client);

}  // namespace navoro
