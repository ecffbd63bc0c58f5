#include "Report.h"

#include <libxml/xmlversion.h>

#include <xlsxwriter.h>
#include <pugixml.hpp>

#include <cstdio>
#include <ctime>
#include <fstream>
#include <sstream>
#include <thread>

namespace kvo::bench {

namespace {

// The value after "key" and a colon on the first line of file that starts with key.
std::string ProcField(const char* file, const std::string& key) {
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind(key, 0) != 0) continue;
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos) continue;
    const std::size_t start = line.find_first_not_of(" \t", colon + 1);
    return start == std::string::npos ? "" : line.substr(start);
  }
  return "unknown";
}

std::string LoadAverage() {
  std::ifstream in("/proc/loadavg");
  std::string one, five, fifteen;
  in >> one >> five >> fifteen;
  return one + " " + five + " " + fifteen;
}

std::string Fixed(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// Thousands separated by commas: 501552 -> "501,552".
std::string Count(double value) {
  const std::string digits = Fixed(value, 0);
  std::string out;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
    out += digits[i];
  }
  return out;
}

std::string Compiler() {
#if defined(__clang__)
  return "Clang " __clang_version__;
#elif defined(__GNUC__)
  return "GCC " __VERSION__;
#else
  return "unknown";
#endif
}

}  // namespace

double SizeResult::Figure(const std::string& key) const {
  const auto it = figures.find(key);
  return it == figures.end() ? 0 : it->second;
}

double SizeResult::FloorRatio(const std::string& suffix) const {
  const double floor = Figure("parse_alone" + suffix) + Figure("direct" + suffix);
  return floor > 0 ? Figure("total" + suffix) / floor : 0;
}

std::string MachineDescription() {
  const double memGiB = std::atof(ProcField("/proc/meminfo", "MemTotal").c_str()) / 1048576.0;
  char date[32];
  const std::time_t now = std::time(nullptr);
  std::strftime(date, sizeof date, "%Y-%m-%d %H:%M UTC", std::gmtime(&now));
  std::ostringstream out;
  out << "- CPU: " << ProcField("/proc/cpuinfo", "model name") << ", "
      << std::thread::hardware_concurrency() << " cores\n"
      << "- Memory: " << Fixed(memGiB, 1) << " GiB\n"
      << "- Compiler: " << Compiler() << "; build type " << KVO_BUILD_TYPE << " ("
      << KVO_BUILD_FLAGS << ")\n"
      << "- Libraries: pugixml " << PUGIXML_VERSION / 1000 << "." << PUGIXML_VERSION % 1000 / 10
      << ", libxml2 " << LIBXML_DOTTED_VERSION << ", libxlsxwriter " << LXW_VERSION << "\n"
      << "- Date: " << date << "; load average at start " << LoadAverage() << "\n";
  return out.str();
}

