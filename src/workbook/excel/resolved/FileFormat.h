// What a file writer declares about its format: its limits, how long a link's stored target
// is, and the writing itself.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "workbook/excel/resolved/FileLimits.h"
#include "workbook/excel/resolved/ResolvedSheet.h"

namespace kvo::excel {

struct FileFormat {
  const char* name;  // for messages, e.g. "Office Open XML"
  FileLimits limits;
  // Characters of the target the file stores for a link (address and sub-address as given,
  // valid UTF-8); compared with limits.linkAddressLength.
  std::size_t (*linkTargetLength)(ResolvedLink::Kind kind, std::string_view address,
                                  std::string_view subAddress);
  // Writes a workbook holding the sheet to path. The file appears complete or not at all; any
  // failure raises the spreadsheet error naming path and the reason.
  void (*write)(const ResolvedSheet& sheet, const std::string& path);
};

}  // namespace kvo::excel
