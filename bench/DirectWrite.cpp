#include "DirectWrite.h"

#include <xlsxwriter.h>

#include <vector>

namespace kvo::bench {

namespace {

// The library reads 0x000000 as "no colour"; black has its own value.
lxw_color_t Color(std::uint32_t rgb) {
  return rgb == 0 ? static_cast<lxw_color_t>(LXW_COLOR_BLACK) : static_cast<lxw_color_t>(rgb);
}

lxw_format* MakeFormat(lxw_workbook* workbook, const DirectFormat& look) {
  lxw_format* format = workbook_add_format(workbook);
  switch (look.horizontal) {
    case DirectFormat::Horizontal::Left:
      format_set_align(format, LXW_ALIGN_LEFT);
      break;
    case DirectFormat::Horizontal::Center:
      format_set_align(format, LXW_ALIGN_CENTER);
      break;
    case DirectFormat::Horizontal::Right:
      format_set_align(format, LXW_ALIGN_RIGHT);
      break;
    case DirectFormat::Horizontal::General:
      break;
  }
  if (look.vertical == DirectFormat::Vertical::Top)
    format_set_align(format, LXW_ALIGN_VERTICAL_TOP);
  if (look.vertical == DirectFormat::Vertical::Center) {
    format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
  }
  if (look.wrap) format_set_text_wrap(format);
  if (!look.numberFormat.empty()) format_set_num_format(format, look.numberFormat.c_str());
  if (look.bold) format_set_bold(format);
  if (look.italic) format_set_italic(format);
  if (look.underline) format_set_underline(format, LXW_UNDERLINE_SINGLE);
  if (look.fontSize != 0) format_set_font_size(format, look.fontSize);
  if (look.fontRgb) format_set_font_color(format, Color(*look.fontRgb));
  if (look.fillRgb) {
    format_set_pattern(format, LXW_PATTERN_SOLID);
    format_set_bg_color(format, Color(*look.fillRgb));
  }
  if (look.borderTop) format_set_top(format, LXW_BORDER_THIN);
  if (look.borderBottom) format_set_bottom(format, LXW_BORDER_THIN);
  return format;
}

class Writer {
 public:
  Writer(const DirectSheet& sheet, lxw_workbook* workbook, lxw_worksheet* target)
      : sheet_(sheet), workbook_(workbook), target_(target) {}

  // The first refused call, or empty.
  std::string Write() {
    for (const DirectFormat& look : sheet_.formats) formats_.push_back(MakeFormat(workbook_, look));
    for (const DirectColumns& run : sheet_.columns) {
      Check(worksheet_set_column(target_, run.first, run.last, run.width, Format(run.format)),
            "column");
    }
    for (const DirectArea& a : sheet_.merges) {
      Check(worksheet_merge_range(target_, a.top, a.left, a.bottom, a.right, "", nullptr), "merge");
    }
    if (sheet_.defaultRowHeight) worksheet_set_default_row(target_, *sheet_.defaultRowHeight, 0);
    for (const DirectRow& row : sheet_.rows) {
      if (row.setRow) {
        Check(worksheet_set_row(target_, row.row, row.height, Format(row.format)), "row");
      }
      for (std::size_t i = row.firstCell; i < row.firstCell + row.cellCount; ++i) {
        WriteCell(row.row, sheet_.cells[i]);
      }
    }
    for (const DirectLink& link : sheet_.links) {
      Check(worksheet_write_url_opt(target_, link.row, link.col, link.target.c_str(),
                                    formats_[link.format], sheet_.Text(link.text),
                                    link.tip.empty() ? nullptr : link.tip.c_str()),
            "link");
      if (link.rewriteText) {
        Check(worksheet_write_string(target_, link.row, link.col, sheet_.Text(link.text),
                                     formats_[link.format]),
              "link text");
      }
    }
    for (const DirectName& name : sheet_.names) {
      Check(workbook_define_name(workbook_, name.name.c_str(), name.formula.c_str()), "name");
    }
    if (sheet_.landscape) worksheet_set_landscape(target_);
    if (sheet_.paperSize != 0)
      worksheet_set_paper(target_, static_cast<std::uint8_t>(sheet_.paperSize));
    if (sheet_.titleRows) {
      Check(worksheet_repeat_rows(target_, sheet_.titleRows->first, sheet_.titleRows->second),
            "title rows");
    }
    if (!sheet_.footer.empty())
      Check(worksheet_set_footer(target_, sheet_.footer.c_str()), "footer");
    if (const auto& a = sheet_.printArea) {
      Check(worksheet_print_area(target_, a->top, a->left, a->bottom, a->right), "print area");
    }
    return error_;
  }

 private:
  lxw_format* Format(std::optional<std::uint32_t> index) const {
    return index ? formats_[*index] : nullptr;
  }
  void WriteCell(std::int32_t row, const DirectCell& cell) {
    lxw_format* format = formats_[cell.format];
    switch (cell.kind) {
      case DirectCell::Kind::Number:
        Check(worksheet_write_number(target_, row, cell.col, cell.number, format), "cell");
        break;
      case DirectCell::Kind::Text:
        Check(worksheet_write_string(target_, row, cell.col, sheet_.Text(cell.text), format),
              "cell");
        break;
      case DirectCell::Kind::Blank:
        Check(worksheet_write_blank(target_, row, cell.col, format), "cell");
        break;
    }
  }
  void Check(lxw_error error, const char* what) {
    if (error != LXW_NO_ERROR && error_.empty())
      error_ = std::string(what) + ": " + lxw_strerror(error);
  }

  const DirectSheet& sheet_;
  lxw_workbook* workbook_;
  lxw_worksheet* target_;
  std::vector<lxw_format*> formats_;
  std::string error_;
};

}  // namespace

std::string WriteDirect(const DirectSheet& sheet, const std::string& path) {
  lxw_workbook* workbook = workbook_new(path.c_str());
  if (workbook == nullptr) return "cannot start a workbook";
  lxw_worksheet* target = workbook_add_worksheet(workbook, sheet.name.c_str());
  std::string error =
      target == nullptr ? "cannot add the sheet" : Writer(sheet, workbook, target).Write();
  const lxw_error closed = workbook_close(workbook);
  if (error.empty() && closed != LXW_NO_ERROR) error = lxw_strerror(closed);
  return error;
}

}  // namespace kvo::bench
