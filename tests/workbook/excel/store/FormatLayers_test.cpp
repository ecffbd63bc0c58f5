// Layered formats: whole sheet, columns, rows, ranges and cells, last write wins per property.
#include <gtest/gtest.h>

#include "workbook/excel/Application.h"

namespace kvo::excel {
namespace {

class FormatLayersTest : public ::testing::Test {
 protected:
  Application app_;
  Worksheet& sheet_ = app_.Workbooks().Add().Worksheets(1);
};

TEST_F(FormatLayersTest, LaterOperationsOverrideOnlyThePropertiesTheySet) {
  sheet_.Cells().HorizontalAlignment(xlLeft);
  sheet_.Cells().WrapText(true);
  sheet_.Cells().NumberFormat("@");
  excel::Range bar = sheet_.Range(sheet_.Cells(4, 1), sheet_.Cells(4, 9));
  bar.VerticalAlignment(xlBottom);
  bar.Interior().ColorIndex(1);
  bar.Font().Size(14);
  sheet_.Rows(4).Font().FontStyle("Bold");
  sheet_.Cells(4, 2).Font().FontStyle("Italic");
  sheet_.Cells().VerticalAlignment(xlTop);

  const CellFormat inBar = sheet_.EffectiveFormat(4, 1);
  EXPECT_EQ(inBar.horizontalAlignment, xlLeft);
  EXPECT_TRUE(inBar.wrapText);
  EXPECT_EQ(inBar.numberFormat, "@");
  EXPECT_EQ(inBar.verticalAlignment, xlTop);  // the final whole-sheet write wins
  EXPECT_EQ(inBar.interiorColor, SheetColor::Palette(1));
  EXPECT_EQ(inBar.fontSize, 14);
  EXPECT_TRUE(inBar.bold);
  EXPECT_FALSE(inBar.italic);

  const CellFormat italicCell = sheet_.EffectiveFormat(4, 2);
  EXPECT_FALSE(italicCell.bold);  // "Italic" is the whole style, written after the row
  EXPECT_TRUE(italicCell.italic);
  EXPECT_EQ(italicCell.interiorColor, SheetColor::Palette(1));

  const CellFormat rowOutsideBar = sheet_.EffectiveFormat(4, 10);
  EXPECT_TRUE(rowOutsideBar.bold);
  EXPECT_EQ(rowOutsideBar.interiorColor, SheetColor{});
  EXPECT_EQ(rowOutsideBar.fontSize, kDefaultFontSize);

  const CellFormat elsewhere = sheet_.EffectiveFormat(5, 1);
  EXPECT_EQ(elsewhere.verticalAlignment, xlTop);
  EXPECT_FALSE(elsewhere.bold);
  EXPECT_EQ(elsewhere.horizontalAlignment, xlLeft);
}

TEST_F(FormatLayersTest, RowStyleSetAfterValuesAppliesToThemAndCellStyleAfterRowWins) {
  sheet_.Cells(5, 1).Value("Caption");
  sheet_.Cells(5, 3).Font().FontStyle("Bold Italic");
  sheet_.Rows(5).Font().FontStyle("Bold");
  sheet_.Cells(5, 2).Font().FontStyle("Regular");

  EXPECT_TRUE(sheet_.EffectiveFormat(5, 1).bold);
  EXPECT_FALSE(sheet_.EffectiveFormat(5, 3).italic);  // the row came later
  EXPECT_FALSE(sheet_.EffectiveFormat(5, 2).bold);
  EXPECT_FALSE(sheet_.EffectiveFormat(6, 1).bold);
}

TEST_F(FormatLayersTest, ColumnLayersAndWholeSheetInterleave) {
  sheet_.Columns(3).Interior().ColorIndex(15);
  sheet_.Cells().Interior().ColorIndex(48);
  sheet_.Columns(4).Interior().ColorIndex(15);

  EXPECT_EQ(sheet_.EffectiveFormat(100, 3).interiorColor, SheetColor::Palette(48));
  EXPECT_EQ(sheet_.EffectiveFormat(100, 4).interiorColor, SheetColor::Palette(15));
  sheet_.Cells(7, 4).Interior().ColorIndex(xlColorIndexNone);
  EXPECT_EQ(sheet_.EffectiveFormat(7, 4).interiorColor, SheetColor{});
}

TEST_F(FormatLayersTest, EdgeBordersGoOnlyOnTheCellsAlongThatEdge) {
  excel::Range area = sheet_.Range(sheet_.Cells(2, 2), sheet_.Cells(4, 3));
  area.Borders(xlEdgeTop).LineStyle(xlContinuous);
  area.Borders(xlEdgeBottom).LineStyle(xlContinuous);

  EXPECT_EQ(sheet_.EffectiveFormat(2, 2).borderTop, xlContinuous);
  EXPECT_EQ(sheet_.EffectiveFormat(2, 3).borderBottom, xlLineStyleNone);
  EXPECT_EQ(sheet_.EffectiveFormat(3, 2).borderTop, xlLineStyleNone);
  EXPECT_EQ(sheet_.EffectiveFormat(4, 3).borderBottom, xlContinuous);
  EXPECT_EQ(sheet_.EffectiveFormat(4, 3).borderTop, xlLineStyleNone);
  EXPECT_EQ(sheet_.EffectiveFormat(1, 2).borderBottom, xlLineStyleNone);
  EXPECT_EQ(sheet_.EffectiveFormat(2, 4).borderTop, xlLineStyleNone);
}

TEST_F(FormatLayersTest, PaletteIndexesStayIndexesWithTheirRgbValues) {
  const std::pair<int, std::uint32_t> colors[] = {
      {1, 0x000000}, {2, 0xFFFFFF}, {15, 0xC0C0C0}, {48, 0x969696}, {56, 0x333333}};
  for (const auto& [index, rgb] : colors) {
    sheet_.Cells(1, index).Font().ColorIndex(index);
    const SheetColor color = sheet_.EffectiveFormat(1, index).fontColor;
    EXPECT_EQ(color, SheetColor::Palette(index));
    EXPECT_EQ(color.ToRgb(), rgb) << "colour index " << index;
  }
  // The link colour is an RGB value, not the palette entry of the same colour.
  sheet_.Hyperlinks().Add(sheet_.Cells(2, 1), "", "Target");
  EXPECT_EQ(sheet_.EffectiveFormat(2, 1).fontColor, SheetColor::Rgb(0x0000FF));
}

TEST_F(FormatLayersTest, ManyBlocksResolveFromTheirOwnRowsOnly) {
  // A block per ten rows, as the property panel writes them.
  for (int row = 1; row <= 20000; row += 10) {
    excel::Range head = sheet_.Range(sheet_.Cells(row, 1), sheet_.Cells(row, 6));
    head.Interior().ColorIndex(15);
    head.Borders(xlEdgeTop).LineStyle(xlContinuous);
  }
  EXPECT_EQ(sheet_.EffectiveFormat(19991, 6).interiorColor, SheetColor::Palette(15));
  EXPECT_EQ(sheet_.EffectiveFormat(19992, 6).interiorColor, SheetColor{});
  EXPECT_EQ(sheet_.EffectiveFormat(19991, 7).interiorColor, SheetColor{});
}

}  // namespace
}  // namespace kvo::excel
