// Windows' rules on paths and names, checked on every system: the long-path prefix, the
// all-users folder derived from the per-user one, the names a workbook cannot have, the code
// pages of declared encodings.
#include <gtest/gtest.h>

#include <string>

#include "platform/WindowsCodePages.h"
#include "platform/WindowsPaths.h"

namespace kvo::platform::windows {
namespace {

TEST(WindowsLongPaths, OnlyLongAbsolutePathsGetThePrefixNetworkPathsTheUncOne) {
  const std::string shortPath = "C:\\data\\bom.xml";
  EXPECT_EQ(ExtendedLengthPath(shortPath), shortPath);

  const std::string folder(kLongPathLength, 'f');
  EXPECT_EQ(ExtendedLengthPath("C:\\" + folder + "\\bom.xml"),
            "\\\\?\\C:\\" + folder + "\\bom.xml");
  // The prefix turns off the system's own "/" handling: the conversion does it.
  EXPECT_EQ(ExtendedLengthPath("d:/" + folder + "/bom.xml"), "\\\\?\\d:\\" + folder + "\\bom.xml");
  EXPECT_EQ(ExtendedLengthPath("\\\\server\\share\\" + folder),
            "\\\\?\\UNC\\server\\share\\" + folder);
  // Already prefixed, or relative (the caller makes it absolute first): as it is.
  const std::string prefixed = "\\\\?\\C:\\" + folder;
  EXPECT_EQ(ExtendedLengthPath(prefixed), prefixed);
  EXPECT_EQ(ExtendedLengthPath(folder + "\\bom.xml"), folder + "\\bom.xml");
  // One character below the limit is still a plain path.
  const std::string justShort = "C:\\" + std::string(kLongPathLength - 4, 'g');
  EXPECT_EQ(ExtendedLengthPath(justShort), justShort);

  EXPECT_EQ(WithoutExtendedPrefix(ExtendedLengthPath("\\\\server\\share\\" + folder)),
            "\\\\server\\share\\" + folder);
  EXPECT_EQ(WithoutExtendedPrefix(prefixed), "C:\\" + folder);
  EXPECT_EQ(WithoutExtendedPrefix(shortPath), shortPath);
}

TEST(WindowsAllUsersFolder, TheLoginNameBecomesAllUsersWithoutTheProfileSuffix) {
  EXPECT_EQ(AllUsersFolderOf("C:\\Documents and Settings\\Ann\\Application Data", "ann"),
            "c:\\documents and settings\\All Users\\application data");
  // A domain suffix after the name is dropped up to the next backslash.
  EXPECT_EQ(AllUsersFolderOf("C:\\Users\\Ann.CORP\\AppData\\Roaming", "Ann"),
            "c:\\users\\All Users\\appdata\\roaming");
  // Every occurrence is replaced; the suffix only after the first.
  EXPECT_EQ(AllUsersFolderOf("D:\\bob\\profiles\\bob.x\\data", "bob"),
            "d:\\All Users\\profiles\\All Users.x\\data");
  // No backslash after the name: the removal ends at the end of the path.
  EXPECT_EQ(AllUsersFolderOf("C:\\Users\\ann.corp", "ANN"), "c:\\users\\All Users");
  // A name that is not in the folder, or none: the folder in lower case.
  EXPECT_EQ(AllUsersFolderOf("C:\\Profiles\\Data", "zed"), "c:\\profiles\\data");
  EXPECT_EQ(AllUsersFolderOf("C:\\Profiles\\Data", ""), "c:\\profiles\\data");
}

TEST(WindowsFileNames, CharactersAndDeviceNamesWindowsCannotHoldAreNamed) {
  for (const char c : std::string("<>:\"|?*")) {
    EXPECT_EQ(NameProblem(std::string("Report") + c + "1.xlsx"), std::string("character ") + c);
  }
  EXPECT_EQ(NameProblem("tab\there.xls"), "control character 9");
  for (const char* name : {"CON.xls", "nul.xlsx", "Aux", "COM1.xls", "lpt9.x.y", "PRN .xls"}) {
    EXPECT_NE(NameProblem(name).find("reserved name "), std::string::npos) << name;
  }
  EXPECT_EQ(NameProblem("con.xls"), "reserved name con");
  EXPECT_EQ(NameProblem("Report."), "dot or blank at the end");
  for (const char* name : {"Report 2024.xlsx", "COM0.xls", "CONSOLE.xls", "LPT10", "Größe.xls",
                           "a.b.c.xlsx", ".hidden"}) {
    EXPECT_EQ(NameProblem(name), "") << name;
  }
}

TEST(WindowsCodePages, DeclaredEncodingNamesFindTheirCodePages) {
  EXPECT_EQ(CodePageOf("ISO-8859-1"), 28591u);
  EXPECT_EQ(CodePageOf("iso_8859-15"), 28605u);
  EXPECT_EQ(CodePageOf("latin1"), 28591u);
  EXPECT_EQ(CodePageOf("windows-1252"), 1252u);
  EXPECT_EQ(CodePageOf("CP1251"), 1251u);
  EXPECT_EQ(CodePageOf("IBM037"), 37u);
  EXPECT_EQ(CodePageOf("Shift_JIS"), 932u);
  EXPECT_EQ(CodePageOf("UTF-16BE"), kUtf16Big);
  EXPECT_EQ(CodePageOf("utf-16"), kUtf16Little);
  EXPECT_EQ(CodePageOf("UCS-4"), kUtf32Little);
  EXPECT_EQ(CodePageOf("KOI8-R"), 20866u);
  for (const char* name : {"x-no-such", "1SO", "ISO-8859-12", "ISO-8859-", "windows-99999", ""}) {
    EXPECT_EQ(CodePageOf(name), 0u) << name;
  }
}

}  // namespace
}  // namespace kvo::platform::windows
