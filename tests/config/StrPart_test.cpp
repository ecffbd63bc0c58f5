#include "config/StrPart.h"

#include <gtest/gtest.h>

namespace kvo {
namespace {

TEST(StrPart, CutsAtLastSeparator) {
  EXPECT_EQ(StrPartRev("C:/a/b.xml", "/", false, false), "C:/a");
  EXPECT_EQ(StrPartRev("C:/a/b.xml", "/", true, false), "b.xml");
  EXPECT_EQ(StrPartRev("C:/a/b.xml", ".", false, false), "C:/a/b");
  EXPECT_EQ(StrPartRev("C:/a/b.xml", ".", true, false), "xml");
  EXPECT_EQ(StrPartRev("a!b!c", "!", false, false), "a!b");
  EXPECT_EQ(StrPartRev("a!b!c", "!", true, false), "c");
}

TEST(StrPart, CutsAtFirstSeparator) {
  EXPECT_EQ(StrPart("a!b!c", "!", false, false), "a");
  EXPECT_EQ(StrPart("a!b!c", "!", true, false), "b!c");
  EXPECT_EQ(StrPart("2!5!9!", "!", true, true), "5!9!");
  EXPECT_EQ(StrPart("9!", "!", true, true), "");
}

TEST(StrPart, MissingSeparatorGivesWholeTextOrEmpty) {
  EXPECT_EQ(StrPartRev("abc", "/", false, false), "abc");
  EXPECT_EQ(StrPartRev("abc", "/", true, false), "abc");
  EXPECT_EQ(StrPartRev("abc", "/", false, true), "");
  EXPECT_EQ(StrPart("abc", "!", true, true), "");
  EXPECT_EQ(StrPart("4!7", "!", true, true), "7");
  EXPECT_EQ(StrPart("7", "!", false, true), "");
}

TEST(StrPart, SeparatorAtEitherEnd) {
  EXPECT_EQ(StrPartRev("/abc", "/", false, false), "");
  EXPECT_EQ(StrPartRev("/abc", "/", true, false), "abc");
  EXPECT_EQ(StrPartRev("abc/", "/", true, false), "");
  EXPECT_EQ(StrPartRev("abc/", "/", false, false), "abc");
  EXPECT_EQ(StrPart("!x", "!", false, false), "");
}

TEST(StrPart, EmptyTextOrSeparatorReturnsTextUnchanged) {
  for (bool bRight : {false, true}) {
    for (bool bEmpty : {false, true}) {
      EXPECT_EQ(StrPartRev("a/b", "", bRight, bEmpty), "a/b");
      EXPECT_EQ(StrPart("a/b", "", bRight, bEmpty), "a/b");
      EXPECT_EQ(StrPartRev("", "/", bRight, bEmpty), "");
    }
  }
}

TEST(StrPart, MultiCharacterSeparator) {
  EXPECT_EQ(StrPart("a::b::c", "::", true, false), "b::c");
  EXPECT_EQ(StrPartRev("a::b::c", "::", false, false), "a::b");
}

}  // namespace
}  // namespace kvo
