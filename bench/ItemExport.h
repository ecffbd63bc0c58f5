// A deterministic generator of realistic item structure exports, in the element and attribute
// names of the bundled configuration, for measuring exports of any size.
//
// The tree is filled breadth first: each assembly in turn takes three to ten children, drawn
// from a fixed seed, until the size is reached (five levels at 1,000 items, six at 10,000).
// Every item carries the attributes the configuration lists; every structure line a find
// number, quantity, mounting, four designators and one local alternate; every item one document
// with two files, one drawing with one file, one folder, two manufacturers (the first with two
// tied suppliers) and one item-level supplier.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>

namespace kvo::bench {

inline constexpr std::uint64_t kDefaultSeed = 0x6b766f2d62656e63;  // "kvo-benc"

struct ExportShape {
  int items = 0;
  int assemblies = 0;  // items with children
  int levels = 0;      // the top item is level 0
  std::size_t bytes = 0;
};

// Writes the export of `items` items (at least 1) to out; the same size and seed always give
// the same bytes.
ExportShape WriteItemExport(std::ostream& out, int items, std::uint64_t seed = kDefaultSeed);

// The export as one string.
std::string ItemExport(int items, std::uint64_t seed = kDefaultSeed);

}  // namespace kvo::bench
