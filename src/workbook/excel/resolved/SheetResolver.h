// Turns a worksheet into the resolved sheet its file writer reads.
#pragma once

#include "workbook/excel/resolved/ResolvedSheet.h"

namespace kvo::excel {

class Worksheet;

// The resolved view of the sheet. It refers to the sheet's texts: the sheet must stay
// unchanged while the view is read. Raises nothing.
ResolvedSheet ResolveSheet(const Worksheet& sheet);

// How a link's address reads: a place in the workbook, a file or a URL.
ResolvedLink::Kind KindOfLink(std::string_view address);

}  // namespace kvo::excel
