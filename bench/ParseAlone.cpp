#include "ParseAlone.h"

#include <kvoexportexcel/XmlDom.h>
#include <libxml/parser.h>

namespace kvo::bench {

bool ParseAlone(const std::string& path) {
  xmlParserCtxtPtr ctxt = xmlNewParserCtxt();
  if (ctxt == nullptr) return false;
  // No network, no messages on the console.
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  xmlDocPtr doc = xmlCtxtReadFile(ctxt, path.c_str(), nullptr, options);
  const bool ok = doc != nullptr && ctxt->wellFormed != 0;
  if (doc != nullptr) xmlFreeDoc(doc);
  xmlFreeParserCtxt(ctxt);
  return ok;
}

bool ReadAlone(const std::string& path) {
  xml::Document doc;
  return doc.Load(path);
}

}  // namespace kvo::bench
