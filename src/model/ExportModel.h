// The export data model: plain records that the source parser fills and the workbook builder
// reads.  Every relationship array has a companion upper bound (suffix UB); -1 means none, and
// an array that was never allocated counts as empty whatever its bound says.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kvo {

// Attribute values of one object, one entry per column of the label table they were read by;
// absent when never filled (which differs from a list of empty strings).
using AttrList = std::optional<std::vector<std::string>>;

// Entry i of an attribute list; an absent list or an index outside it is a run-time error.
const std::string& AttrAt(const AttrList& vAttr, std::int64_t i);
// Upper bound of an attribute list, -1 when absent or empty.
std::int32_t AttrUBound(const AttrList& vAttr);

// The bound a reader may walk to: the stored bound, but never past what the array holds.
template <class T>
std::int32_t ReadableUB(const std::vector<T>& arr, std::int32_t lUB) {
  const auto lLast = static_cast<std::int64_t>(arr.size()) - 1;
  return static_cast<std::int32_t>(lUB < lLast ? lUB : lLast);
}

// Identity and attributes of an item, folder, alternate or supplier.  A supplier record keeps
// its name in sDesc and its part number in sRev.
struct ObjStruct {
  std::string sID;
  std::string sDesc;
  std::string sRev;
  AttrList vAttr;
};

struct FileStruct {
  std::string sFileName;
  AttrList vAttr;
};

// Shared layout of documents and drawings; the two record types stay distinct.
struct DocFields {
  std::string sID;
  std::string sDesc;
  std::string sRev;
  AttrList vAttr;
  std::vector<FileStruct> arrFiles;
  std::int32_t lFilesUB = 0;
};
struct DocStruct : DocFields {};
struct DrawingStruct : DocFields {};

struct MnfStruct {
  std::string sID;
  std::string sName;
  std::string sMPN;
  AttrList vAttr;
  std::vector<ObjStruct> arrVnd;
  std::int32_t lVndUB = 0;
};

struct ObjItem {
  std::int32_t lLevel = 0;
  ObjStruct tItem;
  std::string sQty;
  std::string sFindNo;
  std::string sRefDes;
  AttrList vAddAttr;
  std::vector<ObjStruct> arrLAI;
  std::int32_t lLAIUB = 0;
  std::vector<MnfStruct> arrMnf;
  std::int32_t lMnfUB = 0;
  std::int16_t iVndState = 0;  // supplier state flags (model/RunCodes.h)
  std::vector<ObjStruct> arrVnd;
  std::int32_t lVndUB = 0;
  std::vector<DocStruct> arrDoc;
  std::int32_t lDocUB = 0;
  std::vector<DrawingStruct> arrDrawing;
  std::int32_t lDrawingUB = 0;
  std::vector<ObjStruct> arrFolder;
  std::int32_t lFolderUB = 0;
  std::string sChildren;
};

struct ObjDoc {
  std::int32_t lLevel = 0;
  DocStruct tDoc;
  std::string sMainFld5;
  std::string sMainFld6;
  AttrList vAddAttr;
  std::vector<ObjStruct> arrItem;
  std::int32_t lItemUB = 0;
  std::vector<ObjStruct> arrFolder;
  std::int32_t lFolderUB = 0;
  std::vector<DocStruct> arrDoc;
  std::int32_t lDocUB = 0;
  std::string sChildren;
};

struct ObjFolder {
  std::int32_t lLevel = 0;
  ObjStruct tFolder;
  std::string sMainFld5;
  AttrList vAddAttr;
  std::vector<ObjStruct> arrItem;
  std::int32_t lItemUB = 0;
  std::vector<DocStruct> arrDoc;
  std::int32_t lDocUB = 0;
  std::vector<ObjStruct> arrFolder;
  std::int32_t lFolderUB = 0;
  std::string sChildren;
};

}  // namespace kvo
