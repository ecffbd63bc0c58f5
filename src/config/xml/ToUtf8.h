// Conversion of a document's bytes from the encoding it is written in to UTF-8: the system's
// own conversion (platform/TextEncoding.h).
#pragma once

#include "platform/TextEncoding.h"

namespace kvo::xml {

using platform::ToUtf8;
using platform::Utf8Conversion;

}  // namespace kvo::xml
