#pragma once

#include <QObject>

class QAction;
class QMenu;

namespace navoro {

class TForm1;

// What the main window does as a desktop tool beside its pages: File > Save
// configuration... / Load configuration..., Refresh and Connect/Disconnect in
// the File menu, and the standard keyboard shortcuts:
//   Ctrl+O  load a configuration file
//   Ctrl+S  save the data log on DATA LOG, the configuration file elsewhere
//   F5      re-read the visible configuration tab
//   Ctrl+Return  Connect/Disconnect
//   Ctrl+Q  exit (with the exit question)
// The window creates one at the end of its construction.
class WindowHabits : public QObject {
    Q_OBJECT

  public:
    explicit WindowHabits(TForm1& form);

    void mnuSaveConfigFileClick();
    void mnuLoadConfigFileClick();
    void mnuRefreshClick();

  private:
    QAction* AddMenuItem(const char* name, const char* caption);

    TForm1& form_;
    QMenu* file_;
    QAction* firstItem_;  // what the File menu held first (the maintenance menu)
};

}  // namespace navoro
