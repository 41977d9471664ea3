#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>
#include <memory>
#include <string>

#include "TestFiles.h"
#include "app/ControlTexts.h"
#include "app/Languages.h"
#include "app/MainWindow.h"
#include "ui/IniFile.h"
#include "ui/ScriptedPrompts.h"

namespace navoro::test {

// A main window over a temporary program folder (with or without Lang/) and a
// temporary documents folder, with scripted prompts.
class ShellTest : public ::testing::Test {
  protected:
    std::string ExeFolder() const { return dir_ / "bin"; }
    std::string Documents() const { return dir_ / "Documents"; }
    std::string SettingsFile() const { return Documents() + "/LUMO/Navoro/LumoAisConfig.ini"; }

    // Copies the shipped language and read-me files to <bin>/Lang.
    void CopyShippedLanguages() const {
        std::filesystem::create_directories(ExeFolder() + "/Lang");
        for (const auto& entry : std::filesystem::directory_iterator(NAVORO_LANG_DIR)) {
            if (entry.is_regular_file() && entry.path().extension() != ".sh")
                std::filesystem::copy_file(
                    entry.path(), ExeFolder() + "/Lang/" + entry.path().filename().string(),
                    std::filesystem::copy_options::overwrite_existing);
        }
    }
    void WriteLangFile(const std::string& name, std::string_view bytes) const {
        WriteFile(ExeFolder() + "/Lang/" + name, bytes);
    }
    void WriteSettingsFile(std::string_view text) const { WriteFile(SettingsFile(), text); }

    // `ports`: where the serial ports come from (nullptr: the system's).
    std::unique_ptr<MainWindow> MakeForm(std::string documents = {}, PortSource* ports = nullptr) {
        std::filesystem::create_directories(ExeFolder());
        ShellEnvironment environment{
            ExeFolder(), documents.empty() ? Documents() : documents, {}, ports};
        return std::make_unique<MainWindow>(prompts, environment);
    }

    // The text of a key in a shipped language, from its UTF-8 source.
    static QString Shipped(int language, const char* section, const char* key) {
        static const char* kCodes[] = {"EN", "TW", "CN", "RU"};
        const std::string source =
            std::string(NAVORO_LANG_DIR) + "/source/Lang-" + kCodes[language] + ".utf8.ini";
        const auto value = IniFile::Parse(ReadFile(source)).Value(section, key);
        EXPECT_TRUE(value) << section << "/" << key;
        return QString::fromStdString(value.value_or(""));
    }

    static QString CaptionOf(QWidget* window, const char* name) {
        QObject* control = FindControl(window, QString::fromLatin1(name));
        EXPECT_NE(control, nullptr) << name;
        return Caption(control);
    }

    ScriptedPrompts prompts;

  private:
    TempFolder dir_;
};

}  // namespace navoro::test
