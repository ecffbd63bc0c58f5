// The text of one XML part, collected in a buffer and handed to a sink in large pieces.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/excel/sink/ByteSink.h"

namespace kvo::excel {

// Longest text FormatNumber writes.
inline constexpr std::size_t kMaxNumberText = 32;

// The number with up to 16 significant digits, without trailing zeros, in exponent form
// ("1E+20", "1E-07") when its exponent is below -4 or above 15: the text C's "%.16G" gives,
// whatever the locale. Writes into out (kMaxNumberText chars) and returns the length; raises
// nothing.
std::size_t FormatNumber(double value, char* out);

// Appending raises nothing but std::bad_alloc; only MaybeFlush and Flush hand bytes to the sink
// and raise what it raises.
class XmlStream {
 public:
  explicit XmlStream(ByteSink& out);
  XmlStream(const XmlStream&) = delete;
  XmlStream& operator=(const XmlStream&) = delete;

  // The declaration each part starts with, and the line break after it.
  XmlStream& Declaration();
  // Markup as it is.
  XmlStream& Raw(std::string_view markup) {
    buffer_.append(markup);
    return *this;
  }
  // Character data: "&", "<" and ">" escaped; control characters other than tab and line feed
  // as "_xHHHH_", the escape the file format gives characters XML cannot hold.
  XmlStream& Text(std::string_view text);
  // ` name="value"` with "&", "<", ">", '"' and line feeds escaped; other control characters
  // than tab and carriage return, which XML cannot hold, become U+FFFD.
  XmlStream& Attr(std::string_view name, std::string_view value);
  XmlStream& Attr(std::string_view name, std::int64_t value);
  XmlStream& NumberAttr(std::string_view name, double value);
  XmlStream& Int(std::int64_t value);
  XmlStream& Number(double value);

  // Hands the buffer to the sink once it has grown large; a writer calls this between records.
  void MaybeFlush() {
    if (buffer_.size() >= kFlushSize) Flush();
  }
  // Hands everything buffered to the sink. Raises what the sink raises.
  void Flush();

 private:
  static constexpr std::size_t kFlushSize = 64 * 1024;

  ByteSink& out_;
  std::string buffer_;
};

}  // namespace kvo::excel
