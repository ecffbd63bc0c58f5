#include "ItemExport.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <sstream>
#include <string_view>
#include <vector>

namespace kvo::bench {

namespace {

// splitmix64: small, fast and the same on every platform (the standard distributions are not).
class Random {
 public:
  explicit Random(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9;
    z = (z ^ (z >> 27)) * 0x94d049bb133111eb;
    return z ^ (z >> 31);
  }
  // 0 .. n-1
  int Below(int n) { return static_cast<int>(Next() % static_cast<std::uint64_t>(n)); }
  template <class T, std::size_t N>
  const T& Pick(const std::array<T, N>& from) {
    return from[static_cast<std::size_t>(Below(static_cast<int>(N)))];
  }

 private:
  std::uint64_t state_;
};

struct Kind {
  std::string_view category;
  std::string_view prefix;      // of item numbers
  std::string_view designator;  // prefix of reference designators
  std::string_view material;
  std::string_view description;  // followed by a value and a package
};

constexpr std::array<Kind, 8> kParts{{
    {"Resistor", "RES", "R", "Thick film", "Resistor ±1 % 0.1 W"},
    {"Capacitor", "CAP", "C", "Ceramic X7R", "Capacitor 50 V X7R"},
    {"IC", "ICU", "U", "Plastic QFN", "Microcontroller 32-bit, 4 channels"},
    {"Inductor", "IND", "L", "Ferrite", "Power inductor, shielded"},
    {"Connector", "CON", "J", "PA66 GF30", "Board connector, 2.54 mm pitch"},
    {"Diode", "DIO", "D", "Plastic SOD-123", "Schottky diode 40 V"},
    {"Transistor", "TRN", "Q", "Plastic SOT-23", "N-channel MOSFET 30 V"},
    {"Crystal", "XTL", "Y", "Quartz", "Crystal ±20 ppm"},
}};
constexpr std::array<Kind, 3> kAssemblies{{
    {"PCB Assembly", "PCA", "A", "FR-4", "Controller board assembly"},
    {"Sub-Assembly", "SUB", "A", "Aluminium / PA66", "Sensor interface module"},
    {"Mechanical", "MEC", "M", "AlMgSi0.5", "Housing assembly, anodised"},
}};
constexpr std::array<std::string_view, 6> kPackages{"0402",   "0603",   "0805",
                                                    "SOT-23", "QFN-32", "TSSOP-20"};
constexpr std::array<std::string_view, 5> kLifecycles{"Released", "Released", "Released",
                                                      "Prototype", "In Review"};
constexpr std::array<std::string_view, 5> kMountings{"SMD top", "SMD bottom", "THT", "Screwed",
                                                     "Plugged"};
constexpr std::array<std::string_view, 8> kManufacturers{
    "Valmont Passive Components", "Osterby Ceramics",      "Altavera Semiconductor",
    "Kestrelon Microdevices",     "Quillon Analog",        "Corriveau Cable Systems",
    "Harrowgate Magnetics",       "Tesselink Interconnect"};
constexpr std::array<std::string_view, 5> kSuppliers{
    "Brightline Components GmbH", "Meridian Electronic Supply", "Tannfield Distribution Ltd.",
    "Nordhavn Parts A/S", "Castellan Industrial Supply"};
constexpr std::array<std::string_view, 4> kAuthors{"L. Ferreira", "T. Nakamura", "M. Okafor",
                                                   "S. Brandt"};
constexpr std::array<std::string_view, 3> kCurrencies{"EUR", "EUR", "USD"};

// The element text of one export, built by appending.
class Writer {
 public:
  explicit Writer(std::string& out) : out_(out) {}

  void Open(std::string_view element) {
    out_ += '<';
    out_ += element;
  }
  void Attr(std::string_view name, std::string_view value) {
    out_ += ' ';
    out_ += name;
    out_ += "=\"";
    for (char c : value) {
      switch (c) {
        case '&':
          out_ += "&amp;";
          break;
        case '<':
          out_ += "&lt;";
          break;
        case '"':
          out_ += "&quot;";
          break;
        default:
          out_ += c;
      }
    }
    out_ += '"';
  }
  void Attr(std::string_view name, long value) { Attr(name, std::to_string(value)); }
  void EndOpen() { out_ += ">\n"; }    // children follow
  void EndEmpty() { out_ += "/>\n"; }  // no children
  void Close(std::string_view element) {
    out_ += "</";
    out_ += element;
    out_ += ">\n";
  }

