#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/XmlDom.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xpath.h>
#include <libxml/xpathInternals.h>

#include <climits>
#include <mutex>
#include <string_view>
#include <unordered_map>

namespace kvo::xml {

namespace {

constexpr std::size_t kMaxCachedQueries = 4096;

const xmlChar* X(const std::string& s) {
  return reinterpret_cast<const xmlChar*>(s.c_str());
}

std::string TakeXmlString(xmlChar* pText) {
  if (pText == nullptr) return {};
  std::string s(reinterpret_cast<const char*>(pText));
  xmlFree(pText);
  return s;
}

// The library's message on one line: it ends some with a line break and puts others on two lines
// ("... indicate encoding !\nBytes: ..."), and a log line must stay one line.
std::string TrimmedMessage(const char* pMessage) {
  std::string s = pMessage != nullptr ? pMessage : "";
  while (!s.empty() && (s.back() == '\n' || s.back() == '\r' || s.back() == ' ')) s.pop_back();
  for (char& c : s) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return s;
}

// The first error a parser context reports; later ones and warnings are ignored.
struct FirstError {
  bool bHave = false;
  ParseError tError;
};

void OnParseError(void* pCtx, xmlErrorPtr pError) {
  auto* ctxt = static_cast<xmlParserCtxtPtr>(pCtx);
  if (ctxt == nullptr || pError == nullptr || pError->level < XML_ERR_ERROR) return;
  auto* pFirst = static_cast<FirstError*>(ctxt->_private);
  if (pFirst == nullptr || pFirst->bHave) return;
  pFirst->bHave = true;
  pFirst->tError = {pError->code != 0 ? pError->code : 1, TrimmedMessage(pError->message),
                    pError->line, pError->int2};
}

bool IsBlankText(const xmlNode* pNode) {
  if (pNode->type != XML_TEXT_NODE || pNode->content == nullptr) return false;
  for (const xmlChar* p = pNode->content; *p != 0; ++p) {
    if (*p != ' ' && *p != '\t' && *p != '\r' && *p != '\n') return false;
  }
  return true;
}

// Drops whitespace-only text nodes everywhere, without recursion (deep structures are fine).
void DropBlankText(xmlDocPtr pDoc) {
  const auto pTop = reinterpret_cast<xmlNodePtr>(pDoc);
  xmlNodePtr pNode = pDoc->children;
  while (pNode != nullptr) {
    if (pNode->type == XML_ELEMENT_NODE && pNode->children != nullptr) {
      pNode = pNode->children;
      continue;
    }
    // Leave pNode (dropping it when blank) and every ancestor that has no next sibling.
    for (;;) {
      xmlNodePtr pNext = pNode->next;
      xmlNodePtr pParent = pNode->parent;
      if (IsBlankText(pNode)) {
        xmlUnlinkNode(pNode);
        xmlFreeNode(pNode);
      }
      if (pNext != nullptr) {
        pNode = pNext;
        break;
      }
      if (pParent == nullptr || pParent == pTop) {
        pNode = nullptr;
        break;
      }
      pNode = pParent;
    }
  }
}

std::string QualifiedName(const xmlChar* pName, const xmlNs* pNs) {
  std::string s = pName != nullptr ? reinterpret_cast<const char*>(pName) : "";
  if (pNs != nullptr && pNs->prefix != nullptr) {
    s = std::string(reinterpret_cast<const char*>(pNs->prefix)) + ":" + s;
  }
  return s;
}

// True when the attribute or element name (with its namespace prefix) is sName; compares in
// place, without building the qualified name.
bool NameIs(const xmlChar* pName, const xmlNs* pNs, std::string_view sName) {
  const std::string_view sLocal = pName != nullptr ? reinterpret_cast<const char*>(pName) : "";
  if (pNs == nullptr || pNs->prefix == nullptr) return sName == sLocal;
  const std::string_view sPrefix = reinterpret_cast<const char*>(pNs->prefix);
  return sName.size() == sPrefix.size() + 1 + sLocal.size() && sName.starts_with(sPrefix) &&
         sName[sPrefix.size()] == ':' && sName.ends_with(sLocal);
}

}  // namespace

struct Document::Impl {
  xmlDocPtr pDoc = nullptr;
  xmlXPathContextPtr pXPath = nullptr;
  std::unordered_map<std::string, xmlXPathCompExprPtr> mQueries;
  std::string sQueryError;

  ~Impl() { Free(); }

