#include "config/VariantTable.h"

#include <kvoexportexcel/RunError.h>

namespace kvo {

void VariantTable::Redim(std::int32_t lParts, std::int32_t lLastEntry) {
  if (lParts <= 0 || lLastEntry < 0) {
    Erase();
    return;
  }
  lParts_ = lParts;
  lEntries_ = lLastEntry + 1;
  vCells_.assign(static_cast<std::size_t>(lParts_) * static_cast<std::size_t>(lEntries_), {});
}

std::size_t VariantTable::Index(std::int32_t lPart, std::int32_t lEntry) const {
  if (lPart < 0 || lPart >= lParts_ || lEntry < 0 || lEntry >= lEntries_) {
    throw RunError(kErrSubscript, "Subscript out of range");
  }
  return static_cast<std::size_t>(lEntry) * static_cast<std::size_t>(lParts_) +
         static_cast<std::size_t>(lPart);
}

const std::string& VariantTable::operator()(std::int32_t lPart, std::int32_t lEntry) const {
  return vCells_[Index(lPart, lEntry)];
}

std::string& VariantTable::At(std::int32_t lPart, std::int32_t lEntry) {
  return vCells_[Index(lPart, lEntry)];
}

}  // namespace kvo
