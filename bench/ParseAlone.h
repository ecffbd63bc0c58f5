// The floor of reading a source: libxml2 parses the file into a document and frees it, with the
// options the component loads sources with, and nothing else.
#pragma once

#include <string>

namespace kvo::bench {

// True when the file is well-formed.
bool ParseAlone(const std::string& path);

}  // namespace kvo::bench