 private:
  std::string& out_;
};

std::string Padded(int n, int width) {
  std::string s = std::to_string(n);
  return std::string(static_cast<std::size_t>(std::max(0, width - static_cast<int>(s.size()))),
                     '0') +
         s;
}

std::string Date(Random& rnd) {
  return std::to_string(2021 + rnd.Below(4)) + "-" + Padded(1 + rnd.Below(12), 2) + "-" +
         Padded(1 + rnd.Below(28), 2);
}

// Two decimals, e.g. "12.05".
std::string Decimal(Random& rnd, int wholeBelow) {
  return std::to_string(rnd.Below(wholeBelow)) + "." + Padded(rnd.Below(100), 2);
}

// The shape of the tree: children of each item, filled breadth first.
struct Tree {
  std::vector<int> firstChild;
  std::vector<int> childCount;
  std::vector<int> level;
};

Tree FillBreadthFirst(int items, Random& rnd) {
  Tree tree;
  tree.firstChild.assign(static_cast<std::size_t>(items), 0);
  tree.childCount.assign(static_cast<std::size_t>(items), 0);
  tree.level.assign(static_cast<std::size_t>(items), 0);
  int next = 1;
  for (int parent = 0; next < items; ++parent) {
    const int count = std::min(3 + rnd.Below(8), items - next);
    tree.firstChild[static_cast<std::size_t>(parent)] = next;
    tree.childCount[static_cast<std::size_t>(parent)] = count;
    for (int c = next; c < next + count; ++c) {
      tree.level[static_cast<std::size_t>(c)] = tree.level[static_cast<std::size_t>(parent)] + 1;
    }
    next += count;
  }
  return tree;
}

class ExportWriter {
 public:
  ExportWriter(std::ostream& out, const Tree& tree, std::uint64_t seed)
      : out_(out), tree_(tree), seed_(seed), xml_(buffer_) {}

  std::size_t Write() {
    Emit("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<Root_Element>\n");
    WriteItem(0);
    Emit("</Root_Element>\n");
    return bytes_;
  }

 private:
  bool IsAssembly(int i) const { return tree_.childCount[static_cast<std::size_t>(i)] > 0; }
  const Kind& KindOf(int i) const {
    const std::size_t k = static_cast<std::size_t>(i) * 7 + 3;
    return IsAssembly(i) ? kAssemblies[k % kAssemblies.size()] : kParts[k % kParts.size()];
  }
  std::string Number(int i) const {
    return std::string(KindOf(i).prefix) + "-" + Padded(100000 + i, 6);
  }
  // Each item's values come from a stream of its own, whatever order items are written in.
  Random ItemRandom(int i, std::uint64_t salt) const {
    return Random(seed_ ^ (static_cast<std::uint64_t>(i) * 0x2545f4914f6cdd1d) ^ salt);
  }

  void Emit(std::string_view text) {
    out_ << text;
    bytes_ += text.size();
  }
  // Hands the buffered text of one item to the stream.
  void Flush() {
    Emit(buffer_);
    buffer_.clear();
  }

  void WriteItem(int i) {
    Random rnd = ItemRandom(i, 1);
    const Kind& kind = KindOf(i);
    const std::string number = Number(i);
    xml_.Open("Item");
    xml_.Attr("number", number);
    xml_.Attr("revision", std::string(1, static_cast<char>('A' + rnd.Below(4))));
    xml_.Attr("description", std::string(kind.description) + ", " +
                                 std::string(rnd.Pick(kPackages)) + ", variant " +
                                 std::to_string(rnd.Below(90) + 10));
    xml_.Attr("itemType", IsAssembly(i) ? "Assembly" : "Component");
    xml_.Attr("category", kind.category);
    xml_.Attr("uom", "EA");
    xml_.Attr("lifecycleState", rnd.Pick(kLifecycles));
    xml_.Attr("material", kind.material);
    xml_.Attr("weightGrams", Decimal(rnd, IsAssembly(i) ? 500 : 5));
    xml_.Attr("rohs", rnd.Below(10) == 0 ? "No" : "Yes");
    xml_.EndOpen();

    const int first = tree_.firstChild[static_cast<std::size_t>(i)];
    for (int c = 0; c < tree_.childCount[static_cast<std::size_t>(i)]; ++c) {
      WriteLine(first + c, 10 * (c + 1));
    }
    WriteSupply(i, number);
    WriteDocuments(i, number);
    xml_.Close("Item");
    Flush();
  }

