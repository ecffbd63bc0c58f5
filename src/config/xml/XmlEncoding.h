// Which encoding a document's bytes are written in, and its text as UTF-8.  The encoding is
// found by, in turn: a byte-order mark; the encoding its XML declaration names; the first bytes
// of a document in UTF-16 without a mark ("<?" as two 16-bit units) or in EBCDIC; else UTF-8.
#pragma once

#include <optional>
#include <string>

#include "config/xml/XmlFault.h"

namespace kvo::xml {

struct DecodedDocument {
  std::string sText;  // UTF-8 without a byte-order mark; after a fault, the text before it
  std::optional<XmlFault> oFault;  // its offset is in sText
};

// The text of a document read from a file.  UTF-8 is passed on unchecked (the well-formedness
// check checks it); any other encoding is converted, and bytes not valid in it, an encoding the
// platform does not know, an invalid encoding name, or a 16-bit encoding named by a declaration
// written in 8-bit characters give a fault.
DecodedDocument DecodeDocument(std::string sBytes);

// For text already in UTF-8: a fault when its XML declaration names an encoding by an invalid
// name or one the platform does not know.
std::optional<XmlFault> CheckDeclaredEncoding(const std::string& sText);

// The encoding name the XML declaration at the start of sDeclaration gives ("" for none).
// sDeclaration holds the declaration's characters, one byte each.
std::string DeclaredEncoding(const std::string& sDeclaration);

}  // namespace kvo::xml
