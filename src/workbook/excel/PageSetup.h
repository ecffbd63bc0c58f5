// The print layout of a worksheet.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "workbook/excel/store/Constants.h"
#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

class SheetStore;

class PageSetup {
 public:
  // Header and footer texts hold at most 255 characters including the section code "&C".
  static constexpr std::size_t kMaxFooterLength = 253;

  explicit PageSetup(SheetStore& store);
  PageSetup(const PageSetup&) = delete;
  PageSetup& operator=(const PageSetup&) = delete;

  // xlPortrait or xlLandscape.
  void Orientation(int orientation);
  int Orientation() const { return orientation_; }

  // xlPaperA4 or xlPaperLetter; a new sheet prints on the paper of the user's locale. Raises the
  // spreadsheet error for any other value.
  void PaperSize(int paperSize);
  int PaperSize() const { return paperSize_; }

  // Rows repeated at the top of every printed page, from any reference of them ("$A$1:$D$3"
  // means rows 1 to 3); an empty text removes them. Reads back as "$1:$3".
  void PrintTitleRows(std::string_view address);
  std::string PrintTitleRows() const;

  // Centre footer text with the spreadsheet's codes ("&P" page number, "&&" an ampersand);
  // pictures ("&G") are not supported.
  void CenterFooter(std::string_view text);
  const std::string& CenterFooter() const { return centerFooter_; }

  // Area to print, from a reference such as "$A$1:$F$40"; an empty text removes it.
  void PrintArea(std::string_view address);
  std::string PrintArea() const;

  // What the writer uses.
  std::optional<Rect> TitleRowsArea() const { return titleRows_; }
  std::optional<Rect> PrintAreaRect() const { return printArea_; }

  void Clear();

 private:
  std::optional<Rect> ParseOrRaise(std::string_view address, const char* property) const;

  SheetStore* store_;
  int orientation_ = xlPortrait;
  int paperSize_;
  std::optional<Rect> titleRows_;
  std::string centerFooter_;
  std::optional<Rect> printArea_;
};

}  // namespace kvo::excel