  void WriteLine(int child, int findNumber) {
    Random rnd = ItemRandom(child, 2);
    xml_.Open("BomLine");
    xml_.Attr("findNumber", findNumber);
    xml_.Attr("quantity", 1 + rnd.Below(8));
    xml_.Attr("mounting", rnd.Pick(kMountings));
    xml_.EndOpen();
    WriteItem(child);
    xml_.Open("LocalAlternate");
    xml_.Attr("number", Number(child) + "-ALT");
    xml_.EndEmpty();
    // Three consecutive designators and one apart, as a grouped list shows them.
    const std::string prefix(KindOf(child).designator);
    const int base = 1 + rnd.Below(200);
    for (int d : {base, base + 1, base + 2, base + 10 + rnd.Below(20)}) {
      xml_.Open("RefDes");
      xml_.Attr("designator", prefix + std::to_string(d));
      xml_.EndEmpty();
    }
    xml_.Close("BomLine");
  }

  void WriteManufacturer(Random& rnd, int maker, const std::string& mpn, bool preferred) {
    xml_.Open("ItemManufacturer");
    xml_.Attr("mfrPartNumber", mpn);
    xml_.Attr("preference", preferred ? "Preferred" : "Approved Alternate");
    xml_.Attr("partStatus", rnd.Below(8) == 0 ? "NRND" : "Active");
    xml_.Attr("qualifiedOn", Date(rnd));
    xml_.EndOpen();
    xml_.Open("Manufacturer");
    xml_.Attr("mfrId", "MFR-" + Padded(31 + maker, 4));
    xml_.Attr("name", kManufacturers[static_cast<std::size_t>(maker)]);
    xml_.EndEmpty();
    xml_.Close("ItemManufacturer");
  }

  // A supplier relation; tied to a manufacturer when mpn is set.
  void WriteSupplier(Random& rnd, int supplier, const std::string& spn, const std::string& mpn,
                     int maker) {
    xml_.Open("ItemSupplier");
    xml_.Attr("supplierPartNumber", spn);
    if (!mpn.empty()) xml_.Attr("mfrPartNumber", mpn);
    xml_.Attr("leadTimeDays", 7 * (1 + rnd.Below(10)));
    xml_.Attr("unitPrice", Decimal(rnd, 20));
    xml_.Attr("currency", rnd.Pick(kCurrencies));
    xml_.Attr("minOrderQty", std::array<int, 4>{1, 100, 1000, 5000}[rnd.Below(4)]);
    xml_.EndOpen();
    xml_.Open("Supplier");
    xml_.Attr("supplierId", "SUP-" + Padded(101 + supplier, 4));
    xml_.Attr("name", kSuppliers[static_cast<std::size_t>(supplier)]);
    xml_.EndEmpty();
    if (!mpn.empty()) {
      xml_.Open("ManufacturerRef");
      xml_.Attr("mfrId", "MFR-" + Padded(31 + maker, 4));
      xml_.EndEmpty();
    }
    xml_.Close("ItemSupplier");
  }

  void WriteSupply(int i, const std::string& number) {
    Random rnd = ItemRandom(i, 3);
    const int makers = static_cast<int>(kManufacturers.size());
    const int first = rnd.Below(makers);
    const int second = (first + 1 + rnd.Below(makers - 1)) % makers;
    const std::string mpn1 = "M" + Padded(first, 2) + "-" + number.substr(4) + "-A";
    const std::string mpn2 = "M" + Padded(second, 2) + "-" + number.substr(4) + "-B";
    WriteManufacturer(rnd, first, mpn1, true);
    WriteManufacturer(rnd, second, mpn2, false);
    const int suppliers = static_cast<int>(kSuppliers.size());
    const int s1 = rnd.Below(suppliers);
    const int s2 = (s1 + 1) % suppliers;
    const int s3 = (s1 + 2) % suppliers;
    WriteSupplier(rnd, s1, "S1-" + mpn1, mpn1, first);
    WriteSupplier(rnd, s2, "S2-" + mpn1, mpn1, first);
    WriteSupplier(rnd, s3, "S3-" + number, "", 0);
  }

