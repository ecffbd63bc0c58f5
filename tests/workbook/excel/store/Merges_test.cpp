// Merged areas: overlaps are refused, a single cell is no merge, hidden values are dropped.
#include <gtest/gtest.h>

#include <kvoexportexcel/RunError.h>

#include "workbook/excel/Application.h"

namespace kvo::excel {
namespace {

class MergesTest : public ::testing::Test {
 protected:
  excel::Range Area(int top, int left, int bottom, int right) {
    return sheet_.Range(sheet_.Cells(top, left), sheet_.Cells(bottom, right));
  }
  Application app_;
  Worksheet& sheet_ = app_.Workbooks().Add().Worksheets(1);
};

TEST_F(MergesTest, OverlappingMergeRaisesAndNamesBothAreas) {
  Area(4, 1, 4, 9).MergeCells(true);
  Area(5, 1, 5, 9).MergeCells(true);  // adjacent, no overlap
  try {
    Area(3, 9, 4, 10).MergeCells(true);
    FAIL() << "overlap accepted";
  } catch (const RunError& error) {
    EXPECT_EQ(error.Number(), kErrSpreadsheet);
    EXPECT_NE(error.Description().find("$I$3:$J$4"), std::string::npos) << error.Description();
    EXPECT_NE(error.Description().find("$A$4:$I$4"), std::string::npos) << error.Description();
  }
  EXPECT_EQ(sheet_.Store().Merges().Count(), 2u);
  EXPECT_THROW(Area(1, 1, 100, 2).MergeCells(true), RunError);  // a tall area overlapping
}

TEST_F(MergesTest, SingleCellIsNoMergeAndNoError) {
  Area(2, 2, 2, 2).MergeCells(true);
  EXPECT_EQ(sheet_.Store().Merges().Count(), 0u);
  EXPECT_FALSE(sheet_.MergeAreaAt(2, 2).has_value());
}

TEST_F(MergesTest, MergeKeepsOnlyTheTopLeftValue) {
  for (int col = 1; col <= 3; ++col) sheet_.Cells(1, col).Value("v" + std::to_string(col));
  sheet_.Cells(2, 1).Value("below");
  Area(1, 1, 1, 2).MergeCells(true);
  EXPECT_EQ(sheet_.ValueAt(1, 1).text, "v1");
  EXPECT_TRUE(sheet_.ValueAt(1, 2).IsEmpty());
  EXPECT_EQ(sheet_.ValueAt(1, 3).text, "v3");
  EXPECT_EQ(sheet_.ValueAt(2, 1).text, "below");
  ASSERT_TRUE(sheet_.MergeAreaAt(1, 2).has_value());
  EXPECT_EQ(*sheet_.MergeAreaAt(1, 2), (Rect{1, 1, 1, 2}));
}

TEST_F(MergesTest, UnmergeFreesTheAreaForANewMerge) {
  Area(4, 1, 4, 6).MergeCells(true);
  Area(4, 3, 4, 3).MergeCells(false);
  EXPECT_EQ(sheet_.Store().Merges().Count(), 0u);
  EXPECT_NO_THROW(Area(4, 2, 4, 4).MergeCells(true));
}

}  // namespace
}  // namespace kvo::excel
