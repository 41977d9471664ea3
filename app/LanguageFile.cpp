#include "app/LanguageFile.h"

namespace navoro {

void ApplyLanguageTexts(const IniFile& ini, CodePage page, MessageTable& messages,
                        LanguageTargets& targets) {
    for (const LanguageKey& key : LanguageKeys()) {
        if (key.Target == KeyTarget::FoldOpenPort || key.Target == KeyTarget::FoldLinkState) {
            targets.RunFoldedStep(key);
            continue;
        }
        const auto raw = ini.Value(key.Section, key.Key);
        if (!raw) continue;
        const std::string_view bytes(*raw);
        std::string text =
            DecodeToUtf8(bytes.substr(0, CharacterBoundary(bytes, kMaxLanguageValue, page)), page);
        if (key.Target == KeyTarget::Message) {
            messages.Store(key.Section, key.Key, std::move(text));
        } else {
            targets.SetTargetText(key, text);
        }
    }
}

bool LoadLanguageFile(const std::string& path, CodePage page, MessageTable& messages,
                      LanguageTargets& targets) {
    const auto ini = IniFile::Load(path);
    ApplyLanguageTexts(ini ? *ini : IniFile{}, page, messages, targets);
    return ini.has_value();
}

}  // namespace navoro
