// A compiled client of the registered automation server, bound early through the header widl
// makes from the type library: the interfaces' slots, their parameters by reference, the order
// table, raised errors with their error information, the type library's description, the
// server's unload rule and the C entry points looked up by their plain names.
#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "com/kvoexportexcel_automation.h"

namespace {

// Owns what a test creates through COM; initialises COM on the test's thread.
class TypedClient : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  }
  void TearDown() override {
    ReleaseAll();
    CoUninitialize();
  }
  void ReleaseAll() {
    for (IUnknown* p : vOwned_) p->Release();
    for (BSTR s : vTexts_) SysFreeString(s);
    vOwned_.clear();
    vTexts_.clear();
  }

  template <class Interface>
  Interface* Own(Interface* p) {
    if (p != nullptr) vOwned_.push_back(p);
    return p;
  }
  BSTR Text(const wchar_t* s) {
    vTexts_.push_back(SysAllocString(s));
    return vTexts_.back();
  }
  BSTR* Slot() {
    vTexts_.push_back(nullptr);
    return &vTexts_.back();
  }
  _clsXMLIniData* NewReader() {
    _clsXMLIniData* p = nullptr;
    EXPECT_EQ(CoCreateInstance(CLSID_clsXMLIniData, nullptr, CLSCTX_INPROC_SERVER,
                               IID__clsXMLIniData, reinterpret_cast<void**>(&p)),
              S_OK);
    return Own(p);
  }
  // Loads the document with ordered children "ORDER" 3, 1, 2 below CAPS and one visible
  // attribute below VIS.
  _clsXMLIniData* LoadedReader() {
    _clsXMLIniData* pIni = NewReader();
    if (pIni == nullptr) return nullptr;
    VARIANT_BOOL bLoaded = VARIANT_FALSE;
    EXPECT_EQ(pIni->LoadXString(Text(L"<ini><CAPS><A ORDER='3' FIELD='fa'>Alpha</A>"
                                     L"<B ORDER='1'>Beta</B><C ORDER='2'>Gamma</C></CAPS>"
                                     L"<VIS><X V='True'/></VIS></ini>"),
                                Slot(), &bLoaded),
              S_OK);
    EXPECT_EQ(bLoaded, VARIANT_TRUE);
    return pIni;
  }

 private:
  std::vector<IUnknown*> vOwned_;
  std::deque<BSTR> vTexts_;  // push_back keeps the pointers Slot() gave valid
};

std::wstring TextOf(BSTR s) {
  return s != nullptr ? std::wstring(s, SysStringLen(s)) : std::wstring();
}

TEST_F(TypedClient, ReaderOperationsThroughTheirSlotsWriteBackWhatTheyReturn) {
  _clsXMLIniData* pIni = LoadedReader();
  ASSERT_NE(pIni, nullptr);
  VARIANT_BOOL bSet = VARIANT_FALSE;
  ASSERT_EQ(pIni->SetCurNode(Text(L"CAPS"), &bSet), S_OK);
  EXPECT_EQ(bSet, VARIANT_TRUE);
  LONG lChildren = 0;
  EXPECT_EQ(pIni->get_CurNodeChildNumber(&lChildren), S_OK);
  EXPECT_EQ(lChildren, 3);

  BSTR* psIndex = Slot();
  *psIndex = SysAllocString(L"x");
  BSTR* psLabel = Slot();
  ASSERT_EQ(pIni->GetLabelUseCurNodeByID(3, psIndex, Text(L"FIELD"), psLabel), S_OK);
  EXPECT_EQ(TextOf(*psLabel), L"Alpha");
  EXPECT_EQ(TextOf(*psIndex), L"fa");

  BSTR* psField = Slot();
  ASSERT_EQ(pIni->GetFieldNameUseCurNodeByID(1, Text(L"alt"), psField), S_OK);
  EXPECT_EQ(TextOf(*psField), L"");

  BSTR* psPos = Slot();
  *psPos = SysAllocString(L"p");
  BSTR* psName = Slot();
  ASSERT_EQ(pIni->GetNodeNameUseCurNodeByLabel(Text(L"Gamma"), VARIANT_TRUE, psPos, Text(L"ORDER"),
                                               psName),
            S_OK);
  EXPECT_EQ(TextOf(*psName), L"C");
  EXPECT_EQ(TextOf(*psPos), L"2");
}

