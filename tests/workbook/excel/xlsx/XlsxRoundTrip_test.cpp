// Writes a workbook with the engine and reads it back with an independent reader (openpyxl).
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "support/TestSupport.h"
#include "workbook/excel/Application.h"

namespace kvo::excel {
namespace {

// Fills the sheet the way the workbook builder does, with every case the checker looks at.
void FillSheet(Worksheet& sheet) {
  sheet.Cells().HorizontalAlignment(xlLeft);
  sheet.Cells().WrapText(true);
  sheet.Cells().NumberFormat("@");
  sheet.Columns().ColumnWidth(21);
  sheet.Rows(1).Font().FontStyle("Bold");
  for (int i = 1; i <= 4; ++i) {
    sheet.Cells(1, i).Value("Field " + std::to_string(i));
    sheet.Cells(2, i).Value("Value " + std::to_string(i));
  }

  excel::Range bar = sheet.Range(sheet.Cells(4, 1), sheet.Cells(4, 9));
  sheet.Rows(4).RowHeight(18);
  bar.MergeCells(true);
  bar.HorizontalAlignment(xlLeft);
  bar.VerticalAlignment(xlBottom);
  bar.Interior().ColorIndex(1);
  bar.Font().ColorIndex(2);
  bar.Font().Size(14);
  bar.Borders(xlEdgeTop).LineStyle(xlContinuous);
  bar.Borders(xlEdgeBottom).LineStyle(xlContinuous);
  sheet.Cells(4, 1).Value("Main Panel");
  sheet.Cells(4, 1).Font().FontStyle("Bold");

  sheet.Cells(6, 1).Value(0.0);
  sheet.Cells(6, 2).Value("P-100");
  sheet.Cells(6, 2).Font().FontStyle("Bold");
  sheet.Cells(6, 3).Value("=1+2");
  sheet.Cells(6, 4).Value("_x0041_");
  sheet.Cells(6, 5).Value(
      "ab\xff\xfe"
      "cd");
  sheet.Cells(6, 6).Value(std::string(40000, 'x'));
  sheet.Cells(6, 7).Value("no wrap");
  sheet.Cells(6, 7).WrapText(false);

  excel::Range head = sheet.Range(sheet.Cells(8, 1), sheet.Cells(8, 6));
  head.Interior().ColorIndex(15);
  head.Borders(xlEdgeTop).LineStyle(xlContinuous);
  head.Borders(xlEdgeBottom).LineStyle(xlContinuous);
  sheet.Cells(8, 2).Value("Head");

  excel::Range alternates = sheet.Range(sheet.Cells(9, 1), sheet.Cells(9, 2));
  alternates.MergeCells(true);
  alternates.Font().ColorIndex(48);
  sheet.Rows(9).Font().FontStyle("Bold Italic");
  sheet.Cells(9, 1).Value("Local Alternative Items of Child");
  sheet.Cells(10, 3).Interior().ColorIndex(48);

  sheet.Cells(12, 1).Value("Block");
  sheet.Names().Add("ID_P_45100_B_0", sheet.Rows(12));
  sheet.Hyperlinks().Add(sheet.Cells(6, 2), "", "ID_P_45100_B_0");
  const char* files[] = {"a/b #1.pdf", "dir/100% sure.pdf", "C:\\docs\\spec #2.pdf",
                         "plain name.txt"};
  for (int i = 0; i < 4; ++i) {
    sheet.Hyperlinks().Add(sheet.Cells(14 + i, 2), files[i], "", "", files[i]);
  }

  sheet.Cells(19, 1).Value(
      "A description long enough to need several lines in a column twenty-one characters "
      "wide, so that its row must grow.\nAnd a second paragraph.");
  sheet.Cells().VerticalAlignment(xlTop);
  sheet.Cells(20, 1).Value("bottom");
  sheet.Cells(20, 1).VerticalAlignment(xlBottom);

  sheet.PageSetup().Orientation(xlLandscape);
  sheet.PageSetup().PrintTitleRows(sheet.Range(sheet.Cells(1, 1), sheet.Cells(3, 4)).Address());
  sheet.PageSetup().CenterFooter("&P");
  sheet.PageSetup().PrintArea(sheet.Range(sheet.Cells(1, 1), sheet.Cells(40, 6)).Address());
}

TEST(XlsxRoundTrip, OpenpyxlReadsBackValuesFormatsLinksNamesAndPageSetup) {
  test::TempDir dir;
  const std::string path = dir.Str("roundtrip.xlsx");
  Application app;
  Workbook& book = app.Workbooks().Add();
  book.SaveAs(path);
  Worksheet& sheet = book.Worksheets(1);
  FillSheet(sheet);
  const double wrappedHeight = sheet.EffectiveRowHeight(19);
  ASSERT_GT(wrappedHeight, 30.0);
  book.Save();
  book.Close();
  app.Quit();

  std::ostringstream command;
  command << KVO_PYTHON << ' '
          << test::ShellQuote(test::SourcePath("tests/workbook/excel/xlsx/roundtrip_check.py"))
          << ' ' << test::ShellQuote(path) << " wrapped_row=19 wrapped_height=" << wrappedHeight;
  std::string output;
  EXPECT_EQ(test::RunCommand(command.str(), &output), 0) << output;
}

TEST(XlsxRoundTrip, WorkbookSavedBeforeFillingIsEmptyAndCloseWithoutSaveDiscards) {
  test::TempDir dir;
  const std::string path = dir.Str("empty.data");  // every extension but .xls writes .xlsx
  Application app;
  Workbook& book = app.Workbooks().Add();
  book.SaveAs(path);
  ASSERT_TRUE(std::filesystem::exists(path));
  book.Worksheets(1).Cells(1, 1).Value("never saved");
  book.Close();
  app.Quit();

  const std::string script =
      "import openpyxl,sys; ws = openpyxl.load_workbook(open(sys.argv[1], \"rb\"))['Sheet1']; "
      "print(ws.max_row, ws.max_column, repr(ws['A1'].value))";
  std::string output;
  ASSERT_EQ(test::RunCommand(std::string(KVO_PYTHON) + " -c " + test::ShellQuote(script) + " " +
                                 test::ShellQuote(path),
                             &output),
            0)
      << output;
  EXPECT_EQ(output, "1 1 None\n");
}

// Names longer than libxlsxwriter takes (120 characters), up to the format's 255.
TEST(XlsxRoundTrip, NamesUpToTheFormatsLimitReadBack) {
  test::TempDir dir;
  const std::string path = dir.Str("names.xlsx");
  Application app;
  Workbook& book = app.Workbooks().Add();
  Worksheet& sheet = book.Worksheets(1);
  ASSERT_EQ(sheet.MaxNameLength(), 255u);
  sheet.Names().Add("A" + std::string(120, 'x'), sheet.Rows(12));
  sheet.Names().Add("B" + std::string(254, 'y'), sheet.Rows(13));
  sheet.PageSetup().PrintArea("$A$1:$F$40");
  book.SaveAs(path);
  book.Close();
  app.Quit();

  const std::string script =
      "import openpyxl, sys\n"
      "wb = openpyxl.load_workbook(sys.argv[1])\n"
      "for d in wb.defined_names.definedName:\n"
      "    print(d.name[0], len(d.name), d.localSheetId, d.attr_text)\n"
      "print(wb['Sheet1'].print_area)\n";
  std::string output;
  ASSERT_EQ(test::RunCommand(std::string(KVO_PYTHON) + " -c " + test::ShellQuote(script) + " " +
                                 test::ShellQuote(path),
                             &output),
            0)
      << output;
  EXPECT_EQ(output, "A 121 0 Sheet1!$12:$12\nB 255 0 Sheet1!$13:$13\n['$A$1:$F$40']\n");
}

}  // namespace
}  // namespace kvo::excel
