// Fuzzes the language-file path: any bytes parsed as an INI file, decoded from
// every code page and applied to the message table and the controls' texts.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/CodePage.h"
#include "app/LanguageFile.h"
#include "ui/IniFile.h"
#include "ui/MessageTable.h"

namespace {

class NoControls : public navoro::LanguageTargets {
  public:
    void SetTargetText(const navoro::LanguageKey&, const std::string& text) override {
        total_ += text.size();
    }
    void RunFoldedStep(const navoro::LanguageKey&) override {}

  private:
    std::size_t total_ = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const navoro::IniFile ini = navoro::IniFile::Parse(bytes);
    for (const auto page : {navoro::CodePage::Windows1250, navoro::CodePage::Big5,
                            navoro::CodePage::Gbk, navoro::CodePage::Windows1251}) {
        navoro::MessageTable messages;
        messages.LoadBuiltInTexts();
        NoControls controls;
        navoro::ApplyLanguageTexts(ini, page, messages, controls);
        bool invalid = false;
        (void)navoro::DecodeToUtf8(bytes, page, &invalid);
    }
    return 0;
}
