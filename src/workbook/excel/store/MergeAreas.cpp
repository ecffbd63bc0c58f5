// The merged areas of a sheet; merges never overlap.
#include "workbook/excel/store/MergeAreas.h"

#include <algorithm>
#include <string>

#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/store/SheetError.h"

namespace kvo::excel {

template <class Fn>
void MergeAreas::ForEachIntersecting(const Rect& rect, Fn&& fn) const {
  std::vector<std::uint32_t> hits;
  const auto visit = [&](std::uint32_t id) {
    if (slots_[id] && slots_[id]->Intersects(rect)) hits.push_back(id);
  };
  if (rect.Height() > RectRowIndex::kTallRows) {
    for (std::uint32_t id = 0; id < slots_.size(); ++id) visit(id);
  } else {
    for (std::int32_t row = rect.top; row <= rect.bottom; ++row) index_.ForEachInRow(row, visit);
  }
  std::sort(hits.begin(), hits.end());
  hits.erase(std::unique(hits.begin(), hits.end()), hits.end());
  for (std::uint32_t id : hits) fn(id);
}

bool MergeAreas::Merge(const Rect& rect) {
  if (rect.IsSingleCell()) return false;
  if (rect.CellCount() > kMaxCells) {
    RaiseSheetError("Cannot merge " + AbsoluteAddress(rect) + ": the area has more than " +
                    std::to_string(kMaxCells) + " cells");
  }
  ForEachIntersecting(rect, [&](std::uint32_t id) {
    RaiseSheetError("Cannot merge " + AbsoluteAddress(rect) + ": it overlaps the merged area " +
                    AbsoluteAddress(*slots_[id]));
  });
  const auto id = static_cast<std::uint32_t>(slots_.size());
  slots_.emplace_back(rect);
  index_.Insert(rect, id);
  ++count_;
  return true;
}

void MergeAreas::Unmerge(const Rect& rect) {
  ForEachIntersecting(rect, [&](std::uint32_t id) {
    index_.Erase(*slots_[id], id);
    slots_[id].reset();
    --count_;
  });
}

std::optional<Rect> MergeAreas::AreaAt(std::int32_t row, std::int32_t col) const {
  std::optional<Rect> found;
  index_.ForEachInRow(row, [&](std::uint32_t id) {
    if (slots_[id] && slots_[id]->Contains(row, col)) found = slots_[id];
  });
  return found;
}

std::vector<Rect> MergeAreas::Areas() const {
  std::vector<Rect> areas;
  areas.reserve(count_);
  for (const auto& slot : slots_) {
    if (slot) areas.push_back(*slot);
  }
  return areas;
}

void MergeAreas::Clear() {
  slots_.clear();
  index_.Clear();
  count_ = 0;
}

}  // namespace kvo::excel
