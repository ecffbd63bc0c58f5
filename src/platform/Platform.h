// What differs between the systems the component runs on; everything else uses these and no
// system interface of its own. One implementation per system, in a file of its own.
#pragma once

namespace kvo::platform {

// Paper sizes by the spreadsheet's paper codes.
enum class Paper : int { Letter = 1, A4 = 9 };

// The paper the user's locale prints on: Letter where the locale names it, A4 where it names A4
// or anything else, or cannot be read. Never fails.
Paper UserPaper();

}  // namespace kvo::platform
