// The engine's workbook file against libxlsxwriter's for the same resolved sheet: every bundled
// example, and a sheet with the cases the examples do not reach. oracle_compare.py compares the
// parts; the only differences it allows are the worksheet's <dimension> and the timestamps.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "config/RunState.h"
#include "config/modResources.h"
#include "entry/clsExportExcel.h"
#include "parse/clsXMLPars.h"
#include "support/TestSupport.h"
#include "support/oracle/OracleWriter.h"
#include "workbook/BldExcelProbe.h"
#include "workbook/excel/Application.h"
#include "workbook/excel/resolved/SheetResolver.h"
#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/xlsx/XlsxWriter.h"

namespace kvo::excel {
namespace {

namespace fs = std::filesystem;

// The engine's file may be at most this much larger than the library's.
constexpr double kMaxSizeRatio = 1.25;

// "A1:J296": the range the engine's <dimension> gives.
std::string UsedRange(const ResolvedSheet& sheet) {
  if (!sheet.usedRange) return "A1";
  std::string ref = AbsoluteAddress(*sheet.usedRange);
  std::erase(ref, '$');
  return ref;
}

// Writes the sheet through both writers and compares the files.
void ExpectSameAsLibrary(const ResolvedSheet& sheet, const test::TempDir& dir) {
  const std::string ours = dir.Str("engine.xlsx");
  const std::string library = dir.Str("library.xlsx");
  WriteXlsx(sheet, ours);
  oracle::WriteXlsx(sheet, library);
  std::string output;
  const int status = test::RunCommand(
      std::string(KVO_PYTHON) + " " +
          test::ShellQuote(test::SourcePath("tests/workbook/excel/xlsx/oracle_compare.py")) + " " +
          test::ShellQuote(ours) + " " + test::ShellQuote(library) + " " + UsedRange(sheet),
      &output);
  EXPECT_EQ(status, 0) << output;
  const auto ourSize = static_cast<double>(fs::file_size(ours));
  const auto librarySize = static_cast<double>(fs::file_size(library));
  EXPECT_LE(ourSize, kMaxSizeRatio * librarySize) << ourSize << " bytes against " << librarySize;
  std::cout << "[ size     ] engine " << ourSize << " bytes, library " << librarySize
            << " bytes, ratio " << ourSize / librarySize << "\n";
}

// (name, source, setup) of every bundled example, as tests/support/sheet_snapshot.py lists them.
struct Example {
  const char* name;
  const char* source;
  const char* setup;
};
void PrintTo(const Example& example, std::ostream* out) {
  *out << example.name;
}
constexpr Example kExamples[] = {
    {"items_structure", "items-structure.xml", "items-structure.xml"},
    {"items_structure_named", "items-structure.xml", "items-structure-named.xml"},
    {"items_collection", "items-collection.xml", "items-collection.xml"},
    {"documents_structure", "documents.xml", "documents-structure.xml"},
    {"documents_collection", "documents.xml", "documents-collection.xml"},
    {"folders_structure", "folders.xml", "folders-structure.xml"},
    {"folders_collection", "folders.xml", "folders-collection.xml"},
};

class ExampleAgainstLibrary : public ::testing::TestWithParam<Example> {
 protected:
  void TearDown() override { ResetRunState(); }

  // Runs the export in-process as the pipeline does, up to the filled sheet.
  void Fill(const Example& example) {
    ResetRunState();
    kvo::Run().sLogPath = dir_.Str("ExportExcel.log");
    clsExportExcel run;
    ASSERT_TRUE(run.GetIniXML(test::SourcePath("examples/config.xml")));
    InitResources();
    const std::string setup = test::ReadFile(test::SourcePath("examples/setup/") + example.setup);
    ASSERT_TRUE(run.FillExcellCap(setup));
    ASSERT_TRUE(run.FillAttrLabels());
    clsXMLPars parser;
    std::shared_ptr<xml::Document> doc;
    ASSERT_TRUE(parser.LoadCurrentXML(doc, test::SourcePath("examples/") + example.source));
    run.ClearMainArray();
    parser.MainXStruct(doc);
    ASSERT_GE(kvo::Run().lMainUBound, 0);
    ASSERT_TRUE(builder_.InitExl(dir_.Str("export.xlsx")));
    ASSERT_TRUE(builder_.FillExlFile());
  }

