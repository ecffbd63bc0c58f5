// One libxlsxwriter format per entry of the resolved sheet's format table, made on first use.
#include "support/oracle/OracleFormats.h"

#include <string>

#include "workbook/excel/store/Constants.h"
#include "workbook/excel/store/SheetError.h"

namespace kvo::excel::oracle {

namespace {

// The library reads 0x000000 as "no colour"; black has its own value.
lxw_color_t WriterColor(SheetColor color) {
  const std::uint32_t rgb = color.ToRgb();
  if (rgb == 0) return static_cast<lxw_color_t>(LXW_COLOR_BLACK);
  return static_cast<lxw_color_t>(rgb);
}

}  // namespace

lxw_format* OracleFormats::For(std::uint32_t index) {
  if (index >= made_.size())
    RaiseSheetError("Cannot write the workbook: no format " + std::to_string(index));
  if (made_[index] == nullptr) made_[index] = Make(table_[index]);
  return made_[index];
}

lxw_format* OracleFormats::ForRowOrColumn(std::optional<std::uint32_t> index) {
  return index ? For(*index) : nullptr;
}

lxw_format* OracleFormats::Make(const CellFormat& look) {
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
  if (look.fontColor.IsSet()) format_set_font_color(format, WriterColor(look.fontColor));
  if (look.interiorColor.IsSet()) {
    format_set_pattern(format, LXW_PATTERN_SOLID);
    format_set_bg_color(format, WriterColor(look.interiorColor));
  }
  if (look.borderTop == xlContinuous) format_set_top(format, LXW_BORDER_THIN);
  if (look.borderBottom == xlContinuous) format_set_bottom(format, LXW_BORDER_THIN);
  return format;
}

}  // namespace kvo::excel::oracle
