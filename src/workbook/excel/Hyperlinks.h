// The hyperlinks of a worksheet, one per anchor cell.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

class Range;
class Worksheet;

struct Hyperlink {
  std::string address;     // file name, path or URL; empty for a place in the workbook
  std::string subAddress;  // a defined name or a reference inside the workbook
  std::string screenTip;
};

class Hyperlinks {
 public:
  static constexpr std::size_t kMaxScreenTip = 255;

  explicit Hyperlinks(Worksheet& sheet) : sheet_(&sheet) {}
  Hyperlinks(const Hyperlinks&) = delete;
  Hyperlinks& operator=(const Hyperlinks&) = delete;

  // Puts a link into the top left cell of anchor, replacing a link already there. Internal
  // links have an empty address and a sub-address; external links an address (and maybe a
  // sub-address). The cell shows textToDisplay when given; otherwise it keeps its value, and an
  // empty cell shows the address (or the sub-address). The cell gets the hyperlink look
  // (underlined, link colour) and keeps its other formats.
  // Raises for a link beyond the links a sheet of its file format holds (65,530), and for a
  // link target too long for the file. A refused link changes nothing.
  void Add(const Range& anchor, std::string_view address, std::string_view subAddress = {},
           std::string_view screenTip = {}, std::string_view textToDisplay = {});

  std::size_t Count() const { return links_.size(); }
  // True when the sheet holds as many links as its file format allows.
  bool Full() const;
  // True when the file format can store a link with this address and sub-address. The last
  // answer is kept: a caller that asks before adding a link has its target measured once.
  bool TargetFits(std::string_view address, std::string_view subAddress) const;
  const Hyperlink* At(std::int32_t row, std::int32_t col) const;
  const std::map<CellKey, Hyperlink>& Items() const { return links_; }
  void Clear() { links_.clear(); }

 private:
  // The last target TargetFits measured, for the file format it measured it for.
  struct MeasuredTarget {
    const void* format = nullptr;
    std::string address;
    std::string subAddress;
    bool fits = false;
  };

  Worksheet* sheet_;
  std::map<CellKey, Hyperlink> links_;
  mutable MeasuredTarget measured_;
};

}  // namespace kvo::excel
