// Numeric codes of a run that the parser and the builder both test: what the export lists (space
// type), the kind of its main objects (object type) and the supplier state of an item.  The run
// state and the model keep them as 16-bit integers, because hosts and tests set them directly.
#pragma once

#include <cstdint>

namespace kvo {

// Space types (RunState::iSpaceType).
inline constexpr std::int16_t kSpaceStructure = 1;   // one top object and its whole structure
inline constexpr std::int16_t kSpaceCollection = 2;  // every top-level object

// Object types (RunState::iObjectType): the main array the run fills and the builder reads.
inline constexpr std::int16_t kObjectItems = 1;
inline constexpr std::int16_t kObjectDocs = 2;
inline constexpr std::int16_t kObjectFolders = 3;

// Supplier state of an item (ObjItem::iVndState): the set of flags below, one per kind of
// manufacturer the item has; 0 when it has no manufacturer.  Each flag gives the item's block
// one manufacturer section.
inline constexpr std::int16_t kMnfWithoutSupplier = 1;  // a manufacturer without any supplier
inline constexpr std::int16_t kMnfWithSupplier = 2;     // a manufacturer with suppliers tied to it
inline constexpr std::int16_t kMnfBothKinds = kMnfWithoutSupplier | kMnfWithSupplier;

}  // namespace kvo
