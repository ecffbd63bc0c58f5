// A finished sheet held as plain data, ready to be handed to the spreadsheet library call by
// call: what a program that writes the same sheet straight through the library would hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvo::bench {

struct DirectFormat {
  enum class Horizontal : std::uint8_t { General, Left, Center, Right };
  enum class Vertical : std::uint8_t { Bottom, Top, Center };

  Horizontal horizontal = Horizontal::General;
  Vertical vertical = Vertical::Bottom;
  bool wrap = false;
  std::string numberFormat;  // empty: General
  bool bold = false;
  bool italic = false;
  bool underline = false;
  double fontSize = 0;                   // 0: the default size
  std::optional<std::uint32_t> fontRgb;  // 0xRRGGBB
  std::optional<std::uint32_t> fillRgb;  // solid fill
  bool borderTop = false;                // thin
  bool borderBottom = false;             // thin
};

struct DirectArea {
  std::int32_t top, left, bottom, right;  // from 0
};

struct DirectCell {
  enum class Kind : std::uint8_t { Blank, Text, Number };
  std::int32_t col = 0;  // from 0
  std::uint32_t format = 0;
  Kind kind = Kind::Blank;
  std::size_t text = 0;  // offset of the NUL-terminated text in DirectSheet::texts
  double number = 0;
};

struct DirectRow {
  std::int32_t row = 0;  // from 0
  bool setRow = false;   // height or format of its own
  double height = 15;
  std::optional<std::uint32_t> format;
  std::size_t firstCell = 0;
  std::size_t cellCount = 0;
};

struct DirectColumns {
  std::int32_t first = 0, last = 0;  // from 0
  double width = 8.43;
  std::optional<std::uint32_t> format;
};

struct DirectLink {
  std::int32_t row = 0, col = 0;  // from 0
  std::string target;             // as the library takes it ("internal:Name", ...)
  std::size_t text = 0;           // in DirectSheet::texts
  std::string tip;
  std::uint32_t format = 0;
  bool rewriteText = false;  // the library changes the shown text of file links
};

struct DirectName {
  std::string name;     // "Sheet!Name"
  std::string formula;  // "=Sheet!$5:$5"
};

struct DirectSheet {
  std::string name;
  std::optional<double> defaultRowHeight;
  std::vector<DirectFormat> formats;
  std::vector<DirectColumns> columns;
  std::vector<DirectArea> merges;
  std::vector<DirectRow> rows;
  std::vector<DirectCell> cells;  // of all rows, row by row
  std::vector<DirectLink> links;
  std::vector<DirectName> names;  // in the order they are best handed over
  std::string texts;              // NUL-terminated texts of cells and links
  bool landscape = false;
  int paperSize = 0;  // the spreadsheet's paper code; 0: the library's default
  std::optional<std::pair<std::int32_t, std::int32_t>> titleRows;  // from 0
  std::string footer;                                              // "&C..." when set
  std::optional<DirectArea> printArea;

  const char* Text(std::size_t offset) const { return texts.c_str() + offset; }
  std::size_t AddText(std::string_view text) {
    const std::size_t offset = texts.size();
    texts.append(text);
    texts.push_back('\0');
    return offset;
  }
};

}  // namespace kvo::bench
