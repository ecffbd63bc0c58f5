// The default 56-colour palette that colour indexes refer to.
#pragma once

#include <cstdint>

namespace kvo::excel {

inline constexpr int kPaletteSize = 56;

// RGB value (0xRRGGBB) of palette entry 1 to 56; raises the spreadsheet error for any other
// index.
std::uint32_t PaletteRgb(int colorIndex);

}  // namespace kvo::excel
