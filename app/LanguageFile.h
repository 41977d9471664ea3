#pragma once

#include <cstddef>
#include <string>

#include "app/CodePage.h"
#include "app/Languages.h"
#include "ui/IniFile.h"
#include "ui/MessageTable.h"

namespace navoro {

// A language file's value is cut to this many characters.
inline constexpr std::size_t kMaxLanguageValue = 2047;

// The controls a language file sets; the GUI implements it. A target that does
// not exist (yet) is skipped silently.
class LanguageTargets {
  public:
    virtual ~LanguageTargets() = default;
    // A Caption or EditLabel key that the file holds, decoded to UTF-8.
    virtual void SetTargetText(const LanguageKey& key, const std::string& text) = 0;
    // FoldOpenPort or FoldLinkState, run in their place in the key order.
    virtual void RunFoldedStep(const LanguageKey& step) = 0;
};

// Applies the keys of `ini` (bytes in code page `page`) in key-list order:
// present keys replace the target's text (MessageTable entries directly), absent
// ones leave it as it is; the folded steps always run.
void ApplyLanguageTexts(const IniFile& ini, CodePage page, MessageTable& messages,
                        LanguageTargets& targets);

// Reads a language file and applies it. A missing or unreadable file changes no
// text (the folded steps still run); returns whether the file was read.
bool LoadLanguageFile(const std::string& path, CodePage page, MessageTable& messages,
                      LanguageTargets& targets);

}  // namespace navoro