TEST_F(TypedClient, LateBoundCallsTakeNamedArgumentsAndWriteBackThroughTypedReferences) {
  _clsXMLIniData* pIni = LoadedReader();
  ASSERT_NE(pIni, nullptr);
  VARIANT_BOOL bSet = VARIANT_FALSE;
  ASSERT_EQ(pIni->SetCurNode(Text(L"CAPS"), &bSet), S_OK);
  // As VBA calls GetLabelUseCurNode("A", sIndAttr:="FIELD", sIndex:=s) with s a String
  // variable: the names after the operation's, arguments in reverse order, s as VT_BYREF|VT_BSTR.
  LPOLESTR aNames[3] = {const_cast<LPOLESTR>(L"GetLabelUseCurNode"),
                        const_cast<LPOLESTR>(L"sIndAttr"), const_cast<LPOLESTR>(L"sIndex")};
  DISPID aIds[3] = {};
  ASSERT_EQ(pIni->GetIDsOfNames(IID_NULL, aNames, 3, LOCALE_USER_DEFAULT, aIds), S_OK);
  BSTR* psIndex = Slot();
  *psIndex = SysAllocString(L"x");
  VARIANT aArgs[3];
  for (VARIANT& v : aArgs) VariantInit(&v);
  V_VT(&aArgs[0]) = VT_BYREF | VT_BSTR;  // sIndex:=s
  V_BSTRREF(&aArgs[0]) = psIndex;
  V_VT(&aArgs[1]) = VT_BSTR;  // sIndAttr:="FIELD"
  V_BSTR(&aArgs[1]) = Text(L"FIELD");
  V_VT(&aArgs[2]) = VT_BSTR;  // "A"
  V_BSTR(&aArgs[2]) = Text(L"A");
  DISPID aNamed[2] = {aIds[2], aIds[1]};
  DISPPARAMS tParams = {aArgs, aNamed, 3, 2};
  VARIANT vResult;
  VariantInit(&vResult);
  ASSERT_EQ(pIni->Invoke(aIds[0], IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &tParams,
                         &vResult, nullptr, nullptr),
            S_OK);
  ASSERT_EQ(V_VT(&vResult), VT_BSTR);
  EXPECT_EQ(TextOf(V_BSTR(&vResult)), L"Alpha");
  VariantClear(&vResult);
  EXPECT_EQ(TextOf(*psIndex), L"fa");

  // A Long passed by reference where the operation takes a Long by value; a missing required
  // argument is refused.
  LPOLESTR sByIdName = const_cast<LPOLESTR>(L"GetFieldNameUseCurNodeByID");
  DISPID idById = 0;
  ASSERT_EQ(pIni->GetIDsOfNames(IID_NULL, &sByIdName, 1, LOCALE_USER_DEFAULT, &idById), S_OK);
  LONG lInd = 3;
  VARIANT vInd;
  VariantInit(&vInd);
  V_VT(&vInd) = VT_BYREF | VT_I4;
  V_I4REF(&vInd) = &lInd;
  DISPPARAMS tById = {&vInd, nullptr, 1, 0};
  ASSERT_EQ(pIni->Invoke(idById, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &tById, &vResult,
                         nullptr, nullptr),
            S_OK);
  EXPECT_EQ(TextOf(V_BSTR(&vResult)), L"fa");
  VariantClear(&vResult);
  DISPPARAMS tNone = {nullptr, nullptr, 0, 0};
  EXPECT_EQ(pIni->Invoke(idById, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &tNone, &vResult,
                         nullptr, nullptr),
            DISP_E_PARAMNOTOPTIONAL);
}

