// The structure walk: one iterative depth-first walk that gives every object element of the
// export one main record in pre-order, shared by the item, document and folder walks.  It keeps
// its own ancestor stack instead of recursing, so deep product structures cannot exhaust the
// call stack.
#include <kvoexportexcel/RunError.h>

#include <vector>

#include "config/Handled.h"
#include "config/Log.h"
#include "config/RunState.h"
#include "model/RunCodes.h"
#include "parse/clsXMLPars.h"

namespace kvo {

// What the three walks differ in: their main array, names, record filler and messages.
template <class TRecord>
struct clsXMLPars::WalkKind {
  const char* sOperation;
  std::vector<TRecord> RunState::*arrMain;
  std::string RunState::*sObjectName;
  std::string RunState::*sLineName;
  std::string RunState::*sIdField;  // names the object in structure-error lines
  std::string RunState::*sKindMsg;
  void (clsXMLPars::*fnFillRecord)(const xml::Node&, std::int32_t, std::int32_t);
};

void clsXMLPars::FillXItemStruct(const xml::Node& nFirst) {
  static const WalkKind<ObjItem> kItems{.sOperation = "FillXItemStruct",
                                        .arrMain = &RunState::arrItems,
                                        .sObjectName = &RunState::sObjItem,
                                        .sLineName = &RunState::sObjItemPsDef,
                                        .sIdField = &RunState::sItemCapFld1,
                                        .sKindMsg = &RunState::sMsgOfItem,
                                        .fnFillRecord = &clsXMLPars::FillItemOfObjItem};
  WalkStructure(nFirst, kItems);
}

void clsXMLPars::FillXDocStruct(const xml::Node& nFirst) {
  static const WalkKind<ObjDoc> kDocs{.sOperation = "FillXDocStruct",
                                      .arrMain = &RunState::arrDocs,
                                      .sObjectName = &RunState::sObjDoc,
                                      .sLineName = &RunState::sObjDocPs,
                                      .sIdField = &RunState::sDocCapFld1,
                                      .sKindMsg = &RunState::sMsgOfDoc,
                                      .fnFillRecord = &clsXMLPars::FillDocOfObjDoc};
  WalkStructure(nFirst, kDocs);
}

void clsXMLPars::FillXFoldStruct(const xml::Node& nFirst) {
  static const WalkKind<ObjFolder> kFolders{.sOperation = "FillXFoldStruct",
                                            .arrMain = &RunState::arrFolders,
                                            .sObjectName = &RunState::sObjFolder,
                                            .sLineName = &RunState::sObjFolderPs,
                                            .sIdField = &RunState::sFolderCapFld1,
                                            .sKindMsg = &RunState::sMsgOfFolder,
                                            .fnFillRecord = &clsXMLPars::FillFoldOfObjFolder};
  WalkStructure(nFirst, kFolders);
}

// One walk in progress.  The current element is visited with bDescending_ set while it still
// needs its record; vParentPath_ holds the slot of every ancestor, so its size is the depth.  In
// STRUCTURE mode the walk never climbs back to depth 0 (one top-level object); in COLLECTION
// mode the following siblings of the first object are further top-level objects.
template <class TRecord>
class clsXMLPars::StructureWalk {
 public:
  StructureWalk(clsXMLPars& oParser, const WalkKind<TRecord>& tKind, const xml::Node& nFirst)
      : oParser_(oParser),
        tKind_(tKind),
        run_(Run()),
        arrMain_(run_.*tKind.arrMain),
        lLowestDepth_(run_.iSpaceType == kSpaceStructure ? 1 : 0),
        nCurrent_(nFirst) {}

  // Walks to the end and returns the last slot filled.  A failing step raises.
  std::int32_t WalkAll() {
    while (nCurrent_) {
      if (bDescending_ && Descend()) continue;
      bDescending_ = true;
      if (NextSibling()) continue;
      Climb();
    }
    return lSlot_;
  }

