// Times the workbook writer's deflate stream over one file, such as the sheet of a large
// export, for each back end and level asked for, with and without helper threads:
//   kvo_deflate_timing FILE RUNS [BACKEND:LEVEL ...]   (default: each back end at its level)
// Prints one line per case: medians of wall-clock and process CPU seconds, and the output size.
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "Measure.h"
#include "workbook/excel/xlsx/DeflateStream.h"

using namespace kvo::bench;
using kvo::excel::DeflateBackend;

namespace {

// The pieces the sheet writer hands the stream.
constexpr std::size_t kPiece = 64 * 1024;

struct NullSink : kvo::excel::ByteSink {
  void Write(std::string_view) override {}
};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in) throw std::runtime_error("cannot read " + path);
  return text.str();
}

const DeflateBackend& Named(const std::string& name) {
  for (const DeflateBackend* backend : kvo::excel::CompiledDeflateBackends()) {
    if (name == backend->name) return *backend;
  }
  throw std::runtime_error("no back end " + name + " in this build");
}

void TimeCase(const std::string& input, DeflateBackend backend, int runs) {
  std::vector<double> wall, cpu;
  std::uint64_t size = 0;
  for (int run = 0; run < runs; ++run) {
    NullSink sink;
    kvo::excel::DeflateStream stream(sink, backend);
    const Timing t = Time([&] {
      for (std::size_t at = 0; at < input.size(); at += kPiece) {
        stream.Write(std::string_view(input).substr(at, kPiece));
      }
      stream.Finish();
    });
    wall.push_back(t.wall);
    cpu.push_back(t.cpu);
    size = stream.OutputSize();
  }
  std::cout << backend.name << " level " << backend.level << (backend.helpers ? ", helpers" : "")
            << ": " << Median(wall) << " s, CPU " << Median(cpu) << " s, " << size << " bytes\n";
}

}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc < 3) {
      std::cerr << "usage: kvo_deflate_timing FILE RUNS [BACKEND:LEVEL ...]\n";
      return 2;
    }
    const std::string input = ReadAll(argv[1]);
    const int runs = std::max(1, std::atoi(argv[2]));
    std::vector<DeflateBackend> cases;
    for (int i = 3; i < argc; ++i) {
      const std::string spec = argv[i];
      const std::size_t colon = spec.rfind(':');
      DeflateBackend backend = Named(spec.substr(0, colon));
      if (colon != std::string::npos) {
        backend.level = backend.largeLevel = std::atoi(spec.c_str() + colon + 1);
      }
      cases.push_back(backend);
    }
    if (cases.empty()) {
      for (const DeflateBackend* backend : kvo::excel::CompiledDeflateBackends()) {
        cases.push_back(*backend);
      }
    }
    std::cout << input.size() << " bytes, " << kPiece << "-byte writes, medians of " << runs
              << " runs\n";
    for (DeflateBackend backend : cases) {
      for (const bool helpers : {false, true}) {
        backend.helpers = helpers;
        TimeCase(input, backend, runs);
      }
    }
    return 0;
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
}
