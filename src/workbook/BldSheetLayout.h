// The fixed rows and width of the sheet: the caption table in rows 1 and 2, the main panel's bar,
// caption row and first object row, and the width of the property panel and print area.
#pragma once

#include <cstdint>

namespace kvo::bld {

inline constexpr std::int32_t kMainBarRow = 4;
inline constexpr std::int32_t kMainCaptionRow = 5;
// Row of the main panel's first object; the links of the panel rows start here too.
inline constexpr std::int32_t kMainFirstRow = 6;
inline constexpr std::int32_t kPanelWidth = 6;

}  // namespace kvo::bld
