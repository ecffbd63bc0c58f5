' A script host of the export: ParseMain of kVoExportExcel.iclsExportExcel with the source, the
' configuration, the setup text read from a UTF-16 file and the extension given as arguments.
' Prints ParseMain's result as a number; exit code 0 when it is True (-1), 1 when False (0),
' 3 when the class or the setup file cannot be opened, 4 on a result that is no Boolean.
Option Explicit
On Error Resume Next

Dim oArgs, oFiles, oSetup, sSetup, oExport, bDone
Set oArgs = WScript.Arguments
If oArgs.Count <> 4 Then
  WScript.Echo "usage: export_host.vbs SOURCE CONFIG SETUP_UTF16_FILE EXTENSION"
  WScript.Quit 2
End If
Set oFiles = CreateObject("Scripting.FileSystemObject")
Set oSetup = oFiles.OpenTextFile(oArgs(2), 1, False, -1)
sSetup = oSetup.ReadAll
oSetup.Close
If Err.Number <> 0 Then
  WScript.Echo "setup file: " & Err.Number & " " & Err.Description
  WScript.Quit 3
End If
Set oExport = CreateObject("kVoExportExcel.iclsExportExcel")
If Err.Number <> 0 Then
  WScript.Echo "create: " & Err.Number & " " & Err.Description
  WScript.Quit 3
End If
bDone = oExport.ParseMain(oArgs(0), oArgs(1), sSetup, oArgs(3))
If Err.Number <> 0 Or VarType(bDone) <> vbBoolean Then
  WScript.Echo "ParseMain raised or gave no Boolean: " & Err.Number & " " & TypeName(bDone)
  WScript.Quit 4
End If
WScript.Echo CInt(bDone)
If bDone Then WScript.Quit 0
WScript.Quit 1
