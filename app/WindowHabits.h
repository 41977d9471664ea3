#pragma once

#include <QObject>
#include <string>

#include "app/SettingsFile.h"

class QAction;
class QMenu;

namespace navoro {

class MainWindow;

// What the main window does as a desktop tool beside its pages: File > Save
// configuration... / Load configuration..., Refresh and Connect/Disconnect in
// the File menu, and the standard keyboard shortcuts:
//   Ctrl+O  load a configuration file
//   Ctrl+S  save the data log on DATA LOG, the configuration file elsewhere
//   F5      re-read the visible configuration tab
//   Ctrl+Return  Connect/Disconnect
//   Ctrl+Q  exit (with the exit question)
// It also keeps the connection mode, port, manual rate, the configuration tab,
// the diagnosis page and the window position in the settings file: restored
// when it is created, written with the language on exit. A remembered port
// that is not present stays chosen and is marked so, rather than replaced.
// The window creates one at the end of its construction.
class WindowHabits : public QObject {
    Q_OBJECT

  public:
    explicit WindowHabits(MainWindow& form);

    // File > Save configuration..., or the data log on DATA LOG (Ctrl+S).
    void SaveConfiguration();
    // File > Load configuration... (Ctrl+O).
    void LoadConfiguration();
    // Refresh (F5): reads the visible configuration tab again.
    void RereadVisibleTab();

    // What the settings file keeps of the window as it stands.
    ConnectionSettings Remembered() const;

  private:
    QAction* AddMenuItem(const char* name, const char* caption);
    void Restore(const ConnectionSettings& kept);
    void RestorePort(const std::string& port);
    // Selects `rate` in the rate list when it is one of its entries.
    bool SelectRate(int rate);
    int ShownRate() const;

    MainWindow& form_;
    QMenu* file_;
    QAction* firstItem_;  // what the File menu held first (the maintenance menu)
    int manualRate_ = 0;  // the rate chosen in manual mode (0: none)
};

}  // namespace navoro
