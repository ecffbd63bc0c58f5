#include "config/Handled.h"

#include "config/Log.h"

namespace kvo {

std::string SourceName(std::string_view sOwner, std::string_view sOperation) {
  std::string sName = "kVoExportExcel:";
  sName.append(sOwner).append("[").append(sOperation).append("]");
  return sName;
}

void LogFailure(std::string_view sOwner, std::string_view sOperation) {
  LogRunError(SourceName(sOwner, sOperation));
}

void LogFailure(const std::string& sText, std::string_view sOwner, std::string_view sOperation) {
  LogRunError(sText, SourceName(sOwner, sOperation));
}

}  // namespace kvo
