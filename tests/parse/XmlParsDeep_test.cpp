// A product structure far deeper than any call stack could follow by recursion.  The loader
// refuses documents that deep, so the chain is grafted onto a loaded document node by node.
#include <gtest/gtest.h>

#include "config/XmlDomAccess.h"
#include "parse/ParseFixture.h"

namespace kvo::test {
namespace {

using ParseDeep = ParseFixture;

TEST_F(ParseDeep, HundredThousandNestedLevelsAreWalkedWithoutRecursion) {
  constexpr std::int32_t kLevels = 100000;
  auto doc = std::make_shared<xml::Document>();
  ASSERT_TRUE(doc->LoadXML("<Root_Element><Qx nr=\"0\"/></Root_Element>"));
  pugi::xml_node tItem = xml::NodeAccess::Tree(doc->DocumentElement().FirstChild());
  for (std::int32_t i = 1; i < kLevels; ++i) {
    tItem = tItem.append_child("Lnk").append_child("Qx");
    tItem.append_attribute("nr").set_value(std::to_string(i).c_str());
  }
  kvo::Run().iObjectType = 1;
  kvo::Run().iSpaceType = 1;
  clsXMLPars().MainXStruct(doc);
  ASSERT_EQ(kvo::Run().lMainUBound, kLevels - 1);
  const ObjItem& tDeepest = kvo::Run().arrItems.back();
  EXPECT_EQ(tDeepest.lLevel, kLevels - 1);
  EXPECT_EQ(tDeepest.tItem.sID, std::to_string(kLevels - 1));
  EXPECT_EQ(kvo::Run().arrItems[kLevels / 2].sChildren, std::to_string(kLevels / 2 + 1) + "!");
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
}  // namespace kvo::test