 private:
  // Fills the current element's record; true when the walk moved down to its first child.
  bool Descend() {
    arrMain_.resize(static_cast<std::size_t>(lSlot_) + 1);
    (oParser_.*tKind_.fnFillRecord)(nCurrent_, lSlot_, lDepth_);
    const xml::Node nLine = nCurrent_.SelectSingleNode(run_.*tKind_.sLineName);
    if (!nLine || !HoldsObject(nLine, nCurrent_)) return false;
    vParentPath_.push_back(lSlot_);
    ++lDepth_;
    arrMain_[static_cast<std::size_t>(lSlot_)].sChildren = std::to_string(lSlot_ + 1) + "!";
    ++lSlot_;
    nCurrent_ = nLine.FirstChild();
    return true;
  }

  // True when the walk moved on to the next object beside the current one: the object of the
  // holder's next structure line, or at depth 0 of a collection the next top-level object.
  bool NextSibling() {
    if (lLowestDepth_ == 0 && lDepth_ == 0) {
      const xml::Node nNext = oParser_.GetNextSiblingDefNode(nCurrent_, run_.*tKind_.sObjectName);
      if (!nNext) return false;
      ++lSlot_;
      nCurrent_ = nNext;
      return true;
    }
    // The next structure line after the one that holds the current object.
    const xml::Node nLine =
        oParser_.GetNextSiblingDefNode(nCurrent_.ParentNode(), run_.*tKind_.sLineName);
    if (!nLine || !HoldsObject(nLine, nLine.ParentNode())) return false;
    // Only a line beside the document element itself has no holder in the path.
    if (vParentPath_.empty()) throw RunError(kErrTypeMismatch, "Type mismatch");
    ++lSlot_;
    arrMain_.at(static_cast<std::size_t>(vParentPath_.back())).sChildren +=
        std::to_string(lSlot_) + "!";
    nCurrent_ = nLine.FirstChild();
    return true;
  }

  // No further child or sibling: back up to the object that holds the current line, or the end
  // of the walk below its lowest depth.
  void Climb() {
    bDescending_ = false;
    --lDepth_;
    if (lDepth_ < lLowestDepth_) {
      nCurrent_ = {};
      return;
    }
    if (!vParentPath_.empty()) vParentPath_.pop_back();
    nCurrent_ = nCurrent_.ParentNode().ParentNode();
  }

  // A line holds a child object when its first child node is an object element; an empty line
  // ends the children of the object that holds it and is logged.
  bool HoldsObject(const xml::Node& nLine, const xml::Node& nHolder) const {
    if (!nLine.HasChildNodes()) {
      WriteLogLine(NowText() + " " + run_.sMsgErrorXmlStructure + nLine.NodeName() +
                       run_.*tKind_.sKindMsg + GetXAttr(nHolder, run_.*tKind_.sIdField) +
                       run_.sMsgHaventChildren,
                   run_.sLogPath);
      return false;
    }
    return nLine.FirstChild().NodeName() == run_.*tKind_.sObjectName;
  }

  clsXMLPars& oParser_;
  const WalkKind<TRecord>& tKind_;
  RunState& run_;
  std::vector<TRecord>& arrMain_;
  const std::int32_t lLowestDepth_;
  xml::Node nCurrent_;
  bool bDescending_ = true;
  std::int32_t lSlot_ = 0;
  std::int32_t lDepth_ = 0;
  std::vector<std::int32_t> vParentPath_;
};

template <class TRecord>
void clsXMLPars::WalkStructure(const xml::Node& nFirst, const WalkKind<TRecord>& tKind) {
  Handled(kClassName, tKind.sOperation, [&] {
    StructureWalk<TRecord> oWalk(*this, tKind, nFirst);
    Run().lMainUBound = oWalk.WalkAll();
  });
}

xml::Node clsXMLPars::GetNextSiblingDefNode(const xml::Node& nNode, const std::string& sName) {
  return Handled(kClassName, "GetNextSiblingDefNode", xml::Node(), [&]() -> xml::Node {
    for (xml::Node nSibling = nNode.NextSibling(); nSibling; nSibling = nSibling.NextSibling()) {
      if (nSibling.NodeName() == sName) return nSibling;
    }
    return {};
  });
}

}  // namespace kvo
