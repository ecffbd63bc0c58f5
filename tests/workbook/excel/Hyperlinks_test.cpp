// Hyperlinks: internal and external kinds, the cell text and look, the per-sheet limit, targets.
#include <gtest/gtest.h>

#include <kvoexportexcel/RunError.h>

#include "support/oracle/OracleLinks.h"
#include "workbook/excel/Application.h"
#include "workbook/excel/FileFormats.h"
#include "workbook/excel/resolved/SheetResolver.h"
#include "workbook/excel/xlsx/LinkTargets.h"

namespace kvo::excel {
namespace {

// Longest link target a workbook file takes (in characters, after escaping).
constexpr std::size_t kMaxLinkLength = 2079;

// The link as the reference writer takes it and as the file stores it, for an address of its
// own kind.
std::string Argument(std::string_view address, std::string_view subAddress) {
  return oracle::LinkArgument(KindOfLink(address), address, subAddress);
}
std::string Stored(std::string_view address, std::string_view subAddress) {
  return StoredLinkTarget(KindOfLink(address), address, subAddress);
}

class HyperlinksTest : public ::testing::Test {
 protected:
  Application app_;
  Worksheet& sheet_ = app_.Workbooks().Add().Worksheets(1);
};

TEST_F(HyperlinksTest, InternalLinkKeepsTextAndOtherFormatsAndGetsTheLinkLook) {
  sheet_.Cells(6, 2).Value("P-100");
  sheet_.Cells(6, 2).Font().FontStyle("Bold");
  sheet_.Cells(6, 2).Interior().ColorIndex(15);
  sheet_.Hyperlinks().Add(sheet_.Cells(6, 2), "", "ID_P_45100_B_0");

  const Hyperlink* link = sheet_.Hyperlinks().At(6, 2);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(link->address, "");
  EXPECT_EQ(link->subAddress, "ID_P_45100_B_0");
  EXPECT_EQ(sheet_.ValueAt(6, 2).text, "P-100");
  const CellFormat look = sheet_.EffectiveFormat(6, 2);
  EXPECT_TRUE(look.underline);
  EXPECT_EQ(look.fontColor, kLinkColor);
  EXPECT_TRUE(look.bold);
  EXPECT_EQ(look.interiorColor, SheetColor::Palette(15));
  EXPECT_FALSE(sheet_.EffectiveFormat(6, 3).underline);
}

TEST_F(HyperlinksTest, ExternalLinkShowsTheGivenTextAndEmptyCellsShowTheAddress) {
  sheet_.Cells(20, 2).Value("old");
  sheet_.Hyperlinks().Add(sheet_.Cells(20, 2), "a/b #1.pdf", "", "", "a/b #1.pdf");
  EXPECT_EQ(sheet_.ValueAt(20, 2).text, "a/b #1.pdf");
  EXPECT_EQ(sheet_.Hyperlinks().At(20, 2)->address, "a/b #1.pdf");

  sheet_.Hyperlinks().Add(sheet_.Cells(21, 2), "x.pdf");
  EXPECT_EQ(sheet_.ValueAt(21, 2).text, "x.pdf");
  sheet_.Hyperlinks().Add(sheet_.Cells(22, 2), "", "Target");
  EXPECT_EQ(sheet_.ValueAt(22, 2).text, "Target");
}

TEST_F(HyperlinksTest, NumberCellKeepsItsNumberAndEmptiedCellShowsTheSubAddress) {
  sheet_.Cells(6, 1).Value(3.0);
  sheet_.Hyperlinks().Add(sheet_.Cells(6, 1), "", "Level");
  EXPECT_EQ(sheet_.ValueAt(6, 1), CellValue::Number(3.0));
  sheet_.Cells(7, 1).Value("gone");
  sheet_.Cells(7, 1).Value("");
  sheet_.Hyperlinks().Add(sheet_.Cells(7, 1), "", "Block");
  EXPECT_EQ(sheet_.ValueAt(7, 1).text, "Block");
}

TEST_F(HyperlinksTest, SixtyFiveThousandFiveHundredThirtyLinksFitAndOneMoreRaises) {
  for (int row = 1; row <= 65530; ++row) {
    sheet_.Hyperlinks().Add(sheet_.Cells(row, 1), "", "N");
  }
  sheet_.Hyperlinks().Add(sheet_.Cells(1, 1), "", "Replaced");  // same cell: no new link
  EXPECT_EQ(sheet_.Hyperlinks().Count(), 65530u);
  try {
    sheet_.Hyperlinks().Add(sheet_.Cells(65531, 1), "", "N");
    FAIL() << "link 65,531 accepted";
  } catch (const RunError& error) {
    EXPECT_EQ(error.Number(), kErrSpreadsheet);
    EXPECT_NE(error.Description().find("$A$65531"), std::string::npos) << error.Description();
  }
  EXPECT_EQ(sheet_.Hyperlinks().At(65531, 1), nullptr);
}

TEST_F(HyperlinksTest, TooLongTargetRaisesAndChangesNothing) {
  const std::string longName(kMaxLinkLength, 'f');  // fits
  EXPECT_TRUE(sheet_.Hyperlinks().TargetFits(longName, ""));
  EXPECT_NO_THROW(sheet_.Hyperlinks().Add(sheet_.Cells(1, 1), longName, "", "", "fits"));
  const std::string blanks(kMaxLinkLength / 3 + 1, ' ');  // each blank becomes "%20"
  EXPECT_FALSE(sheet_.Hyperlinks().TargetFits(blanks, ""));
  sheet_.Cells(2, 1).Value("before");
  EXPECT_THROW(sheet_.Hyperlinks().Add(sheet_.Cells(2, 1), blanks, "", "", "shown"), RunError);
  EXPECT_EQ(sheet_.ValueAt(2, 1).text, "before");
  EXPECT_EQ(sheet_.Hyperlinks().At(2, 1), nullptr);
  EXPECT_FALSE(sheet_.EffectiveFormat(2, 1).underline);
  // A link already in the cell stays when a replacement is refused.
  EXPECT_THROW(sheet_.Hyperlinks().Add(sheet_.Cells(1, 1), blanks, "", "", "other"), RunError);
  EXPECT_EQ(sheet_.ValueAt(1, 1).text, "fits");
  EXPECT_NE(sheet_.Hyperlinks().At(1, 1), nullptr);
}

// The answer kept for the last target is the answer for the format it was measured for: the same
// target asked again for another format, or with another sub-address, is measured again.
TEST_F(HyperlinksTest, TargetAskedAgainForAnotherFormatIsMeasuredAgain) {
  const std::string blanks(kMaxLinkLength / 3 + 1, ' ');  // too long escaped, short as it is
  EXPECT_FALSE(sheet_.Hyperlinks().TargetFits(blanks, ""));
  sheet_.SetFormat(FileFormatFor("book.xls"));
  EXPECT_TRUE(sheet_.Hyperlinks().TargetFits(blanks, ""));
  EXPECT_NO_THROW(sheet_.Hyperlinks().Add(sheet_.Cells(1, 1), blanks, "", "", "shown"));
  EXPECT_FALSE(sheet_.Hyperlinks().TargetFits(blanks, std::string(kMaxLinkLength, 's')));
  sheet_.SetFormat(FileFormatFor("book.xlsx"));
  EXPECT_FALSE(sheet_.Hyperlinks().TargetFits(blanks, ""));
  EXPECT_TRUE(sheet_.Hyperlinks().TargetFits("short.pdf", ""));
}

TEST_F(HyperlinksTest, LinkWithoutAnyAddressRaises) {
  EXPECT_THROW(sheet_.Hyperlinks().Add(sheet_.Cells(1, 1), ""), RunError);
}

TEST(LinkTargets, FileNamesKeepPercentAndHashAndBecomeWhatTheFileStores) {
  EXPECT_EQ(Argument("", "ID_1"), "internal:ID_1");
  EXPECT_EQ(Argument("a/b #1.pdf", ""), "external:a/b %231.pdf");
  EXPECT_EQ(Argument("100%.pdf", "Sheet1!A1"), "external:100%25.pdf#Sheet1!A1");
  EXPECT_EQ(Argument("https://x.org/a b#top", ""), "https://x.org/a b#top");

  EXPECT_EQ(Stored("", "ID_1"), "ID_1");
  EXPECT_EQ(Stored("a/b #1.pdf", ""), "a\\b%20%231.pdf");
  EXPECT_EQ(Stored("a%20b.pdf", ""), "a%2520b.pdf");
  EXPECT_EQ(Stored("C:\\x y\\[1].pdf", ""), "file:///C:\\x%20y\\%5b1%5d.pdf");
  EXPECT_EQ(Stored("\\\\srv\\share\\f.pdf", ""), "file:///\\\\srv\\share\\f.pdf");
  EXPECT_EQ(Stored("./rel/f.pdf", ""), "rel\\f.pdf");
  EXPECT_EQ(Stored("https://x.org/a b#top", ""), "https://x.org/a%20b");
  EXPECT_EQ(KindOfLink("mailto:a@b.c"), ResolvedLink::Kind::Url);
  EXPECT_EQ(KindOfLink("C:\\docs\\a.pdf"), ResolvedLink::Kind::File);
}

}  // namespace
}  // namespace kvo::excel
