// Raw deflate through zlib: the back end of every build.
#pragma once

#include "workbook/excel/xlsx/DeflateBackend.h"

namespace kvo::excel {

const DeflateBackend& ZlibBackend();

}  // namespace kvo::excel
