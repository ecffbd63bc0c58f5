// The workbook part: the one sheet and the names defined on it, the print settings' included.
#include "workbook/excel/xlsx/WorkbookPart.h"

#include <algorithm>
#include <cctype>

#include "workbook/excel/NameRules.h"
#include "workbook/excel/store/CellAddress.h"

namespace kvo::excel {

namespace {

constexpr std::string_view kBuiltInPrefix = "_xlnm.";

std::string SortKey(std::string_view name) {
  if (name.starts_with(kBuiltInPrefix)) name.remove_prefix(kBuiltInPrefix.size());
  return AsciiLower(name);
}

}  // namespace

std::string SheetReference(const std::string& sheetName) {
  const bool plain = std::all_of(sheetName.begin(), sheetName.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '.';
  });
  if (plain && !sheetName.empty()) return sheetName;
  std::string quoted = "'";
  for (char c : sheetName) {
    if (c == '\'') quoted += '\'';
    quoted += c;
  }
  return quoted + "'";
}

std::vector<WorkbookName> DefinedNames(const ResolvedSheet& sheet) {
  const std::string prefix = SheetReference(sheet.name) + "!";
  std::vector<WorkbookName> names;
  for (const ResolvedName& name : sheet.names) {
    names.push_back({name.name, prefix + AbsoluteAddress(name.refersTo)});
  }
  if (const auto& area = sheet.page.printArea; area && *area != Rect::WholeSheet()) {
    names.push_back({std::string(kBuiltInPrefix) + "Print_Area", prefix + AbsoluteAddress(*area)});
  }
  if (const auto& rows = sheet.page.titleRows) {
    names.push_back({std::string(kBuiltInPrefix) + "Print_Titles",
                     prefix + AbsoluteAddress(Rect::WholeRows(rows->top, rows->bottom))});
  }
  std::stable_sort(names.begin(), names.end(), [](const WorkbookName& a, const WorkbookName& b) {
    return SortKey(a.name) < SortKey(b.name);
  });
  return names;
}

void WriteWorkbookPart(XmlStream& xml, const ResolvedSheet& sheet) {
  xml.Declaration().Raw(
      "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
      "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
      "<fileVersion appName=\"xl\" lastEdited=\"4\" lowestEdited=\"4\" rupBuild=\"4505\"/>"
      "<workbookPr defaultThemeVersion=\"124226\"/><bookViews><workbookView xWindow=\"240\" "
      "yWindow=\"15\" windowWidth=\"16095\" windowHeight=\"9660\"/></bookViews><sheets><sheet");
  xml.Attr("name", sheet.name).Raw(" sheetId=\"1\" r:id=\"rId1\"/></sheets>");
  const std::vector<WorkbookName> names = DefinedNames(sheet);
  if (!names.empty()) {
    xml.Raw("<definedNames>");
    for (const WorkbookName& name : names) {
      xml.Raw("<definedName").Attr("name", name.name).Raw(" localSheetId=\"0\">");
      xml.Text(name.formula).Raw("</definedName>");
      xml.MaybeFlush();
    }
    xml.Raw("</definedNames>");
  }
  xml.Raw("<calcPr calcId=\"124519\" fullCalcOnLoad=\"1\"/></workbook>");
}

}  // namespace kvo::excel
