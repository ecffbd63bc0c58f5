// Finds the rectangles that cross a given row without scanning all of them.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <utility>
#include <vector>

#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

// Short rectangles are filed under each of their rows; tall ones (rare: whole columns and the
// like) sit in one list that every lookup checks. Lookups cost the number of rectangles in the
// row plus the tall ones.
class RectRowIndex {
 public:
  static constexpr std::int32_t kTallRows = 64;

  void Insert(const Rect& rect, std::uint32_t id) {
    if (rect.Height() > kTallRows) {
      tall_.emplace_back(rect, id);
      return;
    }
    for (std::int32_t row = rect.top; row <= rect.bottom; ++row) byRow_[row].push_back(id);
  }

  void Erase(const Rect& rect, std::uint32_t id) {
    if (rect.Height() > kTallRows) {
      std::erase_if(tall_, [&](const auto& entry) { return entry.second == id; });
      return;
    }
    for (std::int32_t row = rect.top; row <= rect.bottom; ++row) {
      auto it = byRow_.find(row);
      if (it == byRow_.end()) continue;
      std::erase(it->second, id);
      if (it->second.empty()) byRow_.erase(it);
    }
  }

  // Calls fn(id) for every rectangle whose rows include `row`.
  template <class Fn>
  void ForEachInRow(std::int32_t row, Fn&& fn) const {
    if (auto it = byRow_.find(row); it != byRow_.end()) {
      for (std::uint32_t id : it->second) fn(id);
    }
    for (const auto& [rect, id] : tall_) {
      if (row >= rect.top && row <= rect.bottom) fn(id);
    }
  }

  void Clear() {
    byRow_.clear();
    tall_.clear();
  }

 private:
  std::unordered_map<std::int32_t, std::vector<std::uint32_t>> byRow_;
  std::vector<std::pair<Rect, std::uint32_t>> tall_;
};

}  // namespace kvo::excel
