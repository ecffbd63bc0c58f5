// The component's own access to the tree behind a node: making nodes and reaching the tree
// node they stand for.  Hosts see nodes as opaque handles.
#pragma once

#include <kvoexportexcel/XmlDom.h>

#include <pugixml.hpp>

namespace kvo::xml {

struct NodeAccess {
  static Node Make(DocumentData* pDocument, pugi::xml_node tNode) {
    Node n;
    if (tNode) {
      n.pDocument_ = pDocument;
      n.pNode_ = tNode.internal_object();
    }
    return n;
  }
  // An attribute of tElement, or (bText) the text node an attribute holds its value in.
  static Node MakeAttribute(DocumentData* pDocument, pugi::xml_node tElement,
                            pugi::xml_attribute tAttribute, bool bText) {
    Node n = Make(pDocument, tElement);
    if (n && tAttribute) {
      n.pAttribute_ = tAttribute.internal_object();
      n.bAttributeText_ = bText;
    }
    return n;
  }
  // The tree node; for an attribute or its text, the attribute's element.
  static pugi::xml_node Tree(const Node& n) {
    return pugi::xml_node(static_cast<pugi::xml_node_struct*>(n.pNode_));
  }
  static pugi::xml_attribute TreeAttribute(const Node& n) {
    return pugi::xml_attribute(static_cast<pugi::xml_attribute_struct*>(n.pAttribute_));
  }
  static bool IsAttributeText(const Node& n) { return n.bAttributeText_; }
  static DocumentData* Data(const Node& n) { return n.pDocument_; }
};

}  // namespace kvo::xml
