#include "ChildModes.h"

#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <latch>
#include <map>
#include <sstream>
#include <thread>

#include "DirectWrite.h"
#include "ExportPhases.h"
#include "Measure.h"
#include "ParseAlone.h"

namespace kvo::bench {

namespace fs = std::filesystem;

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

double FileBytes(const fs::path& path) {
  std::error_code ec;
  const auto size = fs::file_size(path, ec);
  return ec ? 0 : static_cast<double>(size);
}

// The export's workbook: next to the source, named after it.
fs::path WorkbookOf(const std::string& source) {
  return fs::path(source).replace_extension(".xlsx");
}

void Print(const char* key, double value) {
  std::cout << key << ' ' << std::setprecision(12) << value << '\n';
}

// The sheet's shape: rows and cell records written, and what they are.
void PrintShape(const DirectSheet& sheet) {
  double values = static_cast<double>(sheet.links.size()), blanks = 0;
  for (const DirectCell& cell : sheet.cells) {
    (cell.kind == DirectCell::Kind::Blank ? blanks : values) += 1;
  }
  Print("rows", static_cast<double>(sheet.rows.size()));
  Print("cells", values + blanks);
  Print("values", values);
  Print("blanks", blanks);
  Print("merges", static_cast<double>(sheet.merges.size()));
  Print("links", static_cast<double>(sheet.links.size()));
  Print("names", static_cast<double>(sheet.names.size()));
  Print("formats", static_cast<double>(sheet.formats.size()));
  Print("last_row", sheet.rows.empty() ? 0 : sheet.rows.back().row + 1.0);
}

}  // namespace

Workload BundledWorkload() {
  const std::string root = KVO_SOURCE_DIR;
  return {root + "/examples/config.xml", ReadText(root + "/examples/setup/items-structure.xml")};
}

int ExportOnce(const Workload& work, const std::string& source) {
  return ExportWhole(source, work.config, work.setup) ? 0 : 1;
}

int TimePhases(const Workload& work, const std::string& source, int runs) {
  // Wall-clock medians under each key, process CPU medians under key + "_cpu".
  std::map<std::string, std::vector<double>> times;
  const auto record = [&](const std::string& key, Timing t) {
    times[key].push_back(t.wall);
    times[key + "_cpu"].push_back(t.cpu);
  };
  const std::string direct = (fs::path(source).parent_path() / "direct.xlsx").string();
  for (int run = 0; run < runs; ++run) {
    bool parsed = false, read = false, exported = false;
    record("parse_alone", Time([&] { parsed = ParseAlone(source); }));
    record("read_alone", Time([&] { read = ReadAlone(source); }));
    record("total", Time([&] { exported = ExportWhole(source, work.config, work.setup); }));
    if (!parsed || !read || !exported) {
      std::cerr << "kvo_bench: " << source
                << (!parsed || !read ? " is not well-formed\n" : " did not export\n");
      return 1;
    }

    DirectSheet sheet;
    {
      PhasedExport phases(work.config, work.setup);
      phases.Prepare();
      record("load_walk", Time([&] { phases.LoadAndWalk(source); }));
      record("build", Time([&] { phases.Build(source); }));
      sheet = phases.Materialise();
      // The same sheet as .xls, where the format holds its rows.
      const std::string xls = (fs::path(source).parent_path() / "same-sheet.xls").string();
      bool fits = false;
      const Timing xlsTime = Time([&] { fits = phases.SaveAsXls(xls); });
      if (fits) record("xls_save", xlsTime);
      record("save", Time([&] { phases.Save(); }));
    }
    std::string error;
    record("direct", Time([&] { error = WriteDirect(sheet, direct); }));
    if (!error.empty()) {
      std::cerr << "kvo_bench: direct write failed: " << error << '\n';
      return 1;
    }
    if (run == runs - 1) PrintShape(sheet);
  }
  for (const auto& [key, values] : times) Print(key.c_str(), Median(values));
  Print("xlsx_bytes", FileBytes(WorkbookOf(source)));
  Print("direct_bytes", FileBytes(direct));
  return 0;
}

int TimeConcurrent(const Workload& work, const std::vector<std::string>& sources, int runs) {
  // Wall time from the common start until the last export is saved.
  const auto together = [&](std::size_t count) {
    std::latch ready(static_cast<std::ptrdiff_t>(count) + 1);
    std::vector<std::thread> threads;
    std::vector<char> ok(count, 0);
    for (std::size_t i = 0; i < count; ++i) {
      threads.emplace_back([&, i] {
        ready.arrive_and_wait();
        ok[i] = ExportWhole(sources[i], work.config, work.setup);
      });
    }
    const double seconds = Seconds([&] {
      ready.arrive_and_wait();
      for (std::thread& t : threads) t.join();
    });
    for (char done : ok) {
      if (!done) throw std::runtime_error("a concurrent export failed");
    }
    return seconds;
  };
  std::vector<double> one, all;
  for (int run = 0; run < runs; ++run) {
    one.push_back(together(1));
    all.push_back(together(sources.size()));
  }
  Print("one", Median(one));
  Print("together", Median(all));
  Print("threads", static_cast<double>(sources.size()));
  return 0;
}

}  // namespace kvo::bench
