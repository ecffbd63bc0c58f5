#include <gtest/gtest.h>
#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include <regex>

#include "support/TestSupport.h"

namespace kvo {
namespace {

const char* kIni = R"(<Cfg>
  <LBL>
    <A ORDER="3" FIELD="fa">Alpha</A>
    <B ORDER="1" FIELD="fb" POS="7">Bravo</B>
    <C ORDER="2">Charlie</C>
    <Z ORDER="0" FIELD="fz">Zero</Z>
    <N ORDER="-1">Negative</N>
    <U>Unordered</U>
    <Q FIELD="fq" POS="9">it's</Q>
  </LBL>
  <EQUAL><P ORDER="2">p</P><Q ORDER="2">q</Q><R ORDER="1">r</R></EQUAL>
  <EMPTY/>
  <BAD><X ORDER="1.5e400">x</X></BAD>
  <VIS><a show="True"/><b show="True"/><c show="False"/><d show="True"/><e show="True"/><f show="True"/></VIS>
</Cfg>)";

class IniTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string sErr;
    ASSERT_TRUE(ini.LoadXString(kIni, sErr)) << sErr;
  }
  clsXMLIniData ini;
};

TEST_F(IniTest, CurrentNodeNeedsAnExistingElementWithChildren) {
  EXPECT_EQ(ini.CurNodeChildNumber(), 0);
  EXPECT_TRUE(ini.SetCurNode("LBL"));
  EXPECT_EQ(ini.CurNodeChildNumber(), 7);
  EXPECT_FALSE(ini.SetCurNode("EMPTY"));  // exists, but no children: the current node is unset
  EXPECT_EQ(ini.CurNodeChildNumber(), 0);
  EXPECT_EQ(ini.GetLabelUseCurNodeByID(1), "");
  EXPECT_TRUE(ini.SetCurNode("//LBL"));
  EXPECT_FALSE(ini.SetCurNode("MISSING"));
  EXPECT_EQ(ini.GetFieldNameUseCurNodeByID(1, "X"), "X");
  EXPECT_THROW(ini.SetCurNode("LBL["), RunError);
}

TEST_F(IniTest, LabelLookupsUnderTheCurrentNode) {
  ASSERT_TRUE(ini.SetCurNode("LBL"));
  EXPECT_EQ(ini.GetLabelUseCurNode("C"), "Charlie");
  EXPECT_EQ(ini.GetLabelUseCurNodeByID(1), "Bravo");
  EXPECT_EQ(ini.GetLabelUseCurNodeByID(4), "");
  std::string sIndex = "?";
  EXPECT_EQ(ini.GetLabelUseCurNodeByID(1, sIndex, "POS"), "Bravo");
  EXPECT_EQ(sIndex, "7");
  std::string sEmpty;
  EXPECT_EQ(ini.GetLabelUseCurNode("B", sEmpty, "POS"), "Bravo");
  EXPECT_EQ(sEmpty, "");  // an empty sIndex is never touched
  std::string sKept = "keep";
  EXPECT_EQ(ini.GetLabelUseCurNode("NOPE", sKept, "POS"), "");
  EXPECT_EQ(sKept, "keep");
  EXPECT_EQ(ini.GetLabelUseCurNode("[["), "");  // lookups swallow bad queries
  EXPECT_EQ(ini.GetLabelUsePath("EQUAL/R"), "r");
  EXPECT_THROW(ini.GetLabelUsePath("(("), RunError);
}

TEST_F(IniTest, FieldNamesByOrder) {
  ASSERT_TRUE(ini.SetCurNode("LBL"));
  EXPECT_EQ(ini.GetFieldNameUseCurNodeByID(3, "X"), "fa");
  EXPECT_EQ(ini.GetFieldNameUseCurNodeByID(2, "X"), "");  // a match without FIELD
  EXPECT_EQ(ini.GetFieldNameUseCurNodeByID(5, "X"), "X");
  EXPECT_EQ(ini.GetLabelUsePathByID("EQUAL", 1), "r");
  EXPECT_EQ(ini.GetLabelUseCurNode("P"), "p");  // the path lookup moved the current node
}

TEST_F(IniTest, NodeAndFieldByLabelIncludingApostrophes) {
  ASSERT_TRUE(ini.SetCurNode("LBL"));
  std::string sPos = "old";
  EXPECT_EQ(ini.GetNodeNameUseCurNodeByLabel("Bravo", true, sPos, "POS"), "B");
  EXPECT_EQ(sPos, "7");
  EXPECT_EQ(ini.GetNodeNameUseCurNodeByLabel("it's", true, sPos, "POS"), "Q");
  EXPECT_EQ(sPos, "9");
  EXPECT_EQ(ini.GetFieldNameUseCurNodeByLabel("it's"), "fq");
  sPos = "old";
  EXPECT_EQ(ini.GetNodeNameUseCurNodeByLabel("nothing", true, sPos, "POS"), "");
  EXPECT_EQ(sPos, "");
  sPos = "old";
  EXPECT_EQ(ini.GetFieldNameUseCurNodeByLabel("Charlie", true, sPos, "POS"), "");
  EXPECT_EQ(sPos, "old");  // a match without FIELD leaves sPos alone
  EXPECT_EQ(ini.GetNodeNameUsePathByLabel("EQUAL", "q"), "Q");
  EXPECT_EQ(ini.GetNodeNameUsePathByLabel("EMPTY", "q"), "");
}

