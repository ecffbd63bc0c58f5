// Reading an .xls workbook back as a strict reader would: the compound document (header,
// allocation table and its extension, directory) to the workbook stream, and the stream's
// BIFF records one by one.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace kvo::fuzz {

struct XlsContents {
  std::string stream;      // the workbook stream
  std::int64_t cells = 0;  // cells of the sheet's cell records (a MULBLANK counts each)
};

// Fails (see FuzzCheck.h) at the first fault: a header field, sector chain or directory entry
// a reader would reject, a record longer than a record may be or reaching past the stream, a
// substream without BOF or EOF, a stream position that points at no record of its kind, a
// shared-string index past the table, bytes other than padding after the last EOF.
XlsContents CheckXls(std::string_view bytes);

}  // namespace kvo::fuzz
