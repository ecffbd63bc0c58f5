// The exports a configuration entry matters to.  Each object kind in each space type is one
// export and one bit of an ExportSet.
#pragma once

#include <cstdint>
#include <string>

#include "model/RunCodes.h"

namespace kvo {

using ExportSet = std::uint8_t;

inline constexpr ExportSet kNoExport = 0;
inline constexpr ExportSet kItemsStructure = 0x01;
inline constexpr ExportSet kItemsCollection = 0x02;
inline constexpr ExportSet kDocsStructure = 0x04;
inline constexpr ExportSet kDocsCollection = 0x08;
inline constexpr ExportSet kFoldersStructure = 0x10;
inline constexpr ExportSet kFoldersCollection = 0x20;
inline constexpr ExportSet kItemExports = kItemsStructure | kItemsCollection;
inline constexpr ExportSet kDocExports = kDocsStructure | kDocsCollection;
inline constexpr ExportSet kFolderExports = kFoldersStructure | kFoldersCollection;
inline constexpr ExportSet kEveryExport = kItemExports | kDocExports | kFolderExports;

// The export of an object type and a space type (model/RunCodes.h); none for other codes.
constexpr ExportSet ExportOf(std::int16_t iObjectType, std::int16_t iSpaceType) {
  const bool bStructure = iSpaceType == kSpaceStructure;
  if (iSpaceType != kSpaceStructure && iSpaceType != kSpaceCollection) return kNoExport;
  switch (iObjectType) {
    case kObjectItems:
      return bStructure ? kItemsStructure : kItemsCollection;
    case kObjectDocs:
      return bStructure ? kDocsStructure : kDocsCollection;
    case kObjectFolders:
      return bStructure ? kFoldersStructure : kFoldersCollection;
    default:
      return kNoExport;
  }
}

// Both exports of an object type.
constexpr ExportSet KindExports(std::int16_t iObjectType) {
  return ExportOf(iObjectType, kSpaceStructure) | ExportOf(iObjectType, kSpaceCollection);
}

// The exports as a sentence names them, with the verb's number: "every export" (singular),
// "item exports", "item structure and document exports" (plural).  Empty for none.
std::string ExportNames(ExportSet iExports);
bool IsSingular(ExportSet iExports);

}  // namespace kvo
