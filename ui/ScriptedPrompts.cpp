#include "ui/ScriptedPrompts.h"

namespace navoro {

void ScriptedPrompts::Record(PromptCall call) {
    Calls.push_back(std::move(call));
    if (OnCall) OnCall(Calls.back());
}

bool ScriptedPrompts::NextAnswer() {
    if (Answers.empty()) return DefaultAnswer;
    const bool answer = Answers.front();
    Answers.pop_front();
    return answer;
}

void ScriptedPrompts::ShowMessage(PromptIcon icon, const std::string& title,
                                  const std::string& text) {
    Record({PromptKind::Message, icon, title, text});
}

bool ScriptedPrompts::AskOkCancel(PromptIcon icon, const std::string& title,
                                  const std::string& text) {
    Record({PromptKind::OkCancel, icon, title, text});
    return NextAnswer();
}

bool ScriptedPrompts::AskYesNo(PromptIcon icon, const std::string& title, const std::string& text) {
    Record({PromptKind::YesNo, icon, title, text});
    return NextAnswer();
}

std::optional<std::string> ScriptedPrompts::AskSaveFileName(const std::string& title,
                                                            const std::string& suggestedPath,
                                                            const std::string& /*filter*/) {
    Record({PromptKind::SaveFile, PromptIcon::None, title, suggestedPath});
    if (SaveFileNames.empty()) return std::nullopt;
    auto answer = SaveFileNames.front();
    SaveFileNames.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPrompts::AskOpenFileName(const std::string& title,
                                                            const std::string& folder,
                                                            const std::string& /*filter*/) {
    Record({PromptKind::OpenFile, PromptIcon::None, title, folder});
    if (OpenFileNames.empty()) return std::nullopt;
    auto answer = OpenFileNames.front();
    OpenFileNames.pop_front();
    return answer;
}

bool ScriptedPrompts::OpenInEditor(const std::string& path) {
    Record({PromptKind::OpenInEditor, PromptIcon::None, "", path});
    return OpenResult;
}

bool ScriptedPrompts::OpenWebAddress(const std::string& url) {
    Record({PromptKind::OpenWebAddress, PromptIcon::None, "", url});
    return OpenResult;
}

void ScriptedPrompts::Sleep(int milliseconds) {
    Record({PromptKind::Sleep, PromptIcon::None, "", "", milliseconds});
}

int ScriptedPrompts::Count(PromptKind kind) const {
    int n = 0;
    for (const PromptCall& call : Calls)
        n += call.Kind == kind ? 1 : 0;
    return n;
}

const PromptCall* ScriptedPrompts::Last(PromptKind kind) const {
    for (auto it = Calls.rbegin(); it != Calls.rend(); ++it) {
        if (it->Kind == kind) return &*it;
    }
    return nullptr;
}

int ScriptedPrompts::SleptMilliseconds() const {
    int total = 0;
    for (const PromptCall& call : Calls)
        total += call.Milliseconds;
    return total;
}

}  // namespace navoro
