#pragma once

#include <QPoint>
#include <optional>

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

// Where the window's left edge goes when it is first shown: the centre of its
// screen, or `remembered` (where the user left it) as long as the window can
// be seen there.
int FirstLeftEdge(const QMainWindow* window, const std::optional<QPoint>& remembered);
// Keeps the label under the signal chart and the window's top edge at `top`.
void KeepPlacement(QMainWindow* window, int top);

}  // namespace navoro
