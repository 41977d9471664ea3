// The settings file: its folder, reading VIEW/Language and writing it back.
#include <gtest/gtest.h>

#include <filesystem>

#include "TestFiles.h"
#include "app/SettingsFile.h"

namespace navoro {
namespace {

using test::ReadFile;
using test::TempFolder;
using test::WriteFile;

TEST(SettingsFile, FolderIsCreatedBelowDocuments) {
    TempFolder dir;
    const std::string documents = dir / "Documents";
    const SettingsLocation location = ResolveSettingsLocation(documents);
    EXPECT_EQ(location.SettingsFolder, documents + "/LUMO/Navoro/");
    EXPECT_EQ(location.SettingsPath, documents + "/LUMO/Navoro/LumoAisConfig.ini");
    EXPECT_TRUE(std::filesystem::is_directory(location.SettingsFolder));
}

TEST(SettingsFile, FolderFallsBackToDocumentsWhenItCannotBeCreated) {
    TempFolder dir;
    const std::string documents = dir / "blocked";
    WriteFile(documents, "a file where the folder would be");
    const SettingsLocation location = ResolveSettingsLocation(documents);
    EXPECT_EQ(location.SettingsFolder, documents + "/");
    EXPECT_EQ(location.SettingsPath, documents + "/LumoAisConfig.ini");
}

TEST(SettingsFile, ReadsLanguageWithZeroForAnythingUnreadable) {
    struct Case {
        const char* Text;  // nullptr: no file
        int Language;
    };
    const Case cases[] = {
        {nullptr, 0},
        {"", 0},
        {"[VIEW]\nLanguage=1\n", 1},
        {"[view]\r\n  language = 3 \r\n", 3},
        {"[VIEW]\nLanguage=\"2\"\n", 2},
        {"[VIEW]\nLanguage=7\n", 7},
        {"[VIEW]\nLanguage=-1\n", -1},
        {"[VIEW]\nLanguage=abc\n", 0},
        {"[VIEW]\nLanguage=2x\n", 0},
        {"[VIEW]\nLanguage=99999999999999\n", 0},
        {"[OTHER]\nLanguage=2\n", 0},
    };
    // A folder where the file should be reads as no file.
    {
        TempFolder dir;
        std::filesystem::create_directory(dir / "LumoAisConfig.ini");
        EXPECT_EQ(ReadSettings(dir / "LumoAisConfig.ini"), 0);
    }
    for (const Case& c : cases) {
        TempFolder dir;
        const std::string path = dir / "LumoAisConfig.ini";
        if (c.Text) WriteFile(path, c.Text);
        EXPECT_EQ(ReadSettings(path), c.Language) << (c.Text ? c.Text : "(no file)");
    }
}

TEST(SettingsFile, WriteCreatesThePlainIniAndKeepsOtherLines) {
    TempFolder dir;
    const std::string path = dir / "LumoAisConfig.ini";
    ASSERT_TRUE(WriteSettings(path, 0));
    EXPECT_EQ(ReadFile(path), "[VIEW]\nLanguage=0\n");

    WriteFile(path, "; kept\n[VIEW]\nLanguage=1\nOther=x\n");
    ASSERT_TRUE(WriteSettings(path, 3));
    EXPECT_EQ(ReadFile(path), "; kept\n[VIEW]\nLanguage=3\nOther=x\n");
    EXPECT_EQ(ReadSettings(path), 3);
    EXPECT_FALSE(std::filesystem::exists(path + ".new"));
}

// [CONNECTION] comes back as written, beside the language and the user's own
// lines; a value that is not one line, or not a number, is not kept.
TEST(SettingsFile, ConnectionRoundTripsAndKeepsOnlySoundValues) {
    TempFolder dir;
    const std::string path = dir / "settings.ini";
    WriteFile(path, "[VIEW]\nLanguage=2\nOwn=kept\n");
    ConnectionSettings kept{"auto",
                            "/dev/serial/by-id/usb-A-if00",
                            38400,
                            "TabSheetCPA",
                            "TabSheetGpsStatus",
                            true,
                            -20,
                            40};
    ASSERT_TRUE(WriteSettings(path, 3, kept));
    EXPECT_EQ(ReadSettings(path), 3);
    EXPECT_EQ(ReadConnectionSettings(path), kept);
    EXPECT_NE(ReadFile(path).find("Own=kept"), std::string::npos);

    kept.Port = "/dev/ttyUSB0\nLanguage=9";
    ASSERT_TRUE(WriteSettings(path, 1, kept));
    EXPECT_EQ(ReadSettings(path), 1);
    EXPECT_EQ(ReadConnectionSettings(path).Port, "");

    WriteFile(path, "[CONNECTION]\nMode=sideways\nRate=fast\nLeft=10\n");
    const ConnectionSettings read = ReadConnectionSettings(path);
    EXPECT_EQ(read, ConnectionSettings{});
}

TEST(SettingsFile, WriteFailureIsReportedAndKeepsTheOldFile) {
    TempFolder dir;
    std::string error;
    EXPECT_FALSE(WriteSettings(dir / "missing/LumoAisConfig.ini", 1, &error));
    EXPECT_FALSE(error.empty());

    // A folder where the file should be: nothing is replaced.
    const std::string blocked = dir / "LumoAisConfig.ini";
    std::filesystem::create_directory(blocked);
    error.clear();
    EXPECT_FALSE(WriteSettings(blocked, 1, &error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(std::filesystem::is_directory(blocked));
}

}  // namespace
}  // namespace navoro
