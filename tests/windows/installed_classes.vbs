' The classes as an installed package leaves them, from this script host's architecture.
' Usage: cscript //nologo installed_classes.vbs present SOURCE CONFIG SETUP_FILE
'        cscript //nologo installed_classes.vbs absent
' present: both ProgIDs and their ".1" forms are created and ParseMain exports SOURCE (a copy
' of a bundled example) into a workbook, returning -1. absent: none of the four can be created.
' Exit status: 0 as expected; 1 otherwise (the reason printed); 2 on a usage error.
Option Explicit
On Error Resume Next

Dim aProgIds, sProgId, oObject, nFailures, sMode
aProgIds = Array("kVoExportExcel.iclsExportExcel", "kVoExportExcel.iclsExportExcel.1", _
                 "kVoExportExcel.clsXMLIniData", "kVoExportExcel.clsXMLIniData.1")
nFailures = 0

Sub Fail(sWhat)
  WScript.Echo "FAIL: " & sWhat
  nFailures = nFailures + 1
End Sub

If WScript.Arguments.Count = 0 Then WScript.Quit 2
sMode = WScript.Arguments(0)
If sMode <> "present" And sMode <> "absent" Then WScript.Quit 2

For Each sProgId In aProgIds
  Err.Clear
  Set oObject = Nothing
  Set oObject = CreateObject(sProgId)
  If sMode = "present" And (Err.Number <> 0 Or oObject Is Nothing) Then
    Fail sProgId & " was not created (error " & Hex(Err.Number) & ")"
  ElseIf sMode = "absent" And Err.Number = 0 Then
    Fail sProgId & " was still created"
  End If
  Set oObject = Nothing
Next

If sMode = "present" And WScript.Arguments.Count = 4 Then
  Dim oFiles, sSetup, oExport, bDone, sWorkbook
  Set oFiles = CreateObject("Scripting.FileSystemObject")
  Err.Clear
  sSetup = oFiles.OpenTextFile(WScript.Arguments(3)).ReadAll
  If Err.Number <> 0 Then Fail "cannot read " & WScript.Arguments(3)
  Set oExport = CreateObject("kVoExportExcel.iclsExportExcel")
  bDone = oExport.ParseMain(WScript.Arguments(1), WScript.Arguments(2), sSetup, ".xlsx")
  If Err.Number <> 0 Then Fail "ParseMain raised error " & Hex(Err.Number)
  If VarType(bDone) <> vbBoolean Or bDone <> -1 Then Fail "ParseMain gave " & CStr(bDone)
  sWorkbook = oFiles.BuildPath(oFiles.GetParentFolderName(WScript.Arguments(1)), _
                               oFiles.GetBaseName(WScript.Arguments(1)) & ".xlsx")
  If Not oFiles.FileExists(sWorkbook) Then Fail "no workbook " & sWorkbook
ElseIf sMode = "present" And WScript.Arguments.Count <> 1 Then
  WScript.Quit 2
End If

If nFailures > 0 Then WScript.Quit 1
WScript.Quit 0
