// The value a cell holds: nothing, a text or a number (never a formula).
#pragma once

#include <cstdint>
#include <string>

namespace kvo::excel {

struct CellValue {
  enum class Kind : std::uint8_t { Empty, Text, Number };

  Kind kind = Kind::Empty;
  std::string text;
  double number = 0;

  static CellValue Text(std::string s) { return {Kind::Text, std::move(s), 0}; }
  static CellValue Number(double d) { return {Kind::Number, {}, d}; }
  bool IsEmpty() const { return kind == Kind::Empty; }
  bool operator==(const CellValue&) const = default;
};

}  // namespace kvo::excel
