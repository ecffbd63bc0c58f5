// Placeholder until the builder lands.
#include "workbook/clsBldExcel.h"

namespace kvo {

bool clsBldExcel::InitExl(const std::string&) { return false; }
bool clsBldExcel::FillExlFile() { return false; }
bool clsBldExcel::ExitExl() { return false; }

}  // namespace kvo
