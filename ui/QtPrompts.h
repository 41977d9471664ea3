#pragma once

#include <QPointer>
#include <QWidget>

#include "ui/Prompts.h"

namespace navoro {

// Prompts with Qt dialogs: QMessageBox, QFileDialog and QDesktopServices.
// Sleep repaints every visible window (the waiting window among them) while it
// blocks, and handles no event: what arrives meanwhile is handled afterwards.
class QtPrompts : public Prompts {
  public:
    explicit QtPrompts(QWidget* parent = nullptr) : parent_(parent) {}

    // The window the dialogs are centred on and modal to.
    void SetParent(QWidget* parent) { parent_ = parent; }

    void ShowMessage(PromptIcon icon, const std::string& title, const std::string& text) override;
    bool AskOkCancel(PromptIcon icon, const std::string& title, const std::string& text) override;
    bool AskYesNo(PromptIcon icon, const std::string& title, const std::string& text) override;
    std::optional<std::string> AskSaveFileName(const std::string& title,
                                               const std::string& suggestedPath,
                                               const std::string& filter) override;
    std::optional<std::string> AskOpenFileName(const std::string& title, const std::string& folder,
                                               const std::string& filter) override;
    bool OpenInEditor(const std::string& path) override;
    bool OpenWebAddress(const std::string& url) override;
    void Sleep(int milliseconds) override;

  private:
    int Ask(PromptIcon icon, const std::string& title, const std::string& text, int buttons,
            int yesButton);
    QPointer<QWidget> parent_;
};

}  // namespace navoro
