#include "config/Log.h"

#include <gtest/gtest.h>
#include <kvoexportexcel/RunError.h>

#include <regex>
#include <stdexcept>

#include "config/LogSinkScope.h"
#include "config/RunState.h"
#include "support/TestSupport.h"

namespace kvo {
namespace {

// Date and time in the stable form the tests run with (no user locale is set by CTest).
const std::string kStamp = test::kDateTimePattern;

class LogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRunState();
    kvo::Run().sLogPath = dir.Str("ExportExcel.log");
  }
  std::vector<std::string> Lines() const { return test::ReadLines(dir.Path() / "ExportExcel.log"); }
  test::TempDir dir;
};

TEST_F(LogTest, PlainLineIsTextBlankDateTime) {
  LogError("Source file name is empty", "ignored source", -1, false);
  LogError("", "", -1, false);
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(std::regex_match(lines[0], std::regex("Source file name is empty " + kStamp)));
  EXPECT_TRUE(std::regex_match(lines[1], std::regex(" " + kStamp)));
}

TEST_F(LogTest, HandlerLineCarriesPendingErrorAndSource) {
  kvo::Run().sMsgRunError = "Run error: ";
  try {
    throw RunError(1004, "Merge overlaps B4:C4");
  } catch (...) {
    LogRunError("kVoExportExcel:clsBldExcel[FillCaption]");
  }
  try {
    throw std::out_of_range("vector");
  } catch (...) {
    LogRunError("Run Error: ", "kVoExportExcel:clsExportExcel[GetIniXML]");
  }
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(
      std::regex_match(lines[0], std::regex("Run error: Merge overlaps B4:C4 1004 " + kStamp +
                                            R"( in kVoExportExcel:clsBldExcel\[FillCaption\])")));
  EXPECT_TRUE(
      std::regex_match(lines[1], std::regex("Run Error: Subscript out of range 9 " + kStamp +
                                            R"( in kVoExportExcel:clsExportExcel\[GetIniXML\])")));
}

TEST_F(LogTest, LinesEndWithCrLfAndAreAppended) {
  WriteLogLine("first", kvo::Run().sLogPath);
  WriteLogLine("second", kvo::Run().sLogPath);
  EXPECT_EQ(test::ReadFile(dir.Path() / "ExportExcel.log"), "first\r\nsecond\r\n");
}

TEST_F(LogTest, MissingFoldersAreCreatedAndUnwritablePathsAreSilent) {
  WriteLogLine("kept", dir.Str("missing/folder/ExportExcel.log"));
  EXPECT_EQ(test::ReadFile(dir.Path() / "missing/folder/ExportExcel.log"), "kept\r\n");
  // A folder that cannot be made (a file stands in its way) loses the line quietly.
  test::WriteFile(dir.Path() / "blocker", "");
  EXPECT_NO_THROW(WriteLogLine("x", dir.Str("blocker/ExportExcel.log")));
  EXPECT_NO_THROW(WriteLogLine("x", ""));
  EXPECT_NO_THROW(WriteLogLine("x", dir.Str()));  // a folder, not a file
  kvo::Run().sLogPath.clear();
  EXPECT_NO_THROW(LogError("lost", "", -1, false));
  EXPECT_TRUE(Lines().empty());
}

TEST_F(LogTest, SinkScopesAreToldEveryLineWrittenOrNotAndGiveTheOuterSinkBack) {
  std::vector<std::string> outer;
  LogSinkScope outerScope([&](const std::string& sLine, bool bWritten) {
    outer.push_back(sLine + (bWritten ? "" : " (lost)"));
  });
  {
    LogSinkScope inner([](const std::string&, bool) { throw std::runtime_error("sink"); });
    EXPECT_NO_THROW(WriteLogLine("inner", kvo::Run().sLogPath));
  }
  WriteLogLine("outer", kvo::Run().sLogPath);
  WriteLogLine("folder", dir.Str());
  EXPECT_EQ(outer, (std::vector<std::string>{"outer", "folder (lost)"}));
  EXPECT_EQ(Lines(), (std::vector<std::string>{"inner", "outer"}));
}

TEST_F(LogTest, LibraryFailuresMapToConventionalNumbers) {
  auto numberOf = [](auto thrower) {
    try {
      thrower();
    } catch (...) {
      SetPendingError(std::current_exception());
    }
    return kvo::Run().tErr.lNumber;
  };
  EXPECT_EQ(numberOf([] { throw std::overflow_error("x"); }), 6);
  EXPECT_EQ(numberOf([] { throw std::invalid_argument("x"); }), 13);
  EXPECT_EQ(numberOf([] { throw std::bad_alloc(); }), 7);
  EXPECT_EQ(numberOf([] { throw RunError(-2147220504, "x"); }), -2147220504);
}

}  // namespace
}  // namespace kvo
