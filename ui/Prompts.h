#pragma once

#include <optional>
#include <string>

namespace navoro {

enum class PromptIcon { None, Information, Warning, Error, Question };

// Everything that asks or tells the user, or hands something to the desktop.
// Every message box of the program goes through it, so tests can script the
// answers (ScriptedPrompts) and the program uses real dialogs (QtPrompts).
// Texts are UTF-8.
class Prompts {
  public:
    virtual ~Prompts() = default;

    // A modal message box with an OK button.
    virtual void ShowMessage(PromptIcon icon, const std::string& title,
                             const std::string& text) = 0;
    // A modal OK/Cancel question; true for OK.
    virtual bool AskOkCancel(PromptIcon icon, const std::string& title,
                             const std::string& text) = 0;
    // A modal Yes/No question; true for Yes.
    virtual bool AskYesNo(PromptIcon icon, const std::string& title, const std::string& text) = 0;
    // The save-file dialog: the chosen path, or nothing when the user cancels.
    // `filter` is in Qt's form, e.g. "Text files (*.txt);;All files (*)".
    virtual std::optional<std::string> AskSaveFileName(const std::string& title,
                                                       const std::string& suggestedPath,
                                                       const std::string& filter) = 0;
    // The open-file dialog: the chosen existing file, or nothing when the user
    // cancels.
    virtual std::optional<std::string> AskOpenFileName(const std::string& title,
                                                       const std::string& folder,
                                                       const std::string& filter) = 0;
    // Opens a file in the desktop's text editor without waiting for it; false
    // when nothing could be started.
    virtual bool OpenInEditor(const std::string& path) = 0;
    // Opens a web address with the desktop's default handler; false on failure.
    virtual bool OpenWebAddress(const std::string& url) = 0;
    // Blocks the calling thread for the time given. Windows registered to stay
    // painted (the waiting window) are repainted; no input or timer is handled.
    virtual void Sleep(int milliseconds) = 0;

    // Convenience: message boxes with the given title.
    void ShowWarning(const std::string& title, const std::string& text) {
        ShowMessage(PromptIcon::Warning, title, text);
    }
    void ShowError(const std::string& title, const std::string& text) {
        ShowMessage(PromptIcon::Error, title, text);
    }
    void ShowInformation(const std::string& title, const std::string& text) {
        ShowMessage(PromptIcon::Information, title, text);
    }
};

}  // namespace navoro
