// An element of a loaded configuration document as automation object: what GetOrderedAttrList's
// list hands out and GetAttrValue takes.
#pragma once

#include <kvoexportexcel/XmlDom.h>

#include "com/DispatchObject.h"
#include "com/kvoexportexcel_automation.h"

namespace kvo::com {

class ElementObject final : public DispatchObject<IKvoElement> {
 public:
  // A new object (one reference, the caller's) for oNode, keeping pOwner (the object that keeps
  // the node's document alive) referenced for as long as it lives. Raises std::bad_alloc.
  static ElementObject* Create(const xml::Node& oNode, IUnknown* pOwner);

  // The element behind pObject when it is one of ours; none for Nothing. False for an object
  // that is not an element of ours.
  static bool NodeOf(IUnknown* pObject, xml::Node& oNode);

  HRESULT STDMETHODCALLTYPE get_nodeName(BSTR* psName) override;
  HRESULT STDMETHODCALLTYPE get_text(BSTR* psText) override;
  HRESULT STDMETHODCALLTYPE getAttribute(BSTR sName, BSTR* psValue) override;

 private:
  ElementObject(const xml::Node& oNode, IUnknown* pOwner);
  ~ElementObject() override;
  void* QueryOwn(REFIID riid) override;

  xml::Node oNode_;
  IUnknown* pOwner_;
};

}  // namespace kvo::com
