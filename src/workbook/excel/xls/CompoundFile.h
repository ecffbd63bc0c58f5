// The compound document that holds a workbook stream: header, the stream's sectors, directory,
// sector allocation table and, past 109 table sectors, the extra table-of-tables sectors.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "workbook/excel/sink/ByteSink.h"

namespace kvo::excel {

// Streams below this size would belong in a mini stream; they are padded to it instead.
inline constexpr std::size_t kMiniStreamCutoff = 4096;

// Writes a compound document (version 3, 512-byte sectors) holding one stream under the root
// entry. A stream shorter than kMiniStreamCutoff is padded with zero bytes to that size, which
// a workbook stream allows: readers stop at its last EOF record. Raises the spreadsheet error
// when the name has more than 31 UTF-16 units or the stream exceeds what version 3 holds
// (about 2 GB); the sink raises its own failures.
void WriteCompoundFile(std::u16string_view streamName, std::span<const std::uint8_t> stream,
                       ByteSink& sink);

}  // namespace kvo::excel
