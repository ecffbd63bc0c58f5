// A sheet that cannot hold the export: the first refusal and one summary line are logged, no
// block is attempted after it, only written blocks are linked, and the driver reports failure.
#include <regex>

#include "workbook/BldExcelProbe.h"
#include "workbook/excel/FileFormats.h"

namespace kvo::test {
namespace {

// The real format's limits, but only 60 rows, and nothing written when saved.
excel::FileFormat SmallFormat() {
  excel::FileFormat tFormat = excel::DefaultFileFormat();
  tFormat.limits.rows = 60;
  tFormat.write = [](const excel::ResolvedSheet&, const std::string&) {};
  return tFormat;
}
const excel::FileFormat kSmall = SmallFormat();

class BldSheetFullTest : public BldFixture {
 protected:
  bool FillSmallSheet(std::int32_t lItems) {
    std::vector<ObjItem> v;
    for (std::int32_t i = 0; i < lItems; ++i) v.push_back(MakeItem(0, "P" + std::to_string(i)));
    SetItems(v);
    InitSheet();
    Sheet().SetFormat(kSmall);
    return bld_.FillExlFile();
  }
  // The count of objects the summary line names, or -1 when the line is not the summary.
  static long Unfit(const std::string& sLine, const std::string& sTotal) {
    std::smatch m;
    const std::regex re("([0-9,]+) of " + sTotal +
                        " objects did not fit on the sheet: it holds 60 rows in this file "
                        "format; a \\.xlsx workbook holds 1,048,576 rows \\d{4}-.*");
    return std::regex_match(sLine, m, re) ? std::stol(m[1]) : -1;
  }
};

TEST_F(BldSheetFullTest, BlocksStopAtTheFirstRefusalAndOnlyWrittenBlocksAreLinked) {
  EXPECT_FALSE(FillSmallSheet(30));
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 2u);
  EXPECT_NE(vLines[0].find("is outside the sheet (rows 1 to 60)"), std::string::npos) << vLines[0];
  const long lUnfit = Unfit(vLines[1], "30");
  ASSERT_GT(lUnfit, 0) << vLines[1];
  // Every block begun has its name and its link; a block the sheet cut off counts as unfit.
  const auto lNamed = static_cast<long>(Sheet().Names().Count());
  EXPECT_EQ(static_cast<long>(Sheet().Hyperlinks().Count()), lNamed);
  EXPECT_TRUE(lNamed == 30 - lUnfit || lNamed == 30 - lUnfit + 1) << lNamed << " " << lUnfit;
  for (const auto& [key, link] : Sheet().Hyperlinks().Items()) {
    EXPECT_TRUE(Sheet().Names().RefersTo(link.subAddress).has_value()) << link.subAddress;
  }
  EXPECT_EQ(Sheet().PageSetup().PrintArea(), "$A$1:$F$60");
}

TEST_F(BldSheetFullTest, MainPanelPastTheLastRowLeavesEveryObjectUnfit) {
  EXPECT_FALSE(FillSmallSheet(100));
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 2u);
  EXPECT_EQ(Unfit(vLines[1], "100"), 100) << vLines[1];
  EXPECT_EQ(Sheet().Names().Count(), 0u);
  EXPECT_EQ(Sheet().Hyperlinks().Count(), 0u);
}

}  // namespace
}  // namespace kvo::test
