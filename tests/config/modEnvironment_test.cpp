#include "config/modEnvironment.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "config/RunState.h"
#include "support/TestSupport.h"

namespace kvo {
namespace {

namespace fs = std::filesystem;

// Runs each case with its own application-data folders and a fresh per-thread root.
class EnvironmentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRunState();
    for (const char* name : {"APPDATA", "ALLUSERSPROFILE", "XDG_DATA_HOME", "XDG_DATA_DIRS",
                             "DRN_CLIENT_RESOURCE_HOME"}) {
      test::UnsetEnv(name);
    }
    fs::create_directories(dir.Path() / "user" / "Roaming");
    fs::create_directories(dir.Path() / "all");
    test::SetEnv("APPDATA", dir.Str("user/Roaming"));
    test::SetEnv("XDG_DATA_DIRS", dir.Str("none"));
  }
  void TearDown() override {
    for (const char* name : {"APPDATA", "ALLUSERSPROFILE", "XDG_DATA_DIRS"}) test::UnsetEnv(name);
  }
  test::TempDir dir;
};

TEST_F(EnvironmentTest, ExistingPerUserFolderGivesTheExportFolder) {
  fs::create_directories(dir.Path() / "user/Roaming/ORVELD");
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"),
            dir.Str("user/Roaming") + "/ORVELD/Addin Modules/Stackwright/Export/");
  EXPECT_EQ(GetEnvDir("KVO_IMPORT_DIR"),
            dir.Str("user/Roaming") + "/ORVELD/Addin Modules/Stackwright/Import/");
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_TEMP_DIR"),
            dir.Str("user/Roaming") + "/ORVELD/Addin Modules/Stackwright/Export/Temp/");
  EXPECT_EQ(GetEnvDir("CONFIG_DIR"), dir.Str("user/Roaming") + "/ORVELD/config/");
  EXPECT_EQ(GetEnvDir("APP_DATA_ROOT_DIR"), dir.Str("user/Roaming") + "/ORVELD/");
}

TEST_F(EnvironmentTest, PerUserFolderIsCopiedFromAllUsersFolder) {
  fs::create_directories(dir.Path() / "all/Roaming/ORVELD/config");
  test::WriteFile(dir.Path() / "all/Roaming/ORVELD/config/settings.xml", "<s/>");
  test::SetEnv("ALLUSERSPROFILE", dir.Str("all"));
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"),
            dir.Str("user/Roaming") + "/ORVELD/Addin Modules/Stackwright/Export/");
  EXPECT_EQ(test::ReadFile(dir.Path() / "user/Roaming/ORVELD/config/settings.xml"), "<s/>");
}

TEST_F(EnvironmentTest, AllUsersFolderFromDataDirsWhenNoProfileVariable) {
  fs::create_directories(dir.Path() / "shared/ORVELD");
  test::SetEnv("XDG_DATA_DIRS", (":" + dir.Str("shared") + ":/usr/share"));
  EXPECT_EQ(GetEnvDir("CACHE_DIR"), dir.Str("user/Roaming") + "/ORVELD/cache/");
  EXPECT_TRUE(fs::is_directory(dir.Path() / "user/Roaming/ORVELD"));
}

TEST_F(EnvironmentTest, WithoutAnyProfileTheComponentFolderServes) {
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"), ComponentFolder() + "/");
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_TEMP_DIR"), ComponentFolder() + "/Temp/");
  EXPECT_FALSE(fs::exists(dir.Path() / "user/Roaming/ORVELD"));
}

TEST_F(EnvironmentTest, RootIsResolvedOncePerThread) {
  fs::create_directories(dir.Path() / "user/Roaming/ORVELD");
  const std::string first = GetEnvDir("KVO_EXPORT_DIR");
  fs::remove_all(dir.Path() / "user/Roaming/ORVELD");
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"), first);
}

TEST_F(EnvironmentTest, FailedCopyWarnsAndFallsBackUntilNextTry) {
  fs::create_directories(dir.Path() / "all/Roaming/ORVELD");
  test::WriteFile(dir.Path() / "user/Roaming/ORVELD", "a file blocks the folder");
  test::SetEnv("ALLUSERSPROFILE", dir.Str("all"));
  testing::internal::CaptureStderr();
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"), ComponentFolder() + "/");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unable to create user profile copy\n");
  EXPECT_EQ(kvo::Run().sAppDataRoot, "");
  fs::remove(dir.Path() / "user/Roaming/ORVELD");
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"),
            dir.Str("user/Roaming") + "/ORVELD/Addin Modules/Stackwright/Export/");
}

TEST_F(EnvironmentTest, KeysOutsideTheProfile) {
  test::SetEnv("DRN_CLIENT_RESOURCE_HOME", "/opt/res");
  EXPECT_EQ(GetEnvDir("DOWNLOAD_DIR"), "/opt/res/config/download/");
  EXPECT_EQ(GetEnvDir("RELEASE_DIR"), ComponentFolder() + "/");
  EXPECT_EQ(GetEnvDir("HELP_DIR"), ComponentFolder() + "/help/");
  const std::string folder = ComponentFolder();
  EXPECT_EQ(GetEnvDir("KVO_HELP_DIR"), folder.substr(0, folder.rfind('/') + 1) + "Help/");
  EXPECT_EQ(GetEnvDir("NO_SUCH_KEY"), "/");
  EXPECT_EQ(GetEnvDir("kvo_export_dir"), "/");  // keys compare case-sensitively
}

TEST_F(EnvironmentTest, FolderLookupAndCopy) {
  EXPECT_EQ(myDir(dir.Str("user/Roaming/../Roaming")), fs::canonical(dir.Path() / "user/Roaming"));
  EXPECT_EQ(myDir(dir.Str("missing")), "");
  test::WriteFile(dir.Path() / "f.txt", "x");
  EXPECT_EQ(myDir(dir.Str("f.txt")), "");
  fs::create_directories(dir.Path() / "src/sub");
  test::WriteFile(dir.Path() / "src/sub/a.txt", "new");
  fs::create_directories(dir.Path() / "dst/sub");
  test::WriteFile(dir.Path() / "dst/sub/a.txt", "old");
  EXPECT_TRUE(CopyDir(dir.Str("src"), dir.Str("dst")));
  EXPECT_EQ(test::ReadFile(dir.Path() / "dst/sub/a.txt"), "new");
  EXPECT_FALSE(CopyDir(dir.Str("missing"), dir.Str("dst2")));
}

}  // namespace
}  // namespace kvo
