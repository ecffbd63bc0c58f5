// Writes an .xls workbook through the object model and reads it back with xlrd: long and
// non-Latin texts across shared-string continuations, many strings, numbers, every kind of
// link, many merged areas, the last row; and the stream positions that INDEX, DBCELL, EXTSST
// and BOUNDSHEET hold.
#include <gtest/gtest.h>

#include <kvoexportexcel/RunError.h>

#include <string>

#include "support/TestSupport.h"
#include "workbook/excel/Application.h"

namespace kvo::excel {
namespace {

// Text of the many-strings cells, as xls_roundtrip_check.py rebuilds it: every third one
// needs two bytes per character.
std::string ManyText(int row, int col) {
  return "s" + std::to_string(row) + "-" + std::to_string(col) +
         ((row + col) % 3 == 0 ? "\xCE\xA9" : "");
}

std::string Repeat(const std::string& unit, int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += unit;
  return out;
}

void FillSheet(Worksheet& sheet) {
  const std::string emoji = "\xF0\x9F\x98\x80";  // U+1F600, two UTF-16 units
  sheet.Cells(1, 1).Value(std::string(40000, 'x'));
  sheet.Cells(1, 2).Value("a" + Repeat(emoji, 20000));
  sheet.Cells(1, 3).Value(2.5);
  sheet.Cells(1, 4).Value("");
  sheet.Cells(1, 4).Interior().ColorIndex(6);
  for (int row = 2; row <= 1201; ++row) {
    for (int col = 1; col <= 3; ++col) sheet.Cells(row, col).Value(ManyText(row, col));
  }
  for (int i = 0; i < 1100; ++i) {
    sheet.Range(sheet.Cells(2000 + i, 5), sheet.Cells(2000 + i, 6)).MergeCells(true);
  }
  sheet.Hyperlinks().Add(sheet.Cells(3000, 1), "https://example.com/a b", "part", "Tip");
  sheet.Hyperlinks().Add(sheet.Cells(3001, 1), "C:\\docs\\manual #2.pdf", "");
  sheet.Hyperlinks().Add(sheet.Cells(3002, 1), "\\\\server\\share\\x.pdf", "");
  sheet.Hyperlinks().Add(sheet.Cells(3003, 1), "../up/a.pdf", "");
  sheet.Hyperlinks().Add(sheet.Cells(3004, 1),
                         "docs/Gr\xC3\xB6\xC3\x9F"
                         "e #1.pdf",
                         "");
  sheet.Names().Add("Last", sheet.Rows(65536));
  sheet.Cells(65536, 256).Value("last cell");
}

TEST(XlsRoundTrip, XlrdReadsBackTextsLinksMergesAndTheStreamPositions) {
  test::TempDir dir;
  const std::string path = dir.Str("roundtrip.XLS");  // the extension in any letter case
  Application app;
  Workbook& book = app.Workbooks().Add();
  book.SaveAs(path);
  Worksheet& sheet = book.Worksheets(1);
  EXPECT_THROW(sheet.Cells(65537, 1).Value("past the last row"), RunError);
  FillSheet(sheet);
  book.Save();
  book.Close();
  app.Quit();

  std::string output;
  EXPECT_EQ(test::RunCommand(std::string(KVO_PYTHON) + " " +
                                 test::ShellQuote(test::SourcePath(
                                     "tests/workbook/excel/xls/xls_roundtrip_check.py")) +
                                 " " + test::ShellQuote(path),
                             &output),
            0)
      << output;
}

TEST(XlsRoundTrip, RowsHiddenByDefaultAndTinyHeightsKeepAHeightReadersAccept) {
  // Both formats: a height of 0 is no height to readers, hidden is a flag of its own.
  for (const std::string name : {"heights.xls", "heights.xlsx"}) {
    test::TempDir dir;
    const std::string path = dir.Str(name);
    Application app;
    Workbook& book = app.Workbooks().Add();
    Worksheet& sheet = book.Worksheets(1);
    sheet.Cells().RowHeight(0);
    sheet.Rows(2).RowHeight(20);
    sheet.Cells(2, 1).Value("shown");
    sheet.Rows(4).RowHeight(0);
    sheet.Cells(4, 1).Value("hidden");
    sheet.Rows(5).RowHeight(0.01);
    sheet.Cells(5, 1).Value("tiny");
    book.SaveAs(path);
    book.Close();
    app.Quit();

    std::string output;
    EXPECT_EQ(
        test::RunCommand(
            std::string(KVO_PYTHON) + " " +
                test::ShellQuote(test::SourcePath("tests/workbook/excel/row_heights_check.py")) +
                " " + test::ShellQuote(path),
            &output),
        0)
        << name << ": " << output;
  }
}

}  // namespace
}  // namespace kvo::excel
