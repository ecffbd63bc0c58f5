' Every operation of kVoExportExcel.clsXMLIniData from a script, late bound: in/out, out and
' optional parameters written back to the script's variables, Booleans -1 and 0, Nothing, raised
' errors with their number and description, the list and element objects, arrOrder.
' Prints one line per failed check; the exit code is the number of failures (99: not created).
Option Explicit
On Error Resume Next

Dim nFailed
nFailed = 0

Sub Check(sWhat, vGot, vWant)
  If VarType(vGot) <> VarType(vWant) Then
    WScript.Echo "FAIL " & sWhat & ": type " & TypeName(vGot) & ", expected " & TypeName(vWant)
    nFailed = nFailed + 1
  ElseIf vGot <> vWant Then
    WScript.Echo "FAIL " & sWhat & ": [" & vGot & "], expected [" & vWant & "]"
    nFailed = nFailed + 1
  End If
End Sub

' The error the previous statement raised, then cleared: "number|description".
Function TakeError()
  TakeError = Err.Number & "|" & Err.Description
  Err.Clear
End Function

Dim oIni
Set oIni = CreateObject("kVoExportExcel.clsXMLIniData")
If Err.Number <> 0 Then
  WScript.Echo "FAIL create: " & TakeError()
  WScript.Quit 99
End If

Dim sDoc
sDoc = "<ini><CAPS><A ORDER='3' FIELD='fa' IDX='ia'>Alpha</A><B ORDER='1' FIELD='fb'>Beta</B>" & _
       "<C ORDER='2'>Gamma</C><D ORDER='0'>Zero</D><E>None</E></CAPS>" & _
       "<VIS><X V='True'/><Y V='True'/><Z V='True'/><W V='False'/><Q V='True'/><R V='True'/></VIS>" & _
       "<EMPTY/><BAD><P ORDER='99999999999'>p</P></BAD></ini>"

Dim sErr, bOk
' Errors before a document is loaded reach the script.
bOk = oIni.SetCurNode("CAPS")
Check "SetCurNode without a document raises", TakeError(), _
      "91|Object variable not set: no document loaded"

sErr = "kept"
bOk = oIni.LoadXString(sDoc, sErr)
Check "LoadXString result", bOk, True
Check "LoadXString as integer", CInt(bOk), -1
Check "LoadXString leaves sErr", sErr, "kept"
sErr = ""
bOk = oIni.LoadXString("<ini><open></ini>", sErr)
Check "LoadXString of bad XML", CInt(bOk), 0
Check "LoadXString sErr written back", InStr(sErr, " String Load Parse error: ") > 0, True
Check "LoadXString sErr has the line", InStr(sErr, " On Line: 1 At Position: ") > 0, True
sErr = ""
bOk = oIni.LoadXDoc("Z:\nonexistent\folder\config.xml", sErr)
Check "LoadXDoc of a missing file", CInt(bOk), 0
Check "LoadXDoc sErr written back", InStr(sErr, " IniDoc Load Parse error: ") > 0, True
bOk = oIni.LoadXString(sDoc, sErr)

' The current node and its children.
Check "CurNodeChildNumber before SetCurNode", oIni.CurNodeChildNumber, CLng(0)
Check "SetCurNode on an element without children", CInt(oIni.SetCurNode("EMPTY")), 0
Check "SetCurNode on a missing element", oIni.SetCurNode("NOPE"), False
Check "SetCurNode", CInt(oIni.SetCurNode("CAPS")), -1
Check "CurNodeChildNumber", oIni.CurNodeChildNumber, CLng(5)
oIni.CurNodeChildNumber = 3
Check "CurNodeChildNumber is read-only", Err.Number <> 0, True
Err.Clear

' Label lookups with their in/out index and optional parameters.
Dim sIndex
Check "GetLabelUseCurNode without optionals", oIni.GetLabelUseCurNode("A"), "Alpha"
sIndex = "x"
Check "GetLabelUseCurNode", oIni.GetLabelUseCurNode("A", sIndex, "IDX"), "Alpha"
Check "GetLabelUseCurNode writes sIndex", sIndex, "ia"
sIndex = ""
Call oIni.GetLabelUseCurNode("A", sIndex, "IDX")
Check "GetLabelUseCurNode leaves an empty sIndex", sIndex, ""
sIndex = "x"
Check "GetLabelUseCurNode, no match", oIni.GetLabelUseCurNode("NOPE", sIndex, "IDX"), ""
Check "GetLabelUseCurNode, no match keeps sIndex", sIndex, "x"
sIndex = "x"
Check "GetLabelUseCurNodeByID", oIni.GetLabelUseCurNodeByID(3, sIndex, "IDX"), "Alpha"
Check "GetLabelUseCurNodeByID writes sIndex", sIndex, "ia"
Check "GetLabelUseCurNodeByID without optionals", oIni.GetLabelUseCurNodeByID(1), "Beta"
Check "GetLabelUsePath", oIni.GetLabelUsePath("CAPS/C"), "Gamma"
sIndex = "x"
Check "GetLabelUsePath with sIndex", oIni.GetLabelUsePath("CAPS/A", sIndex, "FIELD"), "Alpha"
Check "GetLabelUsePath writes sIndex", sIndex, "fa"
Call oIni.GetLabelUsePath("CAPS/[")
Check "GetLabelUsePath with a bad query raises", Err.Number <> 0, True
Err.Clear
sIndex = "x"
Check "GetLabelUsePathByID", oIni.GetLabelUsePathByID("CAPS", 2, sIndex), "Gamma"
Check "GetLabelUsePathByID empties sIndex (no attribute name)", sIndex, ""
Check "GetLabelUsePathByID without sIndex", oIni.GetLabelUsePathByID("CAPS", 1), "Beta"

