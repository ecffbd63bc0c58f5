// The content types part: what each part of the package holds.
#pragma once

#include "workbook/excel/xlsx/XmlStream.h"

namespace kvo::excel {

// [Content_Types].xml of a one-sheet workbook; sharedStrings when it has that part.
void WriteContentTypesPart(XmlStream& xml, bool sharedStrings);

}  // namespace kvo::excel
