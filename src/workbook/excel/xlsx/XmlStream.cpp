// The text of one XML part, collected in a buffer and handed to a sink in large pieces.
#include "workbook/excel/xlsx/XmlStream.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace kvo::excel {

namespace {

constexpr char kHexUpper[] = "0123456789ABCDEF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// What a byte needs in character data and in attribute values.
enum class Escape : std::uint8_t { None, Entity, Control };

struct EscapeTable {
  std::array<Escape, 256> text{};
  std::array<Escape, 256> attr{};
};

constexpr EscapeTable MakeTable() {
  EscapeTable t;
  for (int c = 0; c < 0x20; ++c) {
    t.text[c] = Escape::Control;
    t.attr[c] = Escape::Control;
  }
  t.text['\t'] = t.text['\n'] = Escape::None;
  t.attr['\t'] = t.attr['\r'] = Escape::None;
  t.text['&'] = t.text['<'] = t.text['>'] = Escape::Entity;
  t.attr['&'] = t.attr['<'] = t.attr['>'] = t.attr['"'] = t.attr['\n'] = Escape::Entity;
  return t;
}

constexpr EscapeTable kEscapes = MakeTable();

std::string_view Entity(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    default:
      return "&#xA;";  // line feed, which attribute values would otherwise turn into a blank
  }
}

// Appends text with the escapes of table; control is how a control character is written.
template <class Control>
void AppendEscaped(std::string& out, std::string_view text, const std::array<Escape, 256>& table,
                   Control control) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Escape escape = table[static_cast<unsigned char>(text[i])];
    if (escape == Escape::None) continue;
    out.append(text, start, i - start);
    if (escape == Escape::Entity) {
      out.append(Entity(text[i]));
    } else {
      control(out, static_cast<unsigned char>(text[i]));
    }
    start = i + 1;
  }
  out.append(text, start, text.size() - start);
}

}  // namespace

std::size_t FormatNumber(double value, char* out) {
  // Whole numbers and quarters (levels, row heights in points) are most of what sheets hold:
  // below these magnitudes "%.16G" writes all their digits, which are written here directly.
  constexpr double kWholeBelow = 1e15;
  constexpr double kQuartersBelow = 1e13;
  const double quarters = value * 4;
  const double magnitude = std::fabs(value);
  if (magnitude < kWholeBelow && quarters == std::trunc(quarters) &&
      (magnitude < kQuartersBelow || value == std::trunc(value)) &&
      !(value == 0 && std::signbit(value))) {
    const auto count = static_cast<std::int64_t>(quarters);
    const std::uint64_t whole = static_cast<std::uint64_t>(count < 0 ? -count : count);
    char* at = out;
    if (count < 0) *at++ = '-';
    at = std::to_chars(at, out + kMaxNumberText, whole / 4).ptr;
    static constexpr std::string_view kFractions[] = {"", ".25", ".5", ".75"};
    const std::string_view fraction = kFractions[whole % 4];
    at = std::copy(fraction.begin(), fraction.end(), at);
    return static_cast<std::size_t>(at - out);
  }
  const auto result =
      std::to_chars(out, out + kMaxNumberText, value, std::chars_format::general, 16);
  for (char* p = out; p != result.ptr; ++p) {
    if (*p >= 'a' && *p <= 'z') *p = static_cast<char>(*p - 'a' + 'A');
  }
  return static_cast<std::size_t>(result.ptr - out);
}

XmlStream::XmlStream(ByteSink& out) : out_(out) {
  buffer_.reserve(kFlushSize + kFlushSize / 4);
}

XmlStream& XmlStream::Declaration() {
  return Raw("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n");
}

XmlStream& XmlStream::Text(std::string_view text) {
  AppendEscaped(buffer_, text, kEscapes.text, [](std::string& out, unsigned char c) {
    const char code[] = {'_', 'x', '0', '0', kHexUpper[c >> 4], kHexUpper[c & 0xF], '_'};
    out.append(code, sizeof code);
  });
  return *this;
}

XmlStream& XmlStream::Attr(std::string_view name, std::string_view value) {
  buffer_ += ' ';
  buffer_.append(name);
  buffer_.append("=\"");
  AppendEscaped(buffer_, value, kEscapes.attr,
                [](std::string& out, unsigned char) { out.append(kReplacement); });
  buffer_ += '"';
  return *this;
}

XmlStream& XmlStream::Attr(std::string_view name, std::int64_t value) {
  buffer_ += ' ';
  buffer_.append(name);
  buffer_.append("=\"");
  Int(value);
  buffer_ += '"';
  return *this;
}

XmlStream& XmlStream::NumberAttr(std::string_view name, double value) {
  buffer_ += ' ';
  buffer_.append(name);
  buffer_.append("=\"");
  Number(value);
  buffer_ += '"';
  return *this;
}

XmlStream& XmlStream::Int(std::int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  buffer_.append(digits, result.ptr);
  return *this;
}

XmlStream& XmlStream::Number(double value) {
  char text[kMaxNumberText];
  buffer_.append(text, FormatNumber(value, text));
  return *this;
}

void XmlStream::Flush() {
  if (buffer_.empty()) return;
  out_.Write(buffer_);
  buffer_.clear();
}

}  // namespace kvo::excel
