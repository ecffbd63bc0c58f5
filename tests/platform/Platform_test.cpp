// What the system layer promises on every system: files written and appended in binary, the
// failures the callers tell apart (a name taken, a folder missing), removals and replacements,
// folders found, created and copied.
#include <gtest/gtest.h>

#include <string>

#include "platform/Platform.h"
#include "support/TestSupport.h"

namespace kvo::platform {
namespace {

using Kind = FileError::Kind;

TEST(PlatformFiles, WrittenFilesHoldEveryByteAndNewNamesAreNotTakenTwice) {
  test::TempDir dir;
  const std::string path = dir.Str("out.bin");
  const std::string bytes("a\r\nb\0c\n", 7);
  FileError error;
  OutputFileHandle file;
  ASSERT_TRUE(file.Open(path, OutputFileHandle::Mode::CreateNew, error)) << error.text;
  ASSERT_TRUE(file.Write(bytes, error));
  ASSERT_TRUE(file.Close(error));
  EXPECT_EQ(ReadWholeFile(path, error), bytes);
  EXPECT_TRUE(IsRegularFile(path));

  OutputFileHandle again;
  EXPECT_FALSE(again.Open(path, OutputFileHandle::Mode::CreateNew, error));
  EXPECT_EQ(error.kind, Kind::Exists);
  ASSERT_TRUE(again.Open(path, OutputFileHandle::Mode::Replace, error));
  ASSERT_TRUE(again.Close(error));
  EXPECT_EQ(ReadWholeFile(path, error), "");

  EXPECT_FALSE(ReadWholeFile(dir.Str("none"), error).has_value());
  EXPECT_EQ(error.kind, Kind::Missing);
  EXPECT_FALSE(IsRegularFile(dir.Str()));
}

TEST(PlatformFiles, AppendsKeepTheirBytesAndAMissingFolderIsToldApart) {
  test::TempDir dir;
  const std::string path = dir.Str("log.txt");
  FileError error;
  ASSERT_TRUE(AppendToFile(path, "one\r\n", error));
  ASSERT_TRUE(AppendToFile(path, "two\r\n", error));
  EXPECT_EQ(ReadWholeFile(path, error), "one\r\ntwo\r\n");

  const std::string deep = dir.Str("a") + kSeparator + "b" + kSeparator + "log.txt";
  EXPECT_FALSE(AppendToFile(deep, "x", error));
  EXPECT_EQ(error.kind, Kind::Missing);
  ASSERT_TRUE(CreateFolders(dir.Str("a") + kSeparator + "b"));
  EXPECT_TRUE(AppendToFile(deep, "x", error));
}

TEST(PlatformFiles, RemovalAndReplacementLeaveOneFileWithTheNewContent) {
  test::TempDir dir;
  FileError error;
  test::WriteFile(dir.Path() / "old", "old");
  test::WriteFile(dir.Path() / "new", "new");
  ASSERT_TRUE(ReplaceFile(dir.Str("new"), dir.Str("old"), error)) << error.text;
  EXPECT_EQ(ReadWholeFile(dir.Str("old"), error), "new");
  EXPECT_FALSE(IsRegularFile(dir.Str("new")));
  EXPECT_TRUE(RemoveFile(dir.Str("old"), error));
  EXPECT_FALSE(IsRegularFile(dir.Str("old")));
  EXPECT_TRUE(RemoveFile(dir.Str("old"), error));  // nothing there: nothing to do
}

TEST(PlatformFolders, FoundCopiedAndWrittenInTheSystemsSeparators) {
  test::TempDir dir;
  const std::string source = dir.Str("src");
  ASSERT_TRUE(CreateFolders(source + kSeparator + "sub"));
  test::WriteFile(dir.Path() / "src" / "sub" / "f.txt", "f");
  const std::string copy = dir.Str("copy");
  ASSERT_TRUE(CopyFolder(source, copy));
  FileError error;
  EXPECT_EQ(ReadWholeFile(copy + kSeparator + "sub" + kSeparator + "f.txt", error), "f");
  EXPECT_TRUE(ExistingFolder(copy).has_value());
  EXPECT_FALSE(ExistingFolder(dir.Str("missing")).has_value());
  EXPECT_FALSE(ExistingFolder("").has_value());
  EXPECT_FALSE(CopyFolder(dir.Str("missing"), dir.Str("other")));

  const std::string native = NativePath("Addin Modules\\Stackwright\\Export\\");
  EXPECT_EQ(native, std::string("Addin Modules") + kSeparator + "Stackwright" + kSeparator +
                        "Export" + kSeparator);
  EXPECT_FALSE(ComponentFolder().empty());
  EXPECT_NE(ComponentFolder().back(), kSeparator);
}

}  // namespace
}  // namespace kvo::platform
