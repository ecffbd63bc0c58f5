// A resolved sheet made past the sheet's last row or column (the object model never makes one)
// is refused by the .xlsx writer with the reason, instead of a file no program opens.
#include <gtest/gtest.h>

#include <kvoexportexcel/RunError.h>

#include <functional>
#include <string>

#include "workbook/excel/Application.h"
#include "workbook/excel/resolved/SheetResolver.h"
#include "workbook/excel/sink/MemorySink.h"
#include "workbook/excel/store/Rect.h"
#include "workbook/excel/xlsx/XlsxWriter.h"

namespace kvo::excel {
namespace {

// One row, at the given number, with one cell at the given column.
class OneRowWalk : public RowWalk {
 public:
  OneRowWalk(std::int32_t row, std::int32_t col) {
    cell_.col = col;
    row_.row = row;
    row_.cells = {&cell_, 1};
  }
  const ResolvedRow* Next() override { return done_ ? nullptr : (done_ = true, &row_); }

 private:
  ResolvedCell cell_;
  ResolvedRow row_;
  bool done_ = false;
};

// The reason the writer gave, empty when it wrote the sheet.
std::string Refusal(const ResolvedSheet& sheet, std::size_t* written = nullptr) {
  MemorySink sink;
  try {
    WriteXlsxTo(sheet, sink);
  } catch (const RunError& error) {
    EXPECT_EQ(error.Number(), kErrSpreadsheet);
    if (written) *written = sink.Bytes().size();
    return error.Description();
  }
  return {};
}

TEST(XlsxLimits, AreasRowsAndCellsPastTheLastRowOrColumnAreRefused) {
  Application app;
  Worksheet& sheet = app.Workbooks().Add().Worksheets(1);
  sheet.Cells(kMaxRows, kMaxColumns).Value("the last cell");
  const ResolvedSheet within = ResolveSheet(sheet);
  EXPECT_EQ(Refusal(within), "");

  const std::function<void(ResolvedSheet&)> beyond[] = {
      [](ResolvedSheet& s) {
        s.merges.push_back({kMaxRows, 1, kMaxRows + 1, 2});
      },
      [](ResolvedSheet& s) {
        s.names.push_back({"Past", Rect::Cell(1, kMaxColumns + 1)});
      },
      [](ResolvedSheet& s) {
        s.page.printArea = Rect{0, 1, 5, 5};
      },
      [](ResolvedSheet& s) {
        s.usedRange = Rect{1, 1, 2, kMaxColumns + 1};
      },
  };
  for (const auto& change : beyond) {
    ResolvedSheet past = ResolveSheet(sheet);
    change(past);
    std::size_t written = 99;
    const std::string reason = Refusal(past, &written);
    EXPECT_NE(reason.find("lies beyond row 1,048,576 or column XFD"), std::string::npos) << reason;
    EXPECT_EQ(written, 0u) << "refused before a byte is written: " << reason;
  }
  // Rows are checked as they are written.
  for (const auto& [row, col] : {std::pair{kMaxRows + 1, 1}, std::pair{7, kMaxColumns + 1}}) {
    ResolvedSheet past = ResolveSheet(sheet);
    past.usedRange.reset();
    past.rows = [row, col] { return std::make_unique<OneRowWalk>(row, col); };
    const std::string reason = Refusal(past);
    EXPECT_NE(reason.find("row " + std::to_string(row)), std::string::npos) << reason;
    EXPECT_NE(reason.find("lies beyond row 1,048,576 or column XFD"), std::string::npos) << reason;
  }
}

}  // namespace
}  // namespace kvo::excel
