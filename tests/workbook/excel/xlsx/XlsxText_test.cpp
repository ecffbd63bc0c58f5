// Text as the file holds it: repaired UTF-8, literal escapes escaped, long texts cut.
#include <gtest/gtest.h>

#include "workbook/excel/store/Utf8.h"
#include "workbook/excel/xlsx/XlsxText.h"

namespace kvo::excel {
namespace {

const std::string kFffd = "\xef\xbf\xbd";

TEST(ValidUtf8, KeepsWellFormedTextAndReplacesEachBrokenPart) {
  EXPECT_EQ(ValidUtf8("Gr\xc3\xbc\xc3\x9f\x65 \xe2\x82\xac \xf0\x9f\x98\x80"),
            "Gr\xc3\xbc\xc3\x9f\x65 \xe2\x82\xac \xf0\x9f\x98\x80");
  EXPECT_EQ(ValidUtf8("a\xff"
                      "b"),
            "a" + kFffd + "b");
  EXPECT_EQ(ValidUtf8("\xc0\xaf"), kFffd + kFffd);              // overlong
  EXPECT_EQ(ValidUtf8("\xed\xa0\x80"), kFffd + kFffd + kFffd);  // surrogate
  EXPECT_EQ(ValidUtf8("\xe2\x82"
                      "x"),
            kFffd + "x");                                                   // cut short
  EXPECT_EQ(ValidUtf8("\xf4\x90\x80\x80"), kFffd + kFffd + kFffd + kFffd);  // > U+10FFFF
  EXPECT_EQ(ValidUtf8(std::string("a\0b", 3)), "a" + kFffd + "b");
  EXPECT_EQ(ValidUtf8("\xef\xbf\xbe"), kFffd);  // U+FFFE
  EXPECT_EQ(Utf8Length("a\xc3\xbc\xe2\x82\xac\xff"), 4u);
}

TEST(CellText, EscapesLiteralEscapeSequencesOnly) {
  EXPECT_EQ(CellText("_x0041_"), "_x005F_x0041_");
  EXPECT_EQ(CellText("_x0041_x0042_"), "_x005F_x0041_x005F_x0042_");
  EXPECT_EQ(CellText("_x00G1_ _x123_ x0041_"), "_x00G1_ _x123_ x0041_");
  EXPECT_EQ(CellText("=1+2"), "=1+2");
}

TEST(CellText, CutsToTheCellLimitInCharactersNotBytes) {
  std::string umlauts;
  for (int i = 0; i < 40000; ++i) umlauts += "\xc3\xbc";
  const std::string cut = CellText(umlauts);
  EXPECT_EQ(Utf8Length(cut), kMaxCellChars);
  EXPECT_EQ(cut.size(), 2 * kMaxCellChars);
  EXPECT_EQ(ValidUtf8(cut), cut);
  EXPECT_EQ(CellText(std::string(kMaxCellChars, 'x')).size(), kMaxCellChars);
}

TEST(CellText, EscapesCountTowardsTheLimitOfTheWrittenText) {
  std::string escapes;
  while (escapes.size() < 40000) escapes += "_x0041_";
  const std::string cut = CellText(escapes);
  EXPECT_LE(Utf8Length(cut), kMaxCellChars);
  EXPECT_GT(Utf8Length(cut), kMaxCellChars - 12);
  // What a reader decodes is the start of the original text.
  std::string decoded = cut;
  for (std::size_t at; (at = decoded.find("_x005F_")) != std::string::npos;) {
    decoded.replace(at, 7, "_");
  }
  EXPECT_TRUE(escapes.starts_with(decoded));
}

}  // namespace
}  // namespace kvo::excel
