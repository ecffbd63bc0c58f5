#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include <cstdint>
#include <exception>
#include <utility>

#include "config/Log.h"
#include "config/TextConvert.h"

namespace kvo {

namespace {

std::string OrderQuery(std::int32_t lInd) {
  return "*[@ORDER = " + std::to_string(lInd) + "]";
}

thread_local clsXMLIniData::QueryHook tQueryHook = nullptr;
thread_local void* tQueryContext = nullptr;

// Tells the installed hook what a query found.
void Notify(const clsXMLIniData& oReader, const xml::Node& oFrom, const std::string& sQuery,
            const xml::NodeList& vFound) {
  tQueryHook(tQueryContext, oReader, oFrom, sQuery, vFound);
}

std::string ErrorDescription(std::exception_ptr pError) {
  try {
    std::rethrow_exception(pError);
  } catch (const RunError& e) {
    return e.Description();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown error";
  }
}

}  // namespace

// ---- OrderTable ----

void OrderTable::Redim(std::int32_t lCount) {
  vPos_.assign(static_cast<std::size_t>(lCount > 0 ? lCount : 0), 0);
  vOrder_.assign(vPos_.size(), 0);
}

std::int32_t OrderTable::operator()(std::int32_t lPart, std::int32_t lEntry) const {
  return const_cast<OrderTable*>(this)->At(lPart, lEntry);
}

std::int32_t& OrderTable::At(std::int32_t lPart, std::int32_t lEntry) {
  if (lPart < 0 || lPart > 1 || lEntry < 0 || lEntry >= Count()) {
    throw RunError(kErrSubscript, "Subscript out of range");
  }
  return (lPart == 0 ? vPos_ : vOrder_)[static_cast<std::size_t>(lEntry)];
}

// ---- clsXMLIniData ----

clsXMLIniData::clsXMLIniData() = default;
clsXMLIniData::~clsXMLIniData() = default;

bool clsXMLIniData::LoadXDoc(const std::string& sXDocPath, std::string& sErr) {
  return Load(sXDocPath, true, sErr);
}

bool clsXMLIniData::LoadXString(const std::string& sXString, std::string& sErr) {
  return Load(sXString, false, sErr);
}

bool clsXMLIniData::Load(const std::string& sSource, bool bFromFile, std::string& sErr) {
  mSelected_.clear();
  mTexts_.clear();
  try {
    oDoc_ = std::make_shared<xml::Document>();
    const bool bLoaded = bFromFile ? oDoc_->Load(sSource) : oDoc_->LoadXML(sSource);
    if (bLoaded) return true;
    const xml::ParseError& err = oDoc_->GetParseError();
    sErr = NowText() + (bFromFile ? " IniDoc Load Parse error: " : " String Load Parse error: ") +
           err.sReason + " On Line: " + std::to_string(err.lLine) +
           " At Position: " + std::to_string(err.lLinePos);
    return false;
  } catch (...) {
    sErr = std::string(bFromFile ? "IniDoc Load Run error: " : "String Load Run error: ") +
           ErrorDescription(std::current_exception());
    return false;
  }
}

// The document never changes once loaded, so a query from a node always finds the same node:
// each is run once and remembered until the next load.
xml::Node clsXMLIniData::SelectOne(const xml::Node& oFrom, const std::string& sQuery) {
  auto& mFromNode = mSelected_[oFrom.Key()];
  auto it = mFromNode.find(std::string_view(sQuery));
  if (it == mFromNode.end()) it = mFromNode.emplace(sQuery, oFrom.SelectSingleNode(sQuery)).first;
  const xml::Node found = it->second;
  if (tQueryHook) {
    Notify(*this, oFrom, sQuery,
           xml::NodeList(found.IsNone() ? std::vector<xml::Node>{} : std::vector{found}));
  }
  return found;
}

std::pair<clsXMLIniData::QueryHook, void*> clsXMLIniData::SetQueryHook(QueryHook fnHook,
                                                                       void* pContext) {
  const std::pair<QueryHook, void*> tPrevious{tQueryHook, tQueryContext};
  tQueryHook = fnHook;
  tQueryContext = pContext;
  return tPrevious;
}

xml::Node clsXMLIniData::Root() const {
  xml::Node root = oDoc_ ? oDoc_->DocumentElement() : xml::Node();
  if (root.IsNone())
    throw RunError(kErrObjectNotSet, "Object variable not set: no document loaded");
  return root;
}

bool clsXMLIniData::SetCurNode(const std::string& sNodePath) {
  xml::Node found = SelectOne(Root(), sNodePath);
  if (found.IsNone() || !found.HasChildNodes()) {
    oCurNode_ = xml::Node();
    oCurNodeDoc_.reset();
    return false;
  }
  oCurNode_ = found;
  oCurNodeDoc_ = oDoc_;
  return true;
}

std::int32_t clsXMLIniData::CurNodeChildNumber() const {
  return oCurNode_.IsNone() ? 0 : oCurNode_.ChildNodes().Length();
}

std::string clsXMLIniData::GetLabelUseCurNode(const std::string& lblCap) {
  std::string sIndex;
  return GetLabelUseCurNode(lblCap, sIndex, "");
}

std::string clsXMLIniData::GetLabelUseCurNode(const std::string& lblCap, std::string& sIndex,
                                              const std::string& sIndAttr) {
  std::string sResult;
  try {
    if (!oCurNode_.IsNone()) ReadLabel(oCurNode_, lblCap, sResult, sIndex, sIndAttr);
  } catch (...) {
  }
  return sResult;
}

std::string clsXMLIniData::GetLabelUseCurNodeByID(std::int32_t lInd) {
  std::string sIndex;
  return GetLabelUseCurNode(OrderQuery(lInd), sIndex, "");
}

std::string clsXMLIniData::GetLabelUseCurNodeByID(std::int32_t lInd, std::string& sIndex,
                                                  const std::string& sIndAttr) {
  return GetLabelUseCurNode(OrderQuery(lInd), sIndex, sIndAttr);
}

std::string clsXMLIniData::GetLabelUsePath(const std::string& sLblCapPath) {
  std::string sIndex;
  return GetLabelUsePath(sLblCapPath, sIndex, "");
}

std::string clsXMLIniData::GetLabelUsePath(const std::string& sLblCapPath, std::string& sIndex,
                                           const std::string& sIndAttr) {
  std::string sResult;
  ReadLabel(Root(), sLblCapPath, sResult, sIndex, sIndAttr);
  return sResult;
}

// sLabel is set before the index attribute is read, so a caller that swallows a failure of that
// read still has the label.
void clsXMLIniData::ReadLabel(const xml::Node& oFrom, const std::string& sQuery,
                              std::string& sLabel, std::string& sIndex,
                              const std::string& sIndAttr) {
  const xml::Node found = SelectOne(oFrom, sQuery);
  if (found.IsNone()) return;
  // The document does not change until the next load: each label's text is read once.
  auto [it, bNew] = mTexts_.try_emplace(found.Key());
  if (bNew) it->second = found.Text();
  sLabel = it->second;
  if (!sIndex.empty()) sIndex = found.GetAttribute(sIndAttr);
}

std::string clsXMLIniData::GetLabelUsePathByID(const std::string& sParentPath, std::int32_t lInd) {
  std::string sIndex;
  return GetLabelUsePathByID(sParentPath, lInd, sIndex);
}

std::string clsXMLIniData::GetLabelUsePathByID(const std::string& sParentPath, std::int32_t lInd,
                                               std::string& sIndex) {
  if (!SetCurNode(sParentPath)) return {};
  return GetLabelUseCurNodeByID(lInd, sIndex, "");
}

std::string clsXMLIniData::GetFieldNameUseCurNodeByID(std::int32_t lInd,
                                                      const std::string& sAlterName) {
  try {
    if (oCurNode_.IsNone()) return sAlterName;
    xml::Node found = SelectOne(oCurNode_, OrderQuery(lInd));
    if (found.IsNone()) return sAlterName;
    return found.GetAttribute("FIELD");
  } catch (...) {
    return {};
  }
}

std::string clsXMLIniData::GetNodeNameUseCurNodeByLabel(const std::string& sLabel,
                                                        bool bWithPosition) {
  std::string sPos;
  return GetNodeNameUseCurNodeByLabel(sLabel, bWithPosition, sPos, "");
}

std::string clsXMLIniData::GetNodeNameUseCurNodeByLabel(const std::string& sLabel,
                                                        bool bWithPosition, std::string& sPos,
                                                        const std::string& sPosAttr) {
  std::string sResult;
  try {
    if (oCurNode_.IsNone()) return sResult;
    // The label goes into the query as a quoted literal, so any text can be looked up.
    xml::Node found = SelectOne(oCurNode_, "*[. = " + xml::XPathLiteral(sLabel) + "]");
    if (found.IsNone()) {
      sPos.clear();
      return sResult;
    }
    sResult = found.NodeName();
    if (bWithPosition) sPos = found.GetAttribute(sPosAttr);
  } catch (...) {
  }
  return sResult;
}

std::string clsXMLIniData::GetFieldNameUseCurNodeByLabel(const std::string& sLabel,
                                                         bool bWithPosition) {
  std::string sPos;
  return GetFieldNameUseCurNodeByLabel(sLabel, bWithPosition, sPos, "");
}

std::string clsXMLIniData::GetFieldNameUseCurNodeByLabel(const std::string& sLabel,
                                                         bool bWithPosition, std::string& sPos,
                                                         const std::string& sPosAttr) {
  std::string sResult;
  try {
    if (oCurNode_.IsNone()) return sResult;
    xml::Node found = SelectOne(oCurNode_, "*[. = " + xml::XPathLiteral(sLabel) + "]");
    if (found.IsNone()) {
      sPos.clear();
      return sResult;
    }
    // A match without "FIELD" gives nothing and leaves sPos as it was.
    std::optional<std::string> sField = found.Attribute("FIELD");
    if (!sField) return sResult;
    sResult = *sField;
    if (bWithPosition) sPos = found.GetAttribute(sPosAttr);
  } catch (...) {
  }
  return sResult;
}

std::string clsXMLIniData::GetNodeNameUsePathByLabel(const std::string& sParentPath,
                                                     const std::string& sLabel) {
  if (!SetCurNode(sParentPath)) return {};
  std::string sPos;
  return GetNodeNameUseCurNodeByLabel(sLabel, false, sPos, "");
}

std::string clsXMLIniData::GetAttrValue(const xml::Node& oElement,
                                        const std::string& attrName) const {
  if (oElement.IsNone()) throw RunError(kErrObjectNotSet, "Object variable not set");
  return oElement.GetAttribute(attrName);
}

std::int32_t clsXMLIniData::GetAttrRows(const std::string& sAttrXPath, const std::string& sVisib,
                                        std::int16_t iColPerRow) const {
  const xml::Node root = Root();
  const std::string sQuery = "//" + sAttrXPath + "/*[@" + sVisib + " = 'True']";
  const xml::NodeList vVisible = root.SelectNodes(sQuery);
  if (tQueryHook) Notify(*this, root, sQuery, vVisible);
  const std::int32_t n = vVisible.Length();
  if (n == 0) return 0;
  const std::int32_t per = iColPerRow / 2;
  if (per == 0) throw RunError(11, "Division by zero");
  return n / per + (n % per != 0 ? 1 : 0);
}

std::optional<xml::NodeList> clsXMLIniData::GetOrderedAttrList(const std::string& sAttrPath,
                                                               std::int32_t& lAttrCount,
                                                               OrderTable& arrOrder) {
  lAttrCount = -1;
  if (!SetCurNode(sAttrPath)) return std::nullopt;
  const std::string sQuery = "*[@ORDER > 0]";
  xml::NodeList list = oCurNode_.SelectNodes(sQuery);
  if (tQueryHook) Notify(*this, oCurNode_, sQuery, list);
  const std::int32_t n = list.Length();
  lAttrCount = n - 1;
  if (n == 0) return std::nullopt;
  arrOrder.Redim(n);
  for (std::int32_t p = 0; p < n; ++p) {
    arrOrder.At(0, p) = p;
    arrOrder.At(1, p) = TextToLong(list.Item(p).GetAttribute("ORDER"));
  }
  SortOrder(arrOrder, lAttrCount);
  list.KeepAlive(oCurNodeDoc_);
  return list;
}

// Exchange sort by ORDER; equal values are never exchanged directly.
void clsXMLIniData::SortOrder(OrderTable& arrOrder, std::int32_t lLast) const {
  for (std::int32_t i = 0; i <= lLast; ++i) {
    for (std::int32_t j = i + 1; j <= lLast; ++j) {
      if (arrOrder(1, j) < arrOrder(1, i)) {
        std::swap(arrOrder.At(0, i), arrOrder.At(0, j));
        std::swap(arrOrder.At(1, i), arrOrder.At(1, j));
      }
    }
  }
}

}  // namespace kvo
