// A hyperlink as libxlsxwriter takes it.
#include "support/oracle/OracleLinks.h"

#include "workbook/excel/xlsx/LinkTargets.h"

namespace kvo::excel::oracle {

std::string LinkArgument(ResolvedLink::Kind kind, std::string_view address,
                         std::string_view subAddress) {
  std::string anchor = subAddress.empty() ? "" : "#" + std::string(subAddress);
  switch (kind) {
    case ResolvedLink::Kind::Internal:
      return "internal:" + std::string(subAddress);
    case ResolvedLink::Kind::File:
      return "external:" + EscapedFileName(address) + anchor;
    case ResolvedLink::Kind::Url:
      break;
  }
  return std::string(address) + anchor;
}

}  // namespace kvo::excel::oracle
