// What a Windows user meets: the message box where nobody sees it, the log's date in the user's
// regional format, the workbook another program holds open, folders named beyond ASCII, a
// caption Windows cannot hold as a name, the all-users profile copy.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>
#include <kvoexportexcel/iclsExportExcel.h>

#include <cstdlib>
#include <filesystem>
#include <regex>
#include <string>

#include "config/RunState.h"
#include "config/modEnvironment.h"
#include "platform/Platform.h"
#include "support/TestSupport.h"

namespace kvo {
namespace {

namespace fs = std::filesystem;

std::wstring Wide(const std::string& s) {
  return fs::path(std::u8string(s.begin(), s.end())).wstring();
}

std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TEST(WindowsDesktop, NoBoxIsShownWhereNobodyCanSeeIt) {
  // Wine's display-less WinSta0 calls itself visible, but no box can be made there.
  EXPECT_FALSE(platform::ShowMessageBox("Unable to create user profile copy", "",
                                        platform::MessageIcon::None));
  // A window station of our own is not visible, as a service's is not: no box is tried.
  HWINSTA interactive = ::GetProcessWindowStation();
  HWINSTA hidden = ::CreateWindowStationW(L"kvo-hidden-station", 0, WINSTA_ALL_ACCESS, nullptr);
  ASSERT_NE(hidden, nullptr);
  ASSERT_TRUE(::SetProcessWindowStation(hidden));
  EXPECT_FALSE(
      platform::ShowMessageBox("text", "DRN (modEnvironment)", platform::MessageIcon::Error));
  ::SetProcessWindowStation(interactive);
  ::CloseWindowStation(hidden);
}

// The short date and the time with seconds of the user's locale, as Windows formats them now.
std::string WindowsNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  wchar_t date[128] = {};
  wchar_t time[128] = {};
  ::GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, &now, nullptr, date, 128, nullptr);
  ::GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, 0, &now, nullptr, time, 128);
  return Utf8(fs::path(std::wstring(date) + L" " + time));
}

// Run by CTest under two locales (KVO_TEST_LOCALE names the one of the run).
TEST(WindowsLocale, LogLinesCarryTheUsersRegionalDateAndTime) {
  const char* locale = std::getenv("KVO_TEST_LOCALE");
  if (locale == nullptr) GTEST_SKIP() << "run with KVO_TEST_LOCALE by the locale tests";
  test::TempDir dir;
  test::SetEnv("APPDATA", dir.Str());
  fs::create_directories(dir.Path() / "ORVELD/Addin Modules/Stackwright/Export");
  ResetRunState();
  std::string before;
  std::string after;
  std::string line;
  // A second may pass between the two clocks: then once more.
  for (int attempt = 0; attempt < 3 && (line.empty() || before != after); ++attempt) {
    fs::remove(dir.Path() / "ORVELD/Addin Modules/Stackwright/Export/ExportExcel.log");
    before = WindowsNow();
    EXPECT_FALSE(iclsExportExcel().ParseMain("a.xml", dir.Str("missing.xml"), "<s/>", ".xlsx"));
    after = WindowsNow();
    const auto lines =
        test::ReadLines(dir.Path() / "ORVELD/Addin Modules/Stackwright/Export/ExportExcel.log");
    ASSERT_EQ(lines.size(), 1u);
    line = lines[0];
  }
  EXPECT_TRUE(line.ends_with(" " + before)) << line << " / " << before;
  const std::string stamp = line.substr(line.size() - before.size());
  if (std::string(locale) == "de_DE.UTF-8") {
    EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d\d\.\d\d\.\d{4} \d\d:\d\d:\d\d)")))
        << stamp;
    EXPECT_EQ(platform::UserPaper(), platform::Paper::A4);
  } else {
    // Wine takes the C locale for English (United States).
    EXPECT_TRUE(std::regex_match(stamp, std::regex(R"(\d\d?/\d\d?/\d{4} \d\d?:\d\d:\d\d [AP]M)")))
        << stamp;
    EXPECT_EQ(platform::UserPaper(), platform::Paper::Letter);
  }
  test::UnsetEnv("APPDATA");
}

// Exports the bundled item structure from a copy in folder; the run's log lines.
class WindowsExport : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRunState();
    test::SetEnv("APPDATA", dir.Str());
    test::UnsetEnv("ALLUSERSPROFILE");
    exportDir = dir.Path() / "ORVELD" / "Addin Modules" / "Stackwright" / "Export";
    fs::create_directories(exportDir);
  }
  void TearDown() override { test::UnsetEnv("APPDATA"); }

  std::string Source(const fs::path& folder) const {
    fs::create_directories(folder);
    fs::copy_file(test::SourcePath("examples/items-structure.xml"), folder / "items.xml",
                  fs::copy_options::overwrite_existing);
    return Utf8(folder / "items.xml");
  }
  bool Export(const std::string& sSource, const std::string& sSetup, std::string* pOut = nullptr) {
    iclsExportExcel oExport;
    const bool bDone =
        oExport.ParseMain(sSource, test::SourcePath("examples/config.xml"), sSetup, ".xlsx");
    if (pOut != nullptr) *pOut = oExport.OutputPath();
    return bDone;
  }
  // The run's lines, without the warning the bundled example itself gives on every export.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (const std::string& line : test::ReadLines(exportDir / "ExportExcel.log")) {
      if (line.find("XML structure error: dataset relation") == std::string::npos)
        lines.push_back(line);
    }
    return lines;
  }
  std::string Setup(const std::string& sName = "") const {
    std::string setup = test::ReadFile(test::SourcePath("examples/setup/items-structure.xml"));
    const std::string empty = "<REPORT_NAME></REPORT_NAME>";
    return setup.replace(setup.find(empty), empty.size(),
                         "<REPORT_NAME>" + sName + "</REPORT_NAME>");
  }

  test::TempDir dir;
  fs::path exportDir;
};

