// The document type declaration of a document: what the well-formedness check and the entity
// expansion need of it.  Nothing outside the document is ever read: an external subset or an
// external parameter entity is noted and left alone.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>

#include "config/xml/XmlScan.h"

namespace kvo::xml {

struct DtdEntity {
  std::string sValue;  // replacement text of an internal entity, character references expanded
  bool bExternal = false;
  bool bUnparsed = false;  // an external entity with a notation (NDATA)
};

struct DtdTables {
  std::unordered_map<std::string, DtdEntity> mGeneral;
  std::unordered_map<std::string, DtdEntity> mParameter;
  // (element, attribute) pairs by their first declaration: true for a type other than CDATA,
  // whose values are trimmed and have their runs of spaces collapsed.
  std::map<std::pair<std::string, std::string>, bool> mAttributeTokenized;
};

// The five entities every document knows (lt, gt, amp, apos, quot).
bool IsPredefinedEntity(std::string_view sName);

// Reads the declaration at the cursor, which stands on "<!DOCTYPE", into tTables, moving past
// its '>'.  Raises an XmlFault for what is not well-formed, for a reference to a parameter
// entity that is not declared, or for parameter entities that refer to themselves.
void ReadDoctype(XmlScan& scan, DtdTables& tTables);

}  // namespace kvo::xml
