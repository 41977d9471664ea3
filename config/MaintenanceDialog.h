#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <cstdint>
#include <functional>
#include <string>

#include "config/tabs/WriteRun.h"
#include "ui/Prompts.h"

namespace navoro {

// The maintenance dialog: one field and one button, in two modes.
//
//   Mode 0, "Factory Restore": the maintenance code 61528037 sends the
//   DBG factory-restore command (any other code sends nothing).
//   Mode 1, "Generate Serial Number Sentence": builds $PTPS,1,<serial>*hh and
//   hands it to the data log's command field; nothing is sent.
//
// Created once at start-up (factory restore) and kept to the end; every
// showing resets its texts for the mode, and every press of the button closes it.
class MaintenanceDialog : public QDialog {
    Q_OBJECT

  public:
    enum class Mode { FactoryRestore, SerialNumberSentence };

    MaintenanceDialog(Prompts& prompts, QWidget* mainWindow);

    // Shows the dialog in `mode` (brought to the front when it is open).
    void Open(Mode mode);
    // Puts the Maintenance menu, one item a mode, into `menu` before `before`.
    void AddMenu(QMenu* menu, QAction* before);
    Mode CurrentMode() const { return mode_; }

    // What the main window provides: a sentence line sent, with its outcome;
    // the title and text of a failed send's error box; and the data log's
    // command field (the text goes there and the data log is shown).
    std::function<SendResult(const std::string& line)> Send;
    std::function<std::string()> ErrorTitle;
    std::function<std::string()> PortOpenErrorText;
    std::function<void(const QString& sentence)> PutSendCommand;

    // Sets the title, the label, the field's prompt and length and the
    // button's caption for the current mode, and empties the field.
    void ResetTexts();
    // A click into the field empties a text that still holds the prompt.
    void ClearPrompt();
    // Runs the mode's action, then closes the dialog.
    void RunCommand();

    QLabel* LabelActivedTitle = nullptr;
    QLineEdit* EditVerifyPassword = nullptr;
    QPushButton* SB_Command = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FactoryRestore();
    void GenerateSerialNumberSentence();

    Prompts& prompts_;
    Mode mode_ = Mode::FactoryRestore;
    QRegularExpressionValidator* validator_ = nullptr;
};

}  // namespace navoro
