// The texts of a sheet's cells, each distinct text stored once and known by its number, with
// what row-height fitting needs of it worked out once.
#include "workbook/excel/store/TextPool.h"

#include <functional>

#include "workbook/excel/store/TextLines.h"

namespace kvo::excel {

namespace {

constexpr std::size_t kFirstSlots = 1024;

std::uint32_t HashOf(std::string_view text) {
  const std::size_t hash = std::hash<std::string_view>{}(text);
  return static_cast<std::uint32_t>(hash ^ (hash >> 32));
}

}  // namespace

std::uint32_t TextPool::Intern(std::string_view text) {
  if (2 * (entries_.size() + 1) > slots_.size()) Grow();
  const std::uint32_t hash = HashOf(text);
  const std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
    const std::uint32_t filed = slots_[slot];
    if (filed == 0) {
      const std::string_view stored = bytes_.Store(text);
      const auto id = static_cast<std::uint32_t>(entries_.size());
      entries_.push_back({stored.data(), static_cast<std::uint32_t>(stored.size()), hash,
                          excel::LineUnits(stored)});
      slots_[slot] = id + 1;
      return id;
    }
    const Entry& entry = entries_[filed - 1];
    if (entry.hash == hash && std::string_view(entry.data, entry.length) == text) {
      return filed - 1;
    }
  }
}

void TextPool::Grow() {
  std::vector<std::uint32_t> slots(slots_.empty() ? kFirstSlots : 2 * slots_.size(), 0);
  const std::size_t mask = slots.size() - 1;
  for (std::uint32_t id = 0; id < entries_.size(); ++id) {
    std::size_t slot = entries_[id].hash & mask;
    while (slots[slot] != 0) slot = (slot + 1) & mask;
    slots[slot] = id + 1;
  }
  slots_ = std::move(slots);
}

void TextPool::Clear() {
  bytes_.Clear();
  entries_.clear();
  entries_.shrink_to_fit();
  slots_.clear();
  slots_.shrink_to_fit();
}

}  // namespace kvo::excel
