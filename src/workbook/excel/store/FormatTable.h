// The distinct cell formats of a sheet, each stored once and referred to by its index.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "workbook/excel/store/CellFormat.h"
#include "workbook/excel/store/FormatLayer.h"

namespace kvo::excel {

class FormatTable {
 public:
  // Entry 0 is the default look.
  FormatTable();

  std::uint32_t Intern(const CellFormat& format);
  const CellFormat& operator[](std::uint32_t index) const { return formats_[index]; }
  const std::vector<CellFormat>& All() const { return formats_; }

  // The index of the format with one property set to value; each change is worked out once.
  std::uint32_t With(std::uint32_t base, FormatProperty property, double value);

  // Property values: numbers for every property; colours and number formats encoded.
  static double ColorValue(SheetColor color);
  double NumberFormatValue(std::string_view numberFormat);

  // The look of a cell without a record of its own: per property the latest of the layers
  // given (later arguments win on equal stamps, which never happen).
  CellFormat Layered(const FormatLayer& sheet, const FormatLayer* column,
                     const FormatLayer* row) const;

 private:
  void SetProperty(CellFormat& format, FormatProperty property, double value) const;

  struct FormatHash {
    std::size_t operator()(const CellFormat& f) const;
  };
  struct Change {
    std::uint32_t base;
    FormatProperty property;
    double value;
    bool operator==(const Change&) const = default;
  };
  struct ChangeHash {
    std::size_t operator()(const Change& c) const;
  };

  // The changes worked out lately, by their hash, in front of changes_: most look-ups of a
  // sheet's fill repeat a few changes.
  struct RecentChange {
    Change change;
    std::uint32_t result;
  };
  static constexpr std::size_t kRecentChanges = 256;
  static constexpr std::uint32_t kNoFormat = 0xFFFFFFFF;  // no base: an unused entry

  std::vector<CellFormat> formats_;
  std::unordered_map<CellFormat, std::uint32_t, FormatHash> index_;
  std::unordered_map<Change, std::uint32_t, ChangeHash> changes_;
  std::vector<RecentChange> recent_;
  std::vector<std::string> numberFormats_;
};

// One property change applied to many formats: each format's result is worked out once per
// operation and then looked up by index.
class FormatChange {
 public:
  FormatChange(FormatTable& table, FormatProperty property, double value)
      : table_(table), property_(property), value_(value) {}

  std::uint32_t operator()(std::uint32_t base) {
    if (base >= results_.size()) results_.resize(base + 1, kNone);
    std::uint32_t& result = results_[base];
    if (result == kNone) result = table_.With(base, property_, value_);
    return result;
  }

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;
  FormatTable& table_;
  FormatProperty property_;
  double value_;
  std::vector<std::uint32_t> results_;
};

}  // namespace kvo::excel
