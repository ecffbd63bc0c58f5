// Reading a source and nothing else, two ways: the floor, libxml2 parsing the file into a
// document with the options the component used to load sources with; and the reader the export
// uses, the component's XML document (well-formedness check and tree), which the floor row is
// compared with.
#pragma once

#include <string>

namespace kvo::bench {

// libxml2 parses the file and frees the document; true when the file is well-formed.
bool ParseAlone(const std::string& path);

// The export's own reader loads the file and frees the document; true when it loaded.
bool ReadAlone(const std::string& path);

}  // namespace kvo::bench
