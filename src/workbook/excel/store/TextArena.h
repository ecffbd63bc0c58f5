// Storage for the texts of a sheet's cells: appended in blocks, never moved, freed all at once.
// A replaced text keeps its bytes until the sheet is dropped. Blocks are small enough for the
// allocator to carve them out of memory freed before, rather than map fresh pages.
#pragma once

#include <cstring>
#include <memory>
#include <string_view>
#include <vector>

namespace kvo::excel {

class TextArena {
 public:
  static constexpr std::size_t kBlockSize = std::size_t{64} << 10;

  // A copy of text that stays valid until Clear.
  std::string_view Store(std::string_view text) {
    if (text.empty()) return {};
    char* at;
    if (text.size() > kBlockSize / 4) {  // a large text gets a block of its own
      large_.push_back(std::make_unique<char[]>(text.size()));
      at = large_.back().get();
    } else {
      if (blocks_.empty() || used_ + text.size() > kBlockSize) {
        blocks_.push_back(std::make_unique<char[]>(kBlockSize));
        used_ = 0;
      }
      at = blocks_.back().get() + used_;
      used_ += text.size();
    }
    std::memcpy(at, text.data(), text.size());
    return {at, text.size()};
  }

  void Clear() {
    blocks_.clear();
    large_.clear();
    used_ = 0;
  }

 private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  std::vector<std::unique_ptr<char[]>> large_;
  std::size_t used_ = 0;
};

}  // namespace kvo::excel
