// Cell text as an Office Open XML workbook must hold it.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvo::excel {

// UTF-16 units of a cell's text.
inline constexpr std::size_t kMaxCellUnits = 32767;

// Valid UTF-8 (broken sequences become U+FFFD), cut to at most 32,767 UTF-16 units (never inside
// a character; one beyond U+FFFF counts two) and with every literal "_xHHHH_" written as
// "_x005F_xHHHH_" so that readers do not decode it. The limit counts the text as readers decode
// it, so an escape counts as the one character it stands for.
std::string CellText(std::string_view raw);

// Whether CellText gives the text back as it is: ASCII without NUL and "_", within the limit.
// Lets writers skip the copy for most texts.
bool IsCellTextAsIs(std::string_view raw);

}  // namespace kvo::excel
