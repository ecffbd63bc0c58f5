// Misuse of the object model raises the spreadsheet run-time error with a useful description.
#include <gtest/gtest.h>

#include <kvoexportexcel/RunError.h>

#include <functional>
#include <string>

#include "workbook/excel/Application.h"

namespace kvo::excel {
namespace {

// Runs action, expects RunError number `number` whose description contains `fragment`.
void ExpectRunError(const std::function<void()>& action, const std::string& fragment,
                    std::int32_t number = kErrSpreadsheet) {
  try {
    action();
    ADD_FAILURE() << "no error; expected one mentioning \"" << fragment << '"';
  } catch (const RunError& error) {
    EXPECT_EQ(error.Number(), number) << error.Description();
    EXPECT_NE(error.Description().find(fragment), std::string::npos) << error.Description();
  }
}

class MisuseTest : public ::testing::Test {
 protected:
  Application app_;
  Workbook& book_ = app_.Workbooks().Add();
  Worksheet& sheet_ = book_.Worksheets(1);
};

TEST_F(MisuseTest, RowsAndColumnsOutsideTheSheet) {
  ExpectRunError([&] { sheet_.Cells(1048577, 1); }, "Row 1048577 is outside the sheet");
  ExpectRunError([&] { sheet_.Cells(0, 1); }, "Row 0 is outside the sheet");
  ExpectRunError([&] { sheet_.Cells(1, 16385); }, "Column 16385 is outside the sheet");
  ExpectRunError([&] { sheet_.Rows(-1); }, "Row -1");
  ExpectRunError([&] { sheet_.Columns(0); }, "Column 0");
  EXPECT_NO_THROW(sheet_.Cells(1048576, 16384).Value("last"));
}

TEST_F(MisuseTest, BadPropertyValues) {
  ExpectRunError([&] { sheet_.Cells(1, 1).Font().FontStyle("Heavy"); }, "Heavy");
  ExpectRunError([&] { sheet_.Cells(1, 1).Font().ColorIndex(57); }, "57");
  ExpectRunError([&] { sheet_.Cells(1, 1).Interior().ColorIndex(0); }, "$A$1");
  ExpectRunError([&] { sheet_.Cells(1, 1).Borders(7); }, "edge 7");
  ExpectRunError([&] { sheet_.Rows(2).RowHeight(410); }, "RowHeight");
  ExpectRunError([&] { sheet_.Cells(1, 1).Value(1.0 / 0.0); }, "$A$1");
}

TEST_F(MisuseTest, EveryOperationAfterCloseRaises) {
  excel::Range cell = sheet_.Cells(1, 1);
  cell.Value("kept in memory only");
  book_.Close();
  ExpectRunError([&] { cell.Value("x"); }, "closed");
  ExpectRunError([&] { cell.Font().Size(12); }, "closed");
  ExpectRunError([&] { cell.MergeCells(true); }, "closed");
  ExpectRunError([&] { sheet_.Cells(2, 2); }, "closed");
  ExpectRunError([&] { sheet_.Names(); }, "closed");
  ExpectRunError([&] { sheet_.PageSetup(); }, "closed");
  ExpectRunError([&] { book_.Save(); }, "closed");
  ExpectRunError([&] { book_.Worksheets(1); }, "closed");
  ExpectRunError([&] { book_.Close(); }, "closed");
  EXPECT_TRUE(sheet_.ValueAt(1, 1).IsEmpty());  // content is gone
  EXPECT_NO_THROW(app_.Quit());
  ExpectRunError([&] { app_.Workbooks(); }, "quit");
}

TEST_F(MisuseTest, OnlyWorksheetOneExistsAndSaveNeedsSaveAsFirst) {
  ExpectRunError([&] { book_.Worksheets(2); }, "Worksheet 2", kErrSubscript);
  ExpectRunError([&] { book_.Save(); }, "SaveAs");
  EXPECT_EQ(sheet_.Name(), "Sheet1");
}

}  // namespace
}  // namespace kvo::excel
