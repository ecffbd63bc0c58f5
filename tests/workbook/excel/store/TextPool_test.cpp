// The texts of a sheet stored once each: equal bytes give one number, any difference another,
// also for texts whose hashes meet; the width each text takes on one line is kept with it.
#include <gtest/gtest.h>

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "workbook/excel/store/TextIndex.h"
#include "workbook/excel/store/TextLines.h"
#include "workbook/excel/store/TextPool.h"

namespace kvo::excel {
namespace {

TEST(TextPool, EqualBytesShareANumberAndEveryOtherTextHasItsOwn) {
  TextPool pool;
  std::vector<std::string> texts = {"",
                                    "a",
                                    "A",
                                    "a ",
                                    std::string("a\0b", 3),
                                    std::string("a\0c", 3),
                                    "\xC3\xA9",
                                    "e\xCC\x81",
                                    std::string(100000, 'x')};
  // Enough texts to grow the index several times.
  for (int i = 0; i < 50000; ++i) texts.push_back("item-" + std::to_string(i));
  std::vector<std::uint32_t> ids;
  for (const std::string& text : texts) ids.push_back(pool.Intern(text));
  ASSERT_EQ(pool.Count(), texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(pool.Intern(std::string(texts[i])), ids[i]) << i;
    EXPECT_EQ(pool.Text(ids[i]), texts[i]) << i;
  }
  EXPECT_EQ(pool.Count(), texts.size());
  EXPECT_EQ(pool.LineUnits(ids[1]), LineUnits("a"));
  pool.Clear();
  EXPECT_EQ(pool.Count(), 0u);
  EXPECT_EQ(pool.Intern("a"), 0u);
}

TEST(TextIndex, NumbersFiledUnderOneHashAreToldApartByTheirTexts) {
  const std::vector<std::string> texts = {"one", "two", "three"};
  TextIndex index;
  for (std::uint32_t n = 0; n < texts.size(); ++n) index.Add(42, n);
  for (std::uint32_t n = 0; n < texts.size(); ++n) {
    EXPECT_EQ(index.Find(42, [&](std::uint32_t k) { return texts[k] == texts[n]; }), n);
  }
  EXPECT_EQ(index.Find(42, [](std::uint32_t) { return false; }), TextIndex::kNone);
  EXPECT_EQ(index.Find(43, [](std::uint32_t) { return true; }), TextIndex::kNone);
}

// A text said to fit on one line wraps to one line, whatever its characters: the one-line width
// and the line count must agree, also next to the cell's width.
TEST(LineUnits, ATextThatFitsOneLineWrapsToOneLine) {
  const char* const pieces[] = {
      "i", "W", "m", " ", "\t", "\r", "\xC3\xA9", "\xE6\x97\xA5", "\xFF", "\xF0\x9F\x98\x80",
      "-", "%"};
  std::mt19937 random(99);
  int fitting = 0;
  for (int i = 0; i < 20000; ++i) {
    std::string text;
    const int length = 1 + static_cast<int>(random() % 40);
    for (int k = 0; k < length; ++k) text += pieces[random() % std::size(pieces)];
    const int pixels = ColumnPixels(5 + static_cast<double>(random() % 300) / 10);
    const double size = random() % 3 == 0 ? 14 : 11;
    const bool bold = random() % 2 == 0;
    if (FitsOnOneLine(text, pixels, size, bold)) {
      ++fitting;
      EXPECT_EQ(WrappedLineCount(text, pixels, size, bold), 1) << text << " " << pixels;
    }
    EXPECT_EQ(FitsOnOneLine(LineUnits(text), pixels, size, bold),
              FitsOnOneLine(text, pixels, size, bold));
  }
  EXPECT_GT(fitting, 1000);  // the boundary was crossed often
  EXPECT_FALSE(FitsOnOneLine("a\nb", 1000, 11, false));
  EXPECT_EQ(LineUnits("a\nb"), kLineBreaks);
  // Carriage returns take no room and join what they stand between; tabs break words.
  EXPECT_EQ(LineUnits("a\rb"), LineUnits("ab"));
  EXPECT_EQ(LineUnits("a\tb"), LineUnits("a b"));
  EXPECT_EQ(WrappedLineCount("ab\rcd", ColumnPixels(1), 11, false),
            WrappedLineCount("abcd", ColumnPixels(1), 11, false));
  EXPECT_EQ(WrappedLineCount("ab\tcd", ColumnPixels(2), 11, false),
            WrappedLineCount("ab cd", ColumnPixels(2), 11, false));
  EXPECT_EQ(WrappedLineCount("ab\n", ColumnPixels(21), 11, false), 2);
}

}  // namespace
}  // namespace kvo::excel
