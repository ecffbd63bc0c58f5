' Tries to create each class of kVoExportExcel by its ProgIDs (with and without version) and
' prints one line per ProgID. Exit code: the number of ProgIDs that created an object.
Option Explicit
On Error Resume Next
Dim aProgIds, sProgId, oObject, nCreated
aProgIds = Array("kVoExportExcel.iclsExportExcel", "kVoExportExcel.iclsExportExcel.1", _
                 "kVoExportExcel.clsXMLIniData", "kVoExportExcel.clsXMLIniData.1")
nCreated = 0
For Each sProgId In aProgIds
  Err.Clear
  Set oObject = Nothing
  Set oObject = CreateObject(sProgId)
  If Err.Number = 0 And Not oObject Is Nothing Then
    WScript.Echo sProgId & ": created"
    nCreated = nCreated + 1
  Else
    WScript.Echo sProgId & ": not created (" & Err.Number & ")"
  End If
Next
Set oObject = Nothing
WScript.Quit nCreated
