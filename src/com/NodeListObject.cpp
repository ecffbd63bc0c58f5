#include "com/NodeListObject.h"

#include <utility>

#include "com/AutomationError.h"
#include "com/ElementObject.h"

namespace kvo::com {

namespace {

constexpr const char* kSource = "kVoExportExcel:NodeList";

}  // namespace

NodeListObject* NodeListObject::Create(xml::NodeList vNodes) {
  return new NodeListObject(std::move(vNodes));
}

HRESULT NodeListObject::get_length(LONG* plLength) {
  if (plLength == nullptr) return E_POINTER;
  *plLength = vNodes_.Length();
  return S_OK;
}

HRESULT NodeListObject::item(LONG lIndex, IKvoElement** ppElement) {
  return Guarded(kSource, __uuidof(IKvoNodeList), [&] {
    if (ppElement == nullptr) return E_POINTER;
    *ppElement = nullptr;
    if (lIndex < 0 || lIndex >= vNodes_.Length()) return S_OK;
    *ppElement = ElementObject::Create(vNodes_.Item(lIndex), static_cast<IKvoNodeList*>(this));
    return S_OK;
  });
}

}  // namespace kvo::com
