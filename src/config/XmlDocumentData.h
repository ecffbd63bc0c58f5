// What a loaded document holds behind its nodes: the text the tree points into, the tree, and
// the selections compiled for it.
#pragma once

#include <kvoexportexcel/XmlDom.h>

#include <pugixml.hpp>
#include <string>

#include "config/XPathQueries.h"

namespace kvo::xml {

struct DocumentData {
  std::string sText;  // parsed in place: the tree's names and values live here
  pugi::xml_document tTree;
  XPathQueries tQueries;
};

}  // namespace kvo::xml
