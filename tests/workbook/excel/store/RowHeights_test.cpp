// Rows without a height of their own grow to show their wrapped text.
#include <gtest/gtest.h>

#include "workbook/excel/Application.h"
#include "workbook/excel/store/TextLines.h"

namespace kvo::excel {
namespace {

constexpr const char* kLong =
    "A description long enough to need several lines in a column twenty-one characters wide.";

class RowHeightsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sheet_.Cells().WrapText(true);
    sheet_.Columns().ColumnWidth(21);
  }
  Application app_;
  Worksheet& sheet_ = app_.Workbooks().Add().Worksheets(1);
};

TEST_F(RowHeightsTest, ShortTextKeepsTheDefaultHeight) {
  sheet_.Cells(1, 1).Value("Short");
  EXPECT_EQ(sheet_.EffectiveRowHeight(1), 15.0);
  EXPECT_EQ(sheet_.EffectiveRowHeight(2), 15.0);
}

TEST_F(RowHeightsTest, LongTextGetsOneDefaultLineHeightPerLine) {
  sheet_.Cells(1, 1).Value(kLong);
  const int lines = WrappedLineCount(kLong, ColumnPixels(21), 11, false);
  EXPECT_GE(lines, 4);
  EXPECT_LE(lines, 6);
  EXPECT_EQ(sheet_.EffectiveRowHeight(1), 15.0 * lines);
}

TEST_F(RowHeightsTest, ExplicitLineBreaksCount) {
  sheet_.Cells(1, 1).Value("one\ntwo\r\nthree");
  EXPECT_EQ(sheet_.EffectiveRowHeight(1), 45.0);
}

TEST_F(RowHeightsTest, TallestCellOfTheRowDecidesAndExplicitHeightWins) {
  sheet_.Cells(1, 1).Value("a\nb");
  sheet_.Cells(1, 2).Value("a\nb\nc\nd");
  EXPECT_EQ(sheet_.EffectiveRowHeight(1), 60.0);
  sheet_.Rows(1).RowHeight(18);
  EXPECT_EQ(sheet_.EffectiveRowHeight(1), 18.0);
}

TEST_F(RowHeightsTest, MergedCellWrapsAtTheMergedWidth) {
  sheet_.Cells(1, 1).Value(kLong);
  sheet_.Cells(2, 1).Value(kLong);
  sheet_.Range(sheet_.Cells(2, 1), sheet_.Cells(2, 6)).MergeCells(true);
  EXPECT_GT(sheet_.EffectiveRowHeight(1), 30.0);
  EXPECT_EQ(sheet_.EffectiveRowHeight(2), 15.0);
}

TEST_F(RowHeightsTest, UnwrappedTextStaysOnOneLineButLargerFontsNeedTallerRows) {
  sheet_.Cells(1, 1).Value(kLong);
  sheet_.Cells(1, 1).WrapText(false);
  EXPECT_EQ(sheet_.EffectiveRowHeight(1), 15.0);
  sheet_.Cells(2, 1).Value("Main Panel");
  sheet_.Cells(2, 1).Font().Size(14);
  EXPECT_EQ(sheet_.EffectiveRowHeight(2), 18.75);
}

TEST(TextLines, WiderFontsAndNarrowerColumnsNeedMoreLines) {
  const int normal = WrappedLineCount(kLong, ColumnPixels(21), 11, false);
  EXPECT_GE(WrappedLineCount(kLong, ColumnPixels(21), 11, true), normal);
  EXPECT_GT(WrappedLineCount(kLong, ColumnPixels(21), 16, false), normal);
  EXPECT_GT(WrappedLineCount(kLong, ColumnPixels(10), 11, false), normal);
  // One word wider than the cell is broken; wide letters take more lines than narrow ones.
  const int wide = WrappedLineCount(std::string(200, 'W'), ColumnPixels(21), 11, false);
  EXPECT_GE(wide, 15);
  EXPECT_GT(wide, WrappedLineCount(std::string(200, 'i'), ColumnPixels(21), 11, false));
  EXPECT_EQ(WrappedLineCount("", ColumnPixels(21), 11, false), 1);
  EXPECT_EQ(ColumnPixels(21), 152);
}

}  // namespace
}  // namespace kvo::excel
