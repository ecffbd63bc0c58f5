// A growing byte buffer that appends numbers in little-endian order, as every field of the
// compound document and of the workbook stream is stored.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <span>
#include <utility>
#include <vector>

namespace kvo::excel {

class LittleEndian {
 public:
  void U8(std::uint8_t v) { bytes_.push_back(v); }
  void U16(std::uint16_t v) {
    U8(static_cast<std::uint8_t>(v));
    U8(static_cast<std::uint8_t>(v >> 8));
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  void U64(std::uint64_t v) {
    U32(static_cast<std::uint32_t>(v));
    U32(static_cast<std::uint32_t>(v >> 32));
  }
  void F64(double v) { U64(std::bit_cast<std::uint64_t>(v)); }
  void Zeros(std::size_t n) { bytes_.insert(bytes_.end(), n, 0); }
  void Bytes(std::initializer_list<std::uint8_t> b) { bytes_.insert(bytes_.end(), b); }
  void Bytes(std::span<const std::uint8_t> b) { bytes_.insert(bytes_.end(), b.begin(), b.end()); }
  // n more bytes, for the caller to fill in at once; valid until the next append.
  std::uint8_t* Grow(std::size_t n) {
    bytes_.resize(bytes_.size() + n);
    return bytes_.data() + bytes_.size() - n;
  }
  // Empties the buffer and keeps its room.
  void Clear() { bytes_.clear(); }

  // Overwrites bytes written earlier, at offset pos (which with the value's size must lie
  // within what was written). Nothing here raises.
  void PatchU32(std::size_t pos, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_[pos + i] = static_cast<std::uint8_t>(v >> (8 * i));
  }

  std::size_t Size() const { return bytes_.size(); }
  const std::vector<std::uint8_t>& View() const { return bytes_; }
  std::vector<std::uint8_t> Take() { return std::exchange(bytes_, {}); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace kvo::excel