  void WriteDataset(Random& rnd, const std::string& file, std::string_view type, int maxKB) {
    xml_.Open("DocDataset");
    xml_.EndOpen();
    xml_.Open("Dataset");
    xml_.Attr("fileName", file);
    xml_.Attr("fileType", type);
    xml_.Attr("sizeKB", 10 + rnd.Below(maxKB));
    xml_.Attr("modified", Date(rnd));
    xml_.EndEmpty();
    xml_.Close("DocDataset");
  }

  void OpenDocument(Random& rnd, const std::string& id, const std::string& title,
                    std::string_view type) {
    xml_.Open("Document");
    xml_.Attr("docNumber", id);
    xml_.Attr("docRevision", 1 + rnd.Below(9));
    xml_.Attr("title", title);
    xml_.Attr("docType", type);
    xml_.Attr("status", rnd.Below(5) == 0 ? "In Work" : "Released");
    xml_.Attr("author", rnd.Pick(kAuthors));
    xml_.Attr("language", "EN");
    xml_.Attr("created", Date(rnd));
    xml_.Attr("releaseDate", Date(rnd));
    xml_.EndOpen();
  }

  void WriteDocuments(int i, const std::string& number) {
    Random rnd = ItemRandom(i, 4);
    const std::string folder = "docs/" + number + "/";
    xml_.Open("ItemDocument");
    xml_.EndOpen();
    OpenDocument(rnd, "DS-" + number, "Datasheet " + number, "Datasheet");
    WriteDataset(rnd, folder + "datasheet.pdf", "PDF", 4000);
    WriteDataset(rnd, folder + "model " + number + ".step", "STEP", 8000);
    xml_.Close("Document");
    xml_.Close("ItemDocument");

    xml_.Open("ItemDrawing");
    xml_.EndOpen();
    OpenDocument(rnd, "DRW-" + number, "Drawing " + number, "Drawing");
    WriteDataset(rnd, "drawings/" + number + ".pdf", "PDF", 2000);
    xml_.Close("Document");
    xml_.Close("ItemDrawing");

    // Siblings share their parent's project folder.
    xml_.Open("ItemFolder");
    xml_.EndOpen();
    xml_.Open("Folder");
    const int project = i == 0 ? 0 : 1 + (i - 1) / 10;
    xml_.Attr("folderNumber", "FLD-" + Padded(project, 5));
    xml_.Attr("folderRevision", 1 + project % 3);
    xml_.Attr("folderName", "Project folder " + std::to_string(project));
    xml_.Attr("owner", rnd.Pick(kAuthors));
    xml_.Attr("project", "SC-" + std::to_string(4000 + project % 50));
    xml_.Attr("access", project % 4 == 0 ? "Manufacturing" : "Engineering");
    xml_.EndEmpty();
    xml_.Close("ItemFolder");
  }

  std::ostream& out_;
  const Tree& tree_;
  std::uint64_t seed_;
  std::string buffer_;
  Writer xml_;
  std::size_t bytes_ = 0;
};

}  // namespace

ExportShape WriteItemExport(std::ostream& out, int items, std::uint64_t seed) {
  items = std::max(items, 1);
  Random rnd(seed);
  const Tree tree = FillBreadthFirst(items, rnd);
  ExportShape shape;
  shape.items = items;
  shape.assemblies = static_cast<int>(
      std::count_if(tree.childCount.begin(), tree.childCount.end(), [](int n) { return n > 0; }));
  shape.levels = *std::max_element(tree.level.begin(), tree.level.end()) + 1;
  shape.bytes = ExportWriter(out, tree, seed).Write();
  return shape;
}

std::string ItemExport(int items, std::uint64_t seed) {
  std::ostringstream out;
  WriteItemExport(out, items, seed);
  return std::move(out).str();
}

}  // namespace kvo::bench
