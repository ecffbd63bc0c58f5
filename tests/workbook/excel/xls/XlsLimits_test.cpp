// The .xls writer refuses a resolved sheet that holds more than the file can, leaving no file
// and writing nothing to a sink; and ".xls" names (in any letter case) choose it.
#include <gtest/gtest.h>

#include <kvoexportexcel/RunError.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "workbook/excel/Application.h"
#include "workbook/excel/FileFormats.h"
#include "workbook/excel/sink/MemorySink.h"
#include "workbook/excel/xls/XlsWriter.h"
#include "workbook/excel/xlsx/XlsxWriter.h"

namespace kvo::excel {
namespace {

class ListWalk : public RowWalk {
 public:
  explicit ListWalk(const std::vector<ResolvedRow>& rows) : rows_(rows) {}
  const ResolvedRow* Next() override { return next_ < rows_.size() ? &rows_[next_++] : nullptr; }

 private:
  const std::vector<ResolvedRow>& rows_;
  std::size_t next_ = 0;
};

// One text cell in A1, and whatever the case adds.
struct SheetFixture {
  std::vector<ResolvedCell> cells{{1, 0, ResolvedCell::Kind::Text, "text", 0}};
  std::vector<ResolvedRow> rows{{1, 15, false, std::nullopt, cells}};
  ResolvedSheet sheet;

