// What a load of a document found wrong: a number, a reason a person can act on, and where in
// the text being read it was found.  The numbers are those the XML parser used before, so that
// a fault keeps its number in the log.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kvo::xml {

enum : std::int32_t {
  kFaultInternal = 1,
  kFaultDepth = 1,  // the number the parser gave too deep a document
  kFaultDocumentEmpty = 4,
  kFaultExtraContent = 5,
  kFaultCharRef = 7,
  kFaultInvalidChar = 9,
  kFaultEntityRefSemicolon = 23,
  kFaultUndeclaredEntity = 26,
  kFaultUnparsedEntity = 28,
  kFaultExternalEntityInAttribute = 29,
  kFaultUnsupportedEncoding = 32,
  kFaultLtInAttribute = 38,
  kFaultAttributeValueStart = 39,
  kFaultAttributeValueEnd = 40,
  kFaultAttributeRedefined = 42,
  kFaultLiteral = 44,
  kFaultCommentNotFinished = 45,
  kFaultPiNotFinished = 47,
  kFaultMarkupDeclaration = 54,
  kFaultDeclaration = 57,
  kFaultDoctypeNotFinished = 61,
  kFaultCdataEndInContent = 62,
  kFaultCdataNotFinished = 63,
  kFaultReservedPiName = 64,
  kFaultSpaceRequired = 65,
  kFaultName = 68,
  kFaultGtRequired = 73,
  kFaultTagMismatch = 76,
  kFaultTagNotFinished = 77,
  kFaultStandalone = 78,
  kFaultEncodingName = 79,
  kFaultDoubleHyphen = 80,
  kFaultEncodingMismatch = 81,
  kFaultPeInInternalSubset = 88,
  kFaultEntityLoop = 89,
  kFaultVersion = 108,
  kFaultNamespace = 200,
  kFaultUndefinedPrefix = 201,
  kFaultQName = 202,
  kFaultNamespacedAttributeRedefined = 203,
  kFaultReadFile = 1549,
};

struct XmlFault {
  std::int32_t lCode = 0;
  std::string sReason;
  std::size_t lOffset = 0;  // bytes into the text that was checked
};

}  // namespace kvo::xml
