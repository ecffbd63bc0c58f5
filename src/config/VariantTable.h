// Two-dimensional table of text cells: the first index selects the part of an entry (label,
// attribute name, owner tag), the second the entry, both from 0.  An unsized table "holds no
// table", which readers test before using it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace kvo {

class VariantTable {
 public:
  // Sizes the table to parts 0..lParts-1 and entries 0..lLastEntry, all cells empty.
  void Redim(std::int32_t lParts, std::int32_t lLastEntry);
  void Erase() { vCells_.clear(), lParts_ = 0, lEntries_ = 0; }

  bool HoldsTable() const { return lParts_ > 0; }
  // Upper bound of the entry dimension; -1 when the table holds nothing.
  std::int32_t LastEntry() const { return HoldsTable() ? lEntries_ - 1 : -1; }
  std::int32_t Parts() const { return lParts_; }

  // Cell access; an index outside the table is a subscript error.
  const std::string& operator()(std::int32_t lPart, std::int32_t lEntry) const;
  std::string& At(std::int32_t lPart, std::int32_t lEntry);

 private:
  std::size_t Index(std::int32_t lPart, std::int32_t lEntry) const;

  std::int32_t lParts_ = 0;
  std::int32_t lEntries_ = 0;
  std::vector<std::string> vCells_;
};

}  // namespace kvo
