// The configuration reader as the creatable automation class clsXMLIniData: each operation
// calls the reader with UTF-8 strings and writes its in/out and out parameters back; what the
// reader raises reaches the host as an automation error with the reader's number and
// description.
#pragma once

#include <kvoexportexcel/clsXMLIniData.h>

#include "com/DispatchObject.h"
#include "com/kvoexportexcel_automation.h"

namespace kvo::com {

class XmlIniDataObject final : public DispatchObject<_clsXMLIniData> {
 public:
  XmlIniDataObject() = default;

  HRESULT STDMETHODCALLTYPE LoadXDoc(BSTR sXDocPath, BSTR* sErr, VARIANT_BOOL* pbLoaded) override;
  HRESULT STDMETHODCALLTYPE LoadXString(BSTR sXString, BSTR* sErr, VARIANT_BOOL* pbLoaded) override;
  HRESULT STDMETHODCALLTYPE SetCurNode(BSTR sNodePath, VARIANT_BOOL* pbSet) override;
  HRESULT STDMETHODCALLTYPE get_CurNodeChildNumber(LONG* plCount) override;
  HRESULT STDMETHODCALLTYPE GetLabelUseCurNode(BSTR lblCap, BSTR* sIndex, BSTR sIndAttr,
                                               BSTR* psLabel) override;
  HRESULT STDMETHODCALLTYPE GetLabelUseCurNodeByID(LONG lInd, BSTR* sIndex, BSTR sIndAttr,
                                                   BSTR* psLabel) override;
  HRESULT STDMETHODCALLTYPE GetLabelUsePath(BSTR sLblCapPath, BSTR* sIndex, BSTR sIndAttr,
                                            BSTR* psLabel) override;
  HRESULT STDMETHODCALLTYPE GetLabelUsePathByID(BSTR sParentPath, LONG lInd, BSTR* sIndex,
                                                BSTR* psLabel) override;
  HRESULT STDMETHODCALLTYPE GetFieldNameUseCurNodeByID(LONG lInd, BSTR sAlterName,
                                                       BSTR* psField) override;
  HRESULT STDMETHODCALLTYPE GetNodeNameUseCurNodeByLabel(BSTR sLabel, VARIANT_BOOL bWithPosition,
                                                         BSTR* sPos, BSTR sPosAttr,
                                                         BSTR* psName) override;
  HRESULT STDMETHODCALLTYPE GetFieldNameUseCurNodeByLabel(BSTR sLabel, VARIANT_BOOL bWithPosition,
                                                          BSTR* sPos, BSTR sPosAttr,
                                                          BSTR* psField) override;
  HRESULT STDMETHODCALLTYPE GetNodeNameUsePathByLabel(BSTR sParentPath, BSTR sLabel,
                                                      BSTR* psName) override;
  HRESULT STDMETHODCALLTYPE GetAttrValue(IDispatch** oElement, BSTR attrName,
                                         BSTR* psValue) override;
  HRESULT STDMETHODCALLTYPE GetAttrRows(BSTR sAttrXPath, BSTR sVisib, SHORT iColPerRow,
                                        LONG* plRows) override;
  HRESULT STDMETHODCALLTYPE GetOrderedAttrList(BSTR sAttrPath, LONG* lAttrCount, VARIANT* arrOrder,
                                               IKvoNodeList** ppList) override;

 private:
  ~XmlIniDataObject() override = default;

  kvo::clsXMLIniData oReader_;
};

}  // namespace kvo::com
