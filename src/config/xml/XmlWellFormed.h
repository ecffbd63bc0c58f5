// The well-formedness check of a document's UTF-8 text, done before the text is parsed into a
// tree: every rule of XML 1.0 and of its namespaces that the tree parser does not check itself
// (characters, names, references, attributes, comments, declarations, one root element,
// matching end tags, nesting depth).
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "config/xml/XmlDoctype.h"

namespace kvo::xml {

// Elements may nest this deep; a document with more levels is refused.
inline constexpr std::size_t kMaxElementDepth = 257;

// A reference to a declared entity other than the five predefined ones.
struct EntityUse {
  std::size_t lOffset = 0;  // of its '&'
  std::size_t lLength = 0;  // "&name;"
  std::string_view sName;
  bool bInAttribute = false;
};

struct WellFormedFacts {
  DtdTables tDtd;
  std::vector<EntityUse> vUses;  // in document order
  // Character references put white space into character data: the tree parser keeps such text
  // even when it holds nothing else, and it is dropped afterwards.
  bool bSpaceByReference = false;
};

// Checks a whole document.  sText must be followed by a '\0' byte (as std::string's data is);
// an XmlFault is raised for the first fault, at its offset in sText.
WellFormedFacts CheckDocument(std::string_view sText);

// Checks the text an entity stands for where it is referred to in content: character data
// and whole elements, every element closed within it.  Faults are raised at lReportAt.
void CheckContentFragment(std::string_view sText, const DtdTables& tDtd, std::size_t lReportAt);

}  // namespace kvo::xml