' Field names.
Check "GetFieldNameUseCurNodeByID", oIni.GetFieldNameUseCurNodeByID(1), "fb"
Check "GetFieldNameUseCurNodeByID, no FIELD", oIni.GetFieldNameUseCurNodeByID(2, "alt"), ""
Check "GetFieldNameUseCurNodeByID, no match", oIni.GetFieldNameUseCurNodeByID(7, "alt"), "alt"
Check "GetFieldNameUseCurNodeByID, default sAlterName", oIni.GetFieldNameUseCurNodeByID(7), ""

' Names by label, with and without position.
Dim sPos
Check "GetNodeNameUseCurNodeByLabel", oIni.GetNodeNameUseCurNodeByLabel("Beta"), "B"
sPos = "p"
Check "GetNodeNameUseCurNodeByLabel with position", _
      oIni.GetNodeNameUseCurNodeByLabel("Alpha", True, sPos, "IDX"), "A"
Check "GetNodeNameUseCurNodeByLabel writes sPos", sPos, "ia"
sPos = "p"
Call oIni.GetNodeNameUseCurNodeByLabel("Nothing here", True, sPos, "IDX")
Check "GetNodeNameUseCurNodeByLabel, no match empties sPos", sPos, ""
sPos = "p"
Check "GetFieldNameUseCurNodeByLabel", _
      oIni.GetFieldNameUseCurNodeByLabel("Alpha", True, sPos, "ORDER"), "fa"
Check "GetFieldNameUseCurNodeByLabel writes sPos", sPos, "3"
Check "GetFieldNameUseCurNodeByLabel without optionals", _
      oIni.GetFieldNameUseCurNodeByLabel("Beta"), "fb"
Check "GetNodeNameUsePathByLabel", oIni.GetNodeNameUsePathByLabel("CAPS", "Gamma"), "C"

' Rows of visible attributes; a division by zero reaches the script.
Check "GetAttrRows 5 by 4", oIni.GetAttrRows("VIS", "V", 4), CLng(3)
Check "GetAttrRows 5 by 5", oIni.GetAttrRows("VIS", "V", 5), CLng(3)
Check "GetAttrRows, none visible", oIni.GetAttrRows("CAPS", "V", 4), CLng(0)
Call oIni.GetAttrRows("VIS", "V", 1)
Check "GetAttrRows by 1 raises", TakeError(), "11|Division by zero"

' The ordered list, its order table and its elements.
Dim oList, lCount, arrOrder
lCount = 99
Set oList = oIni.GetOrderedAttrList("CAPS", lCount, arrOrder)
Check "GetOrderedAttrList error", TakeError(), "0|"
Check "lAttrCount written back", lCount, CLng(2)
Check "list length", oList.length, CLng(3)
Check "arrOrder bounds", LBound(arrOrder, 1) & UBound(arrOrder, 1) & LBound(arrOrder, 2) & _
      UBound(arrOrder, 2), "0102"
Dim k, sOrder
sOrder = ""
For k = 0 To lCount
  sOrder = sOrder & "(" & arrOrder(0, k) & "," & arrOrder(1, k) & ")"
Next
Check "arrOrder entries", sOrder, "(1,1)(2,2)(0,3)"
Check "arrOrder element type", TypeName(arrOrder(1, 0)), "Long"
Dim oElement
Set oElement = oList.item(arrOrder(0, 0))
Check "element nodeName", oElement.nodeName, "B"
Check "element text", oElement.text, "Beta"
Check "element getAttribute", oElement.getAttribute("FIELD"), "fb"
Check "element getAttribute, missing", oElement.getAttribute("IDX"), ""
Check "default member is item", oList(0).nodeName, "A"
Check "item past the end is Nothing", oList.item(3) Is Nothing, True
Check "GetAttrValue", oIni.GetAttrValue(oElement, "FIELD"), "fb"
Check "GetAttrValue, missing attribute", oIni.GetAttrValue(oElement, "NOPE"), ""
Check "GetAttrValue keeps the element", oElement.nodeName, "B"
Dim oNone
Set oNone = Nothing
Call oIni.GetAttrValue(oNone, "FIELD")
Check "GetAttrValue on Nothing raises", TakeError(), "91|Object variable not set"

' Nothing listed: Nothing and -1.
lCount = 5
Set oList = oIni.GetOrderedAttrList("VIS", lCount, arrOrder)
Check "GetOrderedAttrList, none ordered", oList Is Nothing, True
Check "lAttrCount, none ordered", lCount, CLng(-1)
Set oList = oIni.GetOrderedAttrList("NOPE", lCount, arrOrder)
Check "GetOrderedAttrList, no such node", oList Is Nothing, True
Set oList = oIni.GetOrderedAttrList("BAD", lCount, arrOrder)
Check "GetOrderedAttrList, ORDER past a Long raises", Err.Number, CLng(6)
Check "the raised error has a description", Len(Err.Description) > 0, True
Check "the raised error names the operation", _
      InStr(Err.Source, "GetOrderedAttrList") > 0, True
Err.Clear

' The elements keep their document alive after the reader is gone.
Set oList = oIni.GetOrderedAttrList("CAPS", lCount, arrOrder)
Set oIni = Nothing
Check "element outlives the reader", oList.item(2).text, "Gamma"

WScript.Quit nFailed
