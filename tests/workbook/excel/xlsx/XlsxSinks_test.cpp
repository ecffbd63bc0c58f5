// Where the writer's bytes go and how numbers read there: failures of the sink reach the caller
// as the spreadsheet error, and numbers read as C's "%.16G" gives them in any locale.
#include <gtest/gtest.h>

#include <kvoexportexcel/RunError.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "workbook/excel/Application.h"
#include "workbook/excel/resolved/SheetResolver.h"
#include "workbook/excel/sink/FileSink.h"
#include "workbook/excel/sink/MemorySink.h"
#include "workbook/excel/sink/WriteError.h"
#include "workbook/excel/xlsx/XlsxWriter.h"
#include "workbook/excel/xlsx/XmlStream.h"

namespace kvo::excel {
namespace {

// Takes a given number of bytes, then fails as a full disk would.
class FailingSink : public ByteSink {
 public:
  explicit FailingSink(std::size_t capacity) : capacity_(capacity) {}
  void Write(std::string_view bytes) override {
    if (taken_ + bytes.size() > capacity_) throw WriteError("the medium is full");
    taken_ += bytes.size();
  }

 private:
  std::size_t capacity_;
  std::size_t taken_ = 0;
};

// A sheet of a few thousand cells: its worksheet part is written in several pieces.
class SinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (int row = 1; row <= 2000; ++row) {
      sheet_.Cells(row, 1).Value("text " + std::to_string(row));
      sheet_.Cells(row, 2).Value(row * 0.5);
    }
  }
  Application app_;
  Worksheet& sheet_ = app_.Workbooks().Add().Worksheets(1);
};

TEST_F(SinkTest, FailureOfTheSinkRaisesTheSpreadsheetErrorWithItsReason) {
  const ResolvedSheet resolved = ResolveSheet(sheet_);
  MemorySink whole;
  WriteXlsxTo(resolved, whole);
  ASSERT_GT(whole.Bytes().size(), 10000u);
  // Early (a header), in the middle of the worksheet, and at the directory at the end.
  for (std::size_t capacity :
       {std::size_t{10}, whole.Bytes().size() / 2, whole.Bytes().size() - 1}) {
    SCOPED_TRACE(capacity);
    FailingSink sink(capacity);
    try {
      WriteXlsxTo(resolved, sink);
      FAIL() << "a full sink went unnoticed";
    } catch (const RunError& error) {
      EXPECT_EQ(error.Number(), kErrSpreadsheet);
      EXPECT_EQ(error.Description(), "Cannot write the workbook: the medium is full");
    }
  }
  FailingSink exact(whole.Bytes().size());
  EXPECT_NO_THROW(WriteXlsxTo(resolved, exact));
}

TEST_F(SinkTest, FullDiskIsReportedByTheFileSink) {
  const ResolvedSheet resolved = ResolveSheet(sheet_);
  MemorySink bytes;
  WriteXlsxTo(resolved, bytes);
  FileSink full("/dev/full");
  try {
    full.Write(bytes.Bytes());
    full.Close();
    FAIL() << "writing to a full device succeeded";
  } catch (const WriteError& error) {
#ifdef _WIN32
    EXPECT_STREQ(error.what(), "Disk full.");  // Wine's /dev/full, in Windows' words
#else
    EXPECT_STREQ(error.what(), "No space left on device");
#endif
  }
}

TEST(FormatNumber, ReadsAsPercent16GForEveryMagnitude) {
  std::vector<double> values = {0.0,
                                -0.0,
                                1,
                                -2.5,
                                0.1,
                                1.0 / 3,
                                1e15,
                                1e16,
                                123456789012345678.0,
                                1e-5,
                                1e-4,
                                9.999999999999999e-5,
                                std::numeric_limits<double>::max(),
                                std::numeric_limits<double>::denorm_min(),
                                std::numeric_limits<double>::infinity(),
                                -std::numeric_limits<double>::infinity()};
  std::mt19937_64 random(20240501);
  std::uniform_int_distribution<std::uint64_t> bits;
  for (int i = 0; i < 20000; ++i) {
    double value;
    const std::uint64_t b = bits(random);
    std::memcpy(&value, &b, sizeof value);
    if (std::isfinite(value)) values.push_back(value);
  }
  std::uniform_real_distribution<double> plain(-1e6, 1e6);
  for (int i = 0; i < 20000; ++i) values.push_back(std::round(plain(random) * 100) / 100);
  // Whole numbers and quarters take a path of their own, up to the magnitudes where "%.16G"
  // starts to round or to write an exponent.
  for (double edge : {1e13, 1e15, 1e16, 4503599627370496.0}) {
    for (double step = -2; step <= 2; step += 0.25) {
      values.push_back(edge + step);
      values.push_back(-edge + step);
      values.push_back(std::nextafter(edge, 0) + step);
    }
  }
  for (int i = 0; i < 20000; ++i) values.push_back(std::round(plain(random) * 4) / 4);

  for (double value : values) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.16G", value);
    char text[kMaxNumberText];
    ASSERT_EQ(std::string(text, FormatNumber(value, text)), expected) << value;
  }
}

}  // namespace
}  // namespace kvo::excel
