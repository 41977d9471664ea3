#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Prompts.h"

namespace navoro {

enum class PromptKind {
    Message,
    OkCancel,
    YesNo,
    SaveFile,
    OpenInEditor,
    OpenWebAddress,
    Sleep,
    OpenFile
};

struct PromptCall {
    PromptKind Kind;
    PromptIcon Icon;
    std::string Title;
    std::string Text;  // the message, the suggested path, the file, the address
    int Milliseconds = 0;
};

// Prompts for tests: records every call and answers from pre-set queues.
class ScriptedPrompts : public Prompts {
  public:
    std::vector<PromptCall> Calls;
    // Answers of AskOkCancel / AskYesNo in order; DefaultAnswer when empty.
    std::deque<bool> Answers;
    bool DefaultAnswer = true;
    // Answers of AskSaveFileName in order; nothing (cancelled) when empty.
    std::deque<std::optional<std::string>> SaveFileNames;
    // Answers of AskOpenFileName in order; nothing (cancelled) when empty.
    std::deque<std::optional<std::string>> OpenFileNames;
    // Results of OpenInEditor and OpenWebAddress.
    bool OpenResult = true;
    // Run during every call, after it was recorded (to look at state while a
    // box would be open).
    std::function<void(const PromptCall&)> OnCall;

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

    int Count(PromptKind kind) const;
    // The last call of a kind, or nullptr.
    const PromptCall* Last(PromptKind kind) const;
    int SleptMilliseconds() const;

  private:
    void Record(PromptCall call);
    bool NextAnswer();
};

}  // namespace navoro
