// Hyperlink records of the sheet: HLINK with its target (a place in the workbook, a file or a
// URL) and the text it shows, and HLINKTOOLTIP for a screen tip.
#pragma once

#include <cstddef>
#include <string_view>

#include "workbook/excel/resolved/ResolvedSheet.h"
#include "workbook/excel/xls/BiffStream.h"

namespace kvo::excel {

// Characters (UTF-16 units) of the target the file stores for a link, all in its one HLINK
// record: the sub-address of an internal link; the path of a file link and its sub-address; a
// URL with the place after its "#" and the sub-address (the "#" not counted).
std::size_t XlsLinkTargetLength(ResolvedLink::Kind kind, std::string_view address,
                                std::string_view subAddress);

// Writes HLINK (and HLINKTOOLTIP when the link has a screen tip). The shown text goes into the
// record when the record can hold it; the cell shows it in any case. Raises nothing beyond what
// BiffStream::Record raises.
void WriteHyperlink(BiffStream& out, const ResolvedLink& link);

}  // namespace kvo::excel
