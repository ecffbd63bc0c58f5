#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/XmlDom.h>


#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "config/XmlDocumentData.h"
#include "platform/Platform.h"
#include "config/XmlDomAccess.h"
#include "config/xml/XmlFault.h"
#include "config/xml/XmlPreparedText.h"
#include "config/xml/XmlTextPosition.h"

namespace kvo::xml {

namespace {

// Comments and processing instructions are nodes as elements and text are; whitespace-only
// text is left out, escapes and line ends are read as XML reads them.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_pi;

pugi::xml_node Need(const Node& n) {
  if (n.IsNone()) throw RunError(kErrObjectNotSet, "Object variable not set");
  return NodeAccess::Tree(n);
}

bool IsNamespaceDeclaration(std::string_view sName) {
  return sName == "xmlns" || sName.starts_with("xmlns:");
}

// The first attribute from tAttribute on that is no namespace declaration.
pugi::xml_attribute SkipDeclarations(pugi::xml_attribute tAttribute) {
  while (tAttribute && IsNamespaceDeclaration(tAttribute.name())) {
    tAttribute = tAttribute.next_attribute();
  }
  return tAttribute;
}

bool IsText(pugi::xml_node_type eType) {
  return eType == pugi::node_pcdata || eType == pugi::node_cdata;
}

bool IsSpaceOnly(const char* p) {
  for (; *p != '\0'; ++p) {
    if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') return false;
  }
  return true;
}

// The next node of a walk through the tree below tTop, in document order, without recursion.
pugi::xml_node NextInTree(pugi::xml_node tNode, pugi::xml_node tTop, bool bEnter = true) {
  if (bEnter && tNode.first_child()) return tNode.first_child();
  while (tNode != tTop) {
    if (tNode.next_sibling()) return tNode.next_sibling();
    tNode = tNode.parent();
  }
  return {};
}

// Text made of white space alone (by character references) goes, as the parser leaves out the
// white space between elements.
void DropSpaceText(pugi::xml_node tTop) {
  for (pugi::xml_node n = tTop.first_child(); n;) {
    if (n.type() == pugi::node_pcdata && IsSpaceOnly(n.value())) {
      pugi::xml_node tGone = n;
      n = NextInTree(n, tTop, false);
      tGone.parent().remove_child(tGone);
    } else {
      n = NextInTree(n, tTop);
    }
  }
}

// Values of attributes declared with a type other than CDATA: trimmed, runs of spaces as one.
void NormaliseTokenized(pugi::xml_node tTop,
                        const std::set<std::pair<std::string, std::string>>& sTokenized) {
  std::pair<std::string, std::string> tKey;
  for (pugi::xml_node n = tTop.first_child(); n; n = NextInTree(n, tTop)) {
    if (n.type() != pugi::node_element) continue;
    tKey.first = n.name();
    for (pugi::xml_attribute a : n.attributes()) {
      tKey.second = a.name();
      if (sTokenized.count(tKey) == 0) continue;
      std::string sValue;
      for (const char* p = a.value(); *p != '\0'; ++p) {
        if (*p != ' ' || (!sValue.empty() && sValue.back() != ' ')) sValue.push_back(*p);
      }
      if (!sValue.empty() && sValue.back() == ' ') sValue.pop_back();
      a.set_value(sValue.c_str());
    }
  }
}

bool ReadFile(const std::string& sPath, std::string& sBytes, std::string& sError) {
  platform::FileError tError;
  std::optional<std::string> sRead = platform::ReadWholeFile(sPath, tError);
  if (!sRead) {
    sError = "Cannot read " + sPath + ": " + tError.text;
    return false;
  }
  sBytes = std::move(*sRead);
  return true;
}

}  // namespace

void InitXmlLibrary() {}

std::string XPathLiteral(const std::string& sText) {
  auto Quoted = [](char cQuote, std::string_view sPart) {
    std::string sOut(1, cQuote);
    sOut.append(sPart).push_back(cQuote);
    return sOut;
  };
  if (sText.find('\'') == std::string::npos) return Quoted('\'', sText);
  if (sText.find('"') == std::string::npos) return Quoted('"', sText);
  // Both quote kinds: the apostrophes go in as separate double-quoted parts.
  std::string sOut = "concat(";
  std::string_view sRest = sText;
  for (;;) {
    const std::size_t pos = sRest.find('\'');
    sOut.append(Quoted('\'', sRest.substr(0, pos)));
    if (pos == std::string_view::npos) break;
    sOut.append(", \"'\", ");
    sRest.remove_prefix(pos + 1);
  }
  sOut.push_back(')');
  return sOut;
}

// ---- Node ----

std::string Node::NodeName() const {
  const pugi::xml_node n = Need(*this);
  if (const pugi::xml_attribute a = NodeAccess::TreeAttribute(*this)) {
    return NodeAccess::IsAttributeText(*this) ? "#text" : a.name();
  }
  switch (n.type()) {
    case pugi::node_pcdata:
      return "#text";
    case pugi::node_cdata:
      return "#cdata-section";
    case pugi::node_comment:
      return "#comment";
    case pugi::node_document:
      return "#document";
    default:
      return n.name();
  }
}

std::string Node::Text() const {
  const pugi::xml_node n = Need(*this);
  if (const pugi::xml_attribute a = NodeAccess::TreeAttribute(*this)) return a.value();
  if (n.type() != pugi::node_element && n.type() != pugi::node_document) return n.value();
  std::string sText;
  for (pugi::xml_node d = n.first_child(); d; d = NextInTree(d, n)) {
    if (IsText(d.type())) sText += d.value();
  }
  return sText;
}

Node Node::ParentNode() const {
  const pugi::xml_node n = Need(*this);
  if (const pugi::xml_attribute a = NodeAccess::TreeAttribute(*this)) {
    return NodeAccess::IsAttributeText(*this) ? NodeAccess::MakeAttribute(pDocument_, n, a, false)
                                              : NodeAccess::Make(pDocument_, n);
  }
  return NodeAccess::Make(pDocument_, n.parent());
}

Node Node::FirstChild() const {
  const pugi::xml_node n = Need(*this);
  if (const pugi::xml_attribute a = NodeAccess::TreeAttribute(*this)) {
    // An attribute's value is its one text child.
    if (NodeAccess::IsAttributeText(*this) || *a.value() == '\0') return Node();
    return NodeAccess::MakeAttribute(pDocument_, n, a, true);
  }
  return NodeAccess::Make(pDocument_, n.first_child());
}

Node Node::NextSibling() const {
  const pugi::xml_node n = Need(*this);
  if (const pugi::xml_attribute a = NodeAccess::TreeAttribute(*this)) {
    // The attribute after this one, as attributes follow each other on their element.
    if (NodeAccess::IsAttributeText(*this)) return Node();
    return NodeAccess::MakeAttribute(pDocument_, n, SkipDeclarations(a.next_attribute()), false);
  }
  return NodeAccess::Make(pDocument_, n.next_sibling());
}

bool Node::HasChildNodes() const {
  return !FirstChild().IsNone();
}

NodeList Node::ChildNodes() const {
  std::vector<Node> vNodes;
  for (Node child = FirstChild(); child; child = child.NextSibling()) vNodes.push_back(child);
  return NodeList(std::move(vNodes));
}

std::optional<std::string> Node::Attribute(const std::string& sName) const {
  const pugi::xml_node n = Need(*this);
  if (pAttribute_ != nullptr || n.type() != pugi::node_element) return std::nullopt;
  if (IsNamespaceDeclaration(sName) || sName.find('\0') != std::string::npos) return std::nullopt;
  // Compared in place, the first character first: most names differ there.
  const char* sWanted = sName.c_str();
  for (pugi::xml_attribute a = n.first_attribute(); a; a = a.next_attribute()) {
    const char* sHas = a.name();
    if (sHas[0] == sWanted[0] && std::strncmp(sHas, sWanted, sName.size()) == 0 &&
        sHas[sName.size()] == '\0') {
      return std::string(a.value());
    }
  }
  return std::nullopt;
}

std::string Node::GetAttribute(const std::string& sName) const {
  return Attribute(sName).value_or(std::string());
}

namespace {

std::vector<Node> Select(const Node& from, const std::string& sQuery) {
  const pugi::xml_node n = Need(from);
  DocumentData* pData = NodeAccess::Data(from);
  if (pData == nullptr)
    throw RunError(kErrObjectNotSet, "Node does not belong to a loaded document");
  const CompiledQuery& tQuery = pData->tQueries.Compiled(sQuery);
  const pugi::xml_attribute a = NodeAccess::TreeAttribute(from);
  std::vector<Node> vNodes;
  if (tQuery.oChildNumber) {
    if (a) return vNodes;  // an attribute has no child elements
    for (pugi::xml_node c = n.first_child(); c; c = c.next_sibling()) {
      if (c.type() != pugi::node_element) continue;
      const pugi::xml_attribute tValue = c.attribute(tQuery.oChildNumber->sAttribute.c_str());
      if (tValue && tQuery.oChildNumber->Holds(tValue.value())) {
        vNodes.push_back(NodeAccess::Make(pData, c));
      }
    }
    return vNodes;
  }
  pugi::xpath_node_set tFound =
      tQuery.pQuery->evaluate_node_set(a ? pugi::xpath_node(a, n) : pugi::xpath_node(n));
  tFound.sort();
  vNodes.reserve(tFound.size());
  for (const pugi::xpath_node& f : tFound) {
    if (f.attribute() && IsNamespaceDeclaration(f.attribute().name())) continue;
    vNodes.push_back(f.attribute()
                         ? NodeAccess::MakeAttribute(pData, f.parent(), f.attribute(), false)
                         : NodeAccess::Make(pData, f.node()));
  }
  return vNodes;
}

}  // namespace

Node Node::SelectSingleNode(const std::string& sQuery) const {
  std::vector<Node> vNodes = Select(*this, sQuery);
  return vNodes.empty() ? Node() : vNodes.front();
}

NodeList Node::SelectNodes(const std::string& sQuery) const {
  return NodeList(Select(*this, sQuery));
}

Node NodeList::Item(std::int32_t lIndex) const {
  if (lIndex < 0 || lIndex >= Length()) throw RunError(kErrSubscript, "Subscript out of range");
  return vNodes_[static_cast<std::size_t>(lIndex)];
}

// ---- Document ----

Document::Document() = default;
Document::~Document() = default;

bool Document::Load(const std::string& sPath) {
  std::string sBytes, sError;
  if (!ReadFile(sPath, sBytes, sError)) {
    pData_.reset();
    tParseError_ = {kFaultReadFile, sError, 0, 0};
    return false;
  }
  return Parse(std::move(sBytes), true);
}

bool Document::LoadXML(const std::string& sText) {
  return Parse(sText, false);
}

bool Document::Parse(std::string sBytes, bool bFromFile) {
  pData_.reset();
  tParseError_ = {};
  PreparedText tText = PrepareText(std::move(sBytes), bFromFile);
  if (tText.tError.lErrorCode != 0) {
    tParseError_ = std::move(tText.tError);
    return false;
  }
  auto pData = std::make_unique<DocumentData>();
  pData->sText = std::move(tText.sText);
  const pugi::xml_parse_result tResult = pData->tTree.load_buffer_inplace(
      pData->sText.data(), pData->sText.size(), kParseOptions, pugi::encoding_utf8);
  if (!tResult) {
    // The check before lets through nothing the tree parser refuses; should it, its reason
    // and place are given.
    const TextPlace tPlace = PlaceOf(pData->sText, static_cast<std::size_t>(tResult.offset));
    tParseError_ = {tResult.status == pugi::status_out_of_memory ? std::int32_t{kErrOutOfMemory}
                                                                 : std::int32_t{kFaultInternal},
                    tResult.description(), tPlace.lLine, tPlace.lColumn};
    return false;
  }
  if (tText.bDropSpaceText) DropSpaceText(pData->tTree);
  if (!tText.sTokenized.empty()) NormaliseTokenized(pData->tTree, tText.sTokenized);
  pData_ = std::move(pData);
  return true;
}

Node Document::DocumentElement() const {
  return pData_ ? NodeAccess::Make(pData_.get(), pData_->tTree.document_element()) : Node();
}

}  // namespace kvo::xml
