// Code pages, the INI reader, the message table and the read-me loader.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestFiles.h"
#include "app/CodePage.h"
#include "app/Languages.h"
#include "app/ReadMe.h"
#include "ui/IniFile.h"
#include "ui/MessageTable.h"

namespace navoro {
namespace {

using test::TempFolder;
using test::WriteFile;

constexpr const char* kReplacement = "\xEF\xBF\xBD";

struct DecodeCase {
    CodePage Page;
    std::string Bytes;
    std::string Utf8;
    bool Invalid;
};

TEST(CodePage, DecodesEachLanguageAndReplacesInvalidBytes) {
    const DecodeCase cases[] = {
        {CodePage::Windows1250,
         "Z\x8A"
         "a",
         "ZŠa", false},
        {CodePage::Big5, "\xA4\xA4\xA4\xE5 A", "中文 A", false},
        {CodePage::Gbk, "\xD6\xD0\xCE\xC4", "中文", false},
        {CodePage::Windows1251, "\xC6\xF3\xF0\xED\xE0\xEB", "Журнал", false},
        // 0x98 is not a character of code page 1251: replaced, decoding goes on.
        {CodePage::Windows1251,
         "A\x98"
         "B",
         std::string("A") + kReplacement + "B", true},
        // A Big5 lead byte with a trail byte outside the trail range.
        {CodePage::Big5, "\xA4\x20x", std::string(kReplacement) + " x", true},
        // A double-byte character cut off at the end.
        {CodePage::Gbk, "ab\xD6", std::string("ab") + kReplacement, true},
    };
    for (const DecodeCase& c : cases) {
        bool invalid = !c.Invalid;
        EXPECT_EQ(DecodeToUtf8(c.Bytes, c.Page, &invalid), c.Utf8) << IconvName(c.Page);
        EXPECT_EQ(invalid, c.Invalid) << IconvName(c.Page) << " " << c.Utf8;
    }
}

TEST(CodePage, CutsOnlyBetweenCharacters) {
    const std::string big5 = "ab\xA4\xA4\xA4\xE5";  // "ab中文"
    EXPECT_EQ(CharacterBoundary(big5, 3, CodePage::Big5), 2u);
    EXPECT_EQ(CharacterBoundary(big5, 4, CodePage::Big5), 4u);
    EXPECT_EQ(CharacterBoundary(big5, 5, CodePage::Big5), 4u);
    EXPECT_EQ(CharacterBoundary(big5, 99, CodePage::Big5), 6u);
    EXPECT_EQ(CharacterBoundary("\xC6\xF3\xF0", 2, CodePage::Windows1251), 2u);
}

TEST(IniFile, ReadsValuesByTheLanguageFileRules) {
    const IniFile ini = IniFile::Parse(
        "Orphan=before any section\r\n"
        "[ Menu ]\r\n"
        "  File =   File(&F)   \r\n"
        "quoted=\"  CALL SIGN  \"\r\n"
        "single='NAME '\r\n"
        "unbalanced=\"open\r\n"
        "twoPairs=\"a\" and \"b\"\r\n"
        "equals=a=b\r\n"
        "empty=\r\n"
        "no equals sign here\r\n"
        "; File=comment\r\n"
        "File=second one is ignored\r\n"
        "[other]\n"
        "File=other section\n");
    struct Case {
        const char* Section;
        const char* Key;
        std::optional<std::string> Value;
    };
    const Case cases[] = {
        {"MENU", "FILE", "File(&F)"},
        {"menu", "quoted", "  CALL SIGN  "},
        {"MENU", "single", "NAME "},
        {"MENU", "unbalanced", "\"open"},
        {"MENU", "twoPairs", "a\" and \"b"},
        {"MENU", "equals", "a=b"},
        {"MENU", "empty", ""},
        {"MENU", "no equals sign here", std::nullopt},
        {"MENU", "Orphan", std::nullopt},
        {"OTHER", "file", "other section"},
        {"MENU", "Missing", std::nullopt},
        {"NoSection", "File", std::nullopt},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ini.Value(c.Section, c.Key), c.Value) << c.Section << "/" << c.Key;
    }
}

TEST(IniFile, SetKeepsEveryOtherLine) {
    IniFile ini = IniFile::Parse("; mine\n[view]\nlanguage=2\nZoom=3\n\n[Other]\nA=1\n");
    ini.Set("VIEW", "Language", "1");
    EXPECT_EQ(ini.Text(), "; mine\n[view]\nLanguage=1\nZoom=3\n\n[Other]\nA=1\n");
    ini.Set("Other", "B", "2");
    EXPECT_EQ(ini.Text(), "; mine\n[view]\nLanguage=1\nZoom=3\n\n[Other]\nA=1\nB=2\n");
    ini.Set("New", "C", "3");
    EXPECT_EQ(ini.Text(),
              "; mine\n[view]\nLanguage=1\nZoom=3\n\n[Other]\nA=1\nB=2\n\n[New]\nC=3\n");
    IniFile empty;
    empty.Set("VIEW", "Language", "0");
    EXPECT_EQ(empty.Text(), "[VIEW]\nLanguage=0\n");
}

TEST(MessageTable, HoldsBuiltInEnglishAndTakesReplacementsByName) {
    MessageTable table;
    EXPECT_EQ(table.Text(MessageId::PortOpenError), "");
    table.LoadBuiltInTexts();
    EXPECT_EQ(table.Text(MessageId::PortOpenError), "Serial port open error! Please check!");
    EXPECT_EQ(table.Text(MessageId::StatusDisconnect), "Disconnect...");
    EXPECT_EQ(table.Text(MessageId::Disconnect), "Disconnect");
    EXPECT_EQ(table.Text(MessageId::DeviceBaudRateHasBeenChanged), "");
    EXPECT_TRUE(table.Store("other_msg", "portopenerror", "X"));
    EXPECT_EQ(table.Text(MessageId::PortOpenError), "X");
    EXPECT_FALSE(table.Store("OTHER_MSG", "NoSuchKey", "Y"));
    ASSERT_NE(table.Find("CONFIG_SERIAL_PORT", "Disconnect"), nullptr);
    EXPECT_EQ(*table.Find("CONFIG_SERIAL_PORT", "Disconnect"), "Disconnect...");
}

// Every message-table entry can be set by a language file, and every
// message key of the key list names a table entry with the same built-in text.
TEST(MessageTable, MatchesTheLanguageKeyList) {
    MessageTable table;
    table.LoadBuiltInTexts();
    int messageKeys = 0;
    for (const LanguageKey& key : LanguageKeys()) {
        if (key.Target != KeyTarget::Message) continue;
        ++messageKeys;
        const std::string* text = table.Find(key.Section, key.Key);
        ASSERT_NE(text, nullptr) << key.Section << "/" << key.Key;
        EXPECT_EQ(*text, key.DesignText) << key.Section << "/" << key.Key;
    }
    EXPECT_EQ(messageKeys, static_cast<int>(kMessageCount));
}

TEST(ReadMe, SplitsLinesIntoPiecesOf499Bytes) {
    TempFolder dir;
    const std::string longLine(1200, 'x');
    const std::string exact(499, 'y');
    WriteFile(dir / "r.txt", "first\r\n\r\n" + longLine + "\n" + exact + "\nlast");
    const auto lines = LoadReadMe(dir / "r.txt", CodePage::Windows1250);
    ASSERT_TRUE(lines);
    const std::vector<std::string> expected = {
        "first", "",    std::string(499, 'x'), std::string(499, 'x'), std::string(202, 'x'),
        exact,   "last"};
    EXPECT_EQ(*lines, expected);
}

TEST(ReadMe, NeverCutsADoubleByteCharacter) {
    TempFolder dir;
    std::string line = "a";  // one byte, then 300 two-byte characters
    for (int i = 0; i < 300; ++i)
        line += "\xA4\xA4";
    WriteFile(dir / "tw.txt", line + "\n");
    const auto lines = LoadReadMe(dir / "tw.txt", CodePage::Big5);
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 2u);
    std::string first = "a", second;
    for (int i = 0; i < 249; ++i)
        first += "中";
    for (int i = 0; i < 51; ++i)
        second += "中";
    EXPECT_EQ((*lines)[0], first);
    EXPECT_EQ((*lines)[1], second);
}

TEST(ReadMe, MissingFileGivesNothing) {
    TempFolder dir;
    EXPECT_FALSE(LoadReadMe(dir / "absent.txt", CodePage::Windows1250));
    std::filesystem::create_directory(dir / "folder.txt");
    EXPECT_FALSE(LoadReadMe(dir / "folder.txt", CodePage::Windows1250));
    WriteFile(dir / "empty.txt", "");
    const auto lines = LoadReadMe(dir / "empty.txt", CodePage::Windows1250);
    ASSERT_TRUE(lines);
    EXPECT_TRUE(lines->empty());
}

}  // namespace
}  // namespace navoro
