// The texts of a sheet's cells, each distinct text stored once and known by its number, with
// what row-height fitting needs of it worked out once.
#include "workbook/excel/store/TextPool.h"

#include "workbook/excel/store/TextLines.h"

namespace kvo::excel {

std::uint32_t TextPool::Intern(std::string_view text) {
  const std::uint32_t hash = HashText(text);
  const std::uint32_t found = index_.Find(hash, [&](std::uint32_t id) { return Text(id) == text; });
  if (found != TextIndex::kNone) return found;
  const auto id = static_cast<std::uint32_t>(entries_.size());
  const std::string_view stored = bytes_.Store(text);
  entries_.push_back(
      {stored.data(), static_cast<std::uint32_t>(stored.size()), excel::LineUnits(stored)});
  // Filed last: a text that could not be filed is only stored in vain.
  index_.Add(hash, id);
  return id;
}

void TextPool::Clear() {
  bytes_.Clear();
  entries_.clear();
  entries_.shrink_to_fit();
  index_.Clear();
}

}  // namespace kvo::excel
