// The component on Linux and other systems with the GNU C library.
#include <langinfo.h>
#include <locale.h>

#include <cstdint>

#include "platform/Platform.h"

namespace kvo::platform {

namespace {

// Paper dimensions in millimetres, as the C library's LC_PAPER category gives them.
constexpr int kLetterHeight = 279;
constexpr int kLetterWidth = 216;

// One numeric item of the locale: the C library hands it out in place of the text pointer.
int PaperItem(nl_item item, locale_t locale) {
  return static_cast<int>(reinterpret_cast<std::intptr_t>(nl_langinfo_l(item, locale)));
}

}  // namespace

Paper UserPaper() {
  // A locale object of its own: the process's locale is never switched.
  locale_t locale = newlocale(LC_PAPER_MASK, "", static_cast<locale_t>(0));
  if (locale == static_cast<locale_t>(0)) return Paper::A4;
  const bool bLetter = PaperItem(_NL_PAPER_HEIGHT, locale) == kLetterHeight &&
                       PaperItem(_NL_PAPER_WIDTH, locale) == kLetterWidth;
  freelocale(locale);
  return bLetter ? Paper::Letter : Paper::A4;
}

}  // namespace kvo::platform
