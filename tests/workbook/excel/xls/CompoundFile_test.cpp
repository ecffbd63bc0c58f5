// The compound document holding a workbook stream, read back by olefile and by xlrd's reader:
// a stream padded to the mini-stream cutoff, and one past 109 allocation-table sectors.
#include "workbook/excel/xls/CompoundFile.h"
#include "workbook/excel/sink/MemorySink.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestSupport.h"

namespace kvo::excel {
namespace {

// Byte i is (7 i + i / 511) mod 256, as container_check.py expects.
std::vector<std::uint8_t> Pattern(std::size_t size) {
  std::vector<std::uint8_t> bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(7 * i + i / 511);
  return bytes;
}

std::string WriteContainer(const test::TempDir& dir, const std::string& name, std::size_t size) {
  MemorySink sink;
  WriteCompoundFile(u"Workbook", Pattern(size), sink);
  EXPECT_EQ(sink.Bytes().size() % 512, 0u) << name;
  test::WriteFile(dir.Path() / name, sink.Bytes());
  return dir.Str(name);
}

TEST(CompoundFile, SmallAndLargeStreamsReadBackThroughIndependentReaders) {
  test::TempDir dir;
  // 7,200,000 bytes take 14,063 sectors: 111 allocation-table sectors, two past the header's.
  const struct {
    const char* name;
    std::size_t size;
    int minExtraTableSectors;
  } cases[] = {{"small.cdf", 1000, 0}, {"cutoff.cdf", 4096, 0}, {"large.cdf", 7200000, 1}};
  std::string command =
      std::string(KVO_PYTHON) + " " +
      test::ShellQuote(test::SourcePath("tests/workbook/excel/xls/container_check.py"));
  for (const auto& c : cases) {
    command +=
        " " + test::ShellQuote(WriteContainer(dir, c.name, c.size) + ":" + std::to_string(c.size) +
                               ":" + std::to_string(c.minExtraTableSectors));
  }
  std::string output;
  EXPECT_EQ(test::RunCommand(command, &output), 0) << output;
}

}  // namespace
}  // namespace kvo::excel