  test::TempDir dir_;
  clsBldExcel builder_;
};

TEST_P(ExampleAgainstLibrary, PartsAreTheSameButForDimensionAndTimestamps) {
  ASSERT_NO_FATAL_FAILURE(Fill(GetParam()));
  ExpectSameAsLibrary(ResolveSheet(test::BldExcelProbe(builder_).Sheet()), dir_);
}

INSTANTIATE_TEST_SUITE_P(BundledExamples, ExampleAgainstLibrary, ::testing::ValuesIn(kExamples),
                         [](const auto& info) { return std::string(info.param.name); });

// What the examples do not reach: a default row height, rows with only a format, numbers of
// every magnitude, texts needing escapes, links with locations and tips, narrow and formatted
// columns, names sorting around the print settings.
void FillEdgeCases(Worksheet& sheet) {
  sheet.Cells().RowHeight(12.75);
  sheet.Columns(2).ColumnWidth(0.5);
  sheet.Columns(3).NumberFormat("0.00");
  sheet.Columns(5).ColumnWidth(255);
  sheet.Rows(3).Font().FontStyle("Italic");
  sheet.Rows(40).RowHeight(30);
  sheet.Rows(41).Interior().ColorIndex(6);

  const double numbers[] = {1e20, 0.1,  1.0 / 3,  -0.0, 1e-7, 123456789012345678.0,
                            1e15, 1e16, -2.5e-300};
  for (int i = 0; i < 9; ++i) sheet.Cells(2, i + 1).Value(numbers[i]);
  const char* texts[] = {" lead",         "trail\n",
                         "a&b<c>d\"e'f",  "tab\there\rcr\x01x\x1f",
                         "_x0041_ stays", "\xe2\x82\xac \xf0\x9f\x98\x80",
                         "same",          "same"};
  for (int i = 0; i < 8; ++i) sheet.Cells(4, i + 1).Value(texts[i]);
  sheet.Cells(4, 1).Font().Size(10.5);
  sheet.Cells(4, 2).Font().ColorIndex(1);
  sheet.Cells(4, 3).Interior().ColorIndex(1);
  sheet.Cells(4, 4).Borders(xlEdgeBottom).LineStyle(xlContinuous);
  sheet.Cells(4, 5).HorizontalAlignment(xlCenter);
  sheet.Cells(4, 5).VerticalAlignment(xlCenter);
  sheet.Cells(4, 6).HorizontalAlignment(xlRight);
  sheet.Range(sheet.Cells(20, 2), sheet.Cells(21, 4)).MergeCells(true);
  sheet.Cells(20, 2).Value("merged");
  sheet.Cells(70, 30).Value("far");  // a block of its own, with a span of one column

  sheet.Cells(6, 1).Value(7);
  sheet.Names().Add("zeta", sheet.Rows(6));
  sheet.Names().Add("Alpha", sheet.Cells(6, 1));
  sheet.Names().Add("print_b", sheet.Columns(3));
  sheet.Names().Add("_under", sheet.Range(sheet.Cells(1, 1), sheet.Cells(2, 2)));
  sheet.Hyperlinks().Add(sheet.Cells(6, 1), "", "zeta", "tip \"quoted\" & <angled>\nline");
  sheet.Hyperlinks().Add(sheet.Cells(7, 1), "https://x.org/a b#frag", "sub", "", "web");
  sheet.Hyperlinks().Add(sheet.Cells(8, 1), "C:\\x y\\a#b.pdf", "Sheet1!A1", "", "C:/x y/a#b.pdf");
  sheet.Hyperlinks().Add(sheet.Cells(9, 1), "mailto:a@b.c");

  sheet.PageSetup().PrintTitleRows("$A$1:$B$2");
  sheet.PageSetup().PrintArea("$B:$D");
  sheet.PageSetup().CenterFooter("Page &P & <more>");
}

TEST(EdgeCasesAgainstLibrary, PartsAreTheSameButForDimensionAndTimestamps) {
  test::TempDir dir;
  Application app;
  Worksheet& sheet = app.Workbooks().Add().Worksheets(1);
  FillEdgeCases(sheet);
  const ResolvedSheet resolved = ResolveSheet(sheet);
  ASSERT_TRUE(resolved.defaultRowHeightSet);
  ExpectSameAsLibrary(resolved, dir);
}

TEST(EdgeCasesAgainstLibrary, EmptySheetHasNoSharedStrings) {
  test::TempDir dir;
  Application app;
  Worksheet& sheet = app.Workbooks().Add().Worksheets(1);
  sheet.Cells(3, 2).Value(1.5);
  sheet.Rows(5).RowHeight(20);
  ExpectSameAsLibrary(ResolveSheet(sheet), dir);
}

}  // namespace
}  // namespace kvo::excel
