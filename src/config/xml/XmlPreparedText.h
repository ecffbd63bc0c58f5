// A document's text made ready for the tree parser: decoded to UTF-8, checked for
// well-formedness, with its entities replaced.  What the parse must do afterwards comes with it.
#pragma once

#include <kvoexportexcel/XmlDom.h>

#include <set>
#include <string>
#include <utility>

namespace kvo::xml {

struct PreparedText {
  std::string sText;
  ParseError tError;  // lErrorCode 0: the text is ready
  // Character references made some character data white space alone; such text is dropped
  // after the parse, as all white space between elements is.
  bool bDropSpaceText = false;
  // (element, attribute) pairs whose values are trimmed and have runs of spaces collapsed.
  std::set<std::pair<std::string, std::string>> sTokenized;
};

// bFromFile: sBytes are a file's bytes in any encoding; else they are text already in UTF-8
// (an encoding its declaration names does not apply).  A fault gives tError its line and its
// position in characters within the line.
PreparedText PrepareText(std::string sBytes, bool bFromFile);

}  // namespace kvo::xml
