// The font, interior and border handles of a range.
#pragma once

#include <string_view>

#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

class SheetStore;

class Font {
 public:
  Font(SheetStore& store, const Rect& area) : store_(&store), area_(area) {}
  // "Regular", "Bold", "Italic" or "Bold Italic" (any letter case).
  void FontStyle(std::string_view style) const;
  void Size(double points) const;
  // Palette index 1 to 56 or xlColorIndexAutomatic.
  void ColorIndex(int colorIndex) const;

 private:
  SheetStore* store_;
  Rect area_;
};

class Interior {
 public:
  Interior(SheetStore& store, const Rect& area) : store_(&store), area_(area) {}
  // Palette index 1 to 56 (solid fill) or xlColorIndexNone.
  void ColorIndex(int colorIndex) const;

 private:
  SheetStore* store_;
  Rect area_;
};

// One edge of a range; the line goes on the cells along that edge.
class Border {
 public:
  Border(SheetStore& store, const Rect& area, int edge)
      : store_(&store), area_(area), edge_(edge) {}
  // xlContinuous (thin line) or xlLineStyleNone.
  void LineStyle(int style) const;

 private:
  SheetStore* store_;
  Rect area_;
  int edge_;
};

}  // namespace kvo::excel
