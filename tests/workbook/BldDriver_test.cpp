// The workbook driver: sheet layout from top to bottom, print setup and the application
// lifecycle around it, including saves that fail.
#include <filesystem>

#include "workbook/BldExcelProbe.h"
#include "workbook/excel/store/Palette.h"

namespace kvo::test {
namespace {

namespace fs = std::filesystem;
using excel::Rect;

class BldDriverTest : public BldFixture {};

TEST_F(BldDriverTest, ItemStructureSheetFromCaptionTableToPrintArea) {
  SetItems({MakeItem(0, "P1")});
  kvo::Run().arrItems[0].tItem.vAttr = Row{"Assembly", "2kg"};
  ASSERT_TRUE(InitAndFill());
  ExpectRows({{1, {"Prepared By", "Report", "Project", "Date", ""}},
              {2, {"ann", "rep", "p1", "today", ""}},
              {3, Row(6, "")},
              {4, {"Main Panel"}},
              {5, {"Level", "ID", "Find No", "Description", "Quantity", "Revision"}},
              {6, {"#", "P1", "fP1", "dP1", "qP1", "rP1"}},
              {7, Row(6, "")},
              {8, {"Property Panel"}},
              {9, {"ID", "P1", "Revision", "rP1", "Description", "dP1"}},
              {10, {"Attributes"}},
              {11, {"Type", "Assembly", "Mass", "2kg", "", ""}},
              {12, Row(6, "")}});
  EXPECT_TRUE(Sheet().EffectiveFormat(1, 4).bold && Sheet().EffectiveFormat(5, 6).bold);
  EXPECT_EQ(Sheet().Names().RefersTo(probe_.ItemName(0)), Rect::WholeRows(9, 9));
  EXPECT_EQ(Sheet().EffectiveFormat(9, 6).interiorColor, excel::SheetColor::Palette(15));

  // Black bars with white 14-point bold text, lines above and below, top-aligned at the end.
  for (std::int32_t r : {4, 8}) {
    EXPECT_EQ(Sheet().MergeAreaAt(r, 1), (Rect{r, 1, r, 6}));
    const excel::CellFormat f = Sheet().EffectiveFormat(r, 1);
    EXPECT_EQ(f.interiorColor, excel::SheetColor::Palette(1));
    EXPECT_EQ(f.fontColor, excel::SheetColor::Palette(2));
    EXPECT_TRUE(f.fontSize == 14 && f.bold && f.verticalAlignment == excel::xlTop);
    EXPECT_TRUE(f.borderTop == excel::xlContinuous && f.borderBottom == excel::xlContinuous);
    EXPECT_EQ(Sheet().EffectiveRowHeight(r), 18);
  }
  // Whole-sheet formats reach cells nothing was written to.
  const excel::CellFormat tPlain = Sheet().EffectiveFormat(40, 30);
  EXPECT_TRUE(tPlain.verticalAlignment == excel::xlTop && tPlain.wrapText);
  EXPECT_TRUE(tPlain.horizontalAlignment == excel::xlLeft && tPlain.numberFormat == "@");
  const excel::PageSetup& tPage = Sheet().PageSetup();
  EXPECT_EQ(tPage.Orientation(), excel::xlLandscape);
  EXPECT_EQ(tPage.PrintTitleRows(), "$1:$3");
  EXPECT_EQ(tPage.CenterFooter(), "&P");
  EXPECT_EQ(tPage.PrintArea(), "$A$1:$F$13");
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(BldDriverTest, MainBarWidthFollowsTagsAndMode) {
  // (space type, with three tags, last column of the main bar)
  for (const auto& [iSpace, bTags, lLast] : {std::tuple{1, false, 6}, std::tuple{2, false, 6},
                                             std::tuple{1, true, 9}, std::tuple{2, true, 8}}) {
    SCOPED_TRACE(lLast);
    kvo::Run().iSpaceType = static_cast<std::int16_t>(iSpace);
    kvo::Run().vAddTags.Erase();
    if (bTags) SetTable(kvo::Run().vAddTags, {{"a", "A", ""}, {"b", "B", ""}, {"c", "C", ""}});
    SetItems({MakeItem(0, "P1")});
    kvo::Run().arrItems[0].vAddAttr = Row{"1", "2", "3"};
    clsBldExcel oBld;
    BldExcelProbe oProbe(oBld);
    ASSERT_TRUE(oBld.InitExl(dir_.Str(std::to_string(iSpace) + std::to_string(bTags) + ".xlsx")));
    ASSERT_TRUE(oBld.FillExlFile());
    EXPECT_EQ(oProbe.Sheet().MergeAreaAt(4, 1), (Rect{4, 1, 4, lLast}));
    EXPECT_EQ(oProbe.Sheet().MergeAreaAt(8, 1), (Rect{8, 1, 8, 6}));
  }
}

TEST_F(BldDriverTest, PropertyBarStandsOneRowBelowThePanel) {
  // Collection mode without a top-level object lists no panel row.
  kvo::Run().iSpaceType = 2;
  SetItems({MakeItem(1, "C1"), MakeItem(1, "C2")});
  ASSERT_TRUE(InitAndFill());
  EXPECT_EQ(Sheet().MergeAreaAt(7, 1), (Rect{7, 1, 7, 6}));
  EXPECT_EQ(Text(7, 1), "Property Panel");
  EXPECT_EQ(Sheet().PageSetup().PrintArea(), "$A$1:$F$8");
}

TEST_F(BldDriverTest, WorkbookIsOnDiskRightAfterInit) {
  Init();
  EXPECT_TRUE(fs::is_regular_file(sOut_));
  EXPECT_TRUE(bld_.ExitExl());
  EXPECT_TRUE(bld_.ExitExl());
}

TEST_F(BldDriverTest, FailingDriverStepKeepsWhatWasWrittenAndSaves) {
  SetItems({MakeItem(0, "P1")});
  kvo::Run().oIniData.reset();  // the main bar's label look-up fails
  Init();
  EXPECT_FALSE(bld_.FillExlFile());
  EXPECT_TRUE(LastLogFrom("FillExlFile"));
  EXPECT_EQ(Text(1, 1), "Prepared By");
  EXPECT_TRUE(Sheet().ValueAt(4, 1).IsEmpty());
  EXPECT_TRUE(Sheet().PageSetup().PrintArea().empty());

  ASSERT_TRUE(bld_.ExitExl());
  std::string sStrings;
  ASSERT_EQ(RunCommand("unzip -p " + ShellQuote(sOut_) + " xl/sharedStrings.xml", &sStrings), 0);
  EXPECT_NE(sStrings.find("Prepared By"), std::string::npos);
}

TEST_F(BldDriverTest, FailedFinalSaveIsNoSuccess) {
  SetItems({MakeItem(0, "P1")});
  fs::create_directory(dir_.Path() / "sub");
  Init("sub/out.xlsx");
  ASSERT_TRUE(bld_.FillExlFile());
  fs::remove_all(dir_.Path() / "sub");
  EXPECT_FALSE(bld_.ExitExl());
  ASSERT_TRUE(LastLogFrom("ExitExl"));
  EXPECT_NE(LogLines().back().find(sOut_), std::string::npos) << LogLines().back();
  EXPECT_FALSE(bld_.ExitExl());  // still unsaved, still reported

  // A builder whose InitExl failed has nothing to fill, save or quit.
  clsBldExcel oFailed;
  EXPECT_FALSE(oFailed.InitExl(dir_.Str("missing/out.xlsx")));
  EXPECT_TRUE(LastLogFrom("InitExl"));
  EXPECT_FALSE(oFailed.FillExlFile());
  EXPECT_TRUE(oFailed.ExitExl());
}

}  // namespace
}  // namespace kvo::test
