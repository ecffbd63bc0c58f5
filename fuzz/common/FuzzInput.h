// Reading a fuzz input as a stream of choices: bytes, numbers and texts taken from the front.
// An exhausted input reads as zeros and empty texts, so every input makes some sheet or call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace kvo::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size)
      : data_(reinterpret_cast<const char*>(data), size) {}

  bool Empty() const { return data_.empty(); }
  std::size_t Left() const { return data_.size(); }

  std::uint8_t Byte() {
    if (data_.empty()) return 0;
    const auto b = static_cast<std::uint8_t>(data_.front());
    data_.remove_prefix(1);
    return b;
  }
  bool Bit() { return (Byte() & 1) != 0; }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Byte() | (Byte() << 8)); }
  std::uint32_t U32() { return U16() | (static_cast<std::uint32_t>(U16()) << 16); }
  // A value from lo to hi (inclusive), lo <= hi.
  std::int64_t InRange(std::int64_t lo, std::int64_t hi) {
    const auto span = static_cast<std::uint64_t>(hi - lo) + 1;
    const std::uint64_t raw = span <= 0x100 ? Byte() : span <= 0x10000 ? U16() : U32();
    return lo + static_cast<std::int64_t>(raw % span);
  }
  // One of the first n entries of a list.
  std::size_t Pick(std::size_t n) { return static_cast<std::size_t>(InRange(0, n - 1)); }
  // The eight bytes of a double, any bit pattern.
  double Double() {
    const std::uint64_t bits = U32() | (static_cast<std::uint64_t>(U32()) << 32);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  // A length byte and that many bytes (fewer when the input ends).
  std::string Text() { return std::string(Take(Byte())); }
  // A text, now and then repeated: a few input bytes can make texts of any length up to about
  // maxBytes, though most texts stay short.
  std::string LongText(std::size_t maxBytes) {
    const std::string piece = Text();
    const std::uint8_t repeat = Byte();
    const std::size_t times = repeat < 0xC0 ? 1 : std::size_t{1} << (repeat % 17);
    std::string out;
    for (std::size_t i = 0; i < times && out.size() < maxBytes; ++i) out += piece;
    return out;
  }
  std::string_view Take(std::size_t n) {
    const std::string_view part = data_.substr(0, n);
    data_.remove_prefix(part.size());
    return part;
  }
  std::string_view Rest() { return Take(data_.size()); }

 private:
  std::string_view data_;
};

}  // namespace kvo::fuzz
