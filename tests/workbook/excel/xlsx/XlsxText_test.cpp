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

TEST(CellText, CutsToTheCellLimitInUtf16UnitsNotBytes) {
  std::string umlauts;
  for (int i = 0; i < 40000; ++i) umlauts += "\xc3\xbc";
  const std::string cut = CellText(umlauts);
  EXPECT_EQ(Utf8Length(cut), kMaxCellUnits);
  EXPECT_EQ(cut.size(), 2 * kMaxCellUnits);
  EXPECT_EQ(ValidUtf8(cut), cut);
  EXPECT_EQ(CellText(std::string(kMaxCellUnits, 'x')).size(), kMaxCellUnits);

  // A character beyond U+FFFF takes two units, and its halves are never split.
  std::string emoji;
  for (int i = 0; i < 17000; ++i) emoji += "\xf0\x9f\x98\x80";
  EXPECT_EQ(Utf16Length(CellText(emoji)), kMaxCellUnits - 1);
  EXPECT_EQ(Utf16Length(CellText("a" + emoji)), kMaxCellUnits);
}

TEST(CellText, EscapesCountAsTheCharacterTheyStandFor) {
  std::string escapes;
  while (escapes.size() < 40000) escapes += "_x0041_";
  const std::string cut = CellText(escapes);
  // What a reader decodes is the text's first 32,767 characters, as the other format holds it.
  std::string decoded = cut;
  for (std::size_t at = 0; (at = decoded.find("_x005F_", at)) != std::string::npos; ++at) {
    decoded.replace(at, 7, "_");
  }
  EXPECT_EQ(decoded, escapes.substr(0, kMaxCellUnits));
}

}  // namespace
}  // namespace kvo::excel
