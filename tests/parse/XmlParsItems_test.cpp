// Item records: identity, structure-line values, designators through the grouping component,
// additional attributes by owner tag.
#include <gtest/gtest.h>

#include <deque>

#include <kvoexportexcel/IRefDesGrouper.h>
#include "parse/ParseFixture.h"

namespace kvo::test {
namespace {

// Installs a grouping factory for one test and puts the previous one back.
class GrouperFactoryScope {
 public:
  explicit GrouperFactoryScope(RefDesGrouperFactory fnFactory)
      : fnPrevious_(SetRefDesGrouperFactory(std::move(fnFactory))) {}
  ~GrouperFactoryScope() { SetRefDesGrouperFactory(std::move(fnPrevious_)); }

 private:
  RefDesGrouperFactory fnPrevious_;
};

// Records what it is given and answers with the next prepared result.
class ScriptedGrouper : public IRefDesGrouper {
 public:
  ScriptedGrouper(std::vector<std::vector<std::string>>& vSeen,
                  std::deque<std::vector<std::string>>& vResults)
      : vSeen_(vSeen), vResults_(vResults) {}
  std::vector<std::string> Group(std::vector<std::string>& vDesignators) override {
    vSeen_.push_back(vDesignators);
    auto vResult = vResults_.front();
    vResults_.pop_front();
    return vResult;
  }

 private:
  std::vector<std::vector<std::string>>& vSeen_;
  std::deque<std::vector<std::string>>& vResults_;
};

// The root carries line values that the top-level item must not take.
const char* const kTwoLevels = R"(<Root_Element amt="9" pos="90" b1="rootB">
  <Qx nr="A" rv="2" tx="Top" hue="red" a1="ia">
    <Lnk amt="3" pos="10" b1="lineB">
      <Qx nr="B" kg="5" a1="ib"/>
      <Alt alt_nr="B-alt1"/><Alt alt_nr="B-alt2"/>
      <Rd des="R3"/><Rd des="R1"/><Rd des="R2"/><Rd des="R10"/><Rd des="C1"/>
    </Lnk>
  </Qx></Root_Element>)";

using ParseItems = ParseFixture;

TEST_F(ParseItems, IdentityLineValuesAlternatesAndGroupedDesignators) {
  Parse(kTwoLevels);
  ASSERT_EQ(kvo::Run().lMainUBound, 1);
  const ObjItem& tTop = kvo::Run().arrItems[0];
  const ObjItem& tChild = kvo::Run().arrItems[1];
  EXPECT_EQ(Texts(tTop.tItem), (std::vector<std::string>{"A", "Top", "2"}));
  EXPECT_EQ(tTop.tItem.vAttr, (std::vector<std::string>{"red", ""}));
  EXPECT_EQ(tTop.sQty, "");
  EXPECT_EQ(tTop.sFindNo, "");
  EXPECT_EQ(tTop.lLAIUB, -1);
  EXPECT_EQ(tTop.sRefDes, "");
  EXPECT_FALSE(tTop.vAddAttr.has_value());

  EXPECT_EQ(tChild.sQty, "3");
  EXPECT_EQ(tChild.sFindNo, "10");
  EXPECT_EQ(tChild.tItem.vAttr, (std::vector<std::string>{"", "5"}));
  ASSERT_EQ(tChild.lLAIUB, 1);
  EXPECT_EQ(tChild.arrLAI[0].sID, "B-alt1");
  EXPECT_EQ(tChild.arrLAI[1].sID, "B-alt2");
  EXPECT_FALSE(tChild.arrLAI[1].vAttr.has_value());
  EXPECT_EQ(tChild.sRefDes, "C1,R1-R3,R10");
}

TEST_F(ParseItems, AdditionalAttributesFollowTheirOwnerTag) {
  SetTable(kvo::Run().vAddTags, {{"a1", "L1", "ITEM"},
                                 {"b1", "L2", "ITEM_PS_DEF"},
                                 {"", "L3", "REF_DES_DEF"},
                                 {"a1", "L4", "item"},
                                 {"a1", "L5", "FOLDER"}});
  Parse(kTwoLevels);
  ASSERT_EQ(kvo::Run().lMainUBound, 1);
  EXPECT_EQ(kvo::Run().arrItems[0].vAddAttr, (std::vector<std::string>{"ia", "", "", "", ""}));
  EXPECT_EQ(kvo::Run().arrItems[1].vAddAttr,
            (std::vector<std::string>{"ib", "lineB", "C1,R1-R3,R10", "", ""}));
}

TEST_F(ParseItems, TopLevelItemsAfterSlotZeroReadLineValuesFromTheRoot) {
  Parse(R"(<Root_Element amt="7"><Qx nr="A"/><Qx nr="B"/></Root_Element>)", 1, 2);
  ASSERT_EQ(kvo::Run().lMainUBound, 1);
  EXPECT_EQ(kvo::Run().arrItems[0].sQty, "");
  EXPECT_EQ(kvo::Run().arrItems[1].sQty, "7");
}

TEST_F(ParseItems, GroupingComponentGetsTheLineDesignatorsAndItsResultIsJoined) {
  std::vector<std::vector<std::string>> vSeen;
  std::deque<std::vector<std::string>> vResults{{"P", "Q", "S"}, {}};
  int iCreated = 0;
  GrouperFactoryScope tScope([&]() -> std::unique_ptr<IRefDesGrouper> {
    ++iCreated;
    return std::make_unique<ScriptedGrouper>(vSeen, vResults);
  });
  Parse(R"(<Root_Element><Qx nr="A">
    <Lnk><Qx nr="B"/><Rd des="R2"/><Rd des="R1"/></Lnk>
    <Lnk><Qx nr="C"/></Lnk>
    <Lnk><Qx nr="D"/><Rd des="X"/></Lnk></Qx></Root_Element>)");
  ASSERT_EQ(kvo::Run().lMainUBound, 3);
  EXPECT_EQ(iCreated, 2);  // lines without designators create none
  EXPECT_EQ(vSeen, (std::vector<std::vector<std::string>>{{"R2", "R1"}, {"X"}}));
  EXPECT_EQ(kvo::Run().arrItems[1].sRefDes, "P,Q,S");
  EXPECT_EQ(kvo::Run().arrItems[2].sRefDes, "");
  EXPECT_EQ(kvo::Run().arrItems[3].sRefDes, "");
}

TEST_F(ParseItems, GroupingComponentThatCannotBeCreatedIsLoggedAndTheWalkGoesOn) {
  GrouperFactoryScope tScope([] { return std::unique_ptr<IRefDesGrouper>(); });
  Parse(R"(<Root_Element><Qx nr="A"><Lnk><Qx nr="B"/><Alt alt_nr="B2"/><Rd des="R1"/></Lnk>
    <Lnk><Qx nr="C"/></Lnk></Qx></Root_Element>)");
  ASSERT_EQ(kvo::Run().lMainUBound, 2);
  EXPECT_EQ(kvo::Run().arrItems[1].sRefDes, "");
  EXPECT_EQ(kvo::Run().arrItems[1].lLAIUB, 0);
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 1u);
  ExpectErrorLine(vLines[0], "FillLAIAndRefDes");
  EXPECT_NE(vLines[0].find("429"), std::string::npos) << vLines[0];
}

}  // namespace
}  // namespace kvo::test
