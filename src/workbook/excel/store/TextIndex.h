// An index of texts kept elsewhere, numbered from 0: open addressing over one array that holds
// each text's hash beside its number, so that a look-up touches the texts only on a hash match
// and filing a text allocates nothing of its own.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

namespace kvo::excel {

// A hash of the text's bytes, eight at a time. Raises nothing.
inline std::uint32_t HashText(const void* data, std::size_t size) {
  std::uint64_t hash = 0x9E3779B97F4A7C15ULL ^ size;
  const auto* at = static_cast<const unsigned char*>(data);
  for (; size >= 8; at += 8, size -= 8) {
    std::uint64_t word;
    std::memcpy(&word, at, 8);
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDULL;
    hash ^= hash >> 32;
  }
  std::uint64_t word = 0;
  std::memcpy(&word, at, size);
  hash = (hash ^ word) * 0xC4CEB9FE1A85EC53ULL;
  hash ^= hash >> 29;
  hash *= 0xFF51AFD7ED558CCDULL;
  return static_cast<std::uint32_t>(hash >> 32);
}
template <class Char>
std::uint32_t HashText(std::basic_string_view<Char> text) {
  return HashText(text.data(), text.size() * sizeof(Char));
}

class TextIndex {
 public:
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;

  // The number of the text whose hash is hash and for whose number isText(number) is true;
  // kNone when none is filed.
  template <class IsText>
  std::uint32_t Find(std::uint32_t hash, IsText&& isText) const {
    if (slots_.empty()) return kNone;
    const std::size_t mask = slots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
      const std::uint64_t filed = slots_[slot];
      if (filed == 0) return kNone;
      const auto number = static_cast<std::uint32_t>(filed) - 1;
      if (static_cast<std::uint32_t>(filed >> 32) == hash && isText(number)) return number;
    }
  }
  // Files a number under hash; the text must not be filed yet. Raises only std::bad_alloc.
  void Add(std::uint32_t hash, std::uint32_t number) {
    if (2 * (count_ + 1) > slots_.size()) Grow();
    Place(slots_, hash, number);
    ++count_;
  }
  void Clear() {
    slots_.clear();
    slots_.shrink_to_fit();
    count_ = 0;
  }

 private:
  static constexpr std::size_t kFirstSlots = 1024;

  static void Place(std::vector<std::uint64_t>& slots, std::uint32_t hash, std::uint32_t number) {
    const std::size_t mask = slots.size() - 1;
    std::size_t slot = hash & mask;
    while (slots[slot] != 0) slot = (slot + 1) & mask;
    slots[slot] = (std::uint64_t{hash} << 32) | (std::uint64_t{number} + 1);
  }
  // Doubles the slots, at most half of which are ever used.
  void Grow() {
    std::vector<std::uint64_t> slots(slots_.empty() ? kFirstSlots : 2 * slots_.size(), 0);
    for (const std::uint64_t filed : slots_) {
      if (filed != 0) {
        Place(slots, static_cast<std::uint32_t>(filed >> 32),
              static_cast<std::uint32_t>(filed) - 1);
      }
    }
    slots_ = std::move(slots);
  }

  // hash << 32 | (1 + number); 0 for a free slot. A power of two in size.
  std::vector<std::uint64_t> slots_;
  std::size_t count_ = 0;
};

}  // namespace kvo::excel
