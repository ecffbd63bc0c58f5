// The cell records of all rows of a sheet in shared blocks: each row owns one slot of a few
// sizes, moved to a larger one when it fills up, so that rows cost no allocation of their own
// and little room beyond their cells. Blocks are small enough for the allocator to carve them
// out of memory freed before (the source document's), rather than map fresh pages.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "workbook/excel/store/CellValue.h"

namespace kvo::excel {

// One cell with a record: a value, or a blank that carries a format. Plain data, so that the
// blocks holding them are not written before they are used.
struct StoredCell {
  std::uint16_t col;
  CellValue::Kind kind;
  std::uint32_t format;  // index into the sheet's format table
  std::uint32_t value;   // the number of a text, or the index of a number; 0 for none
};

class CellPool {
 public:
  // Where a row's cells lie; a row without cells has no slot.
  struct Slot {
    std::uint32_t first = 0;
    std::uint16_t count = 0;
    std::uint8_t size = kNoSize;  // index into the slot sizes

    bool operator==(const Slot&) const = default;
  };
  // Most cells one slot holds: the columns of the widest sheet.
  static constexpr std::size_t kMaxCells = 16384;

  std::span<StoredCell> Cells(const Slot& slot) {
    if (slot.count == 0) return {};
    return {At(slot.first), slot.count};
  }
  std::span<const StoredCell> Cells(const Slot& slot) const {
    if (slot.count == 0) return {};
    return {At(slot.first), slot.count};
  }
  // Puts cell before the slot's cell number at (0 to count), moving the row's cells to a larger
  // slot when the slot is full; returns the stored cell. Raises std::bad_alloc, also for a row
  // of more than kMaxCells cells; the slot is then unchanged.
  StoredCell& Insert(Slot& slot, std::size_t at, const StoredCell& cell);
  // Drops every slot and frees the blocks.
  void Clear();

 private:
  static constexpr std::uint8_t kNoSize = 0xFF;
  // 8,192 cells, 96 KiB; a larger slot gets a block of its own.
  static constexpr unsigned kBlockBits = 13;
  static constexpr std::size_t kBlockCells = std::size_t{1} << kBlockBits;
  static constexpr std::uint32_t kNoBlock = 0xFFFFFFFF;
  // Slots are numbered by their first cell in 32 bits.
  static constexpr std::size_t kMaxBlocks = std::size_t{1} << (32 - kBlockBits);

  StoredCell* At(std::uint32_t index) const {
    return blocks_[index >> kBlockBits].get() + (index & (kBlockCells - 1));
  }
  // A free slot of the given size: one given back before, or new room at the end.
  std::uint32_t Take(std::uint8_t size);

  std::vector<std::unique_ptr<StoredCell[]>> blocks_;
  std::uint32_t carving_ = kNoBlock;              // the block new slots are cut from
  std::size_t carved_ = 0;                        // cells of it handed out
  std::vector<std::vector<std::uint32_t>> free_;  // by size: slots given back
};

}  // namespace kvo::excel
