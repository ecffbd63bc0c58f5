// Reader of an "ini" document written in XML: the run's configuration and the setup string.
// It keeps one loaded document and one current node, and answers label, field-name and
// ordered-list lookups.  It never writes to the log: loads report a ready log line through
// sErr, lookups give empty results or raise RunError as each operation states.
#pragma once

#include <kvoexportexcel/Api.h>

#include <kvoexportexcel/XmlDom.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace kvo {

// Sorted order of ordered children: entry k is (position in the node list, its "ORDER").
class KVO_API OrderTable {
 public:
  void Redim(std::int32_t lCount);
  std::int32_t Count() const { return static_cast<std::int32_t>(vPos_.size()); }
  // lPart 0: position in the node list; lPart 1: ORDER value.  Outside: RunError 9.
  std::int32_t operator()(std::int32_t lPart, std::int32_t lEntry) const;
  std::int32_t& At(std::int32_t lPart, std::int32_t lEntry);

 private:
  std::vector<std::int32_t> vPos_;
  std::vector<std::int32_t> vOrder_;
};

class KVO_API clsXMLIniData {
 public:
  clsXMLIniData();
  ~clsXMLIniData();

  // Loads a file / an XML text.  On a parse error sErr gets a dated line, on a run-time error
  // an undated one; on success sErr is left as it was.
  bool LoadXDoc(const std::string& sXDocPath, std::string& sErr);
  bool LoadXString(const std::string& sXString, std::string& sErr);

  // Makes the node that sNodePath selects (relative to the root element) the current node,
  // provided it has children.  Raises when no document is loaded or the query is invalid.
  bool SetCurNode(const std::string& sNodePath);
  std::int32_t CurNodeChildNumber() const;

  // Text of the node lblCap selects under the current node.  When sIndex is not empty on
  // entry it receives the found node's attribute sIndAttr.  Never raises.
  std::string GetLabelUseCurNode(const std::string& lblCap);
  std::string GetLabelUseCurNode(const std::string& lblCap, std::string& sIndex,
                                 const std::string& sIndAttr = "");
  // The same for the current node's child with "ORDER" = lInd.  Never raises.
  std::string GetLabelUseCurNodeByID(std::int32_t lInd);
  std::string GetLabelUseCurNodeByID(std::int32_t lInd, std::string& sIndex,
                                     const std::string& sIndAttr = "");
  // The same relative to the root element, whatever the current node.  Raises.
  std::string GetLabelUsePath(const std::string& sLblCapPath);
  std::string GetLabelUsePath(const std::string& sLblCapPath, std::string& sIndex,
                              const std::string& sIndAttr = "");
  // SetCurNode(sParentPath), then GetLabelUseCurNodeByID.  Moves the current node.
  std::string GetLabelUsePathByID(const std::string& sParentPath, std::int32_t lInd);
  std::string GetLabelUsePathByID(const std::string& sParentPath, std::int32_t lInd,
                                  std::string& sIndex);
  // "FIELD" of the current node's child with "ORDER" = lInd; sAlterName without current node
  // or match.  Never raises.
  std::string GetFieldNameUseCurNodeByID(std::int32_t lInd, const std::string& sAlterName = "");
  // Element name (or "FIELD") of the current node's child whose whole text equals sLabel.
  // Never raises.
  std::string GetNodeNameUseCurNodeByLabel(const std::string& sLabel, bool bWithPosition = false);
  std::string GetNodeNameUseCurNodeByLabel(const std::string& sLabel, bool bWithPosition,
                                           std::string& sPos, const std::string& sPosAttr = "");
  std::string GetFieldNameUseCurNodeByLabel(const std::string& sLabel, bool bWithPosition = false);
  std::string GetFieldNameUseCurNodeByLabel(const std::string& sLabel, bool bWithPosition,
                                            std::string& sPos, const std::string& sPosAttr = "");
  // SetCurNode(sParentPath), then GetNodeNameUseCurNodeByLabel.  Moves the current node.
  std::string GetNodeNameUsePathByLabel(const std::string& sParentPath, const std::string& sLabel);
  // Attribute of an element; empty when missing.  Raises for an unset element.
  std::string GetAttrValue(const xml::Node& oElement, const std::string& attrName) const;
  // Rows needed to lay out the visible attributes, two columns each.  Raises for iColPerRow < 2
  // when there is something to lay out.
  std::int32_t GetAttrRows(const std::string& sAttrXPath, const std::string& sVisib,
                           std::int16_t iColPerRow) const;
  // Children of sAttrPath with a positive "ORDER", in document order, with arrOrder giving the
  // sorted order; nothing (lAttrCount -1) when the path or such children are missing.  Moves the
  // current node.
  std::optional<xml::NodeList> GetOrderedAttrList(const std::string& sAttrPath,
                                                  std::int32_t& lAttrCount, OrderTable& arrOrder);

  // Sees every query that the readers of this thread run: the reader, the node the query ran from
  // (the root element or the current node), the query, and what it found (the one node, or the
  // ordered children; nothing when nothing matched).  Tests and the configuration check use it.
  using QueryHook = void (*)(void* pContext, const clsXMLIniData& oReader, const xml::Node& oFrom,
                             const std::string& sQuery, const xml::NodeList& vFound);
  // Installs fnHook for this thread (nullptr: none) and returns the hook and context it replaces.
  // Without a hook a query costs one test more.
  static std::pair<QueryHook, void*> SetQueryHook(QueryHook fnHook, void* pContext);

 private:
  bool Load(const std::string& sSource, bool bFromFile, std::string& sErr);
  void SortOrder(OrderTable& arrOrder, std::int32_t lLast) const;
  xml::Node Root() const;
  xml::Node SelectOne(const xml::Node& oFrom, const std::string& sQuery);
  // The label look-ups' one implementation: sLabel gets the text of the node sQuery selects from
  // oFrom (left as it is when none), and sIndex, when not empty, the node's attribute sIndAttr.
  // Raises what the selection raises.
  void ReadLabel(const xml::Node& oFrom, const std::string& sQuery, std::string& sLabel,
                 std::string& sIndex, const std::string& sIndAttr);

  std::shared_ptr<xml::Document> oDoc_;
  xml::Node oCurNode_;
  std::shared_ptr<xml::Document> oCurNodeDoc_;  // keeps the current node's document alive
  // Single-node selections since the load: by the node they start from, then by query.
  struct QueryHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view sQuery) const noexcept {
      return std::hash<std::string_view>{}(sQuery);
    }
  };
  std::unordered_map<const void*,
                     std::unordered_map<std::string, xml::Node, QueryHash, std::equal_to<>>>
      mSelected_;
  std::unordered_map<const void*, std::string> mTexts_;  // label texts read since the load
};

}  // namespace kvo
