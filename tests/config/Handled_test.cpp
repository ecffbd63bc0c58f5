// The one handler form: results pass through untouched; a failure is logged under the source name
// built from owner and operation, and the operation's failure value is returned.
#include "config/Handled.h"

#include <gtest/gtest.h>
#include <kvoexportexcel/RunError.h>

#include <regex>
#include <stdexcept>

#include "config/RunState.h"
#include "support/TestSupport.h"

namespace kvo {
namespace {

const std::string kStamp = test::kDateTimePattern;

class HandledTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRunState();
    kvo::Run().sLogPath = dir.Str("ExportExcel.log");
    kvo::Run().sMsgRunError = "RUN:";
  }
  void TearDown() override { ResetRunState(); }
  std::vector<std::string> Lines() const { return test::ReadLines(dir.Path() / "ExportExcel.log"); }
  test::TempDir dir;
};

TEST_F(HandledTest, ResultsPassThroughWithoutLogLine) {
  EXPECT_EQ(Handled("clsA", "Count", -1, [] { return 7; }), 7);
  EXPECT_EQ(Handled("clsA", "Name", "", [] { return std::string("ok"); }), "ok");
  bool bRan = false;
  Handled("modB", "Run", [&] { bRan = true; });
  EXPECT_TRUE(bRan);
  EXPECT_TRUE(HandledWithText("Run Error: ", "clsA", "Load", false, [] { return true; }));
  EXPECT_TRUE(Lines().empty());
}

TEST_F(HandledTest, FailureIsLoggedUnderOwnerAndOperationAndGivesFailureValue) {
  EXPECT_EQ(Handled("clsBldExcel", "FillCaption", -1,
                    []() -> int { throw RunError(1004, "Merge overlaps B4:C4"); }),
            -1);
  Handled("modResources", "InitResources", [] { throw std::out_of_range("vector"); });
  EXPECT_FALSE(HandledWithText("Run Error: ", "clsExportExcel", "GetIniXML", false,
                               []() -> bool { throw std::overflow_error("x"); }));

  const auto vLines = Lines();
  ASSERT_EQ(vLines.size(), 3u);
  EXPECT_TRUE(
      std::regex_match(vLines[0], std::regex("RUN:Merge overlaps B4:C4 1004 " + kStamp +
                                             R"( in kVoExportExcel:clsBldExcel\[FillCaption\])")))
      << vLines[0];
  EXPECT_TRUE(std::regex_match(vLines[1],
                               std::regex("RUN:Subscript out of range 9 " + kStamp +
                                          R"( in kVoExportExcel:modResources\[InitResources\])")))
      << vLines[1];
  EXPECT_TRUE(
      std::regex_match(vLines[2], std::regex("Run Error: Overflow 6 " + kStamp +
                                             R"( in kVoExportExcel:clsExportExcel\[GetIniXML\])")))
      << vLines[2];
  EXPECT_EQ(kvo::Run().tErr.lNumber, 6);  // the last failure stays the pending error
}

}  // namespace
}  // namespace kvo
