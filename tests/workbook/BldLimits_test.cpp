// What the builder does at the limits of a sheet: a sheet that cannot hold the export (the first
// refusal and one summary line, no block after it, only written blocks linked, no success), a
// full link list, a file link too long for the file, and texts longer than a cell holds.
#include <regex>

#include "support/TestSupport.h"
#include "workbook/BldExcelProbe.h"
#include "workbook/excel/FileFormats.h"

namespace kvo::test {
namespace {

// The real format's limits, but only 60 rows and 5 links, and nothing written when saved.
excel::FileFormat SmallFormat() {
  excel::FileFormat tFormat = excel::DefaultFileFormat();
  tFormat.limits.rows = 60;
  tFormat.limits.linksPerSheet = 5;
  tFormat.write = [](const excel::ResolvedSheet&, const std::string&) {};
  return tFormat;
}
const excel::FileFormat kSmall = SmallFormat();
const std::string kStamp = std::string(" ") + test::kDateTimePattern;

class BldLimitsTest : public BldFixture {
 protected:
  static bool LogLineFrom(const std::string& sLine, const std::string& sOperation) {
    return sLine.ends_with(" in kVoExportExcel:clsBldExcel[" + sOperation + "]");
  }
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
                        "format; a \\.xlsx workbook holds 1,048,576 rows " +
                        test::kDateTimePattern + ".*");
    return std::regex_match(sLine, m, re) ? std::stol(m[1]) : -1;
  }
};

TEST_F(BldLimitsTest, BlocksStopAtTheFirstRefusalAndOnlyWrittenBlocksAreLinked) {
  excel::FileFormat tRowsOnly = kSmall;
  tRowsOnly.limits.linksPerSheet = 65530;
  std::vector<ObjItem> v;
  for (std::int32_t i = 0; i < 30; ++i) v.push_back(MakeItem(0, "P" + std::to_string(i)));
  SetItems(v);
  InitSheet();
  Sheet().SetFormat(tRowsOnly);
  EXPECT_FALSE(bld_.FillExlFile());
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

TEST_F(BldLimitsTest, MainPanelPastTheLastRowLeavesEveryObjectUnfit) {
  EXPECT_FALSE(FillSmallSheet(100));
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 2u);
  EXPECT_EQ(Unfit(vLines[1], "100"), 100) << vLines[1];
  EXPECT_EQ(Sheet().Names().Count(), 0u);
  EXPECT_EQ(Sheet().Hyperlinks().Count(), 0u);
}

TEST_F(BldLimitsTest, FullLinkListLeavesObjectsWithoutLinkButTheRunSucceeds) {
  std::vector<ObjItem> v;
  for (std::int32_t i = 0; i < 8; ++i) v.push_back(MakeItem(0, "L" + std::to_string(i)));
  SetItems(v);
  InitSheet();
  excel::FileFormat tLinksOnly = kSmall;
  tLinksOnly.limits.rows = 1048576;
  Sheet().SetFormat(tLinksOnly);
  EXPECT_TRUE(bld_.FillExlFile());
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 2u);
  EXPECT_TRUE(LogLineFrom(vLines[0], "FillHyperlinkStruct")) << vLines[0];
  EXPECT_NE(vLines[0].find("at most 5 hyperlinks"), std::string::npos);
  EXPECT_TRUE(std::regex_match(
      vLines[1],
      std::regex("3 objects were left without a link: a sheet holds at most 5 hyperlinks" +
                 kStamp)))
      << vLines[1];
  EXPECT_EQ(Sheet().Names().Count(), 8u);  // every block is written
}

TEST_F(BldLimitsTest, FileLinksPastTheLimitsKeepTheirNamesAndTheListGoesOn) {
  const std::string sLong = "docs/" + std::string(2100, 'x') + ".pdf";
  DocStruct tDoc;
  tDoc.sID = "D1";
  tDoc.arrFiles = {{"a.pdf", std::nullopt}, {sLong, std::nullopt}, {"c.pdf", std::nullopt}};
  tDoc.lFilesUB = 2;
  InitSheet();
  std::int32_t lRow = 10;
  probe_.FillDoc(tDoc, lRow);
  const excel::Hyperlinks& links = Sheet().Hyperlinks();
  ASSERT_EQ(links.Count(), 2u);
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 1u);
  EXPECT_TRUE(
      std::regex_match(vLines[0], std::regex("File name " + sLong +
                                             " is written without its link: a link's target holds "
                                             "at most 2,079 characters" +
                                             kStamp)));
  // All three names stand in their rows; the later file keeps its link.
  std::vector<std::string> vNames;
  for (std::int32_t r = 10; r < lRow; ++r) {
    if (Text(r, 1) == "File Name") vNames.push_back(Text(r, 2));
  }
  EXPECT_EQ(vNames, (std::vector<std::string>{"a.pdf", sLong, "c.pdf"}));

  // On a sheet whose links are used up, file names are written as text without a line each:
  // the driver counts them in one line at the end of the run.
  excel::FileFormat tLinksOnly = kSmall;
  tLinksOnly.limits.rows = 1048576;
  Sheet().SetFormat(tLinksOnly);
  for (std::int32_t i = 0; i < 6; ++i) probe_.FillDoc(tDoc, lRow);
  EXPECT_EQ(links.Count(), 5u);
  // The long name is logged again only while links were still left (the second document).
  EXPECT_EQ(LogLines().size(), 2u);
  std::int32_t lLast = lRow;
  while (Text(lLast, 1) != "File Name") --lLast;
  EXPECT_EQ(Text(lLast, 2), "c.pdf");
}

TEST_F(BldLimitsTest, TextsLongerThanACellAreCutAndCountedOnce) {
  std::vector<ObjItem> v{MakeItem(0, "T1"), MakeItem(0, "T2")};
  v[0].tItem.sDesc = std::string(40000, 'a');
  v[1].tItem.sDesc = std::string(32767, 'b');
  SetItems(v);
  EXPECT_TRUE(InitAndFill());
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 1u);
  // The description stands in the main panel and in the block: two cells were cut.
  EXPECT_TRUE(std::regex_match(
      vLines[0],
      std::regex("2 cell texts were cut to the 32,767 characters a cell holds" + kStamp)))
      << vLines[0];
}

}  // namespace
}  // namespace kvo::test
