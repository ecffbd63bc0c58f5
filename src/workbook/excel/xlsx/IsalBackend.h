// Raw deflate through ISA-L (igzip), built where the library is found.
#pragma once

#include "workbook/excel/xlsx/DeflateBackend.h"

namespace kvo::excel {

const DeflateBackend& IsalBackend();

}  // namespace kvo::excel
