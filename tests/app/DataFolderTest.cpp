#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/DataFolder.h"

namespace navoro {
namespace {

namespace fs = std::filesystem;

// A fresh folder tree under the test's temporary directory.
class DataFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        root = fs::temp_directory_path() /
               ("navoro-datafolder-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root);
        fs::create_directories(root / "bin");
    }
    void TearDown() override { fs::remove_all(root); }
    fs::path root;
};

TEST_F(DataFolderTest, LangBesideTheProgramComesFirst) {
    fs::create_directories(root / "bin" / "Lang");
    fs::create_directories(root / "share" / "navoro" / "Lang");
    EXPECT_EQ(ResolveDataFolder((root / "bin").string()), (root / "bin").string() + "/");
}

TEST_F(DataFolderTest, AnInstalledCopyFindsItsShareFolder) {
    fs::create_directories(root / "share" / "navoro" / "Lang");
    EXPECT_EQ(ResolveDataFolder((root / "bin").string()),
              (root / "share" / "navoro").string() + "/");
}

TEST_F(DataFolderTest, WithoutAnyLangFolderTheProgramsFolderIsKept) {
    EXPECT_EQ(ResolveDataFolder((root / "bin").string() + "/"), (root / "bin").string() + "/");
}

}  // namespace
}  // namespace navoro
