#include "com/ElementObject.h"

#include "com/AutomationError.h"
#include "com/Text.h"

namespace kvo::com {

namespace {

// Answered only by our own elements, never marshalled: tells them from other objects.
constexpr IID kIdentity = {
    0x9615e819, 0x2bae, 0x4904, {0xb6, 0x01, 0x5d, 0x65, 0xfc, 0xee, 0xa7, 0x8c}};
constexpr const char* kSource = "kVoExportExcel:Element";

}  // namespace

ElementObject* ElementObject::Create(const xml::Node& oNode, IUnknown* pOwner) {
  return new ElementObject(oNode, pOwner);
}

ElementObject::ElementObject(const xml::Node& oNode, IUnknown* pOwner)
    : oNode_(oNode), pOwner_(pOwner) {
  if (pOwner_ != nullptr) pOwner_->AddRef();
}

ElementObject::~ElementObject() {
  if (pOwner_ != nullptr) pOwner_->Release();
}

void* ElementObject::QueryOwn(REFIID riid) {
  return riid == kIdentity ? this : nullptr;
}

bool ElementObject::NodeOf(IUnknown* pObject, xml::Node& oNode) {
  oNode = xml::Node();
  if (pObject == nullptr) return true;
  ElementObject* pElement = nullptr;
  if (FAILED(pObject->QueryInterface(kIdentity, reinterpret_cast<void**>(&pElement)))) {
    return false;
  }
  oNode = pElement->oNode_;
  static_cast<IKvoElement*>(pElement)->Release();
  return true;
}

HRESULT ElementObject::get_nodeName(BSTR* psName) {
  return Guarded(kSource, __uuidof(IKvoElement), [&] {
    if (psName == nullptr) return E_POINTER;
    *psName = NewBstr(oNode_.NodeName());
    return S_OK;
  });
}

HRESULT ElementObject::get_text(BSTR* psText) {
  return Guarded(kSource, __uuidof(IKvoElement), [&] {
    if (psText == nullptr) return E_POINTER;
    *psText = NewBstr(oNode_.Text());
    return S_OK;
  });
}

HRESULT ElementObject::getAttribute(BSTR sName, BSTR* psValue) {
  return Guarded(kSource, __uuidof(IKvoElement), [&] {
    if (psValue == nullptr) return E_POINTER;
    *psValue = NewBstr(oNode_.GetAttribute(Utf8Of(sName)));
    return S_OK;
  });
}

}  // namespace kvo::com