  void Free() {
    for (auto& [query, comp] : mQueries) xmlXPathFreeCompExpr(comp);
    mQueries.clear();
    if (pXPath != nullptr) xmlXPathFreeContext(pXPath);
    pXPath = nullptr;
    if (pDoc != nullptr) xmlFreeDoc(pDoc);
    pDoc = nullptr;
  }

  static void OnQueryError(void* pData, xmlErrorPtr pError) {
    auto* self = static_cast<Impl*>(pData);
    if (self != nullptr && pError != nullptr && self->sQueryError.empty()) {
      self->sQueryError = TrimmedMessage(pError->message);
    }
  }

  xmlXPathContextPtr Context() {
    if (pXPath == nullptr) {
      pXPath = xmlXPathNewContext(pDoc);
      if (pXPath == nullptr) throw RunError(kErrOutOfMemory, "Out of memory");
      pXPath->userData = this;
      pXPath->error = &Impl::OnQueryError;
    }
    return pXPath;
  }

  [[noreturn]] void FailQuery(const std::string& sQuery) {
    std::string sWhy = sQueryError.empty() ? "Invalid expression" : sQueryError;
    sQueryError.clear();
    throw RunError(kErrXmlQuery, "XPath error: " + sWhy + " in query '" + sQuery + "'");
  }

  // Compiles a query once per document and keeps it for the following selections.
  xmlXPathCompExprPtr Compile(const std::string& sQuery) {
    auto it = mQueries.find(sQuery);
    if (it != mQueries.end()) return it->second;
    sQueryError.clear();
    xmlXPathCompExprPtr comp = xmlXPathCtxtCompile(Context(), X(sQuery));
    if (comp == nullptr) FailQuery(sQuery);
    if (mQueries.size() < kMaxCachedQueries) mQueries.emplace(sQuery, comp);
    return comp;
  }

  std::vector<Node> Select(xmlNodePtr pFrom, const std::string& sQuery) {
    xmlXPathCompExprPtr comp = Compile(sQuery);
    const bool bCached = mQueries.count(sQuery) != 0;
    xmlXPathContextPtr ctx = Context();
    ctx->node = pFrom;
    sQueryError.clear();
    xmlXPathObjectPtr pResult = xmlXPathCompiledEval(comp, ctx);
    if (!bCached) xmlXPathFreeCompExpr(comp);
    if (pResult == nullptr) FailQuery(sQuery);
    if (pResult->type != XPATH_NODESET) {
      xmlXPathFreeObject(pResult);
      sQueryError = "Expression does not evaluate to a node set";
      FailQuery(sQuery);
    }
    std::vector<Node> vNodes;
    if (xmlNodeSetPtr set = pResult->nodesetval; set != nullptr) {
      vNodes.reserve(static_cast<std::size_t>(set->nodeNr));
      for (int i = 0; i < set->nodeNr; ++i) vNodes.emplace_back(set->nodeTab[i]);
    }
    xmlXPathFreeObject(pResult);
    return vNodes;
  }
};

namespace {

Document::Impl& ImplOf(xmlNodePtr pNode) {
  if (pNode == nullptr) throw RunError(kErrObjectNotSet, "Object variable not set");
  auto* impl = pNode->doc != nullptr ? static_cast<Document::Impl*>(pNode->doc->_private) : nullptr;
  if (impl == nullptr)
    throw RunError(kErrObjectNotSet, "Node does not belong to a loaded document");
  return *impl;
}

xmlNodePtr Need(xmlNodePtr pNode) {
  if (pNode == nullptr) throw RunError(kErrObjectNotSet, "Object variable not set");
  return pNode;
}

}  // namespace

void InitXmlLibrary() {
  static std::once_flag once;
  std::call_once(once, [] { xmlInitParser(); });
}

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
  xmlNodePtr p = Need(pNode_);
  switch (p->type) {
    case XML_ELEMENT_NODE:
    case XML_ATTRIBUTE_NODE:
      return QualifiedName(p->name, p->ns);
    case XML_TEXT_NODE:
      return "#text";
    case XML_CDATA_SECTION_NODE:
      return "#cdata-section";
    case XML_COMMENT_NODE:
      return "#comment";
    case XML_DOCUMENT_NODE:
      return "#document";
    default:
      return p->name != nullptr ? reinterpret_cast<const char*>(p->name) : "";
  }
}

std::string Node::Text() const {
  return TakeXmlString(xmlNodeGetContent(Need(pNode_)));
}

