#include "config/modEnvironment.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "config/RunState.h"
#include "platform/Platform.h"
#include "support/TestSupport.h"

namespace kvo {
namespace {

namespace fs = std::filesystem;

// A path written with "/" in this system's separators, as the component composes its folders.
std::string N(std::string path) {
  for (char& c : path) {
    if (c == '/') c = platform::kSeparator;
  }
  return path;
}

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
    test::SetEnv("APPDATA", N(dir.Str("user/Roaming")));
    test::SetEnv("XDG_DATA_DIRS", N(dir.Str("none")));
  }
  void TearDown() override {
    for (const char* name : {"APPDATA", "ALLUSERSPROFILE", "XDG_DATA_DIRS"}) test::UnsetEnv(name);
  }
  test::TempDir dir;
};

TEST_F(EnvironmentTest, ExistingPerUserFolderGivesTheExportFolder) {
  fs::create_directories(dir.Path() / "user/Roaming/ORVELD");
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"),
            N(dir.Str("user/Roaming") + "/ORVELD/Addin Modules/Stackwright/Export/"));
  EXPECT_EQ(GetEnvDir("KVO_IMPORT_DIR"),
            N(dir.Str("user/Roaming") + "/ORVELD/Addin Modules/Stackwright/Import/"));
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_TEMP_DIR"),
            N(dir.Str("user/Roaming") + "/ORVELD/Addin Modules/Stackwright/Export/Temp/"));
  EXPECT_EQ(GetEnvDir("CONFIG_DIR"), N(dir.Str("user/Roaming") + "/ORVELD/config/"));
  EXPECT_EQ(GetEnvDir("APP_DATA_ROOT_DIR"), N(dir.Str("user/Roaming") + "/ORVELD/"));
}

TEST_F(EnvironmentTest, PerUserFolderIsCopiedFromAllUsersFolder) {
  fs::create_directories(dir.Path() / "all/Roaming/ORVELD/config");
  test::WriteFile(dir.Path() / "all/Roaming/ORVELD/config/settings.xml", "<s/>");
  test::SetEnv("ALLUSERSPROFILE", N(dir.Str("all")));
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"),
            N(dir.Str("user/Roaming") + "/ORVELD/Addin Modules/Stackwright/Export/"));
  EXPECT_EQ(test::ReadFile(dir.Path() / "user/Roaming/ORVELD/config/settings.xml"), "<s/>");
}

TEST_F(EnvironmentTest, AllUsersFolderFromDataDirsWhenNoProfileVariable) {
  fs::create_directories(dir.Path() / "shared/ORVELD");
  test::SetEnv("XDG_DATA_DIRS", N((":" + dir.Str("shared") + ":/usr/share")));
  EXPECT_EQ(GetEnvDir("CACHE_DIR"), N(dir.Str("user/Roaming") + "/ORVELD/cache/"));
  EXPECT_TRUE(fs::is_directory(dir.Path() / "user/Roaming/ORVELD"));
}

TEST_F(EnvironmentTest, WithoutAnyProfileTheComponentFolderServes) {
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"), N(ComponentFolder() + "/"));
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_TEMP_DIR"), N(ComponentFolder() + "/Temp/"));
  EXPECT_FALSE(fs::exists(dir.Path() / "user/Roaming/ORVELD"));
}

TEST_F(EnvironmentTest, RootIsResolvedOncePerThread) {
  fs::create_directories(dir.Path() / "user/Roaming/ORVELD");
  const std::string first = GetEnvDir("KVO_EXPORT_DIR");
  fs::remove_all(dir.Path() / "user/Roaming/ORVELD");
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"), N(first));
}

TEST_F(EnvironmentTest, FailedCopyWarnsAndFallsBackUntilNextTry) {
  fs::create_directories(dir.Path() / "all/Roaming/ORVELD");
  test::WriteFile(dir.Path() / "user/Roaming/ORVELD", "a file blocks the folder");
  test::SetEnv("ALLUSERSPROFILE", N(dir.Str("all")));
  testing::internal::CaptureStderr();
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"), N(ComponentFolder() + "/"));
#ifndef _WIN32
  // Without a desktop system the box is a line on standard error (Windows: the box test).
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "Unable to create user profile copy\n");
#else
  testing::internal::GetCapturedStderr();
#endif
  EXPECT_EQ(kvo::Run().sAppDataRoot, "");
  fs::remove(dir.Path() / "user/Roaming/ORVELD");
  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"),
            N(dir.Str("user/Roaming") + "/ORVELD/Addin Modules/Stackwright/Export/"));
}

TEST_F(EnvironmentTest, KeysOutsideTheProfile) {
  test::SetEnv("DRN_CLIENT_RESOURCE_HOME", N("/opt/res"));
  EXPECT_EQ(GetEnvDir("DOWNLOAD_DIR"), N("/opt/res/config/download/"));
  EXPECT_EQ(GetEnvDir("RELEASE_DIR"), N(ComponentFolder() + "/"));
  EXPECT_EQ(GetEnvDir("HELP_DIR"), N(ComponentFolder() + "/help/"));
  const std::string folder = ComponentFolder();
  EXPECT_EQ(GetEnvDir("KVO_HELP_DIR"),
            N(folder.substr(0, folder.rfind(platform::kSeparator) + 1) + "Help/"));
  EXPECT_EQ(GetEnvDir("NO_SUCH_KEY"), N("/"));
  EXPECT_EQ(GetEnvDir("kvo_export_dir"), N("/"));  // keys compare case-sensitively
}

TEST_F(EnvironmentTest, FolderLookupAndCopy) {
  EXPECT_EQ(myDir(N(dir.Str("user/Roaming/../Roaming"))),
            N(fs::canonical(dir.Path() / "user/Roaming").string()));
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
