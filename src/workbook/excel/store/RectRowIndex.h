// Finds the rectangles that cross a given row without scanning all of them.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

// Short rectangles are filed under each of their rows; tall ones (rare: whole columns and the
// like) sit in one list that every lookup checks. Lookups cost the number of rectangles in the
// row plus the tall ones. A row's entries are a chain through one shared array, found through
// an open-addressing table: no allocation per row.
class RectRowIndex {
 public:
  static constexpr std::int32_t kTallRows = 64;

  void Insert(const Rect& rect, std::uint32_t id) {
    if (rect.Height() > kTallRows) {
      tall_.emplace_back(rect, id);
      return;
    }
    for (std::int32_t row = rect.top; row <= rect.bottom; ++row) {
      links_.push_back({id, 0});
      const auto link = static_cast<std::uint32_t>(links_.size());
      Chain& chain = ChainFor(row);
      if (chain.last == 0) {
        chain.first = link;
      } else {
        links_[chain.last - 1].next = link;
      }
      chain.last = link;
    }
  }

  void Erase(const Rect& rect, std::uint32_t id) {
    if (rect.Height() > kTallRows) {
      std::erase_if(tall_, [&](const auto& entry) { return entry.second == id; });
      return;
    }
    for (std::int32_t row = rect.top; row <= rect.bottom; ++row) {
      Chain* chain = Find(row);
      if (chain == nullptr) continue;
      // The link is unhooked; its entry stays unused.
      std::uint32_t before = 0;
      for (std::uint32_t link = chain->first; link != 0; link = links_[link - 1].next) {
        if (links_[link - 1].id != id) {
          before = link;
          continue;
        }
        const std::uint32_t next = links_[link - 1].next;
        if (before == 0) {
          chain->first = next;
        } else {
          links_[before - 1].next = next;
        }
        if (chain->last == link) chain->last = before;
        break;
      }
    }
  }

  // Calls fn(id) for every rectangle whose rows include `row`.
  template <class Fn>
  void ForEachInRow(std::int32_t row, Fn&& fn) const {
    if (const Chain* chain = Find(row)) {
      for (std::uint32_t link = chain->first; link != 0; link = links_[link - 1].next) {
        fn(links_[link - 1].id);
      }
    }
    for (const auto& [rect, id] : tall_) {
      if (row >= rect.top && row <= rect.bottom) fn(id);
    }
  }

  void Clear() {
    chains_.clear();
    chains_.shrink_to_fit();
    links_.clear();
    links_.shrink_to_fit();
    tall_.clear();
    rows_ = 0;
  }

 private:
  struct Link {
    std::uint32_t id;
    std::uint32_t next;  // 1 + index of the next link of the row; 0 ends the chain
  };
  struct Chain {
    std::int32_t row = 0;  // 0: a free slot
    std::uint32_t first = 0;
    std::uint32_t last = 0;
  };
  static constexpr std::size_t kFirstSlots = 256;

  static std::size_t SlotOf(std::int32_t row, std::size_t mask) {
    return (static_cast<std::uint32_t>(row) * 0x9E3779B1u) & mask;
  }
  const Chain* Find(std::int32_t row) const {
    if (chains_.empty()) return nullptr;
    const std::size_t mask = chains_.size() - 1;
    for (std::size_t slot = SlotOf(row, mask);; slot = (slot + 1) & mask) {
      if (chains_[slot].row == row) return &chains_[slot];
      if (chains_[slot].row == 0) return nullptr;
    }
  }
  Chain* Find(std::int32_t row) {
    return const_cast<Chain*>(static_cast<const RectRowIndex*>(this)->Find(row));
  }
  Chain& ChainFor(std::int32_t row) {
    if (Chain* chain = Find(row)) return *chain;
    if (2 * (rows_ + 1) > chains_.size()) Grow();
    ++rows_;
    return Place(chains_, {row, 0, 0});
  }
  static Chain& Place(std::vector<Chain>& chains, const Chain& chain) {
    const std::size_t mask = chains.size() - 1;
    std::size_t slot = SlotOf(chain.row, mask);
    while (chains[slot].row != 0) slot = (slot + 1) & mask;
    chains[slot] = chain;
    return chains[slot];
  }
  void Grow() {
    std::vector<Chain> chains(chains_.empty() ? kFirstSlots : 2 * chains_.size());
    for (const Chain& chain : chains_) {
      if (chain.row != 0) Place(chains, chain);
    }
    chains_ = std::move(chains);
  }

  std::vector<Chain> chains_;  // a power of two in size, at most half used
  std::size_t rows_ = 0;
  std::vector<Link> links_;
  std::vector<std::pair<Rect, std::uint32_t>> tall_;
};

}  // namespace kvo::excel
