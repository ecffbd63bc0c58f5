// Sheet-local names: each naming rule, uniqueness regardless of case, the stored area.
#include <gtest/gtest.h>

#include <kvoexportexcel/RunError.h>

#include "workbook/excel/Application.h"
#include "workbook/excel/NameRules.h"

namespace kvo::excel {
namespace {

TEST(NameRules, AcceptsLettersDigitsAndUnderscoresNotStartingWithADigit) {
  for (const char* name :
       {"ID_P_45100_B_0", "_x", "a", "Block1", "XFE1", "RC_1", "A1B", "R1C1x", "ABCD1"}) {
    EXPECT_FALSE(NameRuleViolation(name).has_value()) << name;
  }
}

TEST(NameRules, RefusesEachBrokenRule) {
  const char* refused[] = {
      "",            // empty
      "1ID",         // starts with a digit
      "ID 1",        // blank
      "ID-1",        // hyphen
      "ID.1",        // dot
      "ID[1]",       // brackets
      "\xc3\xa4nd",  // not an ASCII letter
      "A1",         "xfd1048576",
      "AB12",  // A1 references
      "R",          "C",
      "r",          "c",
      "RC",         "R1C1",
      "r12c3",      "R5",
      "C7",                          // R1C1 references
      "Print_Area", "print_titles",  // used by the print settings
  };
  for (const char* name : refused) {
    EXPECT_TRUE(NameRuleViolation(name).has_value()) << '"' << name << '"';
  }
  EXPECT_FALSE(NameRuleViolation(std::string(255, 'n')).has_value());
  EXPECT_TRUE(NameRuleViolation(std::string(256, 'n')).has_value());
}

class NamesTest : public ::testing::Test {
 protected:
  Application app_;
  Worksheet& sheet_ = app_.Workbooks().Add().Worksheets(1);
};

TEST_F(NamesTest, NameRefersToTheWholeRowAndIsFoundInAnyCase) {
  sheet_.Names().Add("ID_P_45100_B_0", sheet_.Rows(12));
  ASSERT_EQ(sheet_.Names().Count(), 1u);
  EXPECT_EQ(sheet_.Names().RefersTo("id_p_45100_b_0"), Rect::WholeRows(12, 12));
  EXPECT_FALSE(sheet_.Names().RefersTo("ID_P_45100_B_1").has_value());
}

TEST_F(NamesTest, DuplicateRegardlessOfCaseRaises) {
  sheet_.Names().Add("Block", sheet_.Rows(3));
  try {
    sheet_.Names().Add("BLOCK", sheet_.Rows(4));
    FAIL() << "duplicate accepted";
  } catch (const RunError& error) {
    EXPECT_EQ(error.Number(), kErrSpreadsheet);
    EXPECT_NE(error.Description().find("BLOCK"), std::string::npos);
  }
  EXPECT_EQ(sheet_.Names().RefersTo("block"), Rect::WholeRows(3, 3));
}

TEST_F(NamesTest, InvalidNameRaisesAndIsNotAdded) {
  EXPECT_THROW(sheet_.Names().Add("A1", sheet_.Rows(1)), RunError);
  EXPECT_THROW(sheet_.Names().Add("ID 1", sheet_.Rows(1)), RunError);
  EXPECT_EQ(sheet_.Names().Count(), 0u);
}

TEST_F(NamesTest, LengthIsLimitedByWhatTheFileWriterStores) {
  const std::size_t limit = sheet_.MaxNameLength();
  EXPECT_EQ(limit, 255u);
  EXPECT_NO_THROW(sheet_.Names().Add(std::string(limit, 'n'), sheet_.Rows(1)));
  EXPECT_THROW(sheet_.Names().Add(std::string(limit + 1, 'm'), sheet_.Rows(2)), RunError);
}

TEST_F(NamesTest, AreaOfAnotherSheetRaises) {
  Worksheet& other = app_.Workbooks().Add().Worksheets(1);
  EXPECT_THROW(sheet_.Names().Add("Elsewhere", other.Rows(1)), RunError);
}

}  // namespace
}  // namespace kvo::excel