TEST_F(TypedClient, OrderedListGivesTheOrderTableAsVariantsOfLongsAndItsElements) {
  _clsXMLIniData* pIni = LoadedReader();
  ASSERT_NE(pIni, nullptr);
  LONG lLast = 99;
  VARIANT vOrder;
  VariantInit(&vOrder);
  IKvoNodeList* pList = nullptr;
  ASSERT_EQ(pIni->GetOrderedAttrList(Text(L"CAPS"), &lLast, &vOrder, &pList), S_OK);
  Own(pList);
  ASSERT_NE(pList, nullptr);
  EXPECT_EQ(lLast, 2);
  ASSERT_EQ(V_VT(&vOrder), VT_ARRAY | VT_VARIANT);
  SAFEARRAY* pArray = V_ARRAY(&vOrder);
  ASSERT_EQ(SafeArrayGetDim(pArray), 2u);
  std::wstring sEntries;
  for (LONG k = 0; k <= lLast; ++k) {
    for (LONG lPart = 0; lPart < 2; ++lPart) {
      LONG aIndex[2] = {lPart, k};
      VARIANT vEntry;
      VariantInit(&vEntry);
      ASSERT_EQ(SafeArrayGetElement(pArray, aIndex, &vEntry), S_OK);
      ASSERT_EQ(V_VT(&vEntry), VT_I4);
      sEntries +=
          (lPart == 0 ? L"(" : L",") + std::to_wstring(V_I4(&vEntry)) + (lPart == 1 ? L")" : L"");
    }
  }
  EXPECT_EQ(sEntries, L"(1,1)(2,2)(0,3)");
  VariantClear(&vOrder);

  LONG lLength = 0;
  EXPECT_EQ(pList->get_length(&lLength), S_OK);
  EXPECT_EQ(lLength, 3);
  IKvoElement* pElement = nullptr;
  ASSERT_EQ(pList->item(0, &pElement), S_OK);
  Own(pElement);
  ASSERT_NE(pElement, nullptr);
  BSTR* psName = Slot();
  EXPECT_EQ(pElement->get_nodeName(psName), S_OK);
  EXPECT_EQ(TextOf(*psName), L"A");
  // GetAttrValue takes the element by reference and leaves it the caller's.
  IDispatch* pAsDispatch = pElement;
  BSTR* psValue = Slot();
  ASSERT_EQ(pIni->GetAttrValue(&pAsDispatch, Text(L"FIELD"), psValue), S_OK);
  EXPECT_EQ(TextOf(*psValue), L"fa");
  EXPECT_EQ(pAsDispatch, static_cast<IDispatch*>(pElement));
  IKvoElement* pPastEnd = reinterpret_cast<IKvoElement*>(1);
  EXPECT_EQ(pList->item(3, &pPastEnd), S_OK);
  EXPECT_EQ(pPastEnd, nullptr);
}

TEST_F(TypedClient, RaisedErrorsCarryTheirNumberAndDescription) {
  _clsXMLIniData* pIni = LoadedReader();
  ASSERT_NE(pIni, nullptr);
  LONG lRows = 0;
  EXPECT_EQ(pIni->GetAttrRows(Text(L"VIS"), Text(L"V"), 1, &lRows), MAKE_HRESULT(1, 10, 11));
  ISupportErrorInfo* pSupport = nullptr;
  ASSERT_EQ(pIni->QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(&pSupport)), S_OK);
  Own(pSupport);
  EXPECT_EQ(pSupport->InterfaceSupportsErrorInfo(IID__clsXMLIniData), S_OK);
  IErrorInfo* pInfo = nullptr;
  ASSERT_EQ(GetErrorInfo(0, &pInfo), S_OK);
  Own(pInfo);
  BSTR* psDescription = Slot();
  BSTR* psSource = Slot();
  pInfo->GetDescription(psDescription);
  pInfo->GetSource(psSource);
  EXPECT_EQ(TextOf(*psDescription), L"Division by zero");
  EXPECT_NE(TextOf(*psSource).find(L"GetAttrRows"), std::wstring::npos);

  // ParseMain raises nothing: a failure is false.
  _iclsExportExcel* pExport = nullptr;
  ASSERT_EQ(CoCreateInstance(CLSID_iclsExportExcel, nullptr, CLSCTX_INPROC_SERVER,
                             IID__iclsExportExcel, reinterpret_cast<void**>(&pExport)),
            S_OK);
  Own(pExport);
  VARIANT_BOOL bDone = VARIANT_TRUE;
  EXPECT_EQ(pExport->ParseMain(Text(L"Z:\\no\\such\\source.xml"), Text(L"Z:\\no\\config.xml"),
                               Text(L""), Text(L".xlsx"), &bDone),
            S_OK);
  EXPECT_EQ(bDone, VARIANT_FALSE);
}

