// The workbook globals: the records before the sheet that describe the whole workbook (window,
// fonts and formats, the sheet index, defined names and the shared strings).
#include "workbook/excel/xls/XlsGlobals.h"

#include "workbook/excel/xls/XlsLimits.h"
#include "workbook/excel/xls/XlsText.h"

namespace kvo::excel {

namespace {

constexpr std::uint16_t kInterfaceHdr = 0x00E1;
constexpr std::uint16_t kMms = 0x00C1;
constexpr std::uint16_t kInterfaceEnd = 0x00E2;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kWindow1 = 0x003D;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSupBook = 0x01AE;
constexpr std::uint16_t kExternSheet = 0x0017;
constexpr std::uint16_t kName = 0x0018;

constexpr std::uint16_t kUtf16CodePage = 1200;
constexpr std::uint8_t kArea3dToken = 0x3B;
constexpr std::uint8_t kPrintArea = 0x06;
constexpr std::uint8_t kPrintTitles = 0x07;

void WriteInterfaceHdr(BiffStream& out) {
  LittleEndian body;
  body.U16(kUtf16CodePage);
  out.Record(kInterfaceHdr, body);
}

void WriteMms(BiffStream& out) {
  LittleEndian body;
  body.U16(0);
  out.Record(kMms, body);
}

void WriteInterfaceEnd(BiffStream& out) {
  out.Record(kInterfaceEnd, LittleEndian());
}

void WriteCodePage(BiffStream& out) {
  LittleEndian body;
  body.U16(kUtf16CodePage);
  out.Record(kCodePage, body);
}

void WriteWindow1(BiffStream& out) {
  LittleEndian body;
  body.U16(0x0168);  // left, top, width and height in twips
  body.U16(0x001E);
  body.U16(0x4000);
  body.U16(0x2400);
  body.U16(0x0038);  // horizontal and vertical scroll bars, sheet tabs
  body.U16(0);       // the sheet shown
  body.U16(0);       // the first tab shown
  body.U16(1);       // one sheet selected
  body.U16(600);     // tab bar width in thousandths of the window
  out.Record(kWindow1, body);
}

// Returns the offset of the sheet's stream position field.
std::size_t WriteBoundSheet(BiffStream& out, const ResolvedSheet& sheet) {
  LittleEndian body;
  body.U32(0);  // filled in when the sheet starts
  body.U8(0);   // visible
  body.U8(0);   // a worksheet
  AppendShortString(body, ToUtf16(sheet.name));
  const std::size_t field = out.Position() + 4;
  out.Record(kBoundSheet, body);
  return field;
}

// The workbook itself, with its one sheet, as the book that 3-D references point into.
void WriteSupBook(BiffStream& out) {
  LittleEndian body;
  body.U16(1);       // sheets
  body.U16(0x0401);  // this workbook
  out.Record(kSupBook, body);
}

void WriteExternSheet(BiffStream& out) {
  LittleEndian body;
  body.U16(1);  // one entry: book 0, sheet 0 to sheet 0
  body.U16(0);
  body.U16(0);
  body.U16(0);
  out.Record(kExternSheet, body);
}

// A name of the sheet (the builder's block names, or a built-in name given as its one-character
// code) for an area of the sheet, as a 3-D area reference through the extern-sheet entry.
void WriteName(BiffStream& out, std::u16string_view name, bool builtIn, const Rect& area,
               std::string_view what) {
  const XlsArea cells = ToXlsArea(area, what);
  LittleEndian formula;
  formula.U8(kArea3dToken);
  formula.U16(0);  // extern-sheet entry
  formula.U16(cells.firstRow);
  formula.U16(cells.lastRow);
  formula.U16(cells.firstCol);  // absolute: the relative flags stay 0
  formula.U16(cells.lastCol);

  LittleEndian body;
  body.U16(builtIn ? 0x0020 : 0);
  body.U8(0);  // no keyboard shortcut
  body.U8(static_cast<std::uint8_t>(name.size()));
  body.U16(static_cast<std::uint16_t>(formula.Size()));
  body.U16(0);
  body.U16(1);  // local to the first sheet
  body.Zeros(4);
  AppendFlagsAndUnits(body, name);
  body.Bytes(formula.View());
  out.Record(kName, body);
}

void WriteNames(BiffStream& out, const ResolvedSheet& sheet) {
  if (const auto& area = sheet.page.printArea) {
    WriteName(out, std::u16string(1, kPrintArea), true, *area, "the print area");
  }
  if (const auto& rows = sheet.page.titleRows) {
    WriteName(out, std::u16string(1, kPrintTitles), true, *rows, "the print titles");
  }
  for (const ResolvedName& name : sheet.names) {
    WriteName(out, ToUtf16(name.name), false, name.refersTo, "name " + name.name);
  }
}

}  // namespace

std::size_t WriteGlobals(BiffStream& out, const ResolvedSheet& sheet, const XlsStyles& styles,
                         const SharedStrings& strings) {
  WriteBof(out, kGlobalsSubstream);
  WriteInterfaceHdr(out);
  WriteMms(out);
  WriteInterfaceEnd(out);
  WriteCodePage(out);
  WriteWindow1(out);
  styles.Write(out);
  const std::size_t sheetPosition = WriteBoundSheet(out, sheet);
  WriteSupBook(out);
  WriteExternSheet(out);
  WriteNames(out, sheet);
  strings.Write(out);
  WriteEof(out);
  return sheetPosition;
}

}  // namespace kvo::excel
