// Cell records as a sheet keeps them: writes in any order, to rows of any width, read back as a
// plain map of the same writes holds them; merged areas found row by row after merges and
// unmerges in any order.
#include <gtest/gtest.h>

#include <kvoexportexcel/RunError.h>

#include <algorithm>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "workbook/excel/Application.h"
#include "workbook/excel/store/SheetStore.h"

namespace kvo::excel {
namespace {

class CellRecordsTest : public ::testing::Test {
 protected:
  Application app_;
  Worksheet& sheet_ = app_.Workbooks().Add().Worksheets(1);
};

using Expected = std::variant<std::monostate, std::string, double>;

void ExpectValue(const Worksheet& sheet, std::int32_t row, std::int32_t col, const Expected& want) {
  const CellValue got = sheet.ValueAt(row, col);
  if (const auto* text = std::get_if<std::string>(&want)) {
    EXPECT_EQ(got.kind, CellValue::Kind::Text) << row << "," << col;
    EXPECT_EQ(got.text, *text) << row << "," << col;
  } else if (const auto* number = std::get_if<double>(&want)) {
    EXPECT_EQ(got.kind, CellValue::Kind::Number) << row << "," << col;
    EXPECT_EQ(got.number, *number) << row << "," << col;
  } else {
    EXPECT_TRUE(got.IsEmpty()) << row << "," << col;
  }
}

// Random texts, numbers and clears over rows that grow through every slot size, interleaved so
// that slots given back are taken again by other rows; a repeated text is stored once.
TEST_F(CellRecordsTest, RandomWritesReadBackAsAMapOfTheSameWritesHoldsThem) {
  std::mt19937 random(20261210);
  std::map<std::pair<std::int32_t, std::int32_t>, Expected> expected;
  const auto write = [&](std::int32_t row, std::int32_t col) {
    switch (random() % 5) {
      case 0: {
        const double number = static_cast<double>(random() % 1000) / 4;
        sheet_.Cells(row, col).Value(number);
        expected[{row, col}] = number;
        break;
      }
      case 1:
        sheet_.Cells(row, col).Value("");
        if (expected.contains({row, col})) expected[{row, col}] = std::monostate();
        break;
      default: {
        const std::string text = "t" + std::to_string(random() % 300);
        sheet_.Cells(row, col).Value(text);
        expected[{row, col}] = text;
      }
    }
  };
  for (int i = 0; i < 40000; ++i) {
    const auto row = static_cast<std::int32_t>(1 + random() % 200);
    // Narrow columns mostly, a few rows far wider than any slot of the first sizes.
    const auto col = static_cast<std::int32_t>(1 + random() % (row % 10 == 0 ? 3000 : 40));
    write(row, col);
  }
  // One row as wide as the sheet, written right to left so that every cell moves.
  for (std::int32_t col = sheet_.Limits().columns; col >= 1; --col) {
    sheet_.Cells(500, col).Value(std::to_string(col % 7));
    expected[{500, col}] = std::to_string(col % 7);
  }
  for (const auto& [at, want] : expected) ExpectValue(sheet_, at.first, at.second, want);
  for (std::int32_t row = 1; row <= 500; ++row) {
    std::int32_t previous = 0;
    for (const StoredCell& cell : sheet_.Store().RowCells(row)) {
      EXPECT_GT(cell.col, previous) << "row " << row;
      EXPECT_TRUE(expected.contains({row, cell.col})) << row << "," << cell.col;
      previous = cell.col;
    }
  }
  EXPECT_LE(sheet_.Store().Texts().Count(), 300u + 7u);
  EXPECT_EQ(sheet_.Store().RowCells(500).size(), static_cast<std::size_t>(sheet_.Limits().columns));
}

TEST_F(CellRecordsTest, ANumberOverwrittenByATextAndBackKeepsTheLatest) {
  sheet_.Cells(3, 2).Value(1.5);
  sheet_.Cells(3, 2).Value(2.5);
  ExpectValue(sheet_, 3, 2, 2.5);
  sheet_.Cells(3, 2).Value("x");
  ExpectValue(sheet_, 3, 2, std::string("x"));
  sheet_.Cells(3, 2).Value(-0.25);
  ExpectValue(sheet_, 3, 2, -0.25);
  sheet_.Cells(3, 1).Value(7);
  ExpectValue(sheet_, 3, 2, -0.25);
  ExpectValue(sheet_, 3, 1, 7.0);
}

// Merged areas against a plain list of them: AreaAt finds the area a cell lies in, whichever
// areas were merged and unmerged before.
TEST_F(CellRecordsTest, MergedAreasAreFoundRowByRowAfterMergesAndUnmerges) {
  std::mt19937 random(7);
  std::vector<Rect> areas;
  const auto overlaps = [&](const Rect& rect) {
    return std::any_of(areas.begin(), areas.end(),
                       [&](const Rect& area) { return area.Intersects(rect); });
  };
  for (int i = 0; i < 3000; ++i) {
    const auto top = static_cast<std::int32_t>(1 + random() % 400);
    const auto left = static_cast<std::int32_t>(1 + random() % 12);
    // Mostly one row high, some taller than the rows filed one by one.
    const auto height = static_cast<std::int32_t>(random() % 10 == 0 ? 70 + random() % 40 : 1);
    const Rect rect{top, left, top + height - 1, left + static_cast<std::int32_t>(random() % 3)};
    if (random() % 4 == 0 && !areas.empty()) {
      const Rect gone = areas[random() % areas.size()];
      sheet_.Range(sheet_.Cells(gone.top, gone.left), sheet_.Cells(gone.top, gone.left))
          .MergeCells(false);
      std::erase(areas, gone);
      continue;
    }
    const auto range =
        sheet_.Range(sheet_.Cells(rect.top, rect.left), sheet_.Cells(rect.bottom, rect.right));
    if (rect.IsSingleCell()) continue;  // no merge, and no overlap to refuse
    if (overlaps(rect)) {
      EXPECT_THROW(range.MergeCells(true), RunError);
    } else {
      range.MergeCells(true);
      areas.push_back(rect);
    }
  }
  ASSERT_EQ(sheet_.Store().Merges().Count(), areas.size());
  for (std::int32_t row = 1; row <= 520; ++row) {
    for (std::int32_t col = 1; col <= 15; ++col) {
      const auto it = std::find_if(areas.begin(), areas.end(),
                                   [&](const Rect& area) { return area.Contains(row, col); });
      const std::optional<Rect> found = sheet_.MergeAreaAt(row, col);
      ASSERT_EQ(found.has_value(), it != areas.end()) << row << "," << col;
      if (found) {
        EXPECT_EQ(*found, *it);
      }
    }
  }
}

}  // namespace
}  // namespace kvo::excel
