// The theme part: the colours and fonts the styles' theme references resolve to.
#pragma once

#include "workbook/excel/xlsx/XmlStream.h"

namespace kvo::excel {

// xl/theme/theme1.xml: text colour black on white and Calibri as the body font, which the
// default font of the styles part names. Raises what the stream's sink raises.
void WriteThemePart(XmlStream& xml);

}  // namespace kvo::excel