TEST_F(WindowsExport, SourceInAFolderNamedBeyondAsciiIsExportedNextToIt) {
  const fs::path folder = dir.Path() / fs::path(u8"Prüfung данные 検査");
  std::string sOut;
  ASSERT_TRUE(Export(Source(folder), Setup(), &sOut)) << testing::PrintToString(Lines());
  EXPECT_EQ(sOut, Utf8(folder / "items.xlsx"));
  EXPECT_TRUE(fs::is_regular_file(folder / "items.xlsx"));
  EXPECT_TRUE(Lines().empty()) << testing::PrintToString(Lines());
}

TEST_F(WindowsExport, ACaptionWindowsCannotHoldAsANameFailsWithOneLineNamingIt) {
  const std::string sSource = Source(dir.Path() / "in");
  for (const auto& [caption, named] :
       {std::pair{"Q3?", "character ?"}, std::pair{"a&lt;b", "character <"},
        std::pair{"NUL", "reserved name NUL"}}) {
    fs::remove(exportDir / "ExportExcel.log");
    EXPECT_FALSE(Export(sSource, Setup(caption)));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 1u) << caption << testing::PrintToString(lines);
    EXPECT_NE(lines[0].find("allows no " + std::string(named) + " in a file name"),
              std::string::npos)
        << lines[0];
  }
  // "/" and "\" stay out of the name: the workbook stays in the source's folder.
  std::string sOut;
  ASSERT_TRUE(Export(sSource, Setup("Q3/a\\b"), &sOut));
  EXPECT_EQ(sOut, Utf8(dir.Path() / "in" / "Q3_a_b.xlsx"));
}

TEST_F(WindowsExport, AWorkbookAnotherProgramHoldsOpenIsLeftUntouched) {
  const std::string sSource = Source(dir.Path() / "in");
  std::string sOut;
  ASSERT_TRUE(Export(sSource, Setup(), &sOut));
  const std::string before = test::ReadFile(fs::path(Wide(sOut)));

  // The helper holds the workbook until its standard input closes.
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE readEnd = nullptr;
  HANDLE writeEnd = nullptr;
  ASSERT_TRUE(::CreatePipe(&readEnd, &writeEnd, &inherit, 0));
  ::SetHandleInformation(writeEnd, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = readEnd;
  startup.hStdOutput = ::GetStdHandle(STD_OUTPUT_HANDLE);
  startup.hStdError = ::GetStdHandle(STD_ERROR_HANDLE);
  const fs::path ready = dir.Path() / "held";
  std::wstring command =
      L"\"" + Wide(KVO_HOLD_FILE) + L"\" \"" + Wide(sOut) + L"\" \"" + ready.wstring() + L"\"";
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                               &startup, &process));
  ::CloseHandle(readEnd);
  for (int i = 0; i < 300 && !fs::exists(ready); ++i) ::Sleep(20);
  ASSERT_TRUE(fs::exists(ready));

  EXPECT_FALSE(Export(sSource, Setup()));
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u) << testing::PrintToString(lines);
  EXPECT_NE(lines[0].find(sOut), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("another program has it open"), std::string::npos) << lines[0];

  ::CloseHandle(writeEnd);
  EXPECT_EQ(::WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(process.hThread);
  EXPECT_EQ(test::ReadFile(fs::path(Wide(sOut))), before);
}

TEST(WindowsEnvironment, AllUsersProfileIsCopiedFromTheFolderTheProfilePathGives) {
  // Without the variables: the known folder, and the all-users one derived from it.
  test::UnsetEnv("APPDATA");
  test::UnsetEnv("ALLUSERSPROFILE");
  ResetRunState();
  const std::string user = platform::UserDataFolder();
  const std::string all = platform::AllUsersDataFolder();
  ASSERT_FALSE(user.empty());
  EXPECT_NE(all.find("\\All Users\\"), std::string::npos) << all;
  const fs::path source = fs::path(Wide(all)) / "ORVELD" / "config";
  const fs::path target = fs::path(Wide(user)) / "ORVELD";
  ASSERT_FALSE(fs::exists(target)) << "a fresh Wine prefix has no profile copy";
  fs::create_directories(source);
  test::WriteFile(source / "settings.xml", "<s/>");

  EXPECT_EQ(GetEnvDir("KVO_EXPORT_DIR"), user + "\\ORVELD\\Addin Modules\\Stackwright\\Export\\");
  EXPECT_EQ(test::ReadFile(target / "config" / "settings.xml"), "<s/>");
  fs::remove_all(target);
  fs::remove_all(fs::path(Wide(all)) / "ORVELD");
}

}  // namespace
}  // namespace kvo
#endif
