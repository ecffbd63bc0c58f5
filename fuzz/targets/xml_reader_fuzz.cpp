// Fuzz target: a document through the component's XML reader, with libxml2 as the oracle. The
// first byte chooses how it is read: even, as text (LoadXML); odd, as a file (Load). The rest is
// the document. A text must get libxml2's verdict, well-formed or not (each applies its own
// limits to entity expansion, so faults of those are left out); a text without a document type
// that both load must give the same elements, attributes and texts. A file must load or be
// refused without a fault of its own.
#include <libxml/parser.h>
#include <libxml/tree.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include <kvoexportexcel/XmlDom.h>
#include "common/ExportRun.h"
#include "common/FuzzCheck.h"
#include "config/xml/XmlFault.h"

namespace {

struct Oracle {
  bool bHave = false;  // an error was reported
  int lCode = 0;
  std::string sMessage;
};

void OnError(void* pCtx, xmlErrorPtr pError) {
  auto* ctxt = static_cast<xmlParserCtxtPtr>(pCtx);
  if (pError == nullptr || pError->level < XML_ERR_ERROR) return;
  auto* pOracle = static_cast<Oracle*>(ctxt->_private);
  if (pOracle->bHave) return;
  pOracle->bHave = true;
  pOracle->lCode = pError->code;
  pOracle->sMessage = pError->message != nullptr ? pError->message : "";
}

bool IsBlank(const xmlNode* p) {
  if (p->type != XML_TEXT_NODE || p->content == nullptr) return false;
  for (const xmlChar* c = p->content; *c != 0; ++c) {
    if (*c != ' ' && *c != '\t' && *c != '\r' && *c != '\n') return false;
  }
  return true;
}

// Whitespace-only text between elements goes, as the reader drops it.
void DropBlank(xmlNodePtr p) {
  while (p != nullptr) {
    xmlNodePtr pNext = p->next;
    if (IsBlank(p)) {
      xmlUnlinkNode(p);
      xmlFreeNode(p);
    } else if (p->type == XML_ELEMENT_NODE) {
      DropBlank(p->children);
    }
    p = pNext;
  }
}

std::string Name(const xmlChar* pName, const xmlNs* pNs) {
  std::string s = reinterpret_cast<const char*>(pName);
  return pNs != nullptr && pNs->prefix != nullptr
             ? reinterpret_cast<const char*>(pNs->prefix) + (":" + s)
             : s;
}

std::string Take(xmlChar* p) {
  std::string s = p != nullptr ? reinterpret_cast<const char*>(p) : "";
  xmlFree(p);
  return s;
}

// Elements in document order with their attributes and texts, one line each.
void Describe(const xmlNode* p, std::string& sOut) {
  sOut += Name(p->name, p->ns);
  for (const xmlAttr* a = p->properties; a != nullptr; a = a->next) {
    sOut += " " + Name(a->name, a->ns) + "=" + Take(xmlNodeListGetString(p->doc, a->children, 1));
  }
  sOut += " [" + Take(xmlNodeGetContent(p)) + "]\n";
  for (const xmlNode* c = p->children; c != nullptr; c = c->next) {
    if (c->type == XML_ELEMENT_NODE) Describe(c, sOut);
  }
}

void Describe(const kvo::xml::Node& n, std::string& sOut) {
  sOut += n.NodeName();
  for (const kvo::xml::Node& a : n.SelectNodes("@*")) sOut += " " + a.NodeName() + "=" + a.Text();
  sOut += " [" + n.Text() + "]\n";
  for (const kvo::xml::Node& c : n.SelectNodes("*")) Describe(c, sOut);
}

void CompareText(std::string_view sText) {
  Oracle tOracle;
  xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
  kvo::fuzz::Require(ctxt != nullptr, "libxml2 has no parser context");
  ctxt->_private = &tOracle;
  ctxt->sax->serror = &OnError;
  xmlDocPtr pDoc =
      xmlCtxtReadMemory(ctxt, sText.data(), static_cast<int>(sText.size()), nullptr, "UTF-8",
                        XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING);
  const bool bOracle = pDoc != nullptr && ctxt->wellFormed != 0 && !tOracle.bHave;
  xmlFreeParserCtxt(ctxt);

  kvo::xml::Document doc;
  const bool bOurs = doc.LoadXML(std::string(sText));
  const kvo::xml::ParseError& err = doc.GetParseError();
  const bool bEntityLimits = (!bOracle && tOracle.lCode == XML_ERR_ENTITY_LOOP) ||
                             (!bOurs && err.lErrorCode == kvo::xml::kFaultEntityLoop);
  if (bOurs != bOracle && !bEntityLimits) {
    kvo::fuzz::Fail("verdicts differ: libxml2 " +
                    (bOracle ? std::string("loads") : "refuses: " + tOracle.sMessage) +
                    "; the reader " + (bOurs ? std::string("loads") : "refuses: " + err.sReason));
  }
  if (bOurs && bOracle && sText.find("<!DOCTYPE") == std::string_view::npos) {
    DropBlank(pDoc->children);
    std::string sExpected, sFound;
    Describe(xmlDocGetRootElement(pDoc), sExpected);
    Describe(doc.DocumentElement(), sFound);
    if (sFound != sExpected) {
      kvo::fuzz::Fail("trees differ:\nlibxml2:\n" + sExpected + "the reader:\n" + sFound);
    }
  }
  if (pDoc != nullptr) xmlFreeDoc(pDoc);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0 || size > (1u << 20)) return 0;
  const std::string_view sText(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (data[0] % 2 == 0) {
    CompareText(sText);
    return 0;
  }
  kvo::xml::Document doc;
  if (doc.Load(kvo::fuzz::WriteScratchFile("document.xml", sText))) {
    std::string sTree;
    Describe(doc.DocumentElement(), sTree);
  } else {
    kvo::fuzz::Require(doc.GetParseError().lErrorCode != 0, "a refused file without a fault");
  }
  return 0;
}
