// The elements GetOrderedAttrList found, as automation object: length and item(i).
#pragma once

#include <kvoexportexcel/XmlDom.h>

#include <utility>

#include "com/DispatchObject.h"
#include "com/kvoexportexcel_automation.h"

namespace kvo::com {

class NodeListObject final : public DispatchObject<IKvoNodeList> {
 public:
  // A new object (one reference, the caller's) holding vNodes, which keeps its document alive.
  // Raises std::bad_alloc.
  static NodeListObject* Create(xml::NodeList vNodes);

  HRESULT STDMETHODCALLTYPE get_length(LONG* plLength) override;
  // The element at lIndex (0-based), or null (Nothing) outside the list.
  HRESULT STDMETHODCALLTYPE item(LONG lIndex, IKvoElement** ppElement) override;

 private:
  explicit NodeListObject(xml::NodeList vNodes) : vNodes_(std::move(vNodes)) {}
  ~NodeListObject() override = default;

  xml::NodeList vNodes_;
};

}  // namespace kvo::com
