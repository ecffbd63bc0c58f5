// The body of a short record put together on the stack: the records a sheet has thousands of
// (rows, cells) are built without an allocation each.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <span>

namespace kvo::excel {

// At most N bytes; writing more is a programming error that is not checked.
template <std::size_t N>
class SmallBody {
 public:
  void U16(std::uint16_t v) {
    bytes_[size_++] = static_cast<std::uint8_t>(v);
    bytes_[size_++] = static_cast<std::uint8_t>(v >> 8);
  }
  void U32(std::uint32_t v) {
    U16(static_cast<std::uint16_t>(v));
    U16(static_cast<std::uint16_t>(v >> 16));
  }
  void F64(double v) {
    const auto bits = std::bit_cast<std::uint64_t>(v);
    U32(static_cast<std::uint32_t>(bits));
    U32(static_cast<std::uint32_t>(bits >> 32));
  }
  std::span<const std::uint8_t> View() const { return {bytes_.data(), size_}; }

 private:
  std::array<std::uint8_t, N> bytes_;
  std::size_t size_ = 0;
};

}  // namespace kvo::excel
