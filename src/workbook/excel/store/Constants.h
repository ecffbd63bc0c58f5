// Object-model constants of the spreadsheet automation interface that the builder uses.
#pragma once

namespace kvo::excel {

// Horizontal alignment.
inline constexpr int xlGeneral = 1;
inline constexpr int xlLeft = -4131;
inline constexpr int xlCenter = -4108;
inline constexpr int xlRight = -4152;

// Vertical alignment (xlCenter above serves both directions).
inline constexpr int xlTop = -4160;
inline constexpr int xlBottom = -4107;

// Border edges.
inline constexpr int xlEdgeTop = 8;
inline constexpr int xlEdgeBottom = 9;

// Line styles.
inline constexpr int xlContinuous = 1;
inline constexpr int xlLineStyleNone = -4142;

// Colour indexes beside the palette entries: no fill, automatic font colour.
inline constexpr int xlColorIndexNone = -4142;
inline constexpr int xlColorIndexAutomatic = -4105;

// Page orientation.
inline constexpr int xlPortrait = 1;
inline constexpr int xlLandscape = 2;

// Paper sizes.
inline constexpr int xlPaperLetter = 1;
inline constexpr int xlPaperA4 = 9;

}  // namespace kvo::excel
