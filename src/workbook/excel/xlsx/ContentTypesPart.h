// The content types part: what each part of the package holds.
#pragma once

#include "workbook/excel/xlsx/XmlStream.h"

namespace kvo::excel {

// [Content_Types].xml of a one-sheet workbook; sharedStrings when it has that part. Raises what
// the stream's sink raises.
void WriteContentTypesPart(XmlStream& xml, bool sharedStrings);

}  // namespace kvo::excel
