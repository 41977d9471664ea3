#pragma once

#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <cstdint>
#include <functional>
#include <string>

#include "codec/Codec.h"
#include "config/WritePlans.h"
#include "ui/Prompts.h"

namespace navoro {

// The maintenance dialog: one field and one button, in two modes.
//
//   Mode 0, "Factory Restore": the maintenance code 61528037 sends the
//   DBG factory-restore command (any other code sends nothing).
//   Mode 1, "Generate Serial Number Sentence": builds $PTPS,1,<serial>*hh and
//   hands it to the data log's command field; nothing is sent.
//
// Created once at start-up (mode 0) and kept to the end; every showing resets
// its texts for the mode, and every press of the button closes it.
class TfrmInputDialog : public QDialog {
    Q_OBJECT

  public:
    TfrmInputDialog(Codec& codec, Prompts& prompts, QWidget* mainWindow);

    // 0: factory restore, 1: serial-number sentence.
    std::uint8_t Mode = 0;

    // What the main window provides: SendSentence with its outcome; the title
    // and text of a failed send's error box; and the data log's command field
    // (the text goes there and the data log is shown).
    std::function<SendResult(const char* talker, const char* formatter)> SendSentence;
    std::function<std::string()> ErrorTitle;
    std::function<std::string()> PortOpenErrorText;
    std::function<void(const QString& sentence)> PutSendCommand;

    // Sets the title, the label, the field's prompt and length and the
    // button's caption for the current mode, and empties the field.
    void FormShow();
    // A click into the field empties a text that still holds the prompt.
    void EditVerifyPasswordClick();
    // Runs the mode's action, then closes the dialog.
    void SB_CommandClick();

    QLabel* LabelActivedTitle = nullptr;
    QLineEdit* EditVerifyPassword = nullptr;
    QPushButton* SB_Command = nullptr;

  protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void FactoryRestore();
    void GenerateSerialNumberSentence();

    Codec& codec_;
    Prompts& prompts_;
    QRegularExpressionValidator* validator_ = nullptr;
};

}  // namespace navoro