Node Node::ParentNode() const {
  return Node(Need(pNode_)->parent);
}

Node Node::FirstChild() const {
  xmlNodePtr p = Need(pNode_);
  return p->type == XML_ENTITY_REF_NODE ? Node() : Node(p->children);
}

Node Node::NextSibling() const {
  return Node(Need(pNode_)->next);
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
  xmlNodePtr p = Need(pNode_);
  if (p->type != XML_ELEMENT_NODE) return std::nullopt;
  for (xmlAttrPtr attr = p->properties; attr != nullptr; attr = attr->next) {
    if (!NameIs(attr->name, attr->ns, sName)) continue;
    // The usual value is one text node: read as it stands, without an intermediate copy.
    const xmlNode* pValue = attr->children;
    if (pValue == nullptr) return std::string();
    if (pValue->next == nullptr && pValue->type == XML_TEXT_NODE && pValue->content != nullptr) {
      return std::string(reinterpret_cast<const char*>(pValue->content));
    }
    return TakeXmlString(xmlNodeListGetString(p->doc, attr->children, 1));
  }
  return std::nullopt;
}

std::string Node::GetAttribute(const std::string& sName) const {
  return Attribute(sName).value_or(std::string());
}

Node Node::SelectSingleNode(const std::string& sQuery) const {
  std::vector<Node> vNodes = ImplOf(pNode_).Select(pNode_, sQuery);
  return vNodes.empty() ? Node() : vNodes.front();
}

NodeList Node::SelectNodes(const std::string& sQuery) const {
  return NodeList(ImplOf(pNode_).Select(pNode_, sQuery));
}

Node NodeList::Item(std::int32_t lIndex) const {
  if (lIndex < 0 || lIndex >= Length()) throw RunError(kErrSubscript, "Subscript out of range");
  return vNodes_[static_cast<std::size_t>(lIndex)];
}

// ---- Document ----

Document::Document() : pImpl_(std::make_unique<Impl>()) {
  InitXmlLibrary();
}

Document::~Document() = default;

void Document::Release() {
  pImpl_->Free();
}

bool Document::Load(const std::string& sPath) {
  return Parse(&sPath, nullptr);
}

bool Document::LoadXML(const std::string& sText) {
  return Parse(nullptr, &sText);
}

bool Document::Parse(const std::string* pPath, const std::string* pText) {
  Release();
  tParseError_ = {};
  xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
  if (ctxt == nullptr) throw RunError(kErrOutOfMemory, "Out of memory");
  FirstError tFirst;
  ctxt->_private = &tFirst;
  ctxt->sax->serror = &OnParseError;
  // No network, no DTD loading, no entity substitution; parser size limits stay in force.
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  xmlDocPtr pDoc = nullptr;
  if (pPath != nullptr) {
    pDoc = xmlCtxtReadFile(ctxt, pPath->c_str(), nullptr, options);
  } else if (pText->size() <= static_cast<std::size_t>(INT_MAX)) {
    // The text is already Unicode: an encoding named in its declaration does not apply.
    pDoc = xmlCtxtReadMemory(ctxt, pText->data(), static_cast<int>(pText->size()), nullptr, "UTF-8",
                             options);
  }
  const bool bOk = pDoc != nullptr && ctxt->wellFormed != 0 && !tFirst.bHave;
  if (!bOk) {
    if (tFirst.bHave) {
      tParseError_ = tFirst.tError;
    } else if (ctxt->lastError.code != 0) {
      tParseError_ = {ctxt->lastError.code, TrimmedMessage(ctxt->lastError.message),
                      ctxt->lastError.line, ctxt->lastError.int2};
    } else {
      tParseError_ = {
          1,
          pText != nullptr ? "The text is too large to load" : "The document could not be loaded",
          0, 0};
    }
    if (pDoc != nullptr) xmlFreeDoc(pDoc);
    xmlFreeParserCtxt(ctxt);
    return false;
  }
  xmlFreeParserCtxt(ctxt);
  DropBlankText(pDoc);
  xmlXPathOrderDocElems(pDoc);
  pDoc->_private = pImpl_.get();
  pImpl_->pDoc = pDoc;
  return true;
}

Node Document::DocumentElement() const {
  return pImpl_->pDoc != nullptr ? Node(xmlDocGetRootElement(pImpl_->pDoc)) : Node();
}

}  // namespace kvo::xml
