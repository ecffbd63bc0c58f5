// A workbook written to memory.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "workbook/excel/sink/ByteSink.h"

namespace kvo::excel {

class MemorySink : public ByteSink {
 public:
  // Raises std::bad_alloc when memory runs out.
  void Write(std::string_view bytes) override { bytes_.append(bytes); }

  const std::string& Bytes() const { return bytes_; }
  std::string Take() { return std::exchange(bytes_, {}); }

 private:
  std::string bytes_;
};

}  // namespace kvo::excel
