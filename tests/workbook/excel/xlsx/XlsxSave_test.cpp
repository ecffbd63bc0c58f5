// Saving: failures name the path and leave no file behind; threads save independently; what
// the object model keeps in any bytes is saved as text a reader takes.
#include <gtest/gtest.h>

#include <kvoexportexcel/RunError.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "support/TestSupport.h"
#include "workbook/excel/Application.h"

namespace kvo::excel {
namespace {

namespace fs = std::filesystem;

std::size_t FileCount(const fs::path& folder) {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(XlsxSave, MissingFolderRaisesNamingThePathAndTheReason) {
  test::TempDir dir;
  const std::string path = dir.Str("missing/out.xlsx");
  Application app;
  Workbook& book = app.Workbooks().Add();
  try {
    book.SaveAs(path);
    FAIL() << "save into a missing folder succeeded";
  } catch (const RunError& error) {
    EXPECT_EQ(error.Number(), kErrSpreadsheet);
    EXPECT_NE(error.Description().find(path), std::string::npos) << error.Description();
#ifdef _WIN32
    const std::string sReason = "Path not found.";
#else
    const std::string sReason = "No such file or directory";
#endif
    EXPECT_NE(error.Description().find(sReason), std::string::npos) << error.Description();
  }
  EXPECT_EQ(book.FullName(), "");
  EXPECT_EQ(FileCount(dir.Path()), 0u);
}

TEST(XlsxSave, FailureToReplaceTheTargetLeavesNoTemporaryFile) {
  test::TempDir dir;
  const fs::path target = dir.Path() / "taken.xlsx";
  fs::create_directory(target);  // a folder where the file should go
  Application app;
  Workbook& book = app.Workbooks().Add();
  book.Worksheets(1).Cells(1, 1).Value("data");
  EXPECT_THROW(book.SaveAs(target.string()), RunError);
  EXPECT_EQ(FileCount(dir.Path()), 1u);
  EXPECT_TRUE(fs::is_directory(target));
}

TEST(XlsxSave, SaveReplacesTheFileAndLeavesNothingElse) {
  test::TempDir dir;
  const std::string path = dir.Str("book.xlsx");
  Application app;
  Workbook& book = app.Workbooks().Add();
  book.SaveAs(path);
  const auto emptySize = fs::file_size(path);
  book.Worksheets(1).Cells(1, 1).Value(std::string(5000, 'z') + "unique tail");
  book.Save();
  EXPECT_NE(fs::file_size(path), emptySize);
  EXPECT_EQ(FileCount(dir.Path()), 1u);
  EXPECT_EQ(book.FullName(), path);
}

TEST(XlsxSave, ThreadsWriteTheirOwnWorkbooksAtTheSameTime) {
  test::TempDir dir;
  constexpr int kThreads = 4, kBooksEach = 3;
  std::vector<std::thread> threads;
  std::vector<std::string> errors(kThreads);
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      try {
        Application app;
        for (int b = 0; b < kBooksEach; ++b) {
          Workbook& book = app.Workbooks().Add();
          Worksheet& sheet = book.Worksheets(1);
          for (int row = 1; row <= 300; ++row) {
            sheet.Cells(row, 1).Value("t" + std::to_string(t) + "b" + std::to_string(b));
            sheet.Cells(row, 2).Value(row + 0.5);
          }
          book.SaveAs(dir.Str("t" + std::to_string(t) + "b" + std::to_string(b) + ".xlsx"));
          book.Close();
        }
        app.Quit();
      } catch (const RunError& error) {
        errors[t] = error.Description();
      }
    });
  }
  for (auto& thread : threads) thread.join();
  for (const auto& error : errors) EXPECT_EQ(error, "");
  ASSERT_EQ(FileCount(dir.Path()), static_cast<std::size_t>(kThreads * kBooksEach));

  const std::string script =
      "import glob, os, sys, openpyxl\n"
      "for p in sorted(glob.glob(os.path.join(sys.argv[1], '*.xlsx'))):\n"
      "    ws = openpyxl.load_workbook(p)['Sheet1']\n"
      "    name = os.path.basename(p)[:-5]\n"
      "    ok = all(ws.cell(r, 1).value == name and ws.cell(r, 2).value == r + 0.5\n"
      "             for r in range(1, 301))\n"
      "    print(name, 'ok' if ok else 'WRONG')\n";
  std::string output;
  ASSERT_EQ(test::RunCommand(std::string(KVO_PYTHON) + " -c " + test::ShellQuote(script) + " " +
                                 test::ShellQuote(dir.Str()),
                             &output),
            0)
      << output;
  EXPECT_EQ(output.find("WRONG"), std::string::npos) << output;
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), kThreads * kBooksEach) << output;
}

TEST(XlsxSave, NumberFormatOfAnyBytesIsSavedAsUtf8) {
  test::TempDir dir;
  Application app;
  Workbook& book = app.Workbooks().Add();
  Worksheet& sheet = book.Worksheets(1);
  sheet.Cells(1, 1).Value(2.5);
  sheet.Cells(1, 1).NumberFormat("0.00 \xFF\"kg\"");
  book.SaveAs(dir.Str("formats.xlsx"));
  std::string output;
  ASSERT_EQ(test::RunCommand(std::string(KVO_PYTHON) +
                                 " -c 'import sys, openpyxl; print(openpyxl.load_workbook("
                                 "sys.argv[1])[\"Sheet1\"][\"A1\"].number_format)' " +
                                 test::ShellQuote(dir.Str("formats.xlsx")),
                             &output),
            0)
      << output;
  EXPECT_EQ(output, "0.00 \xEF\xBF\xBD\"kg\"\n");  // the byte as U+FFFD
}

}  // namespace
}  // namespace kvo::excel
