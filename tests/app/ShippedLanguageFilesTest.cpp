// The language and read-me files that ship with the program.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "TestFiles.h"
#include "app/LanguageFile.h"
#include "app/Languages.h"
#include "app/ReadMe.h"
#include "ui/IniFile.h"

namespace navoro {

void PrintTo(const LanguageInfo& language, std::ostream* os) {
    *os << language.File;
}

namespace {

const std::string kLangDir = NAVORO_LANG_DIR;

std::string SourceOf(const std::string& shippedName) {
    const auto dot = shippedName.rfind('.');
    return kLangDir + "/source/" + shippedName.substr(0, dot) + ".utf8" + shippedName.substr(dot);
}

std::string Name(const char* relative) {
    const std::string path = relative;
    return path.substr(path.find('/') + 1);
}

class ShippedLanguage : public ::testing::TestWithParam<LanguageInfo> {};

TEST_P(ShippedLanguage, HoldsEveryKeyAndDecodesCleanly) {
    const LanguageInfo& language = GetParam();
    const std::string path = kLangDir + "/" + Name(language.File);
    const auto ini = IniFile::Load(path);
    ASSERT_TRUE(ini) << path;
    for (const LanguageKey& key : LanguageKeys()) {
        if (key.Section[0] == '\0') continue;  // a folded step
        const auto value = ini->Value(key.Section, key.Key);
        ASSERT_TRUE(value) << path << ": " << key.Section << "/" << key.Key;
        EXPECT_LE(value->size(), kMaxLanguageValue);
        bool invalid = false;
        const std::string text = DecodeToUtf8(*value, language.Page, &invalid);
        EXPECT_FALSE(invalid) << path << ": " << key.Section << "/" << key.Key;
        EXPECT_EQ(text.find("\xEF\xBF\xBD"), std::string::npos);
        EXPECT_FALSE(text.empty()) << key.Section << "/" << key.Key;
    }
}

// Each line of a file is either a section the key list knows, or a key of the
// key list in its section: a misspelt key would be ignored silently.
TEST_P(ShippedLanguage, HoldsNoUnknownKey) {
    const std::string text = test::ReadFile(kLangDir + "/" + Name(GetParam().File));
    std::set<std::string> known;
    for (const LanguageKey& key : LanguageKeys())
        known.insert(std::string(key.Section) + "/" + key.Key);
    std::string section;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string line = text.substr(start, end - start);
        start = end == std::string::npos ? text.size() : end + 1;
        if (line.empty() || line[0] == ';') continue;
        if (line[0] == '[') {
            section = line.substr(1, line.find(']') - 1);
            continue;
        }
        const std::string key = line.substr(0, line.find('='));
        EXPECT_TRUE(known.count(section + "/" + key)) << section << "/" << key;
    }
}

// The shipped files are the UTF-8 sources in their code page (Lang/encode.sh).
TEST_P(ShippedLanguage, MatchesItsUtf8Source) {
    const LanguageInfo& language = GetParam();
    for (const char* file : {language.File, language.ReadMeFile}) {
        const std::string shipped = test::ReadFile(kLangDir + "/" + Name(file));
        ASSERT_FALSE(shipped.empty()) << file;
        bool invalid = false;
        EXPECT_EQ(DecodeToUtf8(shipped, language.Page, &invalid),
                  test::ReadFile(SourceOf(Name(file))))
            << file << " differs from its source: run app/Lang/encode.sh";
        EXPECT_FALSE(invalid) << file;
    }
}

TEST_P(ShippedLanguage, ReadMeLoads) {
    const LanguageInfo& language = GetParam();
    const auto lines = LoadReadMe(kLangDir + "/" + Name(language.ReadMeFile), language.Page);
    ASSERT_TRUE(lines);
    EXPECT_GT(lines->size(), 10u);
    EXPECT_EQ(lines->at(1), "Ver 1.2 Build20200221");
}

INSTANTIATE_TEST_SUITE_P(AllLanguages, ShippedLanguage, ::testing::ValuesIn(kLanguages),
                         [](const auto& info) { return Name(info.param.File).substr(5, 2); });

}  // namespace
}  // namespace navoro
