// The cell records of all rows of a sheet in large shared blocks: each row owns one slot of a
// few sizes, moved to a larger one when it fills up, so that rows cost no allocation of their
// own and little room beyond their cells.
#include "workbook/excel/store/CellPool.h"

#include <algorithm>
#include <array>
#include <new>

namespace kvo::excel {

namespace {

// Slot sizes grow by half: a row wastes little room, and moves a few times on its way up.
constexpr std::array<std::uint32_t, 27> kSizes = {
    2,   3,   4,   6,   8,    12,   16,   24,   32,   48,   64,   96,    128,  192,
    256, 384, 512, 768, 1024, 1536, 2048, 3072, 4096, 6144, 8192, 12288, 16384};
static_assert(kSizes.back() == CellPool::kMaxCells);

// A row's first slot holds four cells: most rows have a few.
constexpr std::uint8_t kFirstSize = 2;

}  // namespace

std::uint32_t CellPool::Take(std::uint8_t size) {
  if (free_.size() <= size) free_.resize(kSizes.size());
  if (std::vector<std::uint32_t>& given = free_[size]; !given.empty()) {
    const std::uint32_t first = given.back();
    given.pop_back();
    return first;
  }
  const std::size_t cells = kSizes[size];
  const bool own = cells > kBlockCells;
  if (own || carving_ == kNoBlock || carved_ + cells > kBlockCells) {
    if (blocks_.size() >= kMaxBlocks) throw std::bad_alloc();
    blocks_.push_back(std::make_unique_for_overwrite<StoredCell[]>(own ? cells : kBlockCells));
    const auto block = static_cast<std::uint32_t>(blocks_.size() - 1);
    if (own) return block << kBlockBits;
    carving_ = block;
    carved_ = 0;
  }
  const auto first = static_cast<std::uint32_t>((carving_ << kBlockBits) + carved_);
  carved_ += cells;
  return first;
}

StoredCell& CellPool::Insert(Slot& slot, std::size_t at, const StoredCell& cell) {
  if (slot.size == kNoSize) {
    slot = {Take(kFirstSize), 0, kFirstSize};
  } else if (slot.count == kSizes[slot.size]) {
    if (slot.count >= kMaxCells) throw std::bad_alloc();
    // Room to give the old slot back is made first, so that nothing below can fail.
    std::vector<std::uint32_t>& given = free_[slot.size];
    if (given.size() == given.capacity())
      given.reserve(std::max<std::size_t>(16, 2 * given.size()));
    const auto larger = static_cast<std::uint8_t>(slot.size + 1);
    const std::uint32_t first = Take(larger);
    std::copy_n(At(slot.first), slot.count, At(first));
    given.push_back(slot.first);
    slot.first = first;
    slot.size = larger;
  }
  StoredCell* cells = At(slot.first);
  std::copy_backward(cells + at, cells + slot.count, cells + slot.count + 1);
  cells[at] = cell;
  ++slot.count;
  return cells[at];
}

void CellPool::Clear() {
  blocks_.clear();
  blocks_.shrink_to_fit();
  free_.clear();
  free_.shrink_to_fit();
  carving_ = kNoBlock;
  carved_ = 0;
}

}  // namespace kvo::excel