  SheetFixture() {
    sheet.name = "Sheet1";
    sheet.formats = {CellFormat{}};
    sheet.usedRange = Rect::Cell(1, 1);
    sheet.rows = [this] { return std::unique_ptr<RowWalk>(std::make_unique<ListWalk>(rows)); };
  }
};

const struct {
  const char* what;
  std::function<void(SheetFixture&)> change;
} kBeyondLimits[] = {
    {"a cell past row 65,536", [](SheetFixture& f) { f.sheet.usedRange = Rect::Cell(70000, 1); }},
    {"a row record past row 65,536",
     [](SheetFixture& f) {
       f.rows.push_back({65537, 30, true, std::nullopt, {}});
     }},
    {"a merged area past column 256",
     [](SheetFixture& f) {
       f.sheet.merges.push_back({1, 250, 1, 300});
     }},
    {"a column format past column 256",
     [](SheetFixture& f) {
       f.sheet.columns.push_back({250, 300, 21, std::nullopt});
     }},
    {"more than 65,530 links",
     [](SheetFixture& f) {
       ResolvedLink link;
       link.anchor = f.cells[0];
       link.subAddress = "Here";
       f.sheet.links.assign(65531, link);
     }},
    {"a link target of 2,080 characters",
     [](SheetFixture& f) {
       ResolvedLink link;
       link.anchor = f.cells[0];
       link.kind = ResolvedLink::Kind::File;
       link.address = std::string(2080, 'f');
       f.sheet.links.push_back(link);
     }},
    {"a name of 256 characters",
     [](SheetFixture& f) {
       f.sheet.names.push_back({std::string(256, 'n'), Rect::WholeRows(1, 1)});
     }},
    {"a print area past row 65,536",
     [](SheetFixture& f) {
       f.sheet.page.printArea = Rect{1, 1, 65537, 6};
     }},
};

TEST(XlsLimits, SheetBeyondTheFileIsRefusedWithoutAFileOrBytes) {
  for (const auto& c : kBeyondLimits) {
    SCOPED_TRACE(c.what);
    SheetFixture fixture;
    c.change(fixture);
    test::TempDir dir;
    const std::string path = dir.Str("refused.xls");
    try {
      WriteXls(fixture.sheet, path);
      ADD_FAILURE() << "written";
    } catch (const RunError& error) {
      EXPECT_EQ(error.Number(), kErrSpreadsheet);
      EXPECT_NE(error.Description().find(path), std::string::npos) << error.Description();
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    MemorySink sink;
    EXPECT_THROW(WriteXlsWorkbook(fixture.sheet, sink), RunError);
    EXPECT_TRUE(sink.Bytes().empty());
  }
  SheetFixture within;  // the same sheet without the change is written
  MemorySink sink;
  WriteXlsWorkbook(within.sheet, sink);
  EXPECT_EQ(sink.Bytes().size(), 512u + 4096u + 512u + 512u);  // header, stream, directory, table
}

// A sheet name no spreadsheet program opens is refused by both writers before a byte is written;
// 31 characters are allowed, a character beyond U+FFFF counting two.
TEST(SheetNames, NamesNoProgramOpensAreRefusedByBothWriters) {
  std::string emoji;
  for (int i = 0; i < 15; ++i) emoji += "\xf0\x9f\x98\x80";
  const std::string refused[] = {"",
                                 "a/b",
                                 "a\\b",
                                 "q?",
                                 "[x]",
                                 "c:d",
                                 "*",
                                 "'quoted'",
                                 std::string(32, 'n'),
                                 emoji + "\xf0\x9f\x98\x80"};
  for (const std::string& name : refused) {
    SCOPED_TRACE(name);
    SheetFixture fixture;
    fixture.sheet.name = name;
    MemorySink xls, xlsx;
    EXPECT_THROW(WriteXlsWorkbook(fixture.sheet, xls), RunError);
    EXPECT_THROW(WriteXlsxTo(fixture.sheet, xlsx), RunError);
    EXPECT_TRUE(xls.Bytes().empty());
    EXPECT_TRUE(xlsx.Bytes().empty());
  }
  for (const std::string& name : {std::string("Sheet 1"), std::string(31, 'n'), emoji + "a"}) {
    SCOPED_TRACE(name);
    SheetFixture fixture;
    fixture.sheet.name = name;
    MemorySink xls, xlsx;
    EXPECT_NO_THROW(WriteXlsWorkbook(fixture.sheet, xls));
    EXPECT_NO_THROW(WriteXlsxTo(fixture.sheet, xlsx));
  }
}

// Every link an .xls sheet takes fits the one record that stores it: the target's 2,079
// characters count a URL's place after "#" and a file link's sub-address too.
TEST(XlsLimits, LinksTheSheetTakesAreSavedAndLongerOnesRefusedWhenAdded) {
  test::TempDir dir;
  Application app;
  Workbook& book = app.Workbooks().Add();
  book.SaveAs(dir.Str("links.xls"));
  Worksheet& sheet = book.Worksheets(1);
  std::string path;  // 2,079 characters of one UTF-16 unit and two bytes each
  for (int i = 0; i < 2079; ++i) path += "\xC3\xA9";
  sheet.Hyperlinks().Add(sheet.Cells(1, 1), "http://a#" + std::string(2071, 'p'));
  sheet.Hyperlinks().Add(sheet.Cells(2, 1), path.substr(0, 4000), std::string(79, 's'));
  EXPECT_THROW(sheet.Hyperlinks().Add(sheet.Cells(3, 1), "http://a#" + std::string(5000, 'p')),
               RunError);
  EXPECT_THROW(sheet.Hyperlinks().Add(sheet.Cells(4, 1), path, std::string(2079, 's')), RunError);
  EXPECT_EQ(sheet.Hyperlinks().Count(), 2u);
  EXPECT_NO_THROW(book.Save());
}

TEST(XlsLimits, NamesEndingInXlsChooseTheFormatInAnyLetterCase) {
  for (const char* name : {"a.xls", "/data/b.XLS", "c.Xls"}) {
    EXPECT_EQ(&FileFormatFor(name), &kXlsFormat) << name;
  }
  for (const char* name : {"a.xlsx", "b.XLSX", "c.xls.bak", "xls", "d"}) {
    EXPECT_EQ(&FileFormatFor(name), &kXlsxFormat) << name;
  }
}

}  // namespace
}  // namespace kvo::excel
