// One file-writer format per distinct cell look.
#include "workbook/excel/XlsxFormats.h"

#include "workbook/excel/Constants.h"
#include "workbook/excel/SheetError.h"

namespace kvo::excel {

namespace {

// The writer reads 0x000000 as "no colour"; black has its own value.
lxw_color_t WriterColor(std::int32_t rgb) {
  if (rgb == 0) return static_cast<lxw_color_t>(LXW_COLOR_BLACK);
  return static_cast<lxw_color_t>(rgb);
}

}  // namespace

lxw_format* XlsxFormats::For(const CellFormat& look) {
  auto it = made_.find(look);
  if (it != made_.end()) return it->second;
  lxw_format* format = Make(look);
  made_.emplace(look, format);
  return format;
}

lxw_format* XlsxFormats::ForRowOrColumn(const CellFormat& look) {
  return look == CellFormat{} ? nullptr : For(look);
}

lxw_format* XlsxFormats::Make(const CellFormat& look) {
  lxw_format* format = workbook_add_format(workbook_);
  if (format == nullptr) RaiseSheetError("Cannot write the workbook: out of memory for formats");

  switch (look.horizontalAlignment) {
    case xlLeft:
      format_set_align(format, LXW_ALIGN_LEFT);
      break;
    case xlCenter:
      format_set_align(format, LXW_ALIGN_CENTER);
      break;
    case xlRight:
      format_set_align(format, LXW_ALIGN_RIGHT);
      break;
    default:
      break;  // general
  }
  if (look.verticalAlignment == xlTop) format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
  if (look.verticalAlignment == xlCenter) format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
  // Bottom is the file's default vertical alignment.

  if (look.wrapText) format_set_text_wrap(format);
  if (look.numberFormat != "General") format_set_num_format(format, look.numberFormat.c_str());
  if (look.bold) format_set_bold(format);
  if (look.italic) format_set_italic(format);
  if (look.underline) format_set_underline(format, LXW_UNDERLINE_SINGLE);
  if (look.fontSize != kDefaultFontSize) format_set_font_size(format, look.fontSize);
  if (look.fontColor != kNoColor) format_set_font_color(format, WriterColor(look.fontColor));
  if (look.interiorColor != kNoColor) {
    format_set_pattern(format, LXW_PATTERN_SOLID);
    format_set_bg_color(format, WriterColor(look.interiorColor));
  }
  if (look.borderTop == xlContinuous) format_set_top(format, LXW_BORDER_THIN);
  if (look.borderBottom == xlContinuous) format_set_bottom(format, LXW_BORDER_THIN);
  return format;
}

}  // namespace kvo::excel
