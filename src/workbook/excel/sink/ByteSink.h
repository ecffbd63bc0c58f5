// Where the bytes of a workbook go: a file, memory, or the compressor of a zip entry.
#pragma once

#include <string_view>

namespace kvo::excel {

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Takes the bytes after those written before. Raises WriteError when they cannot be kept.
  virtual void Write(std::string_view bytes) = 0;
};

}  // namespace kvo::excel
