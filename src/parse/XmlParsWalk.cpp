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

// Walk state: the current element is visited with bDescending set when it still needs its
// record; vParentPath holds the slot of every ancestor, so its size is the depth.  In STRUCTURE
// mode the walk never climbs back to depth 0 (one top-level object); in COLLECTION mode the
// following siblings of the first object are further top-level objects.
template <class TRecord>
void clsXMLPars::WalkStructure(const xml::Node& nFirst, const WalkKind<TRecord>& tKind) {
  Handled(kClassName, tKind.sOperation, [&] {
    RunState& run = Run();
    std::vector<TRecord>& arrMain = run.*tKind.arrMain;
    const std::string& sObjectName = run.*tKind.sObjectName;
    const std::string& sLineName = run.*tKind.sLineName;
    const std::int32_t lLowestDepth = run.iSpaceType == kSpaceStructure ? 1 : 0;

    // An empty structure line ends the children of the object that holds it.
    auto LogLineWithoutChildren = [&](const xml::Node& nLine, const xml::Node& nHolder) {
      WriteLogLine(NowText() + " " + run.sMsgErrorXmlStructure + nLine.NodeName() +
                       run.*tKind.sKindMsg + GetXAttr(nHolder, run.*tKind.sIdField) +
                       run.sMsgHaventChildren,
                   run.sLogPath);
    };
    // A line holds a child object when its first child node is an object element.
    auto HoldsObject = [&](const xml::Node& nLine, const xml::Node& nHolder) {
      if (!nLine.HasChildNodes()) {
        LogLineWithoutChildren(nLine, nHolder);
        return false;
      }
      return nLine.FirstChild().NodeName() == sObjectName;
    };

    xml::Node nCurrent = nFirst;
    bool bDescending = true;
    std::int32_t lSlot = 0;
    std::int32_t lDepth = 0;
    std::vector<std::int32_t> vParentPath;
    while (nCurrent) {
      if (bDescending) {
        arrMain.resize(static_cast<std::size_t>(lSlot) + 1);
        (this->*tKind.fnFillRecord)(nCurrent, lSlot, lDepth);
        const xml::Node nLine = nCurrent.SelectSingleNode(sLineName);
        if (nLine && HoldsObject(nLine, nCurrent)) {
          vParentPath.push_back(lSlot);
          ++lDepth;
          arrMain[static_cast<std::size_t>(lSlot)].sChildren = std::to_string(lSlot + 1) + "!";
          ++lSlot;
          nCurrent = nLine.FirstChild();
          continue;
        }
      }

      bDescending = true;
      if (lLowestDepth == 1 || lDepth != 0) {
        // The next structure line after the one that holds the current object.
        const xml::Node nLine = GetNextSiblingDefNode(nCurrent.ParentNode(), sLineName);
        if (nLine && HoldsObject(nLine, nLine.ParentNode())) {
          // Only a line beside the document element itself has no holder in the path.
          if (vParentPath.empty()) throw RunError(kErrTypeMismatch, "Type mismatch");
          ++lSlot;
          arrMain.at(static_cast<std::size_t>(vParentPath.back())).sChildren +=
              std::to_string(lSlot) + "!";
          nCurrent = nLine.FirstChild();
          continue;
        }
      } else {
        const xml::Node nNext = GetNextSiblingDefNode(nCurrent, sObjectName);
        if (nNext) {
          ++lSlot;
          nCurrent = nNext;
          continue;
        }
      }

      // No further child or sibling: climb to the object that holds the current line.
      bDescending = false;
      --lDepth;
      if (lDepth < lLowestDepth) {
        nCurrent = {};
      } else {
        if (!vParentPath.empty()) vParentPath.pop_back();
        nCurrent = nCurrent.ParentNode().ParentNode();
      }
    }
    run.lMainUBound = lSlot;
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