TEST_F(TypedClient, TypeLibraryDescribesTheReaderInSlotOrderWithItsOptionalParameters) {
  ITypeLib* pLibrary = nullptr;
  ASSERT_EQ(LoadRegTypeLib(LIBID_kVoExportExcel, 1, 0, LOCALE_NEUTRAL, &pLibrary), S_OK);
  Own(pLibrary);
  ITypeInfo* pInfo = nullptr;
  ASSERT_EQ(pLibrary->GetTypeInfoOfGuid(IID__clsXMLIniData, &pInfo), S_OK);
  Own(pInfo);
  // The dual interface's own (vtable) description.
  HREFTYPE hRef = 0;
  ITypeInfo* pVtable = pInfo;
  if (SUCCEEDED(pInfo->GetRefTypeOfImplType(-1, &hRef))) {
    ASSERT_EQ(pInfo->GetRefTypeInfo(hRef, &pVtable), S_OK);
    Own(pVtable);
  }
  TYPEATTR* pAttr = nullptr;
  ASSERT_EQ(pVtable->GetTypeAttr(&pAttr), S_OK);
  const WORD nFuncs = pAttr->cFuncs;
  pVtable->ReleaseTypeAttr(pAttr);
  const std::vector<std::wstring> vSlots = {L"LoadXDoc",
                                            L"LoadXString",
                                            L"SetCurNode",
                                            L"CurNodeChildNumber",
                                            L"GetLabelUseCurNode",
                                            L"GetLabelUseCurNodeByID",
                                            L"GetLabelUsePath",
                                            L"GetLabelUsePathByID",
                                            L"GetFieldNameUseCurNodeByID",
                                            L"GetNodeNameUseCurNodeByLabel",
                                            L"GetFieldNameUseCurNodeByLabel",
                                            L"GetNodeNameUsePathByLabel",
                                            L"GetAttrValue",
                                            L"GetAttrRows",
                                            L"GetOrderedAttrList"};
  std::vector<std::pair<SHORT, std::wstring>> vFound;
  for (UINT i = 0; i < nFuncs; ++i) {
    FUNCDESC* pFunc = nullptr;
    ASSERT_EQ(pVtable->GetFuncDesc(i, &pFunc), S_OK);
    BSTR sName = nullptr;
    pVtable->GetDocumentation(pFunc->memid, &sName, nullptr, nullptr, nullptr);
    vFound.emplace_back(pFunc->oVft, TextOf(sName));
    if (TextOf(sName) == L"GetLabelUseCurNode") {
      ASSERT_EQ(pFunc->cParams, 4);
      EXPECT_NE(pFunc->lprgelemdescParam[1].paramdesc.wParamFlags & PARAMFLAG_FOPT, 0);
      const PARAMDESC& tIndAttr = pFunc->lprgelemdescParam[2].paramdesc;
      ASSERT_NE(tIndAttr.wParamFlags & PARAMFLAG_FHASDEFAULT, 0);
      EXPECT_EQ(V_VT(&tIndAttr.pparamdescex->varDefaultValue), VT_BSTR);
      EXPECT_EQ(TextOf(V_BSTR(&tIndAttr.pparamdescex->varDefaultValue)), L"");
    }
    SysFreeString(sName);
    pVtable->ReleaseFuncDesc(pFunc);
  }
  std::sort(vFound.begin(), vFound.end());
  std::vector<std::wstring> vNames;
  // Slots past IDispatch's seven, in vtable order.
  for (const auto& [oVft, sName] : vFound) {
    if (oVft >= static_cast<SHORT>(7 * sizeof(void*))) vNames.push_back(sName);
  }
  EXPECT_EQ(vNames, vSlots);
}

TEST_F(TypedClient, ServerStaysLoadedWhileAnObjectLivesAndEntryPointsHaveTheirPlainNames) {
  _clsXMLIniData* pIni = NewReader();
  ASSERT_NE(pIni, nullptr);
  HMODULE hServer = GetModuleHandleW(L"kvoexportexcel.dll");
  ASSERT_NE(hServer, nullptr);
  using CanUnload = HRESULT(STDAPICALLTYPE*)();
  auto fnCanUnload = reinterpret_cast<CanUnload>(
      reinterpret_cast<void*>(GetProcAddress(hServer, "DllCanUnloadNow")));
  ASSERT_NE(fnCanUnload, nullptr);
  EXPECT_EQ(fnCanUnload(), S_FALSE);
  for (const char* sName : {"kvo_ParseMain", "kvo_ParseMainEx", "kvo_Version", "DllGetClassObject",
                            "DllRegisterServer", "DllUnregisterServer"}) {
    EXPECT_NE(GetProcAddress(hServer, sName), nullptr) << sName;
  }
  using ParseMain = int16_t(__stdcall*)(const char*, const char*, const char*, const char*);
  auto fnParseMain = reinterpret_cast<ParseMain>(
      reinterpret_cast<void*>(GetProcAddress(hServer, "kvo_ParseMain")));
  ASSERT_NE(fnParseMain, nullptr);
  EXPECT_EQ(fnParseMain("Z:\\no\\such\\source.xml", "Z:\\no\\config.xml", "", ".xls"), 0);
  ReleaseAll();
  EXPECT_EQ(fnCanUnload(), S_OK);
}

}  // namespace
