#include "config/QueryRecorder.h"

namespace kvo {

namespace {

bool IsDocument(const xml::Node& oNode) {
  return oNode.IsNone() || oNode.NodeName() == "#document";
}

}  // namespace

std::string ElementPath(const xml::Node& oElement) {
  std::string sPath;
  for (xml::Node oNode = oElement; !IsDocument(oNode.ParentNode()); oNode = oNode.ParentNode()) {
    sPath = sPath.empty() ? oNode.NodeName() : oNode.NodeName() + "/" + sPath;
  }
  return sPath;
}

QueryRecorder::QueryRecorder(std::function<bool(const clsXMLIniData&)> fnAccept)
    : fnAccept_(std::move(fnAccept)), tPrevious_(clsXMLIniData::SetQueryHook(&OnQuery, this)) {}

QueryRecorder::~QueryRecorder() {
  clsXMLIniData::SetQueryHook(tPrevious_.first, tPrevious_.second);
}

bool QueryRecorder::WasRead(const xml::Node& oElement) const {
  return sRead_.contains(oElement.Key());
}

void QueryRecorder::OnQuery(void* pContext, const clsXMLIniData& oReader, const xml::Node& oFrom,
                            const std::string& sQuery, const xml::NodeList& vFound) {
  auto& self = *static_cast<QueryRecorder*>(pContext);
  if (self.tPrevious_.first) {
    self.tPrevious_.first(self.tPrevious_.second, oReader, oFrom, sQuery, vFound);
  }
  if (!self.fnAccept_(oReader)) return;

  if (self.oRoot_.IsNone()) {
    xml::Node oRoot = oFrom;
    while (!IsDocument(oRoot.ParentNode())) oRoot = oRoot.ParentNode();
    self.oRoot_ = oRoot;
  }
  const std::string sBase = sQuery.starts_with("//") ? "" : ElementPath(oFrom);
  std::string sAsked = sBase.empty() ? sQuery : sBase + "/" + sQuery;
  if (self.sAsked_.insert(sAsked).second) self.vQueries_.push_back(std::move(sAsked));
  // An answer reads the element it found and the elements above it.
  for (const xml::Node& oFound : vFound) {
    for (xml::Node oNode = oFound; !IsDocument(oNode); oNode = oNode.ParentNode()) {
      if (!self.sRead_.insert(oNode.Key()).second) break;
    }
  }
}

}  // namespace kvo