TEST_F(IniTest, OrderedListSortsByOrderAndSkipsTheRest) {
  std::int32_t n = 99;
  OrderTable arr;
  auto list = ini.GetOrderedAttrList("LBL", n, arr);
  ASSERT_TRUE(list.has_value());
  EXPECT_EQ(n, 2);
  EXPECT_EQ(list->Length(), 3);  // ORDER 0, negative and missing are not listed
  EXPECT_EQ((std::vector<int>{arr(0, 0), arr(1, 0), arr(0, 1), arr(1, 1), arr(0, 2), arr(1, 2)}),
            (std::vector<int>{1, 1, 2, 2, 0, 3}));
  EXPECT_EQ(list->Item(arr(0, 0)).Text(), "Bravo");
}

TEST_F(IniTest, EqualOrdersFollowTheExchangeSort) {
  std::int32_t n = 0;
  OrderTable arr;
  ASSERT_TRUE(ini.GetOrderedAttrList("EQUAL", n, arr).has_value());
  ASSERT_EQ(n, 2);
  EXPECT_EQ((std::vector<int>{arr(0, 0), arr(0, 1), arr(0, 2)}), (std::vector<int>{2, 1, 0}));
}

TEST_F(IniTest, OrderedListOfMissingOrChildlessOrBadSections) {
  std::int32_t n = 5;
  OrderTable arr;
  EXPECT_FALSE(ini.GetOrderedAttrList("MISSING", n, arr).has_value());
  EXPECT_EQ(n, -1);
  EXPECT_FALSE(ini.GetOrderedAttrList("EMPTY", n, arr).has_value());
  EXPECT_EQ(n, -1);
  EXPECT_THROW(ini.GetOrderedAttrList("BAD", n, arr), RunError);  // ORDER beyond 32 bits
}

TEST_F(IniTest, AttributeRowsRoundUp) {
  EXPECT_EQ(ini.GetAttrRows("VIS", "show", 4), 3);  // 5 visible, 2 per row
  EXPECT_EQ(ini.GetAttrRows("VIS", "show", 5), 3);
  EXPECT_EQ(ini.GetAttrRows("VIS", "show", 10), 1);
  EXPECT_EQ(ini.GetAttrRows("VIS", "hidden", 4), 0);
  EXPECT_EQ(ini.GetAttrRows("VIS", "hidden", 1), 0);
  try {
    ini.GetAttrRows("VIS", "show", 1);
    FAIL() << "expected a division error";
  } catch (const RunError& e) {
    EXPECT_EQ(e.Number(), 11);
  }
}

TEST_F(IniTest, AttributeValueOfAnElement) {
  ASSERT_TRUE(ini.SetCurNode("LBL"));
  std::int32_t n;
  OrderTable arr;
  auto list = ini.GetOrderedAttrList("LBL", n, arr);
  EXPECT_EQ(ini.GetAttrValue(list->Item(0), "FIELD"), "fa");
  EXPECT_EQ(ini.GetAttrValue(list->Item(0), "NONE"), "");
  EXPECT_THROW(ini.GetAttrValue(xml::Node(), "FIELD"), RunError);
}

TEST(IniLoad, ParseErrorLinesNameLineAndPosition) {
  const std::string kStamp = test::kDateTimePattern;
  test::TempDir dir;
  test::WriteFile(dir.Path() / "bad.xml", "<Cfg>\n  <A>\n</Cfg>\n");
  clsXMLIniData ini;
  std::string sErr;
  EXPECT_FALSE(ini.LoadXDoc(dir.Str("bad.xml"), sErr));
  EXPECT_TRUE(std::regex_match(
      sErr, std::regex(kStamp + " IniDoc Load Parse error: .+ On Line: 3 At Position: \\d+")))
      << sErr;
  sErr.clear();
  EXPECT_FALSE(ini.LoadXString("<a><b></a>", sErr));
  EXPECT_TRUE(std::regex_match(
      sErr, std::regex(kStamp + " String Load Parse error: .+ On Line: 1 At Position: \\d+")))
      << sErr;
  // After a failed load lookups on the document find nothing or raise.
  EXPECT_THROW(ini.SetCurNode("A"), RunError);
  std::string sKept = "kept";
  EXPECT_TRUE(ini.LoadXString("<ok><a/></ok>", sKept));
  EXPECT_EQ(sKept, "kept");
}

TEST(IniLoad, CurrentNodeSurvivesALoad) {
  clsXMLIniData ini;
  std::string sErr;
  ASSERT_TRUE(ini.LoadXString("<r><S><A ORDER='1'>first</A></S></r>", sErr));
  ASSERT_TRUE(ini.SetCurNode("S"));
  ASSERT_TRUE(ini.LoadXString("<r><S><A ORDER='1'>second</A></S></r>", sErr));
  EXPECT_EQ(ini.GetLabelUseCurNodeByID(1), "first");
  ASSERT_TRUE(ini.SetCurNode("S"));
  EXPECT_EQ(ini.GetLabelUseCurNodeByID(1), "second");
}

}  // namespace
}  // namespace kvo
