// Writes the workbook a writer fuzz target makes of each input into a folder, for other
// programs to read: the .xls or .xlsx writer on the sheet made from the input, as the target
// does. Prints one line per input: "written FILE" or "refused INPUT: reason" (a sheet past the
// format's limits, which the writer refuses by design).
//
//     kvo_corpus_workbooks xls|xlsx OUT_FOLDER INPUT...
#include <kvoexportexcel/RunError.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "common/FuzzSheet.h"
#include "workbook/excel/sink/MemorySink.h"
#include "workbook/excel/xls/XlsWriter.h"
#include "workbook/excel/xlsx/XlsxWriter.h"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  const std::string kind = argc > 1 ? argv[1] : "";
  if (argc < 3 || (kind != "xls" && kind != "xlsx")) {
    std::fprintf(stderr, "usage: kvo_corpus_workbooks xls|xlsx OUT_FOLDER INPUT...\n");
    return 2;
  }
  const fs::path out = argv[2];
  fs::create_directories(out);
  for (int i = 3; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    kvo::fuzz::FuzzInput input(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
    const kvo::fuzz::FuzzSheet sheet(
        input, kind == "xls" ? kvo::fuzz::XlsBounds() : kvo::fuzz::XlsxBounds());
    kvo::excel::MemorySink sink;
    try {
      if (kind == "xls") {
        kvo::excel::WriteXlsWorkbook(sheet.Sheet(), sink);
      } else {
        kvo::excel::WriteXlsxTo(sheet.Sheet(), sink);
      }
    } catch (const kvo::RunError& error) {
      std::printf("refused %s: %s\n", argv[i], error.Description().c_str());
      continue;
    }
    const fs::path file = out / (fs::path(argv[i]).filename().string() + "." + kind);
    std::ofstream(file, std::ios::binary)
        .write(sink.Bytes().data(), static_cast<std::streamsize>(sink.Bytes().size()));
    std::printf("written %s\n", file.string().c_str());
  }
  return 0;
}
