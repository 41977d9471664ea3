#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>

namespace navoro {

// The waiting window shared by reads and writes: a small tool window that
// stays on top, centred on the main window, with a label and a bar. Reads show
// it timed (the window's progress timer moves the bar and hides it); writes step it themselves. It
// has no buttons and cancels nothing. One instance lives as long as the
// program.
class WaitingWindow : public QDialog {
    Q_OBJECT

  public:
    static constexpr const char* kCollectingText = "Collecting Data. Please wait...";
    static constexpr const char* kSettingText = "Setting Data. Please wait...";

    explicit WaitingWindow(QWidget* mainWindow);

    // Sets the label and the bar (position 0, the given maximum), shows the
    // window centred on the main window and paints the label at once.
    void ShowProgress(const QString& text, int maximum);
    // Advances the bar by one (stepped mode).
    void Step();
    // For a write, which blocks the event loop while it runs: waits (at most
    // half a second) until the window system has put the window on the
    // screen, handling no input and no timer meanwhile, and paints it. A
    // window shown just before a blocking wait would otherwise stay blank.
    void WaitUntilShown();

    QLabel* Label() const { return label_; }
    QProgressBar* Bar() const { return bar_; }

  private:
    QLabel* label_ = nullptr;      // "lblWaitInfo"
    QProgressBar* bar_ = nullptr;  // "ProgressBar1"

    void CentreOnMainWindow();
};

}  // namespace navoro
