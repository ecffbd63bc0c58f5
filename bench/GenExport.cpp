// Writes a generated item structure export to a file, so that a measured export can be
// reproduced or inspected: kvo_gen_export ITEMS FILE [SEED]
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>

#include "ItemExport.h"

int main(int argc, char** argv) {
  if (argc < 3 || argc > 4) {
    std::cerr << "usage: kvo_gen_export ITEMS FILE [SEED]\n";
    return 2;
  }
  const int items = std::atoi(argv[1]);
  const std::uint64_t seed =
      argc == 4 ? std::strtoull(argv[3], nullptr, 0) : kvo::bench::kDefaultSeed;
  if (items < 1) {
    std::cerr << "kvo_gen_export: ITEMS must be at least 1\n";
    return 2;
  }
  std::ofstream out(argv[2], std::ios::binary);
  const kvo::bench::ExportShape shape = kvo::bench::WriteItemExport(out, items, seed);
  out.close();
  if (!out) {
    std::cerr << "kvo_gen_export: cannot write " << argv[2] << "\n";
    return 1;
  }
  std::cout << argv[2] << ": " << shape.items << " items, " << shape.assemblies << " assemblies, "
            << shape.levels << " levels, " << shape.bytes << " bytes\n";
  return 0;
}
