// The merged areas of a sheet; merges never overlap.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "workbook/excel/store/Rect.h"
#include "workbook/excel/store/RectRowIndex.h"

namespace kvo::excel {

class MergeAreas {
 public:
  // Largest area one merge may cover (the file writer visits every cell of it).
  static constexpr std::int64_t kMaxCells = std::int64_t{1} << 24;

  // Merges rect. A single cell is no merge; an overlap with an existing merge raises.
  // Returns true when a merge was added.
  bool Merge(const Rect& rect);
  // Removes every merge that intersects rect.
  void Unmerge(const Rect& rect);

  std::optional<Rect> AreaAt(std::int32_t row, std::int32_t col) const;
  // All merged areas, in the order they were made.
  std::vector<Rect> Areas() const;
  std::size_t Count() const { return count_; }
  // Calls fn(area) for every merged area that crosses the row.
  template <class Fn>
  void ForEachInRow(std::int32_t row, Fn&& fn) const {
    index_.ForEachInRow(row, [&](std::uint32_t id) {
      if (slots_[id]) fn(*slots_[id]);
    });
  }
  void Clear();

 private:
  template <class Fn>
  void ForEachIntersecting(const Rect& rect, Fn&& fn) const;

  std::vector<std::optional<Rect>> slots_;  // emptied slots stay to keep ids stable
  RectRowIndex index_;
  std::size_t count_ = 0;
};

}  // namespace kvo::excel
