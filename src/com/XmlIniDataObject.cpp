#include "com/XmlIniDataObject.h"

#include <kvoexportexcel/RunError.h>

#include <cstdint>
#include <optional>
#include <string>

#include "com/AutomationError.h"
#include "com/ElementObject.h"
#include "com/NodeListObject.h"
#include "com/Text.h"

namespace kvo::com {

namespace {

#define KVO_READER_SOURCE(operation) "kVoExportExcel:clsXMLIniData[" operation "]"

const IID& kInterface = __uuidof(_clsXMLIniData);

// The text of an in/out string parameter; empty when the caller passed none.
std::string InText(const BSTR* psText) {
  return psText != nullptr ? Utf8Of(*psText) : std::string();
}

VARIANT_BOOL BoolOf(bool b) {
  return b ? VARIANT_TRUE : VARIANT_FALSE;
}

// The order table as a (0 To 1, 0 To n - 1) array of Variants holding Longs: the element type
// scripts can index.
SAFEARRAY* OrderArray(const OrderTable& tOrder) {
  const LONG n = tOrder.Count();
  SAFEARRAYBOUND aBounds[2] = {{2, 0}, {static_cast<ULONG>(n), 0}};
  SAFEARRAY* pArray = SafeArrayCreate(VT_VARIANT, 2, aBounds);
  if (pArray == nullptr) throw std::bad_alloc();
  for (LONG k = 0; k < n; ++k) {
    for (LONG lPart = 0; lPart < 2; ++lPart) {
      LONG aIndex[2] = {lPart, k};
      VARIANT vEntry;
      VariantInit(&vEntry);
      V_VT(&vEntry) = VT_I4;
      V_I4(&vEntry) = tOrder(lPart, k);
      SafeArrayPutElement(pArray, aIndex, &vEntry);
    }
  }
  return pArray;
}

}  // namespace

HRESULT XmlIniDataObject::LoadXDoc(BSTR sXDocPath, BSTR* sErr, VARIANT_BOOL* pbLoaded) {
  return Guarded(KVO_READER_SOURCE("LoadXDoc"), kInterface, [&] {
    if (pbLoaded == nullptr) return E_POINTER;
    std::string sError = InText(sErr);
    const bool bLoaded = oReader_.LoadXDoc(Utf8Of(sXDocPath), sError);
    AssignBstr(sErr, sError);
    *pbLoaded = BoolOf(bLoaded);
    return S_OK;
  });
}

HRESULT XmlIniDataObject::LoadXString(BSTR sXString, BSTR* sErr, VARIANT_BOOL* pbLoaded) {
  return Guarded(KVO_READER_SOURCE("LoadXString"), kInterface, [&] {
    if (pbLoaded == nullptr) return E_POINTER;
    std::string sError = InText(sErr);
    const bool bLoaded = oReader_.LoadXString(Utf8Of(sXString), sError);
    AssignBstr(sErr, sError);
    *pbLoaded = BoolOf(bLoaded);
    return S_OK;
  });
}

HRESULT XmlIniDataObject::SetCurNode(BSTR sNodePath, VARIANT_BOOL* pbSet) {
  return Guarded(KVO_READER_SOURCE("SetCurNode"), kInterface, [&] {
    if (pbSet == nullptr) return E_POINTER;
    *pbSet = BoolOf(oReader_.SetCurNode(Utf8Of(sNodePath)));
    return S_OK;
  });
}

HRESULT XmlIniDataObject::get_CurNodeChildNumber(LONG* plCount) {
  return Guarded(KVO_READER_SOURCE("CurNodeChildNumber"), kInterface, [&] {
    if (plCount == nullptr) return E_POINTER;
    *plCount = oReader_.CurNodeChildNumber();
    return S_OK;
  });
}

HRESULT XmlIniDataObject::GetLabelUseCurNode(BSTR lblCap, BSTR* sIndex, BSTR sIndAttr,
                                             BSTR* psLabel) {
  return Guarded(KVO_READER_SOURCE("GetLabelUseCurNode"), kInterface, [&] {
    if (psLabel == nullptr) return E_POINTER;
    std::string sIndexText = InText(sIndex);
    Bstr sLabel(NewBstr(oReader_.GetLabelUseCurNode(Utf8Of(lblCap), sIndexText, Utf8Of(sIndAttr))));
    AssignBstr(sIndex, sIndexText);
    *psLabel = sLabel.Release();
    return S_OK;
  });
}

HRESULT XmlIniDataObject::GetLabelUseCurNodeByID(LONG lInd, BSTR* sIndex, BSTR sIndAttr,
                                                 BSTR* psLabel) {
  return Guarded(KVO_READER_SOURCE("GetLabelUseCurNodeByID"), kInterface, [&] {
    if (psLabel == nullptr) return E_POINTER;
    std::string sIndexText = InText(sIndex);
    Bstr sLabel(NewBstr(oReader_.GetLabelUseCurNodeByID(lInd, sIndexText, Utf8Of(sIndAttr))));
    AssignBstr(sIndex, sIndexText);
    *psLabel = sLabel.Release();
    return S_OK;
  });
}

HRESULT XmlIniDataObject::GetLabelUsePath(BSTR sLblCapPath, BSTR* sIndex, BSTR sIndAttr,
                                          BSTR* psLabel) {
  return Guarded(KVO_READER_SOURCE("GetLabelUsePath"), kInterface, [&] {
    if (psLabel == nullptr) return E_POINTER;
    std::string sIndexText = InText(sIndex);
    Bstr sLabel(
        NewBstr(oReader_.GetLabelUsePath(Utf8Of(sLblCapPath), sIndexText, Utf8Of(sIndAttr))));
    AssignBstr(sIndex, sIndexText);
    *psLabel = sLabel.Release();
    return S_OK;
  });
}

HRESULT XmlIniDataObject::GetLabelUsePathByID(BSTR sParentPath, LONG lInd, BSTR* sIndex,
                                              BSTR* psLabel) {
  return Guarded(KVO_READER_SOURCE("GetLabelUsePathByID"), kInterface, [&] {
    if (psLabel == nullptr) return E_POINTER;
    std::string sIndexText = InText(sIndex);
    Bstr sLabel(NewBstr(oReader_.GetLabelUsePathByID(Utf8Of(sParentPath), lInd, sIndexText)));
    AssignBstr(sIndex, sIndexText);
    *psLabel = sLabel.Release();
    return S_OK;
  });
}

HRESULT XmlIniDataObject::GetFieldNameUseCurNodeByID(LONG lInd, BSTR sAlterName, BSTR* psField) {
  return Guarded(KVO_READER_SOURCE("GetFieldNameUseCurNodeByID"), kInterface, [&] {
    if (psField == nullptr) return E_POINTER;
    *psField = NewBstr(oReader_.GetFieldNameUseCurNodeByID(lInd, Utf8Of(sAlterName)));
    return S_OK;
  });
}

HRESULT XmlIniDataObject::GetNodeNameUseCurNodeByLabel(BSTR sLabel, VARIANT_BOOL bWithPosition,
                                                       BSTR* sPos, BSTR sPosAttr, BSTR* psName) {
  return Guarded(KVO_READER_SOURCE("GetNodeNameUseCurNodeByLabel"), kInterface, [&] {
    if (psName == nullptr) return E_POINTER;
    std::string sPosText = InText(sPos);
    Bstr sName(NewBstr(oReader_.GetNodeNameUseCurNodeByLabel(
        Utf8Of(sLabel), bWithPosition != VARIANT_FALSE, sPosText, Utf8Of(sPosAttr))));
    AssignBstr(sPos, sPosText);
    *psName = sName.Release();
    return S_OK;
  });
}

HRESULT XmlIniDataObject::GetFieldNameUseCurNodeByLabel(BSTR sLabel, VARIANT_BOOL bWithPosition,
                                                        BSTR* sPos, BSTR sPosAttr, BSTR* psField) {
  return Guarded(KVO_READER_SOURCE("GetFieldNameUseCurNodeByLabel"), kInterface, [&] {
    if (psField == nullptr) return E_POINTER;
    std::string sPosText = InText(sPos);
    Bstr sField(NewBstr(oReader_.GetFieldNameUseCurNodeByLabel(
        Utf8Of(sLabel), bWithPosition != VARIANT_FALSE, sPosText, Utf8Of(sPosAttr))));
    AssignBstr(sPos, sPosText);
    *psField = sField.Release();
    return S_OK;
  });
}

HRESULT XmlIniDataObject::GetNodeNameUsePathByLabel(BSTR sParentPath, BSTR sLabel, BSTR* psName) {
  return Guarded(KVO_READER_SOURCE("GetNodeNameUsePathByLabel"), kInterface, [&] {
    if (psName == nullptr) return E_POINTER;
    *psName = NewBstr(oReader_.GetNodeNameUsePathByLabel(Utf8Of(sParentPath), Utf8Of(sLabel)));
    return S_OK;
  });
}

HRESULT XmlIniDataObject::GetAttrValue(IDispatch** oElement, BSTR attrName, BSTR* psValue) {
  return Guarded(KVO_READER_SOURCE("GetAttrValue"), kInterface, [&] {
    if (psValue == nullptr) return E_POINTER;
    xml::Node oNode;
    if (!ElementObject::NodeOf(oElement != nullptr ? *oElement : nullptr, oNode)) {
      throw RunError(kErrTypeMismatch, "Type mismatch: not an element of a configuration reader");
    }
    *psValue = NewBstr(oReader_.GetAttrValue(oNode, Utf8Of(attrName)));
    return S_OK;
  });
}

HRESULT XmlIniDataObject::GetAttrRows(BSTR sAttrXPath, BSTR sVisib, SHORT iColPerRow,
                                      LONG* plRows) {
  return Guarded(KVO_READER_SOURCE("GetAttrRows"), kInterface, [&] {
    if (plRows == nullptr) return E_POINTER;
    *plRows = oReader_.GetAttrRows(Utf8Of(sAttrXPath), Utf8Of(sVisib), iColPerRow);
    return S_OK;
  });
}

HRESULT XmlIniDataObject::GetOrderedAttrList(BSTR sAttrPath, LONG* lAttrCount, VARIANT* arrOrder,
                                             IKvoNodeList** ppList) {
  if (arrOrder != nullptr) VariantInit(arrOrder);
  if (ppList != nullptr) *ppList = nullptr;
  if (lAttrCount != nullptr) *lAttrCount = -1;
  return Guarded(KVO_READER_SOURCE("GetOrderedAttrList"), kInterface, [&] {
    if (ppList == nullptr) return E_POINTER;
    std::int32_t lLast = -1;
    OrderTable tOrder;
    std::optional<xml::NodeList> vList =
        oReader_.GetOrderedAttrList(Utf8Of(sAttrPath), lLast, tOrder);
    if (lAttrCount != nullptr) *lAttrCount = lLast;
    if (!vList) return S_OK;
    NodeListObject* pList = NodeListObject::Create(std::move(*vList));
    if (arrOrder != nullptr) {
      try {
        V_ARRAY(arrOrder) = OrderArray(tOrder);
        V_VT(arrOrder) = VT_ARRAY | VT_VARIANT;
      } catch (...) {
        pList->Release();
        throw;
      }
    }
    *ppList = pList;
    return S_OK;
  });
}

}  // namespace kvo::com