std::string RenderReport(const std::string& machine, const std::vector<SizeResult>& sizes,
                         const ConcurrentResult& concurrent) {
  std::ostringstream out;
  out << "# Export benchmark\n\n"
      << "Generated item structure exports (`kvo_gen_export N FILE` writes the same source), "
         "exported with the bundled configuration and item structure setup to .xlsx.\n\n"
      << machine << "\n";

  out << "| items | runs | levels | source MB | sheet rows | rows written | cells written "
         "| parse alone libxml2 s | parse alone reader s | load+walk s | build s | save s "
         "| total s | direct write s | peak MiB | total / (parse + direct) |\n"
      << "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
  for (const SizeResult& s : sizes) {
    out << "| " << Count(s.shape.items) << " | " << s.runs << " | " << s.shape.levels << " | "
        << Fixed(static_cast<double>(s.shape.bytes) / 1e6, 1) << " | "
        << Count(s.Figure("last_row")) << " | " << Count(s.Figure("rows")) << " | "
        << Count(s.Figure("cells")) << " | " << Fixed(s.Figure("parse_alone"), 3) << " | "
        << Fixed(s.Figure("read_alone"), 3) << " | " << Fixed(s.Figure("load_walk"), 3) << " | "
        << Fixed(s.Figure("build"), 3) << " | " << Fixed(s.Figure("save"), 3) << " | "
        << Fixed(s.Figure("total"), 3) << " | " << Fixed(s.Figure("direct"), 3) << " | "
        << Fixed(s.peakMiB, 0) << " | " << Fixed(s.FloorRatio(), 2) << " |\n";
  }

  out << "\n| items | sheet rows per item | values | formatted blanks | merges | links | names | "
         "formats | .xlsx MB | direct .xlsx MB | xmllint --noout s |\n"
      << "|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
  for (const SizeResult& s : sizes) {
    out << "| " << Count(s.shape.items) << " | " << Fixed(s.Figure("last_row") / s.shape.items, 1)
        << " | " << Count(s.Figure("values")) << " | " << Count(s.Figure("blanks")) << " | "
        << Count(s.Figure("merges")) << " | " << Count(s.Figure("links")) << " | "
        << Count(s.Figure("names")) << " | " << Count(s.Figure("formats")) << " | "
        << Fixed(s.Figure("xlsx_bytes") / 1e6, 1) << " | "
        << Fixed(s.Figure("direct_bytes") / 1e6, 1) << " | "
        << (s.xmllintSeconds > 0 ? Fixed(s.xmllintSeconds, 3) : "-") << " |\n";
  }

  out << "\nCPU seconds of the measuring process (user and system), medians of the same runs:\n\n"
      << "| items | parse alone libxml2 | parse alone reader | load+walk | build | save | total "
         "| direct write | total / (parse + direct) |\n"
      << "|---:|---:|---:|---:|---:|---:|---:|---:|---:|\n";
  for (const SizeResult& s : sizes) {
    out << "| " << Count(s.shape.items);
    for (const char* key :
         {"parse_alone", "read_alone", "load_walk", "build", "save", "total", "direct"}) {
      out << " | " << Fixed(s.Figure(std::string(key) + "_cpu"), 3);
    }
    out << " | " << Fixed(s.FloorRatio("_cpu"), 2) << " |\n";
  }

  for (const SizeResult& s : sizes) {
    if (s.Figure("xls_save") <= 0) continue;
    out << "\nThe same sheet of " << Count(s.shape.items)
        << " items saved as .xls (Excel 97-2003): " << Fixed(s.Figure("xls_save"), 3)
        << " s against " << Fixed(s.Figure("save"), 3) << " s as .xlsx (CPU "
        << Fixed(s.Figure("xls_save_cpu"), 3) << " s against " << Fixed(s.Figure("save_cpu"), 3)
        << " s); larger sheets have more rows than the format holds.\n";
  }

  const double ratio = concurrent.one > 0 ? concurrent.together / concurrent.one : 0;
  out << "\nConcurrent exports of " << Count(sizes.front().shape.items) << " items (medians of "
      << concurrent.runs << "): one on a thread " << Fixed(concurrent.one, 3) << " s, "
      << concurrent.threads << " on threads at once " << Fixed(concurrent.together, 3)
      << " s, ratio " << Fixed(ratio, 2) << ". Load average at the end " << LoadAverage() << ".\n\n"
      << "Times are wall-clock seconds, medians of the runs shown; CPU seconds change less "
         "with other work on the machine. Sheet rows: the last row of "
         "the sheet; rows and cells written: the records the file writer is handed (values and "
         "formatted blanks). Peak MiB: the peak resident set of a process that runs one whole "
         "export. "
         "Parse alone libxml2: libxml2 reads the source into a document and frees it, with no "
         "network and no messages (xmllint --noout once for comparison); the floor counts this "
         "row. Parse alone reader: the reader the export uses (the component's XML document: "
         "encoding, well-formedness check and pugixml tree) loads the source and frees it. "
         "Load+walk: the component loads the source and fills its data model. Build: new workbook "
         "and filled sheet. "
         "Save: the sheet resolved and written. Total: the whole public call. Direct write: "
         "the same finished sheet, held in memory beforehand, written straight through "
         "libxlsxwriter with its default options, one format object per distinct format.\n\n";

  const SizeResult& small = sizes.front();
  const SizeResult& large = sizes.back();
  const double scaling =
      small.Figure("total") > 0 ? large.Figure("total") / small.Figure("total") : 0;
  out << "bench: floor-ratio=" << Fixed(large.FloorRatio(), 2) << " scaling=" << Fixed(scaling, 2)
      << " peak-mib=" << Fixed(large.peakMiB, 0) << "\n";
  return out.str();
}

}  // namespace kvo::bench
