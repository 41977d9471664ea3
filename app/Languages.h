#pragma once

#include <span>
#include <string>

#include "app/CodePage.h"

namespace navoro {

// The script a language is written in; the GUI picks a font that has it.
enum class Script { Latin, TraditionalChinese, SimplifiedChinese, Cyrillic };

struct LanguageInfo {
    int Index;               // LanguageIndex, as the settings file stores it
    const char* MenuItem;    // objectName of the language menu item
    const char* File;        // below ExeFolder
    const char* ReadMeFile;  // below ExeFolder
    CodePage Page;           // the files' code page
    int FontCharset;         // the character set the files were written for
    Script FontScript;
};

inline constexpr LanguageInfo kLanguages[] = {
    {0, "mnuLangEnglish", "Lang/Lang-EN.ini", "Lang/ReadMe-EN_LUMOWORKS.txt", CodePage::Windows1250,
     238, Script::Latin},
    {1, "mnuLangTraChinese", "Lang/Lang-TW.ini", "Lang/ReadMe-TW.txt", CodePage::Big5, 136,
     Script::TraditionalChinese},
    {2, "mnuLangSimpChinese", "Lang/Lang-CN.ini", "Lang/ReadMe-CN.txt", CodePage::Gbk, 134,
     Script::SimplifiedChinese},
    {3, "mnuLangRussian", "Lang/Lang-RU.ini", "Lang/ReadMe-RU.txt", CodePage::Windows1251, 204,
     Script::Cyrillic},
};

// The language of an index, or nullptr outside 0..3.
const LanguageInfo* FindLanguage(int index);

// Where a key's text goes.
enum class KeyTarget {
    Caption,        // the caption of a control, menu item or tab page
    EditLabel,      // the caption of the label attached to an edit box
    Message,        // a MessageTable entry (Control is empty)
    FoldOpenPort,   // folded step: OpenPort's caption from its "connected" property
    FoldLinkState,  // folded step: LabelConnectionStatus's text from LinkState
};

// Which window holds the control.
enum class KeyWindow { Main, About, Agreement };

struct LanguageKey {
    const char* Section;  // empty for the folded steps
    const char* Key;
    KeyTarget Target;
    KeyWindow Window;
    const char* Control;     // objectName of the target control
    const char* DesignText;  // the control's built-in caption
};

// Every key of a language file, in reading order, with the two folded steps in
// their places. A key that feeds two controls appears twice.
std::span<const LanguageKey> LanguageKeys();

}  // namespace navoro
